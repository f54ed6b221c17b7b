#pragma once

#include "model/MeterData.h"

#include <QObject>
#include <QStringList>

class CEditListCtrl;
class MeterDocument;
class QAction;
class QMenu;
class UserPrompts;
struct CellEditRecord;

// The TP list of the editor window: its columns, the rows of the slot on screen, the context
// menu with "&Insert" and "&Delete", and the storing of edited cells. Every stored change goes
// through the document and is reported by `edited`.
class CTpListController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTpListController)

public:
    CTpListController(CEditListCtrl* list, MeterDocument& document, UserPrompts& prompts,
                      QWidget* window);

    // The window's current slot, which the commands change; -1 for none. The rows change only
    // through Fill and Clear.
    void SetSlot(int slot) { m_slot = slot; }

    void Clear();
    // The rows of the slot's transponders; the first row becomes current.
    void Fill(int slot);
    QMenu* Menu() const { return m_menu; }

    // A TP row was clicked since the list was last filled.
    bool RowClicked() const { return m_rowClicked; }
    void ForgetRowClick() { m_rowClicked = false; }

    void OnTpInsert();
    void OnTpDelete();

signals:
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnContextMenu(const QPoint& position);
    bool InsertOffered() const;
    void RenumberRows(int from);
    void SelectRow(int row);
    void SetRow(int row, const TpEntry& tp);
    void OnGetCellChoices(int column, QStringList* choices);
    void OnCellEdited(int listId, const CellEditRecord& record);

    CEditListCtrl* m_list;
    MeterDocument& m_document;
    UserPrompts& m_prompts;
    int m_slot = -1;
    QWidget* m_window;
    QWidget* m_viewport = nullptr;
    // The slot whose transponders the list shows, -1 while it is empty.
    int m_listSlot = -1;
    // The TP row last clicked or right-clicked, -1 for none.
    int m_listRow = -1;
    bool m_rowClicked = false;
    QMenu* m_menu = nullptr;
    QAction* m_insertAction = nullptr;
    QAction* m_deleteAction = nullptr;
};
