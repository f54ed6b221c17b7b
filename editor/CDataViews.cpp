#include "editor/CDataViews.h"

#include "controls/CEditListCtrl.h"
#include "editor/CNavigationTree.h"
#include "editor/CSettingsCheck.h"
#include "editor/CSkyView.h"

CDataViews::CDataViews(const MeterImage& image, CNavigationTree& tree, CEditListCtrl& tpList,
                       UserPrompts& prompts, QWidget* window)
    : QObject(window), m_image(image), m_tree(tree), m_prompts(prompts), m_window(window),
      m_check(new CSettingsCheck(image, tree, tpList, window)) {
    connect(m_check, &CSettingsCheck::aboutToSelect, this, &CDataViews::aboutToSelect);
}

void CDataViews::Refresh(int selectedSlot) {
    if (m_skyView != nullptr) {
        m_skyView->Refresh(selectedSlot);
    }
    m_check->Refresh(selectedSlot);
}

void CDataViews::OpenSkyView(int selectedSlot) {
    if (m_skyView == nullptr) {
        // Made on first use, so that the window's start-up does not pay for it.
        m_skyView = new CSkyView(m_image, m_prompts, m_window);
        connect(m_skyView, &CSkyView::SatelliteClicked, this, [this](int slot) {
            emit aboutToSelect();
            if (QTreeWidgetItem* node = m_tree.SlotNode(slot)) {
                m_tree.setCurrentItem(node);
            }
        });
    }
    m_skyView->Refresh(selectedSlot);
    m_skyView->Open();
}

void CDataViews::OpenCheck() {
    m_check->OpenWindow();
}
