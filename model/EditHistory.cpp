#include "model/EditHistory.h"

#include <cstring>

InterpretedBytes InterpretedOf(const MeterImage& image) {
    InterpretedBytes bytes;
    std::memcpy(bytes.data(), &image.systemSetting, sizeof(SystemSetting));
    std::memcpy(bytes.data() + sizeof(SystemSetting), &image.settingsBlock, sizeof(SettingsBlock));
    return bytes;
}

void PutInterpreted(const InterpretedBytes& bytes, MeterImage& image) {
    std::memcpy(&image.systemSetting, bytes.data(), sizeof(SystemSetting));
    std::memcpy(&image.settingsBlock, bytes.data() + sizeof(SystemSetting), sizeof(SettingsBlock));
}

void EditHistory::Reset(const InterpretedBytes& state) {
    m_state = state;
    m_steps.clear();
    m_steps.shrink_to_fit();
    m_position = 0;
}

bool EditHistory::Record(const InterpretedBytes& state, int selectionBefore, int selectionAfter) {
    Step step{{}, selectionBefore, selectionAfter};
    std::size_t at = 0;
    while (at < kInterpretedSize) {
        if (state[at] == m_state[at]) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < kInterpretedSize && state[end] != m_state[end]) {
            ++end;
        }
        const auto put16 = [&step](std::size_t value) {
            step.runs.push_back(static_cast<std::uint8_t>(value & 0xFF));
            step.runs.push_back(static_cast<std::uint8_t>(value >> 8));
        };
        put16(at);
        put16(end - at);
        for (; at < end; ++at) {
            step.runs.push_back(static_cast<std::uint8_t>(state[at] ^ m_state[at]));
        }
    }
    if (step.runs.empty()) {
        return false;
    }
    step.runs.shrink_to_fit();
    m_steps.resize(m_position);
    m_steps.push_back(std::move(step));
    ++m_position;
    m_state = state;
    return true;
}

void EditHistory::Apply(const Step& step) {
    const std::vector<std::uint8_t>& runs = step.runs;
    std::size_t at = 0;
    while (at + 4 <= runs.size()) {
        const std::size_t offset = runs[at] | static_cast<std::size_t>(runs[at + 1]) << 8;
        const std::size_t length = runs[at + 2] | static_cast<std::size_t>(runs[at + 3]) << 8;
        at += 4;
        for (std::size_t i = 0; i < length && at < runs.size() && offset + i < kInterpretedSize;
             ++i, ++at) {
            m_state[offset + i] ^= runs[at];
        }
    }
}

int EditHistory::Undo(InterpretedBytes& state) {
    if (!CanUndo()) {
        state = m_state;
        return -1;
    }
    const Step& step = m_steps[--m_position];
    Apply(step);
    state = m_state;
    return step.selectionBefore;
}

int EditHistory::Redo(InterpretedBytes& state) {
    if (!CanRedo()) {
        state = m_state;
        return -1;
    }
    const Step& step = m_steps[m_position++];
    Apply(step);
    state = m_state;
    return step.selectionAfter;
}

std::size_t EditHistory::BytesHeld() const {
    std::size_t bytes = m_steps.capacity() * sizeof(Step);
    for (const Step& step : m_steps) {
        bytes += step.runs.capacity();
    }
    return bytes;
}
