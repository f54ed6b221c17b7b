#include "editor/CNavigationTree.h"

#include "editor/CSatelliteNode.h"
#include "res/AppIcon.h"

namespace {

const QString kRootLabel = QStringLiteral("Kavra-Q4");

} // namespace

CNavigationTree::CNavigationTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
}

void CNavigationTree::BuildTree(const MeterImage& image) {
    const QList<QIcon> images = TreeIcons();
    const auto add = [&images](QTreeWidgetItem* item, const QString& label, int icon, int data) {
        item->setText(0, label);
        item->setIcon(0, images.value(icon));
        item->setData(0, Qt::UserRole, data);
        return item;
    };
    QTreeWidgetItem* root = add(new QTreeWidgetItem(this), kRootLabel, 0, kRootData);
    add(new QTreeWidgetItem(root), QStringLiteral("System Setting"), 1, kSystemSettingData);
    add(new QTreeWidgetItem(root), QStringLiteral("Local Position"), 2, kLocalPositionData);
    m_satelliteListNode =
        add(new QTreeWidgetItem(root), QStringLiteral("Satellite List"), 3, kSatelliteListData);
    for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
        add(new CSatelliteNode(m_satelliteListNode, image),
            NameLabel(image.settingsBlock.satellites[static_cast<std::size_t>(slot)]), 3,
            kSlotDataStep * (slot + 1));
    }
    expandAll();
}

QTreeWidgetItem* CNavigationTree::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

int CNavigationTree::SlotOfNode(const QTreeWidgetItem* node) {
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

QTreeWidgetItem* CNavigationTree::SlotNode(int slot) const {
    return m_satelliteListNode != nullptr ? m_satelliteListNode->child(slot) : nullptr;
}

QTreeWidgetItem* CNavigationTree::FirstSatelliteNode() const {
    return SlotNode(0);
}

QTreeWidgetItem* CNavigationTree::NodeOfData(int data) const {
    QTreeWidgetItem* root = topLevelItem(0);
    if (root == nullptr || data < 0) {
        return nullptr;
    }
    if (data == kRootData) {
        return root;
    }
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->data(0, Qt::UserRole).toInt() == data) {
            return root->child(i);
        }
    }
    return data % kSlotDataStep == 0 ? SlotNode(data / kSlotDataStep - 1) : nullptr;
}

int CNavigationTree::SelectedData() const {
    const QTreeWidgetItem* node = SelectedNode();
    return node != nullptr ? node->data(0, Qt::UserRole).toInt() : -1;
}

void CNavigationTree::LabelSlotNode(int slot, const SatelliteRecord& record) {
    if (QTreeWidgetItem* node = SlotNode(slot)) {
        node->setText(0, NameLabel(record));
    }
}

void CNavigationTree::RelabelSatellites(const SettingsBlock& block) {
    for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
        LabelSlotNode(slot, block.satellites[static_cast<std::size_t>(slot)]);
    }
}

QString CNavigationTree::NameLabel(const SatelliteRecord& record) {
    return QString::fromLatin1(NameText(record));
}

QItemSelectionModel::SelectionFlags CNavigationTree::selectionCommand(const QModelIndex& index,
                                                                      const QEvent* event) const {
    QItemSelectionModel::SelectionFlags flags = QTreeWidget::selectionCommand(index, event);
    // Ctrl+click and Ctrl+Space toggle; on the selected node that would leave none selected.
    if (flags.testFlag(QItemSelectionModel::Toggle) ||
        flags.testFlag(QItemSelectionModel::Deselect)) {
        flags =
            index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
    }
    return flags;
}
