#include "controls/CPlainHeader.h"

#include <QStyleOptionHeader>

CPlainHeader::CPlainHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {}

QSize CPlainHeader::sectionSizeFromContents(int logicalIndex) const {
    if (model() == nullptr) {
        return {};
    }
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    option.fontMetrics = fontMetrics();
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}
