#pragma once

#include "editor/CWindowPrompts.h"
#include "editor/EditorLayout.h"
#include "model/MeterDocument.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class CDropDownCombo;
class CFieldEdit;
class CNavigationTree;
class CPaneView;
class CSettingsCheck;
class CSkyView;
class CSlotOperations;
class CTpListController;
class QMenu;
class QRadioButton;
class UserPrompts;

// The main window: the navigation tree, the property panes and the transponder list over one
// meter document. Every pane control writes its own field through the document when the user
// leaves it, picks an entry or types; the window's own refreshes never write a field. Each
// user change becomes one undoable step.
class CEditorDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorDlg)

public:
    explicit CEditorDlg(UserPrompts& prompts, QWidget* parent = nullptr);
    ~CEditorDlg() override;

    const MeterImage& Image() const { return m_document.Image(); }
    MeterImage& Image() { return m_document.UncheckedImage(); }
    const MeterDocument& Document() const { return m_document; }

    // The control of the window's layout with this id, nullptr for none.
    QWidget* Control(int id) const;
    // The window's own menu (right click on the background).
    QMenu* WindowMenu() const { return m_windowMenu; }
    // The TP list's context menu (menu 151), as the last request for it set it up.
    QMenu* TpListMenu() const;

    // Opens a meter file as "Open" does once its name is known: the same messages on failure.
    bool OpenMeterFile(const QString& path);

    void ShowSatellite();
    bool ReadView();
    void WriteView();
    void EnableEditControls(bool on);

    void OnOpen();
    // True when the file was written.
    bool OnSave();
    void OnExit();
    // The "Load Sat" flow: satellites picked from a library go into the first slots.
    void OnLoadSat();
    // "Replace from Library...": the first satellite picked in the library goes into the slot.
    void OnReplaceFromLibrary(int slot);
    void OnUndo();
    void OnRedo();
    // "Sky View": opens the chart window, or raises it.
    void OnSkyView();
    CSkyView* SkyView() const { return m_skyView; }
    // "Check Settings...": opens the window of the lock check's findings, or raises it.
    void OnCheckSettings();
    // "Update Transponders...": the transponders of the satellites in use from a table.
    void OnUpdateTransponders();
    // "Pointing Sheet...": the sheet of the data as shown, unsaved edits included.
    void OnPointingSheet();

    // --- leaving and the title ---
    // Changes not yet saved are offered for saving first; true when they were saved or may
    // go, false when the user keeps the window.
    bool MaySaveChanges();
    // The desktop session ends. mayAsk says whether the session manager lets the window ask;
    // it is called only when there is something to lose. False: the session should stay.
    bool MayEndSession(const std::function<bool()>& mayAsk);
    // "Exit", the close box and the window manager all end here.
    void reject() override;

    // The slot shown in the Satellite pane and the TP list, -1 for none.
    std::int8_t m_curSat = -1;

signals:
    void aboutRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class CSlotOperations;
    friend class CTransponderRefresh;
    // Marks a user operation in progress: nested selection handling makes no step of its own.
    // record false: the operation starts a new history instead of making a step (a load).
    class Operation {
    public:
        explicit Operation(CEditorDlg& window, bool record = true)
            : m_window(window), m_record(record) {
            ++m_window.m_operationDepth;
        }
        ~Operation() {
            if (--m_window.m_operationDepth == 0 && m_record) {
                m_window.CommitStep();
            }
        }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        CEditorDlg& m_window;
        bool m_record;
    };

    void ConnectCommits();
    void BuildWindowMenu();
    void OnTreeSelectionChanged();
    bool ShowFirstSatellite();
    void ShowSelection(int data);
    void CommitStep();
    // The views that follow the data: the sky chart and the settings check.
    void RefreshViews();
    bool CanCommit() const;
    // Commits the field that has the focus as leaving it would.
    void CommitFocusedField();
    void OnFieldLeft(QWidget* field);
    void PressButton(int id);
    // The undo and redo keys: a field holding typing takes them for its own text.
    void OnUndoKey(bool redo);

    void OnNumberLeft(CFieldEdit* edit);
    void OnNameEdited();
    void OnOptionLeft(CDropDownCombo* combo);
    void OnLnbTypeChosen(bool onlyChanged);
    void OnSwitchTypeCommit();
    void OnRadioClicked(QRadioButton* button);

    // The file's name once one was opened or saved, and the platform's modified mark.
    void UpdateTitle();
    bool HasUnsavedChanges() const;

    CWindowPrompts m_prompts;
    MeterDocument m_document;
    EditorControls m_controls;
    std::unique_ptr<CPaneView> m_panes;
    std::unique_ptr<CSlotOperations> m_slots;
    CNavigationTree* m_tree = nullptr;
    CTpListController* m_tpList = nullptr;
    bool m_committing = false;
    int m_operationDepth = 0;
    // The selected node's code when the last step ended: the selection "before" the next one.
    int m_stepSelection = -1;
    CSkyView* m_skyView = nullptr;
    CSettingsCheck* m_settingsCheck = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    // The name of the file last opened or saved; empty before either.
    QString m_fileName;
    // The bytes the user let go when the desktop session ended: closing with the session
    // does not ask about them again.
    std::optional<InterpretedBytes> m_droppedAtSessionEnd;
};
