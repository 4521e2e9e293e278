#include "platform/files/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

mode_t Mode(const fs::path& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST(AtomicFile, CreatesAndReplacesKeepingPermissions) {
    TempDir dir;
    const std::string path = dir.File("presets");
    ASSERT_FALSE(files::ReplaceFile(path, std::string("one\0two", 7)));
    EXPECT_EQ(ReadFileText(path), std::string("one\0two", 7));

    chmod(path.c_str(), 0640);
    ASSERT_FALSE(files::ReplaceFile(path, "three"));
    EXPECT_EQ((std::tuple{ReadFileText(path), Mode(path)}), (std::tuple{"three", 0640u}));
    EXPECT_EQ(dir.Entries(), 1u) << "no temporary file is left behind";
}

TEST(AtomicFile, ALinkStaysALinkAndItsFileIsReplaced) {
    TempDir dir;
    fs::create_directory(dir.Path() / "real");
    const fs::path pointee = dir.Path() / "real" / "picture.tga";
    { std::ofstream(pointee) << "old"; }
    chmod(pointee.c_str(), 0604);
    const fs::path link = dir.Path() / "link.tga";
    fs::create_symlink("real/picture.tga", link);

    ASSERT_FALSE(files::ReplaceFile(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ((std::tuple{ReadFileText(pointee), Mode(pointee)}), (std::tuple{"new", 0604u}));
    EXPECT_EQ(dir.Entries(), 2u);
}

TEST(AtomicFile, FailuresLeaveTheTargetAndNoTemporary) {
    TempDir dir;
    fs::create_directory(dir.Path() / "folder");
    const std::error_code onFolder = files::ReplaceFile(dir.File("folder"), "x");
    EXPECT_EQ(onFolder, std::errc::is_a_directory);
    EXPECT_TRUE(fs::is_empty(dir.Path() / "folder"));

    files::ReplaceStep step = files::ReplaceStep::Write;
    const std::error_code noFolder = files::ReplaceFile(dir.File("missing/file"), "x", &step);
    EXPECT_EQ(noFolder, std::errc::no_such_file_or_directory);
    EXPECT_EQ(step, files::ReplaceStep::Create);
    EXPECT_EQ(files::WriteErrorText("out.png", noFolder),
              "cannot write out.png: No such file or directory");

    fs::create_symlink("loop", dir.Path() / "loop");
    EXPECT_EQ(files::ReplaceFile(dir.File("loop"), "x"), std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(dir.Entries(), 2u);
}

}  // namespace
