#include "editor/CDropDownCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

CDropDownCombo::CDropDownCombo(QWidget* parent) : CComboBoxBase(parent) {
    setInsertPolicy(QComboBox::NoInsert);
}

void CDropDownCombo::showEvent(QShowEvent* event) {
    // Most combos sit in panes that start hidden. Their edit field is made when they are first
    // shown: making all of them up front was a fifth of the window's start-up.
    if (!isEditable()) {
        setEditable(true);
        setCompleter(nullptr);
        // The combo would otherwise select the entry matching the typed text when editing ends.
        disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    }
    CComboBoxBase::showEvent(event);
}

bool CDropDownCombo::LeavesControl(const QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    // The first opening of a combo's list also moves the focus once more inside the pop-up.
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           QApplication::activePopupWidget() == nullptr;
}

void CDropDownCombo::focusOutEvent(QFocusEvent* event) {
    CComboBoxBase::focusOutEvent(event);
    if (LeavesControl(event)) {
        emit focusLeft();
    }
}
