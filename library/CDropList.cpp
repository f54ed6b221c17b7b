#include "library/CDropList.h"

#include <QAbstractItemView>
#include <QTimer>

CDropList::CDropList(QWidget* parent) : CComboBoxBase(parent) {
    setEditable(false);
    // A choice made in the pop-up is reported right after the box has taken it.
    connect(this, &QComboBox::activated, this, [this](int) { FinishCloseUp(); });
}

void CDropList::hidePopup() {
    const bool wasShown = view()->isVisible();
    CComboBoxBase::hidePopup();
    if (!wasShown) {
        return;
    }
    m_closeUpPending = true;
    // Closed without a choice (Escape, a click outside): no entry follows, report once idle.
    QTimer::singleShot(0, this, &CDropList::FinishCloseUp);
}

void CDropList::FinishCloseUp() {
    if (!m_closeUpPending) {
        return;
    }
    m_closeUpPending = false;
    emit closedUp();
}
