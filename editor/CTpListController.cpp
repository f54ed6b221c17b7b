#include "editor/CTpListController.h"

#include "controls/CEditListCtrl.h"
#include "controls/CPlainHeader.h"
#include "controls/UserPrompts.h"
#include "editor/CTpRowDelegate.h"
#include "editor/EditorIds.h"
#include "model/MeterDocument.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

CTpListController::CTpListController(CEditListCtrl* list, MeterDocument& document,
                                     UserPrompts& prompts, QWidget* window)
    : QObject(list), m_list(list), m_document(document), m_prompts(prompts), m_window(window) {
    m_list->setHorizontalHeader(new CPlainHeader(Qt::Horizontal, m_list));
    m_list->setColumnCount(4);
    m_list->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("Freq"),
                                       QStringLiteral("Pol"), QStringLiteral("SR")});
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setStretchLastSection(false);
    m_list->verticalHeader()->hide();
    const int clientWidth = m_list->width() - 2 * m_list->frameWidth();
    m_list->setColumnWidth(0, 30);
    m_list->setColumnWidth(1, 90);
    m_list->setColumnWidth(2, std::max(clientWidth - 210, 0));
    m_list->setColumnWidth(3, 90);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);

    m_list->SetReadOnlyColumn(0, true);
    m_list->SetComboColumn(2, true);
    m_list->SetEditChars(QStringLiteral("0123456789"), -1);
    m_list->SetComboVScroll(true);
    m_list->SetPrompts(&m_prompts);
    connect(m_list, &CEditListCtrl::getCellChoices, this, &CTpListController::OnGetCellChoices,
            Qt::DirectConnection);
    connect(m_list, &CEditListCtrl::cellEdited, this, &CTpListController::OnCellEdited,
            Qt::DirectConnection);

    m_list->setItemDelegate(new CTpRowDelegate(m_list));
    // The focused row has its own colours, so the whole row repaints when it moves.
    connect(m_list, &QTableWidget::currentCellChanged, m_list->viewport(),
            qOverload<>(&QWidget::update));
    m_viewport = m_list->viewport();
    m_viewport->installEventFilter(this);

    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CTpListController::OnContextMenu);
    m_menu = new QMenu(m_window);
    m_menu->setProperty("menuId", 151);
    m_insertAction = m_menu->addAction(QStringLiteral("&Insert"));
    m_insertAction->setProperty("commandId", 32771);
    m_deleteAction = m_menu->addAction(QStringLiteral("&Delete"));
    m_deleteAction->setProperty("commandId", 32772);
    connect(m_insertAction, &QAction::triggered, this, &CTpListController::OnTpInsert);
    connect(m_deleteAction, &QAction::triggered, this, &CTpListController::OnTpDelete);
}

void CTpListController::Clear() {
    m_list->setRowCount(0);
    m_listSlot = -1;
}

void CTpListController::SetRow(int row, const TpEntry& tp) {
    const QStringList texts = {QString::number(row + 1), QString::number(tp.frequency),
                               tp.polarization == kVertical ? QStringLiteral("V")
                                                            : QStringLiteral("H"),
                               QString::number(tp.symbolRate)};
    for (int column = 0; column < texts.size(); ++column) {
        m_list->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

void CTpListController::Fill(int slot) {
    Clear();
    m_rowClicked = false;
    if (slot < 0 || slot >= static_cast<int>(kMaxSatellites)) {
        return;
    }
    // A letter other than 'H' or 'V' is shown as "H" and written back as 'H'.
    m_document.RepairPolarizations(slot);
    const SatelliteRecord& record =
        m_document.Image().settingsBlock.satellites[static_cast<std::size_t>(slot)];
    const int rows = UsedTps(record);
    m_list->setRowCount(rows);
    m_listSlot = slot;
    for (int row = 0; row < rows; ++row) {
        SetRow(row, record.tps[static_cast<std::size_t>(row)]);
    }
    if (rows > 0) {
        SelectRow(0);
    }
}

void CTpListController::SelectRow(int row) {
    m_list->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool CTpListController::InsertOffered() const {
    const SettingsBlock& block = m_document.Image().settingsBlock;
    // Only while the list mirrors a slot in use; an emptied list has no rows to count on.
    if (m_slot < 0 || m_listSlot != m_slot || m_slot >= UsedSlots(block)) {
        return false;
    }
    const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(m_slot)];
    const int used = UsedTps(record);
    return record.tpCount < kMaxTps && m_listRow <= used - 1 && m_list->rowCount() == used;
}

void CTpListController::OnContextMenu(const QPoint& position) {
    m_listRow = m_list->indexAt(position).row();
    m_deleteAction->setEnabled(m_listRow != -1);
    m_insertAction->setEnabled(InsertOffered());
    m_menu->popup(m_list->viewport()->mapToGlobal(position));
}

void CTpListController::RenumberRows(int from) {
    for (int row = std::max(from, 0); row < m_list->rowCount(); ++row) {
        if (QTableWidgetItem* number = m_list->item(row, 0)) {
            number->setText(QString::number(row + 1));
        }
    }
}

void CTpListController::OnTpInsert() {
    if (!InsertOffered()) {
        return;
    }
    const int row = m_listRow == -1 ? m_list->rowCount() : m_listRow;
    m_list->insertRow(row);
    SetRow(row, kFreshTp);
    SelectRow(row);
    m_document.InsertTp(m_slot, row);
    RenumberRows(row + 1);
    emit edited();
}

void CTpListController::OnTpDelete() {
    const int row = m_listRow;
    if (m_slot < 0 || row < 0 || m_listSlot != m_slot || row >= m_list->rowCount()) {
        return;
    }
    m_list->removeRow(row);
    const int select = row == m_list->rowCount() ? row - 1 : row;
    if (select >= 0) {
        SelectRow(select);
        RenumberRows(select);
    }
    m_document.DeleteTp(m_slot, row);
    emit edited();
}

void CTpListController::OnGetCellChoices(int column, QStringList* choices) {
    if (choices == nullptr) {
        return;
    }
    choices->clear();
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != m_window || column != 2) {
        return;
    }
    // Only for a request that comes from the list itself.
    if (m_list->geometry().contains(focus->mapTo(m_window, QPoint(0, 0)))) {
        *choices << QStringLiteral("H") << QStringLiteral("V");
    }
}

void CTpListController::OnCellEdited(int listId, const CellEditRecord& record) {
    if (listId != EditorId::TpList || m_slot < 0 || m_listSlot != m_slot || record.row < 0 ||
        record.row >= m_list->rowCount()) {
        return;
    }
    const SatelliteRecord& satellite =
        m_document.Image().settingsBlock.satellites[static_cast<std::size_t>(m_slot)];
    if (record.row >= UsedTps(satellite)) {
        return;
    }
    const TpEntry& tp = satellite.tps[static_cast<std::size_t>(record.row)];
    QTableWidgetItem* cell = m_list->item(record.row, record.column);
    const auto storeNumber = [&](TpNumber column, std::uint16_t stored) {
        const auto showStored = [&] {
            if (cell != nullptr) {
                cell->setText(QString::number(stored));
            }
        };
        if (record.text.isEmpty()) {
            m_prompts.Message(m_window, QStringLiteral("Can not empty!"));
            showStored();
            return;
        }
        bool number = false;
        const qulonglong value = record.text.toULongLong(&number);
        if (!number) {
            // Only digits reach here; anything else shows the stored value again.
            showStored();
            return;
        }
        // Five digits can exceed the 16-bit field: its largest value is stored and shown.
        stored = m_document.SetTpNumber(m_slot, record.row, column, value);
        if (value > stored) {
            showStored();
        }
    };
    switch (record.column) {
    case 1:
        storeNumber(TpNumber::Frequency, tp.frequency);
        break;
    case 2:
        m_document.SetTpPolarization(m_slot, record.row, record.text.toStdString());
        break;
    case 3:
        storeNumber(TpNumber::SymbolRate, tp.symbolRate);
        break;
    default:
        return;
    }
    emit edited();
}

bool CTpListController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_viewport && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            const int row = m_list->indexAt(press->position().toPoint()).row();
            m_rowClicked = row >= 0;
            if (row >= 0) {
                m_listRow = row;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
