#pragma once

#include "controls/UserPrompts.h"

// The application's prompts: Qt's message boxes and file dialogs, titled with the
// application's name.
class QtUserPrompts final : public UserPrompts {
public:
    void Message(QWidget* owner, const QString& text) override;
    bool Question(QWidget* owner, const QString& text) override;
    QString OpenFileName(QWidget* owner, const QString& filter) override;
    QString SaveFileName(QWidget* owner, const QString& filter, const QString& proposedName,
                         const QString& defaultSuffix) override;
    void Beep() override;
    SaveChoice AskSaveChanges(QWidget* owner, const QString& text) override;

    // "Meter data File (*.bin)|*.bin|" -> "Meter data File (*.bin)": description and pattern
    // pairs separated by '|' become Qt's ";;"-separated filters.
    static QString QtFilter(const QString& filter);
};
