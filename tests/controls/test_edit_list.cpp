#include "controls/CEditListCtrl.h"
#include "controls/CInPlaceCombo.h"
#include "controls/CNumEdit.h"
#include "tests/support/FakePrompts.h"

#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

// The list in a dialog whose default button is the other focus target. Both messages are logged
// in order, a report as "id row,column reported|cell" with the cell's text when it arrives.
class TestEditList : public QObject {
    Q_OBJECT

    FakePrompts prompts;
    QDialog* host = nullptr;
    CEditListCtrl* list = nullptr;
    QPushButton* other = nullptr;
    QStringList log, offered;

    QPoint At(int row, int column) const {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void Click(QPoint point, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, point);
    }
    template <class Editor> Editor* Open(QPoint point) {
        Click(point);
        Editor* editor = Editor::GetInstance();
        return editor->IsEditing() && editor->hasFocus() ? editor : nullptr;
    }

private slots:
    void init() {
        host = new QDialog;
        (other = new QPushButton("OK", host))->setDefault(true);
        list = new CEditListCtrl(host);
        list->setGeometry(0, 40, 460, 200);
        list->setProperty("controlId", 1001);
        list->SetPrompts(&prompts);
        list->SetReadOnlyColumn(0, true);
        list->SetComboColumn(2, true);
        list->SetEditChars("0123456789", -1);
        list->setRowCount(3);
        list->setColumnCount(4);
        for (int i = 0; i < 12; ++i) {
            list->setItem(i / 4, i % 4,
                          new QTableWidgetItem(QStringList{"1", "9750", "H", "10600"}[i % 4]));
        }
        log.clear();
        offered = {"H", "V"};
        connect(list, &CEditListCtrl::getCellChoices, this, [this](int column, QStringList* out) {
            log << QString("choices %1").arg(column);
            *out = offered;
        });
        connect(list, &CEditListCtrl::cellEdited, this, [this](int id, const CellEditRecord& r) {
            log << QString::asprintf("%d %d,%d %s|%s", id, r.row, r.column, qPrintable(r.text),
                                     qPrintable(list->item(r.row, r.column)->text()));
        });
        host->show();
        QVERIFY(QTest::qWaitForWindowActive(host));
    }
    void cleanup() {
        delete host;
        QCOMPARE(prompts.Pending(), QString());
        prompts.Reset();
    }

    void clickRule() {
        list->selectRow(1);
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        const QPoint below(20, list->rowViewportPosition(2) + list->rowHeight(2) + 5);
        for (const QPoint p : {below, QPoint(list->horizontalHeader()->length() + 3, 5)}) {
            Click(p);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, p);
            QVERIFY(other->hasFocus() && list->currentRow() == 1 &&
                    list->selectionModel()->selectedRows().size() == 1);
        }
        Click(At(0, 0)); // read-only column: selects only
        Click(At(2, 1), Qt::ShiftModifier);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 3);
        Click(At(1, 2), Qt::ControlModifier);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 2);
        QVERIFY(list->hasFocus() && log.isEmpty() && !CNumEdit::GetInstance()->HasWindow());
        // A plain click edits in the row it makes current; a press outside leaves the editor.
        CNumEdit* edit = Open<CNumEdit>(At(2, 3));
        QVERIFY(edit && edit->Row() == 2 && edit->Column() == 3 && list->currentRow() == 2);
        QTest::keyClick(edit, Qt::Key_1);
        Click(below);
        QVERIFY(edit->hasFocus() && edit->IsEditing() && edit->text() == "1" && log.isEmpty());
        QTest::keyClick(edit, Qt::Key_Escape);
        // A click on the boundary between two columns edits the left one.
        const QPoint boundary(list->columnViewportPosition(2), At(2, 1).y());
        QCOMPARE(list->columnAt(boundary.x()), 2);
        QVERIFY((edit = Open<CNumEdit>(boundary)) && edit->Row() == 2 && edit->Column() == 1);
    }

    void digitsOnlyLimitedAndEnterOrEscape() {
        CNumEdit* edit = Open<CNumEdit>(At(0, 1));
        QVERIFY(edit);
        // Pastes with a refused character change nothing; the last one is cut to the limit.
        for (const QString text : {"12a", "1 2", "-5", "123456"}) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(edit->text(), QString("12345"));
        QTest::keyClicks(edit, "a-. 6"); // the "6" past the limit is refused without a beep
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString("12345"));
        QCOMPARE(prompts.beeps, 5);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(log, QStringList{"1001 0,1 12345|12345"});
        QVERIFY(host->isVisible() && edit->HasWindow() && list->hasFocus());
        QTRY_VERIFY(!edit->HasWindow()); // closed only after the report

        // A longer start text stays until edited; Escape reports it unchanged.
        list->item(1, 3)->setText("1234567");
        QVERIFY((edit = Open<CNumEdit>(At(1, 3))) && edit->text() == "1234567");
        edit->setSelection(4, 3);
        QTest::keyClicks(edit, "98");
        QCOMPARE(edit->text(), QString("12349"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(host->isVisible() && edit->IsCancelled());
        QCOMPARE(log.last(), "1001 1,3 1234567|1234567");
    }

    void anotherCellReportsTheOpenEditFirst() {
        CNumEdit* edit = Open<CNumEdit>(At(0, 1));
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_5);
        QVERIFY(Open<CNumEdit>(At(2, 3)));
        QTest::qWait(20); // the close pending from the first edit leaves this one open
        QVERIFY(edit->HasWindow() && edit->hasFocus() && edit->text() == "10600");
        QTest::keyClick(edit, Qt::Key_6);
        QVERIFY(Open<CInPlaceCombo>(At(1, 2)));
        QCOMPARE(log, (QStringList{"1001 0,1 5|5", "1001 2,3 6|6", "choices 2"}));
    }

    void scrollBarsTakeTheFocus() {
        list->setRowCount(30);
        QVERIFY(Open<CNumEdit>(At(0, 1)));
        QScrollBar* bar = list->verticalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        const QPoint handle(bar->width() / 2, bar->width() + 3); // just below the up arrow
        QTest::mousePress(bar, Qt::LeftButton, {}, handle);
        QCOMPARE(log, QStringList{"1001 0,1 9750|9750"});
        QTest::mouseRelease(bar, Qt::LeftButton, {}, handle);
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
        QVERIFY(list->hasFocus() && bar->value() > 0);
    }

    void horizontalScrollingBringsTheCellIn() {
        const int widths[] = {30, 90, 600, 90};
        for (int column = 0; column < 4; ++column) {
            list->setColumnWidth(column, widths[column]);
        }
        QScrollBar* bar = list->horizontalScrollBar();
        QTRY_COMPARE(bar->maximum(), 810 - list->viewport()->width());
        const int width = list->viewport()->width();
        // "SR" partly hidden on the right: its right edge meets the client's right edge.
        bar->setValue(bar->value() + list->columnViewportPosition(3) + 90 - width - 30);
        CNumEdit* edit = Open<CNumEdit>(QPoint(list->columnViewportPosition(3) + 10, 5));
        QVERIFY(edit != nullptr);
        QCOMPARE(list->columnViewportPosition(3) + 90, width);
        QCOMPARE(edit->geometry().left(), width - 90);
        QTest::keyClick(edit, Qt::Key_Escape);
        // "Freq" with its left edge hidden: brought to the client's left edge.
        bar->setValue(list->columnViewportPosition(1) + 20 + bar->value());
        QVERIFY((edit = Open<CNumEdit>(QPoint(30, 5))) && edit->Column() == 1);
        QVERIFY(list->columnViewportPosition(1) == 0 && edit->geometry().left() == 0);
    }

    // The entry starting like the cell is chosen; none when none does. The dropped list keeps
    // the edit open until an entry is clicked. The combo's room holds its entries and a spare
    // row, ten entries at most; a column too narrow for a combo gets none.
    void comboPrefixPopupAndRoom() {
        list->item(0, 2)->setText("h");
        list->item(1, 2)->setText("x");
        CInPlaceCombo* combo = Open<CInPlaceCombo>(At(0, 2));
        QVERIFY(combo && combo->currentText() == "H");
        QTest::keyClick(combo, Qt::Key_Enter);
        QVERIFY((combo = Open<CInPlaceCombo>(At(1, 2))) && combo->currentIndex() == -1);
        other->setFocus();
        QVERIFY((combo = Open<CInPlaceCombo>(At(2, 2))));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        QVERIFY(combo->IsEditing() && log.size() == 5);
        const QPoint item = view->visualRect(view->model()->index(1, 0)).center();
        QTest::mouseMove(view->viewport(), item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item, 300);
        QTRY_COMPARE(log, (QStringList{"choices 2", "1001 0,2 H|H", "choices 2", "1001 1,2 |",
                                       "choices 2", "1001 2,2 V|V"}));
        for (const auto& [entries, rows] : {std::pair{2, 4}, {9, 11}, {10, 12}, {25, 12}}) {
            offered = QString(entries, 'x').split("", Qt::SkipEmptyParts);
            QVERIFY((combo = Open<CInPlaceCombo>(At(0, 2))) && combo->count() == entries);
            QCOMPARE(combo->WindowRect().height(), list->rowHeight(0) * rows);
            QTest::keyClick(combo, Qt::Key_Escape);
        }
        list->setColumnWidth(2, 9);
        Click(At(1, 2));
        QCOMPARE(log.last(), QString("choices 2"));
        QVERIFY(!CInPlaceCombo::GetInstance()->IsEditing() && list->currentRow() == 1);
    }
};

QTEST_MAIN(TestEditList)
#include "test_edit_list.moc"
