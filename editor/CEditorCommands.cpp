#include "editor/CEditorCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace {

bool IsCtrlY(const QKeyEvent* key) {
    return key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier;
}

// The field of the window that holds typing of its own, if any.
QLineEdit* TypingField(const QWidget* window) {
    auto* edit = qobject_cast<QLineEdit*>(window->focusWidget());
    return edit != nullptr && edit->isModified() ? edit : nullptr;
}

} // namespace

CEditorCommands::CEditorCommands(QWidget* window, Handlers handlers)
    : QObject(window), m_window(window), m_handlers(std::move(handlers)) {
    BuildKeys();
    BuildMenu();
    // The undo keys reach the window while no field holds typing of its own.
    qApp->installEventFilter(this);
}

CEditorCommands::~CEditorCommands() {
    qApp->removeEventFilter(this);
}

void CEditorCommands::BuildKeys() {
    const auto shortcut = [this](const QList<QKeySequence>& keys, std::function<void()> run) {
        auto* shortcut = new QShortcut(m_window);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, m_window, std::move(run));
    };
    shortcut(QKeySequence::keyBindings(QKeySequence::Undo), [this] { Undo(false); });
    // Some platforms count Ctrl+Y as Redo already; twice would make the key ambiguous.
    QList<QKeySequence> redo = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redo.contains(QKeySequence(Qt::CTRL | Qt::Key_Y))) {
        redo << QKeySequence(Qt::CTRL | Qt::Key_Y);
    }
    shortcut(redo, [this] { Undo(true); });
    shortcut({QKeySequence(Qt::Key_F9)}, m_handlers.skyView);
    shortcut({QKeySequence(Qt::Key_F7)}, m_handlers.checkSettings);
    const auto press = [](QAbstractButton* button) {
        // As a click does: the button takes the focus first, which commits the field left.
        button->setFocus(Qt::MouseFocusReason);
        button->click();
    };
    shortcut(QKeySequence::keyBindings(QKeySequence::Open), [=, this] { press(m_handlers.open); });
    shortcut(QKeySequence::keyBindings(QKeySequence::Save), [=, this] { press(m_handlers.save); });
}

void CEditorCommands::BuildMenu() {
    m_menu = new QMenu(m_window);
    // The keys are shown only: the shortcuts above run them, and an action of a menu that is
    // not open takes no key, so no key is claimed twice.
    const auto item = [this](const QString& text, std::function<void()> run,
                             const QKeySequence& key = {}) {
        QAction* action = m_menu->addAction(text, m_window, std::move(run));
        action->setShortcut(key);
        action->setShortcutVisibleInContextMenu(true);
        return action;
    };
    QAction* undo = item(
        QStringLiteral("&Undo"), [this] { Undo(false); }, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = item(
        QStringLiteral("&Redo"), [this] { Undo(true); },
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_menu->addSeparator();
    item(QStringLiteral("Satellite &Library..."), m_handlers.loadSat);
    item(QStringLiteral("Sky &View..."), m_handlers.skyView, QKeySequence(Qt::Key_F9));
    item(QStringLiteral("&Check Settings..."), m_handlers.checkSettings, QKeySequence(Qt::Key_F7));
    item(QStringLiteral("Update &Transponders..."), m_handlers.updateTransponders);
    item(QStringLiteral("Pointing Sheet..."), m_handlers.pointingSheet);
    m_menu->addSeparator();
    item(QStringLiteral("&About orvex..."), m_handlers.about)->setProperty("commandId", 16);
    connect(m_menu, &QMenu::aboutToShow, this, [this, undo, redo] {
        const QLineEdit* edit = TypingField(m_window);
        undo->setEnabled(edit != nullptr ? edit->isUndoAvailable() : m_handlers.canUndo(false));
        redo->setEnabled(edit != nullptr ? edit->isRedoAvailable() : m_handlers.canUndo(true));
    });
}

void CEditorCommands::Undo(bool redo) {
    if (QLineEdit* edit = TypingField(m_window)) {
        redo ? edit->redo() : edit->undo();
        return;
    }
    m_handlers.undo(redo);
}

bool CEditorCommands::eventFilter(QObject* watched, QEvent* event) {
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
