#include "controls/CNumEdit.h"

#include "controls/UserPrompts.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

namespace {

constexpr int kNoChar = -1;

// The control characters that pass the filter: Backspace, copy, paste, cut.
bool IsEditingControl(int c) {
    return c == 8 || c == 3 || c == 22 || c == 24;
}

// The character a key press types, kNoChar for a key that types none (arrows, Delete, ...).
// Ctrl with a letter types the letter's control character.
int TypedChar(const QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = (mods & Qt::ControlModifier) != 0;
    if (key == Qt::Key_Backspace) {
        return ctrl ? 127 : 8;
    }
    if (ctrl && !(mods & Qt::AltModifier)) {
        return key >= Qt::Key_A && key <= Qt::Key_Z ? key - Qt::Key_A + 1 : kNoChar;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        return kNoChar;
    }
    const char16_t c = text.at(0).unicode();
    return c < 0x20 || c == 0x7F ? kNoChar : c;
}

} // namespace

CNumEdit* CNumEdit::s_instance = nullptr;

CNumEdit* CNumEdit::GetInstance() {
    if (s_instance == nullptr) {
        s_instance = new CNumEdit();
    }
    return s_instance;
}

void CNumEdit::DeleteInstance() {
    delete s_instance;
    s_instance = nullptr;
}

CNumEdit::CNumEdit() : CInPlaceEdit(this) {
    setFrame(false);
    // Every way in for text goes through the filter: no drops and no input method.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

CNumEdit::~CNumEdit() {
    // A list that owned the window may delete it; the next GetInstance then starts afresh.
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

bool CNumEdit::BeginEdit(const QRect& rect, CellEditHost* parent, int id, int row, int column,
                         const QString& chars, const QString& text, int charsColumn) {
    if (parent == nullptr) {
        return false;
    }
    m_allowedChars = (charsColumn == -1 || charsColumn == column) ? chars : QString();
    m_limit = -1;
    BeginCell(parent, id, row, column, text);
    setGeometry(rect);
    show();
    raise();
    setText(text);
    selectAll();
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool CNumEdit::Accepts(QChar c) const {
    return m_allowedChars.isEmpty() || m_allowedChars.contains(c) || IsEditingControl(c.unicode());
}

bool CNumEdit::AcceptsAll(const QString& text) const {
    for (const QChar c : text) {
        if (!m_allowedChars.contains(c)) {
            return false;
        }
    }
    return true;
}

int CNumEdit::Room() const {
    if (m_limit < 0) {
        return static_cast<int>(maxLength());
    }
    const auto kept = text().size() - selectedText().size();
    return static_cast<int>(std::max<qsizetype>(0, m_limit - kept));
}

void CNumEdit::Beep() {
    if (m_prompts != nullptr) {
        m_prompts->Beep();
    }
}

void CNumEdit::Paste(QClipboard::Mode mode) {
    const QString clip = QGuiApplication::clipboard()->text(mode);
    if (clip.isEmpty()) {
        return;
    }
    if (!m_allowedChars.isEmpty() && !AcceptsAll(clip)) {
        return; // refused silently, all or nothing
    }
    const int room = Room();
    if (room > 0) {
        insert(clip.left(room));
    }
}

bool CNumEdit::event(QEvent* event) {
    // Enter and Escape belong to the edit, never to the dialog's buttons or shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        Cancel();
        FocusToParent();
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        FocusToParent();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        event->accept();
        return;
    }
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    if (alt && !ctrl) {
        // Alt with a key is a mnemonic, not typing.
        event->ignore();
        return;
    }
    const int c = TypedChar(event);
    if (c == kNoChar) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool printable = !ctrl && c != 8;
    bool accepted = Accepts(QChar(c));
    if (accepted && printable && !m_allowedChars.isEmpty()) {
        accepted = AcceptsAll(text);
    }
    if (!accepted) {
        Beep();
        event->accept();
        return;
    }
    if (printable) {
        const int room = Room();
        if (room < text.size()) {
            if (room > 0) {
                insert(text.left(room));
            }
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CNumEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (!commit.isEmpty() && !m_allowedChars.isEmpty() && !AcceptsAll(commit)) {
        Beep();
        event->ignore();
        return;
    }
    if (commit.size() > Room()) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void CNumEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button's paste of the selection goes through the filter as well.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        Paste(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The edit's own context menu takes the focus for a moment; the edit goes on.
    if (event->reason() == Qt::PopupFocusReason) {
        return;
    }
    EndEdit();
}

void CNumEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (menu == nullptr) {
        return;
    }
    // The standard "Paste" would bypass the filter; it is found by its name or its own text.
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().startsWith(QLineEdit::tr("&Paste"))) {
            action->disconnect(this);
            connect(action, &QAction::triggered, this, [this] { Paste(); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}
