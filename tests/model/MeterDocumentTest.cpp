#include "model/MeterDocument.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Slots named "S0", "S1", ... with `count` in use, each with distinct transponder frequencies,
// brought into a document as a user would: through a file.
std::unique_ptr<MeterDocument> Numbered(
    int count, void (*edit)(MeterImage&) = [](MeterImage&) {}) {
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    image->settingsBlock.satCount = static_cast<std::uint8_t>(count);
    for (std::size_t slot = 0; slot < 20; ++slot) {
        SatelliteRecord& record = image->settingsBlock.satellites[slot];
        SetNameText(record, "S" + std::to_string(slot));
        for (std::size_t row = 0; row < 8; ++row) {
            record.tps[row].frequency = static_cast<std::uint16_t>(10000 + 10 * slot + row);
        }
    }
    edit(*image);
    TempDir dir;
    EXPECT_EQ(SaveMeterFile(dir / "m.bin", *image), SaveResult::Done);
    auto document = std::make_unique<MeterDocument>();
    EXPECT_EQ(document->Load(dir / "m.bin"), LoadResult::Done);
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

TEST(MeterDocument, AddAndDeleteSatelliteShiftTheRecordsBehind) {
    struct Case {
        bool add;
        int count, slot, result, countAfter; // result -1 or 0: refused
        const char* moved;
    };
    for (const Case& c :
         {Case{true, 0, 19, 0, 1, "0:new Sat "}, Case{true, 1, 5, 1, 2, "1:new Sat "},
          Case{true, 3, 1, 1, 4, "1:new Sat 2:S1 3:S2 "},
          Case{true, 19, 18, 18, 20, "18:new Sat 19:S18 "}, Case{true, 20, 0, -1, 20, ""},
          Case{true, 25, 3, -1, 25, ""}, Case{false, 0, 0, 0, 0, ""}, Case{false, 1, 1, 0, 1, ""},
          Case{false, 1, 0, 1, 0, "0: "}, Case{false, 3, 0, 1, 2, "0:S1 1:S2 2: "},
          Case{false, 19, 18, 1, 18, "18: "}, Case{false, 20, 19, 1, 19, "19: "},
          Case{false, 25, 19, 1, 19, "19: "}}) {
        SCOPED_TRACE(testing::Message() << c.add << " count " << c.count << " slot " << c.slot);
        auto document = Numbered(c.count);
        EXPECT_EQ(c.add ? document->AddSatellite(c.slot) : document->DeleteSatellite(c.slot),
                  c.result);
        EXPECT_EQ(document->Image().settingsBlock.satCount, c.countAfter);
        EXPECT_EQ(Moved(*document), c.moved);
        if (c.add && c.result >= 0) {
            EXPECT_EQ(Sat(*document, c.result), MakeNewSatellite("new Sat"));
        } else if (!c.add && c.result) {
            EXPECT_EQ(Sat(*document, std::min(c.count, 20) - 1), MakeNewSatellite(""));
        }
    }
}

TEST(MeterDocument, MovesSwapWithinTheSlotsInUse) {
    auto document = Numbered(20);
    EXPECT_FALSE(document->MoveUp(0));
    EXPECT_FALSE(document->MoveDown(19));
    EXPECT_TRUE(document->MoveUp(19));
    EXPECT_TRUE(document->MoveDown(0));
    EXPECT_EQ(Moved(*document), "0:S1 1:S0 18:S19 19:S18 ");
    auto three = Numbered(3);
    EXPECT_FALSE(three->MoveDown(2)); // slot 3 is not in use
    EXPECT_TRUE(three->MoveDown(1));
    EXPECT_EQ(Moved(*three), "1:S2 2:S1 ");
    auto above = Numbered(25);
    EXPECT_FALSE(above->MoveDown(19));
    EXPECT_TRUE(above->MoveUp(19));
}

TEST(MeterDocument, TransponderRowsInsertDeleteAndStore) {
    auto document = Numbered(1, [](MeterImage& image) {
        image.settingsBlock.satellites[1].tpCount = 0;
        image.settingsBlock.satellites[2].tpCount = 7;
        image.settingsBlock.satellites[3].tpCount = 200; // a file's count above eight
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

TEST(MeterDocument, ShowingRepairsOnlyTheTranspondersInUse) {
    auto document = Numbered(2, [](MeterImage& image) {
        SatelliteRecord& record = image.settingsBlock.satellites[0];
        record.tpCount = 2;
        record.tps[0].polarization = 'v';
        record.tps[1].polarization = kVertical;
        record.tps[2].polarization = 1;
    });
    EXPECT_TRUE(document->RepairPolarizations(0));
    EXPECT_FALSE(document->RepairPolarizations(0));
    const auto& tps = Sat(*document, 0).tps;
    EXPECT_EQ(Bytes({tps[0].polarization, tps[1].polarization, tps[2].polarization}),
              Bytes({kHorizontal, kVertical, 1}));
}

TEST(MeterDocument, UndoAndRedoWalkTheStepsWithTheirSelections) {
    auto document = Numbered(5, [](MeterImage& image) {
        image.leadingImage[7] = 0x5A;
        image.trailingImage[3] = 0xA5;
    });
    const auto loaded = std::make_unique<MeterImage>(document->Image());
    EXPECT_FALSE(document->EndStep(1, 2)); // nothing changed: no step
    document->SetTpNumber(0, 0, TpNumber::Frequency, 12345);
    EXPECT_TRUE(document->EndStep(20, 20));
    document->AddSatellite(0);
    EXPECT_TRUE(document->EndStep(20, 40));
    const auto latest = std::make_unique<MeterImage>(document->Image());
    document->SetTpNumber(0, 0, TpNumber::Frequency, 9750); // the value it already has
    EXPECT_FALSE(document->EndStep(20, 20));

    EXPECT_EQ(document->Undo(), 20);
    EXPECT_EQ(NameText(Sat(*document, 0)), "S0");
    EXPECT_EQ(document->Undo(), 20);
    EXPECT_FALSE(document->CanUndo());
    EXPECT_EQ(document->Image(), *loaded); // leading and trailing bytes included
    EXPECT_EQ(document->Redo(), 20);
    EXPECT_EQ(document->Redo(), 40);
    EXPECT_EQ(document->Image(), *latest);
    // A new step drops what could be redone.
    document->Undo();
    document->MoveDown(0);
    EXPECT_TRUE(document->EndStep(20, 40));
    EXPECT_FALSE(document->CanRedo());
    EXPECT_EQ(document->History().StepCount(), 2u);
}

// Each row acts on the document of the rows before it.
TEST(MeterDocument, ModifiedUntilTheBytesMatchTheLastLoadOrSave) {
    TempDir dir;
    const std::filesystem::path file = dir / "m.bin";
    auto document = Numbered(3);
    const std::uint16_t loadedFrequency = Sat(*document, 0).tps[0].frequency;
    using Run = std::function<void(MeterDocument&)>;
    const auto frequency = [](std::uint64_t value) -> Run {
        return [value](MeterDocument& d) {
            d.SetTpNumber(0, 0, TpNumber::Frequency, value);
            d.EndStep(20, 20);
        };
    };
    const auto save = [file](SaveResult expected, std::size_t limit = kNoWriteLimit) -> Run {
        return [=](MeterDocument& d) {
            LimitBytesWrittenForTests(limit);
            EXPECT_EQ(d.Save(file), expected);
            LimitBytesWrittenForTests(kNoWriteLimit);
        };
    };
    const Run undo = [](MeterDocument& d) {
        d.Undo();
    };
    const Run redo = [](MeterDocument& d) {
        d.Redo();
    };
    const Run endStep = [](MeterDocument& d) {
        d.EndStep(20, 20);
    };
    const struct {
        const char* what;
        Run run;
        bool modified;
    } rows[] = {
        {"loaded", [](MeterDocument&) {}, false},
        {"a cell edited", frequency(12345), true},
        {"undone to the loaded bytes", undo, false},
        {"redone", redo, true},
        {"edited back to the loaded value", frequency(loadedFrequency), false},
        {"a slot added", [](MeterDocument& d) { d.AddSatellite(1), d.EndStep(20, 40); }, true},
        {"a save that cannot open its file",
         [](MeterDocument& d) {
             EXPECT_EQ(d.Save("/no/such/folder/m.bin"), SaveResult::CannotOpen);
         },
         true},
        {"a save cut short", save(SaveResult::WriteError, 1000), true},
        {"saved", save(SaveResult::Done), false},
        {"undone past the save", undo, true},
        {"redone to the saved bytes", redo, false},
        {"a name stored, its step not ended", [](MeterDocument& d) { d.SetName(2, "Typed"); },
         false},
        {"its step ended", endStep, true},
        {"saved again", save(SaveResult::Done), false},
        {"bytes set from outside",
         [](MeterDocument& d) { d.UncheckedImage().settingsBlock.localPosition.latitude = 77; },
         false},
        {"taken in by the next step", endStep, true},
        {"loaded with a new history",
         [file](MeterDocument& d) {
             EXPECT_EQ(d.Load(file), LoadResult::Done);
             d.NormaliseLetters();
             d.ClearHistory();
         },
         false},
        {"an uninterpreted byte set",
         [](MeterDocument& d) { d.UncheckedImage().leadingImage[9] ^= 1, d.EndStep(20, 20); },
         false},
    };
    for (const auto& row : rows) {
        row.run(*document);
        EXPECT_EQ(document->IsModified(), row.modified) << row.what;
    }
    // A fresh document is the saved state until its first step.
    MeterDocument fresh;
    EXPECT_FALSE(fresh.IsModified());
    fresh.SetRadio(RadioField::Beep, 1);
    fresh.EndStep(0, 0);
    EXPECT_TRUE(fresh.IsModified());
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
