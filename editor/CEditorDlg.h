#pragma once

#include "model/MeterData.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

#include <cstdint>

class CDropDownCombo;
class CEditListCtrl;
class CFieldEdit;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class UserPrompts;
struct CellEditRecord;

// The main window: the navigation tree, the property panes and the transponder list over one
// meter image. Every pane control writes its own field when the user leaves it, picks an entry
// or types; the window's own refreshes never write a field.
class CEditorDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorDlg)

public:
    explicit CEditorDlg(UserPrompts& prompts, QWidget* parent = nullptr);
    ~CEditorDlg() override;

    // The text of the About command on the window's menu; empty adds no command. Takes effect
    // for windows constructed afterwards.
    static void SetAboutCommandText(const QString& text);
    static QString AboutCommandText();

    MeterImage& Image() { return m_image; }
    const MeterImage& Image() const { return m_image; }

    // The control of the window's layout with this id, nullptr for none.
    QWidget* Control(int id) const;
    // The window's own menu (right click on the background), nullptr when it has no command.
    QMenu* WindowMenu() const { return m_windowMenu; }
    // The TP list's context menu (menu 151), as the last right click on the list set it up.
    QMenu* TpListMenu() const { return m_tpMenu; }

    bool OnInitDialog();
    void BuildTree();
    void ShowSatellitePane(bool show);
    void ShowTpPane(bool show);
    void ShowLocalPositionPane(bool show);
    void ShowSystemSettingPane(bool show);
    void ShowSystemSetting();
    void ShowLocalPosition();
    bool ShowFirstSatellite();
    void ShowSatellite();
    void ShowSatelliteFields();
    bool ReadView();
    void WriteView();
    void EnableEditControls(bool on);
    void FillSwitchInputs(std::uint8_t switchType);

    void OnOpen();
    void OnSave();
    void OnExit();
    void OnAbout();
    // The hidden "Load Sat" button: satellites picked from a library go into the first slots.
    void OnLoadSat();

    // The slot buttons "+", "-", "UP" and "DN".
    void OnAddSatellite();
    void OnDeleteSatellite();
    void OnMoveUp();
    void OnMoveDown();

    // The TP list: its context menu commands and the two requests it sends the window.
    void OnTpInsert();
    void OnTpDelete();
    void OnGetCellChoices(int column, QStringList* choices);
    void OnCellEdited(int listId, const CellEditRecord& record);

    // The slot shown in the Satellite pane and the TP list, -1 for none.
    std::int8_t m_curSat = -1;
    // The TP row last clicked or right-clicked, -1 for none.
    std::int32_t m_listRow = -1;
    // A TP row was clicked since the list was last filled.
    bool m_rowClicked = false;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Counts nested refreshes; commit handlers do nothing while it is above zero.
    class RefreshGuard;

    void CreateControls();
    void ConnectCommits();
    void ShowPane(std::initializer_list<int> ids, bool show);
    void SelectEntry(CDropDownCombo* combo, int index);
    void SetupTpList();
    void ClearTpList();
    void OnTpListContextMenu(const QPoint& position);
    bool InsertOffered() const;
    void RenumberTpRows(int from);
    void SelectTpRow(int row);
    QTreeWidgetItem* SelectedNode() const;
    static int SlotOfNode(const QTreeWidgetItem* node);
    void LabelSlotNode(int slot);
    void RelabelSatellites();
    void OnTreeSelectionChanged();
    SatelliteRecord* CurrentRecord();
    bool Refused(QLineEdit* edit, const QString& text);
    void ReturnToRefusedField();
    bool CanCommit() const;

    void OnNumberLeft(CFieldEdit* edit);
    void OnNameEdited();
    void OnOptionLeft(CDropDownCombo* combo);
    void OnLnbTypeClosed();
    void OnSwitchTypeCommit();
    void OnRadioClicked(QRadioButton* button);

    UserPrompts& m_prompts;
    MeterImage m_image{};
    bool m_initialised = false;
    int m_refreshDepth = 0;
    bool m_committing = false;
    QLineEdit* m_refusedEdit = nullptr;

    // View values of the value exchange, in its order.
    QString m_nameView;
    std::uint32_t m_satLongitudeView = 0;
    std::uint32_t m_lowFreqView = 0;
    std::uint32_t m_highFreqView = 0;
    std::uint32_t m_tpFreqView = 0;
    std::uint32_t m_tpSymbolRateView = 0;
    std::uint32_t m_localLongitudeView = 0;
    std::uint32_t m_localLatitudeView = 0;
    int m_beepView = 0;
    int m_backlightView = 0;

    QHash<int, QWidget*> m_controls;
    QList<QIcon> m_treeImages;
    QTreeWidget* m_tree = nullptr;
    QTreeWidgetItem* m_satelliteListNode = nullptr;
    CEditListCtrl* m_tpList = nullptr;
    // The slot whose transponders the list shows, -1 while it is empty.
    int m_listSlot = -1;
    QGroupBox* m_satellitePane = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    CFieldEdit* m_satLongitudeEdit = nullptr;
    CFieldEdit* m_lowFreqEdit = nullptr;
    CFieldEdit* m_highFreqEdit = nullptr;
    CFieldEdit* m_tpFreqEdit = nullptr;
    CFieldEdit* m_tpSymbolRateEdit = nullptr;
    CFieldEdit* m_localLongitudeEdit = nullptr;
    CFieldEdit* m_localLatitudeEdit = nullptr;
    CDropDownCombo* m_directionCombo = nullptr;
    CDropDownCombo* m_lnbTypeCombo = nullptr;
    CDropDownCombo* m_lnbPowerCombo = nullptr;
    CDropDownCombo* m_switchTypeCombo = nullptr;
    CDropDownCombo* m_switchInputCombo = nullptr;
    CDropDownCombo* m_toneCombo = nullptr;
    CDropDownCombo* m_positionTypeCombo = nullptr;
    CDropDownCombo* m_tpPolarityCombo = nullptr;
    CDropDownCombo* m_localDirectionCombo = nullptr;
    CDropDownCombo* m_hemisphereCombo = nullptr;
    CDropDownCombo* m_autoPowerOffCombo = nullptr;
    CDropDownCombo* m_languageCombo = nullptr;
    QButtonGroup* m_beepGroup = nullptr;
    QButtonGroup* m_backlightGroup = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_tpMenu = nullptr;
    QAction* m_insertAction = nullptr;
    QAction* m_deleteAction = nullptr;
};
