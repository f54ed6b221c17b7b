#pragma once

#include "controls/CInPlaceEdit.h"

#include <QClipboard>
#include <QLineEdit>
#include <QRect>

class CellEditHost;
class UserPrompts;

// The single-line edit that CEditListCtrl places over a cell of a text column. It accepts only
// the allowed characters, typed or pasted, and reports its text when it loses the focus. One
// object serves the whole process; it is placed into a list for each edit and taken out again by
// a deferred close once the end of the edit has been reported.
class CNumEdit final : public QLineEdit, public CInPlaceEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNumEdit)

public:
    static CNumEdit* GetInstance();
    static void DeleteInstance();

    ~CNumEdit() override;

    // rect is the cell's rectangle in the list viewport's coordinates; chars applies to the
    // column when charsColumn is -1 or the column itself.
    bool BeginEdit(const QRect& rect, CellEditHost* parent, int id, int row, int column,
                   const QString& chars, const QString& text, int charsColumn);
    // Stops typing and pasting from making the text longer than chars; the text already there
    // stays whole. Negative: no limit.
    void LimitText(int chars) { m_limit = chars; }
    void SetPrompts(UserPrompts* prompts) { m_prompts = prompts; }

    QString AllowedChars() const { return m_allowedChars; }
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
    QString EditText() const override { return text(); }

    static CNumEdit* s_instance;

    QString m_allowedChars;
    int m_limit = -1;
    UserPrompts* m_prompts = nullptr;
};
