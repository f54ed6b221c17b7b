#pragma once

#include <QFont>
#include <QRect>

// Converts layout positions given in dialog units into pixels for a dialog font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an eighth of its
// height.
class DialogUnits final {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
