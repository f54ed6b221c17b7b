#include "editor/CFieldEdit.h"

#include "editor/CDropDownCombo.h"

#include <QFocusEvent>

CFieldEdit::CFieldEdit(QWidget* parent) : QLineEdit(parent) {}

void CFieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (CDropDownCombo::LeavesControl(event)) {
        emit focusLeft();
    }
}
