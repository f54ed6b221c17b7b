#include "editor/CEditorDlg.h"

#include "controls/CEditListCtrl.h"
#include "controls/FileMessages.h"
#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/CNavigationTree.h"
#include "editor/CPaneView.h"
#include "editor/CSatelliteNode.h"
#include "editor/CSettingsCheck.h"
#include "editor/CSheetExport.h"
#include "editor/CSkyView.h"
#include "editor/CSlotOperations.h"
#include "editor/CTpListController.h"
#include "editor/CTransponderRefresh.h"
#include "editor/EditorIds.h"
#include "res/AppIcon.h"

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSessionManager>
#include <QShortcut>
#include <QToolTip>

#include <algorithm>

namespace {

const QString kRootLabel = QStringLiteral("Kavra-Q4");
const QString kSatelliteListLabel = QStringLiteral("Satellite List");
const QString kTpListLabel = QStringLiteral("TP List");
const QString kMeterFilter = QStringLiteral("Meter data File (*.bin)|*.bin|");
const QString kSaveChangesQuestion =
    QStringLiteral("The meter data has changed. Save the changes?");

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

bool IsCtrlY(const QKeyEvent* key) {
    return key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier;
}

} // namespace

CEditorDlg::CEditorDlg(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    UpdateTitle();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    m_controls = CreateEditorControls(this);
    m_panes = std::make_unique<CPaneView>(this, m_controls, m_prompts);
    m_slots = std::make_unique<CSlotOperations>(*this);
    m_tree = static_cast<CNavigationTree*>(Control(EditorId::Tree));
    ConnectCommits();

    WriteView();
    BuildWindowMenu();
    // The tree images come from the resources; the window's icon is the application's.
    RegisterResources();
    m_panes->ShowPane(Pane::SystemSetting, true);
    m_panes->ShowPane(Pane::LocalPosition, false);
    m_panes->ShowPane(Pane::Satellite, false);
    m_panes->ShowPane(Pane::Tp, false);
    m_panes->FillLists();
    m_tree->BuildTree(m_document.Image());
    m_tpList = new CTpListController(static_cast<CEditListCtrl*>(Control(EditorId::TpList)),
                                     m_document, m_prompts, m_curSat, this);
    connect(m_tpList, &CTpListController::edited, this, &CEditorDlg::CommitStep);
    m_settingsCheck = new CSettingsCheck(
        m_document.Image(), *m_tree, *static_cast<CEditListCtrl*>(Control(EditorId::TpList)), this);
    connect(m_settingsCheck, &CSettingsCheck::aboutToSelect, this, &CEditorDlg::CommitFocusedField);
    m_panes->m_satLongitudeEdit->installEventFilter(this);
    // The undo keys reach the window while no field holds typing of its own.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!MayEndSession([&manager] { return manager.allowsInteraction(); })) {
            manager.cancel();
        }
    });
}

CEditorDlg::~CEditorDlg() {
    // The children go after the members they are watched through.
    qApp->removeEventFilter(this);
    m_panes->m_satLongitudeEdit->removeEventFilter(this);
}

QWidget* CEditorDlg::Control(int id) const {
    return m_controls.byId.value(id, nullptr);
}

QMenu* CEditorDlg::TpListMenu() const {
    return m_tpList->Menu();
}

void CEditorDlg::ConnectCommits() {
    CPaneView& p = *m_panes;
    for (CFieldEdit* edit : {p.m_nameEdit, p.m_satLongitudeEdit, p.m_lowFreqEdit, p.m_highFreqEdit,
                             p.m_localLongitudeEdit, p.m_localLatitudeEdit}) {
        connect(edit, &CFieldEdit::focusLeft, this, [this, edit] { OnFieldLeft(edit); });
    }
    connect(p.m_nameEdit, &QLineEdit::textEdited, this, &CEditorDlg::OnNameEdited);
    for (CDropDownCombo* combo :
         {p.m_directionCombo, p.m_lnbPowerCombo, p.m_switchInputCombo, p.m_toneCombo,
          p.m_positionTypeCombo, p.m_localDirectionCombo, p.m_hemisphereCombo,
          p.m_autoPowerOffCombo, p.m_languageCombo, p.m_lnbTypeCombo, p.m_switchTypeCombo}) {
        connect(combo, &CDropDownCombo::focusLeft, this, [this, combo] { OnFieldLeft(combo); });
    }
    connect(p.m_lnbTypeCombo, &CDropDownCombo::listClosed, this,
            [this] { OnLnbTypeChosen(false); });
    connect(p.m_switchTypeCombo, &CDropDownCombo::listClosed, this,
            &CEditorDlg::OnSwitchTypeCommit);
    for (QButtonGroup* group : {p.m_beepGroup, p.m_backlightGroup}) {
        for (QAbstractButton* button : group->buttons()) {
            auto* radio = static_cast<QRadioButton*>(button);
            connect(radio, &QRadioButton::clicked, this, [this, radio] { OnRadioClicked(radio); });
        }
    }
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CEditorDlg::OnTreeSelectionChanged);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { m_slots->OnTreeContextMenu(position); });
    const auto button = [this](int id, auto handler) {
        connect(static_cast<QPushButton*>(Control(id)), &QPushButton::clicked, this, handler);
    };
    button(EditorId::Open, &CEditorDlg::OnOpen);
    button(EditorId::Save, &CEditorDlg::OnSave);
    button(EditorId::Exit, &CEditorDlg::OnExit);
    const auto slotButton = [this](int id, void (CSlotOperations::*handler)()) {
        connect(static_cast<QPushButton*>(Control(id)), &QPushButton::clicked, this,
                [this, handler] { (m_slots.get()->*handler)(); });
    };
    slotButton(EditorId::Add, &CSlotOperations::OnAddSatellite);
    slotButton(EditorId::Delete, &CSlotOperations::OnDeleteSatellite);
    slotButton(EditorId::Up, &CSlotOperations::OnMoveUp);
    slotButton(EditorId::Down, &CSlotOperations::OnMoveDown);
    button(EditorId::LoadSat, &CEditorDlg::OnLoadSat);

    const auto shortcut = [this](QList<QKeySequence> keys, auto handler) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence::keyBindings(QKeySequence::Undo), [this] { OnUndoKey(false); });
    // Some platforms count Ctrl+Y as Redo already; twice would make the key ambiguous.
    QList<QKeySequence> redo = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redo.contains(QKeySequence(Qt::CTRL | Qt::Key_Y))) {
        redo << QKeySequence(Qt::CTRL | Qt::Key_Y);
    }
    shortcut(redo, [this] { OnUndoKey(true); });
    shortcut({QKeySequence(Qt::Key_F9)}, [this] { OnSkyView(); });
    shortcut({QKeySequence(Qt::Key_F7)}, [this] { OnCheckSettings(); });
    shortcut(QKeySequence::keyBindings(QKeySequence::Open),
             [this] { PressButton(EditorId::Open); });
    shortcut(QKeySequence::keyBindings(QKeySequence::Save),
             [this] { PressButton(EditorId::Save); });
}

void CEditorDlg::BuildWindowMenu() {
    m_windowMenu = new QMenu(this);
    // The keys are shown only: the window's own shortcuts run them, and an action of a menu
    // that is not open takes no key, so no key is claimed twice.
    const auto showKey = [](QAction* action, const QKeySequence& key) {
        action->setShortcut(key);
        action->setShortcutVisibleInContextMenu(true);
        return action;
    };
    m_undoAction = showKey(
        m_windowMenu->addAction(QStringLiteral("&Undo"), this, [this] { OnUndoKey(false); }),
        QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction =
        showKey(m_windowMenu->addAction(QStringLiteral("&Redo"), this, [this] { OnUndoKey(true); }),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_windowMenu->addSeparator();
    m_windowMenu->addAction(QStringLiteral("Satellite &Library..."), this, &CEditorDlg::OnLoadSat);
    showKey(m_windowMenu->addAction(QStringLiteral("Sky &View..."), this, &CEditorDlg::OnSkyView),
            QKeySequence(Qt::Key_F9));
    showKey(m_windowMenu->addAction(QStringLiteral("&Check Settings..."), this,
                                    &CEditorDlg::OnCheckSettings),
            QKeySequence(Qt::Key_F7));
    m_windowMenu->addAction(QStringLiteral("Update &Transponders..."), this,
                            &CEditorDlg::OnUpdateTransponders);
    m_windowMenu->addAction(QStringLiteral("Pointing Sheet..."), this,
                            &CEditorDlg::OnPointingSheet);
    m_windowMenu->addSeparator();
    QAction* about = m_windowMenu->addAction(QStringLiteral("&About orvex..."), this,
                                             &CEditorDlg::aboutRequested);
    about->setProperty("commandId", 16);
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] {
        const auto* edit = qobject_cast<QLineEdit*>(focusWidget());
        const bool typing = edit != nullptr && edit->isModified();
        m_undoAction->setEnabled(typing ? edit->isUndoAvailable() : m_document.CanUndo());
        m_redoAction->setEnabled(typing ? edit->isRedoAvailable() : m_document.CanRedo());
    });
}

void CEditorDlg::PressButton(int id) {
    auto* button = static_cast<QPushButton*>(Control(id));
    // As a click does: the button takes the focus first, which commits the field left.
    button->setFocus(Qt::MouseFocusReason);
    button->click();
}

// --- value exchange and panes ---------------------------------------------------------------

bool CEditorDlg::ReadView() {
    return m_panes->ReadView();
}

void CEditorDlg::WriteView() {
    m_panes->WriteView();
}

void CEditorDlg::EnableEditControls(bool on) {
    m_panes->EnableEditControls(on);
}

void CEditorDlg::OnTreeSelectionChanged() {
    QTreeWidgetItem* node = m_tree->SelectedNode();
    if (node == nullptr) {
        return;
    }
    const QString label = node->text(0);
    m_tpList->ForgetRowClick();
    m_tree->setFocus();
    m_tpList->Clear();
    const int data = node->data(0, Qt::UserRole).toInt();
    // The label decides before the item data: a satellite may carry one of these names.
    if (label == kRootLabel || label == kSatelliteListLabel || label == kTpListLabel) {
        EnableEditControls(false);
    } else if (data == CNavigationTree::kSystemSettingData ||
               data == CNavigationTree::kLocalPositionData) {
        EnableEditControls(true);
        const bool system = data == CNavigationTree::kSystemSettingData;
        if (system) {
            m_panes->ShowSystemSetting(m_document.Image().systemSetting);
        } else {
            m_panes->ShowLocalPosition(m_document.Image().settingsBlock.localPosition);
        }
        m_panes->ShowPane(Pane::SystemSetting, system);
        m_panes->ShowPane(Pane::LocalPosition, !system);
        m_panes->ShowPane(Pane::Satellite, false);
        m_panes->ShowPane(Pane::Tp, false);
        m_curSat = -1;
    } else if (data >= CNavigationTree::kSlotDataStep &&
               data < CNavigationTree::kFirstNonSatelliteData) {
        EnableEditControls(true);
        m_panes->ShowPane(Pane::Satellite, true);
        m_panes->ShowPane(Pane::Tp, false);
        m_panes->ShowPane(Pane::SystemSetting, false);
        m_panes->ShowPane(Pane::LocalPosition, false);
        m_curSat = static_cast<std::int8_t>(data / CNavigationTree::kSlotDataStep - 1);
        // Never past the twentieth slot, whatever count a file holds.
        if (m_curSat > UsedSlots(m_document.Image().settingsBlock) - 1) {
            EnableEditControls(false);
        } else {
            ShowSatellite();
        }
    } else {
        EnableEditControls(true);
    }
    // Showing a slot may have repaired its letters; that belongs to no user step.
    CommitStep();
    RefreshViews();
}

bool CEditorDlg::ShowFirstSatellite() {
    if (m_curSat >= 0) {
        m_panes->ShowSatelliteFields(
            m_document.Image().settingsBlock.satellites[static_cast<std::size_t>(m_curSat)]);
    }
    m_tpList->Clear();
    m_tpList->ForgetRowClick();
    WriteView();

    QTreeWidgetItem* first = m_tree->FirstSatelliteNode();
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

void CEditorDlg::ShowSatellite() {
    if (m_curSat < 0 || m_curSat >= static_cast<int>(kMaxSatellites)) {
        return;
    }
    m_panes->ShowSatelliteFields(
        m_document.Image().settingsBlock.satellites[static_cast<std::size_t>(m_curSat)]);
    m_panes->SetSatelliteCaption(m_curSat);
    m_tpList->Fill(m_curSat);
}

// --- commits --------------------------------------------------------------------------------

bool CEditorDlg::CanCommit() const {
    return !m_panes->Refreshing() && !m_committing;
}

void CEditorDlg::CommitStep() {
    if (m_operationDepth > 0) {
        return;
    }
    const int selection = m_tree->SelectedData();
    m_document.EndStep(m_stepSelection, selection);
    m_stepSelection = selection;
    RefreshViews();
}

void CEditorDlg::RefreshViews() {
    if (m_skyView != nullptr) {
        m_skyView->Refresh(m_curSat);
    }
    m_settingsCheck->Refresh(m_curSat);
    UpdateTitle();
}

void CEditorDlg::OnSkyView() {
    if (m_skyView == nullptr) {
        // Made on first use, so that the window's start-up does not pay for it.
        m_skyView = new CSkyView(m_document.Image(), m_prompts, this);
        connect(m_skyView, &CSkyView::SatelliteClicked, this, [this](int slot) {
            // As a click on the node: the field being left is committed first.
            CommitFocusedField();
            if (QTreeWidgetItem* node = m_tree->SlotNode(slot)) {
                m_tree->setCurrentItem(node);
            }
        });
    }
    m_skyView->Refresh(m_curSat);
    m_skyView->Open();
}

void CEditorDlg::OnCheckSettings() {
    m_settingsCheck->OpenWindow();
}

void CEditorDlg::OnFieldLeft(QWidget* field) {
    CPaneView& p = *m_panes;
    if (auto* edit = qobject_cast<CFieldEdit*>(field)) {
        if (edit == p.m_nameEdit) {
            // The name was stored as it was typed; leaving the field makes that one step.
            CommitStep();
        } else {
            OnNumberLeft(edit);
        }
        // The field's own undo starts again from what is stored; a refused field keeps the
        // focus and its selection.
        const bool refused = edit->hasFocus();
        edit->setText(edit->text());
        if (refused) {
            edit->selectAll();
        }
    } else if (field == p.m_lnbTypeCombo) {
        OnLnbTypeChosen(true);
    } else if (field == p.m_switchTypeCombo) {
        OnSwitchTypeCommit();
    } else if (auto* combo = qobject_cast<CDropDownCombo*>(field)) {
        OnOptionLeft(combo);
    }
}

void CEditorDlg::CommitFocusedField() {
    QWidget* focus = focusWidget();
    if (focus != nullptr && qobject_cast<CDropDownCombo*>(focus->parentWidget()) != nullptr) {
        focus = focus->parentWidget(); // a combo's own edit field
    }
    if (focus != nullptr && focus->window() == this) {
        OnFieldLeft(focus);
    }
}

bool CEditorDlg::focusNextPrevChild(bool next) {
    // An inactive window moves its focus without any focus-out: commit as leaving would.
    if (!isActiveWindow()) {
        CommitFocusedField();
    }
    return QDialog::focusNextPrevChild(next);
}

void CEditorDlg::OnNumberLeft(CFieldEdit* edit) {
    if (!CanCommit()) {
        return;
    }
    CPaneView& p = *m_panes;
    const struct {
        CFieldEdit* edit;
        std::uint32_t* view;
        NumberField field;
        bool satellite;
    } fields[] = {
        {p.m_localLongitudeEdit, &p.m_localLongitudeView, NumberField::LocalLongitude, false},
        {p.m_localLatitudeEdit, &p.m_localLatitudeView, NumberField::LocalLatitude, false},
        {p.m_satLongitudeEdit, &p.m_satLongitudeView, NumberField::SatelliteLongitude, true},
        {p.m_lowFreqEdit, &p.m_lowFreqView, NumberField::LnbLowFreq, true},
        {p.m_highFreqEdit, &p.m_highFreqView, NumberField::LnbHighFreq, true},
    };
    const auto found = std::find_if(std::begin(fields), std::end(fields),
                                    [edit](const auto& field) { return field.edit == edit; });
    if (found == std::end(fields) || (found->satellite && m_curSat < 0)) {
        return;
    }
    CommitScope scope(m_committing);
    ReadView();
    // Whatever the exchange said, the value is stored within the field's limit.
    *found->view = m_document.SetNumber(found->field, m_curSat, *found->view);
    WriteView();
    m_panes->ReturnToRefusedField();
    CommitStep();
}

void CEditorDlg::OnNameEdited() {
    if (!CanCommit() || m_curSat < 0) {
        return;
    }
    CommitScope scope(m_committing);
    ReadView();
    if (QTreeWidgetItem* node = m_tree->SelectedNode()) {
        node->setText(0, m_panes->m_nameView);
    }
    WriteView();
    m_document.SetName(m_curSat, m_panes->m_nameView.toLatin1().toStdString());
    m_panes->ReturnToRefusedField();
    RefreshViews();
}

void CEditorDlg::OnOptionLeft(CDropDownCombo* combo) {
    if (!CanCommit()) {
        return;
    }
    const CPaneView& p = *m_panes;
    const std::pair<CDropDownCombo*, OptionField> fields[] = {
        {p.m_localDirectionCombo, OptionField::LocalDirection},
        {p.m_hemisphereCombo, OptionField::Hemisphere},
        {p.m_autoPowerOffCombo, OptionField::AutoPowerOff},
        {p.m_languageCombo, OptionField::Language},
        {p.m_directionCombo, OptionField::Direction},
        {p.m_lnbPowerCombo, OptionField::LnbPower},
        {p.m_switchInputCombo, OptionField::SwitchInput},
        {p.m_toneCombo, OptionField::Tone22k},
        {p.m_positionTypeCombo, OptionField::PositionType},
    };
    for (const auto& [control, field] : fields) {
        if (control == combo) {
            // Nothing chosen (a stored code outside the list): the stored code stays.
            m_document.SetOption(field, m_curSat, combo->currentIndex());
        }
    }
    CommitStep();
}

void CEditorDlg::OnLnbTypeChosen(bool onlyChanged) {
    if (!CanCommit() || m_curSat < 0) {
        return;
    }
    const SatelliteRecord& record =
        m_document.Image().settingsBlock.satellites[static_cast<std::size_t>(m_curSat)];
    const int entry = m_panes->m_lnbTypeCombo->currentIndex();
    // Left after a choice with the arrow keys: stored as a pick from the list would be.
    if (onlyChanged && (entry < 0 || entry == record.lnbType)) {
        return;
    }
    CommitScope scope(m_committing);
    m_panes->ShowLnbChoice(entry, record);
    m_document.SetLnbType(m_curSat, entry);
    CommitStep();
}

void CEditorDlg::OnSwitchTypeCommit() {
    if (!CanCommit() || m_curSat < 0) {
        return;
    }
    const int switchType = m_panes->m_switchTypeCombo->currentIndex();
    const int input = m_panes->m_switchInputCombo->currentIndex();
    if (switchType < 0 || input < 0) {
        return;
    }
    CommitScope scope(m_committing);
    m_panes->FillSwitchInputs(static_cast<std::uint8_t>(switchType));
    const int kept = m_document.SetSwitch(m_curSat, switchType, input);
    {
        CPaneView::Refresh refresh(*m_panes);
        m_panes->m_switchInputCombo->setCurrentIndex(kept);
    }
    CommitStep();
}

void CEditorDlg::OnRadioClicked(QRadioButton* button) {
    if (!CanCommit()) {
        return;
    }
    CommitScope scope(m_committing);
    ReadView();
    // The click is the user's choice even when the exchange stopped at an earlier field, so
    // that the stored value always matches the checked button.
    CPaneView& p = *m_panes;
    const bool beep = p.m_beepGroup->buttons().contains(button);
    const int choice = (beep ? p.m_beepGroup : p.m_backlightGroup)->id(button);
    (beep ? p.m_beepView : p.m_backlightView) = choice;
    m_document.SetRadio(beep ? RadioField::Beep : RadioField::Backlight, choice);
    p.ReturnToRefusedField();
    CommitStep();
}

// --- files and the library ------------------------------------------------------------------

void CEditorDlg::OnOpen() {
    if (!MaySaveChanges()) {
        return;
    }
    const QString path = m_prompts.OpenFileName(this, kMeterFilter);
    if (!path.isEmpty()) {
        OpenMeterFile(path);
    }
}

bool CEditorDlg::OpenMeterFile(const QString& path) {
    CommitScope scope(m_committing);
    Operation operation(*this, false);
    const LoadResult result = m_document.Load(LocalPath(path));
    if (result != LoadResult::Done) {
        m_prompts.Message(this, ReadFailureText(result, path));
        return false;
    }
    // The first satellite is shown before the letters are normalised, as the meter's own
    // editor does: its repair of polarizations comes first.
    if (ShowFirstSatellite()) {
        m_tree->RelabelSatellites(m_document.Image().settingsBlock);
    }
    m_document.NormaliseLetters();
    m_document.ClearHistory();
    m_stepSelection = m_tree->SelectedData();
    m_fileName = QFileInfo(path).fileName();
    RefreshViews();
    return true;
}

void CEditorDlg::OnLoadSat() {
    m_slots->OnLoadSat();
}

void CEditorDlg::OnReplaceFromLibrary(int slot) {
    m_slots->OnReplaceFromLibrary(slot);
}

void CEditorDlg::OnUpdateTransponders() {
    CTransponderRefresh(*this).Run();
}

bool CEditorDlg::OnSave() {
    // Bytes changed outside a step are saved with the step they belong to.
    CommitStep();
    const QString path =
        m_prompts.SaveFileName(this, kMeterFilter, QStringLiteral("MData"), QStringLiteral("bin"));
    if (path.isEmpty()) {
        return false;
    }
    const SaveResult result = m_document.Save(LocalPath(path));
    if (result != SaveResult::Done) {
        m_prompts.Message(this, WriteFailureText(result, path));
        return false;
    }
    m_fileName = QFileInfo(path).fileName();
    UpdateTitle();
    return true;
}

void CEditorDlg::OnPointingSheet() {
    CommitFocusedField(); // the sheet shows what the fields show
    CSheetExport::Run(this, m_prompts, m_document.Image(), m_fileName);
}

void CEditorDlg::OnExit() {
    reject();
}

// --- leaving and the title ------------------------------------------------------------------

void CEditorDlg::UpdateTitle() {
    // "[*]" is where the platform shows its modified mark.
    setWindowTitle(m_fileName.isEmpty() ? QStringLiteral("ORVEX[*]")
                                        : m_fileName + QStringLiteral("[*] - ORVEX"));
    setWindowModified(m_document.IsModified());
}

bool CEditorDlg::HasUnsavedChanges() const {
    return m_document.IsModified() && m_droppedAtSessionEnd != m_document.History().State();
}

bool CEditorDlg::MaySaveChanges() {
    CommitStep();
    if (!HasUnsavedChanges()) {
        return true;
    }
    switch (m_prompts.AskSaveChanges(this, kSaveChangesQuestion)) {
    case UserPrompts::SaveChoice::Save:
        return OnSave();
    case UserPrompts::SaveChoice::Discard:
        return true;
    case UserPrompts::SaveChoice::Cancel:
        break;
    }
    return false;
}

void CEditorDlg::reject() {
    // The close box takes no focus: what the user typed is committed as a click on "Exit"
    // would commit it, and the focus goes back when the window stays.
    const QPointer<QWidget> typing = focusWidget();
    QWidget* exit = Control(EditorId::Exit);
    if (isActiveWindow()) {
        exit->setFocus(Qt::MouseFocusReason);
    } else {
        CommitFocusedField();
    }
    if (MaySaveChanges()) {
        QDialog::reject();
    } else if (typing != nullptr && typing->isVisible() && focusWidget() == exit) {
        // Unless a refused value took the focus already.
        typing->setFocus(Qt::OtherFocusReason);
    }
}

bool CEditorDlg::MayEndSession(const std::function<bool()>& mayAsk) {
    CommitFocusedField();
    CommitStep();
    // Without leave to ask, the user's file is left as it was.
    if (HasUnsavedChanges() && mayAsk() && !MaySaveChanges()) {
        return false;
    }
    // The window closes with the session; what was let go here is not asked about again.
    m_droppedAtSessionEnd = m_document.History().State();
    return true;
}

// --- undo and redo --------------------------------------------------------------------------

void CEditorDlg::OnUndoKey(bool redo) {
    auto* edit = qobject_cast<QLineEdit*>(focusWidget());
    if (edit != nullptr && edit->isModified()) {
        redo ? edit->redo() : edit->undo();
        return;
    }
    redo ? OnRedo() : OnUndo();
}

void CEditorDlg::OnUndo() {
    // Typing not committed is dropped: the field shows the data undone to.
    CommitStep();
    if (m_document.CanUndo()) {
        ShowSelection(m_document.Undo());
    }
}

void CEditorDlg::OnRedo() {
    CommitStep();
    if (m_document.CanRedo()) {
        ShowSelection(m_document.Redo());
    }
}

void CEditorDlg::ShowSelection(int data) {
    {
        // The fields still show the old values while the focus moves: nothing is committed.
        CommitScope scope(m_committing);
        Operation operation(*this, false);
        m_tree->RelabelSatellites(m_document.Image().settingsBlock);
        QTreeWidgetItem* node = m_tree->NodeOfData(data);
        if (node == nullptr || node->isSelected()) {
            // The node stays; what it shows is shown anew.
            OnTreeSelectionChanged();
        } else {
            m_tree->setCurrentItem(node);
        }
    }
    m_stepSelection = m_tree->SelectedData();
    RefreshViews();
}

// --- keys, menus, hints ---------------------------------------------------------------------

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
    m_windowMenu->popup(event->globalPos());
    event->accept();
}

bool CEditorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // A field without typing of its own leaves the undo keys to the window.
        const auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (edit != nullptr && edit->window() == this && !edit->isModified() &&
            (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
             IsCtrlY(key))) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (watched == m_panes->m_satLongitudeEdit && event->type() == QEvent::ToolTip) {
        // Worked out when asked, so that it follows every change of either position.
        const QString hint = CSatelliteNode::PointingHintText(m_document.Image(), m_curSat);
        if (hint.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hint,
                               m_panes->m_satLongitudeEdit);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
