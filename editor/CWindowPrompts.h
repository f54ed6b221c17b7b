#pragma once

#include "controls/UserPrompts.h"

// Hands every prompt on and then gives the activation back to the window that asked. Without
// a window manager nothing else does, and a window that is not active gets no focus-out when
// the user tabs on, so the field just typed into would never be committed.
class CWindowPrompts final : public UserPrompts {
public:
    explicit CWindowPrompts(UserPrompts& prompts) : m_prompts(prompts) {}

    void Message(QWidget* owner, const QString& text) override;
    bool Question(QWidget* owner, const QString& text) override;
    QString OpenFileName(QWidget* owner, const QString& filter) override;
    QString SaveFileName(QWidget* owner, const QString& filter, const QString& proposedName,
                         const QString& defaultSuffix) override;
    void Beep() override { m_prompts.Beep(); }
    SaveChoice AskSaveChanges(QWidget* owner, const QString& text) override;

    // Activates the window of owner again, when it is shown.
    static void Reactivate(QWidget* owner);

private:
    UserPrompts& m_prompts;
};
