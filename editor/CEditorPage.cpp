#include "editor/CEditorPage.h"

#include "controls/UserPrompts.h"
#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/RefreshGuard.h"
#include "model/MeterDocument.h"

#include <QLabel>

#include <algorithm>
#include <limits>

CEditorPage::CEditorPage(Pane pane, const Context& context, QWidget* window)
    : QGroupBox(window), m_document(context.document), m_prompts(context.prompts),
      m_guard(context.guard), m_exchange(context.exchange) {
    hide();
    BuildPane(pane, this, m_controls);
    for (QWidget* control : std::as_const(m_controls)) {
        if (control->parentWidget() == this && qobject_cast<QLabel*>(control) == nullptr) {
            m_editControls.push_back(control);
        }
    }
}

CFieldEdit* CEditorPage::Edit(int id) const {
    return static_cast<CFieldEdit*>(Control(id));
}

CDropDownCombo* CEditorPage::Combo(int id) const {
    return static_cast<CDropDownCombo*>(Control(id));
}

void CEditorPage::EnableEditControls(bool on) {
    for (QWidget* control : m_editControls) {
        control->setEnabled(on);
    }
}

bool CEditorPage::ReadNumber(QLineEdit* edit, std::uint32_t& view, std::uint32_t max) {
    const QString text = edit->text();
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    QString refusal;
    if (!digits) {
        refusal = QStringLiteral("Please enter an integer.");
    } else {
        bool fits = false;
        const qulonglong number = text.toULongLong(&fits);
        constexpr qulonglong kMaxView = std::numeric_limits<std::uint32_t>::max();
        // Too many digits for the view value: its largest value, which no limit allows.
        view = static_cast<std::uint32_t>(fits ? std::min(number, kMaxView) : kMaxView);
        if (view > max) {
            refusal = QStringLiteral("Please enter an integer between 0 and %1.").arg(max);
        }
    }
    if (refusal.isEmpty()) {
        return true;
    }
    m_prompts.Message(window(), refusal);
    m_refused = edit;
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CEditorPage::WriteNumber(QLineEdit* edit, std::uint32_t view) {
    const QString text = QString::number(view);
    if (edit->text() != text) {
        edit->setText(text);
    }
}

void CEditorPage::FillEntries(CDropDownCombo* combo, const QStringList& entries) {
    combo->addItems(entries);
    // A combo selects its first entry when it is filled; nothing is chosen yet.
    combo->setCurrentIndex(-1);
}

void CEditorPage::SelectEntry(CDropDownCombo* combo, int index) {
    combo->setCurrentIndex(index < combo->count() ? index : -1);
}

void CEditorPage::OnFieldLeft(CFieldEdit* edit, std::function<void()> left) {
    connect(edit, &CFieldEdit::focusLeft, this, [edit, left = std::move(left)] {
        left();
        const bool refused = edit->hasFocus();
        edit->setText(edit->text());
        if (refused) {
            edit->selectAll();
        }
    });
}

void CEditorPage::CommitNumber(NumberField field, int slot, std::uint32_t& view) {
    if (m_guard.Refreshing()) {
        return;
    }
    const RefreshGuard::Scope scope(m_guard, RefreshGuard::Step::End);
    m_exchange.ReadView();
    // Whatever the exchange said, the value is stored within the field's limit.
    view = m_document.SetNumber(field, slot, view);
    m_exchange.WriteView();
    m_exchange.ReturnToRefusedField();
}

void CEditorPage::CommitOption(OptionField field, int slot, const CDropDownCombo* combo) {
    if (m_guard.Refreshing()) {
        return;
    }
    const RefreshGuard::Scope scope(m_guard, RefreshGuard::Step::End);
    m_document.SetOption(field, slot, combo->currentIndex());
}
