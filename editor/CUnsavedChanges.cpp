#include "editor/CUnsavedChanges.h"

#include "controls/UserPrompts.h"
#include "model/MeterDocument.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSessionManager>
#include <QWidget>

namespace {

const QString kSaveChangesQuestion =
    QStringLiteral("The meter data has changed. Save the changes?");

} // namespace

CUnsavedChanges::CUnsavedChanges(QWidget& window, const MeterDocument& document,
                                 UserPrompts& prompts, Window calls)
    : m_window(window), m_document(document), m_prompts(prompts), m_calls(std::move(calls)) {
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &m_window,
                     [this](QSessionManager& manager) {
                         if (!MayEndSession([&manager] { return manager.allowsInteraction(); })) {
                             manager.cancel();
                         }
                     });
}

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
    m_calls.endStep();
    if (!HasUnsavedChanges()) {
        return true;
    }
    switch (m_prompts.AskSaveChanges(&m_window, kSaveChangesQuestion)) {
    case UserPrompts::SaveChoice::Save:
        return m_calls.save();
    case UserPrompts::SaveChoice::Discard:
        return true;
    case UserPrompts::SaveChoice::Cancel:
        break;
    }
    return false;
}

bool CUnsavedChanges::MayClose(QWidget& exit) {
    const QPointer<QWidget> typing = m_window.focusWidget();
    if (m_window.isActiveWindow()) {
        exit.setFocus(Qt::MouseFocusReason); // leaving the field commits it
    } else {
        m_calls.commitField();
    }
    if (MaySaveChanges()) {
        return true;
    }
    // Unless a refused value took the focus already.
    if (typing != nullptr && typing->isVisible() && m_window.focusWidget() == &exit) {
        typing->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool CUnsavedChanges::MayEndSession(const std::function<bool()>& mayAsk) {
    m_calls.commitField();
    m_calls.endStep();
    // Without leave to ask, the user's file is left as it was.
    if (HasUnsavedChanges() && mayAsk() && !MaySaveChanges()) {
        return false;
    }
    // The window closes with the session; what was let go here is not asked about again.
    m_droppedAtSessionEnd = m_document.History().State();
    return true;
}
