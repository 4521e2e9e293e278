#pragma once
// Ids of the crop dialog's template and its controls.

enum : int {
    IDD_CROP_IMAGE = 218,
};

enum : int {
    IDC_CROP_ZOOM = 221,
    IDC_CROP_SPIN_SOFTNESS = 251,
    IDC_CROP_APPLY = 255,
    IDC_CROP_RECTANGLE = 285,
    IDC_CROP_POLYGON = 287,
    IDC_CROP_MAGIC_WAND = 288,
    IDC_CROP_CLEAR = 292,
    IDC_CROP_INVERT = 293,
    IDC_CROP_SOFTNESS = 294,
    IDC_CROP_RECALL = 295,
    IDC_CROP_SAVE = 296,
    IDC_CROP_VIEW = 297,
    IDC_CROP_POSITION = 300,
    IDC_CROP_SIZE = 301,
    IDC_CROP_RESET_ZOOM = 302,
    IDC_CROP_TOLERANCE = 303,
    IDC_CROP_HINT = 304,
};
