#include <gtest/gtest.h>

#include <QDialog>

#include "dialogs/MoreEffects.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

using namespace ui_test;

class PresetsTest : public ToolsDialogTest {
protected:
    // Runs the tools dialog modally with its data folder, the given steps
    // scripting it and any sub-dialogs it opens.
    INT_PTR RunTools(ModalScript&) {
        TintoraDlg dialog(&control);
        dialog.m_strDataFolder = data.Path().string();
        return dialog.DoModal();
    }

    static PresetRecord Stored(int pct) {
        PresetRecord record;
        record.dwFlag = kPresetStored;
        record.nPct = pct;
        record.nDir = 90;
        record.nFocusSize = 3;
        record.nBorderSize = 4;
        record.nMotionX = 5;
        record.nMotionY = 6;
        record.nTransp = 30;
        record.nOffsetBlur = 8;
        record.nBorderBlur = 9;
        record.nOffsetX = -10;
        record.nOffsetY = 11;
        record.nEffectIndex = kMoreEffectGrayscale;
        record.crColor = 0x00123456;
        return record;
    }

    void WritePresets(uint32_t format, const PresetRecord (&records)[kPresetSlots]) {
        WriteBytes(PresetsPath(), PresetsBytes(format, records));
    }
};

TEST_F(PresetsTest, OkWritesA404ByteFileWithSlot0StoredAndTheOthersEmpty) {
    ModalScript script;
    script.Then([](CDialog& d) {
        Type(d, IDC_PCT, "12");
        Type(d, IDC_DIR, "270");
        Type(d, IDC_FOCUS_SIZE, "5");
        Type(d, IDC_BORDER_SIZE, "6");
        Type(d, IDC_MOTION_X, "7");
        Type(d, IDC_MOTION_Y, "8");
        Type(d, IDC_TRANSP, "30");
        Type(d, IDC_OFFSET_BLUR, "9");
        Type(d, IDC_BORDER_BLUR, "10");
        Type(d, IDC_OFFSET_X, "-3");
        Type(d, IDC_OFFSET_Y, "4");
        Pick(d, IDC_MORE_EFFECTS, 3);
        static_cast<TintoraDlg&>(d).m_crColor = 0x00A0B0C0;
        Click(d, IDC_APPLY_MORE);  // the exchange takes the typed values in
        Click(d, IDOK);
    });
    EXPECT_EQ(RunTools(script), IDOK);
    const std::vector<uint8_t> bytes = ReadBytes(PresetsPath());
    ASSERT_EQ(bytes.size(), kPresetsFileBytes);
    EXPECT_EQ(WordAt(bytes, 0), 0u);
    const uint32_t slot0[] = {1, 12, 270, 5, 6, 7, 8, 30, 9, 10, uint32_t(-3), 4, 3, 0x00A0B0C0};
    for (size_t w = 0; w < std::size(slot0); ++w) {
        EXPECT_EQ(WordAt(bytes, 4 + 4 * w), slot0[w]) << "word " << w;
    }
    for (int slot = 1; slot < kPresetSlots; ++slot) {
        EXPECT_EQ(WordAt(bytes, 4 + 80 * size_t(slot)), kPresetEmpty) << slot;
    }
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(PresetsTest, OkStoresTheMembersAsTheyStandBeforeItsOwnExchange) {
    ModalScript script;
    script.Then([&](CDialog& d) {
        Type(d, IDC_FOCUS_SIZE, "9");
        Click(d, IDOK);
    });
    TintoraDlg dialog(&control);
    dialog.m_strDataFolder = data.Path().string();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(WordAt(ReadBytes(PresetsPath()), 4 + 12), 1u);
    EXPECT_EQ(dialog.m_nFocusSize, 9u);
}

TEST_F(PresetsTest, OkWithAFailingValueWritesThePresetsButStaysOpen) {
    ModalScript script;
    script.Then([&](CDialog& d) {
        Type(d, IDC_MOTION_X, "101");
        Click(d, IDOK);
        EXPECT_FALSE(d.HasEnded());
        EXPECT_TRUE(PresetsWritten());
        Type(d, IDC_MOTION_X, "100");
        Click(d, IDOK);
    });
    EXPECT_EQ(RunTools(script), IDOK);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"Please enter an integer between 0 and 100."});
}

TEST_F(PresetsTest, TheCancelButtonRestoresTheOriginalAndWritesThePresets) {
    ModalScript script;
    script.Then([&](CDialog& d) {
        Type(d, IDC_FOCUS_SIZE, "2");
        Click(d, IDC_APPLY_FOCUS);
        EXPECT_NE(HostPixels(), Original());
        Click(d, IDC_CANCEL_RESTORE);
    });
    EXPECT_EQ(RunTools(script), IDCANCEL);
    EXPECT_EQ(HostPixels(), Original());
    const std::vector<uint8_t> bytes = ReadBytes(PresetsPath());
    ASSERT_EQ(bytes.size(), kPresetsFileBytes);
    EXPECT_EQ(WordAt(bytes, 4), kPresetStored);
    EXPECT_EQ(WordAt(bytes, 4 + 12), 2u);
}

TEST_F(PresetsTest, TheCloseBoxKeepsTheProcessedImageAndWritesThePresets) {
    std::vector<uint8_t> processed;
    ModalScript script;
    script.Then([&](CDialog& d) {
        Type(d, IDC_FOCUS_SIZE, "2");
        Click(d, IDC_APPLY_FOCUS);
        processed = HostPixels();
        ClickCloseBox(d);
    });
    EXPECT_EQ(RunTools(script), IDCANCEL);
    EXPECT_EQ(HostPixels(), processed);
    EXPECT_NE(processed, Original());
    ASSERT_TRUE(PresetsWritten());
    EXPECT_EQ(WordAt(ReadBytes(PresetsPath()), 4 + 12), 2u);
}

TEST_F(PresetsTest, EscapeTouchesNeitherTheImageNorThePresetsFile) {
    std::vector<uint8_t> processed;
    ModalScript script;
    script
        .Then([&](CDialog& d) {
            Type(d, IDC_FOCUS_SIZE, "2");
            Click(d, IDC_APPLY_FOCUS);
            processed = HostPixels();
            Click(d, IDC_SAVE_PRESET);
            EXPECT_TRUE(static_cast<TintoraDlg&>(d).m_Presets[1].dwFlag == kPresetStored);
            PressKey(d, Qt::Key_Escape);
        })
        .Then([](CDialog& save) {
            Type(save, IDC_PRESET_NUMBER, "1");
            Click(save, IDOK);
        });
    EXPECT_EQ(RunTools(script), IDCANCEL);
    EXPECT_EQ(HostPixels(), processed);
    EXPECT_FALSE(PresetsWritten());
}

TEST_F(PresetsTest, EnterInAnEditEndsTheDialogAsOk) {
    ModalScript script;
    script.Then([](CDialog& d) { PressKeyIn(d, IDC_BORDER_SIZE, Qt::Key_Return); });
    EXPECT_EQ(RunTools(script), IDOK);
    EXPECT_TRUE(PresetsWritten());
}

TEST_F(PresetsTest, TheDialogOpensWithTheValuesOfItsLastUse) {
    PresetRecord records[kPresetSlots];
    records[0] = Stored(40);
    WritePresets(0, records);
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_PCT), "40");
    EXPECT_EQ(Text(*dialog, IDC_DIR), "90");
    EXPECT_EQ(Text(*dialog, IDC_FOCUS_SIZE), "3");
    EXPECT_EQ(Text(*dialog, IDC_BORDER_SIZE), "4");
    EXPECT_EQ(Text(*dialog, IDC_MOTION_X), "5");
    EXPECT_EQ(Text(*dialog, IDC_MOTION_Y), "6");
    EXPECT_EQ(Text(*dialog, IDC_TRANSP), "30");
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_BLUR), "8");
    EXPECT_EQ(Text(*dialog, IDC_BORDER_BLUR), "9");
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_X), "-10");
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_Y), "11");
    EXPECT_EQ(dialog->m_nOffsetX, -10);
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), kMoreEffectGrayscale);
    EXPECT_FALSE(Enabled(*dialog, IDC_PCT));
    EXPECT_EQ(dialog->m_crColor, 0x00123456u);
    // Preset buttons start off and Save proposes slot 1.
    EXPECT_FALSE(Checked(*dialog, IDC_PRESET1));
    EXPECT_EQ(dialog->m_nCurrentPreset, 1);
}

TEST_F(PresetsTest, AnEmptySlot0LeavesTheInitialValuesAndCopiesNoSideFile) {
    PresetRecord records[kPresetSlots];
    WritePresets(0, records);
    WriteBytes(data.File("TintoraPresetCrop.0"), {1, 2, 3});
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_FOCUS_SIZE), "1");
    EXPECT_FALSE(std::filesystem::exists(data.File("TintoraPresetCrop")));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PresetsTest, AnIncompatibleFileIsReportedAndReplacedAtTheEnd) {
    PresetRecord records[kPresetSlots];
    records[0] = Stored(40);
    WritePresets(1, records);
    ModalScript script;
    script.Then([&](CDialog& d) {
        EXPECT_EQ(Text(d, IDC_PCT), "0");
        EXPECT_TRUE(static_cast<TintoraDlg&>(d).m_Presets[0].IsEmpty());
        Click(d, IDOK);
    });
    EXPECT_EQ(RunTools(script), IDOK);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Incompatible File Format"});
    const std::vector<uint8_t> bytes = ReadBytes(PresetsPath());
    ASSERT_EQ(bytes.size(), kPresetsFileBytes);
    EXPECT_EQ(WordAt(bytes, 0), 0u);
    EXPECT_EQ(WordAt(bytes, 4 + 4), 0u);  // Pct of the new slot 0
}

TEST_F(PresetsTest, AFileTooShortForItsFormatWordIsIncompatible) {
    WriteBytes(PresetsPath(), {0, 0});
    auto dialog = Open();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Incompatible File Format"});
}

TEST_F(PresetsTest, AShortFileFillsOnlyTheWholeWordsItHolds) {
    PresetRecord records[kPresetSlots];
    records[0] = Stored(40);
    std::vector<uint8_t> bytes = PresetsBytes(0, records);
    bytes.resize(4 + 4 * 3 + 2);  // flag, Pct, Dir and half of the focus size
    WriteBytes(PresetsPath(), bytes);
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_PCT), "40");
    EXPECT_EQ(Text(*dialog, IDC_DIR), "90");
    // Words past the end keep their values: the focus size of an empty slot.
    EXPECT_EQ(dialog->m_Presets[0].nFocusSize, 0u);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PresetsTest, ReservedWordsAndBytesPastTheRecordsAreHandledAsWritten) {
    PresetRecord records[kPresetSlots];
    records[2].dwReserved = {1, 2, 3, 4, 5, 6};
    std::vector<uint8_t> bytes = PresetsBytes(0, records);
    bytes.push_back(0xEE);
    WriteBytes(PresetsPath(), bytes);
    ModalScript script;
    script.Then([](CDialog& d) { Click(d, IDOK); });
    RunTools(script);
    const std::vector<uint8_t> written = ReadBytes(PresetsPath());
    ASSERT_EQ(written.size(), kPresetsFileBytes);
    EXPECT_EQ(WordAt(written, 4 + 160 + 56), 1u);
    EXPECT_EQ(WordAt(written, 4 + 160 + 76), 6u);
}

TEST_F(PresetsTest, RecallingAPresetLoadsEveryValueIntoTheControls) {
    PresetRecord records[kPresetSlots];
    records[2] = Stored(17);
    records[2].nEffectIndex = kMoreEffectEmboss;
    WritePresets(0, records);
    auto dialog = Open();
    Click(*dialog, IDC_PRESET2);
    EXPECT_TRUE(Checked(*dialog, IDC_PRESET2));
    EXPECT_EQ(dialog->m_nCurrentPreset, 2);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "17");
    // The swatch's redraw while the values go in must not undo the blurs.
    EXPECT_EQ(Text(*dialog, IDC_TRANSP), "30");
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_BLUR), "8");
    EXPECT_EQ(Text(*dialog, IDC_BORDER_BLUR), "9");
    EXPECT_EQ(dialog->m_nOffsetBlur, 8u);
    EXPECT_EQ(dialog->m_nBorderBlur, 9u);
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_X), "-10");
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), kMoreEffectEmboss);
    EXPECT_TRUE(Enabled(*dialog, IDC_DIR));
    EXPECT_EQ(dialog->m_crColor, 0x00123456u);
}

TEST_F(PresetsTest, ARecalledOffsetOutOfRangeIsRefusedAtApply) {
    PresetRecord records[kPresetSlots];
    records[1] = Stored(0);
    records[1].nOffsetX = 300;
    WritePresets(0, records);
    auto dialog = Open();
    Click(*dialog, IDC_PRESET1);
    Click(*dialog, IDC_APPLY_OFFSET);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"Please enter an integer betoween -100 and 100."});
}

TEST_F(PresetsTest, RecallingAnEmptySlotChangesNothingButSaveProposesIt) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "33");
    WriteBytes(data.File("TintoraPresetCrop.3"), {9, 9});
    Click(*dialog, IDC_PRESET3);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "33");
    EXPECT_FALSE(std::filesystem::exists(data.File("TintoraPresetCrop")));
    ModalScript script;
    script.Then([](CDialog& save) {
        EXPECT_EQ(save.Template().id, IDD_SAVE_PRESET);
        EXPECT_EQ(Text(save, IDC_PRESET_NUMBER), "3");
        Click(save, IDCANCEL);
    });
    Click(*dialog, IDC_SAVE_PRESET);
    EXPECT_TRUE(dialog->m_Presets[3].IsEmpty());
}

TEST_F(PresetsTest, ASlotFlaggedZeroCountsAsStored) {
    PresetRecord records[kPresetSlots];
    records[4] = Stored(61);
    records[4].dwFlag = 0;
    WritePresets(0, records);
    auto dialog = Open();
    Click(*dialog, IDC_PRESET4);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "61");
}

TEST_F(PresetsTest, RecallingTheEmptyListEntryEnablesPctAndDisablesDir) {
    PresetRecord records[kPresetSlots];
    records[0] = Stored(5);
    records[1] = Stored(6);
    records[1].nEffectIndex = 0;
    WritePresets(0, records);
    auto dialog = Open();
    ASSERT_FALSE(Enabled(*dialog, IDC_PCT));  // slot 0 has Grayscale
    Click(*dialog, IDC_PRESET1);
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), 0);
    EXPECT_TRUE(Enabled(*dialog, IDC_PCT));
    EXPECT_FALSE(Enabled(*dialog, IDC_DIR));
}

TEST_F(PresetsTest, ARecalledSelectionOutsideTheListClearsIt) {
    PresetRecord records[kPresetSlots];
    records[1] = Stored(6);
    records[1].nEffectIndex = -1;
    records[2] = Stored(6);
    records[2].nEffectIndex = 99;
    WritePresets(0, records);
    auto dialog = Open();
    for (int button : {IDC_PRESET1, IDC_PRESET2}) {
        Pick(*dialog, IDC_MORE_EFFECTS, 4);
        Click(*dialog, button);
        EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), -1) << button;
    }
}

TEST_F(PresetsTest, SaveStoresTheTypedValuesInMemoryUntilTheDialogEnds) {
    ModalScript script;
    script
        .Then([&](CDialog& d) {
            auto& tools = static_cast<TintoraDlg&>(d);
            Type(d, IDC_BORDER_SIZE, "44");
            Click(d, IDC_SAVE_PRESET);
            EXPECT_EQ(tools.m_Presets[4].dwFlag, kPresetStored);
            EXPECT_EQ(tools.m_Presets[4].nBorderSize, 44u);
            EXPECT_FALSE(PresetsWritten());
            Click(d, IDOK);
        })
        .Then([&](CDialog& save) {
            Type(save, IDC_PRESET_NUMBER, "5");
            Click(save, IDOK);
            EXPECT_FALSE(save.HasEnded());
            EXPECT_EQ(prompts.messages,
                      std::vector<std::string>{"Please enter an integer between 1 and 4."});
            Type(save, IDC_PRESET_NUMBER, "x");
            Click(save, IDOK);
            EXPECT_FALSE(save.HasEnded());
            Type(save, IDC_PRESET_NUMBER, "4");
            PressKey(save, Qt::Key_Return);
            EXPECT_TRUE(save.HasEnded());
        });
    EXPECT_EQ(RunTools(script), IDOK);
    EXPECT_EQ(script.opened, (std::vector<int>{IDD_TINTORA_DIALOG, IDD_SAVE_PRESET}));
    const std::vector<uint8_t> bytes = ReadBytes(PresetsPath());
    EXPECT_EQ(WordAt(bytes, 4 + 4 * 80), kPresetStored);
    EXPECT_EQ(WordAt(bytes, 4 + 4 * 80 + 16), 44u);
}

TEST_F(PresetsTest, SaveGoesOnPastAValueThatFailsTheExchange) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "12");
    Type(*dialog, IDC_DIR, "400");
    ModalScript script;
    script.Then([](CDialog& save) {
        Type(save, IDC_PRESET_NUMBER, "2");
        Click(save, IDOK);
    });
    Click(*dialog, IDC_SAVE_PRESET);
    EXPECT_EQ(dialog->m_Presets[2].dwFlag, kPresetStored);
    EXPECT_EQ(dialog->m_Presets[2].nPct, 12);
    EXPECT_EQ(dialog->m_Presets[2].nDir, 400);
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(PresetsTest, StoringCopiesTheCurrentSelectionAndRecallingPutsItBack) {
    const std::vector<uint8_t> selection = {0, 1, 2, 0, 255, 13, 10, 0};
    WriteBytes(data.File("TintoraPresetCrop"), selection);
    auto dialog = Open();
    ModalScript script;
    script.Then([](CDialog& save) {
        Type(save, IDC_PRESET_NUMBER, "2");
        Click(save, IDOK);
    });
    Click(*dialog, IDC_SAVE_PRESET);
    EXPECT_EQ(ReadBytes(data.File("TintoraPresetCrop.2")), selection);

    WriteBytes(data.File("TintoraPresetCrop"), {7});
    Click(*dialog, IDC_PRESET2);
    EXPECT_EQ(ReadBytes(data.File("TintoraPresetCrop")), selection);
}

TEST_F(PresetsTest, StoringWithoutACurrentSelectionKeepsTheSlotsOlderSideFile) {
    const std::vector<uint8_t> older = {4, 5, 6};
    WriteBytes(data.File("TintoraPresetCrop.2"), older);
    auto dialog = Open();
    ModalScript script;
    script.Then([](CDialog& save) {
        Type(save, IDC_PRESET_NUMBER, "2");
        Click(save, IDOK);
    });
    Click(*dialog, IDC_SAVE_PRESET);
    EXPECT_EQ(ReadBytes(data.File("TintoraPresetCrop.2")), older);
    Click(*dialog, IDC_PRESET2);
    EXPECT_EQ(ReadBytes(data.File("TintoraPresetCrop")), older);
}

TEST_F(PresetsTest, PresetsPersistFromOneRunToTheNext) {
    {
        ModalScript script;
        script.Then([](CDialog& d) {
            Type(d, IDC_BORDER_SIZE, "21");
            Click(d, IDC_APPLY_BORDER);
            Click(d, IDOK);
        });
        RunTools(script);
    }
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_BORDER_SIZE), "21");
}

TEST_F(PresetsTest, WithoutTheDataFolderNothingIsReadOrWrittenOrSaid) {
    const std::string missing = (data.Path() / "missing").string();
    WriteBytes(data.File("TintoraPresets"), {1, 0, 0, 0});  // would be incompatible
    ModalScript script;
    script.Then([&](CDialog& d) {
        auto& tools = static_cast<TintoraDlg&>(d);
        EXPECT_EQ(tools.m_strDataFolder, missing);
        Click(d, IDC_SAVE_PRESET);
        Click(d, IDOK);
    });
    script.Then([](CDialog& save) {
        Type(save, IDC_PRESET_NUMBER, "1");
        Click(save, IDOK);
    });
    TintoraDlg dialog(&control);
    dialog.m_strDataFolder = missing;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PresetsTest, AnEmptyDataFolderNeverTouchesTheFileSystemRoot) {
    ModalScript script;
    script.Then([](CDialog& d) { Click(d, IDC_CANCEL_RESTORE); });
    TintoraDlg dialog(&control);
    dialog.m_strDataFolder.clear();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(std::filesystem::exists("/TintoraPresets"));
}

TEST_F(PresetsTest, APresetsFileThatCannotBeReplacedIsLeftAloneWithoutAMessage) {
    std::filesystem::create_directory(PresetsPath());
    ModalScript script;
    script.Then([](CDialog& d) { Click(d, IDOK); });
    EXPECT_EQ(RunTools(script), IDOK);
    EXPECT_TRUE(std::filesystem::is_directory(PresetsPath()));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace dialog_test
