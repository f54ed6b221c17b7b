// Leaving the window without losing an edit: the save question of every way out, of "Open" and
// of the session's end; the title that names the file and marks changes; the keys the
// window's menu shows.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "controls/CNumEdit.h"
#include "editor/CCheckWindow.h"
#include "editor/CSkyView.h"

#include <QWindow>

#include <memory>

using namespace editortest;

namespace {

const QString kQuestion = QStringLiteral("The meter data has changed. Save the changes?");
using Choice = UserPrompts::SaveChoice;

enum class Way { Exit, CloseBox, WindowManager, Reject };
// None: nothing was changed, so nothing is asked. SaveCancelled: Save, then the file dialog
// cancelled; SaveFails: Save into a folder that does not exist.
enum class Answer { None, Save, SaveCancelled, SaveFails, Discard, Cancel };
// What the user left unfinished when leaving: typing in a field, or in a TP cell.
enum class Pending { Field, Cell };

} // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(Pending)

class TestEditorLeave : public QObject {
    Q_OBJECT

    CEditorDlg& W() { return *m_window; }
    SatelliteRecord& Record(int slot) {
        return W().Image().settingsBlock.satellites[static_cast<std::size_t>(slot)];
    }
    QLineEdit* Edit(int control) { return Ctl<QLineEdit>(W(), control); }
    // The title as the platform shows it, with its modified mark.
    QString ShownTitle() { return W().windowHandle()->title(); }
    void OpenSample(const QString& name = QStringLiteral("sample.bin")) {
        QByteArray bytes = FreshBytes();
        bytes[kSatCount] = 3;
        PutU16(bytes, Slot(0) + 24, 50);
        OpenThrough(W(), m_prompts, WriteFile(*m_dir, name, bytes));
    }
    // Types into the first satellite's longitude or the frequency of its first TP, and stays.
    void TypeWithoutLeaving(Pending pending) {
        ClickNode(W(), SlotNode(W(), 0));
        if (pending == Pending::Field) {
            QLineEdit* longitude = Edit(id::SatLongitude);
            longitude->setFocus(Qt::MouseFocusReason);
            longitude->selectAll();
            QTest::keyClicks(longitude, "123");
            return;
        }
        auto* list = Ctl<QAbstractItemView>(W(), id::TpList);
        for (int column : {0, 1}) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(0, column)).center());
        }
        QVERIFY(CNumEdit::GetInstance()->IsEditing());
        CNumEdit::GetInstance()->selectAll();
        QTest::keyClicks(CNumEdit::GetInstance(), "12345");
    }
    bool TypedIsStored(Pending pending) {
        return pending == Pending::Field ? Record(0).longitude == 123
                                         : Record(0).tps[0].frequency == 12345;
    }
    void Leave(Way way) {
        switch (way) {
        case Way::Exit:
            ClickButton(W(), id::Exit);
            break;
        case Way::CloseBox:
            W().close();
            break;
        case Way::WindowManager:
            W().windowHandle()->close();
            break;
        case Way::Reject:
            W().reject();
            break;
        }
    }
    // Queues the answer to the question and, for Save, to the file dialog after it; answers
    // the messages it brings.
    QStringList QueueAnswer(Answer answer) {
        if (answer == Answer::None) {
            return {};
        }
        const bool save = answer != Answer::Discard && answer != Answer::Cancel;
        m_prompts.saveChangesAnswers.push_back(save                        ? Choice::Save
                                               : answer == Answer::Discard ? Choice::Discard
                                                                           : Choice::Cancel);
        const QString path =
            m_dir->filePath(answer == Answer::SaveFails ? "no-such-folder/MData.bin" : "MData.bin");
        if (save) {
            m_prompts.saveAnswers.push_back(answer == Answer::SaveCancelled ? QString() : path);
        }
        return answer == Answer::SaveFails
                   ? QStringList{"The file '" + path + "'could not be opened!"}
                   : QStringList{};
    }

    FakePrompts m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir; // one per test row: no row sees another's files
    std::unique_ptr<CEditorDlg> m_window;

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = std::make_unique<CEditorDlg>(m_prompts);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { QCOMPARE(EndWindowTest(m_window, m_prompts), QString()); }

    // Each row acts on the window the rows before it left.
    void titleNamesTheFileAndMarksChanges() {
        const QString unwritable = m_dir->filePath("no-such-folder/x.bin");
        const auto change = [this] {
            ClickButton(W(), id::Down);
        };
        const auto undo = [this] {
            QTest::keyClick(Tree(W()), Qt::Key_Z, Qt::ControlModifier);
        };
        const struct {
            const char* what;
            std::function<void()> act;
            const char* shown;
        } rows[] = {
            {"fresh", [] {}, "ORVEX"},
            {"a slot selected", [this] { ClickNode(W(), SlotNode(W(), 0)); }, "ORVEX"},
            {"a slot moved", change, "ORVEX*"},
            {"undone", undo, "ORVEX"},
            {"moved again", change, "ORVEX*"},
            {"saved", [this] { SaveThrough(W(), m_prompts, m_dir->filePath("MData.bin")); },
             "MData.bin - ORVEX"},
            {"moved after the save", change, "MData.bin* - ORVEX"},
            {"a failed save",
             [&] {
                 SaveThrough(W(), m_prompts, unwritable);
                 QCOMPARE(m_prompts.TakeMessages().size(), 1);
             },
             "MData.bin* - ORVEX"},
            {"undone to the saved bytes", undo, "MData.bin - ORVEX"},
            {"another file opened", [this] { OpenSample("other.bin"); }, "other.bin - ORVEX"},
            {"a missing file",
             [this] {
                 OpenThrough(W(), m_prompts, m_dir->filePath("absent.bin"));
                 QCOMPARE(m_prompts.TakeMessages().size(), 1);
             },
             "other.bin - ORVEX"},
            {"a name typed, still in the field",
             [this] {
                 ClickNode(W(), SlotNode(W(), 1));
                 Edit(id::Name)->setFocus(Qt::MouseFocusReason);
                 QTest::keyClicks(Edit(id::Name), "x");
             },
             "other.bin - ORVEX"},
            {"the field left", [this] { Tree(W())->setFocus(); }, "other.bin* - ORVEX"},
        };
        for (const auto& row : rows) {
            row.act();
            QVERIFY2(ShownTitle() == QLatin1String(row.shown),
                     qPrintable(QString(row.what) + ": " + ShownTitle()));
        }
        QCOMPARE(W().windowTitle(), QStringLiteral("other.bin[*] - ORVEX"));
    }

    void everyWayOutAsksWhileModified_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<Pending>("pending");
        const std::pair<const char*, Way> ways[] = {{"Exit", Way::Exit},
                                                    {"close box", Way::CloseBox},
                                                    {"window manager", Way::WindowManager},
                                                    {"reject", Way::Reject}};
        const std::pair<const char*, Answer> answers[] = {
            {"unchanged", Answer::None},
            {"Save", Answer::Save},
            {"Save, dialog cancelled", Answer::SaveCancelled},
            {"Save fails", Answer::SaveFails},
            {"Discard", Answer::Discard},
            {"Cancel", Answer::Cancel}};
        for (const auto& [wayName, way] : ways) {
            for (const auto& [answerName, answer] : answers) {
                QTest::addRow("%s, %s", wayName, answerName) << way << answer << Pending::Field;
            }
        }
        QTest::newRow("close box, a cell typed, Save")
            << Way::CloseBox << Answer::Save << Pending::Cell;
        QTest::newRow("close box, a cell typed, Cancel")
            << Way::CloseBox << Answer::Cancel << Pending::Cell;
    }

    // What the user typed last counts, whichever way out: it is asked about, saved, or kept
    // in the open window with every other byte.
    void everyWayOutAsksWhileModified() {
        QFETCH(Way, way);
        QFETCH(Answer, answer);
        QFETCH(Pending, pending);
        OpenSample();
        if (answer != Answer::None) {
            TypeWithoutLeaving(pending);
        }
        QWidget* typing = QApplication::focusWidget();
        const QStringList messages = QueueAnswer(answer);
        Leave(way);

        const bool closes =
            answer == Answer::None || answer == Answer::Save || answer == Answer::Discard;
        QCOMPARE(m_prompts.saveChangesQuestions,
                 answer == Answer::None ? QStringList() : QStringList{kQuestion});
        QCOMPARE(m_prompts.TakeMessages(), messages);
        QCOMPARE(W().isVisible(), !closes);
        QCOMPARE(W().result(), int(QDialog::Rejected));
        if (answer != Answer::None) {
            QVERIFY(TypedIsStored(pending));
        }
        QCOMPARE(ReadFile(m_dir->filePath("MData.bin")),
                 answer == Answer::Save ? ImageBytes(W().Image()) : QByteArray());
        QCOMPARE(W().isWindowModified(), answer != Answer::None && answer != Answer::Save);
        if (!closes && pending == Pending::Field && way != Way::Exit) {
            QCOMPARE(QApplication::focusWidget(), typing); // back where the user was
        }
    }

    void openAsksBeforeItsDialog_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("opens");
        QTest::newRow("unchanged") << Answer::None << true;
        QTest::newRow("Save") << Answer::Save << true;
        QTest::newRow("Save, dialog cancelled") << Answer::SaveCancelled << false;
        QTest::newRow("Save fails") << Answer::SaveFails << false;
        QTest::newRow("Discard") << Answer::Discard << true;
        QTest::newRow("Cancel") << Answer::Cancel << false;
    }

    void openAsksBeforeItsDialog() {
        QFETCH(Answer, answer);
        QFETCH(bool, opens);
        OpenSample();
        QByteArray other = FreshBytes();
        other[kSatCount] = 7;
        const QString otherPath = WriteFile(*m_dir, "other.bin", other);
        if (answer != Answer::None) {
            ClickNode(W(), SlotNode(W(), 0));
            ClickButton(W(), id::Add);
        }
        const auto before = std::make_unique<MeterImage>(W().Image());
        const QStringList messages = QueueAnswer(answer);
        if (opens) {
            m_prompts.openAnswers.push_back(otherPath);
        }
        ClickButton(W(), id::Open);

        QCOMPARE(m_prompts.saveChangesQuestions,
                 answer == Answer::None ? QStringList() : QStringList{kQuestion});
        QCOMPARE(m_prompts.TakeMessages(), messages);
        QCOMPARE(m_prompts.openFilters.size(), opens ? 2 : 1); // the sample's and this one
        QVERIFY(W().isVisible());
        QCOMPARE(W().Image().settingsBlock.satCount, std::uint8_t(opens ? 7 : 4));
        if (!opens) {
            QVERIFY(W().Image() == *before);
        }
        QCOMPARE(ReadFile(m_dir->filePath("MData.bin")),
                 answer == Answer::Save ? ImageBytes(*before) : QByteArray());
    }

    void endOfSession_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("mayAsk");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("unchanged") << false << true << Answer::None << true;
        QTest::newRow("no leave to ask") << true << false << Answer::None << true;
        QTest::newRow("Save") << true << true << Answer::Save << true;
        QTest::newRow("Save, dialog cancelled") << true << true << Answer::SaveCancelled << false;
        QTest::newRow("Save fails") << true << true << Answer::SaveFails << false;
        QTest::newRow("Discard") << true << true << Answer::Discard << true;
        QTest::newRow("Cancel") << true << true << Answer::Cancel << false;
    }

    // The session manager is asked for leave only when something would be lost; a session that
    // ends closes the window without asking again; one that stays keeps every byte.
    void endOfSession() {
        QFETCH(bool, changed);
        QFETCH(bool, mayAsk);
        QFETCH(Answer, answer);
        QFETCH(bool, ends);
        OpenSample();
        if (changed) {
            TypeWithoutLeaving(Pending::Field);
        }
        const QStringList messages = QueueAnswer(answer);
        int leaveAsked = 0;
        QCOMPARE(W().MayEndSession([&] {
            ++leaveAsked;
            return mayAsk;
        }),
                 ends);
        QCOMPARE(leaveAsked, changed ? 1 : 0);
        QCOMPARE(m_prompts.saveChangesQuestions,
                 answer == Answer::None ? QStringList() : QStringList{kQuestion});
        m_prompts.saveChangesQuestions.clear();
        QCOMPARE(m_prompts.TakeMessages(), messages);
        QCOMPARE(ReadFile(m_dir->filePath("MData.bin")),
                 answer == Answer::Save ? ImageBytes(W().Image()) : QByteArray());
        if (changed) {
            QVERIFY(TypedIsStored(Pending::Field));
        }
        if (!ends) {
            // The user stays and keeps working: the next way out asks again.
            m_prompts.saveChangesAnswers.push_back(Choice::Cancel);
        }
        W().close();
        QCOMPARE(m_prompts.saveChangesQuestions.size(), ends ? 0 : 1);
        QCOMPARE(W().isVisible(), !ends);
        if (ends && changed) {
            // Changes made after the session stayed are asked about again.
            W().show();
            QVERIFY(QTest::qWaitForWindowActive(&W()));
            ClickButton(W(), id::Down);
            m_prompts.saveChangesAnswers.push_back(Choice::Discard);
            W().close();
            QCOMPARE(m_prompts.saveChangesQuestions, QStringList{kQuestion});
        }
    }

    // Each key the menu shows does what it did, once, with the menu closed.
    void windowMenuShowsTheKeys() {
        OpenSample();
        ClickNode(W(), SlotNode(W(), 0));
        ClickButton(W(), id::Down);
        const auto afterOne = std::make_unique<MeterImage>(W().Image());
        ClickButton(W(), id::Down);
        const auto afterTwo = std::make_unique<MeterImage>(W().Image());
        const struct {
            const char* text;
            QKeySequence key;
            std::function<bool()> done;
        } rows[] = {
            {"&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z),
             [&] {
                 return W().Image() == *afterOne;
             }},
            {"&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
             [&] {
                 return W().Image() == *afterTwo;
             }},
            {"Sky &View...", QKeySequence(Qt::Key_F9),
             [this] {
                 return W().SkyView() != nullptr && W().SkyView()->isVisible();
             }},
            {"&Check Settings...", QKeySequence(Qt::Key_F7),
             [this] {
                 const auto* check = W().findChild<CCheckWindow*>();
                 return check != nullptr && check->isVisible();
             }},
        };
        QStringList shown;
        for (QAction* action : W().WindowMenu()->actions()) {
            if (!action->shortcut().isEmpty() && action->isShortcutVisibleInContextMenu()) {
                shown << action->text() + " " + action->shortcut().toString();
            }
        }
        QCOMPARE(shown, QStringList({"&Undo Ctrl+Z", "&Redo Ctrl+Shift+Z", "Sky &View... F9",
                                     "&Check Settings... F7"}));
        for (const auto& row : rows) {
            QVERIFY(QTest::qWaitForWindowActive(&W()));
            Tree(W())->setFocus();
            QTest::keySequence(Tree(W()), row.key);
            QVERIFY2(row.done(), row.text);
            W().activateWindow();
        }
    }
};

QTEST_MAIN(TestEditorLeave)
#include "test_editor_leave.moc"
