#pragma once

#include <QObject>

class CNavigationTree;
class CTpListController;
class MeterDocument;
class QMenu;
class QPoint;
class RefreshGuard;
class UserPrompts;

// How the window shows a slot after an operation changed the slots.
enum class SlotShow {
    Select,  // its node is selected, or shown anew when it is selected already
    InPlace, // it becomes the current slot and is shown; the selected node stays
    Emptied, // no slot is left in use: nothing to edit, the slot becomes the current one
    First,   // the first slot's node is selected and every label follows the records
};

// What the editor window does to whole slots: the buttons "+", "-", "UP" and "DN" and the
// copies from the satellite library. The document moves the records; these steps relabel the
// tree and ask the window to show a slot. Each operation is one undoable step.
class CSlotOperations final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSlotOperations)

public:
    CSlotOperations(MeterDocument& document, RefreshGuard& guard, CNavigationTree& tree,
                    const CTpListController& tpList, UserPrompts& prompts, QWidget* window);

    void OnAddSatellite();
    void OnDeleteSatellite();
    void OnMoveUp();
    void OnMoveDown();
    // "Load Sat": satellites picked from a library go into the first slots.
    void OnLoadSat();
    // A satellite node's menu with "Replace from Library..."; any other node's is windowMenu.
    void OnTreeContextMenu(const QPoint& position, QMenu* windowMenu);
    void OnReplaceFromLibrary(int slot);

signals:
    void showRequested(int slot, SlotShow how);

private:
    int SelectedSlot() const;
    void Relabel(int from, int to);

    MeterDocument& m_document;
    RefreshGuard& m_guard;
    CNavigationTree& m_tree;
    const CTpListController& m_tpList;
    UserPrompts& m_prompts;
    QWidget* m_window;
};
