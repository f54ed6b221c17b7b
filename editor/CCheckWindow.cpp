#include "editor/CCheckWindow.h"

#include "editor/LockFindingText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { SatelliteColumn, TpColumn, TextColumn, ColumnCount };

} // namespace

CCheckWindow::CCheckWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Check Settings"));
    m_lines = new QTreeWidget(this);
    m_lines->setColumnCount(ColumnCount);
    m_lines->setHeaderLabels(
        {QStringLiteral("Satellite"), QStringLiteral("TP"), QStringLiteral("What to change")});
    m_lines->setRootIsDecorated(false);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->header()->setStretchLastSection(true);
    m_lines->installEventFilter(this);
    connect(m_lines, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Choose(m_lines->indexOfTopLevelItem(item)); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lines);
}

QSize CCheckWindow::sizeHint() const {
    return {760, 320};
}

void CCheckWindow::ShowFindings(const SettingsBlock& block,
                                const std::vector<LockFinding>& findings) {
    m_findings = findings;
    const int lines = findings.empty() ? 1 : static_cast<int>(findings.size());
    while (m_lines->topLevelItemCount() > lines) {
        delete m_lines->takeTopLevelItem(m_lines->topLevelItemCount() - 1);
    }
    while (m_lines->topLevelItemCount() < lines) {
        m_lines->addTopLevelItem(new QTreeWidgetItem());
    }
    QTreeWidgetItem* first = m_lines->topLevelItem(0);
    first->setFirstColumnSpanned(findings.empty());
    if (findings.empty()) {
        first->setText(SatelliteColumn, QStringLiteral("No problems found."));
        first->setText(TpColumn, QString());
        first->setText(TextColumn, QString());
        first->setToolTip(TextColumn, QString());
    }
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const LockFinding& finding = findings[i];
        QTreeWidgetItem* line = m_lines->topLevelItem(static_cast<int>(i));
        const QString text = LockFindingText(block, finding);
        line->setText(SatelliteColumn, LockFindingSatellite(block, finding.slot));
        line->setText(TpColumn, finding.row < 0 ? QString() : QString::number(finding.row + 1));
        line->setText(TextColumn, text);
        // The sentence may be wider than the column.
        line->setToolTip(TextColumn, text);
    }
    m_lines->resizeColumnToContents(SatelliteColumn);
    m_lines->resizeColumnToContents(TpColumn);
}

void CCheckWindow::Open() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CCheckWindow::Choose(int line) {
    if (line >= 0 && line < static_cast<int>(m_findings.size())) {
        const LockFinding finding = m_findings[static_cast<std::size_t>(line)];
        emit findingChosen(finding.slot, finding.row);
    }
}

bool CCheckWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lines && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Choose(m_lines->indexOfTopLevelItem(m_lines->currentItem()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
