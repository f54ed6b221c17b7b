#include "editor/CRefreshPreviewDlg.h"

#include "editor/CNavigationTree.h"
#include "model/LookAngles.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { kSatellite, kPosition, kTableSatellite, kOld, kNew, kColumns };

// As the TP list shows a row: MHz, polarization, kS/s.
QString RowText(const TpEntry& tp) {
    const QChar letter = QChar::fromLatin1(static_cast<char>(tp.polarization));
    return QStringLiteral("%1 %2 %3")
        .arg(tp.frequency)
        .arg(letter.isPrint() ? QString(letter) : QString::number(tp.polarization))
        .arg(tp.symbolRate);
}

QString CountText(std::size_t count) {
    return count == 1 ? QStringLiteral("1 transponder")
                      : QStringLiteral("%1 transponders").arg(count);
}

} // namespace

CRefreshPreviewDlg::CRefreshPreviewDlg(const SettingsBlock& meter,
                                       const std::vector<RefreshMatch>& matches, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Update Transponders"));
    m_lines = new QTreeWidget(this);
    m_lines->setColumnCount(kColumns);
    m_lines->setHeaderLabels({QStringLiteral("Satellite"), QStringLiteral("Position"),
                              QStringLiteral("Table Satellite"), QStringLiteral("Old Transponders"),
                              QStringLiteral("New Transponders")});
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const RefreshMatch& match : matches) {
        const SatelliteRecord& record = meter.satellites[static_cast<std::size_t>(match.slot)];
        auto* line = new QTreeWidgetItem(m_lines);
        line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        line->setCheckState(kSatellite, match.changes ? Qt::Checked : Qt::Unchecked);
        line->setText(kSatellite, CNavigationTree::NameLabel(record));
        line->setText(kPosition, QString::fromStdString(OrbitalPositionText(record)));
        line->setText(kTableSatellite, match.tableName);
        const auto oldCount = static_cast<std::size_t>(UsedTps(record));
        line->setText(kOld, CountText(oldCount));
        line->setText(kNew, CountText(match.transponders.size()));
        for (std::size_t row = 0; row < std::max(oldCount, match.transponders.size()); ++row) {
            auto* rows = new QTreeWidgetItem(line);
            rows->setFlags(Qt::ItemIsEnabled);
            if (row < oldCount) {
                rows->setText(kOld, RowText(record.tps[row]));
            }
            if (row < match.transponders.size()) {
                rows->setText(kNew, RowText(match.transponders[row]));
            }
        }
    }
    m_lines->expandAll();
    for (int column = 0; column < kColumns; ++column) {
        m_lines->resizeColumnToContents(column);
    }
    if (m_lines->topLevelItemCount() > 0) {
        m_lines->setCurrentItem(m_lines->topLevelItem(0));
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lines);
    layout->addLayout(buttons);
    resize(std::min(m_lines->header()->length() + 60, 900), 420);
}

std::vector<std::size_t> CRefreshPreviewDlg::CheckedLines() const {
    std::vector<std::size_t> checked;
    for (int i = 0; i < m_lines->topLevelItemCount(); ++i) {
        if (m_lines->topLevelItem(i)->checkState(kSatellite) == Qt::Checked) {
            checked.push_back(static_cast<std::size_t>(i));
        }
    }
    return checked;
}
