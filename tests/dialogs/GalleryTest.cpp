#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <string>

#include "crop/CropDialogTemplate.h"
#include "dialogs/DialogResources.h"
#include "platform/ui/DialogUnits.h"
#include "tests/support/TempDir.h"

namespace {

// The gallery's pictures: the client area of the template's size inside a
// 3-pixel frame with a 22-pixel caption.
QSize FramedSize(const DialogTemplate& t) {
    const DialogBaseUnits units = BaseUnitsOf(TemplateFont(t.fontFace, t.fontPoints));
    return {MulDiv(t.cx, units.x, 4) + 6, MulDiv(t.cy, units.y, 8) + 22 + 6};
}

TEST(DialogGallery, RendersEveryDialogAtItsTemplateSize) {
    TempDir folder;
    const std::string command =
        std::string(DIALOG_GALLERY) + " '" + folder.Path().string() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // clang-format off
    const struct { const char* file; const DialogTemplate& t; } pictures[] = {
        {"203-TintoraDlg.png", TintoraDialogTemplate()},
        {"212-CMatteFile.png", MatteFileTemplate()}, {"220-CSavePreset.png", SavePresetTemplate()},
        {"218-CCropImageNew.png", CropDialogTemplate()},
        {"218-CCropImageNew-polygon.png", CropDialogTemplate()}};
    // clang-format on
    for (const auto& picture : pictures) {
        const QImage image(QString::fromStdString(folder.File(picture.file)));
        ASSERT_FALSE(image.isNull()) << picture.file;
        EXPECT_EQ(image.size(), FramedSize(picture.t)) << picture.file;
    }
    // The crop dialog's view: empty as it opens, then the sample picture on
    // its checkerboard with the polygon's outline.
    const QImage empty(QString::fromStdString(folder.File("218-CCropImageNew.png")));
    const QImage drawn(QString::fromStdString(folder.File("218-CCropImageNew-polygon.png")));
    const QPoint middle(3 + 180, 3 + 22 + 200);
    EXPECT_EQ(empty.pixelColor(middle), QColor(128, 128, 128));
    EXPECT_NE(drawn.pixelColor(middle), QColor(128, 128, 128));
}

}  // namespace
