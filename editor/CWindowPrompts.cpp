#include "editor/CWindowPrompts.h"

#include <QWidget>

void CWindowPrompts::Reactivate(QWidget* owner) {
    QWidget* window = owner != nullptr ? owner->window() : nullptr;
    if (window != nullptr && window->isVisible() && !window->isActiveWindow()) {
        window->activateWindow();
    }
}

void CWindowPrompts::Message(QWidget* owner, const QString& text) {
    m_prompts.Message(owner, text);
    Reactivate(owner);
}

bool CWindowPrompts::Question(QWidget* owner, const QString& text) {
    const bool answer = m_prompts.Question(owner, text);
    Reactivate(owner);
    return answer;
}

UserPrompts::SaveChoice CWindowPrompts::AskSaveChanges(QWidget* owner, const QString& text) {
    const SaveChoice choice = m_prompts.AskSaveChanges(owner, text);
    Reactivate(owner);
    return choice;
}

QString CWindowPrompts::OpenFileName(QWidget* owner, const QString& filter) {
    const QString name = m_prompts.OpenFileName(owner, filter);
    Reactivate(owner);
    return name;
}

QString CWindowPrompts::SaveFileName(QWidget* owner, const QString& filter,
                                     const QString& proposedName, const QString& defaultSuffix) {
    const QString name = m_prompts.SaveFileName(owner, filter, proposedName, defaultSuffix);
    Reactivate(owner);
    return name;
}
