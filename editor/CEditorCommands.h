#pragma once

#include <QObject>

#include <functional>

class QAbstractButton;
class QMenu;
class QWidget;

// The editor window's commands: its keys (Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, F9, F7, Ctrl+O,
// Ctrl+S) and its context menu, from one list so that the key a menu item shows is the key that
// runs it. A field holding typing of its own takes the undo keys for its text; the one
// application-wide filter lets any other field leave them to the window.
class CEditorCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorCommands)

public:
    struct Handlers {
        std::function<void(bool redo)> undo; // the window's history
        std::function<bool(bool redo)> canUndo;
        std::function<void()> loadSat;
        std::function<void()> skyView;
        std::function<void()> checkSettings;
        std::function<void()> updateTransponders;
        std::function<void()> pointingSheet;
        std::function<void()> about;
        QAbstractButton* open; // pressed by Ctrl+O and Ctrl+S
        QAbstractButton* save;
    };
    CEditorCommands(QWidget* window, Handlers handlers);
    ~CEditorCommands() override;

    // The window's own menu (right click on the background).
    QMenu* Menu() const { return m_menu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildKeys();
    void BuildMenu();
    // The undo and redo keys: a field holding typing takes them for its own text.
    void Undo(bool redo);

    QWidget* m_window;
    Handlers m_handlers;
    QMenu* m_menu = nullptr;
};
