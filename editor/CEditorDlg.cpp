#include "editor/CEditorDlg.h"

#include "controls/CEditListCtrl.h"
#include "controls/FileMessages.h"
#include "editor/CDataViews.h"
#include "editor/CEditorCommands.h"
#include "editor/CEditorPages.h"
#include "editor/CLocalPositionPage.h"
#include "editor/CNavigationTree.h"
#include "editor/CSatellitePage.h"
#include "editor/CSheetExport.h"
#include "editor/CSlotOperations.h"
#include "editor/CSystemSettingPage.h"
#include "editor/CTpListController.h"
#include "editor/CTransponderRefresh.h"
#include "editor/EditorIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

#include <functional>

const QString kMeterFilter = QStringLiteral("Meter data File (*.bin)|*.bin|");

// --- build ------------------------------------------------------------------------------------

CEditorDlg::CEditorDlg(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_guard([this] { CommitStep(); }),
      m_unsaved(*this, m_document, m_prompts,
                {.save = [this] { return OnSave(); },
                 .commitField = [this] { m_pages->CommitField(focusWidget()); },
                 .endStep =
                     [this] {
                         CommitStep();
                     }}) {
    m_unsaved.UpdateTitle();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    m_controls = CreateFrameControls(this);
    m_tree = static_cast<CNavigationTree*>(Control(EditorId::Tree));
    m_tpList = new CTpListController(static_cast<CEditListCtrl*>(Control(EditorId::TpList)),
                                     m_document, m_prompts, this);
    m_slots = new CSlotOperations(m_document, m_guard, *m_tree, *m_tpList, m_prompts, this);
    m_pages = new CEditorPages(m_document, m_prompts, m_guard, this);
    ConnectControls();
    BuildCommands();
    m_pages->Show(Pane::SystemSetting);
    m_tree->BuildTree(m_document.Image());
    m_views =
        new CDataViews(m_document.Image(), *m_tree,
                       *static_cast<CEditListCtrl*>(Control(EditorId::TpList)), m_prompts, this);
    // A satellite chosen in a view is shown as a click on its node would show it.
    connect(m_views, &CDataViews::aboutToSelect, this, &CEditorDlg::CommitTyping);
}

QWidget* CEditorDlg::Control(int id) const {
    QWidget* control = m_controls.value(id, nullptr);
    return control != nullptr ? control : m_pages->Control(id);
}

void CEditorDlg::ConnectControls() {
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CEditorDlg::OnTreeSelectionChanged);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { m_slots->OnTreeContextMenu(position, WindowMenu()); });
    connect(m_tpList, &CTpListController::edited, this, &CEditorDlg::CommitStep);
    connect(m_slots, &CSlotOperations::showRequested, this, &CEditorDlg::ShowSlot);
    connect(m_pages, &CEditorPages::nameEdited, this, &CEditorDlg::OnNameEdited);
    const auto button = [this](int id, auto* receiver, auto handler) {
        connect(static_cast<QPushButton*>(Control(id)), &QPushButton::clicked, receiver, handler);
    };
    button(EditorId::Open, this, &CEditorDlg::OnOpen);
    button(EditorId::Save, this, &CEditorDlg::OnSave);
    button(EditorId::Exit, this, &CEditorDlg::OnExit);
    button(EditorId::LoadSat, this, &CEditorDlg::OnLoadSat);
    button(EditorId::Add, m_slots, &CSlotOperations::OnAddSatellite);
    button(EditorId::Delete, m_slots, &CSlotOperations::OnDeleteSatellite);
    button(EditorId::Up, m_slots, &CSlotOperations::OnMoveUp);
    button(EditorId::Down, m_slots, &CSlotOperations::OnMoveDown);
}

// --- select -----------------------------------------------------------------------------------

void CEditorDlg::SetCurrentSlot(int slot) {
    m_curSat = static_cast<std::int8_t>(slot);
    m_tpList->SetSlot(slot);
    m_pages->SetSlot(slot);
}

void CEditorDlg::EnableEditControls(bool on) {
    m_pages->EnableEditControls(on);
}

void CEditorDlg::OnTreeSelectionChanged() {
    QTreeWidgetItem* node = m_tree->SelectedNode();
    if (node == nullptr) {
        return;
    }
    m_tpList->ForgetRowClick();
    m_tree->setFocus();
    m_tpList->Clear();
    // The node's code decides, never its label: a satellite may carry any name.
    const int data = node->data(0, Qt::UserRole).toInt();
    const int slot = CNavigationTree::SlotOfNode(node);
    if (data == CNavigationTree::kSystemSettingData ||
        data == CNavigationTree::kLocalPositionData) {
        const bool system = data == CNavigationTree::kSystemSettingData;
        EnableEditControls(true);
        system ? m_pages->SystemSetting().ShowSetting() : m_pages->LocalPosition().ShowPosition();
        m_pages->Show(system ? Pane::SystemSetting : Pane::LocalPosition);
        SetCurrentSlot(-1);
    } else if (slot >= 0) {
        EnableEditControls(true);
        m_pages->Show(Pane::Satellite);
        SetCurrentSlot(slot);
        // Never past the slots in use, whatever count a file holds.
        if (slot > UsedSlots(m_document.Image().settingsBlock) - 1) {
            EnableEditControls(false);
        } else {
            ShowSatellite();
        }
    } else {
        // The root and "Satellite List" have nothing to edit.
        EnableEditControls(false);
    }
    // Showing a slot may have repaired its letters; that belongs to no user step.
    m_guard.EndStep();
    RefreshViews();
}

void CEditorDlg::SelectNode(QTreeWidgetItem* node) {
    if (node == nullptr || node->isSelected()) {
        OnTreeSelectionChanged();
    } else {
        m_tree->setCurrentItem(node);
    }
}

bool CEditorDlg::ShowFirstSatellite() {
    if (m_curSat >= 0) {
        m_pages->Satellite().ShowFields();
    }
    m_tpList->Clear();
    m_tpList->ForgetRowClick();
    WriteView();
    QTreeWidgetItem* first = m_tree->FirstSatelliteNode();
    if (first == nullptr) {
        return false;
    }
    // Also a node that stays selected shows the new data: the caption, the TP rows and
    // whether the slot is in use.
    SelectNode(first);
    return true;
}

void CEditorDlg::ShowSatellite() {
    if (m_curSat < 0 || m_curSat >= static_cast<int>(kMaxSatellites)) {
        return;
    }
    m_pages->Satellite().ShowFields();
    m_pages->Satellite().ShowCaption();
    m_tpList->Fill(m_curSat);
}

void CEditorDlg::ShowSlot(int slot, SlotShow how) {
    switch (how) {
    case SlotShow::Select:
        SelectNode(m_tree->SlotNode(slot));
        break;
    case SlotShow::InPlace:
        SetCurrentSlot(slot);
        EnableEditControls(true);
        ShowSatellite();
        break;
    case SlotShow::Emptied:
        EnableEditControls(false);
        m_tpList->Clear();
        m_tpList->ForgetRowClick();
        SetCurrentSlot(slot);
        break;
    case SlotShow::First:
        if (ShowFirstSatellite()) {
            m_tree->RelabelSatellites(m_document.Image().settingsBlock);
        }
        break;
    }
}

// --- commit -----------------------------------------------------------------------------------

bool CEditorDlg::ReadView() {
    return m_pages->ReadView();
}

void CEditorDlg::WriteView() {
    m_pages->WriteView();
}

void CEditorDlg::OnNameEdited(const QString& name) {
    if (QTreeWidgetItem* node = m_tree->SelectedNode()) {
        node->setText(0, name);
    }
    RefreshViews();
}

bool CEditorDlg::focusNextPrevChild(bool next) {
    // An inactive window moves its focus without any focus-out: commit as leaving would.
    if (!isActiveWindow()) {
        m_pages->CommitField(focusWidget());
    }
    return QDialog::focusNextPrevChild(next);
}

void CEditorDlg::CommitTyping() {
    m_pages->CommitField(focusWidget());
    CommitStep();
}

void CEditorDlg::CommitStep() {
    if (m_guard.Refreshing()) {
        return;
    }
    const int selection = m_tree->SelectedData();
    m_document.EndStep(m_stepSelection, selection);
    m_stepSelection = selection;
    RefreshViews();
}

void CEditorDlg::RefreshViews() {
    if (m_views != nullptr) {
        m_views->Refresh(m_curSat);
    }
    m_unsaved.UpdateTitle();
}

// --- files and the library --------------------------------------------------------------------

void CEditorDlg::OnOpen() {
    if (!m_unsaved.MaySaveChanges()) {
        return;
    }
    const QString path = m_prompts.OpenFileName(this, kMeterFilter);
    if (!path.isEmpty()) {
        OpenMeterFile(path);
    }
}

bool CEditorDlg::OpenMeterFile(const QString& path) {
    const RefreshGuard::Scope refresh(m_guard);
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
    m_unsaved.SetFile(path);
    RefreshViews();
    return true;
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
    m_unsaved.SetFile(path);
    return true;
}

void CEditorDlg::OnExit() {
    reject();
}

void CEditorDlg::reject() {
    if (m_unsaved.MayClose(*Control(EditorId::Exit))) {
        QDialog::reject();
    }
}

bool CEditorDlg::MayEndSession(const std::function<bool()>& mayAsk) {
    return m_unsaved.MayEndSession(mayAsk);
}

void CEditorDlg::OnSkyView() {
    m_views->OpenSkyView(m_curSat);
}

void CEditorDlg::OnCheckSettings() {
    m_views->OpenCheck();
}

void CEditorDlg::OnUpdateTransponders() {
    // The table is matched against what is stored: a number being typed counts.
    CommitTyping();
    const RefreshGuard::Scope step(m_guard, RefreshGuard::Step::End);
    if (CTransponderRefresh(m_document, m_prompts, this).Run()) {
        // Names and positions stay, so the tree keeps its labels; the TP list shows the rows.
        SelectNode(m_tree->SelectedNode());
    }
}

void CEditorDlg::OnPointingSheet() {
    CommitTyping(); // the sheet shows what the fields show
    CSheetExport::Run(this, m_prompts, m_document.Image(), m_unsaved.FileName());
}

// --- history ----------------------------------------------------------------------------------

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
        const RefreshGuard::Scope refresh(m_guard);
        m_tree->RelabelSatellites(m_document.Image().settingsBlock);
        SelectNode(m_tree->NodeOfData(data));
    }
    m_stepSelection = m_tree->SelectedData();
    RefreshViews();
}

// --- menus and keys ---------------------------------------------------------------------------

void CEditorDlg::BuildCommands() {
    auto* commands = new CEditorCommands(
        this, {.undo = [this](bool redo) { redo ? OnRedo() : OnUndo(); },
               .canUndo =
                   [this](bool redo) { return redo ? m_document.CanRedo() : m_document.CanUndo(); },
               .loadSat = [this] { OnLoadSat(); },
               .skyView = [this] { OnSkyView(); },
               .checkSettings = [this] { OnCheckSettings(); },
               .updateTransponders = [this] { OnUpdateTransponders(); },
               .pointingSheet = [this] { OnPointingSheet(); },
               .about = [this] { emit aboutRequested(); },
               .open = static_cast<QAbstractButton*>(Control(EditorId::Open)),
               .save = static_cast<QAbstractButton*>(Control(EditorId::Save))});
    m_windowMenu = commands->Menu();
}

QMenu* CEditorDlg::TpListMenu() const {
    return m_tpList->Menu();
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
    WindowMenu()->popup(event->globalPos());
    event->accept();
}
