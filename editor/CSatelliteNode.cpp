#include "editor/CSatelliteNode.h"

#include "editor/CNavigationTree.h"
#include "editor/LockFindingText.h"
#include "model/Geomagnetism.h"
#include "model/LookAngles.h"

#include <QDate>

CSatelliteNode::CSatelliteNode(QTreeWidgetItem* parent, const MeterImage& image)
    : QTreeWidgetItem(parent), m_image(image) {}

QVariant CSatelliteNode::data(int column, int role) const {
    if (role == Qt::ToolTipRole && column == 0) {
        const int slot = CNavigationTree::SlotOfNode(this);
        const QString finding = FirstFindingText(m_image.settingsBlock, slot);
        const QString hint = PointingHintText(m_image, slot);
        return finding.isEmpty() ? hint : hint + QLatin1Char('\n') + finding;
    }
    return QTreeWidgetItem::data(column, role);
}

QString CSatelliteNode::PointingHintText(const MeterImage& image, int slot) {
    if (slot < 0 || slot >= static_cast<int>(kMaxSatellites)) {
        return {};
    }
    const SettingsBlock& block = image.settingsBlock;
    // The compass bearing is for today: the declination drifts by a few tenths a year.
    const QDate today = QDate::currentDate();
    return QString::fromStdString(
        PointingHint(block.localPosition, block.satellites[static_cast<std::size_t>(slot)],
                     DecimalYear(today.year(), today.month(), today.day())));
}
