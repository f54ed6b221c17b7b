#include "editor/CTransponderRefresh.h"

#include "controls/FileMessages.h"
#include "controls/UserPrompts.h"
#include "editor/CRefreshPreviewDlg.h"
#include "editor/CWindowPrompts.h"
#include "import/ImportMessages.h"
#include "import/TransponderRefresh.h"
#include "model/MeterDocument.h"

namespace {

// The same public tables the library reads; a scan table has no extension of its own.
const QString kTableFilter = QString::fromLatin1(kSatelliteTableFilters);
const QString kNothingToUpdate =
    QStringLiteral("No satellite in use matches a satellite of this table with a transponder "
                   "its own LNB settings receive. Nothing was changed.");

// As the library reports the same table: a file that cannot be opened as it reports its own.
QString FailureText(TableImportResult result, const QString& path) {
    return result == TableImportResult::CannotOpen ? CannotOpenText(path)
                                                   : ImportFailureMessage(result, path);
}

} // namespace

bool CTransponderRefresh::Run() {
    const QString path = m_prompts.OpenFileName(m_window, kTableFilter);
    if (path.isEmpty()) {
        return false;
    }
    std::vector<RefreshMatch> matches;
    const TableImportResult result =
        MatchTransponderRefresh(LocalPath(path), m_document.Image().settingsBlock, matches);
    if (result != TableImportResult::Done) {
        m_prompts.Message(m_window, FailureText(result, path));
        return false;
    }
    if (matches.empty()) {
        m_prompts.Message(m_window, kNothingToUpdate);
        return false;
    }
    CRefreshPreviewDlg preview(m_document.Image().settingsBlock, matches, m_window);
    const bool accepted = preview.exec() == QDialog::Accepted;
    CWindowPrompts::Reactivate(m_window);
    const std::vector<std::size_t> checked = preview.CheckedLines();
    if (!accepted || checked.empty()) {
        return false;
    }
    for (const std::size_t line : checked) {
        m_document.SetTransponders(matches[line].slot, matches[line].transponders);
    }
    return true;
}
