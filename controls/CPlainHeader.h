#pragma once

#include <QHeaderView>

// A header whose sections are measured in the widget's own font. Qt measures every section in
// bold, for the day it may be highlighted, and loading that font took a sixth of what the
// editor's start-up adds to a bare dialog; the list's columns have fixed widths anyway.
class CPlainHeader final : public QHeaderView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPlainHeader)

public:
    explicit CPlainHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
};
