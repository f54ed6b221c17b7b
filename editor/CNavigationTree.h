#pragma once

#include "model/MeterData.h"

#include <QIcon>
#include <QList>
#include <QTreeWidget>

// The navigation tree: the root, "System Setting", "Local Position" and "Satellite List" with
// one node per slot. Each node carries its code in Qt::UserRole; once a node is selected, one
// always is: no click or key takes the selection away.
class CNavigationTree final : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNavigationTree)

public:
    // The node codes.
    static constexpr int kRootData = 0;
    static constexpr int kSystemSettingData = 1;
    static constexpr int kLocalPositionData = 2;
    static constexpr int kSatelliteListData = 19;
    static constexpr int kSlotDataStep = 20; // the node of slot i carries 20 * (i + 1)
    static constexpr int kFirstNonSatelliteData = 1000;

    explicit CNavigationTree(QWidget* parent = nullptr);

    void BuildTree(const MeterImage& image);
    QTreeWidgetItem* SelectedNode() const;
    // The slot of a satellite node, -1 for any other node.
    static int SlotOfNode(const QTreeWidgetItem* node);
    QTreeWidgetItem* SlotNode(int slot) const;
    QTreeWidgetItem* FirstSatelliteNode() const;
    // The node with this code, nullptr for none.
    QTreeWidgetItem* NodeOfData(int data) const;
    // The code of the selected node, -1 for none.
    int SelectedData() const;
    void LabelSlotNode(int slot, const SatelliteRecord& record);
    void RelabelSatellites(const SettingsBlock& block);
    // Names are bytes: each byte is the Latin-1 character of the same code.
    static QString NameLabel(const SatelliteRecord& record);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    QTreeWidgetItem* m_satelliteListNode = nullptr;
};
