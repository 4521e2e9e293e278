#include "crop/CropDialogTemplate.h"

#include "crop/CropResource.h"
#include "platform/imageview/ImageEnXClass.h"
#include "platform/prompts/Prompts.h"

namespace {

using namespace rc;

constexpr DWORD kSlider = TBS_NOTICKS | TBS_ENABLESELRANGE | WS_TABSTOP;

DialogTemplate MakeCropDialog() {
    DialogTemplate t;
    t.id = IDD_CROP_IMAGE;
    t.caption = "Tintora - Crop Image";
    t.cx = 357;
    t.cy = 339;
    t.items = {
        AutoRadioButton("Rectangle", IDC_CROP_RECTANGLE, 286, 19, 49, 10, WS_GROUP | WS_TABSTOP),
        AutoRadioButton("Polygon", IDC_CROP_POLYGON, 286, 42, 41, 10),
        AutoRadioButton("Magic Wand", IDC_CROP_MAGIC_WAND, 286, 65, 57, 10),
        Trackbar(IDC_CROP_TOLERANCE, 287, 76, 53, 13, kSlider),
        PushButton("Clear", IDC_CROP_CLEAR, 288, 108, 50, 14),
        PushButton("Invert", IDC_CROP_INVERT, 288, 129, 50, 15),
        LText("Softness", kNoId, 288, 148, 28, 8),
        EditText(IDC_CROP_SOFTNESS, 288, 158, 39, 14, ES_AUTOHSCROLL),
        UpDown(IDC_CROP_SPIN_SOFTNESS, 326, 158, 14, 14,
               UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS),
        PushButton("Crop", IDC_CROP_APPLY, 277, 200, 73, 14),
        PushButton("Save", IDC_CROP_SAVE, 277, 221, 73, 14),
        PushButton("Recall", IDC_CROP_RECALL, 277, 242, 73, 14),
        PushButton("Cancel", IDCANCEL, 277, 263, 73, 14),
        DefPushButton("OK", IDOK, 277, 284, 73, 14),
        LText("Zoom", kNoId, 14, 290, 19, 11),
        Trackbar(IDC_CROP_ZOOM, 36, 286, 74, 17, kSlider),
        PushButton("Reset", IDC_CROP_RESET_ZOOM, 110, 286, 33, 17, BS_MULTILINE),
        LText("", IDC_CROP_POSITION, 161, 283, 108, 11),
        LText("", IDC_CROP_SIZE, 161, 294, 108, 11),
        GroupBox("Selection", kNoId, 277, 3, 73, 181),
        // The view, an ActiveX control named by its class id.
        Custom(imageview::kImageEnXClassId, IDC_CROP_VIEW, 13, 12, 256, 267, WS_TABSTOP),
        LText("", IDC_CROP_HINT, 11, 317, 338, 12),
    };
    return t;
}

}  // namespace

const DialogTemplate& CropDialogTemplate() {
    static const DialogTemplate t = MakeCropDialog();
    return t;
}
