#include "controls/CEditListCtrl.h"
#include "controls/CInPlaceCombo.h"
#include "controls/CNumEdit.h"
#include "tests/controls/FakePrompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

// A dialog around the list that answers both messages the way the editor window does and
// records every call in order.
class Host final : public QDialog {
public:
    explicit Host(UserPrompts* prompts) {
        list = new CEditListCtrl(this);
        other = new QLineEdit(this);
        auto* ok = new QPushButton("OK", this);
        ok->setDefault(true);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(list);
        layout->addWidget(other);
        layout->addWidget(ok);
        list->setProperty("controlId", 1001);
        list->SetPrompts(prompts);
        list->setColumnCount(4);
        list->setHorizontalHeaderLabels({"No", "Freq", "Pol", "SR"});
        list->SetReadOnlyColumn(0, true);
        list->SetComboColumn(2, true);
        list->SetEditChars("0123456789", -1);
        list->SetComboVScroll(true);
        connect(
            list, &CEditListCtrl::getCellChoices, this,
            [this](int column, QStringList* choices) {
                log << QString("choices %1").arg(column);
                if (column == 2) {
                    *choices = offered;
                }
            },
            Qt::DirectConnection);
        connect(
            list, &CEditListCtrl::cellEdited, this,
            [this](int id, const CellEditRecord& r) {
                log << QString("edited %1 %2,%3 '%4' cell '%5'")
                           .arg(id)
                           .arg(r.row)
                           .arg(r.column)
                           .arg(r.text, list->item(r.row, r.column)->text());
                if (!putBack.isNull()) {
                    list->item(r.row, r.column)->setText(putBack);
                }
            },
            Qt::DirectConnection);
        resize(420, 260);
    }

    void Fill(int rows, const QString& freq = "9750", const QString& pol = "H") {
        list->setRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            const QStringList texts{QString::number(r + 1), freq, pol, "10600"};
            for (int c = 0; c < 4; ++c) {
                list->setItem(r, c, new QTableWidgetItem(texts[c]));
            }
        }
        list->setColumnWidth(0, 30);
        list->setColumnWidth(1, 90);
        list->setColumnWidth(2, list->viewport()->width() - 210);
        list->setColumnWidth(3, 90);
    }
    QString Cell(int row, int column) const { return list->item(row, column)->text(); }

    CEditListCtrl* list;
    QLineEdit* other;
    QStringList log;
    QStringList offered{"H", "V"};
    QString putBack;
};

class TestEditList : public QObject {
    Q_OBJECT

    FakePrompts prompts;
    Host* host = nullptr;
    CEditListCtrl* list = nullptr;

    QPoint Center(int row, int column) const {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void Click(int row, int column, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, Center(row, column));
    }
    CNumEdit* OpenEdit(int row, int column) {
        Click(row, column);
        CNumEdit* edit = CNumEdit::GetInstance();
        return edit->IsEditing() && edit->hasFocus() ? edit : nullptr;
    }
    CInPlaceCombo* OpenCombo(int row) {
        Click(row, 2);
        CInPlaceCombo* combo = CInPlaceCombo::GetInstance();
        return combo->IsEditing() && combo->hasFocus() ? combo : nullptr;
    }

    // The offscreen platform leaves a closed pop-up as the focus window, and the dialog counts
    // as active through it; ask for the dialog itself as the user's next click would.
    void Reactivate() {
        host->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), host);
    }

private slots:
    void init() {
        host = new Host(&prompts);
        list = host->list;
        host->show();
        QVERIFY(QTest::qWaitForWindowActive(host));
        host->Fill(3);
    }
    void cleanup() {
        const QPointer<CNumEdit> edit = CNumEdit::GetInstance();
        const QPointer<CInPlaceCombo> combo = CInPlaceCombo::GetInstance();
        host->close();
        delete host;
        // The list's destructor takes both editor instances with it.
        QVERIFY(edit.isNull() && combo.isNull());
        QCOMPARE(prompts.Pending(), QString());
        prompts.Reset();
    }

    void configuration() {
        list->SetComboColumn(1, true);
        list->SetComboColumn(1, true);
        list->SetReadOnlyColumn(1, true);
        QVERIFY(list->IsComboColumn(1) && list->IsReadOnlyColumn(1));
        // Combo wins over read-only.
        Click(0, 1);
        QCOMPARE(host->log, QStringList{"choices 1"});
        QVERIFY(CInPlaceCombo::GetInstance()->IsEditing());
        list->SetComboColumn(1, false);
        QVERIFY(!list->IsComboColumn(1) && list->IsReadOnlyColumn(1));
        QCOMPARE(list->ComboStyle(), 0x508008C3u | 0x200000u);
        list->SetComboVScroll(false);
        QCOMPARE(list->ComboStyle(), 0x508008C3u);
    }

    void hitTest() {
        int row = -1;
        int column = -1;
        QVERIFY(list->HitTestCell(Center(1, 3), &row, &column));
        QCOMPARE(QPoint(column, row), QPoint(3, 1));
        // The boundary between "Freq" and "Pol" belongs to "Freq".
        const int boundary = list->columnViewportPosition(2);
        const int y = Center(2, 1).y();
        QVERIFY(list->HitTestCell(QPoint(boundary, y), &row, &column));
        QCOMPARE(column, 1);
        QVERIFY(list->HitTestCell(QPoint(boundary + 1, y), &row, &column));
        QCOMPARE(column, 2);
        // The bottom edge of a row belongs to the next one.
        QVERIFY(list->HitTestCell(QPoint(5, list->rowViewportPosition(1)), &row, &column));
        QCOMPARE(row, 1);
        const int end = list->horizontalHeader()->length();
        QVERIFY(list->HitTestCell(QPoint(end - 1, y), &row, &column));
        QVERIFY(!list->HitTestCell(QPoint(end, y), &row, &column));
        QVERIFY(!list->HitTestCell(QPoint(5, list->rowViewportPosition(2) + 100), &row, &column));
        QVERIFY(!list->HitTestCell(Center(0, 0), nullptr, &column));
    }

    void clicksOpenTheColumnsEditor() {
        Click(1, 0);
        QVERIFY(list->hasFocus());
        QCOMPARE(list->currentRow(), 1);
        QVERIFY(!CNumEdit::GetInstance()->HasWindow() && host->log.isEmpty());

        CNumEdit* edit = OpenEdit(1, 1);
        QVERIFY(edit);
        QCOMPARE(edit->parentWidget(), list->viewport());
        QCOMPARE(edit->geometry(), QRect(list->columnViewportPosition(1),
                                         list->rowViewportPosition(1), 90, list->rowHeight(1)));
        QCOMPARE(edit->selectedText(), QString("9750"));
        QCOMPARE(edit->AllowedChars(), QString("0123456789"));
        // A click on the boundary edits the column on its left.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(list->columnViewportPosition(2), Center(2, 1).y()));
        QVERIFY(edit->IsEditing());
        QCOMPARE(QPoint(edit->Column(), edit->Row()), QPoint(1, 2));
        QCOMPARE(host->log, QStringList{"edited 1001 1,1 '9750' cell '9750'"});
    }

    void droppedPressesChangeNothing() {
        list->selectRow(1);
        host->other->setFocus();
        QTRY_VERIFY(host->other->hasFocus());
        const QPoint below(20, list->rowViewportPosition(2) + list->rowHeight(2) + 5);
        const QPoint right(list->horizontalHeader()->length() + 3, Center(0, 0).y());
        for (const QPoint& point : {below, right}) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
            QVERIFY(host->other->hasFocus());
            QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
            QCOMPARE(list->currentRow(), 1);
        }
        // An open editor stays open and focused.
        CNumEdit* edit = OpenEdit(0, 3);
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
        QVERIFY(edit->hasFocus() && edit->IsEditing());
        QCOMPARE(edit->text(), QString("1"));
        QVERIFY(host->log.isEmpty());
    }

    void modifiedClicksOnlySelect() {
        Click(0, 0);
        Click(2, 1, Qt::ShiftModifier);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 3);
        Click(1, 3, Qt::ControlModifier);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 2);
        Click(1, 2, Qt::ControlModifier);
        QVERIFY(!CNumEdit::GetInstance()->HasWindow() &&
                !CInPlaceCombo::GetInstance()->HasWindow());
        QVERIFY(host->log.isEmpty());
    }

    void typingIsFiltered() {
        CNumEdit* edit = OpenEdit(0, 1);
        QVERIFY(edit);
        QTest::keyClicks(edit, "12");
        QCOMPARE(edit->text(), QString("12"));
        QTest::keyClick(edit, Qt::Key_A);
        QTest::keyClick(edit, Qt::Key_Minus);
        QTest::keyClick(edit, Qt::Key_Period);
        QTest::keyClick(edit, Qt::Key_Space);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(prompts.beeps, 6);
        QCOMPARE(edit->text(), QString("12"));
        QCOMPARE(edit->cursorPosition(), 2);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "3456789");
        QCOMPARE(edit->text(), QString("13456"));
        QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("6"));
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString("61345"));
        QCOMPARE(prompts.beeps, 6);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(host->isVisible());
        QCOMPARE(host->log, QStringList{"edited 1001 0,1 '61345' cell '61345'"});
        // The window goes only once the report has been handled.
        QVERIFY(edit->HasWindow() && list->hasFocus());
        QTRY_VERIFY(!edit->HasWindow());
        QVERIFY(list->viewport()->findChildren<CNumEdit*>().isEmpty());
    }

    void limitAppliesAfterALongerStartText() {
        list->item(1, 3)->setText("1234567");
        CNumEdit* edit = OpenEdit(1, 3);
        QVERIFY(edit);
        QCOMPARE(edit->text(), QString("1234567"));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_8);
        QCOMPARE(edit->text(), QString("1234567"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_9);
        QCOMPARE(edit->text(), QString("12349"));
        QCOMPARE(prompts.beeps, 0);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(host->Cell(1, 3), QString("12349"));
    }

    void pasteIsAllOrNothing() {
        CNumEdit* edit = OpenEdit(2, 1);
        QVERIFY(edit);
        QClipboard* clipboard = QGuiApplication::clipboard();
        for (const QString& refused : QStringList{"12a", "1 2", "12\n", "-5"}) {
            clipboard->setText(refused);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            QCOMPARE(edit->text(), QString("9750"));
        }
        QCOMPARE(prompts.beeps, 0);
        clipboard->setText("123456");
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(edit->text(), QString("12345"));
        // The context menu's "Paste" goes through the same check.
        edit->clear();
        clipboard->setText("0x1");
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2),
                                    edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &menuEvent);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QVERIFY(edit->IsEditing()); // the menu's pop-up does not end the edit
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith("&Paste")) {
                action->trigger();
            }
        }
        menu->close();
        QCOMPARE(edit->text(), QString());
        clipboard->setText("42");
        edit->Paste();
        QCOMPARE(edit->text(), QString("42"));
        QVERIFY(host->log.isEmpty());
    }

    void escapeCancelsButStillReports() {
        CNumEdit* edit = OpenEdit(0, 3);
        QVERIFY(edit);
        QTest::keyClicks(edit, "77");
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(host->isVisible());
        QVERIFY(edit->IsCancelled());
        QCOMPARE(host->log, QStringList{"edited 1001 0,3 '10600' cell '10600'"});
        // The receiver may refuse the text and put another one back.
        host->putBack = "9750";
        edit = OpenEdit(0, 1);
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(host->log.last(), QString("edited 1001 0,1 '' cell ''"));
        QCOMPARE(host->Cell(0, 1), QString("9750"));
    }

    void anotherCellCommitsTheOpenEditorFirst() {
        CNumEdit* edit = OpenEdit(0, 1);
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_5);
        Click(1, 2);
        QCOMPARE(host->log, (QStringList{"edited 1001 0,1 '5' cell '5'", "choices 2"}));
        CInPlaceCombo* combo = CInPlaceCombo::GetInstance();
        QVERIFY(combo->IsEditing() && combo->hasFocus());
        // From one numeric cell straight to another: the editor moves to the new cell.
        edit = OpenEdit(2, 3);
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_6);
        edit = OpenEdit(1, 1);
        QVERIFY(edit);
        QCOMPARE(edit->text(), QString("9750"));
        QCOMPARE(edit->geometry().topLeft(),
                 QPoint(list->columnViewportPosition(1), list->rowViewportPosition(1)));
        QCOMPARE(host->log.mid(2),
                 (QStringList{"edited 1001 1,2 'H' cell 'H'", "edited 1001 2,3 '6' cell '6'"}));
        // The close pending from the earlier edit leaves this one open.
        QTest::qWait(20);
        QVERIFY(edit->HasWindow() && edit->hasFocus() && edit->isVisible());
    }

    void scrollBarsTakeTheFocus() {
        host->Fill(30);
        CNumEdit* edit = OpenEdit(0, 1);
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_3);
        QScrollBar* bar = list->verticalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
        QCOMPARE(host->log, QStringList{"edited 1001 0,1 '3' cell '3'"});
        QVERIFY(list->hasFocus());
        host->other->setFocus();
        QTRY_VERIFY(host->other->hasFocus());
        QTest::mousePress(bar, Qt::LeftButton, {}, bar->rect().center());
        QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->rect().center());
        QVERIFY(list->hasFocus());
    }

    void partlyVisibleRowsStayWhereTheyAre() {
        host->Fill(30);
        int row = list->rowAt(list->viewport()->height() - 3);
        QTRY_VERIFY((row = list->rowAt(list->viewport()->height() - 3)) > 0);
        QVERIFY(list->rowViewportPosition(row) + list->rowHeight(row) > list->viewport()->height());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(Center(row, 1).x(), list->viewport()->height() - 3));
        CNumEdit* edit = CNumEdit::GetInstance();
        QVERIFY(edit->IsEditing() && edit->Row() == row);
        QTest::qWait(QApplication::doubleClickInterval() + 200);
        QCOMPARE(list->verticalScrollBar()->value(), 0);
        QVERIFY(edit->IsEditing() && edit->hasFocus());
        // Keyboard moves in the list still scroll to the current row.
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(list->verticalScrollBar()->value() > 0);
    }

    void horizontalScrollingBringsTheCellIn() {
        list->setColumnWidth(2, 600);
        QScrollBar* bar = list->horizontalScrollBar();
        QTRY_COMPARE(bar->maximum(), 810 - list->viewport()->width());
        // "SR" partly hidden on the right: its right edge meets the client's right edge.
        const int width = list->viewport()->width();
        bar->setValue(bar->value() + list->columnViewportPosition(3) + 90 - width - 30);
        const int left = list->columnViewportPosition(3);
        QVERIFY(left + 90 > width && left + 45 < width);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(left + 10, 5));
        CNumEdit* edit = CNumEdit::GetInstance();
        QVERIFY(edit->IsEditing());
        QCOMPARE(list->columnViewportPosition(3) + 90, width);
        QCOMPARE(edit->geometry().left(), width - 90);
        QTest::keyClick(edit, Qt::Key_Escape);
        // "Freq" with its left edge hidden: brought to the client's left edge.
        bar->setValue(list->columnViewportPosition(1) + 20 + bar->value());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, 5));
        QVERIFY(edit->IsEditing() && edit->Column() == 1);
        QCOMPARE(list->columnViewportPosition(1), 0);
        QCOMPARE(edit->geometry().left(), 0);
        // A cell that the content's end keeps from reaching the left edge is placed where it is.
        QRect rect;
        list->CellRect(3, 0, rect);
        QCOMPARE(rect.left(), list->columnViewportPosition(3));
        QCOMPARE(host->log.size(), 1);
    }

    void comboHeightFollowsTheEntries() {
        const int h = list->rowHeight(0);
        const QList<QPair<int, int>> cases{{2, 4}, {0, 2}, {9, 11}, {10, 12}, {25, 12}};
        for (const auto& [entries, rows] : cases) {
            host->offered.clear();
            for (int i = 0; i < entries; ++i) {
                host->offered << QString::number(i);
            }
            CInPlaceCombo* combo = OpenCombo(0);
            QVERIFY(combo);
            QCOMPARE(combo->WindowRect().height(), h * rows);
            QCOMPARE(combo->height(), h);
            QCOMPARE(combo->count(), entries);
            QTest::keyClick(combo, Qt::Key_Escape);
        }
        QCOMPARE(CInPlaceCombo::GetInstance()->view()->verticalScrollBarPolicy(),
                 Qt::ScrollBarAlwaysOn);
        // Too narrow for a combo: the entries are asked for, no editor opens.
        list->setColumnWidth(2, 9);
        host->log.clear();
        Click(1, 2);
        QCOMPARE(host->log, QStringList{"choices 2"});
        QVERIFY(!CInPlaceCombo::GetInstance()->IsEditing());
        QCOMPARE(list->currentRow(), 1);
    }

    void comboPreselectsAndCommits() {
        list->item(0, 2)->setText("h");
        list->item(1, 2)->setText("x");
        CInPlaceCombo* combo = OpenCombo(0);
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QString("H"));
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Escape);
        QCOMPARE(host->log.last(), QString("edited 1001 0,2 'h' cell 'h'"));
        combo = OpenCombo(0);
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Enter);
        QVERIFY(host->isVisible());
        QCOMPARE(host->log.last(), QString("edited 1001 0,2 'V' cell 'V'"));
        combo = OpenCombo(1);
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), -1);
        host->other->setFocus();
        QCOMPARE(host->log.last(), QString("edited 1001 1,2 '' cell ''"));
        QTRY_VERIFY(!combo->HasWindow());
    }

    void comboDropDown() {
        CInPlaceCombo* combo = OpenCombo(1);
        QVERIFY(combo);
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        QVERIFY(combo->IsEditing() && host->log.size() == 1);
        // Closing the list without a choice ends the edit with the entry selected before.
        combo->hidePopup();
        QTRY_COMPARE(host->log.size(), 2);
        Reactivate();
        QCOMPARE(host->log.last(), QString("edited 1001 1,2 'H' cell 'H'"));
        // Picking "V" with the mouse ends the edit at once with "V".
        combo = OpenCombo(1);
        combo->showPopup();
        QTRY_VERIFY(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(1, 0));
        QTest::mouseMove(view->viewport(), item.center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center(), 300);
        QTRY_COMPARE(host->log.size(), 4);
        Reactivate();
        QCOMPARE(host->log.last(), QString("edited 1001 1,2 'V' cell 'V'"));
        // Escape in the dropped list cancels.
        combo = OpenCombo(1);
        combo->showPopup();
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_COMPARE(host->log.size(), 6);
        QVERIFY(combo->IsCancelled());
        QCOMPARE(host->log.last(), QString("edited 1001 1,2 'V' cell 'V'"));
        QVERIFY(host->isVisible());
    }

    void vanishedRowsGetNoReport() {
        CNumEdit* edit = OpenEdit(2, 1);
        QVERIFY(edit);
        list->setRowCount(1);
        host->other->setFocus();
        QVERIFY(!edit->IsEditing());
        QVERIFY(host->log.isEmpty());
        QTRY_VERIFY(!edit->HasWindow());
    }
};

QTEST_MAIN(TestEditList)
#include "test_edit_list.moc"
