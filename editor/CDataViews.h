#pragma once

#include "model/MeterData.h"

#include <QObject>

class CEditListCtrl;
class CNavigationTree;
class CSettingsCheck;
class CSkyView;
class UserPrompts;

// The windows that follow the editor's data after every change: the Sky View, made when first
// opened, and the settings check with its marks on the tree and the TP list.
class CDataViews final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDataViews)

public:
    // The image, tree and TP list must outlive the views; the tree must be built.
    CDataViews(const MeterImage& image, CNavigationTree& tree, CEditListCtrl& tpList,
               UserPrompts& prompts, QWidget* window);

    // selectedSlot: the slot the window shows, -1 for none.
    void Refresh(int selectedSlot);
    // Opens the window, or raises it.
    void OpenSkyView(int selectedSlot);
    void OpenCheck();
    CSkyView* SkyView() const { return m_skyView; }

signals:
    // Just before a view selects a satellite's node, so that the window commits the field
    // being left as a click on the node would.
    void aboutToSelect();

private:
    const MeterImage& m_image;
    CNavigationTree& m_tree;
    UserPrompts& m_prompts;
    QWidget* m_window;
    CSkyView* m_skyView = nullptr;
    CSettingsCheck* m_check = nullptr;
};
