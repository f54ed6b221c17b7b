// Leaving the window without losing an edit: the save question of every way out, of "Open" and
// of the session's end; the title that names the file and marks changes; the window's menu with
// its keys and what it offers to undo.

#include "EditorTestSupport.h"

#include <QWindow>

#include <memory>

using namespace editortest;

namespace {

const QString kQuestion = QStringLiteral("The meter data has changed. Save the changes?");
using Choice = UserPrompts::SaveChoice;

// The four ways that close the window, "Open", and the end of the desktop session.
enum class Way { Exit, CloseBox, WindowManager, Reject, Open, SessionEnd };
// None: nothing was changed, so nothing is asked. SaveCancelled: Save, then the file dialog
// cancelled; SaveFails: Save into a folder that does not exist. NoLeave: changed, but the
// session manager does not let the window ask.
enum class Answer { None, Save, SaveCancelled, SaveFails, Discard, Cancel, NoLeave };
// What the user left unfinished when leaving: typing in a field, or in a TP cell.
enum class Pending { Field, Cell };

} // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(Answer)

class TestEditorLeave : public QObject {
    Q_OBJECT

    CEditorDlg& W() { return *m_window; }
    // The title as the platform shows it, with its modified mark.
    QString ShownTitle() { return W().windowHandle()->title(); }
    void OpenSample(const QString& name = QStringLiteral("sample.bin")) {
        QByteArray bytes = FreshBytes();
        bytes[kSatCount] = 3;
        PutU16(bytes, Slot(0) + 24, 50);
        OpenThrough(W(), m_prompts, WriteFile(*m_dir, name, bytes));
    }
    // Types into the first satellite's longitude or the frequency of its first TP, and stays;
    // `image` is told what the typing stores once it is committed.
    void TypeWithoutLeaving(Pending pending, MeterImage& image) {
        ClickNode(W(), SlotNode(W(), 0));
        SatelliteRecord& record = image.settingsBlock.satellites[0];
        if (pending == Pending::Cell) {
            TypeIntoCell(W(), 0, 1, "12345");
            record.tps[0].frequency = 12345;
            return;
        }
        QLineEdit* longitude = Ctl<QLineEdit>(W(), id::SatLongitude);
        longitude->setFocus(Qt::MouseFocusReason);
        longitude->selectAll();
        QTest::keyClicks(longitude, "123");
        record.longitude = 123;
    }
    // Takes the way out; true when it went through: the window closed, the other file opened,
    // the session may end.
    bool Leave(Way way, const std::function<bool()>& mayAsk) {
        if (way == Way::SessionEnd) {
            return W().MayEndSession(mayAsk);
        } else if (way == Way::Reject) {
            W().reject();
        } else if (way == Way::CloseBox) {
            W().close();
        } else if (way == Way::WindowManager) {
            W().windowHandle()->close();
        } else {
            ClickButton(W(), way == Way::Exit ? id::Exit : id::Open);
        }
        // The other file is a fresh one.
        return way == Way::Open ? W().Image().settingsBlock.satCount == kMaxSatellites
                                : !W().isVisible();
    }
    // Queues the answer to the question and, for Save, to the file dialog after it; answers
    // the messages it brings.
    QStringList QueueAnswer(Answer answer) {
        const QString path =
            m_dir->filePath(answer == Answer::SaveFails ? "no-such-folder/MData.bin" : "MData.bin");
        if (answer == Answer::Discard || answer == Answer::Cancel) {
            m_prompts.saveChangesAnswers.push_back(answer == Answer::Discard ? Choice::Discard
                                                                             : Choice::Cancel);
        } else if (answer != Answer::None && answer != Answer::NoLeave) {
            m_prompts.saveChangesAnswers.push_back(Choice::Save);
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
        QVERIFY(StartWindowTest(m_window, m_prompts));
    }

    void cleanup() { QCOMPARE(EndWindowTest(m_window, m_prompts), QString()); }

    // Each row acts on the window the rows before it left.
    void titleNamesTheFileAndMarksChanges() {
        const std::function<void()> change([this] {
            ClickNode(W(), SlotNode(W(), 0));
            ClickButton(W(), id::Down);
        });
        const std::function<void()> undo(
            [this] { QTest::keyClick(Tree(W()), Qt::Key_Z, Qt::ControlModifier); });
        auto typed = std::make_unique<MeterImage>(); // what the typing stores is not compared
        const struct {
            const char* what;
            std::function<void()> act;
            const char* shown;
            int messages;
        } rows[] = {
            {"fresh", [] {}, "ORVEX", 0},
            {"a slot selected", [this] { ClickNode(W(), SlotNode(W(), 1)); }, "ORVEX", 0},
            {"a slot moved", change, "ORVEX*", 0},
            {"saved", [this] { SaveThrough(W(), m_prompts, m_dir->filePath("MData.bin")); },
             "MData.bin - ORVEX", 0},
            {"moved after the save", change, "MData.bin* - ORVEX", 0},
            {"a failed save",
             [this] { SaveThrough(W(), m_prompts, m_dir->filePath("no-such-folder/x.bin")); },
             "MData.bin* - ORVEX", 1},
            {"undone to the saved bytes", undo, "MData.bin - ORVEX", 0},
            {"another file opened", [this] { OpenSample("other.bin"); }, "other.bin - ORVEX", 0},
            {"a missing file",
             [this] { OpenThrough(W(), m_prompts, m_dir->filePath("absent.bin")); },
             "other.bin - ORVEX", 1},
            {"typed, still in the field", [&] { TypeWithoutLeaving(Pending::Field, *typed); },
             "other.bin - ORVEX", 0},
            {"the field left", [this] { Tree(W())->setFocus(); }, "other.bin* - ORVEX", 0},
        };
        for (const auto& row : rows) {
            row.act();
            QCOMPARE(m_prompts.TakeMessages().size(), row.messages);
            QVERIFY2(ShownTitle() == QLatin1String(row.shown),
                     qPrintable(QString(row.what) + ": " + ShownTitle()));
        }
    }

    void everyWayOutAsksWhileModified_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<Answer>("answer");
        const char* const ways[] = {"Exit", "close box",  "window manager", "reject, a cell typed",
                                    "Open", "session end"};
        const char* const answers[] = {"unchanged",  "Save",    "Save, dialog cancelled",
                                       "Save fails", "Discard", "Cancel"};
        for (int way = 0; way < 6; ++way) {
            for (int answer = 0; answer < 6; ++answer) {
                QTest::addRow("%s, %s", ways[way], answers[answer]) << Way(way) << Answer(answer);
            }
        }
        QTest::newRow("session end, no leave to ask") << Way::SessionEnd << Answer::NoLeave;
    }

    // What the user typed last counts, whichever way out: it is asked about, saved, or kept
    // in the window with every other byte; the session manager is asked for leave to ask only
    // when something would be lost. Closing afterwards asks only about what is still unsaved.
    void everyWayOutAsksWhileModified() {
        QFETCH(Way, way);
        QFETCH(Answer, answer);
        const Pending pending = way == Way::Reject ? Pending::Cell : Pending::Field;
        OpenSample();
        const auto expected = std::make_unique<MeterImage>(W().Image());
        const bool changed = answer != Answer::None;
        if (changed) {
            TypeWithoutLeaving(pending, *expected);
        }
        QWidget* typing = QApplication::focusWidget();
        const QStringList messages = QueueAnswer(answer);
        const bool goesOn = !changed || answer == Answer::Save || answer == Answer::Discard ||
                            answer == Answer::NoLeave;
        const bool opens = way == Way::Open && goesOn;
        if (opens) {
            m_prompts.openAnswers.push_back(WriteFile(*m_dir, "other.bin", FreshBytes()));
        }
        int leaveAsked = 0;
        const auto mayAsk = [&] {
            ++leaveAsked;
            return answer != Answer::NoLeave;
        };
        QCOMPARE(Leave(way, mayAsk), goesOn);

        QCOMPARE(m_prompts.saveChangesQuestions,
                 changed && answer != Answer::NoLeave ? QStringList{kQuestion} : QStringList());
        QCOMPARE(m_prompts.TakeMessages(), messages);
        QCOMPARE(leaveAsked, way == Way::SessionEnd && changed ? 1 : 0);
        QCOMPARE(m_prompts.openFilters.size(), opens ? 2 : 1); // the sample's, and this one's
        const bool closes = goesOn && way != Way::Open && way != Way::SessionEnd;
        QCOMPARE(W().isVisible(), !closes);
        QCOMPARE(W().result(), int(QDialog::Rejected));
        QVERIFY(opens || W().Image() == *expected);
        QCOMPARE(ReadFile(m_dir->filePath("MData.bin")),
                 answer == Answer::Save ? ImageBytes(*expected) : QByteArray());
        QCOMPARE(W().isWindowModified(), changed && answer != Answer::Save && !opens);
        if (!goesOn && (way == Way::CloseBox || way == Way::WindowManager)) {
            QCOMPARE(QApplication::focusWidget(), typing); // back where the user was
        }
        if (!closes) {
            // Closing asks again about what is unsaved, but not about what the user let go
            // when the session ended.
            const bool unsaved = W().isWindowModified() && !(way == Way::SessionEnd && goesOn);
            m_prompts.saveChangesQuestions.clear();
            if (unsaved) {
                m_prompts.saveChangesAnswers.push_back(Choice::Discard);
            }
            W().close();
            QCOMPARE(m_prompts.saveChangesQuestions.size(), unsaved ? 1 : 0);
            QVERIFY(!W().isVisible());
        }
        if (way == Way::SessionEnd && goesOn && changed) {
            // Changes made after the session stayed are asked about again.
            W().show();
            QVERIFY(QTest::qWaitForWindowActive(&W()));
            ClickButton(W(), id::Down);
            m_prompts.saveChangesAnswers.push_back(Choice::Discard);
            W().close();
            QCOMPARE(m_prompts.saveChangesQuestions, QStringList{kQuestion});
        }
    }

    // The menu shows the keys that run its entries, and offers undo and redo only when there is
    // something to undo or redo; each key runs its entry once, with the menu closed.
    void windowMenuShowsTheKeysAndWhatCanBeDone() {
        const auto entries = [this] { // separators as empty entries
            QStringList texts;
            emit W().WindowMenu()->aboutToShow();
            for (const QAction* a : W().WindowMenu()->actions()) {
                const QString key =
                    a->isShortcutVisibleInContextMenu() ? a->shortcut().toString() : QString();
                texts << (a->text() + " " + key).trimmed() + (a->isEnabled() ? "" : " (off)");
            }
            return texts.join('|');
        };
        QCOMPARE(entries(), QStringLiteral("&Undo Ctrl+Z (off)|&Redo Ctrl+Shift+Z (off)||"
                                           "Satellite &Library...|Sky &View... F9|"
                                           "&Check Settings... F7|Update &Transponders...|"
                                           "Pointing Sheet...||&About orvex..."));
        OpenSample();
        ClickNode(W(), SlotNode(W(), 0));
        ClickButton(W(), id::Down);
        ClickButton(W(), id::Down);
        const std::pair<QKeySequence, const char*> undoKeys[] = {
            {QKeySequence(Qt::CTRL | Qt::Key_Z), "&Undo Ctrl+Z|&Redo Ctrl+Shift+Z"},
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
             "&Undo Ctrl+Z|&Redo Ctrl+Shift+Z (off)"}};
        for (const auto& [key, undoRedo] : undoKeys) {
            QTest::keySequence(Tree(W()), key);
            QCOMPARE(entries().section('|', 0, 1), QString(undoRedo));
        }
        bool about = false;
        connect(&W(), &CEditorDlg::aboutRequested, this, [&about] { about = true; });
        W().WindowMenu()->actions().last()->trigger();
        QVERIFY(about);
    }
};

QTEST_MAIN(TestEditorLeave)
#include "test_editor_leave.moc"
