#include "apps/tintora/PictureFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TempDir.h"

namespace {

TEST(PictureFiles, RawRastersRoundTripAndMustMatchTheirSize) {
    TempDir dir;
    const Picture picture{3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    ASSERT_TRUE(WritePicture(dir.File("p.bgra"), picture));
    ASSERT_EQ(mkfifo(dir.File("fifo.bgra").c_str(), 0600), 0);
    const engine::Result<Picture> back = ReadPicture(dir.File("p.bgra"), RawSize{3, 1});
    ASSERT_TRUE(back);
    EXPECT_EQ(back.Value().bgra, picture.bgra);
    // clang-format off
    const struct { const char* name; std::optional<RawSize> size; const char* message; } bad[] = {
        {"p.bgra", RawSize{2, 2}, "12 bytes"}, {"p.bgra", std::nullopt, "--input-size"},
        {"r.bgra", RawSize{20000, 20000}, "too large"}, {"fifo.bgra", RawSize{1, 1}, "not a file"},
        {"missing.png", std::nullopt, "missing.png"}};
    // clang-format on
    for (const auto& c : bad) {
        const engine::Result<Picture> read = ReadPicture(dir.File(c.name), c.size);
        EXPECT_NE(read.Error().find(c.message), std::string::npos) << read.Error();
    }
    // Refused before the image library sees them, which would end the process.
    // clang-format off
    const std::pair<std::string, Picture> unwritable[] = {
        {"noextension", picture}, {"p.svg", picture},
        {"wide.png", Picture{16001, 1, std::vector<uint8_t>(16001 * 4)}},
        {"wide.tga", Picture{1, 16001, std::vector<uint8_t>(16001 * 4)}}};
    // clang-format on
    for (const auto& [name, written] : unwritable) {
        EXPECT_NE(WritePicture(dir.File(name), written).Error(), "") << name;
        EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
    }
}

}  // namespace
