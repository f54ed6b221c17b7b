// The Sky View window driven as a user does: dots, clicks, hints, labels, the horizon, saving.

#include "editor/CSkyView.h"
#include "model/Geomagnetism.h"
#include "model/LookAngles.h"
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
#include <tuple>

namespace {

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
    // Degrees East and North are positive; -0.0 is the South side of the equator.
    void Site(double longitude, double latitude) {
        const std::uint8_t ns = std::signbit(latitude) ? kSouth : kNorth;
        Block().localPosition = {
            Tenths(longitude), longitude < 0 ? kWest : kEast, 0, Tenths(latitude), ns, 0};
        m_view->Refresh(m_view->SelectedSlot());
    }
    // Azimuth grows across the plot centred on where the dish faces, elevation up.
    QPointF ExpectedPoint(const LookAngles& look, double latitude) const {
        double offset = look.azimuth - (latitude < 0.0 ? 0.0 : 180.0);
        offset = offset > 180.0 ? offset - 360.0 : offset;
        const QRectF plot = m_view->ChartRect();
        return {plot.left() + (offset + 90.0) / 180.0 * plot.width(),
                plot.bottom() - look.elevation / 90.0 * plot.height()};
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
    // Twenty long names; by default crowded on 30 degrees round due south of Munich (slot 14).
    void CrowdedArc(double first = -9.4, double step = 1.5) {
        Block().satCount = 20;
        for (int slot = 0; slot < 20; ++slot) {
            SatelliteRecord& record = Block().satellites[static_cast<std::size_t>(slot)];
            record = MakeNewSatellite(("Eutelsat " + std::to_string(10 + slot)).c_str());
            record.longitude = Tenths(first + step * slot);
            record.direction = first + step * slot < 0.0 ? kWest : kEast;
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
        // The angles are the model's; here, where each hemisphere's dish faces.
        const std::tuple<const char*, double, double> sites[] = {
            {"Munich", 11.6, 48.1}, {"Sydney", 151.2, -33.9}, {"equator, S", 30.0, -0.0}};
        // Every 18 degrees round the arc, off the sites' longitudes: no dish looks straight up.
        // The last slot is out of use: neither a dot nor listed.
        CrowdedArc(-177.5, 18.0);
        Block().satCount = 19;
        for (const auto& [place, lon, lat] : sites) {
            Site(lon, lat); // one window follows every move of the dish
            QStringList below;
            for (int slot = 0; slot < 20; ++slot) {
                const double longitude = -177.5 + 18.0 * slot;
                const LookAngles look = ComputeLookAngles(lon, lat, longitude);
                const QPointF point = m_view->SatellitePoint(slot);
                const bool seen = slot < 19 && look.visible;
                if (slot < 19 && !seen) {
                    below << QString::asprintf("Eutelsat %d  %.1f\u00b0 %c", 10 + slot,
                                               std::abs(longitude), longitude < 0.0 ? 'W' : 'E');
                }
                QVERIFY2(seen ? QLineF(point, ExpectedPoint(look, lat)).length() < 0.5
                              : point.isNull(),
                         qPrintable(QStringLiteral("%1, slot %2").arg(place).arg(slot)));
            }
            QVERIFY2(below.size() <= 13, place); // enough dots to be worth checking
            QCOMPARE(m_view->BelowHorizon(), below);
        }
        QVERIFY(m_view->ChartRect().right() < m_view->width() - 100); // the list sits beside it
    }

    void clickHoverAndSelectionOnTheDots() {
        CrowdedArc();
        QSignalSpy clicked(m_view.get(), &CSkyView::SatelliteClicked);
        // The empty sky high up and the axis labels answer nothing.
        const QPoint sky = m_view->ChartRect().topLeft().toPoint() + QPoint(3, 3);
        const QPoint axis(2, m_view->height() - 2);
        const std::pair<QPoint, int> clicks[] = {
            {Dot(0), 0}, {Dot(7), 7}, {Dot(19), 19}, {sky, -1}, {axis, -1}};
        for (const auto& [point, slot] : clicks) {
            QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, point);
            QCOMPARE(clicked.isEmpty() ? -1 : clicked.takeFirst().at(0).toInt(), slot);
        }
        // Hovering shows the pointing hint of the dot under the pointer (its text is the model's),
        // the empty sky none.
        QHelpEvent onDot(QEvent::ToolTip, Dot(4), m_view->mapToGlobal(Dot(4)));
        QApplication::sendEvent(m_view.get(), &onDot);
        QTRY_VERIFY(QToolTip::text().startsWith(QStringLiteral("3.4\u00b0 W\nAzimuth ")));
        QHelpEvent onSky(QEvent::ToolTip, sky, m_view->mapToGlobal(sky));
        QApplication::sendEvent(m_view.get(), &onSky);
        QTRY_VERIFY(!QToolTip::isVisible());
        // The selected slot's dot in the highlight colour, no other; none for a node that is
        // not a satellite in use. A slot that drops out of use loses its dot at once.
        for (const auto& [selected, used] : {std::pair(2, 19), std::pair(5, 19), std::pair(5, 5)}) {
            Block().satCount = static_cast<std::uint8_t>(used);
            m_view->Refresh(selected);
            QVERIFY(Dot(used).isNull());
            const QImage image = m_view->grab().toImage();
            for (int slot = 0; slot < used; ++slot) {
                const auto role = slot == selected ? QPalette::Highlight : QPalette::Text;
                QCOMPARE(image.pixelColor(Dot(slot)), m_view->palette().color(role));
            }
        }
    }

    void chartScalesAndLabelsNeverOverlapOnACrowdedArc() {
        CrowdedArc();
        const LookAngles south = ComputeLookAngles(11.6, 48.1, 11.6); // slot 14
        for (const QSize size : {QSize(720, 400), QSize(400, 900), QSize(330, 210)}) {
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

    void compassBearingsMoveTheScaleByTheDeclination() {
        // The bearings themselves are the model's; here the scale follows them (New York: west).
        const QDate today = QDate::currentDate();
        const double declination =
            MagneticDeclination(40.7, -74.0, DecimalYear(today.year(), today.month(), today.day()));
        QVERIFY(declination < -2.0); // far enough to see the marks move
        CrowdedArc();
        Site(-74.0, 40.7);
        const QPointF dot = m_view->SatellitePoint(14);
        QAction* compass = ContextMenu()->actions().value(1);
        QVERIFY(compass != nullptr && compass->isCheckable());
        for (const bool on : {true, false}) { // on, then off again: the true scale
            compass->trigger();
            QVERIFY(m_view->CompassBearings() == on && compass->isChecked() == on);
            // Each bearing stands at the true azimuth it points to; the sky stays put.
            const auto marks = m_view->ScaleMarks();
            QVERIFY(marks.size() >= 3);
            for (const auto& [bearing, x] : marks) {
                const double azimuth = std::fmod(bearing + (on ? declination : 0.0) + 360.0, 360.0);
                QVERIFY2(std::abs(x - ExpectedPoint({true, azimuth, 0.0, 0.0}, 40.7).x()) < 0.01,
                         qPrintable(QString::number(bearing)));
            }
            QCOMPARE(m_view->SatellitePoint(14), dot);
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
        QMenu* menu = ContextMenu();
        QVERIFY(menu != nullptr && menu->actions().size() == 2);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Save Image..."));
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Compass Bearings"));
        menu->actions()[0]->trigger();
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
