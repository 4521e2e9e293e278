// Picture files written and read by an independent tool (PIL) must line up
// with the engine's pictures as both appear upright, whatever row order the
// file uses.

#include "engine/PictureFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <tuple>

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
    for (size_t i = 3; i < opaque.bytes.size(); i += 4) opaque.bytes[i] = 255;
    // Pictures without alpha read as opaque, never as whatever memory held.
    for (const char* name : {"a.bmp", "a.gif", "rgb.tga"}) {
        EXPECT_TRUE(SamePicture(opaque, Read(dir.File(name)))) << name;
    }
    EXPECT_EQ(SizeOf(Read(dir.File("a.jpg"))), std::pair(8, 8));
}

TEST(PictureFile, AnOrientationLabelTurnsThePictureAsAViewerShowsIt) {
    TempDir dir;
    // Each orientation written by PIL into a TIFF (lossless) and a JPEG, and the
    // picture as a viewer shows it as a PNG without any label.
    PilScript(dir,
              "from PIL import ImageOps\n"
              "im = Image.new('RGB', (6, 4), (0, 0, 255))\n"
              "im.paste((255, 0, 0), (0, 0, 3, 2))\n"
              "im.paste((0, 255, 0), (3, 0, 6, 2))\n"
              "T = Image.Transpose\n"
              "turns = {2: T.FLIP_LEFT_RIGHT, 3: T.ROTATE_180, 4: T.FLIP_TOP_BOTTOM,\n"
              "         5: T.TRANSPOSE, 6: T.ROTATE_270, 7: T.TRANSVERSE, 8: T.ROTATE_90}\n"
              "for o in range(1, 9):\n"
              "    im.save('o%d.tif' % o, tiffinfo={274: o})\n"
              "    (im.transpose(turns[o]) if o > 1 else im).save('o%d.png' % o)\n"

              "exif = Image.Exif()\n"
              "exif[274] = 6\n"
              "im.resize((48, 32), Image.NEAREST).save('o6.jpg', exif=exif, quality=100)\n"
              "exif[274] = 504\n"
              "im.resize((48, 32), Image.NEAREST).save('o504.jpg', exif=exif)\n"
              "ImageOps.exif_transpose(Image.open('o6.jpg')).save('o6j.png')\n");
    for (int o = 1; o <= 8; ++o) {
        const std::string name = "o" + std::to_string(o);
        EXPECT_TRUE(SamePicture(Read(dir.File(name + ".png")), Read(dir.File(name + ".tif"))))
            << name;
    }
    // A number that is no orientation leaves the picture as stored.
    EXPECT_EQ(SizeOf(Read(dir.File("o504.jpg"))), std::pair(48, 32));
    const ref::Pic jpeg = Read(dir.File("o6.jpg"));
    const ref::Pic shown = Read(dir.File("o6j.png"));
    ASSERT_EQ(SizeOf(jpeg), std::pair(32, 48));
    ASSERT_EQ(SizeOf(shown), SizeOf(jpeg));
    for (size_t i = 0; i < jpeg.bytes.size(); ++i) {
        ASSERT_NEAR(jpeg.bytes[i], shown.bytes[i], 24) << "byte " << i;
    }
}

TEST(PictureFile, WrittenFilesAreUprightForAnIndependentReaderAndReadBackTheSame) {
    TempDir dir;
    for (const char* format : {"png", "tga"}) {
        const std::string name = std::string("b.") + format;
        ASSERT_TRUE(engine::WritePictureFile(dir.File(name), kTopRedBottomBlue.View(), format));
        EXPECT_EQ(PilScript(dir, "im = Image.open('" + name +
                                     "').convert('RGBA')\n"
                                     "print(im.getpixel((0, 0)), im.getpixel((1, 2)))\n"),
                  "(255, 0, 0, 255) (0, 0, 255, 100)\n")
            << name;
        EXPECT_TRUE(SamePicture(kTopRedBottomBlue, Read(dir.File(name)))) << name;
    }
    // Pixels in red-green-blue order are told so.
    ref::Pic rgba = kTopRedBottomBlue;
    for (size_t i = 0; i < rgba.bytes.size(); i += 4) std::swap(rgba.bytes[i], rgba.bytes[i + 2]);
    ASSERT_TRUE(
        engine::WritePictureFile(dir.File("c.tga"), rgba.View(), "tga", engine::PixelOrder::Rgba));
    EXPECT_TRUE(SamePicture(kTopRedBottomBlue, Read(dir.File("c.tga"))));
}

TEST(PictureFile, UnusableFilesGiveAReasonAndAFailedWriteLeavesNothing) {
    TempDir dir;
    std::ofstream(dir.File("text.png")) << "not a picture at all";
    PilScript(dir,
              "import io\n"
              "im = Image.new('RGB', (64, 64), (200, 10, 10))\n"
              "for name, fmt in [('cut.png', 'PNG'), ('cut.tga', 'TGA'), ('cut.jpg', 'JPEG'),\n"
              "                  ('cut.bmp', 'BMP')]:\n"
              "    b = io.BytesIO(); im.save(b, fmt); data = b.getvalue()\n"
              "    open(name, 'wb').write(data[:len(data) // 2])\n"
              "Image.new('L', (16385, 1)).save('wide.png')\n"
              "Image.new('1', (12000, 12000)).save('many.png')\n"
              "im.save('picture.ppm')\n"
              "open('drawing.png', 'w').write('<svg xmlns=\"http://www.w3.org/2000/svg\"/>')\n"
              "frames = [Image.new('P', (8, 8), i) for i in range(3)]\n"
              "frames[0].save('frames.gif', save_all=True, append_images=frames[1:])\n"
              "data = open('frames.gif', 'rb').read()\n"
              "open('broken-later.gif', 'wb').write(data[:len(data) - 12])\n");
    ASSERT_EQ(mkfifo(dir.File("fifo.png").c_str(), 0600), 0);
    // Only a GIF's first frame is decoded: damage after it goes unnoticed.
    EXPECT_EQ(SizeOf(Read(dir.File("broken-later.gif"))), std::pair(8, 8));
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"missing.png", "does not exist"}, {"", "not a file"},
        {"text.png", "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
        {"picture.ppm", "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
        {"drawing.png", "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
        {"fifo.png", "not a file"}, {"cut.png", ""}, {"cut.tga", ""}, {"cut.jpg", ""},
        {"cut.bmp", ""}, {"wide.png", "pixels a side"}, {"many.png", "too large: 12000x12000"}};
    // clang-format on
    for (const auto& [name, reason] : cases) {
        const engine::Result<engine::Raster> read = engine::ReadPictureFile(dir.File(name));
        EXPECT_FALSE(read) << name;
        EXPECT_NE(read.Error().find(reason), std::string::npos) << read.Error();
    }
    const ref::Pic pixel(1, 1, {1, 2, 3, 4});
    const ref::Pic wide(16001, 1, std::vector<uint8_t>(16001 * 4));
    const std::tuple<std::string, const ref::Pic*, std::string> writes[] = {
        {"no-folder/x.png", &pixel, "No such file"},
        {"x.svg", &pixel, "pictures are written as PNG, TGA, BMP, JPEG, TIFF or GIF, not as svg"},
        {"wider.png", &wide, "too large: 16001x1"}};
    for (const auto& [name, picture, reason] : writes) {
        const engine::Result<> written =
            engine::WritePictureFile(dir.File(name), picture->View(),
                                     std::filesystem::path(name).extension().string().substr(1));
        EXPECT_EQ(written.Error().find("cannot write " + dir.File(name) + ": "), 0u);
        EXPECT_NE(written.Error().find(reason), std::string::npos) << written.Error();
    }
    EXPECT_EQ(dir.Entries(), 12u);
}

}  // namespace
