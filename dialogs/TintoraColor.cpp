// The tools dialog's effect colour: choosing it in the colour dialog, whose
// colours persist in the registry, and painting its swatch.

#include "dialogs/TintoraDlg.h"
#include "engine/Layers.h"
#include "platform/registry/Registry.h"
#include "platform/ui/CColorDialog.h"

namespace {

constexpr const char* kColorKey = "Software\\Pellux\\Tarsel\\Tintora";
constexpr const char* kCurColor = "CurColor";
constexpr COLORREF kColorBits = 0x00FFFFFF;

constexpr BYTE kSwatchGrey = 210;
constexpr int kSwatchLeft = 200;
constexpr int kSwatchTop = 40;
constexpr int kSwatchRight = 250;
constexpr int kSwatchBottom = 90;

std::string CustomColorName(int index) { return "CustomColor" + std::to_string(index); }

// The value when it is exactly four bytes, with its high byte cleared.
bool QueryColor(HKEY key, const std::string& name, COLORREF& color) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueEx(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                        &size) != ERROR_SUCCESS ||
        size != sizeof value) {
        return false;
    }
    color = value & kColorBits;
    return true;
}

void StoreColor(const std::string& name, COLORREF color) {
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kColorKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                       KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const DWORD value = color;
    RegSetValueEx(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                  sizeof value);
    RegCloseKey(key);
}

}  // namespace

void TintoraDlg::OnPalette() {
    CColorDialog dialog(0, CC_FULLOPEN | CC_RGBINIT);

    HKEY created = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kColorKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                       KEY_ALL_ACCESS, nullptr, &created, &disposition) == ERROR_SUCCESS) {
        // A key created just now holds nothing to read.
        HKEY key = nullptr;
        if (disposition == REG_OPENED_EXISTING_KEY &&
            RegOpenKeyEx(HKEY_CURRENT_USER, kColorKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            QueryColor(key, kCurColor, dialog.m_cc.rgbResult);
            for (int i = 0; i < kCustomColorCount; ++i) {
                QueryColor(key, CustomColorName(i), dialog.m_cc.lpCustColors[i]);
            }
            RegCloseKey(key);
        }
        RegCloseKey(created);
    }

    if (dialog.DoModal() == IDOK) {
        m_crColor = dialog.GetColor();
        StoreColor(kCurColor, m_crColor);
        for (int i = 0; i < kCustomColorCount; ++i) {
            StoreColor(CustomColorName(i), dialog.m_cc.lpCustColors[i]);
        }
    }
    Invalidate(TRUE);
}

void TintoraDlg::DrawSwatch(CDC* pDC) {
    if (!m_bInitialized || !pDC) return;
    // Drawing never asks the operator anything: a value that fails leaves the
    // members as they stand. While the dialog writes its members into the
    // controls, they are already what the controls are about to show.
    if (!IsExchanging()) UpdateDataQuietly();
    if (m_nTransp > 100) m_nTransp = 100;
    const BYTE alpha = BYTE(int(double(100 - m_nTransp) / 100.0 * 255.0));

    const uint8_t source[4] = {GetBValue(m_crColor), GetGValue(m_crColor), GetRValue(m_crColor),
                               alpha};
    uint8_t shown[4] = {kSwatchGrey, kSwatchGrey, kSwatchGrey, 255};
    engine::BlendPixelOver(source, shown);

    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(RGB(shown[engine::kRed], shown[engine::kGreen], shown[engine::kBlue]));
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    pDC->BeginPath();
    pDC->MoveTo(kSwatchLeft, kSwatchTop);
    pDC->LineTo(kSwatchLeft, kSwatchBottom);
    pDC->LineTo(kSwatchRight, kSwatchBottom);
    pDC->LineTo(kSwatchRight, kSwatchTop);
    pDC->LineTo(kSwatchLeft, kSwatchTop);
    pDC->EndPath();
    pDC->StrokeAndFillPath();
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}
