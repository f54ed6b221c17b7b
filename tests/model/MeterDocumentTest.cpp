#include "model/MeterDocument.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A document holding `image`, brought in as a user would: through a file.
std::unique_ptr<MeterDocument> DocumentOf(const MeterImage& image) {
    TempDir dir;
    EXPECT_EQ(SaveMeterFile(dir / "m.bin", image), SaveResult::Done);
    auto document = std::make_unique<MeterDocument>();
    EXPECT_EQ(document->Load(dir / "m.bin"), LoadResult::Done);
    document->ClearHistory();
    return document;
}

// Slots named "S0", "S1", ... with `count` in use, each with distinct transponders.
std::unique_ptr<MeterImage> Numbered(int count) {
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    image->settingsBlock.satCount = static_cast<std::uint8_t>(count);
    for (int slot = 0; slot < 20; ++slot) {
        SatelliteRecord& record = image->settingsBlock.satellites[static_cast<std::size_t>(slot)];
        SetNameText(record, "S" + std::to_string(slot));
        for (int row = 0; row < 8; ++row) {
            record.tps[static_cast<std::size_t>(row)].frequency =
                static_cast<std::uint16_t>(10000 + 10 * slot + row);
        }
    }
    return image;
}

std::vector<std::string> Names(const MeterDocument& document) {
    std::vector<std::string> names;
    for (const SatelliteRecord& record : document.Image().settingsBlock.satellites) {
        names.push_back(NameText(record));
    }
    return names;
}

const SatelliteRecord& Sat(const MeterDocument& document, int slot) {
    return document.Image().settingsBlock.satellites[static_cast<std::size_t>(slot)];
}

// The expected names after moving: "S0".."S19" with the given edits applied.
std::vector<std::string> Expected(std::initializer_list<std::pair<int, std::string>> edits) {
    std::vector<std::string> names;
    for (int slot = 0; slot < 20; ++slot) {
        names.push_back("S" + std::to_string(slot));
    }
    for (const auto& [slot, name] : edits) {
        names[static_cast<std::size_t>(slot)] = name;
    }
    return names;
}

} // namespace

TEST(MeterDocument, AddSatelliteShiftsFromTheSlotOrAppends) {
    struct Case {
        int count;
        int slot;
        int target; // -1: refused
        int countAfter;
    };
    for (const Case& c : {Case{0, 0, 0, 1}, Case{0, 19, 0, 1}, Case{1, 0, 0, 2}, Case{1, 5, 1, 2},
                          Case{19, 0, 0, 20}, Case{19, 18, 18, 20}, Case{19, 19, 19, 20},
                          Case{20, 0, -1, 20}, Case{25, 3, -1, 25}}) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << " slot " << c.slot);
        auto document = DocumentOf(*Numbered(c.count));
        EXPECT_EQ(document->AddSatellite(c.slot), c.target);
        EXPECT_EQ(document->Image().settingsBlock.satCount, c.countAfter);
        if (c.target < 0) {
            EXPECT_EQ(Names(*document), Expected({}));
            continue;
        }
        EXPECT_EQ(Sat(*document, c.target), MakeNewSatellite("new Sat"));
        // Every record from the target on moved one slot down, whole.
        for (int slot = c.target + 1; slot <= std::min(c.count, 19); ++slot) {
            EXPECT_EQ(NameText(Sat(*document, slot)), "S" + std::to_string(slot - 1));
            EXPECT_EQ(Sat(*document, slot).tps[7].frequency, 10000 + 10 * (slot - 1) + 7);
        }
        for (int slot = 0; slot < c.target; ++slot) {
            EXPECT_EQ(NameText(Sat(*document, slot)), "S" + std::to_string(slot));
        }
    }
}

TEST(MeterDocument, DeleteSatelliteClosesTheGapWithAFreshRecordAtTheEnd) {
    struct Case {
        int count;
        int slot;
        bool done;
        int countAfter;
    };
    for (const Case& c : {Case{0, 0, false, 0}, Case{1, 0, true, 0}, Case{1, 1, false, 1},
                          Case{19, 0, true, 18}, Case{19, 18, true, 18}, Case{20, 19, true, 19},
                          Case{25, 0, true, 19}, Case{25, 19, true, 19}}) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << " slot " << c.slot);
        auto document = DocumentOf(*Numbered(c.count));
        EXPECT_EQ(document->DeleteSatellite(c.slot), c.done);
        EXPECT_EQ(document->Image().settingsBlock.satCount, c.countAfter);
        if (!c.done) {
            EXPECT_EQ(Names(*document), Expected({}));
            continue;
        }
        const int used = std::min(c.count, 20);
        for (int slot = c.slot; slot < used - 1; ++slot) {
            EXPECT_EQ(NameText(Sat(*document, slot)), "S" + std::to_string(slot + 1));
            EXPECT_EQ(Sat(*document, slot).tps[0].frequency, 10000 + 10 * (slot + 1));
        }
        EXPECT_EQ(Sat(*document, used - 1), MakeNewSatellite(""));
    }
}

TEST(MeterDocument, MovesSwapWithinTheSlotsInUse) {
    auto document = DocumentOf(*Numbered(20));
    EXPECT_FALSE(document->MoveUp(0));
    EXPECT_FALSE(document->MoveDown(19));
    EXPECT_TRUE(document->MoveUp(19));
    EXPECT_TRUE(document->MoveDown(0));
    EXPECT_EQ(Names(*document), Expected({{0, "S1"}, {1, "S0"}, {18, "S19"}, {19, "S18"}}));
    EXPECT_EQ(Sat(*document, 0).tps[3].frequency, 10013);

    auto three = DocumentOf(*Numbered(3));
    EXPECT_FALSE(three->MoveDown(2)); // slot 3 is not in use
    EXPECT_FALSE(three->MoveUp(3));
    EXPECT_TRUE(three->MoveDown(1));
    EXPECT_EQ(Names(*three), Expected({{1, "S2"}, {2, "S1"}}));

    auto above = DocumentOf(*Numbered(25));
    EXPECT_FALSE(above->MoveDown(19));
    EXPECT_TRUE(above->MoveUp(19));
}

TEST(MeterDocument, TransponderRowsInsertDeleteAndStore) {
    auto image = Numbered(1);
    image->settingsBlock.satellites[1].tpCount = 0;
    image->settingsBlock.satellites[2].tpCount = 7;
    image->settingsBlock.satellites[3].tpCount = 200; // a file's count above eight
    auto document = DocumentOf(*image);

    // Full slot: nothing goes in; the row past the last is refused.
    EXPECT_FALSE(document->InsertTp(0, 0));
    EXPECT_FALSE(document->InsertTp(3, 0));
    EXPECT_FALSE(document->InsertTp(1, 1));
    EXPECT_TRUE(document->InsertTp(1, 0));
    EXPECT_EQ(Sat(*document, 1).tpCount, 1);
    EXPECT_EQ(Sat(*document, 1).tps[0], kFreshTp);

    // Row 0 of seven: everything moves down one, row 7 becomes the old row 6.
    EXPECT_TRUE(document->InsertTp(2, 0));
    EXPECT_EQ(Sat(*document, 2).tpCount, 8);
    EXPECT_EQ(Sat(*document, 2).tps[0], kFreshTp);
    EXPECT_EQ(Sat(*document, 2).tps[7].frequency, 10026);
    EXPECT_EQ(Sat(*document, 2).tps[1].frequency, 10020);

    // Delete rows 0 and 7 of eight; row 8 does not exist.
    EXPECT_FALSE(document->DeleteTp(0, 8));
    EXPECT_TRUE(document->DeleteTp(0, 7));
    EXPECT_TRUE(document->DeleteTp(0, 0));
    EXPECT_EQ(Sat(*document, 0).tpCount, 6);
    EXPECT_EQ(Sat(*document, 0).tps[0].frequency, 10001);
    EXPECT_EQ(Sat(*document, 0).tps[5].frequency, 10006);
    // A count above eight counts as eight.
    EXPECT_TRUE(document->DeleteTp(3, 7));
    EXPECT_EQ(Sat(*document, 3).tpCount, 7);

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
}

TEST(MeterDocument, PaneFieldsClampAndStoreLetters) {
    MeterDocument document;
    EXPECT_EQ(document.SetNumber(NumberField::SatelliteLongitude, 19, 1801), 1800u);
    EXPECT_EQ(document.SetNumber(NumberField::LnbLowFreq, 0, 20001), 20000u);
    EXPECT_EQ(document.SetNumber(NumberField::LnbHighFreq, 0, 11300), 11300u);
    EXPECT_EQ(document.SetNumber(NumberField::LocalLatitude, -1, 4294967295u), 900u);
    EXPECT_EQ(document.SetNumber(NumberField::LocalLongitude, -1, 116), 116u);
    EXPECT_EQ(document.SetNumber(NumberField::SatelliteLongitude, -1, 5), 0u);
    const SettingsBlock& block = document.Image().settingsBlock;
    EXPECT_EQ(block.satellites[19].longitude, 1800);
    EXPECT_EQ(block.satellites[0].lnbLowFreq, 20000);
    EXPECT_EQ(block.satellites[0].lnbHighFreq, 11300);
    EXPECT_EQ(block.localPosition.latitude, 900);
    EXPECT_EQ(block.localPosition.longitude, 116);

    document.SetOption(OptionField::Direction, 2, 1);
    document.SetOption(OptionField::LocalDirection, -1, 1);
    document.SetOption(OptionField::Hemisphere, -1, 1);
    EXPECT_EQ(block.satellites[2].direction, kWest);
    EXPECT_EQ(block.localPosition.longitudeDir, kWest);
    EXPECT_EQ(block.localPosition.latitudeDir, kSouth);
    document.SetOption(OptionField::Hemisphere, -1, 0);
    EXPECT_EQ(block.localPosition.latitudeDir, kNorth);

    // Nothing chosen keeps the stored code; an entry past the list is no choice.
    document.SetOption(OptionField::AutoPowerOff, -1, 4);
    document.SetOption(OptionField::AutoPowerOff, -1, -1);
    document.SetOption(OptionField::AutoPowerOff, -1, 5);
    EXPECT_EQ(document.Image().systemSetting.autoPowerOff, 4);
    document.SetOption(OptionField::Tone22k, 1, 2);
    document.SetOption(OptionField::PositionType, 1, 1);
    document.SetOption(OptionField::LnbPower, 1, 3);
    EXPECT_EQ(block.satellites[1].tone22k, 2);
    EXPECT_EQ(block.satellites[1].positionType, 1);
    EXPECT_EQ(block.satellites[1].lnbPower, 3);

    // The LNB type alone is stored; the frequencies stay for "Customized".
    document.SetLnbType(4, 7);
    EXPECT_EQ(block.satellites[4].lnbType, 7);
    EXPECT_EQ(block.satellites[4].lnbLowFreq, kFreshLnbLowFreq);

    // The input is cut to what the switch type offers.
    EXPECT_EQ(document.SetSwitch(5, 2, 15), 15);
    EXPECT_EQ(document.SetSwitch(5, 1, 15), 3);
    EXPECT_EQ(block.satellites[5].switchInput, 3);
    EXPECT_EQ(document.SetSwitch(5, 0, 3), 0);
    EXPECT_EQ(block.satellites[5].switchType, 0);
    EXPECT_EQ(block.satellites[5].switchInput, 0);

    document.SetRadio(RadioField::Beep, 1);
    document.SetRadio(RadioField::Backlight, 0);
    EXPECT_EQ(document.Image().systemSetting.beep, 1);
    EXPECT_EQ(document.Image().systemSetting.backlight, 0);

    document.SetName(3, "Hotbird 13C and more");
    EXPECT_EQ(NameText(block.satellites[3]), "Hotbird 13C");
}

TEST(MeterDocument, LoadSatCopiesIntoTheFirstSlotsAndKeepsTheCount) {
    auto document = DocumentOf(*Numbered(2));
    std::vector<SatelliteRecord> picked(22, MakeNewSatellite("Pick"));
    picked[0] = MakeNewSatellite("First");
    document->CopyIntoFirstSlots({picked.begin(), picked.begin() + 3});
    EXPECT_EQ(Names(*document), Expected({{0, "First"}, {1, "Pick"}, {2, "Pick"}}));
    EXPECT_EQ(document->Image().settingsBlock.satCount, 2);
    document->CopyIntoFirstSlots(picked);
    EXPECT_EQ(NameText(Sat(*document, 19)), "Pick");
    document->ReplaceSatellite(7, MakeNewSatellite("Only"));
    EXPECT_EQ(NameText(Sat(*document, 7)), "Only");
    EXPECT_EQ(NameText(Sat(*document, 8)), "Pick");
}

TEST(MeterDocument, ShowingRepairsOnlyTheTranspondersInUse) {
    auto image = Numbered(2);
    SatelliteRecord& record = image->settingsBlock.satellites[0];
    record.tpCount = 2;
    record.tps[0].polarization = 'v';
    record.tps[1].polarization = kVertical;
    record.tps[2].polarization = 1;
    auto document = DocumentOf(*image);
    EXPECT_TRUE(document->RepairPolarizations(0));
    EXPECT_FALSE(document->RepairPolarizations(0));
    EXPECT_EQ(Sat(*document, 0).tps[0].polarization, kHorizontal);
    EXPECT_EQ(Sat(*document, 0).tps[1].polarization, kVertical);
    EXPECT_EQ(Sat(*document, 0).tps[2].polarization, 1);
}

TEST(MeterDocument, UndoAndRedoWalkTheStepsWithTheirSelections) {
    TempDir dir;
    auto image = Numbered(5);
    image->leadingImage[7] = 0x5A;
    image->trailingImage[3] = 0xA5;
    ASSERT_EQ(SaveMeterFile(dir / "m.bin", *image), SaveResult::Done);
    MeterDocument document;
    ASSERT_EQ(document.Load(dir / "m.bin"), LoadResult::Done);
    document.ClearHistory();
    const auto loaded = std::make_unique<MeterImage>(document.Image());

    EXPECT_FALSE(document.EndStep(1, 2)); // nothing changed: no step
    document.SetTpNumber(0, 0, TpNumber::Frequency, 12345);
    EXPECT_TRUE(document.EndStep(20, 20));
    document.AddSatellite(0);
    EXPECT_TRUE(document.EndStep(20, 40));
    const auto latest = std::make_unique<MeterImage>(document.Image());
    document.SetTpNumber(0, 0, TpNumber::Frequency, 9750); // the value it already has
    EXPECT_FALSE(document.EndStep(20, 20));
    EXPECT_FALSE(document.CanRedo());

    EXPECT_EQ(document.Undo(), 20);
    EXPECT_EQ(NameText(Sat(document, 0)), "S0");
    EXPECT_EQ(document.Undo(), 20);
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(document.Image(), *loaded); // leading and trailing bytes included
    EXPECT_EQ(document.Redo(), 20);
    EXPECT_EQ(document.Redo(), 40);
    EXPECT_EQ(document.Image(), *latest);

    // A new step drops what could be redone.
    document.Undo();
    document.MoveDown(0);
    EXPECT_TRUE(document.EndStep(20, 40));
    EXPECT_FALSE(document.CanRedo());
    EXPECT_EQ(document.History().StepCount(), 2u);
    document.ClearHistory();
    EXPECT_FALSE(document.CanUndo());
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
