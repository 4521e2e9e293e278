#include "crop/CImageEnX.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/COleControlSite.h"

namespace {

enum : DISPID {
    kWandSelectAt = 2,
    kSetInteraction = 11,
    kQuery13 = 13,
    kQuery14 = 14,
    kLoadImageFile = 50,
    kSaveImageFile = 51,
    kCommand76 = 76,
    kClearSelection = 195,
    kSelectionLeft = 196,
    kSelectionTop = 197,
    kSelectionRight = 198,
    kSelectionBottom = 199,
    kHasSelection = 202,
    kWandTolerance = 205,
    kFitImage = 212,
    kZoom = 216,
    kFlag266 = 266,
    kInvertSelection = 274,
    kFillSelection = 314,
    kMoveSelection = 360,
    kSaveSelection = 419,
    kLoadSelection = 420,
};

const BYTE kNoParams[] = VTS_NONE;
const BYTE kText[] = VTS_BSTR;
const BYTE kLong[] = VTS_I4;

}  // namespace

template <class... Args>
void CImageEnX::InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* params,
                             Args... args) {
    CDialog* dialog = GetOwnerDialog();
    auto* site = dialog ? dialog->GetDlgItemAs<COleControlSite>(GetDlgCtrlID()) : nullptr;
    // The site keeps the control; this driver only borrows it.
    COleDispatchDriver driver(site ? site->GetControlDispatch() : nullptr, FALSE);
    driver.InvokeHelper(id, flags, vtRet, pvRet, params, args...);
}

LONG CImageEnX::GetLong(DISPID id) {
    LONG value = 0;
    InvokeHelper(id, DISPATCH_PROPERTYGET, VT_I4, &value, kNoParams);
    return value;
}

void CImageEnX::WandSelectAt(LONG x, LONG y, LONG mode) {
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_I4;
    InvokeHelper(kWandSelectAt, DISPATCH_METHOD, VT_EMPTY, nullptr, params, int(x), int(y),
                 int(mode));
}

void CImageEnX::SetInteraction(const std::string& name, const std::string& value) {
    static const BYTE params[] = VTS_BSTR VTS_BSTR;
    InvokeHelper(kSetInteraction, DISPATCH_METHOD, VT_EMPTY, nullptr, params, name.c_str(),
                 value.c_str());
}

LONG CImageEnX::Query13() {
    LONG value = 0;
    InvokeHelper(kQuery13, DISPATCH_METHOD, VT_I4, &value, kNoParams);
    return value;
}

LONG CImageEnX::Query14() {
    LONG value = 0;
    InvokeHelper(kQuery14, DISPATCH_METHOD, VT_I4, &value, kNoParams);
    return value;
}

void CImageEnX::LoadImageFile(const std::string& path) {
    InvokeHelper(kLoadImageFile, DISPATCH_METHOD, VT_EMPTY, nullptr, kText, path.c_str());
}

void CImageEnX::SaveImageFile(const std::string& path) {
    InvokeHelper(kSaveImageFile, DISPATCH_METHOD, VT_EMPTY, nullptr, kText, path.c_str());
}

void CImageEnX::Command76(LONG command) {
    InvokeHelper(kCommand76, DISPATCH_METHOD, VT_EMPTY, nullptr, kLong, int(command));
}

void CImageEnX::ClearSelection() {
    InvokeHelper(kClearSelection, DISPATCH_METHOD, VT_EMPTY, nullptr, kNoParams);
}

LONG CImageEnX::GetSelectionLeft() { return GetLong(kSelectionLeft); }
LONG CImageEnX::GetSelectionTop() { return GetLong(kSelectionTop); }
LONG CImageEnX::GetSelectionRight() { return GetLong(kSelectionRight); }
LONG CImageEnX::GetSelectionBottom() { return GetLong(kSelectionBottom); }

BOOL CImageEnX::GetHasSelection() {
    BOOL value = FALSE;
    InvokeHelper(kHasSelection, DISPATCH_PROPERTYGET, VT_BOOL, &value, kNoParams);
    return value;
}

void CImageEnX::SetWandTolerance(LONG tolerance) {
    InvokeHelper(kWandTolerance, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, kLong, int(tolerance));
}

void CImageEnX::FitImage() {
    InvokeHelper(kFitImage, DISPATCH_METHOD, VT_EMPTY, nullptr, kNoParams);
}

double CImageEnX::GetZoom() {
    double value = 0;
    InvokeHelper(kZoom, DISPATCH_PROPERTYGET, VT_R8, &value, kNoParams);
    return value;
}

void CImageEnX::SetZoom(double zoom) {
    static const BYTE params[] = VTS_R8;
    InvokeHelper(kZoom, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, zoom);
}

BOOL CImageEnX::GetFlag266() {
    BOOL value = FALSE;
    InvokeHelper(kFlag266, DISPATCH_PROPERTYGET, VT_BOOL, &value, kNoParams);
    return value;
}

void CImageEnX::SetFlag266(BOOL value) {
    static const BYTE params[] = VTS_BOOL;
    InvokeHelper(kFlag266, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, int(value));
}

void CImageEnX::InvertSelection() {
    InvokeHelper(kInvertSelection, DISPATCH_METHOD, VT_EMPTY, nullptr, kNoParams);
}

void CImageEnX::FillSelection(const std::string& colour) {
    InvokeHelper(kFillSelection, DISPATCH_METHOD, VT_EMPTY, nullptr, kText, colour.c_str());
}

void CImageEnX::MoveSelection(LONG dx, LONG dy) {
    static const BYTE params[] = VTS_I4 VTS_I4;
    InvokeHelper(kMoveSelection, DISPATCH_METHOD, VT_EMPTY, nullptr, params, int(dx), int(dy));
}

void CImageEnX::SaveSelection(const std::string& path) {
    InvokeHelper(kSaveSelection, DISPATCH_METHOD, VT_EMPTY, nullptr, kText, path.c_str());
}

void CImageEnX::LoadSelection(const std::string& path) {
    InvokeHelper(kLoadSelection, DISPATCH_METHOD, VT_EMPTY, nullptr, kText, path.c_str());
}
