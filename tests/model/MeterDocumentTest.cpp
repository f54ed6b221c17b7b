#include "model/MeterDocument.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Slots named "S0", "S1", ... with `count` in use, each with distinct transponder frequencies,
// set up as a file would hold them.
std::unique_ptr<MeterDocument> Numbered(
    int count, void (*edit)(MeterImage&) = [](MeterImage&) {}) {
    auto document = std::make_unique<MeterDocument>();
    SettingsBlock& block = document->UncheckedImage().settingsBlock;
    block.satCount = static_cast<std::uint8_t>(count);
    for (std::size_t slot = 0; slot < 20; ++slot) {
        SetNameText(block.satellites[slot], "S" + std::to_string(slot));
        for (std::size_t row = 0; row < 8; ++row) {
            block.satellites[slot].tps[row].frequency =
                static_cast<std::uint16_t>(10000 + 10 * slot + row);
        }
    }
    edit(document->UncheckedImage());
    document->ClearHistory();
    return document;
}

const SatelliteRecord& Sat(const MeterDocument& document, int slot) {
    return document.Image().settingsBlock.satellites[static_cast<std::size_t>(slot)];
}

// The slots whose name is no longer "S<slot>", as "slot:name "; a "!" marks a record whose
// transponders are not the ones Numbered gave that name, i.e. one not moved whole.
std::string Moved(const MeterDocument& document) {
    std::string moved;
    for (int slot = 0; slot < 20; ++slot) {
        std::string name = NameText(Sat(document, slot));
        int n = 0;
        if (std::sscanf(name.c_str(), "S%d", &n) == 1 &&
            Sat(document, slot).tps[7].frequency != 10000 + 10 * n + 7) {
            name += "!";
        }
        if (name != "S" + std::to_string(slot)) {
            moved += std::to_string(slot) + ":" + name + " ";
        }
    }
    return moved;
}

// The frequencies of the slot's rows in use.
std::string Rows(const MeterDocument& document, int slot) {
    std::string rows;
    for (int row = 0; row < std::min<int>(Sat(document, slot).tpCount, 8); ++row) {
        rows +=
            std::to_string(Sat(document, slot).tps[static_cast<std::size_t>(row)].frequency) + " ";
    }
    return rows;
}

} // namespace

// '+' adds, '-' deletes, '^' and 'v' move; a count above twenty counts as twenty.
TEST(MeterDocument, SlotsAddDeleteAndMoveWithinTheSlotsInUse) {
    struct Case {
        char op;
        int count, slot, result, countAfter; // result -1 or 0: refused
        const char* moved;
    };
    for (const Case& c :
         {Case{'+', 0, 19, 0, 1, "0:new Sat "}, Case{'+', 3, 1, 1, 4, "1:new Sat 2:S1 3:S2 "},
          Case{'+', 19, 18, 18, 20, "18:new Sat 19:S18 "}, Case{'+', 3, 20, -1, 3, ""},
          Case{'+', 20, 0, -1, 20, ""}, Case{'-', 1, 1, 0, 1, ""},
          Case{'-', 3, 0, 1, 2, "0:S1 1:S2 2: "}, Case{'-', 20, 19, 1, 19, "19: "},
          Case{'-', 25, 19, 1, 19, "19: "}, Case{'^', 20, 0, 0, 20, ""},
          Case{'^', 20, 19, 1, 20, "18:S19 19:S18 "}, Case{'v', 3, 2, 0, 3, ""},
          Case{'v', 3, 1, 1, 3, "1:S2 2:S1 "}, Case{'v', 25, 19, 0, 25, ""}}) {
        SCOPED_TRACE(testing::Message() << c.op << " count " << c.count << " slot " << c.slot);
        auto document = Numbered(c.count);
        MeterDocument& d = *document;
        EXPECT_EQ(c.op == '+'   ? d.AddSatellite(c.slot)
                  : c.op == '-' ? d.DeleteSatellite(c.slot)
                  : c.op == '^' ? d.MoveUp(c.slot)
                                : d.MoveDown(c.slot),
                  c.result);
        EXPECT_EQ(d.Image().settingsBlock.satCount, c.countAfter);
        EXPECT_EQ(Moved(d), c.moved);
        if (c.op == '+' && c.result >= 0) {
            EXPECT_EQ(Sat(d, c.result), MakeNewSatellite("new Sat"));
        } else if (c.op == '-' && c.result) {
            EXPECT_EQ(Sat(d, std::min(c.count, 20) - 1), MakeNewSatellite(""));
        }
    }
}

TEST(MeterDocument, TransponderRowsInsertDeleteStoreAndRepair) {
    auto document = Numbered(1, [](MeterImage& image) {
        image.settingsBlock.satellites[1].tpCount = 0;
        image.settingsBlock.satellites[2].tpCount = 7;
        image.settingsBlock.satellites[3].tpCount = 200; // a file's count above eight
        SatelliteRecord& shown = image.settingsBlock.satellites[4];
        shown.tpCount = 2;
        shown.tps[0].polarization = 'v';
        shown.tps[1].polarization = kVertical;
        shown.tps[2].polarization = 1;
    });
    EXPECT_FALSE(document->InsertTp(0, 0)); // a full slot takes no more
    EXPECT_FALSE(document->InsertTp(3, 0)); // a count above eight counts as eight
    EXPECT_FALSE(document->InsertTp(1, 1)); // nothing past the row after the last
    EXPECT_FALSE(document->DeleteTp(0, 8));
    EXPECT_TRUE(document->InsertTp(1, 0));
    EXPECT_TRUE(document->InsertTp(2, 0));
    EXPECT_TRUE(document->DeleteTp(0, 7));
    EXPECT_TRUE(document->DeleteTp(0, 0));
    EXPECT_TRUE(document->DeleteTp(3, 7));
    EXPECT_EQ(Rows(*document, 0), "10001 10002 10003 10004 10005 10006 ");
    EXPECT_EQ(Rows(*document, 1), "9750 ");
    EXPECT_EQ(Rows(*document, 2), "9750 10020 10021 10022 10023 10024 10025 10026 ");
    EXPECT_EQ(Rows(*document, 3), "10030 10031 10032 10033 10034 10035 10036 ");
    EXPECT_EQ(Sat(*document, 2).tps[0], kFreshTp);

    // Cells: 16 bits at most, rows past the count change nothing, "H" is 'H', else 'V'.
    EXPECT_EQ(document->SetTpNumber(0, 0, TpNumber::Frequency, 99999), 65535);
    EXPECT_EQ(document->SetTpNumber(0, 5, TpNumber::SymbolRate, 27500), 27500);
    EXPECT_EQ(Sat(*document, 0).tps[0].frequency, 65535);
    EXPECT_EQ(Sat(*document, 0).tps[5].symbolRate, 27500);
    const auto before = std::make_unique<MeterImage>(document->Image());
    document->SetTpNumber(0, 6, TpNumber::Frequency, 1);
    document->SetTpPolarization(0, 6, "V");
    EXPECT_EQ(document->Image(), *before);
    for (const auto& [text, letter] :
         {std::pair{"V", kVertical}, std::pair{"H", kHorizontal}, std::pair{"x", kVertical}}) {
        document->SetTpPolarization(0, 5, text);
        EXPECT_EQ(Sat(*document, 0).tps[5].polarization, letter) << text;
    }
    // Showing a slot repairs the letters of the transponders in use only.
    EXPECT_TRUE(document->RepairPolarizations(4));
    EXPECT_FALSE(document->RepairPolarizations(4));
    const auto& tps = Sat(*document, 4).tps;
    EXPECT_EQ(Bytes({tps[0].polarization, tps[1].polarization, tps[2].polarization}),
              Bytes({kHorizontal, kVertical, 1}));
}

TEST(MeterDocument, PaneFieldsClampAndStore) {
    MeterDocument document;
    const SettingsBlock& block = document.Image().settingsBlock;
    EXPECT_EQ(document.SetNumber(NumberField::SatelliteLongitude, 19, 1801), 1800u);
    EXPECT_EQ(document.SetNumber(NumberField::LnbLowFreq, 0, 20001), 20000u);
    EXPECT_EQ(document.SetNumber(NumberField::LocalLatitude, -1, 4294967295u), 900u);
    EXPECT_EQ(block.satellites[19].longitude, 1800);
    EXPECT_EQ(block.localPosition.latitude, 900);
    document.SetOption(OptionField::Direction, 2, 1);
    document.SetOption(OptionField::Hemisphere, -1, 1);
    EXPECT_EQ(block.satellites[2].direction, kWest);
    EXPECT_EQ(block.localPosition.latitudeDir, kSouth);
    // Nothing chosen keeps the stored code; an entry past the list is no choice.
    for (const int entry : {4, -1, 5}) {
        document.SetOption(OptionField::AutoPowerOff, -1, entry);
    }
    EXPECT_EQ(document.Image().systemSetting.autoPowerOff, 4);
    // The LNB type alone is stored; the frequencies stay for "Customized".
    document.SetLnbType(4, 7);
    EXPECT_EQ(block.satellites[4].lnbType, 7);
    EXPECT_EQ(block.satellites[4].lnbLowFreq, kFreshLnbLowFreq);
    // The input is cut to what the switch type offers.
    EXPECT_EQ(document.SetSwitch(5, 2, 15), 15);
    EXPECT_EQ(document.SetSwitch(5, 1, 15), 3);
    EXPECT_EQ(document.SetSwitch(5, 0, 3), 0);
    EXPECT_EQ(block.satellites[5].switchType, 0);
    EXPECT_EQ(block.satellites[5].switchInput, 0);
    document.SetName(3, "Hotbird 13C and more");
    EXPECT_EQ(NameText(block.satellites[3]), "Hotbird 13C");
}

TEST(MeterDocument, LoadSatCopiesIntoTheFirstSlotsAndKeepsTheCount) {
    auto document = Numbered(2);
    std::vector<SatelliteRecord> picked(22, MakeNewSatellite("Pick"));
    picked[0] = MakeNewSatellite("First");
    document->CopyIntoFirstSlots({picked.begin(), picked.begin() + 3});
    EXPECT_EQ(Moved(*document), "0:First 1:Pick 2:Pick ");
    EXPECT_EQ(document->Image().settingsBlock.satCount, 2);
    document->CopyIntoFirstSlots(picked);
    document->ReplaceSatellite(7, MakeNewSatellite("Only"));
    EXPECT_EQ(NameText(Sat(*document, 7)) + NameText(Sat(*document, 19)), "OnlyPick");
}

// Each row acts on the document the rows before it left, starting from a fresh one. Undo answers
// the selection before its step, redo the one after; the document is modified until its bytes
// match the last load or save (the fresh ones before any).
TEST(MeterDocument, StepsUndoRedoAndTheModifiedMark) {
    TempDir dir;
    const std::filesystem::path file = dir / "m.bin";
    MeterDocument document;
    document.UncheckedImage().leadingImage[7] = 0x5A;
    document.UncheckedImage().trailingImage[3] = 0xA5;
    const auto start = std::make_unique<MeterImage>(document.Image());
    const auto latest = std::make_unique<MeterImage>();
    using Run = std::function<void(MeterDocument&)>;
    // Slot 0's first frequency, a step with the selections 1 and 2 when a byte changed.
    const auto frequency = [](std::uint64_t value, bool step) -> Run {
        return [=](MeterDocument& d) {
            d.SetTpNumber(0, 0, TpNumber::Frequency, value);
            EXPECT_EQ(d.EndStep(1, 2), step);
        };
    };
    const auto save = [file](SaveResult expected, std::size_t limit = kNoWriteLimit) -> Run {
        return [=](MeterDocument& d) {
            const ScopedWriteLimit cut(limit);
            EXPECT_EQ(d.Save(file), expected);
        };
    };
    const struct {
        const char* what;
        Run run;
        bool modified;
    } rows[] = {
        {"uninterpreted bytes set: no step", [](auto& d) { EXPECT_FALSE(d.EndStep(5, 6)); }, false},
        {"a cell edited", frequency(12345, true), true},
        {"a slot deleted", [](auto& d) { EXPECT_TRUE(d.DeleteSatellite(0) && d.EndStep(3, 4)); },
         true},
        {"the next slot's cell set to the value it has: no step", frequency(9750, false), true},
        {"the latest bytes kept", [&](auto& d) { *latest = d.Image(); }, true},
        {"undone", [](auto& d) { EXPECT_EQ(d.Undo(), 3); }, true},
        {"undone to the fresh bytes, uninterpreted ones kept",
         [&](auto& d) { EXPECT_TRUE(d.Undo() == 1 && !d.CanUndo() && d.Image() == *start); },
         false},
        {"redone", [](auto& d) { EXPECT_EQ(d.Redo(), 2); }, true},
        {"redone to the latest bytes",
         [&](auto& d) { EXPECT_TRUE(d.Redo() == 4 && !d.CanRedo() && d.Image() == *latest); },
         true},
        {"undone once more", [](auto& d) { EXPECT_EQ(d.Undo(), 3); }, true},
        {"edited back to the fresh value", frequency(9750, true), false},
        {"that step dropped what could be redone",
         [](auto& d) { EXPECT_TRUE(!d.CanRedo() && d.History().StepCount() == 2); }, false},
        {"a slot deleted", [](auto& d) { EXPECT_TRUE(d.DeleteSatellite(1) && d.EndStep(3, 4)); },
         true},
        {"a save cut short", save(SaveResult::WriteError, 1000), true},
        {"saved", save(SaveResult::Done), false},
        {"undone past the save", [](auto& d) { EXPECT_EQ(d.Undo(), 3); }, true},
        {"redone to the saved bytes", [](auto& d) { EXPECT_EQ(d.Redo(), 4); }, false},
        {"a name stored, its step not ended", [](auto& d) { d.SetName(2, "Typed"); }, false},
        {"its step ended", [](auto& d) { EXPECT_TRUE(d.EndStep(3, 4)); }, true},
        {"loaded with a new history",
         [file](auto& d) {
             EXPECT_EQ(d.Load(file), LoadResult::Done);
             EXPECT_EQ(NameText(Sat(d, 2)), "Sat4"); // as saved, before the name was typed
             d.ClearHistory();
         },
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.run(document);
        EXPECT_EQ(document.IsModified(), row.modified);
    }
}

TEST(EditHistory, TenThousandCellEditsStayFarBelowTwentyMegabytes) {
    MeterDocument document;
    for (int step = 0; step < 10000; ++step) {
        document.SetTpNumber(step % 20, step % 8, TpNumber::Frequency,
                             static_cast<std::uint64_t>(step));
        ASSERT_TRUE(document.EndStep(20, 20));
    }
    EXPECT_LT(document.History().BytesHeld(), 2u * 1024 * 1024);
    // The worst step changes every interpreted byte; ten thousand of them still fit.
    EditHistory history(InterpretedBytes{});
    InterpretedBytes state{};
    for (int step = 0; step < 10000; ++step) {
        state.fill(static_cast<std::uint8_t>(step % 2 + 1));
        ASSERT_TRUE(history.Record(state, 0, 0));
    }
    EXPECT_LT(history.BytesHeld(), 20u * 1024 * 1024);
    history.Undo(state);
    EXPECT_EQ(state[kInterpretedSize - 1], 1);
}
