#include <gtest/gtest.h>

#include <filesystem>

#include "tests/control/ControlOnHost.h"
#include "tests/support/PilScript.h"

namespace {

// 2 x 2, bottom row first: bottom row red and half transparent, top row green.
const std::vector<uint8_t> kPicture = {0, 0,   255, 128, 0, 0,   255, 128,
                                       0, 255, 0,   255, 0, 255, 0,   255};

class ExportTga : public ControlOnHost {
protected:
    ExportTga() : ControlOnHost(2, 2, kPicture) {}
    TempDir dir;
};

TEST_F(ExportTga, AnIndependentReaderSeesTheExportUprightWithItsAlpha) {
    control.m_strExportPath = dir.File("out.tga");
    control.ExportTga();
    // PIL's (0, 0) is the top-left corner as any viewer shows it.
    EXPECT_EQ(PilScript(dir,
                        "file = Image.open('out.tga')\n"
                        "im = file.convert('RGBA')\n"
                        "print(file.format, im.size, im.getpixel((0, 0)), im.getpixel((1, 1)))\n"),
              "TGA (2, 2) (0, 255, 0, 255) (255, 0, 0, 128)\n");
    // The host's image is only read.
    EXPECT_EQ(host.image->Pixels(), kPicture);
}

TEST_F(ExportTga, AFailedWriteOrAPictureBeyondTheLimitsIsShownAndNothingIsWritten) {
    control.m_strExportPath = dir.File("missing-folder/out.tga");
    control.ExportTga();
    EXPECT_NE(prompts.TakeOne().find("out.tga"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(control.m_strExportPath));

    // A picture wider than the library takes is refused before it sees it.
    host.image->SetPicture(16001, 1, std::vector<uint8_t>(16001 * 4));
    control.m_strExportPath = dir.File("wide.tga");
    control.ExportTga();
    EXPECT_NE(prompts.TakeOne().find("too large: 16001x1"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(control.m_strExportPath));
}

}  // namespace
