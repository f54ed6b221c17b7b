#pragma once

#include "editor/CEditorPage.h"

#include <cstdint>

// The Local Position page: the dish's longitude and latitude with their directions.
class CLocalPositionPage final : public CEditorPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLocalPositionPage)

public:
    CLocalPositionPage(const Context& context, QWidget* window);

    void ShowPosition();

    bool ReadView() override;
    void WriteView() override;

private:
    // View values of the value exchange, in its order.
    std::uint32_t m_longitudeView = 0;
    std::uint32_t m_latitudeView = 0;
};
