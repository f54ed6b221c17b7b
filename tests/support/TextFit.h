#pragma once

// Finds the fixed texts of a window that their controls cut off. Each text is measured with the
// font metrics of its own control against the room the style gives it: labels and buttons their
// text, a combo box its longest entry, both in the closed box (any entry can be the one shown)
// and in the dropped list. Hidden controls count too, a pane that is not shown yet is laid out
// all the same; only a combo's list waits until the combo is shown, as it cannot drop before.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOption>
#include <algorithm>

namespace textfit {

struct Misfit {
    int controlId; // the layout id, -1 for a control without one
    QString where; // "label", "button", "box" (closed combo) or "list" (its drop-down)
    QString text;
    int needed; // pixels
    int room;   // pixels
};

inline void Add(QList<Misfit>& misfits, const QWidget* control, const char* where,
                const QString& text, int needed, int room) {
    if (needed > room) {
        const QVariant id = control->property("controlId");
        misfits.push_back({id.isValid() ? id.toInt() : -1, where, text, needed, room});
    }
}

inline int ButtonRoom(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton*>(button) != nullptr) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (qobject_cast<const QCheckBox*>(button) != nullptr) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (const auto* push = qobject_cast<const QPushButton*>(button);
               push->autoDefault() || push->isDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    return button->style()->subElementRect(contents, &option, button).width();
}

inline void CheckCombo(const QComboBox* combo, QList<Misfit>& misfits) {
    const QFontMetrics metrics(combo->font());
    int longest = -1, widest = 0, listNeeded = 0;
    for (int i = 0; i < combo->count(); ++i) {
        const int width = metrics.horizontalAdvance(combo->itemText(i));
        if (longest < 0 || width > widest) {
            widest = width, longest = i;
        }
        // What the list's delegate asks for an entry, margins included; never less than its text.
        const QModelIndex index = combo->model()->index(i, combo->modelColumn());
        listNeeded = std::max({listNeeded, combo->view()->sizeHintForIndex(index).width(), width});
    }
    if (longest < 0) {
        return;
    }
    // The closed box: an editable combo's edit field keeps a margin of two pixels on each side
    // and one for the caret; a drop-down list draws its text one pixel in from each side.
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const int field =
        combo->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
            .width();
    const QString text = combo->itemText(longest);
    Add(misfits, combo, "box", text, widest, field - (combo->isEditable() ? 5 : 2));
    // The dropped list is as wide as the box or as the view's minimum width, whichever is more,
    // inside the frames of its container and of the view, less a scroll bar when one shows.
    const QAbstractItemView* view = combo->view();
    const auto* container = qobject_cast<const QFrame*>(view->parentWidget());
    const int frame = container != nullptr ? container->frameWidth() : 0;
    int room = std::max(combo->width() - 2 * frame, view->minimumWidth()) - 2 * view->frameWidth();
    const Qt::ScrollBarPolicy policy = view->verticalScrollBarPolicy();
    if (policy == Qt::ScrollBarAlwaysOn ||
        (policy == Qt::ScrollBarAsNeeded && combo->count() > combo->maxVisibleItems())) {
        room -= view->verticalScrollBar()->sizeHint().width();
    }
    if (combo->isVisible()) {
        Add(misfits, combo, "list", text, listNeeded, room);
    }
}

// Every label, button and combo box under root whose text does not fit, in creation order.
inline QList<Misfit> FindCutOffTexts(const QWidget* root) {
    QList<Misfit> misfits;
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (!label->wordWrap() && !label->text().isEmpty()) {
                Add(misfits, label, "label", label->text(),
                    label->fontMetrics().horizontalAdvance(label->text()),
                    label->contentsRect().width() - 2 * label->margin() -
                        std::max(0, label->indent()));
            }
        } else if (qobject_cast<const QPushButton*>(widget) != nullptr ||
                   qobject_cast<const QRadioButton*>(widget) != nullptr ||
                   qobject_cast<const QCheckBox*>(widget) != nullptr) {
            const auto* button = static_cast<const QAbstractButton*>(widget);
            // As drawn: "&&" shows one ampersand, a single one marks the mnemonic.
            const QString text = QString(button->text()).replace(QRegularExpression("&(.)"), "\\1");
            if (!text.isEmpty()) {
                Add(misfits, button, "button", text, button->fontMetrics().horizontalAdvance(text),
                    ButtonRoom(button));
            }
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            CheckCombo(combo, misfits);
        }
    }
    return misfits;
}

// One line per misfit, for a test's failure message.
inline QString Describe(const QList<Misfit>& misfits) {
    QStringList lines;
    for (const Misfit& misfit : misfits) {
        lines << QStringLiteral("%1 %2 \"%3\": needs %4 px, has %5")
                     .arg(misfit.controlId)
                     .arg(misfit.where, misfit.text)
                     .arg(misfit.needed)
                     .arg(misfit.room);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace textfit
