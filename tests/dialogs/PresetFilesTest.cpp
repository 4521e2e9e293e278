#include "dialogs/PresetFiles.h"

#include <gtest/gtest.h>

#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

TEST(PresetFiles, WritesTheFormatWordAndEveryWordLittleEndian) {
    TempDir folder;
    PresetRecord records[kPresetSlots];
    records[3].dwFlag = kPresetStored;
    records[3].nOffsetX = -2;
    records[3].crColor = 0x00C0FFEE;
    ASSERT_EQ(WritePresetsFile(folder.File("TintoraPresets"), records), PresetsWrite::Written);
    const std::vector<uint8_t> bytes = ReadBytes(folder.File("TintoraPresets"));
    ASSERT_EQ(bytes.size(), 404u);
    const size_t slot3 = 4 + 3 * 80;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + slot3, bytes.begin() + slot3 + 4),
              (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + slot3 + 40, bytes.begin() + slot3 + 44),
              (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + slot3 + 52, bytes.begin() + slot3 + 56),
              (std::vector<uint8_t>{0xEE, 0xFF, 0xC0, 0x00}));
    EXPECT_EQ(WordAt(bytes, 4), kPresetEmpty);

    PresetRecord read[kPresetSlots];
    ASSERT_EQ(ReadPresetsFile(folder.File("TintoraPresets"), read), PresetsRead::Read);
    EXPECT_EQ(read[3].Words(), records[3].Words());
}

TEST(PresetFiles, AMissingFileOrFolderReadsNothing) {
    TempDir folder;
    PresetRecord records[kPresetSlots];
    records[0].nPct = 5;
    EXPECT_EQ(ReadPresetsFile(folder.File("none"), records), PresetsRead::Missing);
    EXPECT_EQ(ReadPresetsFile(folder.Path().string(), records), PresetsRead::Missing);
    EXPECT_EQ(records[0].nPct, 5);
    EXPECT_EQ(WritePresetsFile(folder.File("no/folder/TintoraPresets"), records),
              PresetsWrite::NotOpened);
}

TEST(PresetFiles, AnIncompatibleFileLeavesTheSlotsAlone) {
    TempDir folder;
    PresetRecord records[kPresetSlots];
    records[0].dwFlag = kPresetStored;
    records[0].nPct = 9;
    std::vector<uint8_t> bytes = PresetsBytes(2, records);
    WriteBytes(folder.File("p"), bytes);
    PresetRecord read[kPresetSlots];
    EXPECT_EQ(ReadPresetsFile(folder.File("p"), read), PresetsRead::Incompatible);
    EXPECT_TRUE(read[0].IsEmpty());
}

TEST(PresetFiles, CopiesWholeFilesAndReportsWhatItCouldNotDo) {
    TempDir folder;
    std::vector<uint8_t> big(200000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7);
    WriteBytes(folder.File("a"), big);
    WriteBytes(folder.File("b"), std::vector<uint8_t>(300000, 1));
    EXPECT_EQ(CopyWholeFile(folder.File("a"), folder.File("b")), FileCopy::Copied);
    EXPECT_EQ(ReadBytes(folder.File("b")), big);
    EXPECT_EQ(CopyWholeFile(folder.File("none"), folder.File("b")), FileCopy::NoSource);
    EXPECT_EQ(CopyWholeFile(folder.File("a"), folder.File("x/y")), FileCopy::NotOpened);
    EXPECT_EQ(CopyWholeFile(folder.Path().string(), folder.File("c")), FileCopy::NotOpened);
    EXPECT_FALSE(std::filesystem::exists(folder.File("c")));
}

}  // namespace
}  // namespace dialog_test
