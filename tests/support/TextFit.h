#pragma once

// Finds the fixed texts of a window that their controls cut off. Each text is measured with the
// font metrics of its own control against the room the style gives it: labels and buttons their
// text, a combo box its longest entry, both in the closed box (any entry can be the one shown)
// and in the dropped list. Hidden controls count too, a pane that is not shown yet is laid out
// all the same; only a combo's list waits until the combo is shown, as it cannot drop before.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace textfit {

struct Misfit {
    int controlId; // the layout id, -1 for a control without one
    QString where; // "label", "button", "box" (closed combo) or "list" (its drop-down)
    QString text;
    int needed; // pixels
    int room;   // pixels
};

inline int ControlIdOf(const QWidget* control) {
    const QVariant id = control->property("controlId");
    return id.isValid() ? id.toInt() : -1;
}

// A button's text as drawn: "&&" shows one ampersand, a single one marks the mnemonic.
inline QString ShownText(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

inline int LabelRoom(const QLabel* label) {
    return label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent());
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
    } else if (const auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->autoDefault() || push->isDefault()) {
            option.features |= QStyleOptionButton::AutoDefaultButton;
        }
    }
    return button->style()->subElementRect(contents, &option, button).width();
}

// The closed box: an editable combo's edit field keeps a margin of two pixels on each side
// and one for the caret; a drop-down list draws its text one pixel in from each side.
inline int ClosedBoxRoom(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    return field.width() - (combo->isEditable() ? 5 : 2);
}

// The dropped list is as wide as the box or as the view's minimum width, whichever is more,
// inside the frames of its container and of the view, less a scroll bar when one shows.
inline int ListRoom(const QComboBox* combo) {
    const QAbstractItemView* view = combo->view();
    int frame = 0;
    if (const auto* container = qobject_cast<const QFrame*>(view->parentWidget())) {
        frame = container->frameWidth();
    }
    int room = std::max(combo->width() - 2 * frame, view->minimumWidth()) - 2 * view->frameWidth();
    const Qt::ScrollBarPolicy policy = view->verticalScrollBarPolicy();
    if (policy == Qt::ScrollBarAlwaysOn ||
        (policy == Qt::ScrollBarAsNeeded && combo->count() > combo->maxVisibleItems())) {
        room -= view->verticalScrollBar()->sizeHint().width();
    }
    return room;
}

inline void CheckCombo(const QComboBox* combo, QList<Misfit>& misfits) {
    const QFontMetrics metrics(combo->font());
    int longest = -1;
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i) {
        const int width = metrics.horizontalAdvance(combo->itemText(i));
        if (longest < 0 || width > widest) {
            widest = width;
            longest = i;
        }
    }
    if (longest < 0) {
        return;
    }
    // What the list's delegate asks for an entry, margins included; never less than its text.
    int listNeeded = 0;
    for (int i = 0; i < combo->count(); ++i) {
        const QModelIndex index = combo->model()->index(i, combo->modelColumn());
        listNeeded = std::max({listNeeded, combo->view()->sizeHintForIndex(index).width(),
                               metrics.horizontalAdvance(combo->itemText(i))});
    }
    const QString text = combo->itemText(longest);
    const int id = ControlIdOf(combo);
    const int boxRoom = ClosedBoxRoom(combo);
    if (widest > boxRoom) {
        misfits.push_back({id, QStringLiteral("box"), text, widest, boxRoom});
    }
    const int listRoom = ListRoom(combo);
    if (combo->isVisible() && listNeeded > listRoom) {
        misfits.push_back({id, QStringLiteral("list"), text, listNeeded, listRoom});
    }
}

// Every label, button and combo box under root whose text does not fit, in creation order.
inline QList<Misfit> FindCutOffTexts(const QWidget* root) {
    QList<Misfit> misfits;
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->wordWrap() || label->text().isEmpty()) {
                continue;
            }
            const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
            const int room = LabelRoom(label);
            if (needed > room) {
                misfits.push_back(
                    {ControlIdOf(label), QStringLiteral("label"), label->text(), needed, room});
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            const QString text = ShownText(button->text());
            if (text.isEmpty() || (qobject_cast<const QPushButton*>(button) == nullptr &&
                                   qobject_cast<const QRadioButton*>(button) == nullptr &&
                                   qobject_cast<const QCheckBox*>(button) == nullptr)) {
                continue;
            }
            const int needed = QFontMetrics(button->font()).horizontalAdvance(text);
            const int room = ButtonRoom(button);
            if (needed > room) {
                misfits.push_back(
                    {ControlIdOf(button), QStringLiteral("button"), text, needed, room});
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
