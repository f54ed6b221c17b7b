#include "editor/CTpRowDelegate.h"

#include <QAbstractItemView>
#include <QPainter>

CTpRowDelegate::CTpRowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

CTpRowDelegate::RowColours CTpRowDelegate::ColoursFor(int row, bool focused) {
    if (focused) {
        return {QColor(255, 255, 255), QColor(75, 149, 229)};
    }
    if (row % 2 == 0) {
        return {QColor(255, 99, 71), QColor(229, 232, 239)};
    }
    return {QColor(255, 165, 0), QColor(240, 247, 249)};
}

void CTpRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool focused = view != nullptr && view->currentIndex().isValid() &&
                         view->currentIndex().row() == index.row();
    const RowColours colours = ColoursFor(index.row(), focused);

    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    row.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    row.backgroundBrush = colours.background;
    row.palette.setColor(QPalette::Text, colours.text);
    row.palette.setColor(QPalette::HighlightedText, colours.text);
    painter->fillRect(option.rect, colours.background);
    QStyle* style = option.widget != nullptr ? option.widget->style() : nullptr;
    if (style != nullptr) {
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, option.widget);
    }
}
