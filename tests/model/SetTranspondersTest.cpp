// Writing a slot's transponders anew, as a refresh from a table does: the count, the rows with
// padding 0, the rows behind the count and every other byte untouched, one undo step.

#include "model/MeterDocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Every transponder byte distinct, padding included, so that any row written or left shows.
std::unique_ptr<MeterDocument> Filled() {
    auto document = std::make_unique<MeterDocument>();
    SettingsBlock& block = document->UncheckedImage().settingsBlock;
    block.satCount = 4;
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        SatelliteRecord& record = block.satellites[slot];
        record.tpCount = 5;
        record.switchType = 1;
        record.tone22k = 2;
        for (std::size_t row = 0; row < kMaxTps; ++row) {
            record.tps[row] = {static_cast<std::uint16_t>(1000 + slot * 10 + row),
                               static_cast<std::uint16_t>(11000 + slot * 10 + row), kVertical,
                               static_cast<std::uint8_t>(0x80 + row)};
        }
    }
    document->ClearHistory();
    return document;
}

std::vector<TpEntry> NewRows(std::size_t count) {
    std::vector<TpEntry> rows;
    for (std::size_t i = 0; i < count; ++i) {
        rows.push_back({static_cast<std::uint16_t>(27500 + i),
                        static_cast<std::uint16_t>(12000 + i), i % 2 == 0 ? kHorizontal : kVertical,
                        0x33});
    }
    return rows;
}

TEST(MeterDocument, SetTranspondersWritesTheCountAndRowsAndNothingElse) {
    const struct {
        int slot;
        std::size_t rows;
        std::uint8_t count; // stored afterwards
    } cases[] = {{2, 3, 3}, {2, 0, 0}, {0, 8, 8}, {3, 7, 7}, {1, 11, 8}, {19, 1, 1}};
    for (const auto& c : cases) {
        auto document = Filled();
        const MeterImage before = document->Image();
        const std::vector<TpEntry> rows = NewRows(c.rows);
        document->SetTransponders(c.slot, rows);

        MeterImage expected = before;
        SatelliteRecord& record =
            expected.settingsBlock.satellites[static_cast<std::size_t>(c.slot)];
        record.tpCount = c.count;
        for (std::size_t row = 0; row < c.count; ++row) {
            record.tps[row] = rows[row];
            record.tps[row].padding5 = 0;
        }
        EXPECT_EQ(document->Image(), expected) << "slot " << c.slot << ", " << c.rows << " rows";

        EXPECT_TRUE(document->EndStep(20, 20));
        document->Undo();
        EXPECT_EQ(document->Image(), before);
        EXPECT_FALSE(document->CanUndo());
    }
}

TEST(MeterDocument, SetTranspondersForASlotThatDoesNotExistChangesNothing) {
    auto document = Filled();
    const MeterImage before = document->Image();
    document->SetTransponders(-1, NewRows(2));
    document->SetTransponders(static_cast<int>(kMaxSatellites), NewRows(2));
    EXPECT_EQ(document->Image(), before);
    EXPECT_FALSE(document->EndStep(20, 20));
}

} // namespace
