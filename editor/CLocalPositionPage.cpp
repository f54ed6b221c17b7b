#include "editor/CLocalPositionPage.h"

#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/EditorIds.h"
#include "editor/RefreshGuard.h"
#include "model/MeterDocument.h"

#include <array>

using namespace EditorId;

CLocalPositionPage::CLocalPositionPage(const Context& context, QWidget* window)
    : CEditorPage(Pane::LocalPosition, context, window) {
    {
        const RefreshGuard::Scope refresh(m_guard);
        Fill(Combo(LocalDirection), kEastWest);
        Fill(Combo(Hemisphere), std::array{"North", "South"});
        WriteView();
    }
    OnFieldLeft(Edit(LocalLongitude),
                [this] { CommitNumber(NumberField::LocalLongitude, -1, m_longitudeView); });
    OnFieldLeft(Edit(LocalLatitude),
                [this] { CommitNumber(NumberField::LocalLatitude, -1, m_latitudeView); });
    for (const auto& [id, field] : {std::pair{LocalDirection, OptionField::LocalDirection},
                                    {Hemisphere, OptionField::Hemisphere}}) {
        CDropDownCombo* combo = Combo(id);
        connect(combo, &CDropDownCombo::focusLeft, this,
                [this, field, combo] { CommitOption(field, -1, combo); });
    }
}

void CLocalPositionPage::ShowPosition() {
    const RefreshGuard::Scope refresh(m_guard);
    const LocalPosition& position = m_document.Image().settingsBlock.localPosition;
    m_longitudeView = position.longitude;
    SelectEntry(Combo(LocalDirection), position.longitudeDir != kEast ? 1 : 0);
    m_latitudeView = position.latitude;
    SelectEntry(Combo(Hemisphere), position.latitudeDir != kNorth ? 1 : 0);
    WriteView();
}

bool CLocalPositionPage::ReadView() {
    return ReadNumber(Edit(LocalLongitude), m_longitudeView, kMaxLongitude) &&
           ReadNumber(Edit(LocalLatitude), m_latitudeView, kMaxLatitude);
}

void CLocalPositionPage::WriteView() {
    const RefreshGuard::Scope refresh(m_guard);
    WriteNumber(Edit(LocalLongitude), m_longitudeView);
    WriteNumber(Edit(LocalLatitude), m_latitudeView);
}
