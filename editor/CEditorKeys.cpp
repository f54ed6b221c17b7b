#include "editor/CEditorKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace {

bool IsCtrlY(const QKeyEvent* key) {
    return key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier;
}

} // namespace

CEditorKeys::CEditorKeys(QWidget* window, Handlers handlers) : QObject(window), m_window(window) {
    const auto shortcut = [window](const QList<QKeySequence>& keys, std::function<void()> run) {
        auto* shortcut = new QShortcut(window);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, window, std::move(run));
    };
    shortcut(QKeySequence::keyBindings(QKeySequence::Undo),
             [undo = handlers.undo] { undo(false); });
    // Some platforms count Ctrl+Y as Redo already; twice would make the key ambiguous.
    QList<QKeySequence> redo = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redo.contains(QKeySequence(Qt::CTRL | Qt::Key_Y))) {
        redo << QKeySequence(Qt::CTRL | Qt::Key_Y);
    }
    shortcut(redo, [undo = handlers.undo] { undo(true); });
    shortcut({QKeySequence(Qt::Key_F9)}, handlers.skyView);
    shortcut({QKeySequence(Qt::Key_F7)}, handlers.checkSettings);
    shortcut(QKeySequence::keyBindings(QKeySequence::Open), handlers.open);
    shortcut(QKeySequence::keyBindings(QKeySequence::Save), handlers.save);
    // The undo keys reach the window while no field holds typing of its own.
    qApp->installEventFilter(this);
}

CEditorKeys::~CEditorKeys() {
    qApp->removeEventFilter(this);
}

bool CEditorKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // A field without typing of its own leaves the undo keys to the window.
        const auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (edit != nullptr && edit->window() == m_window && !edit->isModified() &&
            (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
             IsCtrlY(key))) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
