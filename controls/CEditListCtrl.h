#pragma once

#include "controls/CellEditHost.h"

#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QtGlobal>
#include <vector>

class CInPlaceCombo;
class CNumEdit;
class UserPrompts;

// A report-view list whose cells are edited in place: combo columns get CInPlaceCombo, read-only
// columns only select their row, every other column gets CNumEdit. A plain click into the focused
// row opens the column's editor; when the editor ends, the list writes its text into the cell and
// then emits cellEdited.
class CEditListCtrl : public QTableWidget, private CellEditHost {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditListCtrl)

public:
    // The combo's style word; WS_VSCROLL is switched by SetComboVScroll.
    static constexpr quint32 kComboStyle = 0x508008C3;
    static constexpr quint32 kComboVScroll = 0x00200000;
    static constexpr int kEditTextLimit = 5;
    static constexpr int kMinComboWidth = 10;
    static constexpr int kMaxComboRows = 10;

    explicit CEditListCtrl(QWidget* parent = nullptr);
    ~CEditListCtrl() override; // deletes both editor instances

    void SetPrompts(UserPrompts* prompts); // the refused-key beep goes to prompts->Beep()

    void SetComboColumn(int column, bool on);
    void SetReadOnlyColumn(int column, bool on);
    void SetEditChars(const QString& chars, int column); // column -1: every column
    void SetComboVScroll(bool on);

    // The cell under a point in viewport coordinates; both ends of a column's range belong to it.
    bool HitTestCell(const QPoint& point, int* row, int* column) const;
    // The cell's rectangle in viewport coordinates, after scrolling it into view horizontally.
    void CellRect(int column, int row, QRect& rect);
    void ScrollCellIntoView(int column, QRect& rect);
    CInPlaceCombo* OpenComboEditor(int row, int column, const QStringList& choices,
                                   const QString& text);
    CNumEdit* OpenNumericEditor(int row, int column, const QString& text);
    // Opens the column's editor on the cell, as a click into the focused row does.
    void EditCell(int row, int column);

signals:
    // Before a combo cell is edited: column of the cell about to be edited, an empty list the
    // receiver fills
    void getCellChoices(int column, QStringList* choices);
    // After an edit ended: the list's control id (its dynamic property "controlId", an int) and the
    // record, emitted after the text has been written into the cell
    void cellEdited(int listId, const CellEditRecord& record);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // F2 and Enter edit the current cell; the Menu key and Shift+F10 ask for the context menu.
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    QTableView* EditView() override { return this; }
    // The editors' end-of-edit report: write the cell, then tell the parent.
    void OnEndLabelEdit(const CellEditRecord& record) override;
    bool IsComboColumn(int column) const;
    bool IsReadOnlyColumn(int column) const;
    void TakeFocusForScroll();
    QRect RowBounds(int row) const;

    int m_editCharsColumn = -1;
    std::vector<int> m_comboColumns;
    std::vector<int> m_readOnlyColumns;
    QString m_editChars;
    quint32 m_comboStyle = kComboStyle;
    UserPrompts* m_prompts = nullptr;
    bool m_pressDropped = false; // the button went down outside every cell; drop it until release
    bool m_inPress = false;      // the press's own processing is moving the current cell
};
