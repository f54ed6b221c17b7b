#pragma once

#include <QLineEdit>

// An edit box of a property pane that tells its window when the user leaves it, after the box
// has finished its own focus-out handling.
class CFieldEdit final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFieldEdit)

public:
    explicit CFieldEdit(QWidget* parent = nullptr);

signals:
    void focusLeft();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
