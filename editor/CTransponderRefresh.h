#pragma once

class CEditorDlg;

// "Update Transponders...": renews the transponders of the satellites in use from a public
// table. Each slot keeps its name, LNB, switch and positioner; the user sees the old and new
// lists first and picks which to write, all of them one undoable step.
class CTransponderRefresh final {
public:
    explicit CTransponderRefresh(CEditorDlg& window) : m_window(window) {}
    CTransponderRefresh(const CTransponderRefresh&) = delete;
    CTransponderRefresh& operator=(const CTransponderRefresh&) = delete;

    void Run();

private:
    CEditorDlg& m_window;
};
