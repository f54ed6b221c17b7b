#include "library/CSatEditDlg.h"

#include "controls/CComboBoxBase.h"
#include "controls/ControlIds.h"
#include "controls/DialogLayout.h"
#include "controls/DialogUnits.h"
#include "controls/UserPrompts.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <vector>

namespace {

enum class Kind { Group, Label, Text, Digits, List, Button };

using LayoutItem = DialogItem<Kind>;

constexpr int kStatic = kStaticControl;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 1027;
constexpr int kIdName = 1032;
constexpr int kIdTpNumber = 1043;
constexpr int kIdLongitude = 1028;
constexpr int kIdLocation = 1042;
constexpr int kIdLnbType = 1029;
constexpr int kIdLnbPower = 1033;
constexpr int kIdLowFreq = 1016;
constexpr int kIdHighFreq = 1017;
constexpr int kIdSwitchType = 1022;
constexpr int kIdSwitchInput = 1023;
constexpr int kIdTone = 1024;
constexpr int kIdPositionType = 1025;
constexpr int kIdTpNo = 1030;
constexpr int kIdPolarity = 1031;
constexpr int kIdTpFreq = 1034;
constexpr int kIdSymbolRate = 1035;

constexpr int kDialogWidth = 280;
constexpr int kDialogHeight = 214;

// Dialog units. A label names the control that follows it; group boxes come first so that
// they lie beneath their controls.
constexpr LayoutItem kLayout[] = {
    {Kind::Group, kStatic, "Angle", 7, 24, 266, 30},
    {Kind::Group, kStatic, "Lnb Setting", 7, 58, 130, 78},
    {Kind::Group, kStatic, "DisEqc", 143, 58, 130, 78},
    {Kind::Group, kStatic, "TP", 7, 140, 266, 48},
    {Kind::Label, kStatic, "Satellite Name :", 7, 9, 60, 8},
    {Kind::Text, kIdName, nullptr, 68, 7, 64, 12},
    {Kind::Label, kStatic, "TP Number :", 148, 9, 64, 8},
    {Kind::List, kIdTpNumber, nullptr, 214, 7, 54, 12},
    {Kind::Label, kStatic, "Longitude :", 12, 38, 64, 8},
    {Kind::Digits, kIdLongitude, nullptr, 78, 36, 54, 12},
    {Kind::Label, kStatic, "Location :", 148, 38, 64, 8},
    {Kind::List, kIdLocation, nullptr, 214, 36, 54, 12},
    // "UNICABLE_A1" needs more than the common width: the list reaches into its label's room.
    {Kind::Label, kStatic, "Lnb Type :", 12, 72, 52, 8},
    {Kind::List, kIdLnbType, nullptr, 66, 70, 66, 12},
    {Kind::Label, kStatic, "Lnb Power :", 12, 88, 64, 8},
    {Kind::List, kIdLnbPower, nullptr, 78, 86, 54, 12},
    {Kind::Label, kStatic, "Low Frequency :", 12, 104, 64, 8},
    {Kind::Digits, kIdLowFreq, nullptr, 78, 102, 54, 12},
    {Kind::Label, kStatic, "High Frequency :", 12, 120, 64, 8},
    {Kind::Digits, kIdHighFreq, nullptr, 78, 118, 54, 12},
    {Kind::Label, kStatic, "Switch Type :", 148, 72, 64, 8},
    {Kind::List, kIdSwitchType, nullptr, 214, 70, 54, 12},
    {Kind::Label, kStatic, "Switch Input :", 148, 88, 64, 8},
    {Kind::List, kIdSwitchInput, nullptr, 214, 86, 54, 12},
    {Kind::Label, kStatic, "22 KHz :", 148, 104, 64, 8},
    {Kind::List, kIdTone, nullptr, 214, 102, 54, 12},
    {Kind::Label, kStatic, "Position Type :", 148, 120, 64, 8},
    {Kind::List, kIdPositionType, nullptr, 214, 118, 54, 12},
    {Kind::Label, kStatic, "TP No :", 12, 154, 64, 8},
    {Kind::List, kIdTpNo, nullptr, 78, 152, 54, 12},
    {Kind::Label, kStatic, "Polarit :", 148, 154, 64, 8},
    {Kind::List, kIdPolarity, nullptr, 214, 152, 54, 12},
    {Kind::Label, kStatic, "Frequency(MHz) :", 12, 170, 64, 8},
    {Kind::Digits, kIdTpFreq, nullptr, 78, 168, 54, 12},
    {Kind::Label, kStatic, "Symbol Rate :", 148, 170, 64, 8},
    {Kind::Digits, kIdSymbolRate, nullptr, 214, 168, 54, 12},
    {Kind::Button, kIdOk, "OK", 76, 194, 50, 14},
    {Kind::Button, kIdCancel, "Cancel", 154, 194, 50, 14},
};

struct BoxRange {
    std::uint32_t low;
    std::uint32_t high;
};
// Accepted ranges of the number boxes (index = box); the name box has none.
constexpr BoxRange kBoxRanges[] = {{0, 0},    {0, 20000}, {0, 20000},
                                   {0, 1800}, {0, 20000}, {2000, 45000}};
// Leaving a frequency box stores at most this, tighter than what the box accepts.
constexpr std::uint32_t kLnbFreqCap = 12750;
constexpr std::uint32_t kLongitudeCap = 1800;
constexpr std::uint32_t kTpFreqCap = 20000;
constexpr std::uint32_t kSymbolRateLow = 2000;
constexpr std::uint32_t kSymbolRateHigh = 45000;

const QString kNameEmpty = QStringLiteral("Satellite's name can not be empty!");

QString RangeMessage(const BoxRange& range) {
    return QStringLiteral("Please enter an integer between %1 and %2.")
        .arg(range.low)
        .arg(range.high);
}

// Shows the entry at the position of a code; a code beyond the list shows none.
void ShowCode(CComboBoxBase* list, int code) {
    list->setCurrentIndex(code < list->count() ? code : -1);
}

int PolarityEntry(std::uint8_t letter) {
    return letter == kHorizontal ? 0 : 1;
}

} // namespace

CSatEditDlg::CSatEditDlg(const SatelliteRecord& record, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_record(record) {
    setWindowTitle(QStringLiteral("Edit Satellite"));
    CreateControls();
    OnInitDialog();
}

void CSatEditDlg::CreateControls() {
    const auto make = [this](const LayoutItem& item) {
        QWidget* control = nullptr;
        switch (item.kind) {
        case Kind::Group:
            control = new QGroupBox(QString::fromLatin1(item.text), this);
            break;
        case Kind::Label:
            control = new QLabel(QString::fromLatin1(item.text), this);
            break;
        case Kind::Text:
        case Kind::Digits: {
            auto* box = new QLineEdit(this);
            if (item.kind == Kind::Digits) {
                box->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("[0-9]*")), box));
            } else {
                // Names are stored as ISO 8859-1 bytes: printable Latin-1 only, 11 at most.
                box->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*")), box));
                box->setMaxLength(static_cast<int>(kMaxNameChars));
            }
            control = box;
            break;
        }
        case Kind::List:
            control = new CComboBoxBase(this);
            break;
        case Kind::Button:
            control = new QPushButton(QString::fromLatin1(item.text), this);
            break;
        }
        return control;
    };
    BuildDialog<Kind>(this, kLayout, Kind::Label, kDialogWidth, kDialogHeight, make);

    const auto byId = [this](int id) {
        return FindControl(this, id);
    };
    const auto list = [&byId](int id) {
        return static_cast<CComboBoxBase*>(byId(id));
    };
    m_boxes = {
        static_cast<QLineEdit*>(byId(kIdName)),     static_cast<QLineEdit*>(byId(kIdLowFreq)),
        static_cast<QLineEdit*>(byId(kIdHighFreq)), static_cast<QLineEdit*>(byId(kIdLongitude)),
        static_cast<QLineEdit*>(byId(kIdTpFreq)),   static_cast<QLineEdit*>(byId(kIdSymbolRate))};
    m_tpNumber = list(kIdTpNumber);
    m_location = list(kIdLocation);
    m_lnbType = list(kIdLnbType);
    m_lnbPower = list(kIdLnbPower);
    m_switchType = list(kIdSwitchType);
    m_switchInput = list(kIdSwitchInput);
    m_tone = list(kIdTone);
    m_positionType = list(kIdPositionType);
    m_tpNo = list(kIdTpNo);
    m_polarity = list(kIdPolarity);
    m_okButton = static_cast<QPushButton*>(byId(kIdOk));
    auto* cancelButton = static_cast<QPushButton*>(byId(kIdCancel));

    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &CSatEditDlg::OnOK);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lnbType, &CComboBoxBase::listClosed, this, &CSatEditDlg::OnCloseUpLnbType);
    connect(m_switchType, &CComboBoxBase::listClosed, this, &CSatEditDlg::OnCloseUpSwitchType);
    connect(m_tpNo, &CComboBoxBase::listClosed, this, &CSatEditDlg::OnCloseUpTpNo);
    connect(m_polarity, &CComboBoxBase::listClosed, this, &CSatEditDlg::OnCloseUpPolarity);

    for (QLineEdit* box : m_boxes) {
        box->installEventFilter(this);
    }
    for (CComboBoxBase* choice : {m_tpNumber, m_location, m_lnbType, m_lnbPower, m_switchType,
                                  m_switchInput, m_tone, m_positionType, m_tpNo, m_polarity}) {
        choice->installEventFilter(this);
    }
}

void CSatEditDlg::OnInitDialog() {
    m_nameText = QString::fromLatin1(NameText(m_record));

    for (int n = 1; n <= static_cast<int>(kMaxTps); ++n) {
        m_tpNumber->addItem(QString::number(n));
    }
    // A count the record can hold is kept; only a count it cannot hold starts over at one.
    if (m_record.tpCount < 1 || m_record.tpCount > kMaxTps) {
        m_record.tpCount = 1;
    }
    m_tpNumber->setCurrentIndex(m_record.tpCount - 1);
    m_record.reserved27 = 0;

    m_values[LongitudeBox] = m_record.longitude;
    m_location->addItems({QStringLiteral("East"), QStringLiteral("West")});
    m_location->setCurrentIndex(m_record.direction == kEast ? 0 : 1);

    for (const char* text : kLnbTypeLabels) {
        m_lnbType->addItem(QString::fromLatin1(text));
    }
    ShowCode(m_lnbType, m_record.lnbType);
    if (m_record.lnbType <= kLnbCustomized) {
        const bool boxes = m_record.lnbType == kLnbCustomized;
        m_boxes[LowBox]->setEnabled(boxes);
        m_boxes[HighBox]->setEnabled(boxes);
        m_tone->setEnabled(m_record.lnbType != 0);
    }

    for (const char* text : kLnbPowerLabels) {
        m_lnbPower->addItem(QString::fromLatin1(text));
    }
    ShowCode(m_lnbPower, m_record.lnbPower);

    m_values[LowBox] = m_record.lnbLowFreq;
    m_values[HighBox] = m_record.lnbHighFreq;

    for (const char* text : kTone22kLabels) {
        m_tone->addItem(QString::fromLatin1(text));
    }
    ShowCode(m_tone, m_record.tone22k);

    for (const char* text : kSwitchTypeLabels) {
        m_switchType->addItem(QString::fromLatin1(text));
    }
    ShowCode(m_switchType, m_record.switchType);
    const int inputs = SwitchInputCount(m_record.switchType);
    FillSwitchInputs(inputs > 0 ? inputs : 3);
    m_switchInput->setEnabled(m_record.switchType != 0);
    ShowCode(m_switchInput, m_record.switchInput);

    for (const char* text : kPositionTypeLabels) {
        m_positionType->addItem(QString::fromLatin1(text));
    }
    ShowCode(m_positionType, m_record.positionType);

    FillTpNumbers(m_record.tpCount);
    m_polarity->addItems({QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
    ShowTp(0);
    ShowBoxes();
}

void CSatEditDlg::FillSwitchInputs(int count) {
    m_switchInput->clear();
    for (int n = 1; n <= count; ++n) {
        m_switchInput->addItem(QStringLiteral("LNB%1").arg(n));
    }
}

void CSatEditDlg::FillTpNumbers(int count) {
    m_tpNo->clear();
    for (int n = 1; n <= count; ++n) {
        m_tpNo->addItem(QStringLiteral("TP No%1").arg(n));
    }
    m_tpNo->setCurrentIndex(0);
}

// Makes transponder tp current: the polarization list and the two TP values show it.
void CSatEditDlg::ShowTp(int tp) {
    m_curTp = tp;
    const TpEntry& entry = m_record.tps[static_cast<std::size_t>(tp)];
    m_shownPolarity = PolarityEntry(entry.polarization);
    m_polarity->setCurrentIndex(m_shownPolarity);
    m_values[TpFreqBox] = entry.frequency;
    m_values[SymbolRateBox] = entry.symbolRate;
}

void CSatEditDlg::ShowBoxes() {
    m_boxes[NameBox]->setText(m_nameText);
    for (int box = LowBox; box < kBoxCount; ++box) {
        m_boxes[static_cast<std::size_t>(box)]->setText(
            QString::number(m_values[static_cast<std::size_t>(box)]));
    }
}

int CSatEditDlg::ReadBoxes() {
    m_nameText = m_boxes[NameBox]->text();
    if (m_nameText.size() > static_cast<qsizetype>(kMaxNameChars)) {
        m_prompts.Message(
            this, QStringLiteral("Please enter no more than %1 characters.").arg(kMaxNameChars));
        return NameBox;
    }
    for (int box = LowBox; box < kBoxCount; ++box) {
        const auto index = static_cast<std::size_t>(box);
        const BoxRange& range = kBoxRanges[index];
        bool isNumber = false;
        const std::uint32_t value = m_boxes[index]->text().toUInt(&isNumber);
        if (isNumber) {
            m_values[index] = value;
        }
        if (!isNumber || value < range.low || value > range.high) {
            m_prompts.Message(this, RangeMessage(range));
            return box;
        }
    }
    return -1;
}

bool CSatEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !m_closing) {
        // Opening a pop-up list or switching to another window does not leave the control.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            LeaveControl(watched);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSatEditDlg::LeaveControl(QObject* control) {
    for (int box = NameBox; box < kBoxCount; ++box) {
        if (control == m_boxes[static_cast<std::size_t>(box)]) {
            OnLeaveBox(static_cast<Box>(box));
            return;
        }
    }
    const auto shown = [](const CComboBoxBase* list) {
        return list->currentIndex();
    };
    if (control == m_location) {
        if (shown(m_location) >= 0) {
            m_record.direction = shown(m_location) == 0 ? kEast : kWest;
        }
    } else if (control == m_lnbPower || control == m_switchInput || control == m_tone ||
               control == m_positionType) {
        const auto* list = static_cast<const CComboBoxBase*>(control);
        if (shown(list) >= 0) {
            const auto code = static_cast<std::uint8_t>(shown(list));
            if (list == m_lnbPower) {
                m_record.lnbPower = code;
            } else if (list == m_switchInput) {
                m_record.switchInput = code;
            } else if (list == m_tone) {
                m_record.tone22k = code;
            } else {
                m_record.positionType = code;
            }
        }
    } else if (control == m_tpNumber) {
        OnLeaveTpNumber();
    }
    // A choice made from the keyboard, without the pop-up, would otherwise never be taken.
    else if (control == m_lnbType) {
        if (shown(m_lnbType) >= 0 && shown(m_lnbType) != m_record.lnbType) {
            OnCloseUpLnbType();
        }
    } else if (control == m_switchType) {
        if (shown(m_switchType) >= 0 && shown(m_switchType) != m_record.switchType) {
            OnCloseUpSwitchType();
        }
    } else if (control == m_tpNo) {
        if (shown(m_tpNo) >= 0 && shown(m_tpNo) != m_curTp) {
            OnCloseUpTpNo();
        }
    } else if (control == m_polarity) {
        if (shown(m_polarity) >= 0 && shown(m_polarity) != m_shownPolarity) {
            OnCloseUpPolarity();
        }
    }
}

void CSatEditDlg::OnLeaveBox(Box box) {
    ReadBoxes();
    std::uint32_t& value = m_values[static_cast<std::size_t>(box)];
    TpEntry& tp = m_record.tps[static_cast<std::size_t>(m_curTp)];
    switch (box) {
    case NameBox: {
        QString name = m_nameText;
        while (name.endsWith(QLatin1Char(' '))) {
            name.chop(1);
        }
        m_nameText = name;
        if (name.isEmpty()) {
            m_prompts.Message(this, kNameEmpty);
        } else {
            SetNameText(m_record, name.toLatin1().toStdString());
        }
        break;
    }
    case LowBox:
        value = std::min(value, kLnbFreqCap);
        m_record.lnbLowFreq = static_cast<std::uint16_t>(value);
        break;
    case HighBox:
        value = std::min(value, kLnbFreqCap);
        m_record.lnbHighFreq = static_cast<std::uint16_t>(value);
        break;
    case LongitudeBox:
        value = std::min(value, kLongitudeCap);
        m_record.longitude = static_cast<std::uint16_t>(value);
        break;
    case TpFreqBox:
        value = std::min(value, kTpFreqCap);
        tp.frequency = static_cast<std::uint16_t>(value);
        break;
    case SymbolRateBox:
        value = std::clamp(value, kSymbolRateLow, kSymbolRateHigh);
        tp.symbolRate = static_cast<std::uint16_t>(value);
        break;
    case kBoxCount:
        break;
    }
    ShowBoxes();
}

void CSatEditDlg::OnLeaveTpNumber() {
    const int shown = m_tpNumber->currentIndex();
    if (shown < 0) {
        return;
    }
    m_record.tpCount = static_cast<std::uint8_t>(shown + 1);
    FillTpNumbers(m_record.tpCount);
    ShowTp(0);
    ShowBoxes();
}

void CSatEditDlg::OnCloseUpLnbType() {
    const int type = m_lnbType->currentIndex();
    if (m_closing || type < 0) {
        return;
    }
    m_record.lnbType = static_cast<std::uint8_t>(type);
    // Presets are only shown; the stored frequencies change through their boxes alone.
    const LnbPreset& preset = kLnbPresets[static_cast<std::size_t>(type)];
    if (type == kLnbCustomized) {
        m_values[LowBox] = m_record.lnbLowFreq;
        m_values[HighBox] = m_record.lnbHighFreq;
    } else {
        m_values[LowBox] = preset.low;
        m_values[HighBox] = preset.high;
    }
    m_boxes[LowBox]->setEnabled(preset.frequenciesEnabled);
    m_boxes[HighBox]->setEnabled(preset.frequenciesEnabled);
    m_tone->setEnabled(preset.toneEnabled);
    ShowBoxes();
}

void CSatEditDlg::OnCloseUpSwitchType() {
    const int type = m_switchType->currentIndex();
    const int previousInput = m_switchInput->currentIndex();
    if (m_closing || type < 0 || previousInput < 0) {
        return;
    }
    const int inputs = SwitchInputCount(static_cast<std::uint8_t>(type));
    FillSwitchInputs(inputs);
    m_switchInput->setEnabled(type != 0);
    const int input = std::min(previousInput, inputs - 1);
    m_switchInput->setCurrentIndex(input);
    m_record.switchInput = static_cast<std::uint8_t>(input);
    m_record.switchType = static_cast<std::uint8_t>(type);
}

void CSatEditDlg::OnCloseUpTpNo() {
    const int tp = m_tpNo->currentIndex();
    if (m_closing || tp < 0 || tp >= static_cast<int>(kMaxTps)) {
        return;
    }
    ShowTp(tp);
    ShowBoxes();
}

void CSatEditDlg::OnCloseUpPolarity() {
    const int entry = m_polarity->currentIndex();
    if (m_closing || entry < 0) {
        return;
    }
    m_record.tps[static_cast<std::size_t>(m_curTp)].polarization =
        entry == 0 ? kHorizontal : kVertical;
    m_shownPolarity = entry;
}

void CSatEditDlg::OnOK() {
    if (m_nameText.isEmpty()) {
        m_prompts.Message(this, kNameEmpty);
        return;
    }
    const int bad = ReadBoxes();
    if (bad >= 0) {
        QLineEdit* box = m_boxes[static_cast<std::size_t>(bad)];
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        return;
    }
    // Closing leaves the control that holds the focus, so its rule still reaches the record.
    // A box typed into without ever being left (the window lacked the focus) is taken too.
    QWidget* focus = focusWidget();
    std::vector<QObject*> toLeave;
    if (focus != nullptr) {
        toLeave.push_back(focus);
    }
    for (QLineEdit* box : m_boxes) {
        if (box != focus && box->isModified()) {
            toLeave.push_back(box);
        }
    }
    for (QObject* control : toLeave) {
        LeaveControl(control);
    }
    accept();
}

void CSatEditDlg::done(int result) {
    m_closing = true;
    QDialog::done(result);
}
