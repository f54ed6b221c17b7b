#pragma once

#include "model/MeterData.h"

#include <QString>
#include <QTreeWidgetItem>

// A satellite node of the navigation tree. Its tooltip tells where to point the dish and what
// the settings check found first; it is worked out each time it is asked for, so it always
// follows the stored data.
class CSatelliteNode final : public QTreeWidgetItem {
public:
    CSatelliteNode(QTreeWidgetItem* parent, const MeterImage& image);

    QVariant data(int column, int role) const override;

    // The orbital position and the look angles of a slot's satellite from the stored dish
    // position, the compass bearing by today's declination; empty for a slot that does not
    // exist.
    static QString PointingHintText(const MeterImage& image, int slot);

private:
    const MeterImage& m_image;
};
