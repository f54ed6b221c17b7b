#pragma once

#include "editor/EditorLayout.h"

#include <QGroupBox>
#include <QHash>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CDropDownCombo;
class CFieldEdit;
class MeterDocument;
class QLineEdit;
class RefreshGuard;
class UserPrompts;
enum class NumberField;
enum class OptionField;

// A pane of the window as a page: the group box that owns its labels and controls, shows a
// record or setting of the document and turns each commit into a document call. The window
// owns the pages and switches between them.
class CEditorPage : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorPage)

public:
    // The window's value exchange over all pages, in its order: a page's commit reads and
    // writes every page, so the first bad value of the window is the one reported.
    class Exchange {
    public:
        virtual bool ReadView() = 0;
        virtual void WriteView() = 0;
        // Puts the focus back into the field whose refusal ReadView reported, if any.
        virtual void ReturnToRefusedField() = 0;

    protected:
        Exchange() = default;
        ~Exchange() = default;
        Exchange(const Exchange&) = default;
        Exchange& operator=(const Exchange&) = default;
    };
    struct Context {
        MeterDocument& document;
        UserPrompts& prompts;
        RefreshGuard& guard;
        Exchange& exchange;
    };

    // Creates the pane's controls inside the page, as a hidden child of the window.
    CEditorPage(Pane pane, const Context& context, QWidget* window);

    QWidget* Control(int id) const { return m_controls.value(id, nullptr); }
    const QHash<int, QWidget*>& Controls() const { return m_controls; }

    // Moves the texts of the page's fields into its view values, checking each in order. A
    // refused field gets the message, the focus and its text selected.
    virtual bool ReadView() { return true; }
    // Moves the view values back; an unchanged text is left alone, so a caret stays put.
    virtual void WriteView() {}
    QLineEdit* RefusedField() const { return m_refused; }
    // Every control of the page but its labels.
    void EnableEditControls(bool on);

protected:
    // The entries of both direction lists, in the order of their stored letters.
    static constexpr std::array<const char*, 2> kEastWest = {"East", "West"};

    CFieldEdit* Edit(int id) const;
    CDropDownCombo* Combo(int id) const;
    bool ReadNumber(QLineEdit* edit, std::uint32_t& view, std::uint32_t max);
    static void WriteNumber(QLineEdit* edit, std::uint32_t view);
    template <typename Labels> static void Fill(CDropDownCombo* combo, const Labels& labels) {
        QStringList entries;
        for (const char* label : labels) {
            entries << QString::fromLatin1(label);
        }
        FillEntries(combo, entries);
    }
    static void FillEntries(CDropDownCombo* combo, const QStringList& entries);
    // By position; a stored code outside the list shows no entry.
    static void SelectEntry(CDropDownCombo* combo, int index);

    // Calls `left` each time the user leaves the field; afterwards the field's own undo starts
    // again from what is stored, and a refused field keeps its selection.
    void OnFieldLeft(CFieldEdit* edit, std::function<void()> left);
    // A number field left: the window's exchange reads every page, the field's value is stored
    // within its limit and shown, and one step ends.
    void CommitNumber(NumberField field, int slot, std::uint32_t& view);
    // An option left: its entry is stored (nothing chosen keeps the stored code).
    void CommitOption(OptionField field, int slot, const CDropDownCombo* combo);

    MeterDocument& m_document;
    UserPrompts& m_prompts;
    RefreshGuard& m_guard;
    Exchange& m_exchange;

private:
    QHash<int, QWidget*> m_controls;
    // Every control but the labels; "Add TP" lies outside the page and is left alone.
    std::vector<QWidget*> m_editControls;
    QLineEdit* m_refused = nullptr;
};
