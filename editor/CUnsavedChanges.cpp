#include "editor/CUnsavedChanges.h"

#include "controls/UserPrompts.h"
#include "model/MeterDocument.h"

#include <QFileInfo>
#include <QWidget>

namespace {

const QString kSaveChangesQuestion =
    QStringLiteral("The meter data has changed. Save the changes?");

} // namespace

CUnsavedChanges::CUnsavedChanges(QWidget& window, const MeterDocument& document,
                                 UserPrompts& prompts, std::function<bool()> save)
    : m_window(window), m_document(document), m_prompts(prompts), m_save(std::move(save)) {}

void CUnsavedChanges::SetFile(const QString& path) {
    m_fileName = QFileInfo(path).fileName();
    UpdateTitle();
}

void CUnsavedChanges::UpdateTitle() {
    // "[*]" is where the platform shows its modified mark.
    m_window.setWindowTitle(m_fileName.isEmpty() ? QStringLiteral("ORVEX[*]")
                                                 : m_fileName + QStringLiteral("[*] - ORVEX"));
    m_window.setWindowModified(m_document.IsModified());
}

bool CUnsavedChanges::HasUnsavedChanges() const {
    return m_document.IsModified() && m_droppedAtSessionEnd != m_document.History().State();
}

bool CUnsavedChanges::MaySaveChanges() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    switch (m_prompts.AskSaveChanges(&m_window, kSaveChangesQuestion)) {
    case UserPrompts::SaveChoice::Save:
        return m_save();
    case UserPrompts::SaveChoice::Discard:
        return true;
    case UserPrompts::SaveChoice::Cancel:
        break;
    }
    return false;
}

bool CUnsavedChanges::MayEndSession(const std::function<bool()>& mayAsk) {
    // Without leave to ask, the user's file is left as it was.
    if (HasUnsavedChanges() && mayAsk() && !MaySaveChanges()) {
        return false;
    }
    // The window closes with the session; what was let go here is not asked about again.
    m_droppedAtSessionEnd = m_document.History().State();
    return true;
}
