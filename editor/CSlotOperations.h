#pragma once

class CEditorDlg;
class QPoint;

// What the editor window does to whole slots: the buttons "+", "-", "UP" and "DN" and the
// copies from the satellite library. The document moves the records; these steps relabel
// the tree, reselect and show in the order the window keeps.
class CSlotOperations final {
public:
    explicit CSlotOperations(CEditorDlg& window) : m_window(window) {}
    CSlotOperations(const CSlotOperations&) = delete;
    CSlotOperations& operator=(const CSlotOperations&) = delete;

    void OnAddSatellite();
    void OnDeleteSatellite();
    void OnMoveUp();
    void OnMoveDown();
    // "Load Sat": satellites picked from a library go into the first slots.
    void OnLoadSat();
    // A satellite node's menu, and its "Replace from Library...".
    void OnTreeContextMenu(const QPoint& position);
    void OnReplaceFromLibrary(int slot);

private:
    CEditorDlg& m_window;
};
