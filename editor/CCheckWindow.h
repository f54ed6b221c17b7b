#pragma once

#include "model/LockCheck.h"

#include <QWidget>

#include <vector>

class QTreeWidget;

// The "Check Settings" window: one line per finding of the lock check, with the satellite, the
// TP row where the finding is about one, and what to change. Double-click or Enter on a line
// asks for its satellite and row to be shown in the editor.
class CCheckWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCheckWindow)

public:
    // With a parent, the window is still a window of its own.
    explicit CCheckWindow(QWidget* parent = nullptr);

    // The findings of the block, in their order. Lines are reused, so that the current line and
    // the scroll position stay where they were while the user works down the list.
    void ShowFindings(const SettingsBlock& block, const std::vector<LockFinding>& findings);
    // Shows the window, or brings it to the front when it is already open.
    void Open();
    QTreeWidget* Lines() const { return m_lines; }

    QSize sizeHint() const override;

signals:
    // row -1: the satellite itself.
    void findingChosen(int slot, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose(int line);

    QTreeWidget* m_lines = nullptr;
    std::vector<LockFinding> m_findings;
};
