// Writing a slot's transponders anew, as a refresh from a table does: the count, the rows with
// padding 0, the rows behind the count and every other byte untouched, one undo step.

#include "model/MeterDocument.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MeterDocument, SetTranspondersWritesTheCountAndRowsAndNothingElse) {
    // Every transponder byte distinct, padding included, so that any row written or left shows.
    MeterDocument document;
    SettingsBlock& block = document.UncheckedImage().settingsBlock;
    block.satCount = 4;
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        block.satellites[slot].tpCount = 5;
        for (std::size_t row = 0; row < kMaxTps; ++row) {
            block.satellites[slot].tps[row] = {static_cast<std::uint16_t>(1000 + slot * 10 + row),
                                               static_cast<std::uint16_t>(11000 + slot * 10 + row),
                                               kVertical, static_cast<std::uint8_t>(0x80 + row)};
        }
    }
    document.ClearHistory();
    const MeterImage before = document.Image();
    std::vector<TpEntry> rows;
    for (std::uint16_t i = 0; i < 11; ++i) {
        rows.push_back({static_cast<std::uint16_t>(27500 + i),
                        static_cast<std::uint16_t>(12000 + i), i % 2 == 0 ? kHorizontal : kVertical,
                        0x33});
    }
    const struct {
        int slot;
        std::size_t rows;
        int count; // stored afterwards; -1: the slot does not exist, nothing changes
    } cases[] = {{2, 3, 3}, {2, 0, 0}, {0, 8, 8}, {1, 11, 8}, {19, 1, 1}, {-1, 2, -1}, {20, 2, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot << ", " << c.rows << " rows");
        document.SetTransponders(c.slot, {rows.begin(), rows.begin() + c.rows});
        MeterImage expected = before;
        if (c.count >= 0) {
            SatelliteRecord& record = expected.settingsBlock.satellites[std::size_t(c.slot)];
            record.tpCount = static_cast<std::uint8_t>(c.count);
            for (std::size_t row = 0; row < record.tpCount; ++row) {
                record.tps[row] = rows[row];
                record.tps[row].padding5 = 0;
            }
        }
        EXPECT_EQ(document.Image(), expected);
        ASSERT_EQ(document.EndStep(20, 20), c.count >= 0);
        if (c.count >= 0) {
            document.Undo();
        }
        EXPECT_EQ(document.Image(), before);
        EXPECT_FALSE(document.CanUndo());
    }
}

} // namespace
