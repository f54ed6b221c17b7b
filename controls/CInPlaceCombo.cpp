#include "controls/CInPlaceCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

CInPlaceCombo* CInPlaceCombo::s_instance = nullptr;

CInPlaceCombo* CInPlaceCombo::GetInstance() {
    if (s_instance == nullptr) {
        s_instance = new CInPlaceCombo();
    }
    return s_instance;
}

void CInPlaceCombo::DeleteInstance() {
    delete s_instance;
    s_instance = nullptr;
}

CInPlaceCombo::CInPlaceCombo() : CInPlaceEdit(this) {
    setEditable(false); // choose only, no typed text
    setInsertPolicy(QComboBox::NoInsert);
    // Watch the drop-down: its closing ends the edit, and Escape in it cancels the edit.
    view()->installEventFilter(this);
    view()->window()->installEventFilter(this);
}

CInPlaceCombo::~CInPlaceCombo() {
    // A list that owned the window may delete it; the next GetInstance then starts afresh.
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

bool CInPlaceCombo::BeginEdit(quint32 style, const QRect& rect, CellEditHost* parent, int id,
                              int row, int column, const QStringList& choices,
                              const QString& text) {
    if (parent == nullptr) {
        return false;
    }
    m_choices = choices;
    m_windowRect = rect;
    BeginCell(parent, id, row, column, text);

    // The closed field covers the cell; the rest of the rectangle is room for the dropped list,
    // one spare row included.
    const int rowHeight = std::max(1, std::min(rect.height(), parent->EditView()->rowHeight(row)));
    setGeometry(rect.x(), rect.y(), rect.width(), rowHeight);
    setMaxVisibleItems(std::max(1, (rect.height() - rowHeight) / rowHeight - 1));
    Qt::ScrollBarPolicy policy = Qt::ScrollBarAlwaysOff;
    if (style & kVScroll) {
        policy = (style & kDisableNoScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
    }
    view()->setVerticalScrollBarPolicy(policy);

    clear();
    addItems(m_choices);
    setCurrentIndex(-1);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool CInPlaceCombo::event(QEvent* event) {
    // Enter and Escape belong to the combo, never to the dialog's buttons or shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return CComboBoxBase::event(event);
}

bool CInPlaceCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && IsEditing()) {
        Cancel();
    } else if (watched == view()->window() && event->type() == QEvent::Hide && IsEditing()) {
        // The list closes before a picked entry becomes current: end the edit once it has.
        const quint64 edit = EditNumber();
        QMetaObject::invokeMethod(
            this, [this, edit] { OnDropDownClosed(edit); }, Qt::QueuedConnection);
    }
    return CComboBoxBase::eventFilter(watched, event);
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        Cancel();
        FocusToParent();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FocusToParent();
        event->accept();
        return;
    default:
        CComboBoxBase::keyPressEvent(event);
    }
}

void CInPlaceCombo::focusOutEvent(QFocusEvent* event) {
    CComboBoxBase::focusOutEvent(event);
    // Dropping the combo's own list moves the focus into the pop-up; the edit goes on.
    if (event->reason() == Qt::PopupFocusReason || view()->window()->isVisible()) {
        return;
    }
    EndEdit();
}

void CInPlaceCombo::contextMenuEvent(QContextMenuEvent* event) {
    // Keep the list's context menu from opening over an edit in progress.
    event->accept();
}

void CInPlaceCombo::OnDropDownClosed(quint64 edit) {
    if (edit != EditNumber() || !IsEditing()) {
        return;
    }
    // Back to the list, unless a click that closed the drop-down took the focus elsewhere.
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus == this || focus == List()) {
        FocusToParent();
    }
    EndEdit(); // the focus went elsewhere while the list was open, or cannot come back
}
