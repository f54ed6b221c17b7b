#pragma once

#include "model/EditHistory.h"
#include "model/MeterData.h"
#include "model/MeterFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The numeric fields of the panes, each with its upper limit.
enum class NumberField {
    SatelliteLongitude,
    LnbLowFreq,
    LnbHighFreq,
    LocalLongitude,
    LocalLatitude
};
// The option fields that store the chosen entry (letters for the direction lists).
enum class OptionField {
    Direction,
    LnbPower,
    SwitchInput,
    Tone22k,
    PositionType,
    LocalDirection,
    Hemisphere,
    AutoPowerOff,
    Language
};
enum class RadioField { Beep, Backlight };
enum class TpNumber { Frequency, SymbolRate };

inline constexpr std::uint32_t kMaxLongitude = 1800;
inline constexpr std::uint32_t kMaxLatitude = 900;
inline constexpr std::uint32_t kMaxLnbFrequency = 20000;

// The meter image being edited and the only way to change it: every edit the window offers is
// one call here that applies its limits, letters and record moves. Slots are 0..19 and TP rows
// 0..7; a call for a slot or row that does not exist changes nothing. Changes collect until
// EndStep makes them one undoable step.
class MeterDocument final {
public:
    MeterDocument();

    const MeterImage& Image() const { return *m_image; }
    // Bytes changed from outside the editing calls, as a test sets up what a file would hold.
    // Such changes are not steps of their own: the next step takes them in.
    MeterImage& UncheckedImage() { return *m_image; }

    // --- the panes --------------------------------------------------------------------------
    // Stores the value clamped to the field's limit and answers what was stored.
    std::uint32_t SetNumber(NumberField field, int slot, std::uint32_t value);
    void SetName(int slot, const std::string& latin1);
    // entry is the position in the field's list; negative (nothing chosen) keeps the code.
    void SetOption(OptionField field, int slot, int entry);
    void SetLnbType(int slot, int entry);
    // Stores the switch type and the input, cut to the inputs the type offers; answers the
    // stored input, -1 when nothing was stored.
    int SetSwitch(int slot, int switchType, int input);
    void SetRadio(RadioField field, int choice);

    // --- transponders -----------------------------------------------------------------------
    // Cells are stored unclamped but for the 16 bits of the field; answers what was stored.
    std::uint16_t SetTpNumber(int slot, int row, TpNumber column, std::uint64_t value);
    // "H" stores 'H', anything else 'V', as the Pol cell's two entries do.
    void SetTpPolarization(int slot, int row, const std::string& text);
    // A fresh transponder at row (0..tpCount); false when the slot has eight already.
    bool InsertTp(int slot, int row);
    bool DeleteTp(int slot, int row);
    // Shown transponders with a letter other than 'H' or 'V' become 'H'; true when one did.
    bool RepairPolarizations(int slot);
    // The slot's transponders anew: the count and the first rows (at most eight), each with
    // padding 0; the rows behind keep their bytes, as the meter never reads them.
    void SetTransponders(int slot, const std::vector<TpEntry>& tps);

    // --- slots ------------------------------------------------------------------------------
    // A new satellite at slot, the ones from it on moving down; a slot past the last in use
    // appends. Answers the slot of the new satellite, -1 when all twenty are in use.
    int AddSatellite(int slot);
    bool DeleteSatellite(int slot);
    bool MoveUp(int slot);
    bool MoveDown(int slot);
    // Whole records into slots 0..n-1 (at most twenty); the count in use stays.
    void CopyIntoFirstSlots(const std::vector<SatelliteRecord>& records);
    void ReplaceSatellite(int slot, const SatelliteRecord& record);

    // --- files ------------------------------------------------------------------------------
    // Replaces the image only when the whole file was read; the history is left to the caller.
    LoadResult Load(const std::filesystem::path& path);
    void NormaliseLetters();
    // A file written whole makes the image the saved state.
    SaveResult Save(const std::filesystem::path& path);
    // The bytes of the last step differ from the ones last loaded or saved (the fresh ones
    // before any load); undoing back to those makes the document unmodified again.
    bool IsModified() const { return m_history.State() != m_saved; }

    // --- history ----------------------------------------------------------------------------
    // Makes the changes since the last step one step; false when no byte changed.
    bool EndStep(int selectionBefore, int selectionAfter);
    // Starts a new history at the current bytes, which become the saved state (after a load).
    void ClearHistory();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    // Puts back the bytes before (after) the step and answers the selection of that moment.
    // Changes not yet made a step are dropped: end the step first.
    int Undo();
    int Redo();
    const EditHistory& History() const { return m_history; }

private:
    SatelliteRecord* Record(int slot);
    TpEntry* Tp(int slot, int row);

    std::unique_ptr<MeterImage> m_image;
    EditHistory m_history;
    InterpretedBytes m_saved;
};
