#pragma once

#include "model/EditHistory.h"

#include <QString>

#include <functional>
#include <optional>

class MeterDocument;
class QWidget;
class UserPrompts;

// What the window knows of its file: the name last opened or saved, shown in the title with the
// modified mark, and the question before changes not yet saved are lost.
class CUnsavedChanges final {
public:
    // save runs the window's "Save" and answers whether the file was written.
    CUnsavedChanges(QWidget& window, const MeterDocument& document, UserPrompts& prompts,
                    std::function<bool()> save);
    CUnsavedChanges(const CUnsavedChanges&) = delete;
    CUnsavedChanges& operator=(const CUnsavedChanges&) = delete;

    // The file opened or saved last; its name goes into the title.
    void SetFile(const QString& path);
    const QString& FileName() const { return m_fileName; }
    void UpdateTitle();

    bool HasUnsavedChanges() const;
    // Offers changes not yet saved for saving; true when they were saved or may go, false when
    // the user keeps the window.
    bool MaySaveChanges();
    // The desktop session ends: mayAsk says whether the session manager lets the window ask;
    // it is called only when there is something to lose. False: the session should stay.
    bool MayEndSession(const std::function<bool()>& mayAsk);

private:
    QWidget& m_window;
    const MeterDocument& m_document;
    UserPrompts& m_prompts;
    std::function<bool()> m_save;
    QString m_fileName;
    // The bytes the user let go when the desktop session ended: closing with the session does
    // not ask about them again.
    std::optional<InterpretedBytes> m_droppedAtSessionEnd;
};
