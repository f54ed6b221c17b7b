#include "controls/CComboBoxBase.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

CComboBoxBase::CComboBoxBase(QWidget* parent) : QComboBox(parent) {
    // The default wheel focus would let a scroll over the window take the focus and the entry.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, &CComboBoxBase::FinishClose);
    QAbstractItemModel* entries = model();
    // Entries are added one by one; measure each once instead of the whole list each time.
    connect(entries, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { OnRowsInserted(first, last); });
    connect(entries, &QAbstractItemModel::rowsRemoved, this, &CComboBoxBase::MeasureEntries);
    connect(entries, &QAbstractItemModel::modelReset, this, &CComboBoxBase::MeasureEntries);
    connect(entries, &QAbstractItemModel::dataChanged, this, &CComboBoxBase::MeasureEntries);
}

CComboBoxBase::~CComboBoxBase() = default;

void CComboBoxBase::showPopup() {
    PreparePopup();
    // Whether the list scrolls depends on its visible rows, which may have changed since.
    FitPopup();
    QComboBox::showPopup();
}

void CComboBoxBase::showEvent(QShowEvent* event) {
    PreparePopup();
    QComboBox::showEvent(event);
}

int CComboBoxBase::PopupWidth() const {
    const QAbstractItemView* list = view();
    int width = m_widestEntry + 2 * list->frameWidth();
    const Qt::ScrollBarPolicy policy = list->verticalScrollBarPolicy();
    if (policy == Qt::ScrollBarAlwaysOn ||
        (policy == Qt::ScrollBarAsNeeded && count() > maxVisibleItems())) {
        width += list->verticalScrollBar()->sizeHint().width();
    }
    return width;
}

void CComboBoxBase::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore(); // what lies behind scrolls instead, if anything
        return;
    }
    QComboBox::wheelEvent(event);
}

void CComboBoxBase::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        MeasureEntries();
    }
}

void CComboBoxBase::PreparePopup() {
    if (m_popupReady) {
        return;
    }
    m_popupReady = true;
    // A plain item delegate sizes each entry by its text; the menu-like one some styles pick
    // asks the same width for every entry, so the list could not be fitted to it.
    setItemDelegate(new QStyledItemDelegate(this));
    MeasureEntries();
}

void CComboBoxBase::OnRowsInserted(int first, int last) {
    if (!m_popupReady) {
        return;
    }
    const QAbstractItemView* list = view();
    for (int row = first; row <= last; ++row) {
        m_widestEntry = std::max(
            m_widestEntry, list->sizeHintForIndex(model()->index(row, modelColumn())).width());
    }
    FitPopup();
}

void CComboBoxBase::MeasureEntries() {
    m_widestEntry = 0;
    OnRowsInserted(0, count() - 1);
}

void CComboBoxBase::FitPopup() {
    view()->setMinimumWidth(PopupWidth());
}

void CComboBoxBase::hidePopup() {
    const bool wasOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (wasOpen && !m_closing) {
        m_closing = true;
        // Closed without a pick (Escape, a click elsewhere): no activated() follows.
        QTimer::singleShot(0, this, &CComboBoxBase::FinishClose);
    }
}

void CComboBoxBase::FinishClose() {
    if (m_closing) {
        m_closing = false;
        emit listClosed();
    }
}
