#include "controls/CInPlaceEdit.h"

#include "controls/ControlIds.h"

CInPlaceEdit::~CInPlaceEdit() = default;

void CInPlaceEdit::BeginCell(CellEditHost* host, int id, int row, int column, const QString& text) {
    if (m_editing) {
        EndEdit();
    }
    ++m_edit; // a close still pending belongs to the previous edit
    m_row = row;
    m_column = column;
    m_cancelled = false;
    m_startText = text;
    m_host = host;
    m_view = host->EditView();
    m_editing = true;
    SetControlId(m_window, id);
    if (m_window->parentWidget() != m_view->viewport()) {
        m_window->setParent(m_view->viewport());
    }
}

void CInPlaceEdit::EndEdit() {
    if (!m_editing) {
        return;
    }
    m_editing = false;
    const quint64 edit = m_edit;
    const CellEditRecord record{m_row, m_column, m_cancelled ? m_startText : EditText()};
    if (m_view != nullptr) {
        m_host->OnEndLabelEdit(record);
    }
    // The window goes only after the report has been handled.
    QMetaObject::invokeMethod(
        m_window, [this, edit] { Close(edit); }, Qt::QueuedConnection);
}

void CInPlaceEdit::FocusToParent() {
    if (QTableView* view = m_view.data()) {
        view->setFocus(Qt::OtherFocusReason);
    } else {
        EndEdit();
    }
}

void CInPlaceEdit::Close(quint64 edit) {
    if (edit != m_edit || m_editing) {
        return; // a newer edit owns the window now
    }
    BeforeClose();
    m_window->setParent(nullptr);
    m_view = nullptr;
    m_host = nullptr;
}
