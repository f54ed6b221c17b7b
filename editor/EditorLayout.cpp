#include "editor/EditorLayout.h"

#include "controls/CEditListCtrl.h"
#include "controls/ControlIds.h"
#include "controls/DialogUnits.h"
#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/CNavigationTree.h"
#include "editor/EditorIds.h"
#include "model/MeterData.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <array>

namespace {

using namespace EditorId;

enum class Kind { Tree, Group, List, Button, Edit, NameEdit, Combo };

struct ControlLayout {
    int id;
    Kind kind;
    const char* text;
    int x, y, width, height;
};

// The controls that are not rows of a pane, in creation order: the group boxes come before
// the rows so that the rows lie on top of them.
constexpr std::array<ControlLayout, 15> kFrameControls = {{
    {Tree, Kind::Tree, "", 22, 7, 143, 253},
    {SatellitePane, Kind::Group, "Satellite", 168, 7, 133, 253},
    {TpPane, Kind::Group, "TP", 168, 7, 133, 70},
    {LocalPositionPane, Kind::Group, "Local Position", 168, 7, 133, 98},
    {SystemSettingPane, Kind::Group, "System Setting", 168, 7, 133, 98},
    {TpList, Kind::List, "", 304, 7, 155, 272},
    {AddTp, Kind::Button, "Add TP", 251, 84, 50, 14},
    {LoadSat, Kind::Button, "Load Sat", 23, 265, 44, 14},
    {Open, Kind::Button, "Open", 65, 265, 44, 14},
    {Save, Kind::Button, "Save", 143, 265, 44, 14},
    {Exit, Kind::Button, "Exit", 221, 265, 44, 14},
    {Up, Kind::Button, "UP", 4, 37, 15, 39},
    {Add, Kind::Button, "+", 4, 100, 15, 17},
    {Delete, Kind::Button, "-", 4, 141, 15, 17},
    {Down, Kind::Button, "DN", 4, 182, 15, 39},
}};

// A label left of its control inside a pane. `widen` moves the control's left edge into the
// label's unused room, for an entry longer than the common width.
struct PaneRow {
    int y;
    int labelId;
    const char* label;
    int controlId;
    Kind kind;
    int widen;
};

constexpr std::array<PaneRow, 20> kPaneRows = {{
    {19, NameLabel, "Name :", Name, Kind::NameEdit, 0},
    {41, SatLongitudeLabel, "Longitude :", SatLongitude, Kind::Edit, 0},
    {63, DirectionLabel, "Location :", Direction, Kind::Combo, 0},
    {85, LnbTypeLabel, "Lnb Type :", LnbType, Kind::Combo, 12},
    {107, LnbPowerLabel, "Lnb Power :", LnbPower, Kind::Combo, 0},
    {129, LowFreqLabel, "Low Frequency :", LowFreq, Kind::Edit, 0},
    {151, HighFreqLabel, "High Frequency :", HighFreq, Kind::Edit, 0},
    {173, SwitchTypeLabel, "Switch Type :", SwitchType, Kind::Combo, 0},
    {195, SwitchInputLabel, "Switch Input :", SwitchInput, Kind::Combo, 0},
    {217, Tone22kLabel, "22 KHz :", Tone22k, Kind::Combo, 0},
    {239, PositionTypeLabel, "Position Type :", PositionType, Kind::Combo, 0},
    {18, TpPolarityLabel, "Polarit :", TpPolarity, Kind::Combo, 0},
    {37, TpFreqLabel, "Frequency(MHz) :", TpFreq, Kind::Edit, 0},
    {56, TpSymbolRateLabel, "Symbol Rate :", TpSymbolRate, Kind::Edit, 0},
    {18, LocalLongitudeLabel, "Longitude :", LocalLongitude, Kind::Edit, 0},
    {40, LocalDirectionLabel, "Location :", LocalDirection, Kind::Combo, 0},
    {62, LocalLatitudeLabel, "Latitude :", LocalLatitude, Kind::Edit, 0},
    {84, HemisphereLabel, "Hemisphere :", Hemisphere, Kind::Combo, 0},
    {63, AutoPowerOffLabel, "Auto Power Off :", AutoPowerOff, Kind::Combo, 0},
    {85, LanguageLabel, "Language :", Language, Kind::Combo, 0},
}};

// The two radio rows of the System Setting pane: label, "Off" button, "On" button.
struct RadioRow {
    int y;
    int labelId;
    const char* label;
    int offId;
    int onId;
};
constexpr std::array<RadioRow, 2> kRadioRows = {{
    {19, BeepLabel, "Beep :", BeepOff, BeepOn},
    {41, BacklightLabel, "Backlight :", BacklightOff, BacklightOn},
}};

constexpr int kLabelX = 175;
constexpr int kLabelWidth = 62;
constexpr int kRadioLabelWidth = 49;
constexpr int kRowHeight = 14;
constexpr int kControlX = 241;
constexpr int kControlWidth = 55;
constexpr int kRadioOnX = 269;
constexpr int kRadioWidth = 27;
constexpr int kWindowWidth = 466;
constexpr int kWindowHeight = 286;

constexpr std::array kSatellitePane = {SatellitePane,
                                       NameLabel,
                                       SatLongitudeLabel,
                                       DirectionLabel,
                                       LnbTypeLabel,
                                       LnbPowerLabel,
                                       LowFreqLabel,
                                       HighFreqLabel,
                                       SwitchTypeLabel,
                                       SwitchInputLabel,
                                       Tone22kLabel,
                                       PositionTypeLabel,
                                       Name,
                                       SatLongitude,
                                       Direction,
                                       LnbType,
                                       LnbPower,
                                       LowFreq,
                                       HighFreq,
                                       SwitchType,
                                       SwitchInput,
                                       Tone22k,
                                       PositionType};
constexpr std::array kTpPane = {TpPane,     TpPolarityLabel, TpFreqLabel,  TpSymbolRateLabel,
                                TpPolarity, TpFreq,          TpSymbolRate, AddTp};
constexpr std::array kLocalPositionPane = {
    LocalPositionPane,  LocalLongitudeLabel, LocalDirectionLabel,
    LocalLatitudeLabel, HemisphereLabel,     LocalLongitude,
    LocalDirection,     LocalLatitude,       Hemisphere};
constexpr std::array kSystemSettingPane = {
    SystemSettingPane, BeepLabel,   BacklightLabel, AutoPowerOffLabel, LanguageLabel, BeepOn,
    BeepOff,           BacklightOn, BacklightOff,   AutoPowerOff,      Language};
constexpr std::array kEditControls = {
    BeepOff,        BeepOn,         BacklightOff,  BacklightOn, AutoPowerOff, Language,
    LocalLongitude, LocalDirection, LocalLatitude, Hemisphere,  Name,         SatLongitude,
    Direction,      LnbType,        LnbPower,      LowFreq,     HighFreq,     SwitchType,
    SwitchInput,    Tone22k,        PositionType,  TpPolarity,  TpFreq,       TpSymbolRate};

} // namespace

EditorControls CreateEditorControls(QWidget* window) {
    EditorControls controls;
    const DialogUnits du(window->font());
    window->setFixedSize(du.X(kWindowWidth), du.Y(kWindowHeight));

    const auto place = [&](QWidget* widget, int id, QRect rect, const QString& label = {}) {
        widget->setGeometry(rect);
        SetControlId(widget, id, label);
        controls.byId.insert(id, widget);
    };

    for (const ControlLayout& layout : kFrameControls) {
        const QRect rect = du.Rect(layout.x, layout.y, layout.width, layout.height);
        const QString text = QString::fromLatin1(layout.text);
        switch (layout.kind) {
        case Kind::Tree:
            place(new CNavigationTree(window), layout.id, rect);
            break;
        case Kind::Group:
            place(new QGroupBox(text, window), layout.id, rect);
            break;
        case Kind::List:
            place(new CEditListCtrl(window), layout.id, rect);
            break;
        default: {
            auto* button = new QPushButton(text, window);
            // Enter never presses a button of this window.
            button->setAutoDefault(false);
            button->setDefault(false);
            place(button, layout.id, rect);
            break;
        }
        }
    }
    // Nothing in the window shows the library's entry.
    controls.byId.value(LoadSat)->hide();

    const auto digitsOnly = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), window);
    for (const PaneRow& row : kPaneRows) {
        const QString label = QString::fromLatin1(row.label);
        place(new QLabel(label, window), row.labelId,
              du.Rect(kLabelX, row.y, kLabelWidth - row.widen, kRowHeight));
        QWidget* control = nullptr;
        if (row.kind == Kind::NameEdit) {
            auto* name = new CFieldEdit(window);
            // Only what a name byte can hold; no NUL, which would end the name early.
            name->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[\\x{01}-\\x{FF}]*")), name));
            name->setMaxLength(static_cast<int>(kMaxNameChars));
            control = name;
        } else if (row.kind == Kind::Edit) {
            auto* edit = new CFieldEdit(window);
            edit->setValidator(digitsOnly);
            control = edit;
        } else {
            control = new CDropDownCombo(window);
        }
        place(control, row.controlId,
              du.Rect(kControlX - row.widen, row.y, kControlWidth + row.widen, kRowHeight), label);
    }
    for (const RadioRow& row : kRadioRows) {
        const QString label = QString::fromLatin1(row.label);
        place(new QLabel(label, window), row.labelId,
              du.Rect(kLabelX, row.y, kRadioLabelWidth, kRowHeight));
        auto* group = new QButtonGroup(window);
        auto* off = new QRadioButton(QStringLiteral("Off"), window);
        auto* on = new QRadioButton(QStringLiteral("On"), window);
        for (auto* button : {off, on}) {
            button->setAutoExclusive(false);
            button->setAccessibleDescription(label);
        }
        place(off, row.offId, du.Rect(kControlX, row.y, kRadioWidth, kRowHeight));
        place(on, row.onId, du.Rect(kRadioOnX, row.y, kRadioWidth, kRowHeight));
        group->addButton(off, 0);
        group->addButton(on, 1);
        (row.labelId == BeepLabel ? controls.beep : controls.backlight) = group;
    }
    return controls;
}

std::span<const int> PaneControlIds(Pane pane) {
    switch (pane) {
    case Pane::Satellite:
        return kSatellitePane;
    case Pane::Tp:
        return kTpPane;
    case Pane::LocalPosition:
        return kLocalPositionPane;
    case Pane::SystemSetting:
        break;
    }
    return kSystemSettingPane;
}

std::span<const int> EditControlIds() {
    return kEditControls;
}
