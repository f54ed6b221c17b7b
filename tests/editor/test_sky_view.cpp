// The Sky View window driven as a user does: where the dots sit for dishes in both hemispheres
// and on the equator, clicks and hover texts on the dots, the labels of a crowded arc, the
// list of satellites below the horizon, the highlight and "Save Image...".

#include "editor/CSatelliteNode.h"
#include "editor/CSkyView.h"
#include "model/MeterData.h"
#include "tests/support/FakePrompts.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

// Look angles of a geostationary satellite from the textbook closed forms, written apart from
// the editor's own vector math so that each checks the other.
struct Look {
    double azimuth;
    double elevation;
};

Look ClosedForm(double siteLongitude, double siteLatitude, double satelliteLongitude) {
    constexpr double kRatio = 6378.137 / 42164.17; // Earth radius over orbit radius
    const double rad = std::numbers::pi / 180.0;
    const double d = (satelliteLongitude - siteLongitude) * rad;
    const double phi = siteLatitude * rad;
    const double c = std::cos(phi) * std::cos(d);
    const double elevation = std::atan2(c - kRatio, std::sqrt(1.0 - c * c)) / rad;
    double azimuth = std::atan2(std::sin(d), -std::sin(phi) * std::cos(d)) / rad;
    if (azimuth < 0.0) {
        azimuth += 360.0;
    }
    return {azimuth, elevation};
}

double Signed(std::uint16_t tenths, std::uint8_t letter, std::uint8_t negative) {
    return (letter == negative ? -1.0 : 1.0) * tenths / 10.0;
}

void SetSatellite(SatelliteRecord& record, const char* name, double longitude) {
    record = MakeNewSatellite(name);
    record.longitude = static_cast<std::uint16_t>(std::lround(std::abs(longitude) * 10.0));
    record.direction = longitude < 0.0 ? kWest : kEast;
}

} // namespace

class TestSkyView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dotsSitWhereTheDishLooksInBothHemispheres();
    void chartKeepsItsProportionsAndTheWindowItsTitle();
    void clickOnADotEmitsItsSlot();
    void hoverShowsThePointingHint();
    void labelsNeverOverlapOnACrowdedArc();
    void satellitesBelowTheHorizonAreListed();
    void highlightFollowsTheSelectedSlot();
    void saveImageWritesAPngOfTheWindowSize();

private:
    SettingsBlock& Block() { return m_image->settingsBlock; }
    void Site(std::uint16_t longitude, std::uint8_t lonDir, std::uint16_t latitude,
              std::uint8_t latDir) {
        Block().localPosition = {longitude, lonDir, 0, latitude, latDir, 0};
        m_view->Refresh(m_view->SelectedSlot());
    }
    void CrowdedArc();
    QPointF ExpectedPoint(const Look& look) const;
    QMenu* RightClick(const QPoint& point);

    std::unique_ptr<MeterImage> m_image;
    FakePrompts m_prompts;
    std::unique_ptr<CSkyView> m_view;
    QTemporaryDir m_dir;
};

void TestSkyView::init() {
    QVERIFY(m_dir.isValid());
    m_image = std::make_unique<MeterImage>(FreshMeterImage());
    Block().localPosition = {116, kEast, 0, 481, kNorth, 0}; // Munich
    m_view = std::make_unique<CSkyView>(*m_image, m_prompts);
    m_view->resize(720, 400);
    m_view->Open();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestSkyView::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    m_view.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

// Azimuth across the plot centred on the direction the dish faces, elevation up.
QPointF TestSkyView::ExpectedPoint(const Look& look) const {
    const LocalPosition& site = m_image->settingsBlock.localPosition;
    const bool south = site.latitudeDir == kSouth && site.latitude > 0;
    double offset = look.azimuth - (south ? 0.0 : 180.0);
    offset = offset > 180.0 ? offset - 360.0 : offset;
    const QRectF plot = m_view->ChartRect();
    return {plot.left() + (offset + 90.0) / 180.0 * plot.width(),
            plot.bottom() - look.elevation / 90.0 * plot.height()};
}

// Twenty satellites within 30 degrees of arc due south of Munich, with the longest names.
void TestSkyView::CrowdedArc() {
    Block().satCount = 20;
    for (int slot = 0; slot < 20; ++slot) {
        const QByteArray name =
            QStringLiteral("Eutelsat %1").arg(slot, 2, 10, QChar('0')).toLatin1();
        SetSatellite(Block().satellites[static_cast<std::size_t>(slot)], name.constData(),
                     -10.0 + 1.5 * slot);
    }
    m_view->Refresh(-1);
}

QMenu* TestSkyView::RightClick(const QPoint& point) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, m_view->mapToGlobal(point));
    QApplication::sendEvent(m_view.get(), &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void TestSkyView::dotsSitWhereTheDishLooksInBothHemispheres() {
    struct SiteCase {
        const char* place;
        std::uint16_t longitude;
        std::uint8_t lonDir;
        std::uint16_t latitude;
        std::uint8_t latDir;
    };
    const SiteCase sites[] = {
        {"Munich", 116, kEast, 481, kNorth},   {"Sydney", 1512, kEast, 339, kSouth},
        {"Quito", 785, kWest, 2, kSouth},      {"equator", 785, kWest, 0, kNorth},
        {"equator, S", 300, kEast, 0, kSouth}, {"Ushuaia", 683, kWest, 548, kSouth},
    };
    // Every 18 degrees round the arc, off the sites' own longitudes so that no dish looks
    // straight up.
    Block().satCount = 20;
    for (int slot = 0; slot < 20; ++slot) {
        SetSatellite(Block().satellites[static_cast<std::size_t>(slot)], "S", -177.5 + 18.0 * slot);
    }
    for (const SiteCase& site : sites) {
        // One window follows every move of the dish, as in the editor.
        Site(site.longitude, site.lonDir, site.latitude, site.latDir);
        const double lon = Signed(site.longitude, site.lonDir, kWest);
        const double lat = Signed(site.latitude, site.latDir, kSouth);
        const double middle = m_view->ChartRect().center().x();
        int seen = 0;
        for (int slot = 0; slot < 20; ++slot) {
            const SatelliteRecord& record = Block().satellites[static_cast<std::size_t>(slot)];
            const double satLon = Signed(record.longitude, record.direction, kWest);
            const Look look = ClosedForm(lon, lat, satLon);
            const QPointF point = m_view->SatellitePoint(slot);
            const QString where = QStringLiteral("%1, slot %2").arg(site.place).arg(slot);
            if (look.elevation < 0.0) {
                QVERIFY2(point.isNull(), qPrintable(where));
                continue;
            }
            ++seen;
            const QPointF expected = ExpectedPoint(look);
            QVERIFY2(std::abs(point.x() - expected.x()) < 0.5 &&
                         std::abs(point.y() - expected.y()) < 0.5,
                     qPrintable(QStringLiteral("%1: (%2, %3) drawn at (%4, %5)")
                                    .arg(where)
                                    .arg(expected.x())
                                    .arg(expected.y())
                                    .arg(point.x())
                                    .arg(point.y())));
            // East on the left when facing south (north and equator), on the right facing north.
            const bool east = std::sin((satLon - lon) * std::numbers::pi / 180.0) > 0.0;
            QVERIFY2((point.x() < middle) == (east != (lat < 0.0)), qPrintable(where));
        }
        QVERIFY2(seen >= 6, site.place);
        QCOMPARE(seen + m_view->BelowHorizon().size(), 20);
    }
}

void TestSkyView::chartKeepsItsProportionsAndTheWindowItsTitle() {
    QCOMPARE(m_view->windowTitle(), QStringLiteral("Sky View"));
    QVERIFY(!m_view->isModal());
    // Closing hides it; opening again brings the same window back.
    m_view->close();
    QVERIFY(!m_view->isVisible());
    m_view->Open();
    QVERIFY(m_view->isVisible());
    // Owned by the editor it is still a window of its own, not a pane inside the editor.
    QWidget owner;
    QVERIFY(CSkyView(*m_image, m_prompts, &owner).isWindow());
    // A satellite due south of the dish, at about 35 degrees.
    SetSatellite(Block().satellites[0], "South", 11.6);
    const Look look = ClosedForm(11.6, 48.1, 11.6);
    const QSize sizes[] = {{720, 400}, {1200, 300}, {400, 900}, {330, 210}};
    for (const QSize& size : sizes) {
        m_view->resize(size);
        const QRectF plot = m_view->ChartRect();
        QVERIFY(!plot.isEmpty());
        QCOMPARE(plot.width(), 2.0 * plot.height());
        QVERIFY(m_view->rect().contains(plot.toAlignedRect()));
        const QPointF dot = m_view->SatellitePoint(0);
        QCOMPARE(dot.x(), plot.center().x());
        QVERIFY(std::abs(dot.y() - ExpectedPoint(look).y()) < 0.5);
    }
}

void TestSkyView::clickOnADotEmitsItsSlot() {
    CrowdedArc();
    QSignalSpy clicked(m_view.get(), &CSkyView::SatelliteClicked);
    for (int slot : {0, 7, 19}) {
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, m_view->SatellitePoint(slot).toPoint());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.takeFirst().at(0).toInt(), slot);
    }
    // The empty sky high up and the axis labels answer nothing.
    QTest::mouseClick(m_view.get(), Qt::LeftButton, {},
                      m_view->ChartRect().topLeft().toPoint() + QPoint(3, 3));
    QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, QPoint(2, m_view->height() - 2));
    QCOMPARE(clicked.size(), 0);

    // A slot that drops out of use loses its dot at once, and its place stops answering.
    const QPoint last = m_view->SatellitePoint(19).toPoint();
    Block().satCount = 19;
    m_view->Refresh(-1);
    QVERIFY(m_view->SatellitePoint(19).isNull());
    QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, last);
    QVERIFY(clicked.isEmpty() || clicked.takeFirst().at(0).toInt() != 19);
}

void TestSkyView::hoverShowsThePointingHint() {
    CrowdedArc();
    const auto hover = [&](const QPoint& point) {
        QHelpEvent help(QEvent::ToolTip, point, m_view->mapToGlobal(point));
        QApplication::sendEvent(m_view.get(), &help);
    };
    hover(m_view->SatellitePoint(4).toPoint());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), CSatelliteNode::PointingHintText(*m_image, 4));
    QVERIFY(QToolTip::text().startsWith(QStringLiteral("4.0\u00b0 W\nAzimuth: ")));

    // The text follows a move of the satellite without anything else happening.
    Block().satellites[4].longitude = 100;
    Block().satellites[4].direction = kEast;
    m_view->Refresh(-1);
    hover(m_view->SatellitePoint(4).toPoint());
    QTRY_VERIFY(QToolTip::text().startsWith(QStringLiteral("10.0\u00b0 E\n")));

    hover(m_view->ChartRect().topLeft().toPoint() + QPoint(3, 3));
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestSkyView::labelsNeverOverlapOnACrowdedArc() {
    CrowdedArc();
    const QSize sizes[] = {{720, 400}, {1280, 720}, {520, 300}, {330, 210}};
    for (const QSize& size : sizes) {
        m_view->resize(size);
        const QRectF plot = m_view->ChartRect();
        int labelled = 0;
        for (int a = 0; a < 20; ++a) {
            const QRectF label = m_view->LabelRect(a);
            QVERIFY(!m_view->SatellitePoint(a).isNull());
            if (label.isNull()) {
                continue;
            }
            ++labelled;
            QVERIFY(plot.contains(label));
            for (int b = 0; b < 20; ++b) {
                const QPointF dot = m_view->SatellitePoint(b);
                QVERIFY2(!label.intersects(QRectF(dot - QPointF(4, 4), QSizeF(8, 8))),
                         qPrintable(QStringLiteral("label %1 covers dot %2").arg(a).arg(b)));
                QVERIFY2(b == a || !label.intersects(m_view->LabelRect(b)),
                         qPrintable(QStringLiteral("labels %1 and %2 at %3x%4")
                                        .arg(a)
                                        .arg(b)
                                        .arg(size.width())
                                        .arg(size.height())));
            }
        }
        // At a usual size every satellite keeps its label.
        if (size.width() >= 720) {
            QCOMPARE(labelled, 20);
        }
    }
}

void TestSkyView::satellitesBelowTheHorizonAreListed() {
    Block().satCount = 4;
    SetSatellite(Block().satellites[0], "Astra 1KR", 19.2);
    SetSatellite(Block().satellites[1], "Galaxy 19", -97.0);
    SetSatellite(Block().satellites[2], "Intelsat 9", -58.0);
    SetSatellite(Block().satellites[3], "Optus D1", 160.0);
    SetSatellite(Block().satellites[4], "Unused", -120.0); // beyond satCount: neither
    m_view->Refresh(-1);
    QCOMPARE(m_view->BelowHorizon(),
             QStringList({"Galaxy 19  97.0\u00b0 W", "Optus D1  160.0\u00b0 E"}));
    QVERIFY(m_view->SatellitePoint(1).isNull() && m_view->SatellitePoint(3).isNull());
    QVERIFY(!m_view->SatellitePoint(0).isNull() && !m_view->SatellitePoint(2).isNull());
    // The list sits beside the chart, not over it.
    QVERIFY(m_view->ChartRect().right() < m_view->width() - 100);

    // From Sydney the picture turns round.
    Site(1512, kEast, 339, kSouth);
    QCOMPARE(m_view->BelowHorizon(),
             QStringList({"Astra 1KR  19.2\u00b0 E", "Galaxy 19  97.0\u00b0 W",
                          "Intelsat 9  58.0\u00b0 W"}));
    // Near the pole no part of the arc rises.
    Site(116, kEast, 850, kNorth);
    QCOMPARE(m_view->BelowHorizon().size(), 4);
    Block().satCount = 0;
    m_view->Refresh(-1);
    QVERIFY(m_view->BelowHorizon().isEmpty());
    QVERIFY(!m_view->grab().isNull());
}

void TestSkyView::highlightFollowsTheSelectedSlot() {
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Highlight, QColor(255, 0, 0));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    m_view->setPalette(palette);
    CrowdedArc();
    const auto colourAt = [&](int slot) {
        return m_view->grab().toImage().pixelColor(m_view->SatellitePoint(slot).toPoint());
    };
    const QColor red(255, 0, 0);
    const QColor black(0, 0, 0);
    m_view->Refresh(2);
    QCOMPARE(colourAt(2), red);
    QCOMPARE(colourAt(5), black);
    m_view->Refresh(5);
    QCOMPARE(colourAt(2), black);
    QCOMPARE(colourAt(5), red);
    // Nothing is highlighted for a node that is not a satellite in use.
    Block().satCount = 5;
    m_view->Refresh(5);
    for (int slot = 0; slot < 5; ++slot) {
        QCOMPARE(colourAt(slot), black);
    }
}

void TestSkyView::saveImageWritesAPngOfTheWindowSize() {
    CrowdedArc();
    m_view->resize(640, 360);
    const QString path = m_dir.filePath("sky.png");
    m_prompts.saveAnswers = {path};
    QMenu* menu = RightClick(m_view->rect().center());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->actions().size(), 1);
    QAction* save = menu->actions().first();
    QCOMPARE(save->text(), QStringLiteral("Save Image..."));
    menu->close();
    save->trigger();
    QCOMPARE(m_prompts.saveCalls.size(), 1u);
    QCOMPARE(m_prompts.saveCalls.front().filter, QStringLiteral("PNG Image (*.png)|*.png|"));
    QCOMPARE(m_prompts.saveCalls.front().proposedName, QStringLiteral("SkyView"));
    QCOMPARE(m_prompts.saveCalls.front().defaultSuffix, QStringLiteral(".png"));
    QImage written(path, "PNG");
    QCOMPARE(written.size(), QSize(640, 360));
    QCOMPARE(written.pixelColor(m_view->SatellitePoint(0).toPoint()),
             m_view->palette().color(QPalette::Text));

    // Cancelled: nothing written, nothing said.
    m_prompts.saveAnswers = {QString()};
    m_view->SaveImage();
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"sky.png"}));

    // A place that cannot be written: the message, and the earlier picture stays as it was.
    m_prompts.saveAnswers = {m_dir.filePath("missing/sky.png")};
    m_view->SaveImage();
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"Write file error!"}));
    QVERIFY(QDir(m_dir.path()).mkdir("taken.png"));
    m_prompts.saveAnswers = {m_dir.filePath("taken.png")};
    m_view->SaveImage();
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"Write file error!"}));
    QCOMPARE(QImage(path, "PNG").size(), QSize(640, 360));
}

QTEST_MAIN(TestSkyView)
#include "test_sky_view.moc"
