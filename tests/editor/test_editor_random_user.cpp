// A seeded random user on the real window; the data invariants are checked after every action.
// ORVEX_RANDOM_SEED and ORVEX_RANDOM_ACTIONS choose the run; a failure names seed and action.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "controls/CNumEdit.h"

#include <QClipboard>
#include <QMenu>
#include <QRadioButton>

#include <cstdio>
#include <functional>
#include <random>
#include <set>

using namespace editortest;

namespace {
const QList<int> kEdits = {1057, 1061, 1062, 1080, 1077, 1073}; // numbers and the name
const QList<int> kCombos = {1058, 1059, 1060, 1063, 1064, 1065, 1066, 1078, 1079, 1103, 1102};
const QList<int> kRadios = {1101, 1104, 1105, 1106};

std::array<std::uint8_t, 4> ExtraOf(const SatelliteRecord& r) { // bytes moving with a record
    return {r.reserved17, r.padding23, r.reserved27, r.padding29};
}
// satCount and the tpCounts above eight, largest first: over the limits, counts only shrink.
std::array<int, kMaxSatellites + 1> Over(const SettingsBlock& block) {
    std::array<int, kMaxSatellites + 1> over{std::max<int>(block.satCount, kMaxSatellites)};
    std::transform(block.satellites.begin(), block.satellites.end(), over.begin() + 1,
                   [](auto& record) { return record.tpCount > kMaxTps ? record.tpCount : 0; });
    std::sort(over.rbegin(), over.rend() - 1);
    return over;
}
MeterImage Rest(MeterImage image) { // without the records and fields the window interprets
    SettingsBlock& block = image.settingsBlock;
    std::tie(image.systemSetting, block.satCount, block.satellites) =
        std::tuple{SystemSetting{}, 0, decltype(block.satellites){}};
    block.localPosition = {0, 0, block.localPosition.padding3, 0, 0, block.localPosition.padding7};
    return image;
}
} // namespace

class TestEditorRandomUser : public QObject {
    Q_OBJECT

    CEditorDlg& W() { return *m_window; }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), 1001); }
    int Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_rng); }
    bool Chance(int percent) { return Below(100) < percent; }
    void Click(QWidget* widget, QPoint at) { QTest::mouseClick(widget, Qt::LeftButton, {}, at); }
    void Click(QWidget* widget) { widget ? Click(widget, widget->rect().center()) : void(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { // to the focus, as a keyboard
        QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
    }
    QString AnyText() { // nothing, digits up to far too many, Latin-1 past a name's length, wide
        static const QStringList kTexts = {
            "", "1a2", "123456789012345678901234567890", "Kavra Q4 ÄÖß 99", "€Ω中", "-5"};
        return Chance(50) ? kTexts.at(Below(6)) : QString::number(Below(100000));
    }
    QPoint Cell(int r, int c) { return List()->visualRect(List()->model()->index(r, c)).center(); }
    QPoint SpotInList() { // a cell, or beside the rows
        const int rows = List()->rowCount();
        return rows > 0 && Chance(70) ? Cell(Below(rows), Below(4))
                                      : QPoint(5, List()->viewport()->height() - 3);
    }
    void ClickAnyNode() {
        const auto nodes = Tree(W())->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive);
        ClickNode(W(), nodes.at(Below(static_cast<int>(nodes.size()))));
    }
    template <typename T> T* Reach(const QList<int>& ids) { // with none usable, clicks a node
        QList<T*> usable;
        std::transform(ids.begin(), ids.end(), std::back_inserter(usable),
                       [this](int id) { return Ctl<T>(W(), id); });
        usable.removeIf([](T* widget) { return !widget->isVisible() || !widget->isEnabled(); });
        return usable.isEmpty() ? (ClickAnyNode(), nullptr) : usable.at(Below(usable.size()));
    }
    void Reactivate() { // the offscreen platform leaves a closed pop-up's window active
        W().activateWindow();
        (void)QTest::qWaitFor([this] { return QApplication::activeWindow() == m_window.get(); });
    }
    void Leave() { // a node, another field, Tab, the list, or stay
        const int pick = Below(6);
        pick < 2    ? ClickAnyNode()
        : pick == 2 ? Click(Reach<QLineEdit>(kEdits))
        : pick == 3 ? Key(Qt::Key_Tab)
        : pick == 4 ? Click(List()->viewport(), SpotInList())
                    : void();
    }
    void UseList() { // opens a list through the real pop-up; an entry or Escape
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
        if (!view->isVisible()) { // else the checks report the open list
            Reactivate();
            combo->setFocus(Qt::PopupFocusReason); // as a desktop does
            Chance(60) ? Leave() : void();
        }
    }
    void EditCell(bool paste) { // a click into the focused row's cell opens its editor
        const int row = Below(std::max(List()->rowCount(), 1)); // with no rows, beside them
        Click(List()->viewport(), Cell(row, 0));                // focuses the row
        Click(List()->viewport(), Cell(row, Chance(50) ? 1 : 3));
        if (CNumEdit* edit = CNumEdit::GetInstance(); edit->IsEditing()) {
            Chance(70) ? edit->selectAll() : edit->end(false);
            const QString text = AnyText();
            QGuiApplication::clipboard()->setText(text);
            paste            ? Key(Qt::Key_V, Qt::ControlModifier)
            : text.isEmpty() ? Key(Qt::Key_Delete)
                             : TypeText(nullptr, text);
            Chance(60) ? Key(Chance(70) ? Qt::Key_Return : Qt::Key_Escape) : Leave();
        }
    }
    void UseTpMenu() { // a right click on a row or beside; a command or Escape
        QWidget* viewport = List()->viewport();
        const QPoint point = SpotInList();
        QTest::mouseClick(viewport, Qt::RightButton, {}, point);
        if (QApplication::activePopupWidget() == nullptr) { // the offscreen platform sends none
            QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
            QApplication::sendEvent(viewport, &event);
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return void(m_error = QStringLiteral("no menu on a right click into the TP list"));
        }
        QList<QAction*> offered = menu->actions();
        offered.removeIf([](QAction* a) { return !a->isEnabled() || a->isSeparator(); });
        QAction* command = offered.value(Below(offered.size() + 1)); // past the end: Escape
        command ? Click(menu, menu->actionGeometry(command).center()) : Key(Qt::Key_Escape);
        Reactivate();
    }
    // Open good, hostile (counts past limits, no NUL), 94,207, 94,209, 0-byte, missing files; save.
    void UseFile(int mode) {
        auto image = std::make_unique<MeterImage>();
        auto* raw = reinterpret_cast<std::uint8_t*>(image.get());
        std::generate(raw, raw + sizeof(MeterImage), [this] { return std::uint8_t(m_rng()); });
        image->settingsBlock.satCount = mode != 1 ? Below(21) : 21 + Below(235);
        for (SatelliteRecord& r :
             image->settingsBlock.satellites) { // hostile: some records all random bytes
            mode != 1 || Chance(70) ? void((r.name[Below(12)] = '\0', r.tpCount %= 9)) : void();
        }
        QByteArray bytes = ImageBytes(*image);
        bytes.resize(mode == 2 ? 94207 : mode == 3 ? 94209 : mode == 4 ? 0 : 94208);
        const QString path = mode == 6   ? m_dir.filePath("saved.bin")
                             : mode == 5 ? m_dir.filePath("missing.bin")
                                         : WriteFile(m_dir, "open.bin", bytes);
        const QStringList refusal = {mode == 5 ? "The file '" + path + "'could not be opened!"
                                               : "The file error!"};
        m_loaded = mode < 2;
        auto* button = Ctl<QPushButton>(W(), mode == 6 ? 1009 : 1008);
        (mode == 6 ? m_prompts.saveAnswers : m_prompts.openAnswers).push_back(path);
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center()); // commits edits
        const auto before = std::make_unique<MeterImage>(W().Image());
        QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
        const QStringList messages = m_prompts.TakeMessages().filter("file");
        if (messages != (m_loaded || mode == 6 ? QStringList() : refusal) ||
            (!m_loaded && !(W().Image() == *before)) ||
            (mode == 6 && ReadFile(path) != ImageBytes(W().Image()))) {
            m_error = "reported '" + messages.join("', '") + "', changed data or saved other bytes";
        }
        m_base.swap(m_loaded ? image : m_base);
    }
    QString Check(const std::array<int, kMaxSatellites + 1>& before) {
        const MeterImage& image = W().Image();
        std::set<std::array<std::uint8_t, 4>> extras = {{}}; // fresh records carry zeros
        std::set<int> paddings = {0};
        for (const SatelliteRecord& record : m_base->settingsBlock.satellites) {
            extras.insert(ExtraOf(record));
            std::for_each(record.tps.begin(), record.tps.end(),
                          [&](auto& tp) { paddings.insert(tp.padding5); });
        }
        if (!W().isVisible() || QApplication::activePopupWidget() ||
            !m_prompts.Pending().isEmpty()) {
            return "window closed, pop-up left open or prompts left: " + m_prompts.Pending();
        } else if (!std::exchange(m_loaded, false) &&
                   !std::ranges::equal(Over(image.settingsBlock), before, std::less_equal<>())) {
            return QStringLiteral("satCount or a tpCount grew past its limit");
        } else if (!(Rest(image) == Rest(*m_base))) {
            return QStringLiteral("an uninterpreted byte outside the records changed");
        }
        for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
            const SatelliteRecord& record = image.settingsBlock.satellites[slot];
            const std::string name = NameText(record);
            if (extras.count(ExtraOf(record)) == 0 ||
                std::any_of(record.tps.begin(), record.tps.end(),
                            [&](auto& tp) { return paddings.count(tp.padding5) == 0; }) ||
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
    std::unique_ptr<MeterImage> m_base = std::make_unique<MeterImage>(FreshMeterImage()); // loaded
    QString m_error;
    bool m_loaded = false;

private slots:
    void randomUser() {
        const QString seed = qEnvironmentVariable("ORVEX_RANDOM_SEED", "1");
        const int total = qEnvironmentVariable("ORVEX_RANDOM_ACTIONS", "3000").toInt();
        m_rng.seed(static_cast<std::mt19937::result_type>(seed.toULongLong()));
        std::vector<std::pair<const char*, std::function<void()>>> table;
        std::vector<int> weights;
        const auto add = [&](const char* name, int weight, std::function<void()> run) {
            table.emplace_back(name, std::move(run));
            weights.push_back(weight);
        };
        add("node", 28, [this] { ClickAnyNode(); });
        add("type", 30, [this] {
            Click(Reach<QLineEdit>(kEdits)); // with none, the keys go to the tree
            Chance(60) ? (Key(Qt::Key_A, Qt::ControlModifier), Key(Qt::Key_Delete))
                       : Key(Qt::Key_End);
            TypeText(nullptr, AnyText());
            Chance(20) ? Key(Chance(50) ? Qt::Key_Return : Qt::Key_Escape) : void();
            Leave();
        });
        add("combo", 18, [this] { UseList(); });
        add("radio", 8, [this] { Click(Reach<QRadioButton>(kRadios)); });
        add("cell", 24, [this] { EditCell(false); });
        add("paste", 8, [this] { EditCell(true); });
        add("TP menu", 16, [this] { UseTpMenu(); });
        add("+", 8, [this] { ClickButton(W(), 1111); });
        add("-", 8, [this] { ClickButton(W(), 1049); });
        add("UP", 6, [this] { ClickButton(W(), 1108); });
        add("DN", 6, [this] { ClickButton(W(), 1109); });
        for (int mode = 0; mode < 7; ++mode) {
            const char* kNames[] = {"open", "hostile", "short", "long", "empty", "missing", "save"};
            add(kNames[mode], mode < 2 || mode == 6 ? 3 : 1, [this, mode] { UseFile(mode); });
        }
        std::vector<int> counts(table.size());
        std::discrete_distribution<std::size_t> choose(weights.begin(), weights.end());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        for (int index = 0; index < total; ++index) {
            const std::size_t kind = choose(m_rng);
            const std::array<int, kMaxSatellites + 1> before = Over(W().Image().settingsBlock);
            table[kind].second();
            ++counts[kind];
            QCoreApplication::processEvents();
            m_prompts.TakeMessages();
            const QString error = m_error.isEmpty() ? Check(before) : std::exchange(m_error, {});
            QVERIFY2(error.isEmpty(),
                     qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                    .arg(seed, QString::number(index), table[kind].first, error)));
        }
        QString summary = QStringLiteral("seed %1, %2 actions:").arg(seed).arg(total);
        for (std::size_t kind = 0; kind < table.size(); ++kind) {
            summary += QStringLiteral(" %1=%2").arg(table[kind].first).arg(counts[kind]);
        }
        // Not through Qt's log: a long run's pop-up warnings use up its message limit.
        std::printf("%s\n", qPrintable(summary));
        m_window.reset();
        QCOMPARE(m_prompts.Pending(), QString());
    }
};

QTEST_MAIN(TestEditorRandomUser)
#include "test_editor_random_user.moc"
