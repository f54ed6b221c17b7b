#include "editor/CTransponderRefresh.h"

#include "controls/FileMessages.h"
#include "editor/CEditorDlg.h"
#include "editor/CNavigationTree.h"
#include "editor/CRefreshPreviewDlg.h"
#include "import/ImportMessages.h"
#include "import/TransponderRefresh.h"

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

void CTransponderRefresh::Run() {
    CEditorDlg& w = m_window;
    // The table is matched against what is stored: a number being typed counts.
    w.CommitFocusedField();
    const QString path = w.m_prompts.OpenFileName(&w, kTableFilter);
    if (path.isEmpty()) {
        return;
    }
    std::vector<RefreshMatch> matches;
    const TableImportResult result =
        MatchTransponderRefresh(LocalPath(path), w.m_document.Image().settingsBlock, matches);
    if (result != TableImportResult::Done) {
        w.m_prompts.Message(&w, FailureText(result, path));
        return;
    }
    if (matches.empty()) {
        w.m_prompts.Message(&w, kNothingToUpdate);
        return;
    }
    CRefreshPreviewDlg preview(w.m_document.Image().settingsBlock, matches, &w);
    const bool accepted = preview.exec() == QDialog::Accepted;
    CWindowPrompts::Reactivate(&w);
    const std::vector<std::size_t> checked = preview.CheckedLines();
    if (!accepted || checked.empty()) {
        return;
    }
    CEditorDlg::Operation operation(w);
    for (const std::size_t line : checked) {
        w.m_document.SetTransponders(matches[line].slot, matches[line].transponders);
    }
    // Names and positions stay, so the tree keeps its labels; the TP list shows the new rows.
    if (w.m_tree->SelectedNode() != nullptr) {
        w.OnTreeSelectionChanged();
    }
}
