#include "library/CSatListDlg.h"

#include "controls/ControlIds.h"
#include "controls/DialogLayout.h"
#include "controls/DialogUnits.h"
#include "controls/FileMessages.h"
#include "controls/UserPrompts.h"
#include "import/ImportMessages.h"
#include "import/SatelliteTable.h"
#include "library/CSatEditDlg.h"
#include "model/DefaultSatellites.h"
#include "model/SatListFile.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <filesystem>

namespace {

enum class Kind { Label, Count, View, Button };

using LayoutItem = DialogItem<Kind>;

constexpr int kStatic = kStaticControl;
constexpr int kIdLibraryCount = 1097;
constexpr int kIdLibraryView = 1053;
constexpr int kIdAddedCount = 1098;
constexpr int kIdAddedView = 1056;
constexpr int kIdAdd = 1047;
constexpr int kIdNewSat = 1054;
constexpr int kIdDelete = 1049;
constexpr int kIdRemove = 1048;
constexpr int kIdOk = 1;
constexpr int kIdOpenFile = 1055;
constexpr int kIdEdit = 1050;
constexpr int kIdDefault = 1099;
constexpr int kIdCancle = 1052;

constexpr int kDialogWidth = 300;
constexpr int kDialogHeight = 207;

// Dialog units, in tab order. A label names the control that follows it.
constexpr LayoutItem kLayout[] = {
    {Kind::Label, kStatic, "Satellite Number:", 7, 7, 64, 8},
    {Kind::Count, kIdLibraryCount, nullptr, 72, 7, 40, 8},
    {Kind::View, kIdLibraryView, nullptr, 7, 18, 110, 182},
    {Kind::Label, kStatic, "Added Satellites:", 183, 7, 64, 8},
    {Kind::Count, kIdAddedCount, nullptr, 248, 7, 40, 8},
    {Kind::View, kIdAddedView, nullptr, 183, 18, 110, 182},
    {Kind::Button, kIdAdd, ">>", 123, 24, 54, 14},
    {Kind::Button, kIdNewSat, "New Sat", 123, 66, 54, 14},
    {Kind::Button, kIdDelete, "Delete", 123, 102, 54, 14},
    {Kind::Button, kIdRemove, "Remove", 123, 42, 54, 14},
    {Kind::Button, kIdOk, "OK", 123, 168, 54, 14},
    {Kind::Button, kIdOpenFile, "Open File", 123, 126, 54, 14},
    {Kind::Button, kIdEdit, "Edit", 123, 84, 54, 14},
    {Kind::Button, kIdDefault, "Default", 123, 144, 54, 14},
    {Kind::Button, kIdCancle, "Cancle", 123, 186, 54, 14},
};

// The library's own files first, then the public tables it reads, then anything.
const QString kOpenFilter = QStringLiteral("Satellites list File (*.sat)|*.sat|") +
                            QString::fromLatin1(kSatelliteTableFilters) +
                            QStringLiteral("All Files (*)|*|");
const QString kSaveFilter = QStringLiteral("Satellite list File (*.sat)|*.sat|");
const QString kSelectOne = QStringLiteral("Please select one satellite");
const QString kSatelliteNull = QStringLiteral("satellite null");
const QString kSaveSatList = QStringLiteral("Do you save sat list?");
const QString kTooMany =
    QStringLiteral("Too many satellites: a library holds at most %1, so nothing was added.")
        .arg(kMaxSatListRecords);

// The selected line of a view, -1 for none.
int SelectedPos(const QListWidget* view) {
    const QList<QListWidgetItem*> selected = view->selectedItems();
    return selected.isEmpty() ? -1 : view->row(selected.first());
}

void FillView(QListWidget* view, QLabel* count, const SatRecordList& list) {
    QStringList names;
    names.reserve(list.GetCount());
    for (int i = 0; i < list.GetCount(); ++i) {
        names << QString::fromLatin1(NameText(list.GetAt(i)));
    }
    view->clear();
    view->addItems(names);
    count->setText(QString::number(list.GetCount()));
}

} // namespace

CSatListDlg::CSatListDlg(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_template(MakeNewSatellite("Satellite00")) {
    setWindowTitle(QStringLiteral("Satellite List"));
    CreateControls();
}

void CSatListDlg::CreateControls() {
    const auto make = [this](const LayoutItem& item) {
        QWidget* control = nullptr;
        switch (item.kind) {
        case Kind::Label:
            control = new QLabel(QString::fromLatin1(item.text), this);
            break;
        case Kind::Count:
            control = new QLabel(QStringLiteral("0"), this);
            break;
        case Kind::View: {
            auto* view = new QListWidget(this);
            view->setSelectionMode(QAbstractItemView::SingleSelection);
            // Lines of one height: a library of 65,535 names is laid out without
            // measuring each.
            view->setUniformItemSizes(true);
            view->installEventFilter(this);
            control = view;
            break;
        }
        case Kind::Button: {
            auto* button = new QPushButton(QString::fromLatin1(item.text), this);
            // Buttons that act on a selection start disabled until a view with
            // lines has the focus.
            button->setEnabled(item.id != kIdAdd && item.id != kIdDelete && item.id != kIdRemove &&
                               item.id != kIdEdit);
            control = button;
            break;
        }
        }
        return control;
    };
    BuildDialog<Kind>(this, kLayout, Kind::Label, kDialogWidth, kDialogHeight, make);

    const auto byId = [this](int id) {
        return FindControl(this, id);
    };
    const auto button = [&byId](int id) {
        return static_cast<QPushButton*>(byId(id));
    };
    m_libraryCount = static_cast<QLabel*>(byId(kIdLibraryCount));
    m_addedCount = static_cast<QLabel*>(byId(kIdAddedCount));
    m_libraryView = static_cast<QListWidget*>(byId(kIdLibraryView));
    m_addedView = static_cast<QListWidget*>(byId(kIdAddedView));
    m_addButton = button(kIdAdd);
    m_removeButton = button(kIdRemove);
    m_editButton = button(kIdEdit);
    m_deleteButton = button(kIdDelete);

    button(kIdNewSat)->setDefault(true);
    connect(m_addButton, &QPushButton::clicked, this, &CSatListDlg::OnAdd);
    connect(m_removeButton, &QPushButton::clicked, this, &CSatListDlg::OnRemove);
    connect(m_editButton, &QPushButton::clicked, this, &CSatListDlg::OnEdit);
    connect(m_deleteButton, &QPushButton::clicked, this, &CSatListDlg::OnDelete);
    connect(button(kIdNewSat), &QPushButton::clicked, this, &CSatListDlg::OnNewSat);
    connect(button(kIdOk), &QPushButton::clicked, this, &CSatListDlg::OnOK);
    connect(button(kIdOpenFile), &QPushButton::clicked, this, &CSatListDlg::OnOpenFile);
    connect(button(kIdDefault), &QPushButton::clicked, this, &CSatListDlg::OnDefault);
    connect(button(kIdCancle), &QPushButton::clicked, this, &CSatListDlg::OnCancle);
}

bool CSatListDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_libraryView || watched == m_addedView) {
        auto* view = static_cast<QListWidget*>(watched);
        if (event->type() == QEvent::FocusOut) {
            (view == m_libraryView ? m_libraryPos : m_addedPos) = SelectedPos(view);
        } else if (event->type() == QEvent::FocusIn) {
            const bool hasLines = view->count() > 0;
            if (view == m_libraryView) {
                if (hasLines) {
                    m_addButton->setEnabled(true);
                    m_editButton->setEnabled(true);
                    m_deleteButton->setEnabled(true);
                    m_removeButton->setEnabled(false);
                } else {
                    m_editButton->setEnabled(false);
                    m_deleteButton->setEnabled(false);
                }
            } else if (hasLines) {
                m_addButton->setEnabled(false);
                m_editButton->setEnabled(false);
                m_deleteButton->setEnabled(false);
                m_removeButton->setEnabled(true);
            } else {
                m_removeButton->setEnabled(false);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSatListDlg::ShowLibrary() {
    FillView(m_libraryView, m_libraryCount, m_library);
}

void CSatListDlg::ShowAdded() {
    FillView(m_addedView, m_addedCount, m_added);
}

bool CSatListDlg::OfferSave(const QString& question) {
    if (!m_changed) {
        return true;
    }
    if (m_prompts.Question(this, question)) {
        switch (SaveSatListFile()) {
        case SaveOutcome::Saved:
            break;
        case SaveOutcome::Cancelled:
            // Dropping the library unsaved is what "Cancel" in the question is for.
            return false;
        case SaveOutcome::Failed:
            m_prompts.Message(this, QStringLiteral("Save false!"));
            return false;
        }
    }
    m_library.RemoveAll();
    ShowLibrary();
    return true;
}

void CSatListDlg::LoadSatListFile() {
    const QString path = m_prompts.OpenFileName(this, kOpenFilter);
    if (path.isEmpty()) {
        return;
    }
    // The content tells a public table from the library's own records, never the name.
    TableImport import;
    const TableImportResult table = ReadSatelliteTable(LocalPath(path), import);
    // A file that cannot be opened is reported as the library's own files report it.
    if (table != TableImportResult::NotATable && table != TableImportResult::CannotOpen) {
        if (table != TableImportResult::Done) {
            m_prompts.Message(this, ImportFailureMessage(table, path));
        } else if (!m_library.MergeSorted(import.records)) {
            m_prompts.Message(this, kTooMany);
        } else {
            // These records are in no satellite list file yet.
            m_changed = m_changed || !import.records.empty();
            m_prompts.Message(this, ImportSummary(import));
        }
        return;
    }
    const SatListReadResult result = ReadSatListFile(LocalPath(path), m_library);
    if (result == SatListReadResult::TooMany) {
        m_prompts.Message(this, kTooMany);
    } else if (result != SatListReadResult::Done) {
        m_prompts.Message(this, ReadFailureText(result, path));
    }
}

CSatListDlg::SaveOutcome CSatListDlg::SaveSatListFile() {
    QString path = m_prompts.SaveFileName(this, kSaveFilter, QString(), QStringLiteral("sat"));
    if (path.isEmpty()) {
        return SaveOutcome::Cancelled;
    }
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.'))) {
        path += QStringLiteral(".sat");
    }
    const SatListWriteResult result = WriteSatListFile(LocalPath(path), m_library);
    if (result == SatListWriteResult::Done) {
        return SaveOutcome::Saved;
    }
    m_prompts.Message(this, WriteFailureText(result, path));
    return SaveOutcome::Failed;
}

void CSatListDlg::OnAdd() {
    const int pos = SelectedPos(m_libraryView);
    m_libraryPos = pos;
    if (m_library.GetCount() == 0) {
        m_prompts.Message(this, kSatelliteNull);
        return;
    }
    if (m_added.GetCount() >= static_cast<int>(kMaxSatellites)) {
        m_prompts.Message(this, QStringLiteral("satellite <= 10"));
        return;
    }
    if (pos < 0) {
        return;
    }
    m_added.Add(m_library.GetAt(pos));
    ShowAdded();
}

void CSatListDlg::OnRemove() {
    if (m_addedPos < 0) {
        m_prompts.Message(this, kSelectOne);
        return;
    }
    // The remembered position stays: a second press removes the line that moved up.
    m_added.RemoveAt(m_addedPos);
    ShowAdded();
}

void CSatListDlg::OnOpenFile() {
    if (!OfferSave(QStringLiteral("Do you save added satellites?"))) {
        return;
    }
    LoadSatListFile();
    ShowLibrary();
}

void CSatListDlg::OnDefault() {
    if (!OfferSave(kSaveSatList)) {
        return;
    }
    SatRecordList defaults;
    AddDefaultSatellites(defaults);
    if (!m_library.MergeSorted(defaults.Records())) {
        m_prompts.Message(this, kTooMany);
        return;
    }
    m_changed = true;
    ShowLibrary();
}

void CSatListDlg::OnNewSat() {
    if (m_library.GetCount() >= kMaxSatListRecords) {
        m_prompts.Message(this,
                          QStringLiteral("The library is full: it holds at most %1 satellites.")
                              .arg(kMaxSatListRecords));
        return;
    }
    m_template = MakeNewSatellite("Satellite00");
    CSatEditDlg dialog(m_template, m_prompts, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_template = dialog.GetRecord();
    m_library.InsertSorted(m_template);
    m_changed = true;
    ShowLibrary();
}

void CSatListDlg::OnEdit() {
    if (m_libraryPos < 0) {
        m_prompts.Message(this, kSelectOne);
        return;
    }
    const int pos = SelectedPos(m_libraryView);
    if (pos < 0) {
        return;
    }
    CSatEditDlg dialog(m_library.GetAt(pos), m_prompts, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_library.SetAt(pos, dialog.GetRecord());
    // The record keeps its place: the library is not sorted again after an edit.
    m_libraryView->item(pos)->setText(QString::fromLatin1(NameText(dialog.GetRecord())));
}

void CSatListDlg::OnDelete() {
    if (m_libraryPos < 0) {
        m_prompts.Message(this, kSelectOne);
        return;
    }
    m_library.RemoveAt(SelectedPos(m_libraryView));
    m_changed = true;
    ShowLibrary();
}

void CSatListDlg::OnOK() {
    if (m_added.GetCount() == 0) {
        m_prompts.Message(this, kSatelliteNull);
        return;
    }
    if (!OfferSave(kSaveSatList)) {
        return;
    }
    accept();
}

void CSatListDlg::OnCancle() {
    reject();
}

void CSatListDlg::reject() {
    if (!OfferSave(kSaveSatList)) {
        return;
    }
    QDialog::reject();
}
