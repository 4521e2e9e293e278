// Matte files written by an independent tool (PIL) must line up with the
// picture as both appear upright, whatever row order the file uses.

#include "engine/MatteFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/Matte.h"
#include "tests/engine/EffectTestSupport.h"
#include "tests/support/Python.h"
#include "tests/support/TempDir.h"

namespace {

void Python(const std::string& script) {
    bool ok = false;
    const std::string output = RunPython("from PIL import Image\n" + script, &ok);
    ASSERT_TRUE(ok) << output;
}

// A w x h matte whose upper half (as seen upright) is white and lower half black.
std::string TopHalfWhite(int w, int h, const std::string& mode = "RGB") {
    return "im = Image.new('" + mode + "', (" + std::to_string(w) + ", " + std::to_string(h) +
           "))\n"
           "for y in range(" + std::to_string(h / 2) + "):\n"
           "    for x in range(" + std::to_string(w) + "):\n"
           "        im.putpixel((x, y), (255,) * len(im.getbands()))\n";
}

engine::MatteFile Read(const std::string& path) {
    engine::MatteFile file = engine::ReadMatteFile(path);
    EXPECT_TRUE(file.error.empty()) << file.error;
    return file;
}

// The matte applied without crop keeps exactly the picture's upper half.
void ExpectUpperHalfKept(const engine::MatteFile& file, int w, int h) {
    ASSERT_TRUE(file.matte);
    ASSERT_EQ(file.matte.Width(), w);
    ASSERT_EQ(file.matte.Height(), h);
    const ref::Pic pic = Filled(w, h, 10, 20, 30, 255);
    engine::EffectResult result =
        engine::Matte(ViewOf(pic), file.matte.View(), engine::MatteParams{});
    ASSERT_TRUE(result.succeeded);
    const ref::Pic out = ToPic(result.output);
    for (int y = 0; y < h; ++y) {
        // Row 0 is the picture's bottom row.
        const int expected = y >= h - h / 2 ? 255 : 0;
        for (int x = 0; x < w; ++x) ASSERT_EQ(out.at(x, y)[3], expected) << "row " << y;
    }
}

TEST(MatteFile, PngAndTgaOfEitherOriginLineUpWithThePictureUpright) {
    TempDir dir;
    const std::string png = dir.File("m.png");
    const std::string bottomLeft = dir.File("bl.tga");
    const std::string topLeft = dir.File("tl.tga");
    Python(TopHalfWhite(7, 6) + "im.save('" + png + "')\n" + "im.save('" + bottomLeft +
           "', orientation=-1)\n" + "im.save('" + topLeft + "', orientation=1)\n");
    for (const std::string& path : {png, bottomLeft, topLeft}) {
        SCOPED_TRACE(path);
        ExpectUpperHalfKept(Read(path), 7, 6);
    }
}

TEST(MatteFile, OtherStillFormatsAreAccepted) {
    TempDir dir;
    std::string script = TopHalfWhite(8, 8);
    for (const char* name : {"m.bmp", "m.tif", "m.gif", "m.jpg"}) {
        script += "im.save('" + dir.File(name) + "')\n";
    }
    Python(script);
    for (const char* name : {"m.bmp", "m.tif", "m.gif"}) {
        SCOPED_TRACE(name);
        ExpectUpperHalfKept(Read(dir.File(name)), 8, 8);
    }
    const engine::MatteFile jpeg = Read(dir.File("m.jpg"));
    ASSERT_TRUE(jpeg.matte);
    EXPECT_GT(jpeg.matte.View().Pixel(4, 7)[engine::kRed], 200);
    EXPECT_LT(jpeg.matte.View().Pixel(4, 0)[engine::kRed], 50);
}

TEST(MatteFile, OnlyTheFirstFrameOfAnAnimationIsUsed) {
    TempDir dir;
    const std::string gif = dir.File("a.gif");
    Python("white = Image.new('L', (4, 4), 255)\n"
           "black = Image.new('L', (4, 4), 0)\n"
           "white.save('" + gif + "', save_all=True, append_images=[black, black])\n");
    const engine::MatteFile file = Read(gif);
    ASSERT_TRUE(file.matte);
    EXPECT_EQ(file.matte.View().Pixel(2, 2)[engine::kRed], 255);
}

TEST(MatteFile, BytesAreTheLibrarysChannelsScaledLikeItsOwnConversion) {
    TempDir dir;
    const std::string path = dir.File("deep.png");
    // 16-bit gray samples; the library scales them to bytes as (q + 128) / 257.
    Python("im = Image.new('I;16', (4, 1))\n"
           "for x, v in enumerate([0, 1000, 32896, 65535]):\n"
           "    im.putpixel((x, 0), v)\n"
           "im.save('" + path + "')\n");
    const engine::MatteFile file = Read(path);
    ASSERT_TRUE(file.matte);
    const int expected[] = {0, (1000 + 128) / 257, (32896 + 128) / 257, 255};
    for (int x = 0; x < 4; ++x) {
        const uint8_t* q = file.matte.View().Pixel(x, 0);
        EXPECT_EQ(q[engine::kRed], expected[x]) << x;
        EXPECT_EQ(q[engine::kGreen], expected[x]);
        EXPECT_EQ(q[engine::kBlue], expected[x]);
        EXPECT_EQ(q[engine::kAlpha], 0);
    }
}

TEST(MatteFile, TheFourthByteIsTheOpacity) {
    TempDir dir;
    const std::string path = dir.File("alpha.png");
    Python("im = Image.new('RGBA', (3, 1))\n"
           "im.putpixel((0, 0), (10, 20, 30, 255))\n"
           "im.putpixel((1, 0), (10, 20, 30, 0))\n"
           "im.putpixel((2, 0), (10, 20, 30, 100))\n"
           "im.save('" + path + "')\n");
    const engine::MatteFile file = Read(path);
    ASSERT_TRUE(file.matte);
    EXPECT_EQ(file.matte.View().Pixel(0, 0)[engine::kAlpha], 0);
    EXPECT_EQ(file.matte.View().Pixel(1, 0)[engine::kAlpha], 255);
    EXPECT_EQ(file.matte.View().Pixel(2, 0)[engine::kAlpha], 155);
    EXPECT_EQ(file.matte.View().Pixel(2, 0)[engine::kRed], 10);
    EXPECT_EQ(file.matte.View().Pixel(2, 0)[engine::kBlue], 30);
}

TEST(MatteFile, UnusableFilesGiveAMessageInsteadOfAMatte) {
    TempDir dir;
    const std::string text = dir.File("text.png");
    std::ofstream(text) << "not a picture at all";
    const std::string truncatedPng = dir.File("cut.png");
    const std::string truncatedTga = dir.File("cut.tga");
    const std::string truncatedJpeg = dir.File("cut.jpg");
    const std::string tooWide = dir.File("wide.png");
    const std::string tooMany = dir.File("many.png");
    const std::string other = dir.File("picture.ppm");
    Python("import io\n"
           "im = Image.new('RGB', (64, 64), (200, 10, 10))\n"
           "for name, fmt in [('" + truncatedPng + "', 'PNG'), ('" + truncatedTga + "', 'TGA'), ('" +
           truncatedJpeg + "', 'JPEG')]:\n"
           "    b = io.BytesIO(); im.save(b, fmt); data = b.getvalue()\n"
           "    open(name, 'wb').write(data[:len(data) // 2])\n"
           "Image.new('L', (16385, 1)).save('" + tooWide + "')\n"
           "Image.new('1', (12000, 12000)).save('" + tooMany + "')\n"
           "im.save('" + other + "')\n");
    const std::pair<std::string, std::string> cases[] = {
        {dir.File("missing.png"), "Matte file does not exist"},
        {dir.Path().string(), "not a file"},
        {text, "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
        {truncatedPng, "cut.png"},
        {truncatedTga, "cut.tga"},
        {truncatedJpeg, "cut.jpg"},
        {tooWide, "pixels a side"},
        {tooMany, "too large: 12000x12000"},
        {other, "not a PNG, TGA, BMP, JPEG, TIFF or GIF picture"},
    };
    for (const auto& [path, message] : cases) {
        const engine::MatteFile file = engine::ReadMatteFile(path);
        EXPECT_FALSE(file.matte) << path;
        EXPECT_NE(file.error.find(message), std::string::npos) << file.error;
    }
}

}  // namespace
