#pragma once

#include "editor/CEditorPage.h"

#include <QObject>

#include <array>

class CLocalPositionPage;
class CSatellitePage;
class CSystemSettingPage;

// The window's pages, each made when first asked for (start-up pays only for the page it
// shows), one of them on screen. Over all of them runs the value exchange in its fixed order:
// Satellite, Local Position, System Setting; the TP pane's hidden controls take no part.
class CEditorPages final : public QObject, public CEditorPage::Exchange {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorPages)

public:
    CEditorPages(MeterDocument& document, UserPrompts& prompts, RefreshGuard& guard,
                 QWidget* window);

    CEditorPage& Page(Pane pane);
    CSatellitePage& Satellite();
    CLocalPositionPage& LocalPosition();
    CSystemSettingPage& SystemSetting();
    // The control of a page with this id, making its page; nullptr for an id of no page.
    QWidget* Control(int id);

    // Shows the page and hides the others.
    void Show(Pane pane);
    void EnableEditControls(bool on);
    // Commits a page's field as leaving it would; any other widget is left alone.
    void CommitField(QWidget* focus);
    // The slot the Satellite page shows and changes.
    void SetSlot(int slot);

    bool ReadView() override;
    void WriteView() override;
    void ReturnToRefusedField() override;

signals:
    // The Satellite page stored a typed name.
    void nameEdited(const QString& name);

private:
    MeterDocument& m_document;
    UserPrompts& m_prompts;
    RefreshGuard& m_guard;
    QWidget* m_window;
    // Indexed by Pane, nullptr until made.
    std::array<CEditorPage*, 4> m_pages{};
    bool m_editEnabled = true;
    int m_slot = -1;
    QLineEdit* m_refusedField = nullptr;
};
