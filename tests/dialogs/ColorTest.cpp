#include <gtest/gtest.h>

#include <QColor>
#include <QDialog>
#include <optional>

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

    static void SetValue(const char* name, const void* value, DWORD size = 4) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueEx(key, name, 0, size == 4 ? REG_DWORD : REG_BINARY,
                      static_cast<const BYTE*>(value), size);
        RegCloseKey(key);
    }
    static std::optional<DWORD> GetValue(const std::string& name) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
        DWORD value = 0, size = 4;
        const bool ok = RegQueryValueEx(key, name.c_str(), nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok ? std::optional(value) : std::nullopt;
    }
};

TEST_F(ColorTest, TypingTranspRedrawsTheSwatchAtOnceAsThePaintRequestsDo) {
    auto dialog = Open();
    // A value failing the quiet refresh before Transp leaves the swatch on the members.
    Type(*dialog, IDC_FOCUS_SIZE, "0");
    Type(*dialog, IDC_TRANSP, "30");
    EXPECT_EQ((std::tuple{dialog->m_nTransp, Swatch(*dialog)}), (std::tuple{0u, QColor(0, 0, 0)}));
    Type(*dialog, IDC_FOCUS_SIZE, "1");
    // clang-format off
    const struct { COLORREF color; const char* transp; QColor shown; } cases[] = {
        {RGB(255, 255, 255), "30", QColor(241, 241, 241)},
        {RGB(12, 34, 56), "0", QColor(12, 34, 56)},
        {RGB(12, 34, 56), "150", QColor(210, 210, 210)}};  // drawn as 100
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.transp);
        dialog->m_crColor = c.color;
        Type(*dialog, IDC_TRANSP, c.transp);
        EXPECT_EQ(Swatch(*dialog), c.shown);
    }
    EXPECT_EQ(dialog->m_nTransp, 100u);
    // The spin redraws too.
    dialog->m_crColor = 0;
    Type(*dialog, IDC_TRANSP, "29");
    ClickSpin(*dialog, IDC_SPIN_TRANSP, true);
    EXPECT_EQ(Text(*dialog, IDC_TRANSP), "30");
    EXPECT_EQ(Swatch(*dialog), QColor(63, 63, 63));
    // Paint requests draw the swatch only after initialisation.
    Repaint(*dialog);
    EXPECT_EQ(Swatch(*dialog), QColor(63, 63, 63));
    dialog->m_bInitialized = false;
    Repaint(*dialog);
    EXPECT_EQ(Swatch(*dialog), dialog->Window()->palette().color(QPalette::Window));
}

TEST_F(ColorTest, FirstUseOpensOnBlackAndOkStoresTheColourAndAllCustomColours) {
    auto dialog = Open();
    prompts.colorAnswers = {{true, RGB(10, 20, 30), {{3, RGB(1, 1, 1)}}}};
    Click(*dialog, IDC_PALETTE);
    ASSERT_EQ(prompts.colorRequests.size(), 1u);
    const auto& request = prompts.colorRequests[0];
    EXPECT_EQ(
        std::tuple(request.initial, request.flags & (CC_FULLOPEN | CC_RGBINIT), request.owner),
        std::tuple(0u, DWORD(CC_FULLOPEN | CC_RGBINIT), nullptr));
    EXPECT_EQ(dialog->m_crColor, RGB(10, 20, 30));
    EXPECT_EQ(GetValue("CurColor"), RGB(10, 20, 30));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(GetValue("CustomColor" + std::to_string(i)),
                  i == 3 ? RGB(1, 1, 1) : CColorDialog::GetSavedCustomColors()[i])
            << i;
    }
}

TEST_F(ColorTest, StoredColoursOpenTheDialogWithTheirHighByteClearedAndCancelKeepsThem) {
    const DWORD current = 0xFF0000FFu;
    const DWORD custom = 0x80123456u;
    const BYTE two[2] = {0x12, 0x34};
    SetValue("CurColor", &current);
    SetValue("CustomColor7", &custom);
    SetValue("CustomColor5", two, 2);  // not four bytes: ignored
    const COLORREF custom5 = CColorDialog::GetSavedCustomColors()[5];
    auto dialog = Open();
    // Not the dialog's own colour: the one stored.
    dialog->m_crColor = RGB(9, 9, 9);
    prompts.colorAnswers = {{false, RGB(200, 200, 200), {}}};
    Click(*dialog, IDC_PALETTE);
    ASSERT_EQ(prompts.colorRequests.size(), 1u);
    EXPECT_EQ(prompts.colorRequests[0].initial, 0x000000FFu);
    EXPECT_EQ(prompts.colorRequests[0].custom[7], 0x00123456u);
    EXPECT_EQ(prompts.colorRequests[0].custom[5], custom5);
    EXPECT_EQ(dialog->m_crColor, RGB(9, 9, 9));
    EXPECT_EQ(GetValue("CurColor"), current);
    EXPECT_FALSE(GetValue("CustomColor0"));
}

}  // namespace
}  // namespace dialog_test
