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
    struct Window {
        std::function<bool()> save;        // "Save"; true when the file was written
        std::function<void()> commitField; // commits the focused field as leaving it would
        std::function<void()> endStep;     // the changes so far become a step of the history
    };
    // Also asks when the desktop session ends, as far as the session manager lets it.
    CUnsavedChanges(QWidget& window, const MeterDocument& document, UserPrompts& prompts,
                    Window calls);
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
    // The window is about to close ("Exit", the close box, the window manager). The close box
    // takes no focus, so the typing is committed as a click on exit would commit it; the focus
    // goes back to the field when the window stays. True: the window may close.
    bool MayClose(QWidget& exit);
    // The desktop session ends: mayAsk says whether the session manager lets the window ask;
    // it is called only when there is something to lose. False: the session should stay.
    bool MayEndSession(const std::function<bool()>& mayAsk);

private:
    QWidget& m_window;
    const MeterDocument& m_document;
    UserPrompts& m_prompts;
    Window m_calls;
    QString m_fileName;
    // The bytes the user let go when the desktop session ended: closing with the session does
    // not ask about them again.
    std::optional<InterpretedBytes> m_droppedAtSessionEnd;
};
