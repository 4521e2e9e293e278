#include "dialogs/PresetFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

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
