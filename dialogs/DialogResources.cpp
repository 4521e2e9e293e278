#include "dialogs/DialogResources.h"

#include "control/EffectTable.h"
#include "dialogs/Resource.h"
#include "platform/prompts/Prompts.h"

namespace {

using namespace rc;

constexpr DWORD kEdit = ES_AUTOHSCROLL;
// Every spin takes the item before it as its buddy.
constexpr DWORD kSpin = UDS_AUTOBUDDY | UDS_ARROWKEYS;
constexpr DWORD kBuddySpin = kSpin | UDS_SETBUDDYINT;

DialogTemplate MakeTintoraDialog() {
    DialogTemplate t;
    t.id = IDD_TINTORA_DIALOG;
    t.caption = "Tintora";
    t.cx = 187;
    t.cy = 330;
    t.items = {
        EditText(IDC_OFFSET_X, 32, 21, 30, 14, kEdit),
        UpDown(IDC_SPIN_OFFSET_X, 61, 21, 12, 14, kSpin),
        EditText(IDC_OFFSET_Y, 32, 42, 30, 14, kEdit),
        UpDown(IDC_SPIN_OFFSET_Y, 62, 42, 12, 14, kSpin),
        EditText(IDC_OFFSET_BLUR, 32, 65, 30, 14, kEdit),
        UpDown(IDC_SPIN_OFFSET_BLUR, 62, 63, 12, 14, kBuddySpin),
        PushButton("Apply", IDC_APPLY_OFFSET, 72, 42, 28, 14),
        EditText(IDC_BORDER_SIZE, 32, 102, 30, 14, kEdit),
        UpDown(IDC_SPIN_BORDER_SIZE, 61, 102, 12, 14, kBuddySpin),
        PushButton("Apply", IDC_APPLY_BORDER, 72, 112, 28, 14),
        EditText(IDC_MOTION_X, 32, 164, 30, 14, kEdit),
        UpDown(IDC_SPIN_MOTION_X, 61, 164, 12, 14, kBuddySpin),
        EditText(IDC_MOTION_Y, 32, 184, 30, 14, kEdit),
        UpDown(IDC_SPIN_MOTION_Y, 61, 185, 12, 14, kBuddySpin),
        PushButton("Apply", IDC_APPLY_MOTION, 72, 175, 28, 14),
        EditText(IDC_FOCUS_SIZE, 32, 225, 30, 14, kEdit),
        UpDown(IDC_SPIN_FOCUS_SIZE, 61, 225, 11, 14, kBuddySpin),
        PushButton("Apply", IDC_APPLY_FOCUS, 72, 225, 28, 14),
        // Listed by effect code; the sorted list puts them in label order.
        ComboBox(IDC_MORE_EFFECTS, 15, 266, 86, 99,
                 CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
                 effects::MoreEffectsListItems()),
        EditText(IDC_PCT, 32, 284, 30, 14, kEdit),
        UpDown(IDC_SPIN_PCT, 61, 284, 11, 14, kBuddySpin),
        PushButton("Apply", IDC_APPLY_MORE, 72, 293, 28, 14),
        PushButton("Palette", IDC_PALETTE, 125, 68, 52, 14),
        EditText(IDC_TRANSP, 148, 89, 30, 14, kEdit),
        UpDown(IDC_SPIN_TRANSP, 166, 89, 11, 14, kBuddySpin),
        PushButton("Restore", IDC_RESTORE, 125, 202, 52, 14),
        PushButton("Export", IDC_EXPORT, 125, 265, 52, 14),
        DefPushButton("OK", IDOK, 125, 286, 52, 14),
        DefPushButton("Cancel", IDC_CANCEL_RESTORE, 125, 307, 52, 14),
        LText("Transp", IDC_TRANSP_LABEL, 124, 91, 23, 8),
        GroupBox("Offset Image", IDC_GROUP_OFFSET, 10, 7, 96, 79),
        GroupBox("Border Image", IDC_GROUP_BORDER, 10, 88, 96, 59),
        GroupBox("Focus", IDC_GROUP_FOCUS, 10, 211, 96, 39),
        GroupBox("Motion Blur", kNoId, 10, 150, 96, 59),
        LText("X:", kNoId, 22, 24, 8, 8),
        LText("Size:", kNoId, 15, 104, 16, 8),
        LText("Size:", kNoId, 15, 227, 16, 8),
        LText("X:", kNoId, 22, 167, 8, 8),
        LText("Y:", kNoId, 22, 188, 8, 8),
        LText("Y:", kNoId, 22, 45, 8, 8),
        GroupBox("Color", kNoId, 125, 12, 52, 51),
        LText("Blur:", kNoId, 15, 67, 15, 8),
        GroupBox("More Effects", kNoId, 10, 253, 96, 68),
        LText("Pct:", IDC_PCT_LABEL, 17, 287, 13, 8),
        PushButton("Matte", IDC_MATTE, 125, 244, 52, 14),
        LText("Dir:", IDC_DIR_LABEL, 17, 305, 13, 8),
        EditText(IDC_DIR, 32, 302, 30, 14, kEdit),
        UpDown(IDC_SPIN_DIR, 61, 302, 11, 14, kBuddySpin),
        PushButton("Crop", IDC_CROP, 125, 223, 52, 14),
        EditText(IDC_BORDER_BLUR, 32, 123, 30, 14, kEdit),
        UpDown(IDC_SPIN_BORDER_BLUR, 62, 122, 12, 14, kBuddySpin),
        LText("Blur:", kNoId, 14, 126, 15, 8),
        PushButton("Save", IDC_SAVE_PRESET, 131, 145, 39, 10),
        GroupBox("Presets", IDC_GROUP_PRESETS, 125, 111, 52, 48),
        AutoRadioButton("", IDC_PRESET1, 129, 132, 9, 8),
        AutoRadioButton("", IDC_PRESET2, 140, 132, 9, 8),
        AutoRadioButton("", IDC_PRESET3, 151, 132, 9, 8),
        AutoRadioButton("", IDC_PRESET4, 162, 132, 9, 8),
        LText("1", kNoId, 132, 123, 8, 8),
        LText("3", kNoId, 153, 123, 8, 8),
        LText("4", kNoId, 164, 123, 8, 8),
        LText("2", kNoId, 142, 123, 8, 8),
        AutoCheckBox("Color Shift", IDC_COLOR_SHIFT, 128, 182, 48, 10),
    };
    return t;
}

DialogTemplate MakeMatteFile() {
    DialogTemplate t;
    t.id = IDD_MATTE_FILE;
    t.caption = "Image Matte";
    t.cx = 175;
    t.cy = 158;
    t.items = {
        LText("Matte File:", kNoId, 7, 9, 33, 8),
        EditText(IDC_MATTE_PATH, 7, 20, 118, 14, kEdit),
        PushButton("Browse", IDC_MATTE_BROWSE, 130, 20, 38, 14),
        LText("X Offset:", kNoId, 7, 48, 28, 8),
        EditText(IDC_MATTE_X, 40, 45, 40, 14, kEdit),
        UpDown(IDC_SPIN_MATTE_X, 82, 46, 11, 14, kBuddySpin),
        LText("Y Offset:", kNoId, 7, 72, 27, 8),
        EditText(IDC_MATTE_Y, 40, 69, 40, 14, kEdit),
        UpDown(IDC_SPIN_MATTE_Y, 82, 68, 11, 14, kBuddySpin),
        GroupBox("", kNoId, 7, 89, 89, 33),
        AutoRadioButton("Use Alpha as Matte", IDC_MATTE_USE_ALPHA, 11, 97, 82, 10,
                        WS_GROUP | WS_TABSTOP),
        AutoRadioButton("Use RGB as Matte", IDC_MATTE_USE_RGB, 11, 108, 82, 10),
        AutoCheckBox("Inverse Matte", IDC_MATTE_INVERSE, 104, 102, 58, 10),
        PushButton("Create", IDC_MATTE_CREATE, 7, 137, 50, 14),
        DefPushButton("OK", IDOK, 63, 137, 50, 14),
        PushButton("Cancel", IDCANCEL, 118, 137, 50, 14),
    };
    return t;
}

DialogTemplate MakeSavePreset() {
    DialogTemplate t;
    t.id = IDD_SAVE_PRESET;
    t.caption = "Save Preset";
    t.cx = 122;
    t.cy = 54;
    t.items = {
        LText("Enter Preset Number:", IDC_PRESET_PROMPT, 11, 11, 70, 8),
        EditText(IDC_PRESET_NUMBER, 87, 9, 20, 12, kEdit),
        DefPushButton("OK", IDOK, 7, 30, 50, 14),
        PushButton("Cancel", IDCANCEL, 65, 30, 50, 14),
    };
    return t;
}

}  // namespace

const DialogTemplate& TintoraDialogTemplate() {
    static const DialogTemplate t = MakeTintoraDialog();
    return t;
}

const DialogTemplate& MatteFileTemplate() {
    static const DialogTemplate t = MakeMatteFile();
    return t;
}

const DialogTemplate& SavePresetTemplate() {
    static const DialogTemplate t = MakeSavePreset();
    return t;
}
