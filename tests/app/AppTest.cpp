#include "app/CAboutDlg.h"
#include "app/QtUserPrompts.h"
#include "controls/ControlIds.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void filtersBecomeQtFilters_data();
    void filtersBecomeQtFilters();
    void aboutBoxShowsNameVersionAndClosesWithOk();
    void aboutBoxClosesWithEscape();
};

void AppTest::filtersBecomeQtFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("meter") << "Meter data File (*.bin)|*.bin|"
                           << "Meter data File (*.bin)";
    QTest::newRow("open library") << "Satellites list File (*.sat)|*.sat|"
                                  << "Satellites list File (*.sat)";
    QTest::newRow("pattern missing from text") << "Library|*.sat|"
                                               << "Library (*.sat)";
    QTest::newRow("two entries") << "A (*.a)|*.a|B|*.b;*.c|"
                                 << "A (*.a);;B (*.b *.c)";
    QTest::newRow("empty") << ""
                           << "";
}

void AppTest::filtersBecomeQtFilters() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(QtUserPrompts::QtFilter(filter), expected);
}

void AppTest::aboutBoxShowsNameVersionAndClosesWithOk() {
    CAboutDlg about;
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts << label->text();
        } else {
            QVERIFY2(!label->pixmap().isNull(), "the icon label shows the application icon");
        }
    }
    QVERIFY(texts.contains("orvex Version 1.0"));
    QCOMPARE(about.windowTitle(), QString("About orvex"));

    auto* ok = FindControl<QPushButton>(&about, 1);
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->text(), QString("OK"));
    QVERIFY(ok->isDefault());

    QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
}

void AppTest::aboutBoxClosesWithEscape() {
    CAboutDlg about;
    QTimer::singleShot(0, &about, [&about] { QTest::keyClick(&about, Qt::Key_Escape); });
    QCOMPARE(about.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(AppTest)
#include "AppTest.moc"
