#include "controls/DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the Latin letters, as the layouts were drawn against it.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseWidth = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    m_baseHeight = metrics.height();
}

int DialogUnits::X(int units) const {
    return units * m_baseWidth / 4;
}

int DialogUnits::Y(int units) const {
    return units * m_baseHeight / 8;
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}
