#include <gtest/gtest.h>

#include <filesystem>

#include "control/CRastelCtrl.h"
#include "tests/support/HostFixture.h"
#include "tests/support/Python.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TempDir.h"

namespace {

// 2 x 2, bottom row first: bottom row red and half transparent, top row green.
const std::vector<uint8_t> kPicture = {
    0, 0, 255, 128,  0, 0, 255, 128,  //
    0, 255, 0, 255,  0, 255, 0, 255,
};

TEST(ExportTga, AnIndependentReaderSeesTheExportUprightWithItsAlpha) {
    TempDir dir;
    RecordingPrompts prompts;
    HostFixture host(2, 2, kPicture);
    CRastelCtrl control;
    host.Target(control);
    control.m_strExportPath = dir.File("out.tga");
    control.ExportTga();
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_TRUE(std::filesystem::exists(control.m_strExportPath));
    bool ok = false;
    const std::string pixels = RunPython(
        "from PIL import Image\n"
        "im = Image.open('" + control.m_strExportPath + "').convert('RGBA')\n"
        "print(im.size, im.getpixel((0, 0)), im.getpixel((1, 1)))\n",
        &ok);
    ASSERT_TRUE(ok) << pixels;
    // PIL's (0, 0) is the top-left corner as any viewer shows it.
    EXPECT_EQ(pixels, "(2, 2) (0, 255, 0, 255) (255, 0, 0, 128)\n");
    // The host's image is only read.
    EXPECT_EQ(host.image->Pixels(), kPicture);
}

TEST(ExportTga, AWriteFailureShowsTheLibrarysMessage) {
    TempDir dir;
    RecordingPrompts prompts;
    HostFixture host(2, 2, kPicture);
    CRastelCtrl control;
    host.Target(control);
    control.m_strExportPath = dir.File("missing-folder/out.tga");
    control.ExportTga();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("out.tga"), std::string::npos) << prompts.messages[0];
    EXPECT_FALSE(std::filesystem::exists(control.m_strExportPath));
}

}  // namespace
