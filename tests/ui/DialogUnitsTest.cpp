#include "platform/ui/DialogUnits.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>

#include "tests/ui/ProbeDialog.h"

namespace {

TEST(DialogUnits, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(125, 6, 4), 188);   // 187.5
    EXPECT_EQ(MulDiv(330, 13, 8), 536);  // 536.25
    EXPECT_EQ(MulDiv(7, 13, 8), 11);     // 11.375
    EXPECT_EQ(MulDiv(5, 13, 8), 8);      // 8.125
    EXPECT_EQ(MulDiv(-3, 3, 2), -5);     // -4.5
    EXPECT_EQ(MulDiv(3, -3, 2), -5);
}

TEST(DialogUnits, TheClassicDialogFontGetsAStandInWithItsMetrics) {
    if (!QFontDatabase::hasFamily("DejaVu Sans Condensed")) GTEST_SKIP() << "no stand-in font";
    const DialogBaseUnits units = BaseUnitsOf(TemplateFont("MS Sans Serif", 8));
    EXPECT_EQ(std::tuple(units.x, units.y), std::tuple(6, 13));
}

TEST(DialogUnits, EveryItemSitsAtItsTemplateRectangle) {
    probe::ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const DialogBaseUnits units = dialog.BaseUnits();
    const DialogTemplate& t = dialog.Template();
    EXPECT_EQ(dialog.Window()->size(), QSize(MulDiv(t.cx, units.x, 4), MulDiv(t.cy, units.y, 8)));
    for (const DialogItem& item : t.items) {
        CWnd* control = dialog.GetDlgItem(item.id);
        ASSERT_TRUE(control) << item.id;
        const QRect expected = MapDialogRect(units, item.x, item.y, item.cx, item.cy);
        const QRect actual = control->GetWidget()->geometry();
        EXPECT_EQ(actual.topLeft(), expected.topLeft()) << item.id;
        EXPECT_EQ(actual.width(), expected.width()) << item.id;
        if (item.itemClass == ItemClass::ComboBox) {
            // The template height includes the dropped-down list.
            EXPECT_LE(actual.height(), expected.height());
        } else {
            EXPECT_EQ(actual.height(), expected.height()) << item.id;
        }
    }
}

}  // namespace
