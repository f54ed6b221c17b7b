#pragma once

class MeterDocument;
class QWidget;
class UserPrompts;

// "Update Transponders...": renews the transponders of the satellites in use from a public
// table. Each slot keeps its name, LNB, switch and positioner; the user sees the old and new
// lists first and picks which to write, all of them one undoable step.
class CTransponderRefresh final {
public:
    CTransponderRefresh(MeterDocument& document, UserPrompts& prompts, QWidget* window)
        : m_document(document), m_prompts(prompts), m_window(window) {}
    CTransponderRefresh(const CTransponderRefresh&) = delete;
    CTransponderRefresh& operator=(const CTransponderRefresh&) = delete;

    // Asks for the table and shows the preview; true when slots were written.
    bool Run();

private:
    MeterDocument& m_document;
    UserPrompts& m_prompts;
    QWidget* m_window;
};
