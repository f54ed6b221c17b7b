#include "controls/CEditListCtrl.h"
#include "controls/CInPlaceCombo.h"
#include "editor/CDropDownCombo.h"
#include "controls/CComboBoxBase.h"
#include "tests/support/TextFit.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

// The three combo boxes of the program, each in a window beside an edit that can hold the focus:
// the in-place combo of the TP list, the pane combo of the editor window, the dialogs' list.
class TestComboBoxes : public QObject {
    Q_OBJECT

    QWidget* host = nullptr;
    QLineEdit* edit = nullptr;
    QComboBox* combo = nullptr;

    // Sends one notch of the wheel over the combo; answers whether the combo took it.
    bool Wheel(int delta) {
        const QPointF at = combo->rect().center();
        QWheelEvent wheel(at, combo->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        return wheel.isAccepted();
    }

private slots:
    void init() {
        host = new QWidget;
        edit = new QLineEdit(host);
        edit->setGeometry(0, 0, 80, 24);
        QFETCH_GLOBAL(int, kind);
        if (kind == 0) {
            combo = CInPlaceCombo::GetInstance();
            combo->setParent(host);
        } else if (kind == 1) {
            combo = new CDropDownCombo(host);
        } else {
            combo = new CComboBoxBase(host);
        }
        combo->setGeometry(0, 40, 60, 24);
        combo->addItems({"A", "B", "C"});
        combo->setCurrentIndex(1);
        host->resize(300, 200);
        host->show();
        QVERIFY(QTest::qWaitForWindowActive(host));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
    }
    void cleanup() {
        combo->hidePopup();
        CInPlaceCombo::DeleteInstance();
        delete host;
    }
    void initTestCase_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("in-place") << 0;
        QTest::newRow("pane") << 1;
        QTest::newRow("dialog") << 2;
    }

    void wheelTurnsOnlyTheFocusedCombo() {
        QCOMPARE(combo->focusPolicy(), Qt::StrongFocus); // a scroll never takes the focus
        for (const int delta : {-120, 120, 120}) {
            QVERIFY(!Wheel(delta)); // left to what lies behind
        }
        QVERIFY(edit->hasFocus() && combo->currentIndex() == 1);
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        QVERIFY(Wheel(-120));
        QCOMPARE(combo->currentIndex(), 2);
    }

    void droppedListFitsTheWidestEntry() {
        const QString wide = "A far wider entry than the box";
        combo->addItem(wide);
        QList<textfit::Misfit> misfits = textfit::FindCutOffTexts(host);
        QCOMPARE(misfits.size(), 1); // the closed box is too narrow; the list is not
        QCOMPARE(misfits[0].where + ":" + misfits[0].text, "box:" + wide);
        const int minimum = combo->view()->minimumWidth();
        // Only the entries left count: a smaller list drops to a smaller width.
        combo->removeItem(3);
        QVERIFY(combo->view()->minimumWidth() < minimum);
        combo->setItemText(0, wide + " and more");
        QVERIFY(combo->view()->minimumWidth() > minimum);

        // A scroll bar takes its width beside the entries, not from them.
        combo->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        combo->setFocus();
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        QTRY_VERIFY(view->verticalScrollBar()->isVisible());
        for (int row = 0; row < combo->count(); ++row) {
            const QModelIndex index = combo->model()->index(row, 0);
            QVERIFY2(view->viewport()->width() >= view->sizeHintForIndex(index).width(),
                     qPrintable(combo->itemText(row)));
        }
        QVERIFY(textfit::FindCutOffTexts(host).size() == 1);
    }

    void fontChangeMeasuresAgain() {
        combo->addItem("Some entry of middle width");
        const int before = combo->view()->minimumWidth();
        QFont big = combo->font();
        big.setPointSize(big.pointSize() * 2);
        combo->setFont(big);
        QVERIFY(combo->view()->minimumWidth() > before);
        QCOMPARE(textfit::FindCutOffTexts(host).size(), 1);
    }

    // The checker itself: each kind of fixed text, first whole, then cut off by a narrow control.
    void checkerMeasuresLabelsAndButtons() {
        auto* label = new QLabel("Satellite Number:", host);
        auto* push = new QPushButton("Open &File", host);
        auto* radio = new QRadioButton("Off", host);
        auto* check = new QCheckBox("Beep", host);
        QList<QWidget*> controls{label, push, radio, check};
        for (int i = 0; i < controls.size(); ++i) {
            controls[i]->setProperty("controlId", 100 + i);
            controls[i]->setGeometry(100, 30 * i, 200, 28);
        }
        QVERIFY(textfit::FindCutOffTexts(host).isEmpty());
        // Each a little narrower than it asks for; a push button asks for padding to spare, so
        // it gets only its text's width, of which its frame takes a part.
        for (QWidget* control : controls) {
            control->resize(control->sizeHint().width() - 8, 28);
        }
        push->resize(push->fontMetrics().horizontalAdvance("Open File"), 28);
        QStringList found;
        for (const textfit::Misfit& misfit : textfit::FindCutOffTexts(host)) {
            found << QString("%1 %2 %3").arg(misfit.controlId).arg(misfit.where, misfit.text);
        }
        QCOMPARE(found, (QStringList{"100 label Satellite Number:", "101 button Open File",
                                     "102 button Off", "103 button Beep"}));
    }
};

QTEST_MAIN(TestComboBoxes)
#include "test_combo_boxes.moc"
