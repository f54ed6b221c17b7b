#pragma once

#include "import/TransponderRefresh.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

// What a refresh from a table would do: one line per matched satellite in use with its name,
// position and the table satellite's name, and its old and new transponders below it. A line
// is checked where the transponders would change; one whose list would stay is listed
// unchecked. Only the checked lines are written.
class CRefreshPreviewDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CRefreshPreviewDlg)

public:
    CRefreshPreviewDlg(const SettingsBlock& meter, const std::vector<RefreshMatch>& matches,
                       QWidget* parent = nullptr);

    QTreeWidget* Lines() const { return m_lines; }
    // The indices into the matches of the checked lines, in slot order.
    std::vector<std::size_t> CheckedLines() const;

private:
    QTreeWidget* m_lines = nullptr;
};
