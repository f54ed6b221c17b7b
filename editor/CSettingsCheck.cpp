#include "editor/CSettingsCheck.h"

#include "editor/CCheckWindow.h"
#include "editor/CNavigationTree.h"
#include "editor/CSatelliteNode.h"
#include "editor/LockFindingText.h"

#include <QIconEngine>
#include <QPainter>
#include <QTableWidget>

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
    m_findings = CheckMeter(m_image.settingsBlock);
    MarkTree();
    MarkTpList(listSlot);
    if (m_window != nullptr && m_window->isVisible()) {
        m_window->ShowFindings(m_image.settingsBlock, m_findings);
    }
}

void CSettingsCheck::MarkTree() {
    std::array<QString, kMaxSatellites> texts;
    for (const LockFinding& finding : m_findings) {
        QString& text = texts[static_cast<std::size_t>(finding.slot)];
        if (text.isEmpty()) {
            const QString sentence = LockFindingText(m_image.settingsBlock, finding);
            // In the tree the row is not on screen: the tooltip names it.
            text =
                finding.row < 0
                    ? sentence
                    : QStringLiteral("TP %1: %2").arg(QString::number(finding.row + 1), sentence);
        }
    }
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        QTreeWidgetItem* node = m_tree.SlotNode(static_cast<int>(slot));
        if (node == nullptr || texts[slot] == m_nodeTexts[slot]) {
            continue;
        }
        if (texts[slot].isEmpty() != m_nodeTexts[slot].isEmpty()) {
            node->setIcon(0, texts[slot].isEmpty() ? m_plainIcon : m_markedIcon);
        }
        node->setData(0, CSatelliteNode::kFindingRole, texts[slot]);
        m_nodeTexts[slot] = texts[slot];
    }
}

void CSettingsCheck::MarkTpList(int listSlot) {
    for (int row = 0; row < m_tpList.rowCount(); ++row) {
        QStringList sentences;
        for (const LockFinding& finding : m_findings) {
            if (finding.slot == listSlot && finding.row == row) {
                sentences << LockFindingText(m_image.settingsBlock, finding);
            }
        }
        const QString text = sentences.join(QLatin1Char('\n'));
        for (int column = 0; column < m_tpList.columnCount(); ++column) {
            QTableWidgetItem* cell = m_tpList.item(row, column);
            if (cell != nullptr && cell->toolTip() != text) {
                cell->setToolTip(text);
            }
        }
    }
}

void CSettingsCheck::OpenWindow() {
    if (m_window == nullptr) {
        // Made on first use, so that the editor's start-up does not pay for it.
        m_window = new CCheckWindow(m_editor);
        connect(m_window, &CCheckWindow::findingChosen, this, &CSettingsCheck::SelectFinding);
    }
    m_window->ShowFindings(m_image.settingsBlock, m_findings);
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
