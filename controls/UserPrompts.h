#pragma once

#include <QString>

class QWidget;

// Every message box, question, file dialog and warning beep goes through this, so that tests
// can answer them and read their texts.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    virtual void Message(QWidget* owner, const QString& text) = 0;  // one OK button
    virtual bool Question(QWidget* owner, const QString& text) = 0; // OK -> true, Cancel -> false
    // filter as the system states it, e.g. "Meter data File (*.bin)|*.bin|"; empty result =
    // cancelled
    virtual QString OpenFileName(QWidget* owner, const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* owner, const QString& filter, const QString& proposedName,
                                 const QString& defaultSuffix) = 0;
    virtual void Beep() = 0; // the warning beep
    enum class SaveChoice { Save, Discard, Cancel };
    // Save, Discard and Cancel buttons; Escape and the close box answer Cancel.
    virtual SaveChoice AskSaveChanges(QWidget* owner, const QString& text) = 0;
};
