#pragma once

#include "controls/ControlIds.h"
#include "controls/DialogUnits.h"

#include <QString>
#include <QWidget>

#include <span>

// No layout id: the control is never looked up.
inline constexpr int kStaticControl = -1;

// One control of a dialog's layout: its kind, layout id, text and place in dialog units.
template <typename Kind> struct DialogItem {
    Kind kind;
    int id;
    const char* text;
    int x, y, width, height;
};

// Creates each item through `make`, places it, tags it with its id and names it by the label
// that stands just before it, then fixes the dialog's size.
template <typename Kind, typename Make>
void BuildDialog(QWidget* dialog, std::span<const DialogItem<Kind>> items, Kind labelKind,
                 int width, int height, Make make) {
    const DialogUnits units(dialog->font());
    QString label;
    for (const DialogItem<Kind>& item : items) {
        QWidget* control = make(item);
        if (item.kind == labelKind) {
            label = QString::fromLatin1(item.text);
        }
        control->setGeometry(units.Rect(item.x, item.y, item.width, item.height));
        if (item.id != kStaticControl) {
            SetControlId(control, item.id, label);
        }
        if (item.kind != labelKind) {
            label.clear();
        }
    }
    dialog->setFixedSize(units.X(width), units.Y(height));
}
