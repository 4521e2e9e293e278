// A matte file is a picture file whose fourth byte becomes the library's
// opacity, scaled as the library's own conversion does.

#include "engine/MatteFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/engine/EffectTestSupport.h"
#include "tests/support/PilScript.h"
#include "tests/support/TempDir.h"

namespace {

TEST(MatteFile, TheFirstFrameWithChannelsScaledAndAlphaTurnedToOpacity) {
    TempDir dir;
    // 16-bit gray samples; the library scales them to bytes as (q + 128) / 257.
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
    auto read = [&](const char* name) {
        return ToPic(engine::ReadMatteFile(dir.File(name)).Value());
    };
    EXPECT_EQ(PixelAt(read("a.gif"), 2, 2), (Px{255, 255, 255, 0}));
    const ref::Pic deep = read("deep.png");
    const int gray[] = {0, (1000 + 128) / 257, (32896 + 128) / 257, 255};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(deep, x, 0), (Px{gray[x], gray[x], gray[x], 0}));
    const ref::Pic alpha = read("alpha.png");
    EXPECT_EQ(Alphas(alpha), (std::vector<uint8_t>{0, 255, 155}));
    EXPECT_EQ(PixelAt(alpha, 2, 0), (Px{30, 20, 10, 155}));
}

TEST(MatteFile, AMissingFileAndAnUnusableOneGiveTheirMessages) {
    TempDir dir;
    std::ofstream(dir.File("text.tga")) << "not a picture";
    EXPECT_EQ(engine::ReadMatteFile(dir.File("missing.tga")).Error(), "Matte file does not exist");
    EXPECT_EQ(engine::ReadMatteFile(dir.File("text.tga"))
                  .Error()
                  .find("Cannot read the matte file " + dir.File("text.tga") + ": "),
              0u);
}

}  // namespace
