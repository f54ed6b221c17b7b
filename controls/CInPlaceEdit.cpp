#include "controls/CInPlaceEdit.h"

#include "controls/CEditListCtrl.h"
#include "controls/ControlIds.h"

CInPlaceEdit::~CInPlaceEdit() = default;

void CInPlaceEdit::BeginCell(CEditListCtrl* list, int id, int row, int column,
                             const QString& text) {
    if (m_editing) {
        EndEdit();
    }
    ++m_edit; // a close still pending belongs to the previous edit
    m_row = row;
    m_column = column;
    m_cancelled = false;
    m_startText = text;
    m_list = list;
    m_editing = true;
    SetControlId(m_window, id);
    if (m_window->parentWidget() != list->viewport()) {
        m_window->setParent(list->viewport());
    }
}

void CInPlaceEdit::EndEdit() {
    if (!m_editing) {
        return;
    }
    m_editing = false;
    const quint64 edit = m_edit;
    const CellEditRecord record{m_row, m_column, m_cancelled ? m_startText : EditText()};
    if (CEditListCtrl* list = m_list.data()) {
        list->OnEndLabelEdit(record);
    }
    // The window goes only after the report has been handled.
    QMetaObject::invokeMethod(
        m_window, [this, edit] { Close(edit); }, Qt::QueuedConnection);
}

void CInPlaceEdit::FocusToParent() {
    if (CEditListCtrl* list = m_list.data()) {
        list->setFocus(Qt::OtherFocusReason);
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
    m_list = nullptr;
}
