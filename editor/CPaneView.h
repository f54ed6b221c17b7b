#pragma once

#include "editor/EditorLayout.h"
#include "model/MeterData.h"

#include <QString>

#include <cstdint>

class CDropDownCombo;
class CFieldEdit;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QWidget;
class UserPrompts;

// The property panes' controls and the window's value exchange: ReadView moves the texts of
// the controls into the view values, checking each in a fixed order (the first bad field
// decides the message); WriteView moves the view values back. Refreshes made here never run a
// commit handler: Refreshing() is true while one is under way.
class CPaneView final {
public:
    CPaneView(QWidget* window, const EditorControls& controls, UserPrompts& prompts);
    CPaneView(const CPaneView&) = delete;
    CPaneView& operator=(const CPaneView&) = delete;

    // Counts nested refreshes for the lifetime of the object.
    class Refresh {
    public:
        explicit Refresh(CPaneView& view) : m_depth(view.m_refreshDepth) { ++m_depth; }
        ~Refresh() { --m_depth; }
        Refresh(const Refresh&) = delete;
        Refresh& operator=(const Refresh&) = delete;

    private:
        int& m_depth;
    };
    bool Refreshing() const { return m_refreshDepth > 0; }

    void FillLists();
    bool ReadView();
    void WriteView();
    // Puts the focus back into the field whose refusal ReadView reported, if any.
    void ReturnToRefusedField();
    void EnableEditControls(bool on);
    void ShowPane(Pane pane, bool show);

    void ShowSystemSetting(const SystemSetting& setting);
    void ShowLocalPosition(const LocalPosition& position);
    void ShowSatelliteFields(const SatelliteRecord& record);
    void SetSatelliteCaption(int slot);
    void FillSwitchInputs(std::uint8_t switchType);
    // What a choice in "Lnb Type" shows: a preset's frequencies and enable states, or the
    // record's own for "Customized" and for no choice.
    void ShowLnbChoice(int entry, const SatelliteRecord& record);

    QWidget* m_window;
    UserPrompts& m_prompts;
    QGroupBox* m_satellitePane;
    CFieldEdit* m_nameEdit;
    CFieldEdit* m_satLongitudeEdit;
    CFieldEdit* m_lowFreqEdit;
    CFieldEdit* m_highFreqEdit;
    CFieldEdit* m_tpFreqEdit;
    CFieldEdit* m_tpSymbolRateEdit;
    CFieldEdit* m_localLongitudeEdit;
    CFieldEdit* m_localLatitudeEdit;
    CDropDownCombo* m_directionCombo;
    CDropDownCombo* m_lnbTypeCombo;
    CDropDownCombo* m_lnbPowerCombo;
    CDropDownCombo* m_switchTypeCombo;
    CDropDownCombo* m_switchInputCombo;
    CDropDownCombo* m_toneCombo;
    CDropDownCombo* m_positionTypeCombo;
    CDropDownCombo* m_tpPolarityCombo;
    CDropDownCombo* m_localDirectionCombo;
    CDropDownCombo* m_hemisphereCombo;
    CDropDownCombo* m_autoPowerOffCombo;
    CDropDownCombo* m_languageCombo;
    QButtonGroup* m_beepGroup;
    QButtonGroup* m_backlightGroup;

    // View values of the value exchange, in its order.
    QString m_nameView;
    std::uint32_t m_satLongitudeView = 0;
    std::uint32_t m_lowFreqView = 0;
    std::uint32_t m_highFreqView = 0;
    std::uint32_t m_tpFreqView = 0;
    std::uint32_t m_tpSymbolRateView = 0;
    std::uint32_t m_localLongitudeView = 0;
    std::uint32_t m_localLatitudeView = 0;
    int m_beepView = 0;
    int m_backlightView = 0;

private:
    bool Refused(QLineEdit* edit, const QString& text);
    static void SelectEntry(CDropDownCombo* combo, int index);

    const QHash<int, QWidget*>& m_controls;
    int m_refreshDepth = 0;
    QLineEdit* m_refusedEdit = nullptr;
};
