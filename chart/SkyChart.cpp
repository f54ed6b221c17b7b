#include "chart/SkyChart.h"

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

// A label rectangle beside the dot in the given direction (its cosine and sine, the angle
// counter-clockwise from east, as seen on screen), with its near side `distance` away from the
// dot's centre.
QRectF Beside(const QPointF& dot, double c, double s, double distance, const QSizeF& size) {
    constexpr double kSide = 0.38; // about 22.5 degrees: nearer the axis, centre the label
    const QPointF p(dot.x() + c * distance, dot.y() - s * distance);
    const double left = c > kSide    ? p.x()
                        : c < -kSide ? p.x() - size.width()
                                     : p.x() - size.width() / 2.0;
    const double top = s > kSide    ? p.y() - size.height()
                       : s < -kSide ? p.y()
                                    : p.y() - size.height() / 2.0;
    return {QPointF(left, top), size};
}

// A rectangle as four edges, compared inline: placing labels compares thousands of them.
struct Box {
    double left, top, right, bottom;
    explicit Box(const QRectF& rect)
        : left(rect.left()), top(rect.top()), right(rect.right()), bottom(rect.bottom()) {}
    bool Overlaps(const Box& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// Whether the segment runs through the rectangle: the segment clipped to it (Liang-Barsky)
// keeps some length. Placing labels asks this often, so it stays plain arithmetic.
bool Crosses(const QLineF& line, const Box& rect) {
    // Most pairs lie apart; their bounding boxes tell it at once.
    if (std::max(line.x1(), line.x2()) < rect.left || std::min(line.x1(), line.x2()) > rect.right ||
        std::max(line.y1(), line.y2()) < rect.top || std::min(line.y1(), line.y2()) > rect.bottom) {
        return false;
    }
    const double dx = line.dx();
    const double dy = line.dy();
    double enter = 0.0;
    double leave = 1.0;
    const auto clip = [&](double p, double q) {
        if (p == 0.0) {
            return q >= 0.0;
        }
        const double t = q / p;
        if (p < 0.0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
        return enter <= leave;
    };
    return clip(-dx, line.x1() - rect.left) && clip(dx, rect.right - line.x1()) &&
           clip(-dy, line.y1() - rect.top) && clip(dy, rect.bottom - line.y1());
}

// Whether two segments cross at a point inside both.
bool Cross(const QLineF& a, const QLineF& b) {
    const auto side = [](const QPointF& p, const QPointF& q, const QPointF& r) {
        return (q.x() - p.x()) * (r.y() - p.y()) - (q.y() - p.y()) * (r.x() - p.x());
    };
    const double d1 = side(a.p1(), a.p2(), b.p1());
    const double d2 = side(a.p1(), a.p2(), b.p2());
    const double d3 = side(b.p1(), b.p2(), a.p1());
    const double d4 = side(b.p1(), b.p2(), a.p2());
    return ((d1 > 0.0 && d2 < 0.0) || (d1 < 0.0 && d2 > 0.0)) &&
           ((d3 > 0.0 && d4 < 0.0) || (d3 < 0.0 && d4 > 0.0));
}

// The point of the rectangle nearest to p, where a leader line ends.
QPointF Nearest(const QRectF& rect, const QPointF& p) {
    return {std::clamp(p.x(), rect.left(), rect.right()),
            std::clamp(p.y(), rect.top(), rect.bottom())};
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
    // Names and degrees need no shaping; skipping it halves the cost of measuring and drawing
    // the labels, which a repaint after every edit pays.
    input.font = font;
    input.font.setStyleStrategy(QFont::PreferNoShaping);
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
                              QString::fromStdString(OrbitalPositionText(record));
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
                           satellite.label, QRectF(), QLineF()});
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
        width = std::min(std::ceil(width) + 4.0 * kPad, area.width() * 0.35);
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
    constexpr int kSteps = 64;
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
    // Every ten degrees of the scale shown; a compass bearing stands at the true azimuth it
    // points to, so its marks move along the horizon by the declination.
    const double shift = m_input.compass ? m_input.declination : 0.0;
    const int first = static_cast<int>(std::ceil((facing - 90.0 - shift) / 10.0 - 1e-9)) * 10;
    const int last = static_cast<int>(std::floor((facing + 90.0 - shift) / 10.0 + 1e-9)) * 10;
    for (int bearing = first; bearing <= last; bearing += 10) {
        const int shown = (bearing + 360) % 360;
        const bool labelled = shown % 90 == 0 || (room30 && shown % 30 == 0);
        m_azimuthTicks.push_back({double(shown), Project(bearing + shift, 0.0).x(), labelled});
    }
    const bool room10 = m_plot.height() / 9.0 > kElevationLabelSpacing * metrics.height();
    for (int elevation = 0; elevation <= 90; elevation += 10) {
        const bool labelled = room10 || elevation % 30 == 0;
        m_elevationTicks.push_back({double(elevation), Project(180.0, elevation).y(), labelled});
    }
}

// Greedy placement: each label takes the nearest free place around its dot, trying the sides
// and diagonals first and then rings further out, where a leader line joins it to its dot. A
// label never covers another label, a dot or a leader line and stays inside the plot, and no
// leader crosses another dot. A first round, searching near the dots only, also keeps each
// leader clear of the labels and the other leaders; labels that find no such place get one in
// a second round over the whole plot where their leader may pass under a label or cross
// another. A label that finds no place at all is left out; its dot still answers hover and
// click.
void SkyChart::PlaceLabels() {
    if (m_plot.isEmpty()) {
        return;
    }
    const QFontMetricsF metrics(m_input.font);
    std::vector<Box> dots;
    for (const Mark& mark : m_marks) {
        dots.emplace_back(DotRect(mark.dot));
    }
    std::vector<Box> labels;
    std::vector<QLineF> leaders;
    const double gap = kDotRadius + 3.0;
    const double step = metrics.height() * 0.8;
    const double reach = std::hypot(m_plot.width(), m_plot.height());
    constexpr double kPi = std::numbers::pi;
    constexpr std::array<double, 8> kNear = {0.0,      kPi,          kPi / 4, 3 * kPi / 4,
                                             -kPi / 4, -3 * kPi / 4, kPi / 2, -kPi / 2};
    const Box plot(m_plot);
    // Measured once: both rounds try many places for each label.
    std::vector<QSizeF> sizes;
    for (const Mark& mark : m_marks) {
        sizes.emplace_back(metrics.horizontalAdvance(mark.label) + 2.0 * kLabelPad,
                           metrics.height() + 2.0);
    }
    // The directions tried on each ring, as seen from a dot of the right half (outward east);
    // the left half's are these turned half round. Every label tries the same rings.
    std::vector<std::vector<std::pair<double, double>>> rings;
    const auto directions = [&](int ring) -> const std::vector<std::pair<double, double>>& {
        while (static_cast<int>(rings.size()) <= ring) {
            const int r = static_cast<int>(rings.size());
            const double distance = gap + r * step;
            // Further out, about a label's height between neighbouring places, nearest the
            // outward horizontal first, alternating below and above.
            const int count =
                r == 0 ? 8 : std::max(8, static_cast<int>(2.0 * kPi * distance / (2.0 * step)));
            std::vector<std::pair<double, double>> units;
            for (int i = 0; i < count; ++i) {
                const double angle =
                    r == 0 ? kNear[static_cast<std::size_t>(i)]
                           : 2.0 * kPi / count * ((i + 1) / 2) * (i % 2 == 0 ? 1.0 : -1.0);
                units.emplace_back(std::cos(angle), std::sin(angle));
            }
            rings.push_back(std::move(units));
        }
        return rings[static_cast<std::size_t>(ring)];
    };

    const auto place = [&](std::size_t index, bool strict, double limit) {
        Mark& mark = m_marks[index];
        const QSizeF& size = sizes[index];
        // A leader starts inside the dots that touch its own; it may leave them.
        std::vector<bool> touching(dots.size());
        for (std::size_t i = 0; i < dots.size(); ++i) {
            touching[i] = dots[i].Overlaps(dots[index]);
        }
        const auto fits = [&](const QRectF& rect, const QLineF& leader) {
            const Box spaced(rect.adjusted(-1.0, -1.0, 1.0, 1.0));
            if (rect.left() < plot.left || rect.right() > plot.right || rect.top() < plot.top ||
                rect.bottom() > plot.bottom) {
                return false;
            }
            const auto covers = [&](const Box& other) {
                return spaced.Overlaps(other);
            };
            // The cheap tests first: most places fail on a rectangle already taken.
            if (std::any_of(dots.begin(), dots.end(), covers) ||
                std::any_of(labels.begin(), labels.end(), covers)) {
                return false;
            }
            if (std::any_of(leaders.begin(), leaders.end(),
                            [&](const QLineF& other) { return Crosses(other, spaced); })) {
                return false;
            }
            if (leader.isNull()) {
                return true;
            }
            for (std::size_t i = 0; i < dots.size(); ++i) {
                if (!touching[i] && Crosses(leader, dots[i])) {
                    return false;
                }
            }
            return !strict ||
                   (std::none_of(labels.begin(), labels.end(),
                                 [&](const Box& other) { return Crosses(leader, other); }) &&
                    std::none_of(leaders.begin(), leaders.end(),
                                 [&](const QLineF& other) { return Cross(leader, other); }));
        };
        // Labels fan out from the middle of the sky: those of the left half try the left first.
        const double outward = mark.dot.x() < m_plot.center().x() ? -1.0 : 1.0;
        for (int ring = 0;; ++ring) {
            const double distance = gap + ring * step;
            if (distance > limit) {
                return;
            }
            for (const auto& [c, s] : directions(ring)) {
                const QRectF rect = Beside(mark.dot, outward * c, outward * s, distance, size);
                const QLineF leader =
                    ring == 0 ? QLineF() : QLineF(mark.dot, Nearest(rect, mark.dot));
                if (fits(rect, leader)) {
                    mark.labelRect = rect;
                    mark.leader = leader;
                    labels.emplace_back(rect);
                    if (!leader.isNull()) {
                        leaders.push_back(leader);
                    }
                    return;
                }
            }
        }
    };
    // Dots in a crowd first, while the places near them are free; a lone dot finds room later.
    std::vector<std::size_t> order(m_marks.size());
    std::vector<int> neighbours(m_marks.size());
    const double crowd = 3.0 * metrics.height();
    for (std::size_t i = 0; i < m_marks.size(); ++i) {
        order[i] = i;
        for (const Mark& other : m_marks) {
            const QPointF d = other.dot - m_marks[i].dot;
            neighbours[i] += std::hypot(d.x(), d.y()) < crowd ? 1 : 0;
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return neighbours[a] > neighbours[b]; });
    for (std::size_t i : order) {
        place(i, true, reach / 6.0);
    }
    for (std::size_t i : order) {
        if (m_marks[i].labelRect.isNull()) {
            place(i, false, reach);
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

QString SkyChart::AzimuthText(double azimuth) {
    return QStringLiteral("%1\u00b0").arg(std::lround(azimuth) % 360);
}

QString SkyChart::BelowCaption() {
    return QStringLiteral("Below the horizon:");
}
