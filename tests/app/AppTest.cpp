#include "app/CAboutDlg.h"
#include "app/QtUserPrompts.h"
#include "controls/ControlIds.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <functional>

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void filtersBecomeQtFilters_data();
    void filtersBecomeQtFilters();
    void aboutBoxShowsNameVersionAndClosesWithOk();
    void aboutBoxClosesWithEscape();
    void saveChangesQuestion_data();
    void saveChangesQuestion();
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

using Answer = std::function<void(QMessageBox*)>;
Q_DECLARE_METATYPE(Answer)

void AppTest::saveChangesQuestion_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("expected");
    const auto click = [](QMessageBox::StandardButton button) {
        return Answer(
            [button](QMessageBox* box) { QTest::mouseClick(box->button(button), Qt::LeftButton); });
    };
    using Choice = UserPrompts::SaveChoice;
    QTest::newRow("Save") << click(QMessageBox::Save) << int(Choice::Save);
    QTest::newRow("Discard") << click(QMessageBox::Discard) << int(Choice::Discard);
    QTest::newRow("Cancel") << click(QMessageBox::Cancel) << int(Choice::Cancel);
    QTest::newRow("Enter takes Save")
        << Answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); })
        << int(Choice::Save);
    QTest::newRow("Escape") << Answer([](QMessageBox* box) {
        QTest::keyClick(box, Qt::Key_Escape);
    }) << int(Choice::Cancel);
    QTest::newRow("close box") << Answer([](QMessageBox* box) { box->close(); })
                               << int(Choice::Cancel);
}

void AppTest::saveChangesQuestion() {
    QFETCH(Answer, answer);
    QFETCH(int, expected);
    QWidget owner;
    owner.show();
    QString seen;
    QTimer::singleShot(0, &owner, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        const auto buttons = box->standardButtons();
        seen = box->windowTitle() + "|" + box->text() + "|" +
               QString::number(buttons ==
                               (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel));
        answer(box);
    });
    QtUserPrompts prompts;
    QCOMPARE(int(prompts.AskSaveChanges(&owner, "Changed. Save?")), expected);
    QCOMPARE(seen, QStringLiteral("orvex|Changed. Save?|1"));
}

QTEST_MAIN(AppTest)
#include "AppTest.moc"
