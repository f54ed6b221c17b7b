#pragma once

#include "editor/CDataViews.h"
#include "editor/CSlotOperations.h"
#include "editor/CUnsavedChanges.h"
#include "editor/CWindowPrompts.h"
#include "editor/RefreshGuard.h"
#include "model/MeterDocument.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>

class CEditorPages;
class CNavigationTree;
class CSkyView;
class CTpListController;
class QTreeWidgetItem;
class QMenu;
class UserPrompts;

// The main window: the navigation tree, the pages of the right side and the transponder list
// over one meter document, with the menus and the undo history. The tree's selection decides
// the page; the pages commit the user's changes, each one undoable step, and the window's own
// refreshes commit nothing.
class CEditorDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorDlg)

public:
    explicit CEditorDlg(UserPrompts& prompts, QWidget* parent = nullptr);

    const MeterImage& Image() const { return m_document.Image(); }
    MeterImage& Image() { return m_document.UncheckedImage(); }
    const MeterDocument& Document() const { return m_document; }

    // The control of the window's layout with this id, nullptr for none. A control of a page
    // not made yet makes its page.
    QWidget* Control(int id) const;
    // The window's own menu (right click on the background).
    QMenu* WindowMenu() const { return m_windowMenu; }
    // The TP list's context menu (menu 151), as the last request for it set it up.
    QMenu* TpListMenu() const;

    // Opens a meter file as "Open" does once its name is known: the same messages on failure.
    bool OpenMeterFile(const QString& path);

    void ShowSatellite();
    // The value exchange over the pages in a fixed order: the first bad field decides the
    // message. WriteView moves the view values back into the fields.
    bool ReadView();
    void WriteView();
    void EnableEditControls(bool on);

    void OnOpen();
    // True when the file was written.
    bool OnSave();
    void OnExit();
    // The "Load Sat" flow: satellites picked from a library go into the first slots.
    void OnLoadSat() { m_slots->OnLoadSat(); }
    // "Replace from Library...": the first satellite picked in the library goes into the slot.
    void OnReplaceFromLibrary(int slot) { m_slots->OnReplaceFromLibrary(slot); }
    void OnUndo();
    void OnRedo();
    // "Sky View": opens the chart window, or raises it.
    void OnSkyView();
    CSkyView* SkyView() const { return m_views->SkyView(); }
    // "Check Settings...": opens the window of the lock check's findings, or raises it.
    void OnCheckSettings();
    // "Update Transponders...": the transponders of the satellites in use from a table.
    void OnUpdateTransponders();
    // "Pointing Sheet...": the sheet of the data as shown, unsaved edits included.
    void OnPointingSheet();

    // The desktop session ends. mayAsk says whether the session manager lets the window ask;
    // it is called only when there is something to lose. False: the session should stay.
    bool MayEndSession(const std::function<bool()>& mayAsk);
    // "Exit", the close box and the window manager all end here: changes not yet saved are
    // offered for saving first.
    void reject() override;

    // The slot shown in the Satellite page and the TP list, -1 for none.
    std::int8_t m_curSat = -1;

signals:
    void aboutRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The slot the Satellite page, the TP list and the sky chart show, -1 for none.
    void SetCurrentSlot(int slot);

    void ConnectControls();
    void BuildCommands();
    void OnTreeSelectionChanged();
    // Selects the node; a node selected already is shown anew.
    void SelectNode(QTreeWidgetItem* node);
    bool ShowFirstSatellite();
    void ShowSlot(int slot, SlotShow how);
    void ShowSelection(int data);
    void OnNameEdited(const QString& name);
    void CommitStep();
    // The views that follow the data: the sky chart.
    void RefreshViews();
    // Commits the field that has the focus as leaving it would, and ends the step.
    void CommitTyping();

    CWindowPrompts m_prompts;
    MeterDocument m_document;
    RefreshGuard m_guard;
    CUnsavedChanges m_unsaved;
    QHash<int, QWidget*> m_controls;
    CEditorPages* m_pages = nullptr;
    CNavigationTree* m_tree = nullptr;
    CTpListController* m_tpList = nullptr;
    CSlotOperations* m_slots = nullptr;
    // The selected node's code when the last step ended: the selection "before" the next one.
    int m_stepSelection = -1;
    CDataViews* m_views = nullptr;
    QMenu* m_windowMenu = nullptr;
};
