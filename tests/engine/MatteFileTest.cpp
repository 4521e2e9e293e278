// Matte files written by an independent tool (PIL) must line up with the
// picture as both appear upright, whatever row order the file uses.

#include "engine/MatteFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/Matte.h"
#include "tests/engine/EffectTestSupport.h"
#include "tests/support/PilScript.h"
#include "tests/support/TempDir.h"

namespace {

// A w x h matte whose upper half (as seen upright) is white and lower half black.
std::string TopHalfWhite(int w, int h) {
    return "im = Image.new('RGB', (" + std::to_string(w) + ", " + std::to_string(h) +
           "))\nim.paste((255, 255, 255), (0, 0, " + std::to_string(w) + ", " +
           std::to_string(h / 2) + "))\n";
}

// Reads a file that must be usable; the matte's pixel (x, y) as B, G, R, fourth byte.
engine::Raster Read(const std::string& path) {
    engine::Result<engine::Raster> file = engine::ReadMatteFile(path);
    EXPECT_EQ(file.Error(), "");
    return file ? std::move(file).Value() : engine::Raster{};
}
Px At(const engine::Raster& matte, int x, int y) {
    const uint8_t* q = matte.View().Pixel(x, y);
    return {q[0], q[1], q[2], q[3]};
}

TEST(MatteFile, EveryStillFormatOfEitherOriginLinesUpWithThePictureUpright) {
    TempDir dir;
    PilScript(dir, TopHalfWhite(7, 6) +
                       "im.save('bl.tga', orientation=-1)\n"
                       "im.save('tl.tga', orientation=1)\n"
                       "for name in ['m.png', 'm.bmp', 'm.tif', 'm.gif']:\n"
                       "    im.save(name)\n" +
                       TopHalfWhite(8, 8) + "im.save('m.jpg')\n");
    for (const char* name : {"m.png", "m.bmp", "m.tif", "m.gif", "bl.tga", "tl.tga"}) {
        SCOPED_TRACE(name);
        const engine::Raster matte = Read(dir.File(name));
        ASSERT_TRUE(matte);
        // Applied without crop it keeps exactly the picture's upper half; row 0
        // is the picture's bottom row.
        const ref::Pic out = Output(engine::Matte(ViewOf(Filled(7, 6, 10, 20, 30, 255)),
                                                  matte.View(), engine::MatteParams{}));
        ASSERT_EQ(SizeOf(ToPic(matte)), std::pair(7, 6));
        ref::Pic upper(7, 6);
        Paint(upper, 0, 3, 7, 6, {10, 20, 30, 255});
        EXPECT_TRUE(SamePicture(upper, out));
    }
    const engine::Raster jpeg = Read(dir.File("m.jpg"));
    ASSERT_TRUE(jpeg);
    EXPECT_GT(At(jpeg, 4, 7)[2], 200);
    EXPECT_LT(At(jpeg, 4, 0)[2], 50);
}

TEST(MatteFile, TheFirstFrameOfAnAnimationWithChannelsScaledLikeTheLibrarysOwnConversion) {
    TempDir dir;
    // 16-bit gray samples; the library scales them to bytes as (q + 128) / 257.
    // The fourth byte is the library's opacity: 255 - alpha.
    PilScript(dir,
              "white = Image.new('L', (4, 4), 255)\n"
              "black = Image.new('L', (4, 4), 0)\n"
              "white.save('a.gif', save_all=True, append_images=[black, black])\n"
              "im = Image.new('I;16', (4, 1))\n"
              "for x, v in enumerate([0, 1000, 32896, 65535]):\n"
              "    im.putpixel((x, 0), v)\n"
              "im.save('deep.png')\n"
              "im = Image.new('RGBA', (3, 1))\n"
              "for x, a in enumerate([255, 0, 100]):\n"
              "    im.putpixel((x, 0), (10, 20, 30, a))\n"
              "im.save('alpha.png')\n");
    EXPECT_EQ(At(Read(dir.File("a.gif")), 2, 2)[2], 255);
    const engine::Raster deep = Read(dir.File("deep.png"));
    const int gray[] = {0, (1000 + 128) / 257, (32896 + 128) / 257, 255};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(deep, x, 0), (Px{gray[x], gray[x], gray[x], 0})) << x;
    const engine::Raster alpha = Read(dir.File("alpha.png"));
    EXPECT_EQ(At(alpha, 0, 0)[3], 0);
    EXPECT_EQ(At(alpha, 1, 0)[3], 255);
    EXPECT_EQ(At(alpha, 2, 0), (Px{30, 20, 10, 155}));
}

TEST(MatteFile, UnusableFilesGiveAMessageInsteadOfAMatte) {
    TempDir dir;
    const std::string text = dir.File("text.png");
    std::ofstream(text) << "not a picture at all";
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
        {dir.File("missing.png"), "Matte file does not exist"},
        {dir.Path().string(), "not a file"},
        {text, "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
        {dir.File("cut.png"), "cut.png"},
        {dir.File("cut.tga"), "cut.tga"},
        {dir.File("cut.jpg"), "cut.jpg"},
        {dir.File("wide.png"), "pixels a side"},
        {dir.File("many.png"), "too large: 12000x12000"},
        {dir.File("picture.ppm"), "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
    };
    for (const auto& [path, message] : cases) {
        const engine::Result<engine::Raster> file = engine::ReadMatteFile(path);
        EXPECT_FALSE(file) << path;
        EXPECT_NE(file.Error().find(message), std::string::npos) << file.Error();
    }
}

}  // namespace
