#pragma once
// Identity of the VOKSLETRASTEL module: class and interface identifiers,
// ProgIDs, resource ids and the registration values both controls share.

#include "platform/automation/Guid.h"

inline constexpr GUID LIBID_VOKSLETRASTELLib = MakeGuid("{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}");
inline constexpr WORD _wVerMajor = 1;
inline constexpr WORD _wVerMinor = 0;
// The version word both controls persist: major in the high half, minor in the low.
inline constexpr DWORD _dwControlVersion = DWORD(_wVerMajor) << 16 | _wVerMinor;

inline constexpr IID IID_DRastelCtrl = MakeGuid("{147FC628-B289-4252-9ADA-551EBD31BBF4}");
inline constexpr IID IID_DRastelCtrlEvents = MakeGuid("{B27BA00C-29B9-4FF6-9866-4F51CB1F4526}");
inline constexpr CLSID CLSID_RastelCtrl = MakeGuid("{F8950808-4E78-4D90-8BDF-193286F143C5}");
inline constexpr IID IID_DRastelEditor = MakeGuid("{AF753F1D-4164-4F02-B1AA-519393FF69A7}");
inline constexpr IID IID_DRastelEditorEvents = MakeGuid("{577B082B-E065-4C3B-AE44-E2DDE62A5346}");
inline constexpr CLSID CLSID_RastelEditor = MakeGuid("{C824BAD4-CE45-47A2-AC17-773E8D5178C8}");
inline constexpr CLSID CLSID_RastelCtrlPropPage =
    MakeGuid("{607FBF69-CC03-4D2B-BDF6-AE116AD0A315}");
inline constexpr CLSID CLSID_RastelEditorPropPage =
    MakeGuid("{C3C28C39-565E-4EAC-8546-834026E615EA}");

inline constexpr const char* kProgIdRastelCtrl = "Pellux.VOKSlet.RastelCtrl.1";
inline constexpr const char* kProgIdRastelCtrlPropPage = "Pellux.VOKSlet.RastelCtrlPropPage.1";
inline constexpr const char* kProgIdRastelEditor = "Pellux.VOKSlet.RastelEditor.1";
inline constexpr const char* kProgIdRastelEditorPropPage = "Pellux.VOKSlet.RastelEditorPropPge.1";

// String table.
constexpr UINT IDS_RASTEL = 1;
constexpr UINT IDS_RASTEL_PPG = 2;
constexpr UINT IDS_RASTELEDITOR = 3;
constexpr UINT IDS_RASTELEDITOR_PPG = 4;
constexpr UINT IDS_RASTEL_PPG_CAPTION = 200;
constexpr UINT IDS_RASTELEDITOR_PPG_CAPTION = 201;

// Bitmaps and dialog templates.
constexpr UINT IDB_RASTEL = 1;
constexpr UINT IDB_RASTELEDITOR = 2;
constexpr UINT IDB_ABOUT = 217;
constexpr UINT IDD_ABOUTBOX_RASTEL = 1;
constexpr UINT IDD_PROPPAGE_RASTEL = 200;
constexpr UINT IDD_PROPPAGE_RASTELEDITOR = 201;
constexpr UINT IDC_ABOUT_PRODUCT = 313;
constexpr UINT IDC_ABOUT_COPYRIGHT = 314;

// set-client-site-first, inside-out, can't-link-inside, recompose-on-resize.
constexpr DWORD kRastelOleMisc = 0x20091;

// Dispatch identifiers of _DRastelCtrl.
constexpr DISPID dispidOnInitialize = 1;
constexpr DISPID dispidTintora = 2;
constexpr DISPID dispidExecute = 3;
