#pragma once

#include <QStyledItemDelegate>

// Draws the transponder rows in their own colours: alternating by row index, and the focused
// row standing out. The system's selection colours are never drawn.
class CTpRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTpRowDelegate)

public:
    explicit CTpRowDelegate(QObject* parent = nullptr);

    struct RowColours {
        QColor text;
        QColor background;
    };
    // The colours of a row; focused is whether it holds the list's current cell.
    static RowColours ColoursFor(int row, bool focused);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
