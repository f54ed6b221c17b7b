#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QRect>

class CEditListCtrl;
class UserPrompts;

// The single-line edit that CEditListCtrl places over a cell of a text column. It accepts only
// the allowed characters, typed or pasted, and reports its text when it loses the focus. One
// object serves the whole process; it is placed into a list for each edit and taken out again by
// a deferred close once the end of the edit has been reported.
class CNumEdit final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNumEdit)

public:
    static CNumEdit* GetInstance();
    static void DeleteInstance();

    ~CNumEdit() override;

    // rect is the cell's rectangle in the list viewport's coordinates; chars applies to the
    // column when charsColumn is -1 or the column itself.
    bool BeginEdit(const QRect& rect, CEditListCtrl* parent, int id, int row, int column,
                   const QString& chars, const QString& text, int charsColumn);
    // Stops typing and pasting from making the text longer than chars; the text already there
    // stays whole. Negative: no limit.
    void LimitText(int chars) { m_limit = chars; }
    void SetPrompts(UserPrompts* prompts) { m_prompts = prompts; }

    bool HasWindow() const { return m_list != nullptr; } // placed for an edit, not closed yet
    bool IsEditing() const { return m_editing; }         // the end has not been reported yet
    int Row() const { return m_row; }
    int Column() const { return m_column; }
    bool IsCancelled() const { return m_cancelled; }
    QString AllowedChars() const { return m_allowedChars; }
    QString StartText() const { return m_startText; }
    int TextLimit() const { return m_limit; }

    // The filtered paste behind Ctrl+V, Shift+Insert and the context menu's "Paste".
    void Paste(QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CNumEdit();
    bool Accepts(QChar c) const;
    bool AcceptsAll(const QString& text) const;
    int Room() const;
    void Beep();
    void EndEdit();
    void FocusToParent();
    void Close(quint64 edit);

    static CNumEdit* s_instance;

    int m_row = -1;
    int m_column = -1;
    bool m_cancelled = false;
    QString m_allowedChars;
    QString m_startText;
    int m_limit = -1;
    UserPrompts* m_prompts = nullptr;
    QPointer<CEditListCtrl> m_list;
    bool m_editing = false;
    quint64 m_edit = 0; // counts edits, so a late close cannot touch a newer edit
};
