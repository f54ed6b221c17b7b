#include "editor/CSettingsCheck.h"

#include "editor/CCheckWindow.h"
#include "editor/CNavigationTree.h"
#include "editor/LockFindingText.h"

#include <QIconEngine>
#include <QPainter>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>
#include <utility>

namespace {

// The satellite image with a warning badge in its lower right corner. Painted when first
// drawn, so that marking nodes at start-up reads no image file.
class BadgedIconEngine final : public QIconEngine {
public:
    explicit BadgedIconEngine(QIcon base) : m_base(std::move(base)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        m_base.paint(painter, rect, Qt::AlignCenter, mode, state);
        const double size = rect.width() * 0.6;
        const QRectF badge(rect.right() + 1 - size, rect.bottom() + 1 - size, size, size);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(mode == QIcon::Disabled ? QColor(150, 150, 150) : QColor(214, 48, 28));
        painter->drawEllipse(badge);
        painter->setPen(QPen(Qt::white, size / 6.0, Qt::SolidLine, Qt::RoundCap));
        const double x = badge.center().x();
        painter->drawLine(QPointF(x, badge.top() + size * 0.22),
                          QPointF(x, badge.top() + size * 0.55));
        painter->drawPoint(QPointF(x, badge.top() + size * 0.76));
        painter->restore();
    }
    QIconEngine* clone() const override { return new BadgedIconEngine(m_base); }

private:
    QIcon m_base;
};

} // namespace

CSettingsCheck::CSettingsCheck(const MeterImage& image, CNavigationTree& tree, QTableWidget& tpList,
                               QWidget* window)
    : QObject(window), m_image(image), m_tree(tree), m_tpList(tpList), m_editor(window) {
    if (const QTreeWidgetItem* node = m_tree.SlotNode(0)) {
        m_plainIcon = node->icon(0);
    }
    m_markedIcon = QIcon(new BadgedIconEngine(m_plainIcon));
    Refresh(-1);
}

void CSettingsCheck::Refresh(int listSlot) {
    // Most refreshes follow a selection, which changes nothing that is checked.
    if (m_generation == 0 || !(m_checkedBlock == m_image.settingsBlock)) {
        m_findings = CheckMeter(m_image.settingsBlock);
        m_checkedBlock = m_image.settingsBlock;
        ++m_generation;
    }
    MarkTree();
    MarkTpList(listSlot);
    if (m_window != nullptr && m_window->isVisible()) {
        ShowInWindow();
    }
}

void CSettingsCheck::MarkTree() {
    std::array<bool, kMaxSatellites> marked{};
    for (const LockFinding& finding : m_findings) {
        marked[static_cast<std::size_t>(finding.slot)] = true;
    }
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        QTreeWidgetItem* node = m_tree.SlotNode(static_cast<int>(slot));
        if (node != nullptr && marked[slot] != m_marked[slot]) {
            node->setIcon(0, marked[slot] ? m_markedIcon : m_plainIcon);
            m_marked[slot] = marked[slot];
        }
    }
}

void CSettingsCheck::MarkTpList(int listSlot) {
    if (listSlot < 0 || listSlot >= static_cast<int>(kMaxSatellites)) {
        return; // the list is empty
    }
    // The sentences are made once per slot and check, however often the list is filled again.
    RowTexts& rowTexts = m_rowTexts[static_cast<std::size_t>(listSlot)];
    if (rowTexts.generation != m_generation) {
        rowTexts.generation = m_generation;
        rowTexts.texts.fill(QString());
        for (const LockFinding& finding : m_findings) {
            if (finding.slot == listSlot && finding.row >= 0) {
                QString& text = rowTexts.texts[static_cast<std::size_t>(finding.row)];
                text += (text.isEmpty() ? QString() : QStringLiteral("\n")) +
                        LockFindingText(m_image.settingsBlock, finding);
            }
        }
    }
    // A tooltip is read when it is shown and paints nothing: telling the view of each one made up
    // most of the cost of a selection change.
    const QSignalBlocker quiet(m_tpList.model());
    const int rows = std::min(m_tpList.rowCount(), static_cast<int>(kMaxTps));
    for (int row = 0; row < rows; ++row) {
        const QString& text = rowTexts.texts[static_cast<std::size_t>(row)];
        for (int column = 0; column < m_tpList.columnCount(); ++column) {
            QTableWidgetItem* cell = m_tpList.item(row, column);
            if (cell != nullptr && cell->toolTip() != text) {
                cell->setToolTip(text);
            }
        }
    }
}

void CSettingsCheck::ShowInWindow() {
    if (m_shownGeneration != m_generation) {
        m_window->ShowFindings(m_image.settingsBlock, m_findings);
        m_shownGeneration = m_generation;
    }
}

void CSettingsCheck::OpenWindow() {
    if (m_window == nullptr) {
        // Made on first use, so that the editor's start-up does not pay for it.
        m_window = new CCheckWindow(m_editor);
        connect(m_window, &CCheckWindow::findingChosen, this, &CSettingsCheck::SelectFinding);
    }
    ShowInWindow();
    m_window->Open();
}

void CSettingsCheck::SelectFinding(int slot, int row) {
    QTreeWidgetItem* node = m_tree.SlotNode(slot);
    if (node == nullptr) {
        return;
    }
    emit aboutToSelect();
    // Selecting the node shows the slot and fills the TP list, nested in this call.
    m_tree.setCurrentItem(node);
    if (row >= 0 && row < m_tpList.rowCount()) {
        m_tpList.setCurrentCell(row, 0,
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}
