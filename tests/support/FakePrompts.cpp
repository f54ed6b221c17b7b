#include "tests/support/FakePrompts.h"

void FakePrompts::Message(QWidget*, const QString& text) {
    messages << text;
    if (duringPrompt) {
        duringPrompt();
    }
}

bool FakePrompts::Question(QWidget*, const QString& text) {
    questions << text;
    if (questionAnswers.empty()) {
        unexpected << "question: " + text;
        return false;
    }
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

UserPrompts::SaveChoice FakePrompts::AskSaveChanges(QWidget*, const QString& text) {
    saveChangesQuestions << text;
    if (duringPrompt) {
        duringPrompt();
    }
    if (saveChangesAnswers.empty()) {
        unexpected << "save changes question: " + text;
        return SaveChoice::Cancel; // the answer that loses nothing
    }
    const SaveChoice answer = saveChangesAnswers.front();
    saveChangesAnswers.pop_front();
    return answer;
}

QString FakePrompts::OpenFileName(QWidget*, const QString& filter) {
    openFilters << filter;
    if (openAnswers.empty()) {
        unexpected << "open dialog: " + filter;
        return {};
    }
    QString answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

QString FakePrompts::SaveFileName(QWidget*, const QString& filter, const QString& proposedName,
                                  const QString& defaultSuffix) {
    saveCalls.push_back({filter, proposedName, defaultSuffix});
    if (saveAnswers.empty()) {
        unexpected << "save dialog: " + filter;
        return {};
    }
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void FakePrompts::Beep() {
    ++beeps;
}

QStringList FakePrompts::TakeMessages() {
    QStringList taken;
    taken.swap(messages);
    return taken;
}

QString FakePrompts::Pending() const {
    QStringList pending;
    for (const QString& text : messages) {
        pending << "unread message: " + text;
    }
    pending << unexpected;
    if (!questionAnswers.empty()) {
        pending << QString("%1 unused question answers").arg(questionAnswers.size());
    }
    if (!openAnswers.empty()) {
        pending << QString("%1 unused open answers").arg(openAnswers.size());
    }
    if (!saveAnswers.empty()) {
        pending << QString("%1 unused save answers").arg(saveAnswers.size());
    }
    if (!saveChangesAnswers.empty()) {
        pending << QString("%1 unused save changes answers").arg(saveChangesAnswers.size());
    }
    return pending.join('\n');
}

void FakePrompts::Reset() {
    *this = FakePrompts();
}
