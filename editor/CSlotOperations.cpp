#include "editor/CSlotOperations.h"

#include "editor/CEditorDlg.h"
#include "editor/CNavigationTree.h"
#include "editor/CTpListController.h"
#include "editor/CWindowPrompts.h"
#include "library/CSatListDlg.h"

#include <QMenu>

#include <vector>

void CSlotOperations::OnAddSatellite() {
    CEditorDlg& w = m_window;
    const int slot = CNavigationTree::SlotOfNode(w.m_tree->SelectedNode());
    const int count = UsedSlots(w.m_document.Image().settingsBlock);
    if (slot < 0 || count >= static_cast<int>(kMaxSatellites)) {
        w.m_tree->setFocus();
        return;
    }
    CEditorDlg::Operation operation(w);
    const int target = w.m_document.AddSatellite(slot);
    const auto& satellites = w.m_document.Image().settingsBlock.satellites;
    for (int k = target; k <= count; ++k) {
        w.m_tree->LabelSlotNode(k, satellites[static_cast<std::size_t>(k)]);
    }
    if (slot >= count) {
        w.m_tree->setCurrentItem(w.m_tree->SlotNode(target));
    }
    w.m_curSat = static_cast<std::int8_t>(target);
    w.EnableEditControls(true);
    w.ShowSatellite();
    w.m_tree->setFocus();
}

void CSlotOperations::OnDeleteSatellite() {
    CEditorDlg& w = m_window;
    const int slot = CNavigationTree::SlotOfNode(w.m_tree->SelectedNode());
    // A count above twenty counts as the twenty slots that exist.
    const int count = UsedSlots(w.m_document.Image().settingsBlock);
    if (slot < 0 || slot >= count) {
        w.m_tree->setFocus();
        return;
    }
    CEditorDlg::Operation operation(w);
    w.m_document.DeleteSatellite(slot);
    const auto& satellites = w.m_document.Image().settingsBlock.satellites;
    for (int k = slot; k < count; ++k) {
        w.m_tree->LabelSlotNode(k, satellites[static_cast<std::size_t>(k)]);
    }
    if (count == 1) {
        w.EnableEditControls(false);
        w.m_tpList->Clear();
        w.m_tpList->ForgetRowClick();
        w.m_curSat = 0;
        return;
    }
    if (slot == count - 1) {
        // The selection handling shows the satellite before it.
        w.m_tree->setCurrentItem(w.m_tree->SlotNode(slot - 1));
        w.m_curSat = static_cast<std::int8_t>(slot - 1);
    } else {
        w.m_curSat = static_cast<std::int8_t>(slot);
        w.ShowSatellite();
    }
    w.m_tree->setFocus();
}

void CSlotOperations::OnMoveUp() {
    CEditorDlg& w = m_window;
    const int slot = CNavigationTree::SlotOfNode(w.m_tree->SelectedNode());
    CEditorDlg::Operation operation(w);
    if (w.m_document.MoveUp(slot)) {
        const auto& satellites = w.m_document.Image().settingsBlock.satellites;
        w.m_tree->LabelSlotNode(slot, satellites[static_cast<std::size_t>(slot)]);
        w.m_tree->LabelSlotNode(slot - 1, satellites[static_cast<std::size_t>(slot - 1)]);
        w.m_tree->setCurrentItem(w.m_tree->SlotNode(slot - 1));
    }
    w.m_tree->setFocus();
}

void CSlotOperations::OnMoveDown() {
    CEditorDlg& w = m_window;
    // A click on a TP row holds this button until the list is filled again.
    if (w.m_tpList->RowClicked()) {
        return;
    }
    const int slot = CNavigationTree::SlotOfNode(w.m_tree->SelectedNode());
    CEditorDlg::Operation operation(w);
    if (w.m_document.MoveDown(slot)) {
        const auto& satellites = w.m_document.Image().settingsBlock.satellites;
        w.m_tree->LabelSlotNode(slot, satellites[static_cast<std::size_t>(slot)]);
        w.m_tree->LabelSlotNode(slot + 1, satellites[static_cast<std::size_t>(slot + 1)]);
        w.m_tree->setCurrentItem(w.m_tree->SlotNode(slot + 1));
    }
    w.m_tree->setFocus();
}

void CSlotOperations::OnLoadSat() {
    CEditorDlg& w = m_window;
    CSatListDlg dialog(w.m_prompts, &w);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    CWindowPrompts::Reactivate(&w);
    if (!accepted) {
        return;
    }
    CEditorDlg::Operation operation(w);
    // Whole records into the first slots; the count of slots in use stays as it was.
    w.m_document.CopyIntoFirstSlots(dialog.AddedList().Records());
    if (w.ShowFirstSatellite()) {
        w.m_tree->RelabelSatellites(w.m_document.Image().settingsBlock);
    }
}

void CSlotOperations::OnTreeContextMenu(const QPoint& position) {
    CEditorDlg& w = m_window;
    QTreeWidgetItem* node = w.m_tree->itemAt(position);
    const int slot = CNavigationTree::SlotOfNode(node);
    if (slot < 0) {
        w.m_windowMenu->popup(w.m_tree->viewport()->mapToGlobal(position));
        return;
    }
    w.m_tree->setCurrentItem(node);
    QMenu* menu = new QMenu(&w);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Replace from Library..."), &w,
                    [this, slot] { OnReplaceFromLibrary(slot); });
    menu->popup(w.m_tree->viewport()->mapToGlobal(position));
}

void CSlotOperations::OnReplaceFromLibrary(int slot) {
    CEditorDlg& w = m_window;
    CSatListDlg dialog(w.m_prompts, &w);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    CWindowPrompts::Reactivate(&w);
    if (!accepted || dialog.AddedList().GetCount() == 0) {
        return;
    }
    // The first satellite picked goes into this slot; every other slot stays as it was.
    CEditorDlg::Operation operation(w);
    w.m_document.ReplaceSatellite(slot, dialog.AddedList().GetAt(0));
    w.m_tree->LabelSlotNode(
        slot, w.m_document.Image().settingsBlock.satellites[static_cast<std::size_t>(slot)]);
    QTreeWidgetItem* node = w.m_tree->SlotNode(slot);
    if (node->isSelected()) {
        w.OnTreeSelectionChanged();
    } else {
        w.m_tree->setCurrentItem(node);
    }
}
