#pragma once

#include "model/MeterData.h"
#include "model/SatRecordList.h"

#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
class UserPrompts;

// The modal dialog "Satellite List": a library of satellites on the left, filled from a
// satellite list file, the built-in table or one by one, and on the right the satellites picked
// for the meter's slots. The caller reads AddedList() after "OK".
class CSatListDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSatListDlg)

public:
    explicit CSatListDlg(UserPrompts& prompts, QWidget* parent = nullptr);

    const SatRecordList& AddedList() const { return m_added; }
    const SatRecordList& Library() const { return m_library; }
    // The library holds changes not yet offered for saving; a save does not clear it.
    bool IsChanged() const { return m_changed; }

    enum class SaveOutcome { Saved, Cancelled, Failed };

    // Asks for a satellite list file and inserts its records into the library.
    void LoadSatListFile();
    // Asks for a file name and writes the library. Failed comes after its own message.
    SaveOutcome SaveSatListFile();
    // "Cancle", Escape and the close box: a changed library is offered for saving first.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ShowLibrary();
    void ShowAdded();
    // Offers to save a changed library before it is dropped. False: the save failed or its
    // file dialog was cancelled, and the operation stops with everything as it was.
    bool OfferSave(const QString& question);

    void OnAdd();
    void OnRemove();
    void OnOpenFile();
    void OnDefault();
    void OnNewSat();
    void OnEdit();
    void OnDelete();
    void OnOK();
    void OnCancle();

    UserPrompts& m_prompts;
    SatRecordList m_library;
    SatRecordList m_added;
    bool m_changed = false;
    int m_libraryPos = -1; // selected library line when the view last lost the focus
    int m_addedPos = -1;   // the same for the added view
    SatelliteRecord m_template;

    QLabel* m_libraryCount = nullptr;
    QLabel* m_addedCount = nullptr;
    QListWidget* m_libraryView = nullptr;
    QListWidget* m_addedView = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
};
