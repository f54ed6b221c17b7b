// The Sky View window driven as a user does: dots, clicks, hints, labels, the horizon, saving.

#include "editor/CSkyView.h"
#include "model/Geomagnetism.h"
#include "model/MeterData.h"
#include "tests/support/FakePrompts.h"

#include <QDate>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <cmath>
#include <memory>
#include <numbers>
#include <tuple>

namespace {

// Look angles from the textbook closed forms, apart from the editor's own vector math.
struct Look {
    double azimuth, elevation;
};

Look ClosedForm(double siteLongitude, double siteLatitude, double satelliteLongitude) {
    constexpr double kRatio = 6378.137 / 42164.17; // Earth radius over orbit radius
    const double rad = std::numbers::pi / 180.0;
    const double d = (satelliteLongitude - siteLongitude) * rad;
    const double phi = siteLatitude * rad;
    const double c = std::cos(phi) * std::cos(d);
    const double elevation = std::atan2(c - kRatio, std::sqrt(1.0 - c * c)) / rad;
    const double azimuth = std::atan2(std::sin(d), -std::sin(phi) * std::cos(d)) / rad;
    return {azimuth < 0.0 ? azimuth + 360.0 : azimuth, elevation};
}

std::uint16_t Tenths(double degrees) {
    return static_cast<std::uint16_t>(std::lround(std::abs(degrees) * 10.0));
}

} // namespace

class TestSkyView : public QObject {
    Q_OBJECT

    std::unique_ptr<MeterImage> m_image;
    FakePrompts m_prompts;
    std::unique_ptr<CSkyView> m_view;

    SettingsBlock& Block() { return m_image->settingsBlock; }
    QPoint Dot(int slot) const { return m_view->SatellitePoint(slot).toPoint(); }
    void SetSatellite(int slot, const std::string& name, double longitude) {
        SatelliteRecord& record = Block().satellites[static_cast<std::size_t>(slot)];
        record = MakeNewSatellite(name.c_str());
        record.longitude = Tenths(longitude);
        record.direction = longitude < 0.0 ? kWest : kEast;
    }
    // Degrees East and North are positive; -0.0 is the South side of the equator.
    void Site(double longitude, double latitude) {
        const std::uint8_t ns = std::signbit(latitude) ? kSouth : kNorth;
        Block().localPosition = {
            Tenths(longitude), longitude < 0 ? kWest : kEast, 0, Tenths(latitude), ns, 0};
        m_view->Refresh(m_view->SelectedSlot());
    }
    // Azimuth grows across the plot centred on where the dish faces, elevation up.
    QPointF ExpectedPoint(const Look& look, double latitude) const {
        double offset = look.azimuth - (latitude < 0.0 ? 0.0 : 180.0);
        offset = offset > 180.0 ? offset - 360.0 : offset;
        const QRectF plot = m_view->ChartRect();
        return {plot.left() + (offset + 90.0) / 180.0 * plot.width(),
                plot.bottom() - look.elevation / 90.0 * plot.height()};
    }
    // Twenty long names; by default crowded on 30 degrees round due south of Munich (slot 14).
    static QStringList MenuTexts(const QMenu* menu) {
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            texts << action->text();
        }
        return texts;
    }
    // The view's context menu as a right click opens it, closed again.
    QMenu* ContextMenu() {
        const QPoint centre = m_view->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, centre, m_view->mapToGlobal(centre));
        QApplication::sendEvent(m_view.get(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu != nullptr) {
            menu->close();
        }
        return menu;
    }
    void CrowdedArc(double first = -9.4, double step = 1.5) {
        Block().satCount = 20;
        for (int slot = 0; slot < 20; ++slot) {
            SetSatellite(slot, "Eutelsat " + std::to_string(10 + slot), first + step * slot);
        }
        m_view->Refresh(-1);
    }

private slots:
    void init() {
        m_image = std::make_unique<MeterImage>(FreshMeterImage());
        Block().localPosition = {116, kEast, 0, 481, kNorth, 0}; // Munich
        m_view = std::make_unique<CSkyView>(*m_image, m_prompts);
        m_view->resize(720, 400);
        m_view->Open();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void cleanup() {
        m_view.reset(); // its menu with it
        QCOMPARE(m_prompts.Pending(), QString());
        m_prompts.Reset();
    }

    void dotsSitWhereTheDishLooksInBothHemispheres() {
        const std::tuple<const char*, double, double> sites[] = {
            {"Munich", 11.6, 48.1},  {"Sydney", 151.2, -33.9},   {"Quito", -78.5, -0.2},
            {"equator", -78.5, 0.0}, {"equator, S", 30.0, -0.0}, {"Ushuaia", -68.3, -54.8},
        };
        // Every 18 degrees round the arc, off the sites' longitudes: no dish looks straight up.
        CrowdedArc(-177.5, 18.0);
        for (const auto& [place, lon, lat] : sites) {
            Site(lon, lat); // one window follows every move of the dish
            int seen = 0;
            for (int slot = 0; slot < 20; ++slot) {
                const Look look = ClosedForm(lon, lat, -177.5 + 18.0 * slot);
                const QPointF point = m_view->SatellitePoint(slot);
                seen += look.elevation < 0.0 ? 0 : 1;
                QVERIFY2(look.elevation < 0.0
                             ? point.isNull()
                             : QLineF(point, ExpectedPoint(look, lat)).length() < 0.5,
                         qPrintable(QStringLiteral("%1, slot %2").arg(place).arg(slot)));
            }
            QVERIFY2(seen >= 6, place);
            QCOMPARE(seen + m_view->BelowHorizon().size(), 20);
        }
    }

    void clickHoverAndSelectionOnTheDots() {
        CrowdedArc();
        QSignalSpy clicked(m_view.get(), &CSkyView::SatelliteClicked);
        for (int slot : {0, 7, 19}) {
            QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, Dot(slot));
            QCOMPARE(clicked.isEmpty() ? -1 : clicked.takeFirst().at(0).toInt(), slot);
        }
        // The empty sky high up and the axis labels answer nothing.
        const QPoint sky = m_view->ChartRect().topLeft().toPoint() + QPoint(3, 3);
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, sky);
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, QPoint(2, m_view->height() - 2));
        QCOMPARE(clicked.size(), 0);
        // A slot that drops out of use loses its dot at once, and its place stops answering.
        const QPoint last = Dot(19);
        Block().satCount = 19;
        m_view->Refresh(-1);
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, last);
        QVERIFY(Dot(19).isNull() && (clicked.isEmpty() || clicked.takeFirst().at(0).toInt() != 19));

        // Hovering shows the pointing hint of the dot under the pointer, the empty sky none.
        const auto hover = [&](const QPoint& point) {
            QHelpEvent help(QEvent::ToolTip, point, m_view->mapToGlobal(point));
            QApplication::sendEvent(m_view.get(), &help);
        };
        hover(Dot(4));
        QTRY_VERIFY(QToolTip::text().startsWith(QStringLiteral("3.4\u00b0 W\nAzimuth ")));
        hover(sky);
        QTRY_VERIFY(!QToolTip::isVisible());
        // The selected slot's dot in the highlight colour, no other.
        const auto colours = [&](int selected) {
            m_view->Refresh(selected);
            const QImage image = m_view->grab().toImage();
            QList<QColor> colours;
            for (int slot = 0; slot < Block().satCount; ++slot) {
                colours << image.pixelColor(Dot(slot));
            }
            return colours;
        };
        QList<QColor> expected(19, m_view->palette().color(QPalette::Text));
        expected[2] = m_view->palette().color(QPalette::Highlight);
        QCOMPARE(colours(2), expected);
        std::swap(expected[2], expected[5]);
        QCOMPARE(colours(5), expected);
        Block().satCount = 5; // nothing for a node that is not a satellite in use
        QCOMPARE(colours(5), expected.mid(0, 5));
    }

    void chartScalesAndLabelsNeverOverlapOnACrowdedArc() {
        CrowdedArc();
        const Look south = ClosedForm(11.6, 48.1, 11.6); // slot 14
        for (const QSize size :
             {QSize(720, 400), QSize(1280, 720), QSize(400, 900), QSize(330, 210)}) {
            m_view->resize(size);
            const QRectF plot = m_view->ChartRect();
            QCOMPARE(plot.width(), 2.0 * plot.height());
            QVERIFY(!plot.isEmpty() && m_view->rect().contains(plot.toAlignedRect()));
            QVERIFY(QLineF(m_view->SatellitePoint(14), ExpectedPoint(south, 48.1)).length() < 0.5);
            int labelled = 0;
            for (int a = 0; a < 20; ++a) {
                const QRectF label = m_view->LabelRect(a);
                labelled += label.isNull() ? 0 : 1;
                QVERIFY(label.isNull() || plot.contains(label));
                for (int b = 0; !label.isNull() && b < 20; ++b) {
                    const QRectF dot(m_view->SatellitePoint(b) - QPointF(4, 4), QSizeF(8, 8));
                    QVERIFY(!label.intersects(dot));
                    QVERIFY(b == a || !label.intersects(m_view->LabelRect(b)));
                }
            }
            QVERIFY(size.width() < 720 || labelled == 20); // at a usual size every label is kept
        }
    }

    void satellitesBelowTheHorizonAreListed() {
        Block().satCount = 4;
        SetSatellite(0, "Astra 1KR", 19.2);
        SetSatellite(1, "Galaxy 19", -97.0);
        SetSatellite(2, "Intelsat 9", -58.0);
        SetSatellite(3, "Optus D1", 160.0);
        SetSatellite(4, "Unused", -120.0); // beyond satCount: neither
        m_view->Refresh(-1);
        QCOMPARE(m_view->BelowHorizon(),
                 QStringList({"Galaxy 19  97.0\u00b0 W", "Optus D1  160.0\u00b0 E"}));
        QVERIFY(Dot(1).isNull() && Dot(3).isNull() && !Dot(0).isNull() && !Dot(2).isNull());
        QVERIFY(m_view->ChartRect().right() < m_view->width() - 100); // the list sits beside it
        Site(151.2, -33.9); // from Sydney the picture turns round
        QCOMPARE(m_view->BelowHorizon(),
                 QStringList({"Astra 1KR  19.2\u00b0 E", "Galaxy 19  97.0\u00b0 W",
                              "Intelsat 9  58.0\u00b0 W"}));
        Site(11.6, 85.0); // near the pole no part of the arc rises
        QCOMPARE(m_view->BelowHorizon().size(), 4);
    }

    void compassBearingsMoveTheScaleByTheDeclination() {
        const std::tuple<const char*, double, double> sites[] = {
            {"Munich", 11.6, 48.1}, {"New York", -74.0, 40.7}, {"Sydney", 151.2, -33.9}};
        const QDate today = QDate::currentDate();
        const double year = DecimalYear(today.year(), today.month(), today.day());
        CrowdedArc();
        for (const auto& [place, lon, lat] : sites) {
            Site(lon, lat);
            const QPointF dot = m_view->SatellitePoint(14);
            const auto trueMarks = m_view->ScaleMarks();
            QAction* compass = ContextMenu()->actions().value(1);
            QVERIFY(compass != nullptr && compass->isCheckable() && !compass->isChecked());
            compass->trigger();
            QVERIFY(m_view->CompassBearings() && compass->isChecked());
            const double declination = MagneticDeclination(lat, lon, year);
            QVERIFY2(std::abs(declination) > 2.0, place); // far enough to see the marks move
            // Each bearing stands at the true azimuth it points to; the sky stays put.
            const auto marks = m_view->ScaleMarks();
            const Look facing = {lat < 0.0 ? 0.0 : 180.0, 0.0};
            QVERIFY2(marks.size() >= 3, place);
            for (const auto& [bearing, x] : marks) {
                const Look at = {std::fmod(bearing + declination + 360.0, 360.0), 0.0};
                QVERIFY2(std::abs(x - ExpectedPoint(at, lat).x()) < 0.01,
                         qPrintable(QStringLiteral("%1: %2").arg(place).arg(bearing)));
            }
            // The letter the dish faces moved by the declination, east to the right.
            const auto cardinal = [&](const auto& list) {
                for (const auto& [bearing, x] : list) {
                    if (bearing == std::lround(facing.azimuth)) {
                        return x;
                    }
                }
                return -1.0;
            };
            const double shift = declination / 180.0 * m_view->ChartRect().width();
            QVERIFY2(std::abs(cardinal(marks) - cardinal(trueMarks) - shift) < 0.01, place);
            QCOMPARE(m_view->SatellitePoint(14), dot);
            compass->trigger(); // off again: the true scale
            QVERIFY(!m_view->CompassBearings() && m_view->ScaleMarks() == trueMarks);
        }
    }

    void aWindowOfItsOwnThatSavesItsImage() {
        QCOMPARE(m_view->windowTitle(), QStringLiteral("Sky View"));
        m_view->close(); // closing hides it; opening again brings the same window back
        m_view->Open();
        QVERIFY(m_view->isVisible() && !m_view->isModal());
        QWidget owner; // owned by the editor it is still a window, not a pane inside it
        QVERIFY(CSkyView(*m_image, m_prompts, &owner).isWindow());
        CrowdedArc();
        m_view->Refresh(5);
        m_view->resize(640, 360);
        QTemporaryDir dir;
        m_prompts.saveAnswers = {dir.filePath("sky.png")};
        const QPoint centre = m_view->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, centre, m_view->mapToGlobal(centre));
        QApplication::sendEvent(m_view.get(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QCOMPARE(MenuTexts(menu), QStringList({"Save Image...", "Compass Bearings"}));
        menu->close();
        menu->actions().first()->trigger();
        QCOMPARE(m_prompts.saveCalls.size(), 1u);
        const auto& call = m_prompts.saveCalls.front();
        QCOMPARE(QStringList({call.filter, call.proposedName, call.defaultSuffix}),
                 QStringList({"PNG Image (*.png)|*.png|", "SkyView", ".png"}));
        const QImage written(dir.filePath("sky.png"), "PNG");
        QCOMPARE(written.size(), QSize(640, 360));
        QCOMPARE(written.pixelColor(Dot(5)), m_view->palette().color(QPalette::Highlight));
        m_prompts.saveAnswers = {QString()}; // cancelled: nothing written, nothing said
        m_view->SaveImage();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"sky.png"}));
        m_prompts.saveAnswers = {dir.filePath("missing/sky.png")}; // cannot be written there
        m_view->SaveImage();
        QCOMPARE(m_prompts.TakeMessages(), QStringList({"Write file error!"}));
    }
};

QTEST_MAIN(TestSkyView)
#include "test_sky_view.moc"
