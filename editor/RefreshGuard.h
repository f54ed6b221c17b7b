#pragma once

#include <functional>
#include <utility>

// Says "the window is refreshing: commit nothing". The window's own changes of its controls
// (showing a record, a commit writing its fields back, a slot operation, opening a file, undo)
// hold it, and a control reporting a change commits only while nobody holds it, so the focus
// moves and signals a refresh causes store nothing. The outermost holder of a user change ends
// one undoable step when it lets go; a holder inside it makes no step of its own.
class RefreshGuard final {
public:
    explicit RefreshGuard(std::function<void()> endStep) : m_endStep(std::move(endStep)) {}
    RefreshGuard(const RefreshGuard&) = delete;
    RefreshGuard& operator=(const RefreshGuard&) = delete;

    bool Refreshing() const { return m_depth > 0; }
    // Ends a step now, unless a holder will when it lets go.
    void EndStep() {
        if (m_depth == 0) {
            m_endStep();
        }
    }

    enum class Step { Keep, End };
    class Scope final {
    public:
        explicit Scope(RefreshGuard& guard, Step step = Step::Keep) : m_guard(guard), m_step(step) {
            ++m_guard.m_depth;
        }
        ~Scope() {
            if (--m_guard.m_depth == 0 && m_step == Step::End) {
                m_guard.m_endStep();
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        RefreshGuard& m_guard;
        Step m_step;
    };

private:
    std::function<void()> m_endStep;
    int m_depth = 0;
};
