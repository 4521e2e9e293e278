#include <gtest/gtest.h>

#include <QColor>
#include <QDialog>

#include "platform/registry/Registry.h"
#include "platform/ui/CColorDialog.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

using namespace ui_test;

constexpr const char* kKey = "Software\\Pellux\\Tarsel\\Tintora";

class ColorTest : public ToolsDialogTest {
protected:
    // The swatch's fill, read from what the dialog painted.
    static QColor Swatch(TintoraDlg& dialog) { return Painted(dialog, 225, 65); }

    static void SetValue(const char* name, DWORD value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        RegCloseKey(key);
    }
    static bool GetValue(const std::string& name, DWORD& value) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        DWORD size = 4;
        const bool ok = RegQueryValueEx(key, name.c_str(), nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }
};

TEST_F(ColorTest, TypingTranspRedrawsTheSwatchAtOnce) {
    auto dialog = Open();
    Type(*dialog, IDC_TRANSP, "30");
    EXPECT_EQ(Swatch(*dialog), QColor(63, 63, 63));
    EXPECT_EQ(Painted(*dialog, 200, 65), QColor(0, 0, 0));
    EXPECT_EQ(Painted(*dialog, 225, 90), QColor(0, 0, 0));
    Type(*dialog, IDC_TRANSP, "50");
    EXPECT_EQ(Swatch(*dialog), QColor(105, 105, 105));
    dialog->m_crColor = RGB(255, 255, 255);
    Type(*dialog, IDC_TRANSP, "30");
    EXPECT_EQ(Swatch(*dialog), QColor(241, 241, 241));
    dialog->m_crColor = RGB(12, 34, 56);
    Type(*dialog, IDC_TRANSP, "0");
    EXPECT_EQ(Swatch(*dialog), QColor(12, 34, 56));
    Type(*dialog, IDC_TRANSP, "100");
    EXPECT_EQ(Swatch(*dialog), QColor(210, 210, 210));
}

TEST_F(ColorTest, TheTranspSpinRedrawsTheSwatch) {
    auto dialog = Open();
    Type(*dialog, IDC_TRANSP, "29");
    ClickSpin(*dialog, IDC_SPIN_TRANSP, true);
    EXPECT_EQ(Text(*dialog, IDC_TRANSP), "30");
    EXPECT_EQ(Swatch(*dialog), QColor(63, 63, 63));
}

TEST_F(ColorTest, ATranspAbove100IsDrawnAs100WithoutAMessage) {
    auto dialog = Open();
    Type(*dialog, IDC_TRANSP, "150");
    EXPECT_EQ(Swatch(*dialog), QColor(210, 210, 210));
    EXPECT_EQ(dialog->m_nTransp, 100u);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ColorTest, AFailingEarlierValueLeavesTheSwatchOnTheMembers) {
    auto dialog = Open();
    Type(*dialog, IDC_FOCUS_SIZE, "0");
    Type(*dialog, IDC_TRANSP, "30");
    // The quiet refresh stopped at the focus size: Transp was never read.
    EXPECT_EQ(dialog->m_nTransp, 0u);
    EXPECT_EQ(Swatch(*dialog), QColor(0, 0, 0));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ColorTest, APaintRequestDrawsTheSwatchOnlyAfterInitialisation) {
    auto dialog = Open();
    Type(*dialog, IDC_TRANSP, "50");
    Repaint(*dialog);
    EXPECT_EQ(Swatch(*dialog), QColor(105, 105, 105));
    dialog->m_bInitialized = false;
    Repaint(*dialog);
    EXPECT_NE(Swatch(*dialog), QColor(105, 105, 105));
    EXPECT_EQ(Swatch(*dialog), dialog->Window()->palette().color(QPalette::Window));
}

TEST_F(ColorTest, TheSwatchLiesInsideTheColorGroupBox) {
    auto dialog = Open();
    const DialogItem* group = nullptr;
    for (const DialogItem& item : dialog->Template().items) {
        if (item.text == "Color") group = &item;
    }
    ASSERT_TRUE(group);
    const QRect box = MapDialogRect(dialog->BaseUnits(), group->x, group->y, group->cx, group->cy);
    EXPECT_TRUE(box.contains(QRect(200, 40, 51, 51))) << box.x() << "," << box.y();
    const QRect palette = dialog->GetDlgItem(IDC_PALETTE)->GetWidget()->geometry();
    EXPECT_GT(palette.top(), 90);
}

TEST_F(ColorTest, FirstUseOpensOnBlackAndOkStoresTheColourAndAllCustomColours) {
    auto dialog = Open();
    prompts.colorAnswers = {{true, RGB(10, 20, 30), {{3, RGB(1, 1, 1)}}}};
    Click(*dialog, IDC_PALETTE);
    ASSERT_EQ(prompts.colorRequests.size(), 1u);
    EXPECT_EQ(prompts.colorRequests[0].initial, 0u);
    EXPECT_EQ(prompts.colorRequests[0].flags & (CC_FULLOPEN | CC_RGBINIT), CC_FULLOPEN | CC_RGBINIT);
    EXPECT_EQ(prompts.colorRequests[0].owner, nullptr);
    EXPECT_EQ(dialog->m_crColor, RGB(10, 20, 30));
    DWORD value = 0;
    ASSERT_TRUE(GetValue("CurColor", value));
    EXPECT_EQ(value, RGB(10, 20, 30));
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(GetValue("CustomColor" + std::to_string(i), value)) << i;
        EXPECT_EQ(value, CColorDialog::GetSavedCustomColors()[i]) << i;
    }
    ASSERT_TRUE(GetValue("CustomColor3", value));
    EXPECT_EQ(value, RGB(1, 1, 1));

    // The Apply commands pass the chosen colour on.
    Click(*dialog, IDC_APPLY_BORDER);
    EXPECT_EQ(control.m_crEffect, RGB(10, 20, 30));
}

TEST_F(ColorTest, StoredColoursAreReadWithTheirHighByteCleared) {
    SetValue("CurColor", 0xFF0000FFu);
    SetValue("CustomColor7", 0x80123456u);
    auto dialog = Open();
    prompts.colorAnswers = {{false, 0, {}}};
    Click(*dialog, IDC_PALETTE);
    ASSERT_EQ(prompts.colorRequests.size(), 1u);
    EXPECT_EQ(prompts.colorRequests[0].initial, 0x000000FFu);
    EXPECT_EQ(prompts.colorRequests[0].custom[7], 0x00123456u);
}

TEST_F(ColorTest, CancelChangesNeitherTheColourNorTheRegistry) {
    SetValue("CurColor", RGB(1, 2, 3));
    auto dialog = Open();
    dialog->m_crColor = RGB(9, 9, 9);
    prompts.colorAnswers = {{false, RGB(200, 200, 200), {}}};
    Click(*dialog, IDC_PALETTE);
    EXPECT_EQ(dialog->m_crColor, RGB(9, 9, 9));
    DWORD value = 0;
    ASSERT_TRUE(GetValue("CurColor", value));
    EXPECT_EQ(value, RGB(1, 2, 3));
    EXPECT_FALSE(GetValue("CustomColor0", value));
}

TEST_F(ColorTest, TheColourDialogOpensOnTheStoredColourNotTheRecalledOne) {
    auto first = Open();
    prompts.colorAnswers = {{true, RGB(0, 128, 0), {}}};
    Click(*first, IDC_PALETTE);
    first.reset();

    // A later run: the colour dialog opens on the colour chosen before, even
    // though the dialog's own colour is another one now.
    auto second = Open();
    second->m_crColor = RGB(255, 0, 0);
    prompts.colorAnswers = {{false, 0, {}}};
    Click(*second, IDC_PALETTE);
    ASSERT_EQ(prompts.colorRequests.size(), 2u);
    EXPECT_EQ(prompts.colorRequests[1].initial, RGB(0, 128, 0));
}

TEST_F(ColorTest, AStoredValueThatIsNotFourBytesIsIgnored) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS);
    const BYTE two[2] = {0x12, 0x34};
    RegSetValueEx(key, "CurColor", 0, REG_BINARY, two, 2);
    RegCloseKey(key);
    auto dialog = Open();
    prompts.colorAnswers = {{false, 0, {}}};
    Click(*dialog, IDC_PALETTE);
    EXPECT_EQ(prompts.colorRequests[0].initial, 0u);
}

}  // namespace
}  // namespace dialog_test
