#pragma once

#include "model/LockCheck.h"

#include <QIcon>
#include <QObject>
#include <QString>

#include <array>
#include <vector>

class CCheckWindow;
class CNavigationTree;
class QTableWidget;

// The lock check as the editor window shows it. After every change the window calls Refresh:
// the meter is checked again, satellites with findings get a marked node with the first
// finding in its tooltip, TP rows with findings get their sentences as tooltip, and the
// "Check Settings" window, made on first use, lists them all. It only advises: nothing here
// changes the data.
class CSettingsCheck final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSettingsCheck)

public:
    // The image, tree and TP list must outlive this object; the tree must be built.
    CSettingsCheck(const MeterImage& image, CNavigationTree& tree, QTableWidget& tpList,
                   QWidget* window);

    // listSlot: the slot whose transponders the TP list shows, -1 for none.
    void Refresh(int listSlot);
    // "Check Settings...": opens the window, or raises it.
    void OpenWindow();
    CCheckWindow* Window() const { return m_window; }
    const std::vector<LockFinding>& Findings() const { return m_findings; }

signals:
    // Just before a chosen finding's node is selected, so that the editor commits the field
    // being left as a click on the node would.
    void aboutToSelect();

private:
    void SelectFinding(int slot, int row);
    void MarkTree();
    void MarkTpList(int listSlot);
    void ShowInWindow();

    const MeterImage& m_image;
    CNavigationTree& m_tree;
    QTableWidget& m_tpList;
    QWidget* m_editor;
    CCheckWindow* m_window = nullptr;
    std::vector<LockFinding> m_findings;
    QIcon m_plainIcon;
    QIcon m_markedIcon;
    // Which nodes carry the mark, so that a refresh touches only the nodes that change.
    std::array<bool, kMaxSatellites> m_marked{};
    // The block the findings are of, and a count of the times they were worked out.
    SettingsBlock m_checkedBlock{};
    int m_generation = 0;
    // The TP row sentences of each slot, made when its rows are first shown after a check.
    struct RowTexts {
        int generation = 0;
        std::array<QString, kMaxTps> texts;
    };
    std::array<RowTexts, kMaxSatellites> m_rowTexts;
    // The check the window lists.
    int m_shownGeneration = 0;
};
