#pragma once

#include <QString>
#include <QWidget>

// Every control of a window's layout carries its layout id as the property "controlId", so
// that handlers and tests find it by the id the layout gives it. A control with a label is
// also named by that label for assistive technology.
void SetControlId(QWidget* control, int id, const QString& label = QString());

// The child of `window` with the given layout id, nullptr for none.
QWidget* FindControl(const QWidget* window, int id);

template <typename T> T* FindControl(const QWidget* window, int id) {
    return qobject_cast<T*>(FindControl(window, id));
}
