#include "apps/tintora/PictureFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/Python.h"
#include "tests/support/TempDir.h"

namespace {

// A 2 x 3 picture whose top row (as a viewer shows it) is red and bottom row blue.
const char* kWriteWithPil =
    "from PIL import Image\n"
    "im = Image.new('RGBA', (2, 3), (0, 255, 0, 200))\n"
    "for x in range(2):\n"
    "    im.putpixel((x, 0), (255, 0, 0, 255))\n"
    "    im.putpixel((x, 2), (0, 0, 255, 100))\n";

void ExpectTopRedBottomBlue(const Picture& picture) {
    ASSERT_EQ(picture.width, 2);
    ASSERT_EQ(picture.height, 3);
    // Memory row 0 is the bottom row: blue, alpha 100 (B, G, R, A).
    EXPECT_EQ(std::vector<uint8_t>(picture.bgra.begin(), picture.bgra.begin() + 4),
              (std::vector<uint8_t>{255, 0, 0, 100}));
    EXPECT_EQ(std::vector<uint8_t>(picture.bgra.end() - 4, picture.bgra.end()),
              (std::vector<uint8_t>{0, 0, 255, 255}));
}

TEST(PictureFiles, FilesWrittenByAnIndependentToolComeInBottomRowFirst) {
    TempDir dir;
    bool ok = false;
    const std::string out = RunPython(std::string(kWriteWithPil) +
                                          "im.save('" + dir.File("a.png") + "')\n"
                                          "im.save('" + dir.File("bottom.tga") + "', orientation=-1)\n"
                                          "im.save('" + dir.File("top.tga") + "', orientation=1)\n",
                                      &ok);
    ASSERT_TRUE(ok) << out;
    for (const char* name : {"a.png", "bottom.tga", "top.tga"}) {
        SCOPED_TRACE(name);
        std::string error;
        auto picture = ReadPicture(dir.File(name), std::nullopt, error);
        ASSERT_TRUE(picture) << error;
        ExpectTopRedBottomBlue(*picture);
    }
}

TEST(PictureFiles, WrittenFilesAreUprightForAnIndependentReader) {
    TempDir dir;
    Picture picture{2, 3, std::vector<uint8_t>(24, 0)};
    for (int x = 0; x < 2; ++x) {
        const uint8_t bottom[4] = {255, 0, 0, 100};
        const uint8_t top[4] = {0, 0, 255, 255};
        std::copy(bottom, bottom + 4, picture.bgra.begin() + x * 4);
        std::copy(top, top + 4, picture.bgra.begin() + 16 + x * 4);
    }
    for (const char* name : {"b.png", "b.tga"}) {
        ASSERT_EQ(WritePicture(dir.File(name), picture), "");
        bool ok = false;
        const std::string seen = RunPython(
            "from PIL import Image\n"
            "im = Image.open('" + dir.File(name) + "').convert('RGBA')\n"
            "print(im.getpixel((0, 0)), im.getpixel((1, 2)))\n",
            &ok);
        EXPECT_EQ(seen, "(255, 0, 0, 255) (0, 0, 255, 100)\n") << name;
    }
}

TEST(PictureFiles, RawRastersRoundTripAndMustMatchTheirSize) {
    TempDir dir;
    Picture picture{3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    ASSERT_EQ(WritePicture(dir.File("p.bgra"), picture), "");
    std::string error;
    auto back = ReadPicture(dir.File("p.bgra"), RawSize{3, 1}, error);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bgra, picture.bgra);
    EXPECT_FALSE(ReadPicture(dir.File("p.bgra"), RawSize{2, 2}, error));
    EXPECT_NE(error.find("12 bytes"), std::string::npos) << error;
    EXPECT_FALSE(ReadPicture(dir.File("p.bgra"), std::nullopt, error));
}

TEST(PictureFiles, UnreadableInputsGiveMessagesInsteadOfPictures) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(ReadPicture(dir.File("missing.png"), std::nullopt, error));
    EXPECT_NE(error.find("missing.png"), std::string::npos);
    std::ofstream(dir.File("text.png")) << "not a picture";
    error.clear();
    EXPECT_FALSE(ReadPicture(dir.File("text.png"), std::nullopt, error));
    EXPECT_FALSE(error.empty());
    // An absurd size is refused from the header alone.
    bool ok = false;
    RunPython("from PIL import Image\nImage.new('L', (20000, 1)).save('" + dir.File("wide.png") +
                  "')\n",
              &ok);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(ReadPicture(dir.File("wide.png"), std::nullopt, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_FALSE(ReadPicture(dir.File("r.bgra"), RawSize{20000, 20000}, error));
}

TEST(PictureFiles, AFailedWriteLeavesNoFileBehind) {
    TempDir dir;
    Picture picture{1, 1, {1, 2, 3, 4}};
    EXPECT_NE(WritePicture(dir.File("no-folder/x.png"), picture), "");
    EXPECT_NE(WritePicture(dir.File("noextension"), picture), "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
