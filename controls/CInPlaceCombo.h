#pragma once

#include "controls/CComboBoxBase.h"
#include "controls/CInPlaceEdit.h"

#include <QRect>
#include <QStringList>

class CellEditHost;

// The drop-down list that CEditListCtrl places over a cell of a combo column. One object serves
// the whole process; it is placed into a list for each edit and taken out again by a deferred
// close once the end of the edit has been reported.
class CInPlaceCombo final : public CComboBoxBase, public CInPlaceEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CInPlaceCombo)

public:
    static constexpr quint32 kVScroll = 0x00200000;
    static constexpr quint32 kDisableNoScroll = 0x0800;

    static CInPlaceCombo* GetInstance();
    static void DeleteInstance();

    ~CInPlaceCombo() override;

    // rect is in the list viewport's coordinates and includes the room for the dropped list.
    bool BeginEdit(quint32 style, const QRect& rect, CellEditHost* parent, int id, int row,
                   int column, const QStringList& choices, const QString& text);

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
    QString EditText() const override { return currentText(); }
    void BeforeClose() override { hidePopup(); }
    void OnDropDownClosed(quint64 edit);

    static CInPlaceCombo* s_instance;

    QStringList m_choices;
    QRect m_windowRect;
};
