#pragma once

#include <QComboBox>

// What every combo box of the program shares. The mouse wheel turns only the combo that has
// the keyboard focus, and never gives it the focus: scrolling over a window must not change a
// setting that a later focus change would store. The dropped list is at least as wide as its
// widest entry, whatever the width of the closed box; a combo that was never shown has no list
// to fit yet, and most sit in panes that start hidden, so the list is made when first needed.
class CComboBoxBase : public QComboBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CComboBoxBase)

public:
    explicit CComboBoxBase(QWidget* parent = nullptr);
    ~CComboBoxBase() override;

    void showPopup() override;
    void hidePopup() override;

    // The width the dropped list's view asks for: the widest entry as its delegate draws it,
    // the view's frame and, when the list scrolls, its scroll bar.
    int PopupWidth() const;

signals:
    // The dropped list has closed; currentIndex() is the entry it left shown. A pick is
    // applied right after the list hides, so the report waits for it.
    void listClosed();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void PreparePopup();
    void OnRowsInserted(int first, int last);
    void MeasureEntries();
    void FitPopup();
    void FinishClose();

    bool m_closing = false;
    bool m_popupReady = false;
    int m_widestEntry = 0;
};
