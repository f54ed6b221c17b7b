#include "app/AppIcon.h"

static void InitResources() {
    Q_INIT_RESOURCE(orvex);
}

QIcon AppIcon() {
    static const QIcon icon = [] {
        InitResources();
        QIcon built;
        for (int size : {16, 32, 48, 64, 128, 256}) {
            built.addFile(QString(":/icons/orvex-%1.png").arg(size), QSize(size, size));
        }
        return built;
    }();
    return icon;
}
