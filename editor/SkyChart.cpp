#include "editor/SkyChart.h"

#include "model/LookAngles.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPad = 4.0;
// How far apart, in text heights, two labelled elevation lines must be.
constexpr double kElevationLabelSpacing = 1.2;

SatelliteRecord RecordOf(const SkyInput::Satellite& satellite) {
    SatelliteRecord record{};
    record.name = satellite.name;
    record.longitude = satellite.longitude;
    record.direction = satellite.direction;
    return record;
}

// Degrees into (-180, 180].
double Wrap(double degrees) {
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped > 180.0) {
        wrapped -= 360.0;
    } else if (wrapped <= -180.0) {
        wrapped += 360.0;
    }
    return wrapped;
}

// A label rectangle beside the dot in the given direction (radians, counter-clockwise from
// east, as seen on screen), with its near side `distance` away from the dot's centre.
QRectF Beside(const QPointF& dot, double angle, double distance, const QSizeF& size) {
    constexpr double kSide = 0.38; // about 22.5 degrees: nearer the axis, centre the label
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const QPointF p(dot.x() + c * distance, dot.y() - s * distance);
    const double left = c > kSide    ? p.x()
                        : c < -kSide ? p.x() - size.width()
                                     : p.x() - size.width() / 2.0;
    const double top = s > kSide    ? p.y() - size.height()
                       : s < -kSide ? p.y()
                                    : p.y() - size.height() / 2.0;
    return {QPointF(left, top), size};
}

QRectF DotRect(const QPointF& dot) {
    const double r = SkyChart::kDotRadius + 1.0;
    return {dot.x() - r, dot.y() - r, 2.0 * r, 2.0 * r};
}

} // namespace

SkyInput SkyInput::From(const SettingsBlock& block, const QSizeF& size, const QFont& font) {
    SkyInput input;
    input.position = block.localPosition;
    input.count = UsedSlots(block);
    for (int slot = 0; slot < input.count; ++slot) {
        const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        input.satellites[static_cast<std::size_t>(slot)] = {record.name, record.longitude,
                                                            record.direction};
    }
    input.size = size;
    input.font = font;
    return input;
}

SkyChart::SkyChart(const SkyInput& input) : m_input(input) {
    const double siteLongitude = SiteLongitudeDegrees(input.position);
    const double siteLatitude = SiteLatitudeDegrees(input.position);
    // A dish points towards the equator; on the equator itself it faces south like in the north.
    m_facingNorth = siteLatitude < 0.0;

    std::vector<std::pair<int, QString>> below;
    struct Seen {
        int slot;
        LookAngles angles;
        QString label;
    };
    std::vector<Seen> seen;
    for (int slot = 0; slot < input.count; ++slot) {
        const SatelliteRecord record = RecordOf(input.satellites[static_cast<std::size_t>(slot)]);
        const QString label = QString::fromLatin1(NameText(record)) + QStringLiteral("  ") +
                              PositionText(record.longitude, record.direction == kWest);
        const LookAngles angles =
            ComputeLookAngles(siteLongitude, siteLatitude, SatelliteLongitudeDegrees(record));
        if (angles.visible) {
            seen.push_back({slot, angles, label});
        } else {
            below.emplace_back(slot, label);
        }
    }

    PlaceFrame(below);
    m_below = std::move(below);
    for (const Seen& satellite : seen) {
        m_marks.push_back({satellite.slot, satellite.angles.azimuth, satellite.angles.elevation,
                           Project(satellite.angles.azimuth, satellite.angles.elevation),
                           satellite.label, QRectF(), false});
    }
    BuildArc(siteLongitude, siteLatitude);
    BuildTicks();
    PlaceLabels();
}

// The list of satellites below the horizon takes a column on the right when there are any;
// the plot keeps two degrees of width per degree of height, so that the sky is not stretched.
void SkyChart::PlaceFrame(const std::vector<std::pair<int, QString>>& below) {
    const QFontMetricsF metrics(m_input.font);
    const double line = metrics.height();
    QRectF area(QPointF(0.0, 0.0), m_input.size);
    if (!below.empty()) {
        double width = metrics.horizontalAdvance(BelowCaption());
        for (const auto& entry : below) {
            width = std::max(width, metrics.horizontalAdvance(entry.second));
        }
        width = std::min(width + 3.0 * kPad, area.width() * 0.35);
        m_belowRect = QRectF(area.right() - width, area.top(), width, area.height());
        area.setRight(m_belowRect.left());
    }
    const double left = metrics.horizontalAdvance(QStringLiteral("90\u00b0")) + 2.0 * kPad;
    const double right = metrics.horizontalAdvance(QStringLiteral("270\u00b0")) / 2.0 + kPad;
    const double top = line / 2.0 + kPad;
    const double bottom = 2.0 * line + 2.0 * kPad;
    const QRectF inner = area.adjusted(left, top, -right, -bottom);
    const double width = std::max(0.0, std::min(inner.width(), 2.0 * inner.height()));
    m_plot = QRectF(inner.center().x() - width / 2.0, inner.center().y() - width / 4.0, width,
                    width / 2.0);
    if (!m_belowRect.isNull()) {
        m_belowRect.setTop(m_plot.top());
    }
}

QPointF SkyChart::Project(double azimuth, double elevation) const {
    const double facing = m_facingNorth ? 0.0 : 180.0;
    const double offset = std::clamp(Wrap(azimuth - facing), -90.0, 90.0);
    const double up = std::clamp(elevation, 0.0, 90.0);
    return {m_plot.left() + (offset + 90.0) / 180.0 * m_plot.width(),
            m_plot.bottom() - up / 90.0 * m_plot.height()};
}

// Samples the arc between the two points where it meets the horizon, found by bisection with
// the same look-angle math as the dots, so that the dots sit on the curve.
void SkyChart::BuildArc(double siteLongitude, double siteLatitude) {
    const auto angles = [&](double offset) {
        return ComputeLookAngles(siteLongitude, siteLatitude, siteLongitude + offset);
    };
    if (!angles(0.0).visible) {
        return; // too near a pole to see any of the arc
    }
    double inside = 0.0;
    double outside = 90.0;
    for (int i = 0; i < 40; ++i) {
        const double middle = (inside + outside) / 2.0;
        (angles(middle).visible ? inside : outside) = middle;
    }
    constexpr int kSteps = 96;
    for (int i = 0; i <= kSteps; ++i) {
        const double offset = -inside + 2.0 * inside * i / kSteps;
        const LookAngles point = angles(offset);
        m_arc << Project(point.azimuth, point.elevation);
    }
}

void SkyChart::BuildTicks() {
    if (m_plot.isEmpty()) {
        return;
    }
    const QFontMetricsF metrics(m_input.font);
    const double facing = m_facingNorth ? 0.0 : 180.0;
    const bool room30 =
        m_plot.width() / 6.0 > metrics.horizontalAdvance(QStringLiteral("270\u00b0")) + kPad;
    for (int offset = -90; offset <= 90; offset += 10) {
        const double azimuth = std::fmod(facing + offset + 360.0, 360.0);
        const bool labelled = offset % 90 == 0 || (room30 && offset % 30 == 0);
        m_azimuthTicks.push_back({azimuth, Project(azimuth, 0.0).x(), labelled});
    }
    const bool room10 = m_plot.height() / 9.0 > kElevationLabelSpacing * metrics.height();
    for (int elevation = 0; elevation <= 90; elevation += 10) {
        const bool labelled = room10 || elevation % 30 == 0;
        m_elevationTicks.push_back({double(elevation), Project(180.0, elevation).y(), labelled});
    }
}

// Greedy placement: each label takes the nearest free place around its dot, trying the four
// sides first and then rings further out, where a leader line joins it to its dot. A label
// never covers another label or any dot and stays inside the plot; one that finds no place is
// left out (its dot still answers hover and click).
void SkyChart::PlaceLabels() {
    if (m_plot.isEmpty()) {
        return;
    }
    const QFontMetricsF metrics(m_input.font);
    std::vector<QRectF> taken;
    for (const Mark& mark : m_marks) {
        taken.push_back(DotRect(mark.dot));
    }
    const double gap = kDotRadius + 3.0;
    const double step = metrics.height() * 0.8;
    const double reach = std::hypot(m_plot.width(), m_plot.height());
    constexpr double kPi = std::numbers::pi;
    // Right, left, the diagonals, then above and below.
    constexpr std::array<double, 8> kNear = {0.0,      kPi,          kPi / 4, 3 * kPi / 4,
                                             -kPi / 4, -3 * kPi / 4, kPi / 2, -kPi / 2};
    // Further out, in sixteenths of a turn: nearer the horizontal first, right before left.
    constexpr std::array<int, 16> kFar = {0, 8, 1, 7, -1, 9, 2, 6, -2, 10, 3, 5, -3, 11, 4, -4};
    for (Mark& mark : m_marks) {
        const QSizeF size(metrics.horizontalAdvance(mark.label) + 2.0 * kPad,
                          metrics.height() + 2.0);
        const auto fits = [&](const QRectF& rect) {
            if (!m_plot.contains(rect)) {
                return false;
            }
            const QRectF spaced = rect.adjusted(-1.0, -1.0, 1.0, 1.0);
            return std::none_of(taken.begin(), taken.end(),
                                [&](const QRectF& other) { return spaced.intersects(other); });
        };
        for (int ring = 0; mark.labelRect.isNull(); ++ring) {
            const double distance = gap + ring * step;
            if (distance > reach) {
                break;
            }
            const int directions = ring == 0 ? 8 : 16;
            for (int i = 0; i < directions; ++i) {
                const double angle = ring == 0 ? kNear[static_cast<std::size_t>(i)]
                                               : kPi / 8.0 * kFar[static_cast<std::size_t>(i)];
                const QRectF rect = Beside(mark.dot, angle, distance, size);
                if (fits(rect)) {
                    mark.labelRect = rect;
                    mark.leader = ring > 0;
                    taken.push_back(rect);
                    break;
                }
            }
        }
    }
}

const SkyChart::Mark* SkyChart::MarkOf(int slot) const {
    const auto found = std::find_if(m_marks.begin(), m_marks.end(),
                                    [slot](const Mark& mark) { return mark.slot == slot; });
    return found == m_marks.end() ? nullptr : &*found;
}

QRectF SkyChart::BelowRow(int index) const {
    const double line = QFontMetricsF(m_input.font).height();
    return {m_belowRect.left(), m_belowRect.top() + line * (index + 1), m_belowRect.width(), line};
}

int SkyChart::SlotAt(const QPointF& point) const {
    int nearest = -1;
    double best = kHitRadius;
    for (const Mark& mark : m_marks) {
        const double distance = std::hypot(point.x() - mark.dot.x(), point.y() - mark.dot.y());
        if (distance <= best) {
            best = distance;
            nearest = mark.slot;
        }
    }
    if (nearest >= 0) {
        return nearest;
    }
    for (const Mark& mark : m_marks) {
        if (mark.labelRect.contains(point)) {
            return mark.slot;
        }
    }
    for (std::size_t i = 0; i < m_below.size(); ++i) {
        if (BelowRow(static_cast<int>(i)).contains(point)) {
            return m_below[i].first;
        }
    }
    return -1;
}

QString SkyChart::PositionText(std::uint16_t tenths, bool west) {
    return QStringLiteral("%1.%2\u00b0 %3")
        .arg(tenths / 10)
        .arg(tenths % 10)
        .arg(west ? QLatin1Char('W') : QLatin1Char('E'));
}

QString SkyChart::AzimuthText(double azimuth) {
    return QStringLiteral("%1\u00b0").arg(std::lround(azimuth) % 360);
}

QString SkyChart::BelowCaption() {
    return QStringLiteral("Below the horizon:");
}
