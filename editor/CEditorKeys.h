#pragma once

#include <QObject>

#include <functional>

class QWidget;

// The editor window's keys: Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, F9, F7, Ctrl+O and Ctrl+S as window
// shortcuts, and the one application-wide filter that lets a field without typing of its own
// leave the undo keys to the window.
class CEditorKeys final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorKeys)

public:
    struct Handlers {
        std::function<void(bool redo)> undo;
        std::function<void()> skyView;
        std::function<void()> checkSettings;
        std::function<void()> open;
        std::function<void()> save;
    };
    CEditorKeys(QWidget* window, Handlers handlers);
    ~CEditorKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};
