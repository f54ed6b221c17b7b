#pragma once

// Helpers shared by the editor window tests: meter files built from the fresh image plus byte
// edits, and the user's gestures on the real widgets.

#include "controls/CNumEdit.h"
#include "controls/ControlIds.h"
#include "editor/CEditorDlg.h"
#include "editor/EditorIds.h"
#include "model/MeterData.h"
#include "tests/support/FakePrompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstring>
#include <memory>
#include <utility>

namespace editortest {

namespace id = EditorId;

// File offsets of the records inside a meter file.
inline constexpr int kBlock = static_cast<int>(kSettingsBlockOffset);
inline constexpr int kSatCount = kBlock + 1;
inline constexpr int kLocal = kBlock + 72;
inline int Slot(int slot) {
    return kBlock + 80 + 78 * slot;
}
inline int Tp(int slot, int tp) {
    return Slot(slot) + 30 + 6 * tp;
}

inline QByteArray ImageBytes(const MeterImage& image) {
    QByteArray bytes(static_cast<int>(kMeterFileSize), '\0');
    std::memcpy(bytes.data(), &image, sizeof(MeterImage));
    return bytes;
}

inline QByteArray FreshBytes() {
    return ImageBytes(FreshMeterImage());
}

inline void PutU16(QByteArray& bytes, int offset, std::uint16_t value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the test file %s", qPrintable(path));
    }
    return path;
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

template <typename T> T* Ctl(const CEditorDlg& window, int id) {
    return qobject_cast<T*>(window.Control(id));
}

inline QTreeWidget* Tree(const CEditorDlg& window) {
    return Ctl<QTreeWidget>(window, id::Tree);
}

inline QTreeWidgetItem* Root(const CEditorDlg& window) {
    return Tree(window)->topLevelItem(0);
}

inline QTreeWidgetItem* SatelliteList(const CEditorDlg& window) {
    return Root(window)->child(2);
}

inline QTreeWidgetItem* SlotNode(const CEditorDlg& window, int slot) {
    return SatelliteList(window)->child(slot);
}

// Clicks a node as the user does.
inline void ClickNode(const CEditorDlg& window, QTreeWidgetItem* node) {
    QTreeWidget* tree = Tree(window);
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

inline void ClickButton(const CEditorDlg& window, int id) {
    auto* button = Ctl<QPushButton>(window, id);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types any characters, also those outside ASCII that QTest::keyClicks cannot send.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Puts the focus into the edit, replaces its text by typing, and leaves it for `next`.
inline void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* next) {
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    } else {
        QTest::keyClicks(edit, text);
    }
    next->setFocus(Qt::MouseFocusReason);
}

// The offscreen platform leaves the closed list's window active; a desktop hands the
// activation back to the window and the focus back to the combo, as done here.
inline void AfterListClosed(QComboBox* combo) {
    QCoreApplication::processEvents();
    QWidget* window = combo->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(QApplication::activeWindow(), window);
    if (QApplication::focusWidget() != combo) {
        combo->setFocus(Qt::PopupFocusReason);
    }
}

// Opens the combo's list and clicks the entry, which closes the list.
inline void PickEntry(QComboBox* combo, int index) {
    combo->setFocus(Qt::MouseFocusReason);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QModelIndex entry = view->model()->index(index, 0);
    view->scrollTo(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
    QVERIFY(!view->isVisible());
    AfterListClosed(combo);
}

// Opens the editor of a numeric TP cell as the user does, a first click focusing the row and a
// second the cell, and types the text over the cell's; the editor stays open.
inline void TypeIntoCell(const CEditorDlg& window, int row, int column, const QString& text) {
    auto* list = Ctl<QAbstractItemView>(window, id::TpList);
    for (int at : {0, column}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, at)).center());
    }
    CNumEdit* edit = CNumEdit::GetInstance();
    QVERIFY(edit->IsEditing());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// The TP list's context menu as a right click at `point` of its viewport opens it.
inline QMenu* RightClickTpList(const CEditorDlg& window, const QPoint& point) {
    QWidget* viewport = Ctl<QAbstractItemView>(window, id::TpList)->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
    QApplication::sendEvent(viewport, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

inline bool Offered(QMenu* menu, int command) {
    for (QAction* action : menu->actions()) {
        if (action->property("commandId").toInt() == command) {
            return action->isEnabled();
        }
    }
    return false;
}

// Runs an offered command of the TP list's menu opened at `point`.
inline void RunTpMenu(const CEditorDlg& window, const QPoint& point, int command) {
    QMenu* menu = RightClickTpList(window, point);
    QVERIFY(menu != nullptr && Offered(menu, command));
    menu->close();
    for (QAction* action : menu->actions()) {
        if (action->property("commandId").toInt() == command) {
            action->trigger();
        }
    }
}

// The window's menu as a right click on the window's background opens it, and its entry
// captioned `text` (null when the menu or the entry is missing).
inline std::pair<QMenu*, QAction*> WindowMenuEntry(CEditorDlg& window, const QString& text) {
    const QPoint corner(4, 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, corner, window.mapToGlobal(corner));
    QApplication::sendEvent(&window, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>()) {
        if (action->text() == text) {
            return {menu, action};
        }
    }
    return {menu, nullptr};
}

// Answers the Satellite List dialog once it is open: "Default", then each row with "Add",
// then "OK" (the save question it asks before "OK" is answered Cancel). `picked` tells
// whether the dialog closed.
inline void PickFromLibraryWhenOpen(QObject* context, FakePrompts& prompts, QList<int> rows,
                                    bool* picked) {
    prompts.questionAnswers.push_back(false);
    QTimer::singleShot(0, context, [rows, picked] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr && dialog->windowTitle() == QStringLiteral("Satellite List"));
        const auto closeAnyway = qScopeGuard([dialog] { dialog->hide(); });
        QTest::mouseClick(FindControl<QPushButton>(dialog, 1099), Qt::LeftButton); // "Default"
        auto* library = FindControl<QListWidget>(dialog, 1053);
        for (int row : rows) {
            QTRY_VERIFY(dialog->isActiveWindow());
            library->scrollToItem(library->item(row));
            QTest::mouseClick(library->viewport(), Qt::LeftButton, {},
                              library->visualItemRect(library->item(row)).center());
            QTest::mouseClick(FindControl<QPushButton>(dialog, 1047), Qt::LeftButton); // "Add"
        }
        QTest::mouseClick(FindControl<QPushButton>(dialog, 1), Qt::LeftButton); // "OK"
        *picked = !dialog->isVisible();
    });
}

// Closes a pop-up the test left open, then the window; answers what the prompts were left
// with and makes them fresh, so that one failing test leaves the next its own answers.
// A window test's start: a fresh window, shown and active so that focus events arrive.
inline bool StartWindowTest(std::unique_ptr<CEditorDlg>& window, FakePrompts& prompts) {
    window = std::make_unique<CEditorDlg>(prompts);
    window->show();
    return QTest::qWaitForWindowActive(window.get());
}

inline QString EndWindowTest(std::unique_ptr<CEditorDlg>& window, FakePrompts& prompts) {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    window.reset();
    const QString pending = prompts.Pending();
    prompts.Reset();
    return pending;
}

inline void OpenThrough(CEditorDlg& window, FakePrompts& prompts, const QString& path) {
    prompts.openAnswers.push_back(path);
    ClickButton(window, id::Open);
}

inline QByteArray SaveThrough(CEditorDlg& window, FakePrompts& prompts, const QString& path) {
    prompts.saveAnswers.push_back(path);
    ClickButton(window, id::Save);
    return ReadFile(path);
}

} // namespace editortest
