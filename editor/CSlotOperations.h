#pragma once

class CEditorDlg;

// The slot buttons "+", "-", "UP" and "DN" of the editor window: the document moves the
// records, these steps relabel the tree, reselect and show in the order the window keeps.
class CSlotOperations final {
public:
    explicit CSlotOperations(CEditorDlg& window) : m_window(window) {}
    CSlotOperations(const CSlotOperations&) = delete;
    CSlotOperations& operator=(const CSlotOperations&) = delete;

    void OnAddSatellite();
    void OnDeleteSatellite();
    void OnMoveUp();
    void OnMoveDown();

private:
    CEditorDlg& m_window;
};
