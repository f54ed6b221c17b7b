#pragma once

#include <QLineEdit>

#include <functional>

// An edit box of a property pane that tells its window when the user leaves it, after the box
// has finished its own focus-out handling.
class CFieldEdit final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFieldEdit)

public:
    explicit CFieldEdit(QWidget* parent = nullptr);

    // The box's tooltip, worked out each time it is asked for so that it follows every change
    // it depends on; an empty text shows none.
    void SetHintSource(std::function<QString()> source) { m_hintSource = std::move(source); }

signals:
    void focusLeft();

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::function<QString()> m_hintSource;
};
