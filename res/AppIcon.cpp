#include "res/AppIcon.h"

#include "res/TreeIcons.h"

#include <QImage>
#include <QPixmap>

#include <cstring>

static void InitResources() {
    Q_INIT_RESOURCE(orvex);
}

void RegisterResources() {
    static const bool registered = [] {
        InitResources();
        return true;
    }();
    (void)registered;
}

QIcon AppIcon() {
    static const QIcon icon = [] {
        RegisterResources();
        QIcon built;
        // The window needs no more; Qt reads each file as it is added, and the large sizes
        // would cost a visible share of the start-up. They are installed for the desktop.
        for (int size : {16, 32, 48}) {
            built.addFile(QString(":/icons/orvex-%1.png").arg(size), QSize(size, size));
        }
        return built;
    }();
    return icon;
}

QList<QIcon> TreeIcons() {
    QList<QIcon> icons;
    for (const TreeIconTable& table : kTreeIconTables) {
        QImage image(kTreeIconSize, kTreeIconSize, QImage::Format_ARGB32);
        for (int y = 0; y < kTreeIconSize; ++y) {
            for (int x = 0; x < kTreeIconSize; ++x) {
                const char* key = std::strchr(kTreeIconKeys, table.rows[y][x]);
                image.setPixel(x, y, table.colours[key - kTreeIconKeys]);
            }
        }
        icons << QIcon(QPixmap::fromImage(image));
    }
    return icons;
}
