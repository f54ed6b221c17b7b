#include "editor/CFieldEdit.h"

#include "editor/CDropDownCombo.h"

#include <QFocusEvent>
#include <QHelpEvent>
#include <QToolTip>

CFieldEdit::CFieldEdit(QWidget* parent) : QLineEdit(parent) {}

bool CFieldEdit::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_hintSource) {
        const QString hint = m_hintSource();
        if (hint.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hint, this);
        }
        return true;
    }
    return QLineEdit::event(event);
}

void CFieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (CDropDownCombo::LeavesControl(event)) {
        emit focusLeft();
    }
}
