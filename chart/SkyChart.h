#pragma once

#include "model/MeterData.h"

#include <QFont>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <vector>

// What the sky chart is drawn from: the dish position and, for each slot in use, what its
// dot and label show. Two equal inputs give the same chart, so a chart is rebuilt only when
// one of these changes, not on every repaint.
struct SkyInput {
    struct Satellite {
        std::array<char, kNameSize> name;
        std::uint16_t longitude;
        std::uint8_t direction;
        bool operator==(const Satellite&) const = default;
    };
    LocalPosition position{};
    int count = 0;
    std::array<Satellite, kMaxSatellites> satellites{};
    QSizeF size;
    QFont font;
    // The bottom scale in compass bearings, magnetic north `declination` degrees east of true
    // north; the dots stay where they are in the sky.
    bool compass = false;
    double declination = 0.0;

    static SkyInput From(const SettingsBlock& block, const QSizeF& size, const QFont& font);
    bool operator==(const SkyInput&) const = default;
};

// The geometry of the sky as the dish sees it, in widget coordinates: azimuth across, elevation
// up, the horizon at the bottom of the plot, the dish facing the equator. Nothing is painted
// here; the view paints what this places.
class SkyChart {
public:
    struct Mark {
        int slot;
        double azimuth;
        double elevation;
        QPointF dot;
        QString label;    // name and orbital position
        QRectF labelRect; // null when no free place was left for it
        QLineF leader;    // from the dot to a label placed away from it; null beside it
    };
    struct Tick {
        double azimuthOrElevation; // as labelled: a compass bearing on a compass scale
        double position;           // x for azimuth ticks, y for elevation ticks
        bool labelled;
    };

    static constexpr double kDotRadius = 4.0;
    static constexpr double kHitRadius = 8.0;
    // Space between a label's text and its frame, left and right.
    static constexpr double kLabelPad = 4.0;

    explicit SkyChart(const SkyInput& input);

    const SkyInput& Input() const { return m_input; }
    QRectF Plot() const { return m_plot; }
    bool FacingNorth() const { return m_facingNorth; }
    // The widget point of an azimuth and elevation in degrees; azimuths behind the dish are
    // pinned to the nearer side of the plot.
    QPointF Project(double azimuth, double elevation) const;

    const std::vector<Mark>& Marks() const { return m_marks; }
    const Mark* MarkOf(int slot) const;
    // Slots in use below the horizon, in slot order, with their texts.
    const std::vector<std::pair<int, QString>>& Below() const { return m_below; }
    QRectF BelowRect() const { return m_belowRect; } // null when there is no list
    // Row `index` of the list; the caption takes the row above the first.
    QRectF BelowRow(int index) const;
    static QString BelowCaption();
    // The part of the geostationary arc above the horizon; empty when none of it is.
    const QPolygonF& Arc() const { return m_arc; }
    const std::vector<Tick>& AzimuthTicks() const { return m_azimuthTicks; }
    const std::vector<Tick>& ElevationTicks() const { return m_elevationTicks; }

    // The slot whose dot (or else label) is under the point; -1 for none.
    int SlotAt(const QPointF& point) const;

    static QString AzimuthText(double azimuth);

private:
    void PlaceFrame(const std::vector<std::pair<int, QString>>& below);
    void BuildArc(double siteLongitude, double siteLatitude);
    void BuildTicks();
    void PlaceLabels();

    SkyInput m_input;
    bool m_facingNorth = false;
    QRectF m_plot;
    QRectF m_belowRect;
    std::vector<Mark> m_marks;
    std::vector<std::pair<int, QString>> m_below;
    QPolygonF m_arc;
    std::vector<Tick> m_azimuthTicks;
    std::vector<Tick> m_elevationTicks;
};
