// A seeded random user on the real window; the data invariants are checked after every action.
// ORVEX_RANDOM_SEED and ORVEX_RANDOM_ACTIONS choose the run; a failure names seed and action.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"

#include <QClipboard>
#include <QRadioButton>

#include <functional>
#include <random>
#include <set>

using namespace editortest;

namespace {

const QList<int> kEdits = {id::SatLongitude,   id::LowFreq,       id::HighFreq,
                           id::LocalLongitude, id::LocalLatitude, id::Name};
const QList<int> kCombos = {id::Direction,   id::LnbType,      id::LnbPower,     id::SwitchType,
                            id::SwitchInput, id::Tone22k,      id::PositionType, id::LocalDirection,
                            id::Hemisphere,  id::AutoPowerOff, id::Language};
const QList<int> kRadios = {id::BeepOff, id::BeepOn, id::BacklightOff, id::BacklightOn};

// The bytes that move with a record and that no control writes.
std::array<std::uint8_t, 4> ExtraOf(const SatelliteRecord& r) {
    return {r.reserved17, r.padding23, r.reserved27, r.padding29};
}

// satCount and the tpCounts above eight, largest first: over the limits, edits only shrink them.
std::array<int, kMaxSatellites + 1> Over(const SettingsBlock& block) {
    std::array<int, kMaxSatellites + 1> over{std::max<int>(block.satCount, kMaxSatellites)};
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        const int count = block.satellites[slot].tpCount;
        over[slot + 1] = count > static_cast<int>(kMaxTps) ? count : 0;
    }
    std::sort(over.rbegin(), over.rend() - 1);
    return over;
}

// The image without the records and fields the window interprets.
MeterImage Rest(MeterImage image) {
    SettingsBlock& block = image.settingsBlock;
    image.systemSetting = {};
    block.satCount = 0;
    block.satellites = {};
    block.localPosition = {0, 0, block.localPosition.padding3, 0, 0, block.localPosition.padding7};
    return image;
}

} // namespace

class TestEditorRandomUser : public QObject {
    Q_OBJECT

    CEditorDlg& W() { return *m_window; }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    int Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_rng); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T> T Pick(const QList<T>& items) {
        return items.at(Below(int(items.size())));
    }
    // The widget's centre unless told; nothing without a widget.
    void Click(QWidget* widget, QPoint at = {}) {
        if (widget != nullptr) {
            QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        }
    }
    // To the focus, as a keyboard does.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
    }
    void Keys(const QKeySequence& keys) { QTest::keySequence(QApplication::focusWidget(), keys); }
    // Nothing, digits up to far too many, Latin-1 past a name's length, characters past Latin-1.
    QString AnyText() {
        static const QStringList kTexts = {
            "", "1a2", "123456789012345678901234567890", "Kavra Q4 ÄÖß 99", "€Ω中", "-5"};
        return Chance(50) ? Pick(kTexts) : QString::number(Below(100000));
    }
    QPoint Cell(int r, int c) { return List()->visualRect(List()->model()->index(r, c)).center(); }
    // A cell, or beside the rows.
    QPoint SpotInList() {
        const int rows = List()->rowCount();
        return rows > 0 && Chance(70) ? Cell(Below(rows), Below(4))
                                      : QPoint(5, List()->viewport()->height() - 3);
    }
    void ClickAnyNode() {
        ClickNode(W(), Pick(Tree(W())->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive)));
    }
    // A visible, enabled control of the list; with none, a click on a node instead.
    template <typename T> T* Reach(const QList<int>& ids) {
        QList<T*> usable;
        for (int control : ids) {
            usable << Ctl<T>(W(), control);
        }
        usable.removeIf([](T* widget) { return !widget->isVisible() || !widget->isEnabled(); });
        if (usable.isEmpty()) {
            ClickAnyNode();
            return nullptr;
        }
        return Pick(usable);
    }
    // The offscreen platform leaves a closed pop-up's window active.
    void Reactivate() {
        W().activateWindow();
        (void)QTest::qWaitFor([this] { return QApplication::activeWindow() == m_window.get(); });
    }
    // A node (twice as likely), another field, Tab, the list, or stay.
    void Leave() {
        const int way = Below(6);
        if (way < 2) {
            ClickAnyNode();
        } else if (way == 2) {
            Click(Reach<QLineEdit>(kEdits));
        } else if (way == 3) {
            Key(Qt::Key_Tab);
        } else if (way == 4) {
            Click(List()->viewport(), SpotInList());
        }
    }
    void TypeIntoField() {
        Click(Reach<QLineEdit>(kEdits)); // with none, the keys go to the tree
        if (Chance(60)) {
            Key(Qt::Key_A, Qt::ControlModifier);
            Key(Qt::Key_Delete);
        } else {
            Key(Qt::Key_End);
        }
        TypeText(nullptr, AnyText());
        if (Chance(20)) {
            Key(Chance(50) ? Qt::Key_Return : Qt::Key_Escape);
        }
        Leave();
    }
    // Opens a list through the real pop-up; an entry or Escape.
    void UseList() {
        QComboBox* combo = Reach<QComboBox>(kCombos);
        if (combo == nullptr || combo->count() == 0) {
            return;
        }
        combo->setFocus(Qt::MouseFocusReason);
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        const QModelIndex entry = view->model()->index(Below(combo->count()), 0);
        view->scrollTo(entry);
        Chance(80) ? Click(view->viewport(), view->visualRect(entry).center())
                   : Key(Qt::Key_Escape);
        if (view->isVisible()) {
            return; // the checks report the open list
        }
        Reactivate();
        combo->setFocus(Qt::PopupFocusReason); // as a desktop does
        if (Chance(60)) {
            Leave();
        }
    }
    // A click into the focused row's cell opens its editor; typed or pasted text ends it.
    void EditCell(bool paste) {
        const int row = Below(std::max(List()->rowCount(), 1)); // with no rows, beside them
        Click(List()->viewport(), Cell(row, 0));                // focuses the row
        Click(List()->viewport(), Cell(row, Chance(50) ? 1 : 3));
        CNumEdit* edit = CNumEdit::GetInstance();
        if (!edit->IsEditing()) {
            return;
        }
        Chance(70) ? edit->selectAll() : edit->end(false);
        const QString text = AnyText();
        QGuiApplication::clipboard()->setText(text);
        paste ? Key(Qt::Key_V, Qt::ControlModifier)
              : (text.isEmpty() ? Key(Qt::Key_Delete) : TypeText(nullptr, text));
        Chance(60) ? Key(Chance(70) ? Qt::Key_Return : Qt::Key_Escape) : Leave();
    }
    // A right click on a row or beside; a command or Escape.
    void UseTpMenu() {
        const QPoint point = SpotInList();
        QTest::mouseClick(List()->viewport(), Qt::RightButton, {}, point);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        menu = menu ? menu : RightClickTpList(W(), point); // the offscreen platform sends none
        if (menu == nullptr) {
            m_error = QStringLiteral("no menu on a right click into the TP list");
            return;
        }
        QList<QAction*> offered = menu->actions();
        offered.removeIf([](QAction* a) { return !a->isEnabled() || a->isSeparator(); });
        QAction* command = offered.value(Below(static_cast<int>(offered.size()) + 1));
        command ? Click(menu, menu->actionGeometry(command).center()) : Key(Qt::Key_Escape);
        Reactivate();
    }
    // The bytes editing changes differ from the ones last loaded or saved: leaving or opening
    // must ask first.
    bool Modified() {
        return !(W().Image().systemSetting == m_saved->systemSetting &&
                 W().Image().settingsBlock == m_saved->settingsBlock);
    }
    // The answer queued for the save question, and for its file dialog after Save.
    struct Reply {
        bool goesOn;     // Save that writes, or Discard
        QString savedTo; // the file a Save writes
        QString message; // the message of a Save that fails
    };
    Reply QueueReply() {
        using Choice = UserPrompts::SaveChoice;
        const int answer = Below(5); // Discard, Cancel, Save written, failing or cancelled
        m_prompts.saveChangesAnswers.push_back(answer == 0   ? Choice::Discard
                                               : answer == 1 ? Choice::Cancel
                                                             : Choice::Save);
        const QString path = m_dir.filePath(answer == 3 ? "no-such-folder/kept.bin" : "kept.bin");
        if (answer >= 2) {
            m_prompts.saveAnswers.push_back(answer == 4 ? QString() : path);
        }
        return {answer == 0 || answer == 2, answer == 2 ? path : QString(),
                answer == 3 ? "The file '" + path + "'could not be opened!" : QString()};
    }
    // "Exit" or the close box, whatever the focus holds, with any answer to the question:
    // changed data never goes without it, and no answer changes a byte. A closed window is
    // shown again, as the next start would open the saved file.
    void TryToClose(bool closeBox) {
        const Reply reply = QueueReply();
        m_prompts.saveChangesQuestions.clear();
        std::unique_ptr<MeterImage> asked;
        m_prompts.duringPrompt = [this, &asked] {
            if (!m_prompts.saveChangesQuestions.isEmpty() && !asked) {
                asked = std::make_unique<MeterImage>(W().Image());
            }
        };
        closeBox ? (void)W().close() : ClickButton(W(), id::Exit);
        m_prompts.duringPrompt = nullptr;
        const bool closed = !W().isVisible();
        if (asked == nullptr) {
            m_prompts.saveChangesAnswers.clear();
            m_prompts.saveAnswers.clear();
            if (Modified() || !closed) {
                m_error = QStringLiteral("changed data left without the question");
            }
        } else if (!Modified() || !(W().Image() == *asked)) {
            m_error = QStringLiteral("asked about nothing, or the answer changed the data");
        }
        if (!reply.savedTo.isEmpty() && asked != nullptr) {
            *m_saved = W().Image();
        }
        if (closed) {
            W().show();
            (void)QTest::qWaitForWindowActive(m_window.get());
        }
    }
    // Open good, hostile (counts past limits, no NUL), 94,207, 94,209, 0-byte, missing files; save.
    enum FileMode { Good, Hostile, Short, Long, Empty, Missing, Save };
    void UseFile(FileMode mode) {
        auto image = std::make_unique<MeterImage>();
        auto* raw = reinterpret_cast<std::uint8_t*>(image.get());
        std::generate(raw, raw + sizeof(MeterImage), [this] { return std::uint8_t(m_rng()); });
        image->settingsBlock.satCount = mode == Hostile ? 21 + Below(235) : Below(21);
        for (SatelliteRecord& record : image->settingsBlock.satellites) {
            if (mode != Hostile || Chance(70)) { // hostile files keep some records all random
                record.name[Below(12)] = '\0';
                record.tpCount %= 9;
            }
        }
        QByteArray bytes = ImageBytes(*image);
        bytes.resize(std::array{94208, 94208, 94207, 94209, 0, 94208, 94208}[mode]);
        const QString path = mode == Save      ? m_dir.filePath("saved.bin")
                             : mode == Missing ? m_dir.filePath("missing.bin")
                                               : WriteFile(m_dir, "open.bin", bytes);
        auto* button = Ctl<QPushButton>(W(), mode == Save ? id::Save : id::Open);
        QTest::mousePress(button, Qt::LeftButton); // commits edits
        const auto before = std::make_unique<MeterImage>(W().Image());
        const bool couldUndo = W().Document().CanUndo();
        // "Open" asks about changes first; its dialog comes after Save that writes or Discard.
        const Reply reply = mode != Save && Modified() ? QueueReply() : Reply{true, {}, {}};
        if (reply.goesOn) {
            (mode == Save ? m_prompts.saveAnswers : m_prompts.openAnswers).push_back(path);
        }
        QTest::mouseRelease(button, Qt::LeftButton);
        const bool loads = reply.goesOn && (mode == Good || mode == Hostile);

        QStringList expected = QStringList(reply.message).filter("file");
        if (reply.goesOn && mode == Missing) {
            expected << "The file '" + path + "'could not be opened!";
        } else if (reply.goesOn && !loads && mode != Save) {
            expected << "The file error!";
        }
        const QStringList messages = m_prompts.TakeMessages().filter("file");
        if (messages != expected) {
            m_error = "reported '" + messages.join("', '") + "'";
        } else if (!loads && !(W().Image() == *before)) {
            m_error = QStringLiteral("a refused load or a save changed the data");
        } else if (!loads && W().Document().CanUndo() != couldUndo) {
            m_error = QStringLiteral("a refused load or a save changed the history");
        } else if (!reply.savedTo.isEmpty() && ReadFile(reply.savedTo) != ImageBytes(*before)) {
            m_error = QStringLiteral("the file saved before opening holds other bytes");
        }
        if (mode == Save || !reply.savedTo.isEmpty()) {
            *m_saved = *before;
        }
        if (loads) {
            m_countsMayGrow = true;
            m_base.swap(image);
            *m_loaded = *m_saved = W().Image();
            if (W().Document().CanUndo()) {
                m_error = QStringLiteral("a load kept the history of the file before");
            }
        }
    }
    // Every step undone gives the image as it was loaded; every step redone, the image before.
    void UndoAll() {
        m_countsMayGrow = true;
        Tree(W())->setFocus(); // leaving a field may commit it: that is a step of its own
        const auto before = std::make_unique<MeterImage>(W().Image());
        int steps = 0;
        for (; W().Document().CanUndo() && steps < 100000; ++steps) {
            Keys(QKeySequence::Undo);
        }
        if (!(W().Image() == *m_loaded)) {
            m_error = QString("%1 undos do not give the loaded image back").arg(steps);
            return;
        }
        for (int redo = 0; redo < steps; ++redo) {
            Key(Qt::Key_Y, Qt::ControlModifier);
        }
        if (!(W().Image() == *before)) {
            m_error = QString("%1 redos do not give the image before the undos").arg(steps);
        }
    }
    void UndoSome(bool redo) {
        m_countsMayGrow = true;
        Tree(W())->setFocus();
        for (int k = Below(4); k >= 0; --k) {
            Keys(redo ? QKeySequence::Redo : QKeySequence::Undo);
        }
    }
    QString Check(const std::array<int, kMaxSatellites + 1>& before) {
        const MeterImage& image = W().Image();
        std::set<std::array<std::uint8_t, 4>> extras = {{}}; // fresh records carry zeros
        std::set<int> paddings = {0};
        for (const SatelliteRecord& record : m_base->settingsBlock.satellites) {
            extras.insert(ExtraOf(record));
            for (const TpEntry& tp : record.tps) {
                paddings.insert(tp.padding5);
            }
        }
        const bool countsChecked = !std::exchange(m_countsMayGrow, false);
        if (!W().isVisible() || QApplication::activePopupWidget() ||
            !m_prompts.Pending().isEmpty()) {
            return "window closed, pop-up left open or prompts left: " + m_prompts.Pending();
        }
        if (countsChecked &&
            !std::ranges::equal(Over(image.settingsBlock), before, std::less_equal<>())) {
            return QStringLiteral("satCount or a tpCount grew past its limit");
        }
        if (!(Rest(image) == Rest(*m_base))) {
            return QStringLiteral("an uninterpreted byte outside the records changed");
        }
        for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
            const SatelliteRecord& record = image.settingsBlock.satellites[slot];
            const std::string name = NameText(record);
            const bool strayPadding =
                std::any_of(record.tps.begin(), record.tps.end(),
                            [&](auto& tp) { return paddings.count(tp.padding5) == 0; });
            if (extras.count(ExtraOf(record)) == 0 || strayPadding ||
                SlotNode(W(), slot)->text(0) != QString::fromLatin1(name.c_str())) {
                return QString("slot %1: stray bytes or label not '%2'")
                    .arg(slot)
                    .arg(name.c_str());
            }
        }
        return {};
    }

    std::mt19937 m_rng;
    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window = std::make_unique<CEditorDlg>(m_prompts);
    // The file last loaded, and the window's image right after it was loaded.
    std::unique_ptr<MeterImage> m_base = std::make_unique<MeterImage>(FreshMeterImage());
    std::unique_ptr<MeterImage> m_loaded = std::make_unique<MeterImage>(FreshMeterImage());
    // The image last loaded or saved.
    std::unique_ptr<MeterImage> m_saved = std::make_unique<MeterImage>(FreshMeterImage());
    QString m_error;
    bool m_countsMayGrow = false;

private slots:
    void randomUser() {
        const QString seed = qEnvironmentVariable("ORVEX_RANDOM_SEED", "1");
        const int total = qEnvironmentVariable("ORVEX_RANDOM_ACTIONS", "3000").toInt();
        m_rng.seed(static_cast<std::mt19937::result_type>(seed.toULongLong()));
        struct Action {
            const char* name;
            int weight;
            std::function<void()> run;
        };
        std::vector<Action> actions;
        const auto add = [&](const char* name, int weight, std::function<void()> run) {
            actions.push_back({name, weight, std::move(run)});
        };
        add("node", 28, [this] { ClickAnyNode(); });
        add("type", 30, [this] { TypeIntoField(); });
        add("combo", 18, [this] { UseList(); });
        add("radio", 8, [this] { Click(Reach<QRadioButton>(kRadios)); });
        add("cell", 24, [this] { EditCell(false); });
        add("paste", 8, [this] { EditCell(true); });
        add("TP menu", 16, [this] { UseTpMenu(); });
        add("+", 8, [this] { ClickButton(W(), id::Add); });
        add("-", 8, [this] { ClickButton(W(), id::Delete); });
        add("UP", 6, [this] { ClickButton(W(), id::Up); });
        add("DN", 6, [this] { ClickButton(W(), id::Down); });
        add("undo", 6, [this] { UndoSome(false); });
        add("redo", 3, [this] { UndoSome(true); });
        add("undo all", 2, [this] { UndoAll(); });
        add("Exit", 2, [this] { TryToClose(false); });
        add("close box", 2, [this] { TryToClose(true); });
        const char* files[] = {"open", "hostile", "short", "long", "empty", "missing", "save"};
        for (const FileMode mode : {Good, Hostile, Short, Long, Empty, Missing, Save}) {
            add(files[mode], mode == Good || mode == Hostile || mode == Save ? 3 : 1,
                [this, mode] { UseFile(mode); });
        }
        std::discrete_distribution<std::size_t> choose(
            actions.size(), 0, double(actions.size()),
            [&](double at) { return actions[std::size_t(at)].weight; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        for (int index = 0; index < total; ++index) {
            const Action& action = actions[choose(m_rng)];
            const std::array<int, kMaxSatellites + 1> before = Over(W().Image().settingsBlock);
            action.run();
            QCoreApplication::processEvents();
            m_prompts.TakeMessages();
            const QString error = m_error.isEmpty() ? Check(before) : std::exchange(m_error, {});
            QVERIFY2(error.isEmpty(),
                     qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                    .arg(seed, QString::number(index), action.name, error)));
        }
        m_window.reset();
        QCOMPARE(m_prompts.Pending(), QString());
    }
};

QTEST_MAIN(TestEditorRandomUser)
#include "test_editor_random_user.moc"
