#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDialog>

#include "dialogs/PresetFiles.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

using namespace ui_test;

// Entries of the sorted More Effects list.
constexpr int kNone = 0;
constexpr int kEmboss = 7;
constexpr int kGrayscale = 9;

class PresetsTest : public ToolsDialogTest {
protected:
    // Runs the tools dialog modally, the script working it and its sub-dialogs.
    INT_PTR RunTools(ModalScript&) {
        TintoraDlg dialog(&control);
        dialog.m_strDataFolder = data.Path().string();
        return dialog.DoModal();
    }
    // The same with one step, expecting the dialog to end with `result`.
    void RunTools(INT_PTR result, ModalScript::Step step) {
        ModalScript script;
        script.Then(std::move(step));
        EXPECT_EQ(RunTools(script), result);
    }

    // A stored slot: Pct, Dir 90, focus 3, border 4, motion 5 and 6, Transp 30,
    // blurs 8 and 9, offsets -10 and 11, the list entry and a colour.
    static PresetRecord Stored(int pct, int entry = kGrayscale) {
        const uint32_t words[] = {
            kPresetStored,   uint32_t(pct), 90, 3, 4, 5, 6, 30, 8, 9, uint32_t(-10), 11,
            uint32_t(entry), 0x00123456};
        PresetRecord record;
        for (int w = 0; w < int(std::size(words)); ++w) record.SetWord(w, words[w]);
        return record;
    }
    // The controls and members show Stored(pct).
    static void ExpectShown(TintoraDlg& d, int pct) {
        // clang-format off
        const std::pair<int, std::string> shown[] = {
            {IDC_PCT, std::to_string(pct)}, {IDC_DIR, "90"}, {IDC_FOCUS_SIZE, "3"},
            {IDC_BORDER_SIZE, "4"}, {IDC_MOTION_X, "5"}, {IDC_MOTION_Y, "6"}, {IDC_TRANSP, "30"},
            {IDC_OFFSET_BLUR, "8"}, {IDC_BORDER_BLUR, "9"}, {IDC_OFFSET_X, "-10"},
            {IDC_OFFSET_Y, "11"}};
        // clang-format on
        for (const auto& [id, text] : shown) EXPECT_EQ(Text(d, id), text) << id;
        // The swatch's redraw while the values go in must not undo the blurs.
        EXPECT_EQ(std::tuple(d.m_nOffsetBlur, d.m_nBorderBlur), std::tuple(8u, 9u));
        EXPECT_EQ(std::tuple(d.m_nOffsetX, d.m_crColor), std::tuple(-10, 0x00123456u));
    }

    // Save, then the save-preset dialog given the slot and OK.
    static void SaveTo(CDialog& tools, const char* slot) {
        ModalScript script;
        script.Then([slot](CDialog& save) {
            Type(save, IDC_PRESET_NUMBER, slot);
            Click(save, IDOK);
        });
        Click(tools, IDC_SAVE_PRESET);
    }
    std::string Crop(const char* suffix = "") const {
        return data.File(std::string("TintoraPresetCrop") + suffix);
    }
};

TEST_F(PresetsTest, OkWritesA404ByteFileWithSlot0StoredThatTheNextRunOpensWith) {
    const std::pair<int, const char*> typed[] = {
        {IDC_PCT, "12"},        {IDC_DIR, "270"},       {IDC_FOCUS_SIZE, "5"},
        {IDC_BORDER_SIZE, "6"}, {IDC_MOTION_X, "7"},    {IDC_MOTION_Y, "8"},
        {IDC_TRANSP, "30"},     {IDC_OFFSET_BLUR, "9"}, {IDC_BORDER_BLUR, "10"},
        {IDC_OFFSET_X, "-3"},   {IDC_OFFSET_Y, "4"}};
    RunTools(IDOK, [&](CDialog& d) {
        for (const auto& [id, text] : typed) Type(d, id, text);
        Pick(d, IDC_MORE_EFFECTS, 3);
        static_cast<TintoraDlg&>(d).m_crColor = 0x00A0B0C0;
        Click(d, IDC_APPLY_MORE);  // the exchange takes the typed values in
        Click(d, IDOK);
    });
    // Format 0, slot 0 stored with the dialog's values, the other slots empty.
    PresetRecord expected[kPresetSlots];
    const uint32_t slot0[] = {1, 12, 270, 5, 6, 7, 8, 30, 9, 10, uint32_t(-3), 4, 3, 0x00A0B0C0};
    for (int w = 0; w < int(std::size(slot0)); ++w) expected[0].SetWord(w, slot0[w]);
    const std::vector<uint8_t> bytes = ReadFileBytes(PresetsPath());
    EXPECT_EQ(bytes.size(), kPresetsFileBytes);
    EXPECT_EQ(bytes, PresetsBytes(0, expected));
    EXPECT_EQ(data.Entries(), 1u) << "a temporary file left beside it";

    auto dialog = Open();
    for (const auto& [id, text] : typed) EXPECT_EQ(Text(*dialog, id), text) << id;
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), 3);
    EXPECT_EQ(dialog->m_crColor, 0x00A0B0C0u);
}

TEST_F(PresetsTest, EachEndingKeepsOrRestoresTheImageAndWritesTheMembersAsTheyStand) {
    // clang-format off
    const struct { const char* name; ModalScript::Step end; INT_PTR result; bool keeps, writes; }
    endings[] = {
        {"OK", [](CDialog& d) { Click(d, IDOK); }, IDOK, true, true},
        {"Enter", [](CDialog& d) { PressKeyIn(d, IDC_BORDER_SIZE, Qt::Key_Return); }, IDOK, true,
         true},
        {"Cancel", [](CDialog& d) { Click(d, IDC_CANCEL_RESTORE); }, IDCANCEL, false, true},
        {"close box", [](CDialog& d) { ClickCloseBox(d); }, IDCANCEL, true, true},
        {"Escape", [](CDialog& d) { PressKey(d, Qt::Key_Escape); }, IDCANCEL, true, false}};
    // clang-format on
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.name);
        std::filesystem::remove(PresetsPath());
        std::vector<uint8_t> processed;
        RunTools(ending.result, [&](CDialog& d) {
            Type(d, IDC_FOCUS_SIZE, "2");
            Click(d, IDC_APPLY_FOCUS);
            processed = HostPixels();
            // Typed but never exchanged: the presets keep the member's 2.
            Type(d, IDC_FOCUS_SIZE, "9");
            ending.end(d);
        });
        EXPECT_NE(processed, Original());
        EXPECT_EQ(HostPixels(), ending.keeps ? processed : Original());
        ASSERT_EQ(PresetsWritten(), ending.writes);
        if (ending.writes) {
            EXPECT_EQ(SlotWord(ReadFileBytes(PresetsPath()), 0, 3), 2u);
        }
    }
}

TEST_F(PresetsTest, OkWithAFailingValueWritesThePresetsButStaysOpen) {
    RunTools(IDOK, [&](CDialog& d) {
        Type(d, IDC_MOTION_X, "101");
        Click(d, IDOK);
        EXPECT_FALSE(d.HasEnded());
        EXPECT_TRUE(PresetsWritten());
        Type(d, IDC_MOTION_X, "100");
        Click(d, IDOK);
    });
    EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 0 and 100.");
}

TEST_F(PresetsTest, TheDialogOpensWithSlot0AndRecallsStoredSlots) {
    PresetRecord records[kPresetSlots] = {Stored(40), Stored(5, kNone), Stored(17, kEmboss),
                                          Stored(6, -1), Stored(61, 99)};
    records[4].dwFlag = 0;  // counts as stored
    std::vector<uint8_t> file = PresetsBytes(0, records);
    file.push_back(0xEE);  // bytes past the records are ignored
    WriteFileBytes(PresetsPath(), file);
    auto dialog = Open();
    ExpectShown(*dialog, 40);
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), kGrayscale);
    EXPECT_FALSE(Enabled(*dialog, IDC_PCT));
    // Preset buttons start off and Save proposes slot 1.
    EXPECT_EQ(std::pair(Checked(*dialog, IDC_PRESET1), dialog->m_nCurrentPreset),
              std::pair(false, 1));

    Click(*dialog, IDC_PRESET1);
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), kNone);
    EXPECT_EQ(std::pair(Enabled(*dialog, IDC_PCT), Enabled(*dialog, IDC_DIR)),
              std::pair(true, false));
    Click(*dialog, IDC_PRESET2);
    EXPECT_EQ(std::pair(Checked(*dialog, IDC_PRESET2), dialog->m_nCurrentPreset),
              std::pair(true, 2));
    ExpectShown(*dialog, 17);
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), kEmboss);
    EXPECT_TRUE(Enabled(*dialog, IDC_DIR));
    // Entries outside the list clear the selection.
    for (int button : {IDC_PRESET3, IDC_PRESET4}) {
        Pick(*dialog, IDC_MORE_EFFECTS, 4);
        Click(*dialog, button);
        EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), -1) << button;
    }
    EXPECT_EQ(Text(*dialog, IDC_PCT), "61");
    Click(*dialog, IDOK);
    EXPECT_EQ(ReadFileBytes(PresetsPath()).size(), kPresetsFileBytes);
}

TEST_F(PresetsTest, AnIncompatibleOrTooShortFileIsReportedAndReplacedAtTheEnd) {
    PresetRecord records[kPresetSlots];
    records[0] = Stored(40);
    for (const std::vector<uint8_t>& file :
         {PresetsBytes(1, records), std::vector<uint8_t>{0, 0}}) {
        SCOPED_TRACE(file.size());
        WriteFileBytes(PresetsPath(), file);
        RunTools(IDOK, [&](CDialog& d) {
            EXPECT_EQ(Text(d, IDC_PCT), "0");
            EXPECT_TRUE(static_cast<TintoraDlg&>(d).m_Presets[0].IsEmpty());
            Click(d, IDOK);
        });
        EXPECT_EQ(prompts.TakeOne(), "Incompatible File Format");
        const std::vector<uint8_t> bytes = ReadFileBytes(PresetsPath());
        ASSERT_EQ(bytes.size(), kPresetsFileBytes);
        // The format word, and the Pct of the new slot 0.
        EXPECT_EQ(std::pair(WordAt(bytes, 0), SlotWord(bytes, 0, 1)), std::pair(0u, 0u));
    }
}

TEST_F(PresetsTest, EmptySlotsChangeNoValueAndCopyNoSideFileButSaveProposesThem) {
    PresetRecord records[kPresetSlots];
    WriteFileBytes(PresetsPath(), PresetsBytes(0, records));
    WriteFileBytes(Crop(".0"), {1, 2, 3});
    WriteFileBytes(Crop(".3"), {9, 9});
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_FOCUS_SIZE), "1");
    Type(*dialog, IDC_PCT, "33");
    Click(*dialog, IDC_PRESET3);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "33");
    EXPECT_FALSE(std::filesystem::exists(Crop()));
    ModalScript script;
    script.Then([](CDialog& save) {
        EXPECT_EQ(save.Template().id, IDD_SAVE_PRESET);
        EXPECT_EQ(Text(save, IDC_PRESET_NUMBER), "3");
        Click(save, IDCANCEL);
    });
    Click(*dialog, IDC_SAVE_PRESET);
    EXPECT_TRUE(dialog->m_Presets[3].IsEmpty());
}

TEST_F(PresetsTest, SaveTakesSlots1To4AndStoresInMemoryUntilTheDialogEnds) {
    ModalScript script;
    script
        .Then([&](CDialog& d) {
            auto& tools = static_cast<TintoraDlg&>(d);
            Type(d, IDC_BORDER_SIZE, "44");
            Click(d, IDC_SAVE_PRESET);
            EXPECT_EQ(std::pair(tools.m_Presets[4].dwFlag, tools.m_Presets[4].nBorderSize),
                      std::pair(kPresetStored, 44u));
            EXPECT_FALSE(PresetsWritten());
            Click(d, IDOK);
        })
        .Then([&](CDialog& save) {
            Type(save, IDC_PRESET_NUMBER, "5");
            Click(save, IDOK);
            EXPECT_FALSE(save.HasEnded());
            EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 1 and 4.");
            Type(save, IDC_PRESET_NUMBER, "x");
            Click(save, IDOK);
            EXPECT_FALSE(save.HasEnded());
            EXPECT_EQ(prompts.TakeOne(), "Please enter an integer.");
            Type(save, IDC_PRESET_NUMBER, "4");
            PressKey(save, Qt::Key_Return);
            EXPECT_TRUE(save.HasEnded());
        });
    EXPECT_EQ(RunTools(script), IDOK);
    EXPECT_EQ(script.opened, (std::vector<int>{IDD_TINTORA_DIALOG, IDD_SAVE_PRESET}));
    const std::vector<uint8_t> bytes = ReadFileBytes(PresetsPath());
    EXPECT_EQ(std::pair(SlotWord(bytes, 4, 0), SlotWord(bytes, 4, 4)),
              std::pair(kPresetStored, 44u));
}

TEST_F(PresetsTest, SaveStoresTheControlsAndTheSelectionWhichRecallingCopiesBack) {
    const std::vector<uint8_t> older = {4, 5, 6};
    const std::vector<uint8_t> selection = {0, 1, 2, 0, 255, 13, 10, 0};
    WriteFileBytes(Crop(".2"), older);
    auto dialog = Open();
    // Save stores what the controls show, even past a value that fails; without
    // a current selection the slot keeps its older side file.
    Type(*dialog, IDC_PCT, "12");
    Type(*dialog, IDC_DIR, "400");
    SaveTo(*dialog, "2");
    EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 0 and 359.");
    const PresetRecord& two = dialog->m_Presets[2];
    EXPECT_EQ(std::tuple(two.dwFlag, two.nPct, two.nDir), std::tuple(kPresetStored, 12, 400));
    EXPECT_EQ(ReadFileBytes(Crop(".2")), older);
    Click(*dialog, IDC_PRESET2);
    EXPECT_EQ(ReadFileBytes(Crop()), older);

    WriteFileBytes(Crop(), selection);
    SaveTo(*dialog, "3");
    EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 0 and 359.");
    EXPECT_EQ(ReadFileBytes(Crop(".3")), selection);
    WriteFileBytes(Crop(), {7});
    Click(*dialog, IDC_PRESET3);
    EXPECT_EQ(ReadFileBytes(Crop()), selection);
}

TEST_F(PresetsTest, WithoutADataFolderNothingIsReadOrWrittenOrSaid) {
    const std::string missing = (data.Path() / "missing").string();
    WriteFileBytes(PresetsPath(), {1, 0, 0, 0});  // would be incompatible
    // An empty folder must never become the file system's root.
    for (const std::string& folder : {missing, std::string()}) {
        SCOPED_TRACE(folder);
        ModalScript script;
        script.Then([](CDialog& d) {
            SaveTo(d, "1");
            Click(d, IDOK);
        });
        TintoraDlg dialog(&control);
        dialog.m_strDataFolder = folder;
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_FALSE(std::filesystem::exists("/TintoraPresets"));
}

TEST_F(PresetsTest, APresetsFileThatCannotBeReplacedIsLeftAloneWithoutAMessage) {
    std::filesystem::create_directory(PresetsPath());
    RunTools(IDOK, [](CDialog& d) { Click(d, IDOK); });
    EXPECT_TRUE(std::filesystem::is_directory(PresetsPath()));
    EXPECT_EQ(data.Entries(), 1u);
}

// The presets file and its side files, copied and read without the dialog.
TEST(PresetFiles, CopiesWholeFilesAndReportsWhatItCouldNotDo) {
    TempDir folder;
    // Larger than one buffer, over a longer file that must be cut.
    std::vector<uint8_t> big(200000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7);
    WriteFileBytes(folder.File("a"), big);
    WriteFileBytes(folder.File("b"), std::vector<uint8_t>(300000, 1));
    EXPECT_EQ(CopyWholeFile(folder.File("a"), folder.File("b")), FileCopy::Copied);
    EXPECT_EQ(ReadFileBytes(folder.File("b")), big);
    EXPECT_EQ(CopyWholeFile(folder.File("none"), folder.File("b")), FileCopy::NoSource);
    EXPECT_EQ(CopyWholeFile(folder.File("a"), folder.File("x/y")), FileCopy::NotOpened);
    EXPECT_EQ(CopyWholeFile(folder.Path().string(), folder.File("c")), FileCopy::NotOpened);
    EXPECT_FALSE(std::filesystem::exists(folder.File("c")));
}

TEST(PresetFiles, AFifoInPlaceOfAFileIsRefusedWithoutWaitingOnIt) {
    TempDir folder;
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
    PresetRecord records[kPresetSlots];
    EXPECT_EQ(ReadPresetsFile(folder.File("fifo"), records), PresetsRead::Missing);
    EXPECT_EQ(CopyWholeFile(folder.File("fifo"), folder.File("c")), FileCopy::NotOpened);
    EXPECT_FALSE(std::filesystem::exists(folder.File("c")));
}

}  // namespace
}  // namespace dialog_test
