#pragma once

#include "editor/CEditorPage.h"

#include <QString>

#include <cstdint>

struct SatelliteRecord;

// The Satellite page: name, position, LNB, switch, 22 kHz and positioner of the slot it is
// told to show. Its commits change that slot.
class CSatellitePage final : public CEditorPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSatellitePage)

public:
    CSatellitePage(const Context& context, QWidget* window);

    // The slot the commits change and the hint speaks of, -1 for none.
    void SetSlot(int slot) { m_slot = slot; }
    // Shows the fields of the slot's record (not the caption).
    void ShowFields();
    void ShowCaption();

    bool ReadView() override;
    void WriteView() override;

signals:
    // The name was stored as typed.
    void nameEdited(const QString& name);

private:
    const SatelliteRecord* Record() const;
    void FillSwitchInputs(std::uint8_t switchType);
    // What a choice in "Lnb Type" shows: a preset's frequencies and enable states, or the
    // record's own for "Customized" and for no choice.
    void ShowLnbChoice(int entry, const SatelliteRecord& record);
    void OnNameEdited();
    void OnLnbTypeChosen(bool onlyChanged);
    void OnSwitchTypeCommit();

    int m_slot = -1;
    // View values of the value exchange, in its order.
    QString m_nameView;
    std::uint32_t m_longitudeView = 0;
    std::uint32_t m_lowFreqView = 0;
    std::uint32_t m_highFreqView = 0;
};
