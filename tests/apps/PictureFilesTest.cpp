#include "apps/tintora/PictureFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/PilScript.h"
#include "tests/support/TempDir.h"

namespace {

// 2 x 3, bottom row first (B, G, R, A): the bottom row blue with alpha 100, the
// top row red and opaque, the middle green with alpha 200.
const std::vector<uint8_t> kTopRedBottomBlue = {
    255, 0, 0, 100, 255, 0, 0, 100, 0, 255, 0, 200, 0, 255, 0, 200, 0, 0, 255, 255, 0, 0, 255, 255};

TEST(PictureFiles, FilesWrittenByAnIndependentToolComeInBottomRowFirst) {
    TempDir dir;
    PilScript(dir,
              "im = Image.new('RGBA', (2, 3), (0, 255, 0, 200))\n"
              "for x in range(2):\n"
              "    im.putpixel((x, 0), (255, 0, 0, 255))\n"
              "    im.putpixel((x, 2), (0, 0, 255, 100))\n"
              "im.save('a.png')\n"
              "im.save('bottom.tga', orientation=-1)\n"
              "im.save('top.tga', orientation=1)\n");
    for (const char* name : {"a.png", "bottom.tga", "top.tga"}) {
        const engine::Result<Picture> picture = ReadPicture(dir.File(name), std::nullopt);
        ASSERT_TRUE(picture) << picture.Error();
        EXPECT_EQ(std::tuple(picture.Value().width, picture.Value().height, picture.Value().bgra),
                  std::tuple(2, 3, kTopRedBottomBlue))
            << name;
    }
}

TEST(PictureFiles, WrittenFilesAreUprightForAnIndependentReader) {
    TempDir dir;
    for (const char* name : {"b.png", "b.tga"}) {
        ASSERT_TRUE(WritePicture(dir.File(name), Picture{2, 3, kTopRedBottomBlue}));
        EXPECT_EQ(PilScript(dir, "im = Image.open('" + std::string(name) +
                                     "').convert('RGBA')\n"
                                     "print(im.getpixel((0, 0)), im.getpixel((1, 2)))\n"),
                  "(255, 0, 0, 255) (0, 0, 255, 100)\n")
            << name;
    }
}

TEST(PictureFiles, RawRastersRoundTripAndMustMatchTheirSize) {
    TempDir dir;
    const Picture picture{3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    ASSERT_TRUE(WritePicture(dir.File("p.bgra"), picture));
    const engine::Result<Picture> back = ReadPicture(dir.File("p.bgra"), RawSize{3, 1});
    ASSERT_TRUE(back);
    EXPECT_EQ(back.Value().bgra, picture.bgra);
    const engine::Result<Picture> wrongSize = ReadPicture(dir.File("p.bgra"), RawSize{2, 2});
    EXPECT_FALSE(wrongSize);
    EXPECT_NE(wrongSize.Error().find("12 bytes"), std::string::npos) << wrongSize.Error();
    EXPECT_FALSE(ReadPicture(dir.File("p.bgra"), std::nullopt));
}

TEST(PictureFiles, UnreadableInputsGiveMessagesInsteadOfPictures) {
    TempDir dir;
    std::ofstream(dir.File("text.png")) << "not a picture";
    // An absurd size is refused from the header alone.
    PilScript(dir, "Image.new('L', (20000, 1)).save('wide.png')\n");
    const std::tuple<std::string, std::optional<RawSize>, std::string> cases[] = {
        {"missing.png", std::nullopt, "missing.png"},
        {"text.png", std::nullopt, ""},
        {"wide.png", std::nullopt, "too large"},
        {"r.bgra", RawSize{20000, 20000}, ""},
    };
    for (const auto& [name, size, message] : cases) {
        const engine::Result<Picture> picture = ReadPicture(dir.File(name), size);
        EXPECT_FALSE(picture) << name;
        EXPECT_NE(picture.Error(), "") << name;
        EXPECT_NE(picture.Error().find(message), std::string::npos) << picture.Error();
    }
}

TEST(PictureFiles, AFailedWriteLeavesNoFileBehind) {
    TempDir dir;
    const Picture picture{1, 1, {1, 2, 3, 4}};
    EXPECT_NE(WritePicture(dir.File("no-folder/x.png"), picture).Error(), "");
    EXPECT_NE(WritePicture(dir.File("noextension"), picture).Error(), "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
