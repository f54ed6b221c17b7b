#include "editor/CEditorDlg.h"

#include "app/AppIcon.h"
#include "app/CAboutDlg.h"
#include "controls/CEditListCtrl.h"
#include "controls/ControlIds.h"
#include "controls/DialogUnits.h"
#include "controls/UserPrompts.h"
#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/CSatelliteNode.h"
#include "editor/CTpRowDelegate.h"
#include "library/CSatListDlg.h"
#include "model/MeterFile.h"

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <utility>

namespace {

enum class Kind { Tree, Group, List, Button, Edit, NameEdit, Combo, Radio };

struct ControlLayout {
    int id;
    Kind kind;
    const char* text;
    int x, y, width, height;
};

// The controls that are not rows of a pane, in creation order: the group boxes come before
// the rows so that the rows lie on top of them.
constexpr std::array<ControlLayout, 15> kFrameControls = {{
    {1043, Kind::Tree, "", 22, 7, 143, 253},
    {1075, Kind::Group, "Satellite", 168, 7, 133, 253},
    {1070, Kind::Group, "TP", 168, 7, 133, 70},
    {1092, Kind::Group, "Local Position", 168, 7, 133, 98},
    {1107, Kind::Group, "System Setting", 168, 7, 133, 98},
    {1001, Kind::List, "", 304, 7, 155, 272},
    {1005, Kind::Button, "Add TP", 251, 84, 50, 14},
    {1055, Kind::Button, "Load Sat", 23, 265, 44, 14},
    {1008, Kind::Button, "Open", 65, 265, 44, 14},
    {1009, Kind::Button, "Save", 143, 265, 44, 14},
    {1011, Kind::Button, "Exit", 221, 265, 44, 14},
    {1108, Kind::Button, "UP", 4, 37, 15, 39},
    {1111, Kind::Button, "+", 4, 100, 15, 17},
    {1049, Kind::Button, "-", 4, 141, 15, 17},
    {1109, Kind::Button, "DN", 4, 182, 15, 39},
}};

// A label left of its control inside a pane.
struct PaneRow {
    int y;
    int labelId;
    const char* label;
    int controlId;
    Kind kind;
};

constexpr std::array<PaneRow, 20> kPaneRows = {{
    {19, 1076, "Name :", 1073, Kind::NameEdit},
    {41, 1081, "Longitude :", 1057, Kind::Edit},
    {63, 1082, "Location :", 1058, Kind::Combo},
    {85, 1083, "Lnb Type :", 1059, Kind::Combo},
    {107, 1084, "Lnb Power :", 1060, Kind::Combo},
    {129, 1085, "Low Frequency :", 1061, Kind::Edit},
    {151, 1086, "High Frequency :", 1062, Kind::Edit},
    {173, 1087, "Switch Type :", 1063, Kind::Combo},
    {195, 1088, "Switch Input :", 1064, Kind::Combo},
    {217, 1089, "22 KHz :", 1065, Kind::Combo},
    {239, 1090, "Position Type :", 1066, Kind::Combo},
    {18, 1071, "Polarit :", 1067, Kind::Combo},
    {37, 1072, "Frequency(MHz) :", 1068, Kind::Edit},
    {56, 1074, "Symbol Rate :", 1069, Kind::Edit},
    {18, 1091, "Longitude :", 1080, Kind::Edit},
    {40, 1093, "Location :", 1078, Kind::Combo},
    {62, 1094, "Latitude :", 1077, Kind::Edit},
    {84, 1095, "Hemisphere :", 1079, Kind::Combo},
    {63, 1098, "Auto Power Off :", 1103, Kind::Combo},
    {85, 1099, "Language :", 1102, Kind::Combo},
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
    {19, 1096, "Beep :", 1101, 1104},
    {41, 1097, "Backlight :", 1105, 1106},
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

constexpr std::initializer_list<int> kSatellitePane = {
    1075, 1076, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090,
    1073, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066};
constexpr std::initializer_list<int> kTpPane = {1070, 1071, 1072, 1074, 1067, 1068, 1069, 1005};
constexpr std::initializer_list<int> kLocalPositionPane = {1092, 1091, 1093, 1094, 1095,
                                                           1080, 1078, 1077, 1079};
constexpr std::initializer_list<int> kSystemSettingPane = {1107, 1096, 1097, 1098, 1099, 1104,
                                                           1101, 1106, 1105, 1103, 1102};
constexpr std::initializer_list<int> kEditControls = {
    1101, 1104, 1105, 1106, 1103, 1102, 1080, 1078, 1077, 1079, 1073, 1057,
    1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067, 1068, 1069};

constexpr int kRootData = 0;
constexpr int kSystemSettingData = 1;
constexpr int kLocalPositionData = 2;
constexpr int kSatelliteListData = 19;
constexpr int kSlotDataStep = 20;
constexpr int kFirstNonSatelliteData = 1000;

const QString kRootLabel = QStringLiteral("Kavra-Q4");
const QString kSatelliteListLabel = QStringLiteral("Satellite List");
const QString kTpListLabel = QStringLiteral("TP List");
const QString kMeterFilter = QStringLiteral("Meter data File (*.bin)|*.bin|");

constexpr std::uint32_t kMaxLongitude = 1800;
constexpr std::uint32_t kMaxLatitude = 900;
constexpr std::uint32_t kMaxLnbFrequency = 20000;

QString g_aboutCommandText = QStringLiteral("&About orvex...");

QStringList Labels(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromLatin1(text);
    }
    return list;
}

template <std::size_t N> QStringList Labels(const std::array<const char*, N>& texts) {
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromLatin1(text);
    }
    return list;
}

// Names are bytes: each byte is the Latin-1 character of the same code.
QString NameLabel(const SatelliteRecord& record) {
    return QString::fromLatin1(NameText(record));
}

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void Fill(CDropDownCombo* combo, const QStringList& entries) {
    combo->addItems(entries);
    // A combo selects its first entry when it is filled; nothing is chosen yet.
    combo->setCurrentIndex(-1);
}

} // namespace

class CEditorDlg::RefreshGuard {
public:
    explicit RefreshGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~RefreshGuard() { --m_depth; }
    RefreshGuard(const RefreshGuard&) = delete;
    RefreshGuard& operator=(const RefreshGuard&) = delete;

private:
    int& m_depth;
};

void CEditorDlg::SetAboutCommandText(const QString& text) {
    g_aboutCommandText = text;
}

QString CEditorDlg::AboutCommandText() {
    return g_aboutCommandText;
}

CEditorDlg::CEditorDlg(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("ORVEX"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    CreateControls();
    ConnectCommits();
    OnInitDialog();
}

CEditorDlg::~CEditorDlg() = default;

QWidget* CEditorDlg::Control(int id) const {
    return m_controls.value(id, nullptr);
}

void CEditorDlg::CreateControls() {
    const DialogUnits du(font());
    setFixedSize(du.X(kWindowWidth), du.Y(kWindowHeight));

    const auto place = [&](QWidget* widget, int id, QRect rect) {
        widget->setGeometry(rect);
        SetControlId(widget, id);
        m_controls.insert(id, widget);
    };

    for (const ControlLayout& layout : kFrameControls) {
        const QRect rect = du.Rect(layout.x, layout.y, layout.width, layout.height);
        const QString text = QString::fromLatin1(layout.text);
        switch (layout.kind) {
        case Kind::Tree:
            m_tree = new QTreeWidget(this);
            place(m_tree, layout.id, rect);
            break;
        case Kind::Group: {
            auto* group = new QGroupBox(text, this);
            place(group, layout.id, rect);
            if (layout.id == 1075) {
                m_satellitePane = group;
            }
            break;
        }
        case Kind::List:
            m_tpList = new CEditListCtrl(this);
            place(m_tpList, layout.id, rect);
            break;
        case Kind::Button: {
            auto* button = new QPushButton(text, this);
            // Enter never presses a button of this window.
            button->setAutoDefault(false);
            button->setDefault(false);
            place(button, layout.id, rect);
            break;
        }
        default:
            break;
        }
    }
    // Nothing in the window shows the library's entry.
    m_controls.value(1055)->hide();

    const auto digitsOnly = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    for (const PaneRow& row : kPaneRows) {
        const QString label = QString::fromLatin1(row.label);
        auto* text = new QLabel(label, this);
        place(text, row.labelId, du.Rect(kLabelX, row.y, kLabelWidth, kRowHeight));
        const QRect rect = du.Rect(kControlX, row.y, kControlWidth, kRowHeight);
        QWidget* control = nullptr;
        switch (row.kind) {
        case Kind::NameEdit: {
            m_nameEdit = new QLineEdit(this);
            // Only what a name byte can hold; no NUL, which would end the name early.
            m_nameEdit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[\\x{01}-\\x{FF}]*")), m_nameEdit));
            m_nameEdit->setMaxLength(static_cast<int>(kMaxNameChars));
            control = m_nameEdit;
            break;
        }
        case Kind::Edit: {
            auto* edit = new CFieldEdit(this);
            edit->setValidator(digitsOnly);
            control = edit;
            break;
        }
        case Kind::Combo:
            control = new CDropDownCombo(this);
            break;
        default:
            break;
        }
        control->setAccessibleName(label);
        place(control, row.controlId, rect);
    }
    for (const RadioRow& row : kRadioRows) {
        const QString label = QString::fromLatin1(row.label);
        auto* text = new QLabel(label, this);
        place(text, row.labelId, du.Rect(kLabelX, row.y, kRadioLabelWidth, kRowHeight));
        auto* group = new QButtonGroup(this);
        auto* off = new QRadioButton(QStringLiteral("Off"), this);
        auto* on = new QRadioButton(QStringLiteral("On"), this);
        for (auto* button : {off, on}) {
            button->setAutoExclusive(false);
            button->setAccessibleDescription(label);
        }
        place(off, row.offId, du.Rect(kControlX, row.y, kRadioWidth, kRowHeight));
        place(on, row.onId, du.Rect(kRadioOnX, row.y, kRadioWidth, kRowHeight));
        group->addButton(off, 0);
        group->addButton(on, 1);
        (row.labelId == 1096 ? m_beepGroup : m_backlightGroup) = group;
    }

    const auto edit = [this](int id) {
        return static_cast<CFieldEdit*>(m_controls.value(id));
    };
    const auto combo = [this](int id) {
        return static_cast<CDropDownCombo*>(m_controls.value(id));
    };
    m_satLongitudeEdit = edit(1057);
    m_lowFreqEdit = edit(1061);
    m_highFreqEdit = edit(1062);
    m_tpFreqEdit = edit(1068);
    m_tpSymbolRateEdit = edit(1069);
    m_localLongitudeEdit = edit(1080);
    m_localLatitudeEdit = edit(1077);
    m_directionCombo = combo(1058);
    m_lnbTypeCombo = combo(1059);
    m_lnbPowerCombo = combo(1060);
    m_switchTypeCombo = combo(1063);
    m_switchInputCombo = combo(1064);
    m_toneCombo = combo(1065);
    m_positionTypeCombo = combo(1066);
    m_tpPolarityCombo = combo(1067);
    m_localDirectionCombo = combo(1078);
    m_hemisphereCombo = combo(1079);
    m_autoPowerOffCombo = combo(1103);
    m_languageCombo = combo(1102);

    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setIconSize(QSize(16, 16));
}

void CEditorDlg::ConnectCommits() {
    for (CFieldEdit* edit : {m_satLongitudeEdit, m_lowFreqEdit, m_highFreqEdit,
                             m_localLongitudeEdit, m_localLatitudeEdit}) {
        connect(edit, &CFieldEdit::focusLeft, this, [this, edit] { OnNumberLeft(edit); });
    }
    connect(m_nameEdit, &QLineEdit::textEdited, this, &CEditorDlg::OnNameEdited);
    for (CDropDownCombo* combo :
         {m_directionCombo, m_lnbPowerCombo, m_switchInputCombo, m_toneCombo, m_positionTypeCombo,
          m_localDirectionCombo, m_hemisphereCombo, m_autoPowerOffCombo, m_languageCombo}) {
        connect(combo, &CDropDownCombo::focusLeft, this, [this, combo] { OnOptionLeft(combo); });
    }
    connect(m_lnbTypeCombo, &CDropDownCombo::listClosed, this, &CEditorDlg::OnLnbTypeClosed);
    connect(m_switchTypeCombo, &CDropDownCombo::listClosed, this, &CEditorDlg::OnSwitchTypeCommit);
    connect(m_switchTypeCombo, &CDropDownCombo::focusLeft, this, &CEditorDlg::OnSwitchTypeCommit);
    for (QButtonGroup* group : {m_beepGroup, m_backlightGroup}) {
        for (QAbstractButton* button : group->buttons()) {
            auto* radio = static_cast<QRadioButton*>(button);
            connect(radio, &QRadioButton::clicked, this, [this, radio] { OnRadioClicked(radio); });
        }
    }
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CEditorDlg::OnTreeSelectionChanged);
    connect(static_cast<QPushButton*>(Control(1008)), &QPushButton::clicked, this,
            &CEditorDlg::OnOpen);
    connect(static_cast<QPushButton*>(Control(1009)), &QPushButton::clicked, this,
            &CEditorDlg::OnSave);
    connect(static_cast<QPushButton*>(Control(1011)), &QPushButton::clicked, this,
            &CEditorDlg::OnExit);
    connect(static_cast<QPushButton*>(Control(1111)), &QPushButton::clicked, this,
            &CEditorDlg::OnAddSatellite);
    connect(static_cast<QPushButton*>(Control(1049)), &QPushButton::clicked, this,
            &CEditorDlg::OnDeleteSatellite);
    connect(static_cast<QPushButton*>(Control(1108)), &QPushButton::clicked, this,
            &CEditorDlg::OnMoveUp);
    connect(static_cast<QPushButton*>(Control(1109)), &QPushButton::clicked, this,
            &CEditorDlg::OnMoveDown);
    connect(static_cast<QPushButton*>(Control(1055)), &QPushButton::clicked, this,
            &CEditorDlg::OnLoadSat);
}

bool CEditorDlg::OnInitDialog() {
    if (m_initialised) {
        return true;
    }
    m_initialised = true;
    WriteView();

    if (!g_aboutCommandText.isEmpty()) {
        m_windowMenu = new QMenu(this);
        m_windowMenu->addSeparator();
        QAction* about = m_windowMenu->addAction(g_aboutCommandText);
        about->setProperty("commandId", 16);
        connect(about, &QAction::triggered, this, &CEditorDlg::OnAbout);
    }

    // Also registers the compiled-in resources that the tree images come from.
    setWindowIcon(AppIcon());

    ShowSystemSettingPane(true);
    ShowLocalPositionPane(false);
    ShowSatellitePane(false);
    ShowTpPane(false);

    m_image = FreshMeterImage();

    {
        RefreshGuard guard(m_refreshDepth);
        Fill(m_autoPowerOffCombo, Labels(kAutoPowerOffLabels));
        Fill(m_languageCombo, Labels(kLanguageLabels));
        Fill(m_directionCombo, Labels({"East", "West"}));
        Fill(m_lnbTypeCombo, Labels(kLnbTypeLabels));
        Fill(m_lnbPowerCombo, Labels(kLnbPowerLabels));
        Fill(m_toneCombo, Labels(kTone22kLabels));
        Fill(m_switchTypeCombo, Labels(kSwitchTypeLabels));
        Fill(m_positionTypeCombo, Labels(kPositionTypeLabels));
        Fill(m_tpPolarityCombo, Labels({"Horizontal", "Vertical"}));
        Fill(m_localDirectionCombo, Labels({"East", "West"}));
        Fill(m_hemisphereCombo, Labels({"North", "South"}));
    }

    for (const char* image : {":/icons/root.png", ":/icons/system.png", ":/icons/position.png",
                              ":/icons/satellite.png"}) {
        m_treeImages << QIcon(QString::fromLatin1(image));
    }

    BuildTree();
    SetupTpList();
    return true;
}

void CEditorDlg::BuildTree() {
    const auto add = [this](QTreeWidgetItem* item, const QString& label, int image, int data) {
        item->setText(0, label);
        item->setIcon(0, m_treeImages.value(image));
        item->setData(0, Qt::UserRole, data);
        return item;
    };
    QTreeWidgetItem* root = add(new QTreeWidgetItem(m_tree), kRootLabel, 0, kRootData);
    add(new QTreeWidgetItem(root), QStringLiteral("System Setting"), 1, kSystemSettingData);
    add(new QTreeWidgetItem(root), QStringLiteral("Local Position"), 2, kLocalPositionData);
    m_satelliteListNode =
        add(new QTreeWidgetItem(root), kSatelliteListLabel, 3, kSatelliteListData);
    for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
        const SatelliteRecord& record =
            m_image.settingsBlock.satellites[static_cast<std::size_t>(slot)];
        add(new CSatelliteNode(m_satelliteListNode, m_image), NameLabel(record), 3,
            kSlotDataStep * (slot + 1));
    }
    m_tree->expandAll();
}

void CEditorDlg::SetupTpList() {
    m_tpList->setColumnCount(4);
    m_tpList->setHorizontalHeaderLabels(Labels({"No", "Freq", "Pol", "SR"}));
    m_tpList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_tpList->horizontalHeader()->setStretchLastSection(false);
    m_tpList->verticalHeader()->hide();
    const int clientWidth = m_tpList->width() - 2 * m_tpList->frameWidth();
    m_tpList->setColumnWidth(0, 30);
    m_tpList->setColumnWidth(1, 90);
    m_tpList->setColumnWidth(2, std::max(clientWidth - 210, 0));
    m_tpList->setColumnWidth(3, 90);
    m_tpList->setShowGrid(true);
    m_tpList->setSelectionBehavior(QAbstractItemView::SelectRows);

    m_tpList->SetReadOnlyColumn(0, true);
    m_tpList->SetComboColumn(2, true);
    m_tpList->SetEditChars(QStringLiteral("0123456789"), -1);
    m_tpList->SetComboVScroll(true);
    m_tpList->SetPrompts(&m_prompts);
    connect(m_tpList, &CEditListCtrl::getCellChoices, this, &CEditorDlg::OnGetCellChoices,
            Qt::DirectConnection);
    connect(m_tpList, &CEditListCtrl::cellEdited, this, &CEditorDlg::OnCellEdited,
            Qt::DirectConnection);

    m_tpList->setItemDelegate(new CTpRowDelegate(m_tpList));
    // The focused row has its own colours, so the whole row repaints when it moves.
    connect(m_tpList, &QTableWidget::currentCellChanged, m_tpList->viewport(),
            qOverload<>(&QWidget::update));
    m_tpList->viewport()->installEventFilter(this);
    m_satLongitudeEdit->installEventFilter(this);

    m_tpList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tpList, &QWidget::customContextMenuRequested, this, &CEditorDlg::OnTpListContextMenu);
    m_tpMenu = new QMenu(this);
    m_tpMenu->setProperty("menuId", 151);
    m_insertAction = m_tpMenu->addAction(QStringLiteral("&Insert"));
    m_insertAction->setProperty("commandId", 32771);
    m_deleteAction = m_tpMenu->addAction(QStringLiteral("&Delete"));
    m_deleteAction->setProperty("commandId", 32772);
    connect(m_insertAction, &QAction::triggered, this, &CEditorDlg::OnTpInsert);
    connect(m_deleteAction, &QAction::triggered, this, &CEditorDlg::OnTpDelete);
}

void CEditorDlg::ClearTpList() {
    m_tpList->setRowCount(0);
    m_listSlot = -1;
}

void CEditorDlg::ShowPane(std::initializer_list<int> ids, bool show) {
    RefreshGuard guard(m_refreshDepth);
    for (int id : ids) {
        m_controls.value(id)->setVisible(show);
    }
}

void CEditorDlg::ShowSatellitePane(bool show) {
    ShowPane(kSatellitePane, show);
}

void CEditorDlg::ShowTpPane(bool show) {
    ShowPane(kTpPane, show);
}

void CEditorDlg::ShowLocalPositionPane(bool show) {
    ShowPane(kLocalPositionPane, show);
}

void CEditorDlg::ShowSystemSettingPane(bool show) {
    ShowPane(kSystemSettingPane, show);
}

void CEditorDlg::EnableEditControls(bool on) {
    RefreshGuard guard(m_refreshDepth);
    for (int id : kEditControls) {
        m_controls.value(id)->setEnabled(on);
    }
}

void CEditorDlg::SelectEntry(CDropDownCombo* combo, int index) {
    // By position; a stored code outside the list shows no entry.
    combo->setCurrentIndex(index < combo->count() ? index : -1);
}

void CEditorDlg::OnTreeSelectionChanged() {
    QTreeWidgetItem* node = SelectedNode();
    if (node == nullptr) {
        return;
    }
    const QString label = node->text(0);
    m_rowClicked = false;
    m_tree->setFocus();
    ClearTpList();
    // The label decides before the item data: a satellite may carry one of these names.
    if (label == kRootLabel || label == kSatelliteListLabel || label == kTpListLabel) {
        EnableEditControls(false);
        return;
    }
    EnableEditControls(true);
    const int data = node->data(0, Qt::UserRole).toInt();
    if (data == kSystemSettingData || data == kLocalPositionData) {
        if (data == kSystemSettingData) {
            ShowSystemSetting();
            ShowSystemSettingPane(true);
            ShowLocalPositionPane(false);
        } else {
            ShowLocalPosition();
            ShowSystemSettingPane(false);
            ShowLocalPositionPane(true);
        }
        ShowSatellitePane(false);
        ShowTpPane(false);
        m_curSat = -1;
        return;
    }
    if (data >= kSlotDataStep && data < kFirstNonSatelliteData) {
        ShowSatellitePane(true);
        ShowTpPane(false);
        ShowSystemSettingPane(false);
        ShowLocalPositionPane(false);
        m_curSat = static_cast<std::int8_t>(data / kSlotDataStep - 1);
        // Never past the twentieth slot, whatever count a file holds.
        if (m_curSat > UsedSlots(m_image.settingsBlock) - 1) {
            EnableEditControls(false);
        } else {
            EnableEditControls(true);
            ShowSatellite();
        }
    }
}

void CEditorDlg::ShowSystemSetting() {
    RefreshGuard guard(m_refreshDepth);
    const SystemSetting& setting = m_image.systemSetting;
    m_beepView = setting.beep;
    m_backlightView = setting.backlight;
    SelectEntry(m_autoPowerOffCombo, setting.autoPowerOff);
    SelectEntry(m_languageCombo, setting.language);
    WriteView();
}

void CEditorDlg::ShowLocalPosition() {
    RefreshGuard guard(m_refreshDepth);
    const LocalPosition& position = m_image.settingsBlock.localPosition;
    m_localLongitudeView = position.longitude;
    SelectEntry(m_localDirectionCombo, position.longitudeDir != kEast ? 1 : 0);
    m_localLatitudeView = position.latitude;
    SelectEntry(m_hemisphereCombo, position.latitudeDir != kNorth ? 1 : 0);
    WriteView();
}

bool CEditorDlg::ShowFirstSatellite() {
    ShowSatelliteFields();
    ClearTpList();
    m_rowClicked = false;
    WriteView();

    QTreeWidgetItem* root = m_tree->topLevelItem(0);
    QTreeWidgetItem* system = root != nullptr ? root->child(0) : nullptr;
    QTreeWidgetItem* position = system != nullptr ? root->child(1) : nullptr;
    QTreeWidgetItem* list = position != nullptr ? root->child(2) : nullptr;
    QTreeWidgetItem* first = list != nullptr ? list->child(0) : nullptr;
    if (first == nullptr) {
        return false;
    }
    if (first->isSelected()) {
        // The selection does not move, but the new data must be shown all the same: the
        // caption, the TP rows and whether the slot is in use.
        OnTreeSelectionChanged();
    } else {
        m_tree->setCurrentItem(first);
    }
    return true;
}

SatelliteRecord* CEditorDlg::CurrentRecord() {
    if (m_curSat < 0 || m_curSat >= static_cast<int>(kMaxSatellites)) {
        return nullptr;
    }
    return &m_image.settingsBlock.satellites[static_cast<std::size_t>(m_curSat)];
}

void CEditorDlg::ShowSatellite() {
    SatelliteRecord* record = CurrentRecord();
    if (record == nullptr) {
        return;
    }
    ShowSatelliteFields();
    m_satellitePane->setTitle(QStringLiteral("Satellite: %1").arg(m_curSat + 1));
    ClearTpList();
    m_rowClicked = false;
    const int rows = UsedTps(*record);
    m_tpList->setRowCount(rows);
    m_listSlot = m_curSat;
    for (int row = 0; row < rows; ++row) {
        TpEntry& tp = record->tps[static_cast<std::size_t>(row)];
        if (tp.polarization != kHorizontal && tp.polarization != kVertical) {
            tp.polarization = kHorizontal;
        }
        const QStringList texts = {QString::number(row + 1), QString::number(tp.frequency),
                                   tp.polarization == kVertical ? QStringLiteral("V")
                                                                : QStringLiteral("H"),
                                   QString::number(tp.symbolRate)};
        for (int column = 0; column < texts.size(); ++column) {
            m_tpList->setItem(row, column, new QTableWidgetItem(texts[column]));
        }
    }
    if (rows > 0) {
        SelectTpRow(0);
    }
}

void CEditorDlg::SelectTpRow(int row) {
    m_tpList->setCurrentCell(row, 0,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CEditorDlg::ShowSatelliteFields() {
    const SatelliteRecord* record = CurrentRecord();
    if (record == nullptr) {
        return;
    }
    RefreshGuard guard(m_refreshDepth);
    m_nameView = NameLabel(*record).left(static_cast<int>(kMaxNameChars));
    m_satLongitudeView = record->longitude;
    SelectEntry(m_directionCombo, record->direction != kEast ? 1 : 0);

    // Codes beyond the list leave the enable states as they were.
    if (record->lnbType == 0) {
        m_lowFreqEdit->setEnabled(false);
        m_highFreqEdit->setEnabled(false);
        m_toneCombo->setEnabled(false);
    } else if (record->lnbType < kLnbCustomized) {
        m_lowFreqEdit->setEnabled(false);
        m_highFreqEdit->setEnabled(false);
        m_toneCombo->setEnabled(true);
    } else if (record->lnbType == kLnbCustomized) {
        m_lowFreqEdit->setEnabled(true);
        m_highFreqEdit->setEnabled(true);
        m_toneCombo->setEnabled(true);
    }

    SelectEntry(m_lnbTypeCombo, record->lnbType);
    SelectEntry(m_lnbPowerCombo, record->lnbPower);
    m_lowFreqView = record->lnbLowFreq;
    m_highFreqView = record->lnbHighFreq;
    SelectEntry(m_toneCombo, record->tone22k);
    SelectEntry(m_switchTypeCombo, record->switchType);
    FillSwitchInputs(record->switchType);
    SelectEntry(m_switchInputCombo, record->switchInput);
    SelectEntry(m_positionTypeCombo, record->positionType);
    WriteView();
}

void CEditorDlg::FillSwitchInputs(std::uint8_t switchType) {
    RefreshGuard guard(m_refreshDepth);
    // A code outside the list is treated as "None": one input, nothing to choose.
    const int count = std::max(SwitchInputCount(switchType), 1);
    if (m_switchInputCombo->count() != count) {
        m_switchInputCombo->clear();
        QStringList inputs;
        for (int input = 1; input <= count; ++input) {
            inputs << QStringLiteral("LNB%1").arg(input);
        }
        m_switchInputCombo->addItems(inputs);
    }
    m_switchInputCombo->setCurrentIndex(-1);
    m_switchInputCombo->setEnabled(switchType == 1 || switchType == 2);
}

bool CEditorDlg::Refused(QLineEdit* edit, const QString& text) {
    m_prompts.Message(this, text);
    m_refusedEdit = edit;
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CEditorDlg::ReturnToRefusedField() {
    if (m_refusedEdit != nullptr) {
        m_refusedEdit->setFocus();
        m_refusedEdit->selectAll();
        m_refusedEdit = nullptr;
    }
}

bool CEditorDlg::ReadView() {
    m_refusedEdit = nullptr;
    m_nameView = m_nameEdit->text();

    struct NumberField {
        QLineEdit* edit;
        std::uint32_t* view;
        bool ranged;
        std::uint32_t max;
    };
    const std::array<NumberField, 7> fields = {{
        {m_satLongitudeEdit, &m_satLongitudeView, true, kMaxLongitude},
        {m_lowFreqEdit, &m_lowFreqView, true, kMaxLnbFrequency},
        {m_highFreqEdit, &m_highFreqView, true, kMaxLnbFrequency},
        {m_tpFreqEdit, &m_tpFreqView, false, 0},
        {m_tpSymbolRateEdit, &m_tpSymbolRateView, false, 0},
        {m_localLongitudeEdit, &m_localLongitudeView, true, kMaxLongitude},
        {m_localLatitudeEdit, &m_localLatitudeView, true, kMaxLatitude},
    }};
    for (const NumberField& field : fields) {
        const QString text = field.edit->text();
        const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        if (!digits) {
            return Refused(field.edit, QStringLiteral("Please enter an integer."));
        }
        bool fits = false;
        const qulonglong number = text.toULongLong(&fits);
        constexpr qulonglong kMaxView = std::numeric_limits<std::uint32_t>::max();
        if (!fits || number > kMaxView) {
            if (!field.ranged) {
                return Refused(field.edit, QStringLiteral("Please enter an integer."));
            }
            *field.view = static_cast<std::uint32_t>(kMaxView);
        } else {
            *field.view = static_cast<std::uint32_t>(number);
        }
        if (field.ranged && *field.view > field.max) {
            return Refused(
                field.edit,
                QStringLiteral("Please enter an integer between 0 and %1.").arg(field.max));
        }
    }
    m_beepView = m_beepGroup->checkedId();
    m_backlightView = m_backlightGroup->checkedId();
    return true;
}

void CEditorDlg::WriteView() {
    RefreshGuard guard(m_refreshDepth);
    // An unchanged text is left alone so that the caret of the field being typed in stays.
    if (m_nameEdit->text() != m_nameView) {
        m_nameEdit->setText(m_nameView);
    }
    m_nameEdit->setMaxLength(static_cast<int>(kMaxNameChars));
    const std::array<std::pair<QLineEdit*, std::uint32_t>, 7> numbers = {{
        {m_satLongitudeEdit, m_satLongitudeView},
        {m_lowFreqEdit, m_lowFreqView},
        {m_highFreqEdit, m_highFreqView},
        {m_tpFreqEdit, m_tpFreqView},
        {m_tpSymbolRateEdit, m_tpSymbolRateView},
        {m_localLongitudeEdit, m_localLongitudeView},
        {m_localLatitudeEdit, m_localLatitudeView},
    }};
    for (const auto& [edit, value] : numbers) {
        const QString text = QString::number(value);
        if (edit->text() != text) {
            edit->setText(text);
        }
    }
    for (const auto& [group, choice] :
         {std::pair{m_beepGroup, m_beepView}, std::pair{m_backlightGroup, m_backlightView}}) {
        // Exclusive groups cannot show "none checked", which a stored code may ask for.
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons()) {
            button->setChecked(group->id(button) == choice);
        }
        group->setExclusive(true);
    }
}

bool CEditorDlg::CanCommit() const {
    return m_refreshDepth == 0 && !m_committing;
}

namespace {

// Marks a commit in progress, so that the focus moves it causes commit nothing more.
class CommitScope {
public:
    explicit CommitScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CommitScope() { m_flag = false; }
    CommitScope(const CommitScope&) = delete;
    CommitScope& operator=(const CommitScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

void CEditorDlg::OnNumberLeft(CFieldEdit* edit) {
    if (!CanCommit()) {
        return;
    }
    LocalPosition& position = m_image.settingsBlock.localPosition;
    SatelliteRecord* record = CurrentRecord();
    std::uint32_t* view = nullptr;
    std::uint32_t max = 0;
    std::uint16_t* field = nullptr;
    if (edit == m_localLongitudeEdit) {
        view = &m_localLongitudeView;
        max = kMaxLongitude;
        field = &position.longitude;
    } else if (edit == m_localLatitudeEdit) {
        view = &m_localLatitudeView;
        max = kMaxLatitude;
        field = &position.latitude;
    } else if (record == nullptr) {
        return;
    } else if (edit == m_satLongitudeEdit) {
        view = &m_satLongitudeView;
        max = kMaxLongitude;
        field = &record->longitude;
    } else if (edit == m_lowFreqEdit) {
        view = &m_lowFreqView;
        max = kMaxLnbFrequency;
        field = &record->lnbLowFreq;
    } else if (edit == m_highFreqEdit) {
        view = &m_highFreqView;
        max = kMaxLnbFrequency;
        field = &record->lnbHighFreq;
    } else {
        return;
    }
    CommitScope scope(m_committing);
    ReadView();
    *view = std::min(*view, max);
    WriteView();
    *field = static_cast<std::uint16_t>(*view);
    ReturnToRefusedField();
}

void CEditorDlg::OnNameEdited() {
    SatelliteRecord* record = CurrentRecord();
    if (!CanCommit() || record == nullptr) {
        return;
    }
    CommitScope scope(m_committing);
    ReadView();
    if (QTreeWidgetItem* node = SelectedNode()) {
        node->setText(0, m_nameView);
    }
    WriteView();
    SetNameText(*record, m_nameView.toLatin1().toStdString());
    ReturnToRefusedField();
}

void CEditorDlg::OnOptionLeft(CDropDownCombo* combo) {
    if (!CanCommit()) {
        return;
    }
    const int entry = combo->currentIndex();
    // Nothing chosen (a stored code outside the list): the stored code stays.
    if (entry < 0) {
        return;
    }
    const auto code = static_cast<std::uint8_t>(entry);
    LocalPosition& position = m_image.settingsBlock.localPosition;
    SystemSetting& setting = m_image.systemSetting;
    if (combo == m_localDirectionCombo) {
        position.longitudeDir = entry == 0 ? kEast : kWest;
    } else if (combo == m_hemisphereCombo) {
        position.latitudeDir = entry == 0 ? kNorth : kSouth;
    } else if (combo == m_autoPowerOffCombo) {
        setting.autoPowerOff = code;
    } else if (combo == m_languageCombo) {
        setting.language = code;
    } else if (SatelliteRecord* record = CurrentRecord(); record != nullptr) {
        if (combo == m_directionCombo) {
            record->direction = entry == 0 ? kEast : kWest;
        } else if (combo == m_lnbPowerCombo) {
            record->lnbPower = code;
        } else if (combo == m_switchInputCombo) {
            record->switchInput = code;
        } else if (combo == m_toneCombo) {
            record->tone22k = code;
        } else if (combo == m_positionTypeCombo) {
            record->positionType = code;
        }
    }
}

void CEditorDlg::OnLnbTypeClosed() {
    SatelliteRecord* record = CurrentRecord();
    if (!CanCommit() || record == nullptr) {
        return;
    }
    CommitScope scope(m_committing);
    const int entry = m_lnbTypeCombo->currentIndex();
    RefreshGuard guard(m_refreshDepth);
    if (entry >= 0 && entry < kLnbCustomized) {
        // The preset is shown only; the stored frequencies stay for "Customized".
        const LnbPreset& preset = kLnbPresets[static_cast<std::size_t>(entry)];
        m_lowFreqView = preset.low;
        m_highFreqView = preset.high;
        m_lowFreqEdit->setEnabled(preset.frequenciesEnabled);
        m_highFreqEdit->setEnabled(preset.frequenciesEnabled);
        m_toneCombo->setEnabled(preset.toneEnabled);
    } else {
        m_lowFreqView = record->lnbLowFreq;
        m_highFreqView = record->lnbHighFreq;
        m_lowFreqEdit->setEnabled(true);
        m_highFreqEdit->setEnabled(true);
        m_toneCombo->setEnabled(true);
    }
    if (entry >= 0) {
        record->lnbType = static_cast<std::uint8_t>(entry);
    }
    WriteView();
}

void CEditorDlg::OnSwitchTypeCommit() {
    SatelliteRecord* record = CurrentRecord();
    if (!CanCommit() || record == nullptr) {
        return;
    }
    const int switchType = m_switchTypeCombo->currentIndex();
    const int input = m_switchInputCombo->currentIndex();
    if (switchType < 0 || input < 0) {
        return;
    }
    CommitScope scope(m_committing);
    FillSwitchInputs(static_cast<std::uint8_t>(switchType));
    const int kept = std::min(input, m_switchInputCombo->count() - 1);
    {
        RefreshGuard guard(m_refreshDepth);
        m_switchInputCombo->setCurrentIndex(kept);
    }
    record->switchType = static_cast<std::uint8_t>(switchType);
    record->switchInput = static_cast<std::uint8_t>(kept);
}

void CEditorDlg::OnRadioClicked(QRadioButton* button) {
    if (!CanCommit()) {
        return;
    }
    CommitScope scope(m_committing);
    ReadView();
    // The click is the user's choice even when the exchange stopped at an earlier field, so
    // that the stored value always matches the checked button.
    const bool beep = m_beepGroup->buttons().contains(button);
    QButtonGroup* group = beep ? m_beepGroup : m_backlightGroup;
    const int choice = group->id(button);
    if (beep) {
        m_beepView = choice;
        m_image.systemSetting.beep = static_cast<std::uint8_t>(choice);
    } else {
        m_backlightView = choice;
        m_image.systemSetting.backlight = static_cast<std::uint8_t>(choice);
    }
    ReturnToRefusedField();
}

void CEditorDlg::RelabelSatellites() {
    for (int slot = 0;
         slot < m_satelliteListNode->childCount() && slot < static_cast<int>(kMaxSatellites);
         ++slot) {
        m_satelliteListNode->child(slot)->setText(
            0, NameLabel(m_image.settingsBlock.satellites[static_cast<std::size_t>(slot)]));
    }
}

void CEditorDlg::OnOpen() {
    const QString path = m_prompts.OpenFileName(this, kMeterFilter);
    if (path.isEmpty()) {
        return;
    }
    switch (LoadMeterFile(ToPath(path), m_image)) {
    case LoadResult::CannotOpen:
        m_prompts.Message(this, "The file '" + path + "'could not be opened!");
        return;
    case LoadResult::WrongSize:
        m_prompts.Message(this, QStringLiteral("The file error!"));
        return;
    case LoadResult::ReadError:
        m_prompts.Message(this, QStringLiteral("Read file error!"));
        return;
    case LoadResult::Done:
        break;
    }
    // The first satellite is shown before the letters are normalised, as the meter's own
    // editor does: its repair of polarizations comes first.
    if (ShowFirstSatellite()) {
        RelabelSatellites();
    }
    NormaliseLetters(m_image.settingsBlock);
}

void CEditorDlg::OnLoadSat() {
    CSatListDlg dialog(m_prompts, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // Whole records into the first slots; the count of slots in use stays as it was.
    const SatRecordList& added = dialog.AddedList();
    const int count = std::min(added.GetCount(), static_cast<int>(kMaxSatellites));
    for (int i = 0; i < count; ++i) {
        m_image.settingsBlock.satellites[static_cast<std::size_t>(i)] = added.GetAt(i);
    }
    if (ShowFirstSatellite()) {
        RelabelSatellites();
    }
}

void CEditorDlg::OnSave() {
    const QString path =
        m_prompts.SaveFileName(this, kMeterFilter, QStringLiteral("MData"), QStringLiteral("bin"));
    if (path.isEmpty()) {
        return;
    }
    switch (SaveMeterFile(ToPath(path), m_image)) {
    case SaveResult::CannotOpen:
        m_prompts.Message(this, "The file '" + path + "'could not be opened!");
        break;
    case SaveResult::WriteError:
        m_prompts.Message(this, QStringLiteral("Write file error!"));
        break;
    case SaveResult::Done:
        break;
    }
}

void CEditorDlg::OnExit() {
    reject();
}

void CEditorDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CEditorDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Neither key closes the window or presses a button.
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CEditorDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (m_windowMenu != nullptr) {
        m_windowMenu->popup(event->globalPos());
    }
    event->accept();
}

bool CEditorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_satLongitudeEdit && event->type() == QEvent::ToolTip) {
        // Worked out when asked, so that it follows every change of either position.
        const QString hint = CSatelliteNode::PointingHintText(m_image, m_curSat);
        if (hint.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hint,
                               m_satLongitudeEdit);
        }
        return true;
    }
    if (watched == m_tpList->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            const int row = m_tpList->indexAt(press->position().toPoint()).row();
            if (row >= 0) {
                m_listRow = row;
                m_rowClicked = true;
            } else {
                m_rowClicked = false;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- TP list ------------------------------------------------------------------------------

bool CEditorDlg::InsertOffered() const {
    // Only while the list mirrors a slot in use; an emptied list has no rows to count on.
    if (m_curSat < 0 || m_listSlot != m_curSat || m_curSat >= UsedSlots(m_image.settingsBlock)) {
        return false;
    }
    const SatelliteRecord& record =
        m_image.settingsBlock.satellites[static_cast<std::size_t>(m_curSat)];
    const int used = UsedTps(record);
    return record.tpCount < kMaxTps && m_listRow <= used - 1 && m_tpList->rowCount() == used;
}

void CEditorDlg::OnTpListContextMenu(const QPoint& position) {
    m_listRow = m_tpList->indexAt(position).row();
    m_deleteAction->setEnabled(m_listRow != -1);
    m_insertAction->setEnabled(InsertOffered());
    m_tpMenu->popup(m_tpList->viewport()->mapToGlobal(position));
}

void CEditorDlg::RenumberTpRows(int from) {
    for (int row = std::max(from, 0); row < m_tpList->rowCount(); ++row) {
        if (QTableWidgetItem* number = m_tpList->item(row, 0)) {
            number->setText(QString::number(row + 1));
        }
    }
}

void CEditorDlg::OnTpInsert() {
    SatelliteRecord* record = CurrentRecord();
    if (record == nullptr || !InsertOffered()) {
        return;
    }
    const int rows = m_tpList->rowCount();
    const int row = m_listRow == -1 ? rows : m_listRow;
    m_tpList->insertRow(row);
    const QStringList texts = {QString::number(row + 1), QString::number(kFreshTp.frequency),
                               QStringLiteral("H"), QString::number(kFreshTp.symbolRate)};
    for (int column = 0; column < texts.size(); ++column) {
        m_tpList->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    SelectTpRow(row);
    const int count = record->tpCount;
    for (int entry = count; entry > row; --entry) {
        record->tps[static_cast<std::size_t>(entry)] =
            record->tps[static_cast<std::size_t>(entry - 1)];
    }
    record->tps[static_cast<std::size_t>(row)] = kFreshTp;
    record->tpCount = static_cast<std::uint8_t>(count + 1);
    RenumberTpRows(row + 1);
}

void CEditorDlg::OnTpDelete() {
    SatelliteRecord* record = CurrentRecord();
    const int row = m_listRow;
    if (record == nullptr || row < 0 || m_listSlot != m_curSat || row >= m_tpList->rowCount()) {
        return;
    }
    m_tpList->removeRow(row);
    const int select = row == m_tpList->rowCount() ? row - 1 : row;
    if (select >= 0) {
        SelectTpRow(select);
        RenumberTpRows(select);
    }
    // The count in use never goes past the eighth entry, whatever the file held.
    const int count = UsedTps(*record);
    for (int entry = row; entry < count - 1; ++entry) {
        record->tps[static_cast<std::size_t>(entry)] =
            record->tps[static_cast<std::size_t>(entry + 1)];
    }
    record->tpCount = static_cast<std::uint8_t>(count - 1);
}

void CEditorDlg::OnGetCellChoices(int column, QStringList* choices) {
    if (choices == nullptr) {
        return;
    }
    choices->clear();
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != this || column != 2) {
        return;
    }
    // Only for a request that comes from a click into the list.
    if (m_tpList->geometry().contains(focus->mapTo(this, QPoint(0, 0)))) {
        *choices << QStringLiteral("H") << QStringLiteral("V");
    }
}

void CEditorDlg::OnCellEdited(int listId, const CellEditRecord& record) {
    if (listId != 1001) {
        return;
    }
    SatelliteRecord* satellite = CurrentRecord();
    if (satellite == nullptr || m_listSlot != m_curSat || record.row < 0 ||
        record.row >= UsedTps(*satellite) || record.row >= m_tpList->rowCount()) {
        return;
    }
    TpEntry& tp = satellite->tps[static_cast<std::size_t>(record.row)];
    QTableWidgetItem* cell = m_tpList->item(record.row, record.column);
    const auto storeNumber = [&](std::uint16_t& field) {
        if (record.text.isEmpty()) {
            m_prompts.Message(this, QStringLiteral("Can not empty!"));
            if (cell != nullptr) {
                cell->setText(QString::number(field));
            }
            return;
        }
        bool number = false;
        const qulonglong value = record.text.toULongLong(&number);
        if (!number) {
            // Only digits reach here; anything else shows the stored value again.
            if (cell != nullptr) {
                cell->setText(QString::number(field));
            }
            return;
        }
        // Five digits can exceed the 16-bit field: store its largest value and show it.
        constexpr qulonglong kMax = std::numeric_limits<std::uint16_t>::max();
        field = static_cast<std::uint16_t>(std::min(value, kMax));
        if (value > kMax && cell != nullptr) {
            cell->setText(QString::number(kMax));
        }
    };
    switch (record.column) {
    case 1:
        storeNumber(tp.frequency);
        break;
    case 2:
        tp.polarization = record.text == QStringLiteral("H") ? kHorizontal : kVertical;
        break;
    case 3:
        storeNumber(tp.symbolRate);
        break;
    default:
        break;
    }
}

// --- slot buttons -------------------------------------------------------------------------

QTreeWidgetItem* CEditorDlg::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

int CEditorDlg::SlotOfNode(const QTreeWidgetItem* node) {
    if (node == nullptr) {
        return -1;
    }
    const int data = node->data(0, Qt::UserRole).toInt();
    if (data < kSlotDataStep || data >= kFirstNonSatelliteData) {
        return -1;
    }
    const int slot = data / kSlotDataStep - 1;
    return slot < static_cast<int>(kMaxSatellites) ? slot : -1;
}

void CEditorDlg::LabelSlotNode(int slot) {
    if (QTreeWidgetItem* node = m_satelliteListNode->child(slot)) {
        node->setText(0,
                      NameLabel(m_image.settingsBlock.satellites[static_cast<std::size_t>(slot)]));
    }
}

void CEditorDlg::OnAddSatellite() {
    SettingsBlock& block = m_image.settingsBlock;
    QTreeWidgetItem* node = SelectedNode();
    const int slot = SlotOfNode(node);
    const int count = UsedSlots(block);
    if (slot < 0 || count >= static_cast<int>(kMaxSatellites)) {
        m_tree->setFocus();
        return;
    }
    int target = slot;
    if (slot >= count) {
        target = count;
        block.satellites[static_cast<std::size_t>(target)] = MakeNewSatellite("new Sat");
        LabelSlotNode(target);
        // Selecting it runs the selection handling while the count is still the old one.
        m_tree->setCurrentItem(m_satelliteListNode->child(target));
    } else {
        for (int k = count - 1; k >= slot; --k) {
            block.satellites[static_cast<std::size_t>(k + 1)] =
                block.satellites[static_cast<std::size_t>(k)];
        }
        for (int k = slot + 1; k <= count; ++k) {
            LabelSlotNode(k);
        }
        block.satellites[static_cast<std::size_t>(slot)] = MakeNewSatellite("new Sat");
        LabelSlotNode(slot);
    }
    m_curSat = static_cast<std::int8_t>(target);
    EnableEditControls(true);
    ShowSatellite();
    block.satCount = static_cast<std::uint8_t>(count + 1);
    m_tree->setFocus();
}

void CEditorDlg::OnDeleteSatellite() {
    SettingsBlock& block = m_image.settingsBlock;
    const int slot = SlotOfNode(SelectedNode());
    // A count above twenty counts as the twenty slots that exist.
    const int count = UsedSlots(block);
    if (slot < 0 || count == 0 || slot >= count) {
        m_tree->setFocus();
        return;
    }
    for (int k = slot; k <= count - 2; ++k) {
        block.satellites[static_cast<std::size_t>(k)] =
            block.satellites[static_cast<std::size_t>(k + 1)];
        LabelSlotNode(k);
    }
    block.satellites[static_cast<std::size_t>(count - 1)] = MakeNewSatellite("");
    LabelSlotNode(count - 1);

    if (slot == count - 1 && count == 1) {
        EnableEditControls(false);
        ClearTpList();
        m_rowClicked = false;
        m_curSat = 0;
        block.satCount = 0;
        return;
    }
    if (slot == count - 1) {
        // The selection handling shows the satellite before it.
        m_tree->setCurrentItem(m_satelliteListNode->child(slot - 1));
        m_curSat = static_cast<std::int8_t>(slot - 1);
    } else {
        m_curSat = static_cast<std::int8_t>(slot);
        ShowSatellite();
    }
    block.satCount = static_cast<std::uint8_t>(count - 1);
    m_tree->setFocus();
}

void CEditorDlg::OnMoveUp() {
    QTreeWidgetItem* node = SelectedNode();
    const int slot = SlotOfNode(node);
    if (slot <= 0 || slot >= UsedSlots(m_image.settingsBlock)) {
        m_tree->setFocus();
        return;
    }
    auto& satellites = m_image.settingsBlock.satellites;
    std::swap(satellites[static_cast<std::size_t>(slot)],
              satellites[static_cast<std::size_t>(slot - 1)]);
    LabelSlotNode(slot);
    LabelSlotNode(slot - 1);
    m_tree->setCurrentItem(m_satelliteListNode->child(slot - 1));
    m_tree->setFocus();
}

void CEditorDlg::OnMoveDown() {
    // A click on a TP row holds this button until the list is filled again.
    if (m_rowClicked) {
        return;
    }
    QTreeWidgetItem* node = SelectedNode();
    const int slot = SlotOfNode(node);
    if (slot < 0 || slot + 1 >= UsedSlots(m_image.settingsBlock)) {
        m_tree->setFocus();
        return;
    }
    auto& satellites = m_image.settingsBlock.satellites;
    std::swap(satellites[static_cast<std::size_t>(slot)],
              satellites[static_cast<std::size_t>(slot + 1)]);
    LabelSlotNode(slot);
    LabelSlotNode(slot + 1);
    m_tree->setCurrentItem(m_satelliteListNode->child(slot + 1));
    m_tree->setFocus();
}
