#pragma once

#include "controls/UserPrompts.h"

#include <QStringList>
#include <deque>
#include <functional>

// Answers prompts from queues a test fills beforehand and records every text it is shown.
// A prompt that needs an answer the test did not queue is recorded in `unexpected`; tests
// check Pending() in cleanup so that an unread message or a stray prompt fails them.
class FakePrompts final : public UserPrompts {
public:
    struct SaveCall {
        QString filter;
        QString proposedName;
        QString defaultSuffix;
    };

    void Message(QWidget* owner, const QString& text) override;
    bool Question(QWidget* owner, const QString& text) override;
    QString OpenFileName(QWidget* owner, const QString& filter) override;
    QString SaveFileName(QWidget* owner, const QString& filter, const QString& proposedName,
                         const QString& defaultSuffix) override;
    void Beep() override;
    SaveChoice AskSaveChanges(QWidget* owner, const QString& text) override;

    // Messages shown since the last call, oldest first; clears them.
    QStringList TakeMessages();
    // What is left over: unread messages and questions, unused answers, unexpected prompts.
    // Empty when the test saw everything it caused.
    QString Pending() const;
    void Reset();

    // Runs inside every prompt, as a real dialog would while it is open (it may take the
    // activation away from the window, for example).
    std::function<void()> duringPrompt;

    std::deque<bool> questionAnswers;
    std::deque<QString> openAnswers; // "" cancels
    std::deque<QString> saveAnswers; // "" cancels
    std::deque<SaveChoice> saveChangesAnswers;

    QStringList messages;
    QStringList questions;
    QStringList saveChangesQuestions;
    QStringList openFilters;
    std::deque<SaveCall> saveCalls;
    QStringList unexpected;
    int beeps = 0;
};
