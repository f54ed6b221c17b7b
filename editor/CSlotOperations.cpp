#include "editor/CSlotOperations.h"

#include "editor/CNavigationTree.h"
#include "editor/CTpListController.h"
#include "editor/CWindowPrompts.h"
#include "editor/RefreshGuard.h"
#include "library/CSatListDlg.h"
#include "model/MeterDocument.h"

#include <QMenu>

using Step = RefreshGuard::Step;

CSlotOperations::CSlotOperations(MeterDocument& document, RefreshGuard& guard,
                                 CNavigationTree& tree, const CTpListController& tpList,
                                 UserPrompts& prompts, QWidget* window)
    : QObject(window), m_document(document), m_guard(guard), m_tree(tree), m_tpList(tpList),
      m_prompts(prompts), m_window(window) {}

int CSlotOperations::SelectedSlot() const {
    return CNavigationTree::SlotOfNode(m_tree.SelectedNode());
}

void CSlotOperations::Relabel(int from, int to) {
    const auto& satellites = m_document.Image().settingsBlock.satellites;
    for (int slot = std::max(from, 0); slot <= to && slot < static_cast<int>(kMaxSatellites);
         ++slot) {
        m_tree.LabelSlotNode(slot, satellites[static_cast<std::size_t>(slot)]);
    }
}

void CSlotOperations::OnAddSatellite() {
    const int slot = SelectedSlot();
    const int count = UsedSlots(m_document.Image().settingsBlock);
    if (slot >= 0 && count < static_cast<int>(kMaxSatellites)) {
        const RefreshGuard::Scope step(m_guard, Step::End);
        const int target = m_document.AddSatellite(slot);
        Relabel(target, count);
        if (slot >= count) {
            emit showRequested(target, SlotShow::Select);
        }
        emit showRequested(target, SlotShow::InPlace);
    }
    m_tree.setFocus();
}

void CSlotOperations::OnDeleteSatellite() {
    const int slot = SelectedSlot();
    // A count above twenty counts as the twenty slots that exist.
    const int count = UsedSlots(m_document.Image().settingsBlock);
    if (slot < 0 || slot >= count) {
        m_tree.setFocus();
        return;
    }
    const RefreshGuard::Scope step(m_guard, Step::End);
    m_document.DeleteSatellite(slot);
    Relabel(slot, count - 1);
    if (count == 1) {
        emit showRequested(0, SlotShow::Emptied);
        return;
    }
    // The last one deleted: the satellite before it is shown.
    emit showRequested(slot == count - 1 ? slot - 1 : slot,
                       slot == count - 1 ? SlotShow::Select : SlotShow::InPlace);
    m_tree.setFocus();
}

void CSlotOperations::OnMoveUp() {
    const int slot = SelectedSlot();
    {
        const RefreshGuard::Scope step(m_guard, Step::End);
        if (m_document.MoveUp(slot)) {
            Relabel(slot - 1, slot);
            emit showRequested(slot - 1, SlotShow::Select);
        }
    }
    m_tree.setFocus();
}

void CSlotOperations::OnMoveDown() {
    // A click on a TP row holds this button until the list is filled again.
    if (m_tpList.RowClicked()) {
        return;
    }
    const int slot = SelectedSlot();
    {
        const RefreshGuard::Scope step(m_guard, Step::End);
        if (m_document.MoveDown(slot)) {
            Relabel(slot, slot + 1);
            emit showRequested(slot + 1, SlotShow::Select);
        }
    }
    m_tree.setFocus();
}

void CSlotOperations::OnLoadSat() {
    CSatListDlg dialog(m_prompts, m_window);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    CWindowPrompts::Reactivate(m_window);
    if (!accepted) {
        return;
    }
    const RefreshGuard::Scope step(m_guard, Step::End);
    // Whole records into the first slots; the count of slots in use stays as it was.
    m_document.CopyIntoFirstSlots(dialog.AddedList().Records());
    emit showRequested(0, SlotShow::First);
}

void CSlotOperations::OnTreeContextMenu(const QPoint& position, QMenu* windowMenu) {
    QTreeWidgetItem* node = m_tree.itemAt(position);
    const int slot = CNavigationTree::SlotOfNode(node);
    if (slot < 0) {
        windowMenu->popup(m_tree.viewport()->mapToGlobal(position));
        return;
    }
    m_tree.setCurrentItem(node);
    auto* menu = new QMenu(m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Replace from Library..."), this,
                    [this, slot] { OnReplaceFromLibrary(slot); });
    menu->popup(m_tree.viewport()->mapToGlobal(position));
}

void CSlotOperations::OnReplaceFromLibrary(int slot) {
    CSatListDlg dialog(m_prompts, m_window);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    CWindowPrompts::Reactivate(m_window);
    if (!accepted || dialog.AddedList().GetCount() == 0) {
        return;
    }
    // The first satellite picked goes into this slot; every other slot stays as it was.
    const RefreshGuard::Scope step(m_guard, Step::End);
    m_document.ReplaceSatellite(slot, dialog.AddedList().GetAt(0));
    Relabel(slot, slot);
    emit showRequested(slot, SlotShow::Select);
}
