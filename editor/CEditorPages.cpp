#include "editor/CEditorPages.h"

#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/CLocalPositionPage.h"
#include "editor/CSatellitePage.h"
#include "editor/CSystemSettingPage.h"
#include "editor/RefreshGuard.h"

#include <QLineEdit>

CEditorPages::CEditorPages(MeterDocument& document, UserPrompts& prompts, RefreshGuard& guard,
                           QWidget* window)
    : QObject(window), m_document(document), m_prompts(prompts), m_guard(guard), m_window(window) {}

CEditorPage& CEditorPages::Page(Pane pane) {
    CEditorPage*& page = m_pages[static_cast<std::size_t>(pane)];
    if (page != nullptr) {
        return *page;
    }
    // A page made late looks as it would have had it been made at start-up: hidden, with the
    // enable state of every page and the current slot.
    const CEditorPage::Context context{m_document, m_prompts, m_guard, *this};
    switch (pane) {
    case Pane::Satellite: {
        auto* satellite = new CSatellitePage(context, m_window);
        satellite->SetSlot(m_slot);
        connect(satellite, &CSatellitePage::nameEdited, this, &CEditorPages::nameEdited);
        page = satellite;
        break;
    }
    case Pane::LocalPosition:
        page = new CLocalPositionPage(context, m_window);
        break;
    case Pane::SystemSetting:
        page = new CSystemSettingPage(context, m_window);
        break;
    case Pane::Tp:
        // Kept in the layout with its ids; never shown, read or checked.
        page = new CEditorPage(Pane::Tp, context, m_window);
        break;
    }
    const RefreshGuard::Scope refresh(m_guard);
    page->EnableEditControls(m_editEnabled);
    return *page;
}

CSatellitePage& CEditorPages::Satellite() {
    return static_cast<CSatellitePage&>(Page(Pane::Satellite));
}

CLocalPositionPage& CEditorPages::LocalPosition() {
    return static_cast<CLocalPositionPage&>(Page(Pane::LocalPosition));
}

CSystemSettingPage& CEditorPages::SystemSetting() {
    return static_cast<CSystemSettingPage&>(Page(Pane::SystemSetting));
}

QWidget* CEditorPages::Control(int id) {
    Pane pane = Pane::Satellite;
    return PaneOfControl(id, pane) ? Page(pane).Control(id) : nullptr;
}

void CEditorPages::Show(Pane pane) {
    const RefreshGuard::Scope refresh(m_guard);
    for (std::size_t k = 0; k < m_pages.size(); ++k) {
        if (m_pages[k] != nullptr && static_cast<Pane>(k) != pane) {
            m_pages[k]->hide();
        }
    }
    Page(pane).show();
}

void CEditorPages::EnableEditControls(bool on) {
    const RefreshGuard::Scope refresh(m_guard);
    m_editEnabled = on;
    for (CEditorPage* page : m_pages) {
        if (page != nullptr) {
            page->EnableEditControls(on);
        }
    }
}

void CEditorPages::CommitField(QWidget* focus) {
    if (focus != nullptr && qobject_cast<CDropDownCombo*>(focus->parentWidget()) != nullptr) {
        focus = focus->parentWidget(); // a combo's own edit field
    }
    if (focus == nullptr || focus->window() != m_window) {
        return;
    }
    if (auto* edit = qobject_cast<CFieldEdit*>(focus)) {
        emit edit->focusLeft();
    } else if (auto* combo = qobject_cast<CDropDownCombo*>(focus)) {
        emit combo->focusLeft();
    }
}

void CEditorPages::SetSlot(int slot) {
    m_slot = slot;
    if (CEditorPage* page = m_pages[static_cast<std::size_t>(Pane::Satellite)]) {
        static_cast<CSatellitePage*>(page)->SetSlot(slot);
    }
}

bool CEditorPages::ReadView() {
    m_refusedField = nullptr;
    for (Pane pane : {Pane::Satellite, Pane::LocalPosition, Pane::SystemSetting}) {
        CEditorPage* page = m_pages[static_cast<std::size_t>(pane)];
        if (page != nullptr && !page->ReadView()) {
            m_refusedField = page->RefusedField();
            return false;
        }
    }
    return true;
}

void CEditorPages::WriteView() {
    for (CEditorPage* page : m_pages) {
        if (page != nullptr) {
            page->WriteView();
        }
    }
}

void CEditorPages::ReturnToRefusedField() {
    if (m_refusedField != nullptr) {
        m_refusedField->setFocus();
        m_refusedField->selectAll();
        m_refusedField = nullptr;
    }
}
