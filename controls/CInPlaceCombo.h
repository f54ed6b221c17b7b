#pragma once

#include <QComboBox>
#include <QPointer>
#include <QRect>
#include <QStringList>

class CEditListCtrl;

// The drop-down list that CEditListCtrl places over a cell of a combo column. One object serves
// the whole process; it is placed into a list for each edit and taken out again by a deferred
// close once the end of the edit has been reported.
class CInPlaceCombo final : public QComboBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CInPlaceCombo)

public:
    static constexpr quint32 kVScroll = 0x00200000;
    static constexpr quint32 kDisableNoScroll = 0x0800;

    static CInPlaceCombo* GetInstance();
    static void DeleteInstance();

    ~CInPlaceCombo() override;

    // rect is in the list viewport's coordinates and includes the room for the dropped list.
    bool BeginEdit(quint32 style, const QRect& rect, CEditListCtrl* parent, int id, int row,
                   int column, const QStringList& choices, const QString& text);

    bool HasWindow() const { return m_list != nullptr; } // placed for an edit, not closed yet
    bool IsEditing() const { return m_editing; }         // the end has not been reported yet
    int Row() const { return m_row; }
    int Column() const { return m_column; }
    bool IsCancelled() const { return m_cancelled; }
    QString StartText() const { return m_startText; }
    QStringList Choices() const { return m_choices; }
    QRect WindowRect() const { return m_windowRect; } // the cell plus the room for the list

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CInPlaceCombo();
    void EndEdit();
    void FocusToParent();
    void OnDropDownClosed(quint64 edit);
    void Close(quint64 edit);

    static CInPlaceCombo* s_instance;

    int m_row = -1;
    int m_column = -1;
    bool m_cancelled = false;
    QString m_startText;
    QStringList m_choices;
    QRect m_windowRect;
    QPointer<CEditListCtrl> m_list;
    bool m_editing = false;
    quint64 m_edit = 0; // counts edits, so a late close or close-up cannot touch a newer edit
};
