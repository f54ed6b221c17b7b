#include "controls/CComboBoxBase.h"
#include "controls/CEditListCtrl.h" // CInPlaceCombo needs it whole
#include "controls/CInPlaceCombo.h"
#include "editor/CDropDownCombo.h"
#include "tests/support/TextFit.h"

#include <QLineEdit>
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
    QStringList Found() const {
        QStringList found;
        for (const textfit::Misfit& misfit : textfit::FindCutOffTexts(host)) {
            found << QString("%1 %2 %3").arg(misfit.controlId).arg(misfit.where, misfit.text);
        }
        return found;
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("in-place") << 0;
        QTest::newRow("pane") << 1;
        QTest::newRow("dialog") << 2;
    }
    void init() {
        host = new QWidget;
        edit = new QLineEdit(host);
        edit->setGeometry(0, 0, 80, 24);
        QFETCH_GLOBAL(int, kind);
        if (kind == 0) {
            (combo = CInPlaceCombo::GetInstance())->setParent(host);
        } else {
            combo = kind == 1 ? new CDropDownCombo(host) : new CComboBoxBase(host);
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

    // The dropped list follows its widest entry, as entries and the font change; a scroll bar
    // takes its width beside the entries, not from them. The closed box may cut them.
    void droppedListFitsTheWidestEntry() {
        const QString wide = "A far wider entry than the box";
        combo->addItem(wide);
        QCOMPARE(Found(), QStringList{"-1 box " + wide});
        const int minimum = combo->view()->minimumWidth();
        combo->removeItem(3);
        QVERIFY(combo->view()->minimumWidth() < minimum);
        combo->setItemText(0, wide + " and more");
        QVERIFY(combo->view()->minimumWidth() > minimum);
        const int before = combo->view()->minimumWidth();
        QFont big = combo->font();
        big.setPointSize(big.pointSize() * 2);
        combo->setFont(big);
        QVERIFY(combo->view()->minimumWidth() > before);

        QAbstractItemView* view = combo->view();
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        combo->setFocus();
        combo->showPopup();
        QTRY_VERIFY(view->isVisible() && view->verticalScrollBar()->isVisible());
        for (int row = 0; row < combo->count(); ++row) {
            const QModelIndex index = combo->model()->index(row, 0);
            QVERIFY2(view->viewport()->width() >= view->sizeHintForIndex(index).width(),
                     qPrintable(combo->itemText(row)));
        }
    }

    // The checker itself: each kind of fixed text, first whole, then cut off by a narrow control.
    void checkerMeasuresLabelsAndButtons() {
        auto* label = new QLabel("Satellite Number:", host); // found in creation order
        auto* push = new QPushButton("Open &File", host);
        const QList<QWidget*> controls{label, push, new QRadioButton("Off", host),
                                       new QCheckBox("Beep", host)};
        for (int i = 0; i < controls.size(); ++i) {
            controls[i]->setProperty("controlId", 100 + i);
            controls[i]->setGeometry(100, 30 * i, 200, 28);
        }
        QVERIFY(Found().isEmpty());
        // Each a little narrower than it asks for; a push button asks for padding to spare, so
        // it gets only its text's width, of which its frame takes a part.
        for (QWidget* control : controls) {
            control->resize(control->sizeHint().width() - 8, 28);
        }
        push->resize(push->fontMetrics().horizontalAdvance("Open File"), 28);
        QCOMPARE(Found(), (QStringList{"100 label Satellite Number:", "101 button Open File",
                                       "102 button Off", "103 button Beep"}));
    }
};

QTEST_MAIN(TestComboBoxes)
#include "test_combo_boxes.moc"
