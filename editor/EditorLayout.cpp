#include "editor/EditorLayout.h"

#include "controls/CEditListCtrl.h"
#include "controls/ControlIds.h"
#include "controls/DialogUnits.h"
#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/CNavigationTree.h"
#include "editor/EditorIds.h"
#include "model/MeterData.h"

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
constexpr std::array<ControlLayout, 10> kFrameControls = {{
    {Tree, Kind::Tree, "", 22, 7, 143, 253},
    {TpList, Kind::List, "", 304, 7, 155, 272},
    {LoadSat, Kind::Button, "Load Sat", 23, 265, 44, 14},
    {Open, Kind::Button, "Open", 65, 265, 44, 14},
    {Save, Kind::Button, "Save", 143, 265, 44, 14},
    {Exit, Kind::Button, "Exit", 221, 265, 44, 14},
    {Up, Kind::Button, "UP", 4, 37, 15, 39},
    {Add, Kind::Button, "+", 4, 100, 15, 17},
    {Delete, Kind::Button, "-", 4, 141, 15, 17},
    {Down, Kind::Button, "DN", 4, 182, 15, 39},
}};

// The panes' boxes, in the order of the Pane values; every pane starts at the same place.
constexpr std::array<ControlLayout, 4> kPaneBoxes = {{
    {SatellitePane, Kind::Group, "Satellite", 168, 7, 133, 253},
    {TpPane, Kind::Group, "TP", 168, 7, 133, 70},
    {LocalPositionPane, Kind::Group, "Local Position", 168, 7, 133, 98},
    {SystemSettingPane, Kind::Group, "System Setting", 168, 7, 133, 98},
}};
constexpr ControlLayout kAddTp = {AddTp, Kind::Button, "Add TP", 251, 84, 50, 14};

// A label left of its control inside a pane. `widen` moves the control's left edge into the
// label's unused room, for an entry longer than the common width.
struct PaneRow {
    Pane pane;
    int y;
    int labelId;
    const char* label;
    int controlId;
    Kind kind;
    int widen;
};

constexpr std::array<PaneRow, 20> kPaneRows = {{
    {Pane::Satellite, 19, NameLabel, "Name :", Name, Kind::NameEdit, 0},
    {Pane::Satellite, 41, SatLongitudeLabel, "Longitude :", SatLongitude, Kind::Edit, 0},
    {Pane::Satellite, 63, DirectionLabel, "Location :", Direction, Kind::Combo, 0},
    {Pane::Satellite, 85, LnbTypeLabel, "Lnb Type :", LnbType, Kind::Combo, 12},
    {Pane::Satellite, 107, LnbPowerLabel, "Lnb Power :", LnbPower, Kind::Combo, 0},
    {Pane::Satellite, 129, LowFreqLabel, "Low Frequency :", LowFreq, Kind::Edit, 0},
    {Pane::Satellite, 151, HighFreqLabel, "High Frequency :", HighFreq, Kind::Edit, 0},
    {Pane::Satellite, 173, SwitchTypeLabel, "Switch Type :", SwitchType, Kind::Combo, 0},
    {Pane::Satellite, 195, SwitchInputLabel, "Switch Input :", SwitchInput, Kind::Combo, 0},
    {Pane::Satellite, 217, Tone22kLabel, "22 KHz :", Tone22k, Kind::Combo, 0},
    {Pane::Satellite, 239, PositionTypeLabel, "Position Type :", PositionType, Kind::Combo, 0},
    {Pane::Tp, 18, TpPolarityLabel, "Polarit :", TpPolarity, Kind::Combo, 0},
    {Pane::Tp, 37, TpFreqLabel, "Frequency(MHz) :", TpFreq, Kind::Edit, 0},
    {Pane::Tp, 56, TpSymbolRateLabel, "Symbol Rate :", TpSymbolRate, Kind::Edit, 0},
    {Pane::LocalPosition, 18, LocalLongitudeLabel, "Longitude :", LocalLongitude, Kind::Edit, 0},
    {Pane::LocalPosition, 40, LocalDirectionLabel, "Location :", LocalDirection, Kind::Combo, 0},
    {Pane::LocalPosition, 62, LocalLatitudeLabel, "Latitude :", LocalLatitude, Kind::Edit, 0},
    {Pane::LocalPosition, 84, HemisphereLabel, "Hemisphere :", Hemisphere, Kind::Combo, 0},
    {Pane::SystemSetting, 63, AutoPowerOffLabel, "Auto Power Off :", AutoPowerOff, Kind::Combo, 0},
    {Pane::SystemSetting, 85, LanguageLabel, "Language :", Language, Kind::Combo, 0},
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

} // namespace

QHash<int, QWidget*> CreateFrameControls(QWidget* window) {
    QHash<int, QWidget*> controls;
    const DialogUnits du(window->font());
    window->setFixedSize(du.X(kWindowWidth), du.Y(kWindowHeight));
    for (const ControlLayout& layout : kFrameControls) {
        QWidget* control = nullptr;
        if (layout.kind == Kind::Tree) {
            control = new CNavigationTree(window);
        } else if (layout.kind == Kind::List) {
            control = new CEditListCtrl(window);
        } else {
            auto* button = new QPushButton(QString::fromLatin1(layout.text), window);
            // Enter never presses a button of this window.
            button->setAutoDefault(false);
            button->setDefault(false);
            control = button;
        }
        control->setGeometry(du.Rect(layout.x, layout.y, layout.width, layout.height));
        SetControlId(control, layout.id);
        controls.insert(layout.id, control);
    }
    // Nothing in the window shows the library's entry.
    controls.value(LoadSat)->hide();
    return controls;
}

void BuildPane(Pane pane, QGroupBox* box, QHash<int, QWidget*>& controls) {
    const DialogUnits du(box->font());
    const ControlLayout& frame = kPaneBoxes[static_cast<std::size_t>(pane)];
    const QRect boxRect = du.Rect(frame.x, frame.y, frame.width, frame.height);
    box->setTitle(QString::fromLatin1(frame.text));
    box->setGeometry(boxRect);
    SetControlId(box, frame.id);
    controls.insert(frame.id, box);

    // The rows are laid out in the window's dialog units, as the boxes are.
    const auto place = [&](QWidget* widget, int id, QRect rect, const QString& label = {}) {
        widget->setGeometry(rect.translated(-boxRect.topLeft()));
        SetControlId(widget, id, label);
        controls.insert(id, widget);
    };
    QRegularExpressionValidator* digitsOnly = nullptr;
    for (const PaneRow& row : kPaneRows) {
        if (row.pane != pane) {
            continue;
        }
        const QString label = QString::fromLatin1(row.label);
        place(new QLabel(label, box), row.labelId,
              du.Rect(kLabelX, row.y, kLabelWidth - row.widen, kRowHeight));
        QWidget* control = nullptr;
        if (row.kind == Kind::NameEdit) {
            auto* name = new CFieldEdit(box);
            // Only what a name byte can hold; no NUL, which would end the name early.
            name->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[\\x{01}-\\x{FF}]*")), name));
            name->setMaxLength(static_cast<int>(kMaxNameChars));
            control = name;
        } else if (row.kind == Kind::Edit) {
            if (digitsOnly == nullptr) {
                digitsOnly = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box);
            }
            auto* edit = new CFieldEdit(box);
            edit->setValidator(digitsOnly);
            control = edit;
        } else {
            control = new CDropDownCombo(box);
        }
        place(control, row.controlId,
              du.Rect(kControlX - row.widen, row.y, kControlWidth + row.widen, kRowHeight), label);
    }
    if (pane == Pane::SystemSetting) {
        for (const RadioRow& row : kRadioRows) {
            const QString label = QString::fromLatin1(row.label);
            place(new QLabel(label, box), row.labelId,
                  du.Rect(kLabelX, row.y, kRadioLabelWidth, kRowHeight));
            auto* off = new QRadioButton(QStringLiteral("Off"), box);
            auto* on = new QRadioButton(QStringLiteral("On"), box);
            for (auto* button : {off, on}) {
                button->setAutoExclusive(false);
                button->setAccessibleDescription(label);
            }
            place(off, row.offId, du.Rect(kControlX, row.y, kRadioWidth, kRowHeight));
            place(on, row.onId, du.Rect(kRadioOnX, row.y, kRadioWidth, kRowHeight));
        }
    }
    if (pane == Pane::Tp) {
        auto* addTp = new QPushButton(QString::fromLatin1(kAddTp.text), box->parentWidget());
        addTp->setAutoDefault(false);
        addTp->setGeometry(du.Rect(kAddTp.x, kAddTp.y, kAddTp.width, kAddTp.height));
        addTp->hide();
        SetControlId(addTp, kAddTp.id);
        controls.insert(kAddTp.id, addTp);
    }
}

bool PaneOfControl(int id, Pane& pane) {
    for (std::size_t k = 0; k < kPaneBoxes.size(); ++k) {
        if (kPaneBoxes[k].id == id) {
            pane = static_cast<Pane>(k);
            return true;
        }
    }
    for (const PaneRow& row : kPaneRows) {
        if (id == row.labelId || id == row.controlId) {
            pane = row.pane;
            return true;
        }
    }
    for (const RadioRow& row : kRadioRows) {
        if (id == row.labelId || id == row.offId || id == row.onId) {
            pane = Pane::SystemSetting;
            return true;
        }
    }
    if (id == kAddTp.id) {
        pane = Pane::Tp;
        return true;
    }
    return false;
}
