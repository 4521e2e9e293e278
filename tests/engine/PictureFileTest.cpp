// Picture files written and read by an independent tool (PIL) must line up
// with the engine's pictures as both appear upright, whatever row order the
// file uses.

#include "engine/PictureFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/engine/EffectTestSupport.h"
#include "tests/support/PilScript.h"
#include "tests/support/TempDir.h"

namespace {

// 2 x 3, bottom row first: the bottom row blue with alpha 100, the top row red
// and opaque, the middle green with alpha 200.
const ref::Pic kTopRedBottomBlue(2, 3, {255, 0,   0, 100, 255, 0, 0,   100, 0, 255, 0,   200,
                                        0,   255, 0, 200, 0,   0, 255, 255, 0, 0,   255, 255});

ref::Pic Read(const std::string& path) {
    engine::Result<engine::Raster> read = engine::ReadPictureFile(path);
    EXPECT_TRUE(read) << read.Error();
    return read ? ToPic(read.Value()) : ref::Pic();
}

TEST(PictureFile, EveryStillFormatOfEitherOriginComesInBottomRowFirst) {
    TempDir dir;
    PilScript(dir,
              "im = Image.new('RGBA', (2, 3), (0, 255, 0, 200))\n"
              "for x in range(2):\n"
              "    im.putpixel((x, 0), (255, 0, 0, 255))\n"
              "    im.putpixel((x, 2), (0, 0, 255, 100))\n"
              "for name in ['a.png', 'a.tif']:\n"
              "    im.save(name)\n"
              "im.save('bottom.tga', orientation=-1)\n"
              "im.save('top.tga', orientation=1)\n"
              "rgb = im.convert('RGB')\n"
              "for name in ['a.bmp', 'a.gif', 'rgb.tga']:\n"
              "    rgb.save(name)\n"
              "Image.new('RGB', (8, 8)).save('a.jpg')\n");
    for (const char* name : {"a.png", "a.tif", "bottom.tga", "top.tga"}) {
        EXPECT_TRUE(SamePicture(kTopRedBottomBlue, Read(dir.File(name)))) << name;
    }
    ref::Pic opaque = kTopRedBottomBlue;
    for (size_t i = 3; i < opaque.px.size(); i += 4) opaque.px[i] = 255;
    // Pictures without alpha read as opaque, never as whatever memory held.
    for (const char* name : {"a.bmp", "a.gif", "rgb.tga"}) {
        EXPECT_TRUE(SamePicture(opaque, Read(dir.File(name)))) << name;
    }
    EXPECT_EQ(SizeOf(Read(dir.File("a.jpg"))), std::pair(8, 8));
}

TEST(PictureFile, WrittenFilesAreUprightForAnIndependentReaderAndReadBackTheSame) {
    TempDir dir;
    for (const char* format : {"png", "tga"}) {
        const std::string name = std::string("b.") + format;
        ASSERT_TRUE(engine::WritePictureFile(dir.File(name), ViewOf(kTopRedBottomBlue), format));
        EXPECT_EQ(PilScript(dir, "im = Image.open('" + name +
                                     "').convert('RGBA')\n"
                                     "print(im.getpixel((0, 0)), im.getpixel((1, 2)))\n"),
                  "(255, 0, 0, 255) (0, 0, 255, 100)\n")
            << name;
        EXPECT_TRUE(SamePicture(kTopRedBottomBlue, Read(dir.File(name)))) << name;
    }
    // Pixels in red-green-blue order are told so.
    ref::Pic rgba = kTopRedBottomBlue;
    for (size_t i = 0; i < rgba.px.size(); i += 4) std::swap(rgba.px[i], rgba.px[i + 2]);
    ASSERT_TRUE(
        engine::WritePictureFile(dir.File("c.tga"), ViewOf(rgba), "tga", engine::PixelOrder::Rgba));
    EXPECT_TRUE(SamePicture(kTopRedBottomBlue, Read(dir.File("c.tga"))));
}

TEST(PictureFile, UnusableFilesGiveAReasonAndAFailedWriteLeavesNothing) {
    TempDir dir;
    std::ofstream(dir.File("text.png")) << "not a picture at all";
    PilScript(dir,
              "import io\n"
              "im = Image.new('RGB', (64, 64), (200, 10, 10))\n"
              "for name, fmt in [('cut.png', 'PNG'), ('cut.tga', 'TGA'), ('cut.jpg', 'JPEG')]:\n"
              "    b = io.BytesIO(); im.save(b, fmt); data = b.getvalue()\n"
              "    open(name, 'wb').write(data[:len(data) // 2])\n"
              "Image.new('L', (16385, 1)).save('wide.png')\n"
              "Image.new('1', (12000, 12000)).save('many.png')\n"
              "im.save('picture.ppm')\n");
    const std::pair<std::string, std::string> cases[] = {
        {"missing.png", "does not exist"},
        {"", "not a file"},
        {"text.png", "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
        {"picture.ppm", "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
        {"cut.png", ""},
        {"cut.tga", ""},
        {"cut.jpg", ""},
        {"wide.png", "pixels a side"},
        {"many.png", "too large: 12000x12000"},
    };
    for (const auto& [name, reason] : cases) {
        const engine::Result<engine::Raster> read = engine::ReadPictureFile(dir.File(name));
        EXPECT_FALSE(read) << name;
        EXPECT_NE(read.Error().find(reason), std::string::npos) << read.Error();
    }
    const ref::Pic pixel(1, 1, {1, 2, 3, 4});
    EXPECT_NE(engine::WritePictureFile(dir.File("no-folder/x.png"), ViewOf(pixel), "png").Error(),
              "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 7);
}

}  // namespace
