#include "controls/ControlIds.h"

#include <QVariant>

namespace {

const char* const kControlId = "controlId";

} // namespace

void SetControlId(QWidget* control, int id, const QString& label) {
    control->setProperty(kControlId, id);
    if (!label.isEmpty()) {
        control->setAccessibleName(label);
    }
}

QWidget* FindControl(const QWidget* window, int id) {
    for (QWidget* child : window->findChildren<QWidget*>()) {
        const QVariant value = child->property(kControlId);
        if (value.isValid() && value.toInt() == id) {
            return child;
        }
    }
    return nullptr;
}
