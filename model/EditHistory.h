#pragma once

#include "model/MeterData.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The bytes that editing can change: the system setting and the settings block, in file order.
inline constexpr std::size_t kInterpretedSize = sizeof(SystemSetting) + sizeof(SettingsBlock);
using InterpretedBytes = std::array<std::uint8_t, kInterpretedSize>;

InterpretedBytes InterpretedOf(const MeterImage& image);
void PutInterpreted(const InterpretedBytes& bytes, MeterImage& image);

// Undo and redo over whole states of the interpreted bytes. Each step keeps only the bytes it
// changed, as runs of XOR differences: one copy serves both directions, and a cell edit costs a
// few bytes however long the history grows.
class EditHistory final {
public:
    explicit EditHistory(const InterpretedBytes& state) : m_state(state) {}

    // Forgets every step; state becomes the state at the start.
    void Reset(const InterpretedBytes& state);
    // Records the change from the current state to `state` as one step and drops what could be
    // redone. False, and nothing recorded, when no byte changed.
    bool Record(const InterpretedBytes& state, int selectionBefore, int selectionAfter);

    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_steps.size(); }
    // Moves one step back or forward; `state` receives the state there. Returns the selection
    // that was current before (undo) or after (redo) the step. Call only when possible.
    int Undo(InterpretedBytes& state);
    int Redo(InterpretedBytes& state);

    const InterpretedBytes& State() const { return m_state; }
    std::size_t StepCount() const { return m_steps.size(); }
    // Heap bytes the steps hold, for the memory budget.
    std::size_t BytesHeld() const;

private:
    struct Step {
        // Runs: u16 offset, u16 length, then `length` XOR bytes; repeated.
        std::vector<std::uint8_t> runs;
        int selectionBefore;
        int selectionAfter;
    };
    void Apply(const Step& step);

    InterpretedBytes m_state;
    std::vector<Step> m_steps;
    std::size_t m_position = 0;
};
