// A user who does anything at any time: node clicks, typing, list picks, radio clicks, TP cell
// edits and pastes, the TP menu, the slot buttons, loads of good, hostile and broken files and
// saves, chosen by a seeded generator and played on the real window. After every action the
// window's promises about the data are checked. ORVEX_RANDOM_SEED and ORVEX_RANDOM_ACTIONS choose
// the run; a failure names the seed and the action, so the same run can be played again, and
// ORVEX_RANDOM_TRACE names each action before it runs.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "controls/CInPlaceCombo.h"
#include "controls/CNumEdit.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <vector>

using namespace editortest;

namespace {

enum Kind {
    kNode,
    kTypeNumber,
    kTypeName,
    kPickCombo,
    kCancelCombo,
    kTypeCombo,
    kRadio,
    kCellType,
    kCellPaste,
    kCellPolarization,
    kTpMenu,
    kAdd,
    kDelete,
    kUp,
    kDown,
    kOpenGood,
    kOpenHostile,
    kOpenShort,
    kOpenLong,
    kOpenEmpty,
    kOpenMissing,
    kOpenCancel,
    kSave,
    kSaveUnwritable,
    kSaveCancel,
    kKindCount
};

constexpr std::array<const char*, kKindCount> kKindNames = {"node click",
                                                            "type number",
                                                            "type name",
                                                            "combo pick",
                                                            "combo cancel",
                                                            "combo typing",
                                                            "radio click",
                                                            "cell typing",
                                                            "cell paste",
                                                            "cell polarization",
                                                            "TP menu",
                                                            "+",
                                                            "-",
                                                            "UP",
                                                            "DN",
                                                            "open good",
                                                            "open hostile",
                                                            "open short",
                                                            "open long",
                                                            "open empty",
                                                            "open missing",
                                                            "open cancelled",
                                                            "save",
                                                            "save unwritable",
                                                            "save cancelled"};

// How often each action comes, relative to the others.
constexpr std::array<double, kKindCount> kWeights = {14,  10,  6,   9,   2,   3,   4,   10,  4,
                                                     5,   8,   4,   4,   3,   3,   1.5, 1.5, 0.4,
                                                     0.4, 0.3, 0.4, 0.3, 1.5, 0.3, 0.3};

constexpr int kDefaultSeed = 1;
constexpr int kDefaultActions = 3000;

// The bytes of a record that no operation interprets; they travel with the whole record.
using UninterpretedBytes = std::array<std::uint8_t, 4>;

UninterpretedBytes Uninterpreted(const SatelliteRecord& record) {
    return {record.reserved17, record.padding23, record.reserved27, record.padding29};
}

QString NodeLabelOf(const SatelliteRecord& record) {
    const std::string name = NameText(record);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString MessageKind(const QString& text) {
    if (text.startsWith(QStringLiteral("The file '")) &&
        text.endsWith(QStringLiteral("'could not be opened!"))) {
        return QStringLiteral("The file '...'could not be opened!");
    }
    return text;
}

} // namespace

class TestEditorRandomUser : public QObject {
    Q_OBJECT

private slots:
    void randomUser();

private:
    struct Counts {
        std::uint8_t satCount;
        std::array<std::uint8_t, kMaxSatellites> tpCounts;
    };

    CEditorDlg& W() { return *m_window; }
    SettingsBlock& Block() { return W().Image().settingsBlock; }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), 1001); }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    int Below(int count) { return Between(0, count - 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    std::uint8_t AnyByte() { return static_cast<std::uint8_t>(m_rng() & 0xFFu); }
    std::uint8_t Letter(std::uint8_t first, std::uint8_t second, bool normalised);
    template <typename T> T* AnyOf(const QList<T*>& list) {
        return list.isEmpty() ? nullptr : list.at(Below(static_cast<int>(list.size())));
    }

    bool Fail(const QString& text) {
        if (m_error.isEmpty()) {
            m_error = text;
        }
        return false;
    }

    Kind Act(Kind kind);
    Counts CountsNow() { return {Block().satCount, TpCounts()}; }
    std::array<std::uint8_t, kMaxSatellites> TpCounts();
    QString CheckInvariants(const Counts& before);
    void SetBaseline(const MeterImage& image);
    QStringList Drain();
    bool Reactivate();

    // What a user clicks and types into.
    QList<QLineEdit*> PaneEdits(bool names);
    QList<QComboBox*> PaneCombos();
    QList<QRadioButton*> PaneRadios();
    void ClickWidget(QWidget* widget, QPoint at = {}) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }
    QWidget* TypingTarget(QLineEdit* fallback);
    void TypeInto(QWidget* widget, const QString& text);
    QString NumberText();
    QString NameInput();
    QString ComboInput();
    QString CellInput();
    void Leave();
    void ClickCell(int row, int column);

    Kind ClickAnyNode();
    // Where an action has nothing to act on, the user first goes where it has.
    void GoToAPane();
    void GoToASatellite();
    Kind TypeNumber();
    Kind TypeName();
    Kind PickCombo(bool cancel);
    Kind TypeCombo();
    Kind ClickRadio();
    Kind EditCell(Kind kind);
    Kind EndCellEdit();
    Kind EditPolarization();
    Kind UseTpMenu();
    Kind PressSlotButton(Kind kind, int id);
    Kind Open(Kind kind);
    Kind Save(Kind kind);

    std::unique_ptr<MeterImage> RandomImage(bool lettersNormalised);
    void MakeHostile(MeterImage& image);

    std::mt19937 m_rng;
    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;
    // The last successfully loaded data (the fresh data before any load).
    std::unique_ptr<MeterImage> m_baseline = std::make_unique<MeterImage>();
    std::set<UninterpretedBytes> m_recordBytes;
    std::set<std::uint8_t> m_tpPaddings;
    // Set by an action whose own checks failed, or that loaded a file.
    QString m_error;
    bool m_loaded = false;
    int m_files = 0;
    std::array<int, kKindCount> m_kindCounts{};
    std::map<QString, int> m_messageCounts;
};

std::uint8_t TestEditorRandomUser::Letter(std::uint8_t first, std::uint8_t second,
                                          bool normalised) {
    if (normalised) {
        return Chance(50) ? first : second;
    }
    switch (Below(4)) {
    case 0:
        return first;
    case 1:
        return second;
    case 2:
        return kAltSecondLetter;
    default:
        return AnyByte();
    }
}

std::array<std::uint8_t, kMaxSatellites> TestEditorRandomUser::TpCounts() {
    std::array<std::uint8_t, kMaxSatellites> counts{};
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        counts[slot] = Block().satellites[slot].tpCount;
    }
    return counts;
}

void TestEditorRandomUser::SetBaseline(const MeterImage& image) {
    *m_baseline = image;
    // Fresh records from "+" and "-" carry zeros.
    m_recordBytes = {UninterpretedBytes{}};
    m_tpPaddings = {0};
    for (const SatelliteRecord& record : image.settingsBlock.satellites) {
        m_recordBytes.insert(Uninterpreted(record));
        for (const TpEntry& tp : record.tps) {
            m_tpPaddings.insert(tp.padding5);
        }
    }
}

QStringList TestEditorRandomUser::Drain() {
    const QStringList messages = m_prompts.TakeMessages();
    for (const QString& text : messages) {
        ++m_messageCounts[MessageKind(text)];
    }
    return messages;
}

// The offscreen platform leaves a closed pop-up's window active; a desktop hands the activation
// back to the window.
bool TestEditorRandomUser::Reactivate() {
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() == m_window.get()) {
        return true;
    }
    W().activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()) ||
        !QTest::qWaitFor([this] { return QApplication::activeWindow() == m_window.get(); })) {
        return Fail(QStringLiteral("the window did not become active again"));
    }
    return true;
}

QString TestEditorRandomUser::CheckInvariants(const Counts& before) {
    if (!W().isVisible()) {
        return QStringLiteral("the window closed");
    }
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return QStringLiteral("a pop-up stayed open: %1").arg(popup->metaObject()->className());
    }
    const QString pending = m_prompts.Pending();
    if (!pending.isEmpty()) {
        return QStringLiteral("prompts left over: ") + pending;
    }

    const MeterImage& image = W().Image();
    const SettingsBlock& block = image.settingsBlock;
    const auto limit = [](int before, int after, int max) {
        return before <= max ? after <= max : after <= before;
    };
    if (!m_loaded) {
        // Counts from a file above the limits may shrink but never grow.
        if (!limit(before.satCount, block.satCount, static_cast<int>(kMaxSatellites))) {
            return QStringLiteral("satCount went from %1 to %2")
                .arg(before.satCount)
                .arg(block.satCount);
        }
        // Records move between slots whole, so a count above eight may turn up in another
        // slot: every such count after the action must be matched by a distinct one at least as
        // large before it.
        std::vector<std::uint8_t> overBefore;
        std::vector<std::uint8_t> overAfter;
        for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
            if (before.tpCounts[slot] > kMaxTps) {
                overBefore.push_back(before.tpCounts[slot]);
            }
            if (block.satellites[slot].tpCount > kMaxTps) {
                overAfter.push_back(block.satellites[slot].tpCount);
            }
        }
        std::sort(overBefore.rbegin(), overBefore.rend());
        std::sort(overAfter.rbegin(), overAfter.rend());
        bool matched = overAfter.size() <= overBefore.size();
        for (std::size_t i = 0; matched && i < overAfter.size(); ++i) {
            matched = overAfter[i] <= overBefore[i];
        }
        if (!matched) {
            QStringList counts;
            for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
                counts << QStringLiteral("%1->%2")
                              .arg(before.tpCounts[slot])
                              .arg(block.satellites[slot].tpCount);
            }
            return QStringLiteral("a tpCount grew past eight: ") + counts.join(' ');
        }
    }

    const MeterImage& base = *m_baseline;
    const SettingsBlock& baseBlock = base.settingsBlock;
    if (image.leadingImage != base.leadingImage) {
        return QStringLiteral("the leading image changed");
    }
    if (image.trailingImage != base.trailingImage) {
        return QStringLiteral("the trailing image changed");
    }
    if (block.reserved0 != baseBlock.reserved0 || block.reserved2 != baseBlock.reserved2 ||
        block.padding3 != baseBlock.padding3 || block.reserved4 != baseBlock.reserved4 ||
        block.reserved6 != baseBlock.reserved6 || block.reserved7 != baseBlock.reserved7) {
        return QStringLiteral("a reserved byte of the block changed");
    }
    if (block.rangeLow != baseBlock.rangeLow || block.rangeHigh != baseBlock.rangeHigh) {
        return QStringLiteral("a frequency range table changed");
    }
    if (block.localPosition.padding3 != baseBlock.localPosition.padding3 ||
        block.localPosition.padding7 != baseBlock.localPosition.padding7) {
        return QStringLiteral("a padding byte of the local position changed");
    }
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        const SatelliteRecord& record = block.satellites[slot];
        if (m_recordBytes.count(Uninterpreted(record)) == 0) {
            return QStringLiteral("slot %1 holds reserved bytes no loaded record held").arg(slot);
        }
        for (std::size_t tp = 0; tp < kMaxTps; ++tp) {
            if (m_tpPaddings.count(record.tps[tp].padding5) == 0) {
                return QStringLiteral("TP %1 of slot %2 holds a padding byte %3 from nowhere")
                    .arg(tp)
                    .arg(slot)
                    .arg(record.tps[tp].padding5);
            }
        }
        const QString label = SlotNode(W(), static_cast<int>(slot))->text(0);
        const QString name = NodeLabelOf(record);
        if (label != name) {
            return QStringLiteral("node %1 is labelled '%2' but the slot's name is '%3'")
                .arg(slot)
                .arg(label, name);
        }
    }
    return {};
}

// --- what the user reaches ----------------------------------------------------------------------

QList<QLineEdit*> TestEditorRandomUser::PaneEdits(bool names) {
    QList<QLineEdit*> edits;
    const std::initializer_list<int> numberIds = {1057, 1061, 1062, 1080, 1077};
    const std::initializer_list<int> nameIds = {1073};
    for (int id : names ? nameIds : numberIds) {
        auto* edit = Ctl<QLineEdit>(W(), id);
        if (edit->isVisible() && edit->isEnabled()) {
            edits << edit;
        }
    }
    return edits;
}

QList<QComboBox*> TestEditorRandomUser::PaneCombos() {
    QList<QComboBox*> combos;
    for (int id : {1058, 1059, 1060, 1063, 1064, 1065, 1066, 1078, 1079, 1103, 1102}) {
        auto* combo = Ctl<QComboBox>(W(), id);
        if (combo->isVisible() && combo->isEnabled()) {
            combos << combo;
        }
    }
    return combos;
}

QList<QRadioButton*> TestEditorRandomUser::PaneRadios() {
    QList<QRadioButton*> radios;
    for (int id : {1101, 1104, 1105, 1106}) {
        auto* radio = Ctl<QRadioButton>(W(), id);
        if (radio->isVisible() && radio->isEnabled()) {
            radios << radio;
        }
    }
    return radios;
}

// Keys go where the focus is, as for a real keyboard: a refused field takes the focus back.
QWidget* TestEditorRandomUser::TypingTarget(QLineEdit* fallback) {
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) != nullptr && focus->window() == m_window.get()) {
        return focus;
    }
    return fallback;
}

void TestEditorRandomUser::TypeInto(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(widget, QString(c));
        } else {
            TypeText(widget, QString(c));
        }
    }
}

QString TestEditorRandomUser::NumberText() {
    QString digits;
    switch (Below(7)) {
    case 0:
        return {};
    case 1:
        return QStringLiteral("abc");
    case 2:
        return QStringLiteral("1a2");
    case 3:
        for (int i = 0; i < 30; ++i) {
            digits += QChar('0' + Below(10));
        }
        return digits;
    case 4:
        return QString::number(Between(1, 99999));
    default:
        for (int i = Between(1, 5); i > 0; --i) {
            digits += QChar('0' + Below(10));
        }
        return digits;
    }
}

QString TestEditorRandomUser::NameInput() {
    static const QString kOutsideLatin1 = QString::fromUtf8("€Ω中őЖ");
    static const QString kSpecial[] = {QStringLiteral("Kavra-Q4"), QStringLiteral("TP List"),
                                       QStringLiteral("new Sat"), QStringLiteral("Sat1")};
    QString text;
    switch (Below(7)) {
    case 0:
        return {};
    case 1:
        return kSpecial[Below(4)];
    case 2:
        // Longer than a name can be.
        for (int i = 0; i < 20; ++i) {
            text += QChar('A' + Below(26));
        }
        return text;
    case 3:
        for (int i = Between(1, 6); i > 0; --i) {
            text += QChar(static_cast<char16_t>(Between(0xA0, 0xFF)));
        }
        return text;
    case 4:
        for (int i = Between(1, 4); i > 0; --i) {
            text += Chance(50) ? kOutsideLatin1.at(Below(static_cast<int>(kOutsideLatin1.size())))
                               : QChar('a' + Below(26));
        }
        return text;
    default:
        for (int i = Between(1, 11); i > 0; --i) {
            text += QChar(static_cast<char16_t>(Between(0x20, 0x7E)));
        }
        return text;
    }
}

QString TestEditorRandomUser::ComboInput() {
    static const QString kTexts[] = {QStringLiteral("West"),  QStringLiteral("OFF"),
                                     QStringLiteral("South"), QStringLiteral("Customized"),
                                     QStringLiteral("LNB3"),  QStringLiteral("DiSEQC1.1"),
                                     QStringLiteral("60min"), QStringLiteral("xyz"),
                                     QStringLiteral("12345"), QString()};
    return kTexts[Below(10)];
}

QString TestEditorRandomUser::CellInput() {
    switch (Below(6)) {
    case 0:
        return {};
    case 1:
        return QStringLiteral("ab");
    case 2:
        return QStringLiteral("9x9");
    case 3:
        return QStringLiteral("99999999");
    default:
        return QString::number(Between(0, 99999));
    }
}

void TestEditorRandomUser::ClickCell(int row, int column) {
    const QRect cell = List()->visualRect(List()->model()->index(row, column));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, cell.center());
}

// Leaves the control that has the focus the way a user does.
void TestEditorRandomUser::Leave() {
    switch (Below(6)) {
    case 0:
    case 1:
        ClickAnyNode();
        break;
    case 2: {
        QList<QWidget*> others;
        for (QLineEdit* edit : PaneEdits(false) + PaneEdits(true)) {
            others << edit;
        }
        for (QComboBox* combo : PaneCombos()) {
            others << combo->lineEdit();
        }
        others.removeAll(QApplication::focusWidget());
        if (QWidget* other = AnyOf(others)) {
            ClickWidget(other);
        } else {
            ClickAnyNode();
        }
        break;
    }
    case 3:
        if (QWidget* focus = QApplication::focusWidget()) {
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        break;
    case 4:
        if (List()->rowCount() > 0 && Chance(70)) {
            ClickCell(Below(List()->rowCount()), Below(4));
        } else {
            // Beside the rows.
            QWidget* viewport = List()->viewport();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 3));
        }
        break;
    default:
        // Stays; whatever comes next moves the focus.
        break;
    }
}

// --- the actions --------------------------------------------------------------------------------

Kind TestEditorRandomUser::Act(Kind kind) {
    switch (kind) {
    case kNode:
        return ClickAnyNode();
    case kTypeNumber:
        return TypeNumber();
    case kTypeName:
        return TypeName();
    case kPickCombo:
        return PickCombo(false);
    case kCancelCombo:
        return PickCombo(true);
    case kTypeCombo:
        return TypeCombo();
    case kRadio:
        return ClickRadio();
    case kCellType:
    case kCellPaste:
        return EditCell(kind);
    case kCellPolarization:
        return EditPolarization();
    case kTpMenu:
        return UseTpMenu();
    case kAdd:
        return PressSlotButton(kind, 1111);
    case kDelete:
        return PressSlotButton(kind, 1049);
    case kUp:
        return PressSlotButton(kind, 1108);
    case kDown:
        return PressSlotButton(kind, 1109);
    case kSave:
    case kSaveUnwritable:
    case kSaveCancel:
        return Save(kind);
    default:
        return Open(kind);
    }
}

Kind TestEditorRandomUser::ClickAnyNode() {
    QTreeWidgetItem* root = Root(W());
    const int pick = Below(24);
    QTreeWidgetItem* node = pick == 0  ? root
                            : pick < 4 ? root->child(pick - 1)
                                       : SlotNode(W(), pick - 4);
    ClickNode(W(), node);
    return kNode;
}

void TestEditorRandomUser::GoToAPane() {
    const int pick = Below(4);
    if (pick < 2) {
        ClickNode(W(), Root(W())->child(pick));
    } else {
        GoToASatellite();
    }
}

void TestEditorRandomUser::GoToASatellite() {
    const int used = UsedSlots(Block());
    ClickNode(W(), SlotNode(W(), used > 0 ? Below(used) : Below(20)));
}

Kind TestEditorRandomUser::TypeNumber() {
    if (PaneEdits(false).isEmpty()) {
        GoToAPane();
    }
    QLineEdit* edit = AnyOf(PaneEdits(false));
    if (edit == nullptr) {
        return kNode;
    }
    ClickWidget(edit);
    const QString text = NumberText();
    QWidget* target = TypingTarget(edit);
    if (Chance(75) || text.isEmpty()) {
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
    } else {
        QTest::keyClick(target, Qt::Key_End);
    }
    TypeInto(TypingTarget(edit), text);
    if (Chance(20)) {
        // Neither key closes the window.
        QTest::keyClick(TypingTarget(edit), Chance(50) ? Qt::Key_Return : Qt::Key_Escape);
    }
    Leave();
    return kTypeNumber;
}

Kind TestEditorRandomUser::TypeName() {
    if (PaneEdits(true).isEmpty()) {
        GoToASatellite();
    }
    QLineEdit* name = AnyOf(PaneEdits(true));
    if (name == nullptr) {
        return kNode;
    }
    ClickWidget(name);
    QWidget* target = TypingTarget(name);
    switch (Below(4)) {
    case 0:
    case 1:
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
        break;
    case 2:
        QTest::keyClick(target, Qt::Key_End);
        break;
    default:
        QTest::keyClick(target, Qt::Key_End);
        for (int i = Between(1, 4); i > 0; --i) {
            QTest::keyClick(TypingTarget(name), Qt::Key_Backspace);
        }
        break;
    }
    TypeInto(TypingTarget(name), NameInput());
    if (Chance(15)) {
        QTest::keyClick(TypingTarget(name), Chance(50) ? Qt::Key_Return : Qt::Key_Escape);
    }
    Leave();
    return kTypeName;
}

// Opens the list, then clicks an entry or closes it with Escape.
Kind TestEditorRandomUser::PickCombo(bool cancel) {
    if (PaneCombos().isEmpty()) {
        GoToAPane();
    }
    QComboBox* combo = AnyOf(PaneCombos());
    if (combo == nullptr || combo->count() == 0) {
        return kNode;
    }
    // A list opened by a press on the arrow lets its first release go by; opened as here, the
    // click on the entry counts at once.
    combo->setFocus(Qt::MouseFocusReason);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    if (cancel) {
        QTest::keyClick(view, Qt::Key_Escape);
    } else {
        const QModelIndex entry = view->model()->index(Below(combo->count()), 0);
        view->scrollTo(entry);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
    }
    if (view->isVisible()) {
        Fail(QStringLiteral("the list of %1 stayed open").arg(combo->accessibleName()));
        combo->hidePopup();
    }
    if (!Reactivate()) {
        return cancel ? kCancelCombo : kPickCombo;
    }
    // A desktop gives the focus back to the combo whose list closed.
    if (QApplication::focusWidget() != combo && combo->isEnabled() && combo->isVisible()) {
        combo->setFocus(Qt::PopupFocusReason);
    }
    if (Chance(60)) {
        Leave();
    }
    return cancel ? kCancelCombo : kPickCombo;
}

Kind TestEditorRandomUser::TypeCombo() {
    if (PaneCombos().isEmpty()) {
        GoToAPane();
    }
    QComboBox* combo = AnyOf(PaneCombos());
    if (combo == nullptr || combo->lineEdit() == nullptr || combo->count() == 0) {
        return kNode;
    }
    const int entry = combo->currentIndex();
    ClickWidget(combo->lineEdit());
    QWidget* target =
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : combo->lineEdit();
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    // Often the label of one of its own entries, as a user would type it.
    QTest::keyClicks(target, Chance(50) ? combo->itemText(Below(combo->count())) : ComboInput());
    if (Chance(30)) {
        QTest::keyClick(target, Qt::Key_Return);
    }
    // Typed text never picks an entry, not even with Enter.
    if (combo->currentIndex() != entry) {
        Fail(QStringLiteral("typing into %1 picked entry %2")
                 .arg(combo->accessibleName())
                 .arg(combo->currentIndex()));
    }
    Leave();
    return kTypeCombo;
}

Kind TestEditorRandomUser::ClickRadio() {
    if (PaneRadios().isEmpty()) {
        ClickNode(W(), Root(W())->child(0));
    }
    QRadioButton* radio = AnyOf(PaneRadios());
    if (radio == nullptr) {
        return kNode;
    }
    ClickWidget(radio);
    return kRadio;
}

// Ends the open in-place editor: Enter, Escape, or a click on another cell or a tree node.
Kind TestEditorRandomUser::EndCellEdit() {
    QWidget* focus = QApplication::focusWidget();
    switch (Below(5)) {
    case 0:
    case 1:
        if (focus != nullptr) {
            QTest::keyClick(focus, Qt::Key_Return);
        }
        break;
    case 2:
        if (focus != nullptr) {
            QTest::keyClick(focus, Qt::Key_Escape);
        }
        break;
    case 3:
        if (List()->rowCount() > 0) {
            ClickCell(Below(List()->rowCount()), Below(4));
        }
        break;
    default:
        ClickAnyNode();
        break;
    }
    return kCellType;
}

// A click into a cell of the focused row opens its editor; a first click focuses the row.
Kind TestEditorRandomUser::EditCell(Kind kind) {
    if (List()->rowCount() == 0) {
        GoToASatellite();
    }
    const int rows = List()->rowCount();
    if (rows == 0) {
        return kNode;
    }
    const int row = Below(rows);
    const int column = Chance(50) ? 1 : 3;
    if (List()->currentRow() != row || Chance(10)) {
        ClickCell(row, 0);
    }
    ClickCell(row, column);
    CNumEdit* edit = CNumEdit::GetInstance();
    if (edit->IsEditing()) {
        if (Chance(70)) {
            edit->selectAll();
        }
        if (kind == kCellPaste) {
            static const QString kClips[] = {QStringLiteral("42"), QStringLiteral("1234567890"),
                                             QStringLiteral("abc"), QStringLiteral("4a2"),
                                             QStringLiteral("00017")};
            QGuiApplication::clipboard()->setText(kClips[Below(5)]);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            const QString text = CellInput();
            if (text.isEmpty()) {
                QTest::keyClick(edit, Qt::Key_Delete);
            }
            QTest::keyClicks(edit, text);
        }
        EndCellEdit();
    }
    return kind;
}

Kind TestEditorRandomUser::EditPolarization() {
    if (List()->rowCount() == 0) {
        GoToASatellite();
    }
    const int rows = List()->rowCount();
    if (rows == 0) {
        return kNode;
    }
    const int row = Below(rows);
    if (List()->currentRow() != row) {
        ClickCell(row, 0);
    }
    ClickCell(row, 2);
    CInPlaceCombo* combo = CInPlaceCombo::GetInstance();
    if (!combo->IsEditing()) {
        return kCellPolarization;
    }
    switch (Below(4)) {
    case 0:
        QTest::keyClick(combo, Chance(50) ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(combo, Qt::Key_Return);
        break;
    case 1:
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Escape);
        break;
    case 2: {
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        if (combo->count() > 0) {
            const QModelIndex entry = view->model()->index(Below(combo->count()), 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(entry).center());
        }
        if (view->isVisible()) {
            QTest::keyClick(view, Qt::Key_Escape);
        }
        Reactivate();
        break;
    }
    default:
        EndCellEdit();
        break;
    }
    return kCellPolarization;
}

// A right click on a row or beside the rows; then a command of the menu, or Escape.
Kind TestEditorRandomUser::UseTpMenu() {
    QWidget* viewport = List()->viewport();
    const int rows = List()->rowCount();
    QPoint point(5, viewport->height() - 3);
    if (rows > 0 && Chance(70)) {
        point = List()->visualRect(List()->model()->index(Below(rows), Below(4))).center();
    }
    QTest::mouseClick(viewport, Qt::RightButton, {}, point);
    if (QApplication::activePopupWidget() == nullptr) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
        QApplication::sendEvent(viewport, &event);
    }
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        Fail(QStringLiteral("no menu on a right click into the TP list"));
        return kTpMenu;
    }
    QList<QAction*> offered;
    for (QAction* action : menu->actions()) {
        if (action->isEnabled() && action->isVisible() && !action->isSeparator()) {
            offered << action;
        }
    }
    QAction* command = Chance(80) ? AnyOf(offered) : nullptr;
    if (command != nullptr) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(command).center());
    } else {
        QTest::keyClick(menu, Qt::Key_Escape);
    }
    if (menu->isVisible()) {
        Fail(QStringLiteral("the TP menu stayed open"));
        menu->close();
    }
    Reactivate();
    return kTpMenu;
}

Kind TestEditorRandomUser::PressSlotButton(Kind kind, int id) {
    ClickButton(W(), id);
    return kind;
}

// --- files --------------------------------------------------------------------------------------

std::unique_ptr<MeterImage> TestEditorRandomUser::RandomImage(bool lettersNormalised) {
    auto image = std::make_unique<MeterImage>();
    for (std::uint8_t& byte : image->leadingImage) {
        byte = AnyByte();
    }
    for (std::uint8_t& byte : image->trailingImage) {
        byte = AnyByte();
    }
    image->systemSetting = {static_cast<std::uint8_t>(Below(2)),
                            static_cast<std::uint8_t>(Below(2)),
                            static_cast<std::uint8_t>(Below(5)), 0};
    SettingsBlock& block = image->settingsBlock;
    block.reserved0 = AnyByte();
    block.satCount = static_cast<std::uint8_t>(Between(0, 20));
    block.reserved2 = AnyByte();
    block.padding3 = AnyByte();
    block.reserved4 = static_cast<std::uint16_t>(m_rng());
    block.reserved6 = AnyByte();
    block.reserved7 = AnyByte();
    for (std::size_t i = 0; i < 16; ++i) {
        block.rangeLow[i] = static_cast<std::uint16_t>(m_rng());
        block.rangeHigh[i] = static_cast<std::uint16_t>(m_rng());
    }
    LocalPosition& local = block.localPosition;
    local = {static_cast<std::uint16_t>(Between(0, 1800)),
             Letter(kEast, kWest, lettersNormalised),
             AnyByte(),
             static_cast<std::uint16_t>(Between(0, 900)),
             Letter(kNorth, kSouth, lettersNormalised),
             AnyByte()};
    for (SatelliteRecord& record : block.satellites) {
        // A name of up to 11 characters, its NUL, then whatever bytes.
        const int length = Below(12);
        for (int i = 0; i < static_cast<int>(kNameSize); ++i) {
            char byte = '\0';
            if (i < length) {
                byte = static_cast<char>(Chance(80) ? Between(0x20, 0x7E) : Between(0xA0, 0xFF));
            } else if (i > length && Chance(30)) {
                byte = static_cast<char>(AnyByte());
            }
            record.name[static_cast<std::size_t>(i)] = byte;
        }
        record.lnbLowFreq = static_cast<std::uint16_t>(Between(0, 20000));
        record.lnbHighFreq = static_cast<std::uint16_t>(Between(0, 20000));
        record.lnbType = static_cast<std::uint8_t>(Between(0, 11));
        record.reserved17 = AnyByte();
        record.switchType = static_cast<std::uint8_t>(Between(0, 2));
        record.switchInput = static_cast<std::uint8_t>(Below(SwitchInputCount(record.switchType)));
        record.tone22k = static_cast<std::uint8_t>(Between(0, 2));
        record.positionType = static_cast<std::uint8_t>(Between(0, 2));
        record.lnbPower = static_cast<std::uint8_t>(Between(0, 3));
        record.padding23 = AnyByte();
        record.longitude = static_cast<std::uint16_t>(Between(0, 1800));
        record.direction = Letter(kEast, kWest, lettersNormalised);
        record.reserved27 = AnyByte();
        record.tpCount = static_cast<std::uint8_t>(Between(0, 8));
        record.padding29 = AnyByte();
        for (TpEntry& tp : record.tps) {
            tp = {static_cast<std::uint16_t>(m_rng()), static_cast<std::uint16_t>(m_rng()),
                  Letter(kHorizontal, kVertical, lettersNormalised), AnyByte()};
        }
    }
    return image;
}

// Counts past the limits, names without their NUL, letters and codes out of range, numbers past
// their ranges, or nothing but random bytes.
void TestEditorRandomUser::MakeHostile(MeterImage& image) {
    if (Chance(15)) {
        auto* bytes = reinterpret_cast<std::uint8_t*>(&image);
        for (std::size_t i = 0; i < sizeof(MeterImage); ++i) {
            bytes[i] = AnyByte();
        }
        return;
    }
    SettingsBlock& block = image.settingsBlock;
    if (Chance(60)) {
        static constexpr std::uint8_t kCounts[] = {0, 21, 255};
        block.satCount = kCounts[Below(3)];
    }
    if (Chance(30)) {
        image.systemSetting = {AnyByte(), AnyByte(), AnyByte(), AnyByte()};
    }
    if (Chance(30)) {
        block.localPosition.longitudeDir = AnyByte();
        block.localPosition.latitudeDir = AnyByte();
        block.localPosition.longitude = static_cast<std::uint16_t>(m_rng());
        block.localPosition.latitude = static_cast<std::uint16_t>(m_rng());
    }
    for (SatelliteRecord& record : block.satellites) {
        if (Chance(25)) {
            record.tpCount = Chance(50) ? 9 : 255;
        }
        if (Chance(20)) {
            for (char& byte : record.name) {
                byte = static_cast<char>(Between(1, 255));
            }
        }
        if (Chance(20)) {
            record.direction = AnyByte();
            for (TpEntry& tp : record.tps) {
                tp.polarization = AnyByte();
            }
        }
        if (Chance(20)) {
            record.lnbType = static_cast<std::uint8_t>(Between(11, 255));
            record.lnbPower = static_cast<std::uint8_t>(Between(4, 255));
            record.switchType = static_cast<std::uint8_t>(Between(0, 255));
            record.switchInput = static_cast<std::uint8_t>(Between(16, 255));
            record.tone22k = static_cast<std::uint8_t>(Between(3, 255));
            record.positionType = static_cast<std::uint8_t>(Between(3, 255));
        }
        if (Chance(15)) {
            record.longitude = static_cast<std::uint16_t>(Between(1801, 65535));
            record.lnbLowFreq = static_cast<std::uint16_t>(Between(20001, 65535));
            record.lnbHighFreq = static_cast<std::uint16_t>(Between(20001, 65535));
        }
    }
}

Kind TestEditorRandomUser::Open(Kind kind) {
    QString path;
    QByteArray bytes;
    QString expected;
    const QString fileName = QStringLiteral("open-%1.bin").arg(++m_files % 3);
    switch (kind) {
    case kOpenGood:
        bytes = ImageBytes(*RandomImage(Chance(50)));
        path = WriteFile(m_dir, fileName, bytes);
        break;
    case kOpenHostile: {
        std::unique_ptr<MeterImage> image = RandomImage(false);
        MakeHostile(*image);
        bytes = ImageBytes(*image);
        path = WriteFile(m_dir, fileName, bytes);
        break;
    }
    case kOpenShort:
    case kOpenLong:
    case kOpenEmpty: {
        QByteArray wrong = ImageBytes(*RandomImage(true));
        wrong.resize(kind == kOpenEmpty   ? 0
                     : kind == kOpenShort ? wrong.size() - 1
                                          : wrong.size() + 1);
        path = WriteFile(m_dir, fileName, wrong);
        expected = QStringLiteral("The file error!");
        break;
    }
    case kOpenMissing:
        path = m_dir.filePath(QStringLiteral("missing-%1.bin").arg(m_files));
        expected = "The file '" + path + "'could not be opened!";
        break;
    default:
        break;
    }

    // The press moves the focus, which commits the field being edited; the release opens.
    auto* button = Ctl<QPushButton>(W(), 1008);
    m_prompts.openAnswers.push_back(path);
    QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
    Drain();
    const auto before = std::make_unique<MeterImage>(W().Image());
    QStringList labels;
    for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
        labels << SlotNode(W(), slot)->text(0);
    }
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
    const QStringList messages = Drain();

    if (!bytes.isEmpty()) {
        for (const QString& text : messages) {
            if (text.contains(QStringLiteral("file"))) {
                Fail(QStringLiteral("a good file was refused: ") + text);
            }
        }
        MeterImage loaded;
        std::memcpy(&loaded, bytes.constData(), sizeof(MeterImage));
        SetBaseline(loaded);
        m_loaded = true;
        // The counts are the file's, whatever they are.
        if (Block().satCount != loaded.settingsBlock.satCount) {
            Fail(QStringLiteral("the loaded satCount is not the file's"));
        }
        for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
            if (Block().satellites[slot].tpCount != loaded.settingsBlock.satellites[slot].tpCount) {
                Fail(QStringLiteral("the loaded tpCount of slot %1 is not the file's").arg(slot));
            }
        }
        if (Tree(W())->selectedItems().value(0) != SlotNode(W(), 0)) {
            Fail(QStringLiteral("the first satellite is not selected after a load"));
        }
        return kind;
    }
    if (!expected.isEmpty() && messages != QStringList{expected}) {
        Fail(QStringLiteral("expected only '%1', got '%2'").arg(expected, messages.join("', '")));
    }
    // Refused or cancelled: nothing at all changed.
    if (!(W().Image() == *before)) {
        Fail(QStringLiteral("a load that did not happen changed the data"));
    }
    for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
        if (SlotNode(W(), slot)->text(0) != labels.at(slot)) {
            Fail(QStringLiteral("a load that did not happen relabelled node %1").arg(slot));
        }
    }
    return kind;
}

Kind TestEditorRandomUser::Save(Kind kind) {
    QString path;
    if (kind == kSave) {
        path = m_dir.filePath(QStringLiteral("saved.bin"));
    } else if (kind == kSaveUnwritable) {
        path = m_dir.filePath(QStringLiteral("no-such-folder/saved.bin"));
    }
    auto* button = Ctl<QPushButton>(W(), 1009);
    m_prompts.saveAnswers.push_back(path);
    QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
    Drain();
    const auto before = std::make_unique<MeterImage>(W().Image());
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
    const QStringList messages = Drain();
    if (!(W().Image() == *before)) {
        Fail(QStringLiteral("saving changed the data"));
    }
    if (kind == kSave) {
        if (!messages.isEmpty()) {
            Fail(QStringLiteral("a save reported: ") + messages.join(" | "));
        }
        // The file is the in-memory image, byte for byte.
        if (ReadFile(path) != ImageBytes(W().Image())) {
            Fail(QStringLiteral("the saved file differs from the data in memory"));
        }
    } else if (kind == kSaveUnwritable) {
        if (messages != QStringList{"The file '" + path + "'could not be opened!"}) {
            Fail(QStringLiteral("an unwritable target gave '%1'").arg(messages.join("', '")));
        }
        if (QFile::exists(path)) {
            Fail(QStringLiteral("a file appeared in a folder that does not exist"));
        }
    } else if (!messages.isEmpty()) {
        Fail(QStringLiteral("a cancelled save reported: ") + messages.join(" | "));
    }
    return kind;
}

// --- the run ------------------------------------------------------------------------------------

void TestEditorRandomUser::randomUser() {
    bool seedGiven = false;
    const qulonglong seed = qEnvironmentVariable("ORVEX_RANDOM_SEED").toULongLong(&seedGiven);
    bool countGiven = false;
    const int actions = qEnvironmentVariableIntValue("ORVEX_RANDOM_ACTIONS", &countGiven);
    const qulonglong runSeed = seedGiven ? seed : kDefaultSeed;
    const int runActions = countGiven && actions > 0 ? actions : kDefaultActions;
    m_rng.seed(static_cast<std::mt19937::result_type>(runSeed));
    const bool trace = qEnvironmentVariableIsSet("ORVEX_RANDOM_TRACE");

    QVERIFY(m_dir.isValid());
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    SetBaseline(FreshMeterImage());

    std::discrete_distribution<int> choose(kWeights.begin(), kWeights.end());
    QElapsedTimer clock;
    clock.start();
    for (int action = 0; action < runActions; ++action) {
        const Kind chosen = static_cast<Kind>(choose(m_rng));
        if (trace) {
            // Names the action before it runs, for a run that ends in a crash.
            std::fprintf(stderr, "action %d: %s\n", action,
                         kKindNames[static_cast<std::size_t>(chosen)]);
        }
        const Counts before = CountsNow();
        m_error.clear();
        m_loaded = false;
        const Kind done = Act(chosen);
        ++m_kindCounts[done];
        QCoreApplication::processEvents();
        Drain();
        const QString error = m_error.isEmpty() ? CheckInvariants(before) : m_error;
        QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                                 .arg(runSeed)
                                                 .arg(action)
                                                 .arg(QString::fromLatin1(kKindNames[done]))
                                                 .arg(error)));
    }

    // Printed past the test log, which stops after its maximum of messages in a long run.
    std::printf("seed %llu, %d actions in %lld ms\n", runSeed, runActions,
                static_cast<long long>(clock.elapsed()));
    for (int kind = 0; kind < kKindCount; ++kind) {
        std::printf("  %-18s %d\n", kKindNames[static_cast<std::size_t>(kind)],
                    m_kindCounts[static_cast<std::size_t>(kind)]);
    }
    for (const auto& [text, count] : m_messageCounts) {
        std::printf("  message %-45s %d\n", qPrintable(text), count);
    }
    std::printf("  beeps %d\n", m_prompts.beeps);
    std::fflush(stdout);

    m_window->close();
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
}

QTEST_MAIN(TestEditorRandomUser)
#include "test_editor_random_user.moc"
