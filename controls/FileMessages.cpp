#include "controls/FileMessages.h"

#include <QFile>

std::filesystem::path LocalPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString CannotOpenText(const QString& path) {
    return QStringLiteral("The file '") + path + QStringLiteral("'could not be opened!");
}
