#include "controls/CEditListCtrl.h"

#include "controls/CInPlaceCombo.h"
#include "controls/CNumEdit.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace {

void SetMember(std::vector<int>& columns, int column, bool on) {
    const auto found = std::find(columns.begin(), columns.end(), column);
    if (on && found == columns.end()) {
        columns.push_back(column);
    } else if (!on && found != columns.end()) {
        columns.erase(found);
    }
}

bool IsMember(const std::vector<int>& columns, int column) {
    return std::find(columns.begin(), columns.end(), column) != columns.end();
}

} // namespace

CEditListCtrl::CEditListCtrl(QWidget* parent) : QTableWidget(parent) {
    // Cells are edited only by the in-place editors, never by the view's own delegates.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(true);
    setSortingEnabled(false);
    setWordWrap(false);
    // Tab leaves the list for the next control, as in a dialog, and so ends an open edit.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(0); // a column may be set to any width
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The view must not move under a click, not even half a second later: a partly visible row
    // counts as visible. Keyboard moves still scroll, see currentChanged.
    setAutoScroll(false);
    // The application moves the focus to a clicked widget before the widget sees the press; a
    // press outside every cell must leave the focus alone, so the list takes it itself.
    setFocusPolicy(Qt::TabFocus);

    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QScrollBar::sliderPressed, this, &CEditListCtrl::TakeFocusForScroll);
        connect(bar, &QScrollBar::actionTriggered, this, &CEditListCtrl::TakeFocusForScroll);
    }
}

CEditListCtrl::~CEditListCtrl() {
    CInPlaceCombo::DeleteInstance();
    CNumEdit::DeleteInstance();
}

void CEditListCtrl::SetPrompts(UserPrompts* prompts) {
    m_prompts = prompts;
}

void CEditListCtrl::SetComboColumn(int column, bool on) {
    SetMember(m_comboColumns, column, on);
}

void CEditListCtrl::SetReadOnlyColumn(int column, bool on) {
    SetMember(m_readOnlyColumns, column, on);
}

bool CEditListCtrl::IsComboColumn(int column) const {
    return IsMember(m_comboColumns, column);
}

bool CEditListCtrl::IsReadOnlyColumn(int column) const {
    return IsMember(m_readOnlyColumns, column);
}

void CEditListCtrl::SetEditChars(const QString& chars, int column) {
    m_editChars = chars;
    m_editCharsColumn = column;
}

void CEditListCtrl::SetComboVScroll(bool on) {
    if (on) {
        m_comboStyle |= kComboVScroll;
    } else {
        m_comboStyle &= ~kComboVScroll;
    }
}

QRect CEditListCtrl::RowBounds(int row) const {
    // Across all columns; the left edge is the horizontal origin of the content.
    return QRect(-horizontalOffset(), rowViewportPosition(row), horizontalHeader()->length(),
                 rowHeight(row));
}

bool CEditListCtrl::HitTestCell(const QPoint& point, int* row, int* column) const {
    if (row == nullptr || column == nullptr) {
        return false;
    }
    *row = rowAt(point.y());
    *column = 0;
    if (*row < 0) {
        return false;
    }
    const QRect bounds = RowBounds(*row);
    if (!bounds.contains(point)) {
        return false;
    }
    int left = bounds.left();
    for (int c = 0; c < columnCount(); ++c) {
        const int width = columnWidth(c);
        if (left <= point.x() && point.x() <= left + width) {
            *column = c;
            return true;
        }
        left += width;
    }
    return false;
}

void CEditListCtrl::CellRect(int column, int row, QRect& rect) {
    rect = RowBounds(row);
    ScrollCellIntoView(column, rect);
}

void CEditListCtrl::ScrollCellIntoView(int column, QRect& rect) {
    const int clientRight = viewport()->width();
    const int width = columnWidth(column);
    int offset = 0;
    for (int c = 0; c < column; ++c) {
        offset += columnWidth(c);
    }
    const int cellLeft = rect.left() + offset;
    int dx = 0;
    if (cellLeft < 0 || cellLeft > clientRight) {
        dx = cellLeft;
    } else if (cellLeft + width > clientRight) {
        dx = cellLeft + width - clientRight;
    }
    QScrollBar* bar = horizontalScrollBar();
    const int before = bar->value();
    bar->setValue(before + dx);
    // The scroll bar stops at the ends of the content; place the cell by what really moved.
    const int moved = bar->value() - before;
    rect = QRect(cellLeft - moved, rect.top(), width, rect.height());
}

CInPlaceCombo* CEditListCtrl::OpenComboEditor(int row, int column, const QStringList& choices,
                                              const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    const int top = rowViewportPosition(row);
    if (top >= viewport()->height() || top + rowHeight(row) <= 0) {
        scrollTo(model()->index(row, column), QAbstractItemView::EnsureVisible);
    }
    if (columnWidth(column) < kMinComboWidth) {
        return nullptr;
    }
    QRect rect;
    CellRect(column, row, rect);
    const int height = rect.height();
    const int rows = static_cast<int>(std::min<qsizetype>(choices.size(), kMaxComboRows)) + 1;
    rect.setBottom(rect.bottom() + height * rows);
    CInPlaceCombo* combo = CInPlaceCombo::GetInstance();
    if (!combo->BeginEdit(m_comboStyle, rect, this, 0, row, column, choices, text)) {
        return nullptr;
    }
    return combo;
}

CNumEdit* CEditListCtrl::OpenNumericEditor(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    CNumEdit* edit = CNumEdit::GetInstance();
    QRect rect;
    CellRect(column, row, rect);
    edit->SetPrompts(m_prompts);
    if (!edit->BeginEdit(rect, this, 0, row, column, m_editChars, text, m_editCharsColumn)) {
        return nullptr;
    }
    // Set after the start text is in place: a longer start text is shown whole.
    edit->LimitText(kEditTextLimit);
    return edit;
}

void CEditListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        QTableWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    int row = -1;
    int column = -1;
    if (!HitTestCell(point, &row, &column)) {
        // Outside every cell: no selection, no focus, no click, no editor.
        m_pressDropped = true;
        event->accept();
        return;
    }
    m_pressDropped = false;
    // An open editor loses the focus here and reports its cell before anything below.
    setFocus(Qt::MouseFocusReason);
    m_inPress = true;
    QTableWidget::mousePressEvent(event);
    m_inPress = false;

    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
        return;
    }
    if (row >= rowCount() || column >= columnCount() || currentRow() != row) {
        return;
    }
    EditCell(row, column);
}

void CEditListCtrl::EditCell(int row, int column) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return;
    }
    const QTableWidgetItem* cell = item(row, column);
    const QString text = cell != nullptr ? cell->text() : QString();

    if (IsComboColumn(column)) {
        QStringList choices;
        emit getCellChoices(column, &choices);
        CInPlaceCombo* combo = OpenComboEditor(row, column, choices, text);
        if (combo == nullptr) {
            return;
        }
        int match = -1;
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
                match = i;
                break;
            }
        }
        combo->setCurrentIndex(match);
    } else if (!IsReadOnlyColumn(column)) {
        OpenNumericEditor(row, column, text);
    }
}

void CEditListCtrl::keyPressEvent(QKeyEvent* event) {
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (event->key() == Qt::Key_Menu || shiftF10) {
        // The context menu of the current row, where a right click on it would open it.
        const QRect row = visualRect(currentIndex());
        const QPoint at = row.isValid() ? row.center() : QPoint(0, 0);
        emit customContextMenuRequested(at);
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter)) {
        EditCell(currentRow(), currentColumn());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void CEditListCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressDropped && (event->buttons() & Qt::LeftButton)) {
        event->accept();
        return;
    }
    QTableWidget::mouseMoveEvent(event);
}

void CEditListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressDropped && event->button() == Qt::LeftButton) {
        m_pressDropped = false;
        event->accept();
        return;
    }
    QTableWidget::mouseReleaseEvent(event);
}

void CEditListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click follows the rule of the first.
    int row = -1;
    int column = -1;
    if (event->button() == Qt::LeftButton &&
        !HitTestCell(event->position().toPoint(), &row, &column)) {
        m_pressDropped = true;
        event->accept();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    QTableWidget::mouseDoubleClickEvent(event);
}

void CEditListCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (!m_inPress && current.isValid()) {
        scrollTo(current);
    }
}

void CEditListCtrl::TakeFocusForScroll() {
    // Scrolling would carry an open editor away from its cell: end the edit first.
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
}

void CEditListCtrl::OnEndLabelEdit(const CellEditRecord& record) {
    // The rows may have gone while the editor was open; a report for a cell that no longer
    // exists would be stored into the wrong place.
    if (record.row < 0 || record.row >= rowCount() || record.column < 0 ||
        record.column >= columnCount()) {
        return;
    }
    QTableWidgetItem* cell = item(record.row, record.column);
    if (cell == nullptr) {
        setItem(record.row, record.column, new QTableWidgetItem(record.text));
    } else {
        cell->setText(record.text);
    }
    emit cellEdited(property("controlId").toInt(), record);
}
