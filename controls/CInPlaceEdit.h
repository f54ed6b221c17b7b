#pragma once

#include "controls/CellEditHost.h"

#include <QPointer>
#include <QString>
#include <QTableView>

class QWidget;

// What the two in-place editors share: the cell being edited, and the end of an edit, which
// writes the text back through the list and closes the window only after the report has been
// handled. One window serves every edit, so a counter keeps a late close from touching a newer
// edit.
class CInPlaceEdit {
public:
    bool HasWindow() const { return m_view != nullptr; } // placed for an edit, not closed yet
    bool IsEditing() const { return m_editing; }         // the end has not been reported yet
    int Row() const { return m_row; }
    int Column() const { return m_column; }
    bool IsCancelled() const { return m_cancelled; }
    QString StartText() const { return m_startText; }

protected:
    explicit CInPlaceEdit(QWidget* window) : m_window(window) {}
    virtual ~CInPlaceEdit();
    CInPlaceEdit(const CInPlaceEdit&) = delete;
    CInPlaceEdit& operator=(const CInPlaceEdit&) = delete;

    // Takes the cell and places the window into the list's viewport. An edit still open (started
    // again without losing the focus) gets its report first.
    void BeginCell(CellEditHost* host, int id, int row, int column, const QString& text);
    // Reports the end once: the start text when cancelled, the editor's text otherwise.
    void EndEdit();
    // Enter and Escape hand the focus back to the list, which ends the edit.
    void FocusToParent();
    void Cancel() { m_cancelled = true; }
    QTableView* List() const { return m_view.data(); }
    quint64 EditNumber() const { return m_edit; }

    virtual QString EditText() const = 0;
    virtual void BeforeClose() {}

private:
    void Close(quint64 edit);

    QWidget* const m_window;
    CellEditHost* m_host = nullptr;
    // Watches the host's view: a list deleted during an edit gets no report.
    QPointer<QTableView> m_view;
    int m_row = -1;
    int m_column = -1;
    bool m_cancelled = false;
    QString m_startText;
    bool m_editing = false;
    quint64 m_edit = 0;
};
