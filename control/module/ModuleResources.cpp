#include "control/module/ModuleResources.h"

#include "control/ModuleIds.h"

const typelib::Library& VOKSLetRastelTypeLibrary() {
    static const typelib::Library library{
        "VOKSLETRASTELLib",
        LIBID_VOKSLETRASTELLib,
        _wVerMajor,
        _wVerMinor,
        0x409,
        LIBFLAG_FCONTROL,
        "VOKSLetRastel ActiveX Control module",
        "VOKSLetRastel.hlp",
        {"stdole2.tlb"},
        {
            {"_DRastelCtrl",
             TKIND_DISPATCH,
             IID_DRastelCtrl,
             TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE,
             "Dispatch interface for Rastel Control",
             {
                 {dispidOnInitialize,
                  "OnInitialize",
                  {{"tarselObject", VT_VARIANT}, {"pStatus", VT_BYREF | VT_BOOL}},
                  VT_I4},
                 {dispidTintora, "Tintora", {{"menuItem", VT_VARIANT}}, VT_I4},
                 {dispidExecute,
                  "Execute",
                  {{"tarselObject", VT_DISPATCH}, {"propertyObject", VT_DISPATCH}},
                  VT_I4},
                 {DISPID_ABOUTBOX, "AboutBox", {}, VT_EMPTY},
             },
             {}},
            {"_DRastelCtrlEvents",
             TKIND_DISPATCH,
             IID_DRastelCtrlEvents,
             TYPEFLAG_FHIDDEN,
             "Event interface for Rastel Control",
             {},
             {}},
            {"RastelCtrl",
             TKIND_COCLASS,
             CLSID_RastelCtrl,
             TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL,
             "Rastel Control",
             {},
             {{IID_DRastelCtrl, IMPLTYPEFLAG_FDEFAULT},
              {IID_DRastelCtrlEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}},
            {"_DRastelEditor",
             TKIND_DISPATCH,
             IID_DRastelEditor,
             TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE,
             "Dispatch interface for RastelEditor",
             {},
             {}},
            {"_DRastelEditorEvents",
             TKIND_DISPATCH,
             IID_DRastelEditorEvents,
             TYPEFLAG_FHIDDEN,
             "Event interface for RastelEditor",
             {},
             {}},
            {"RastelEditor",
             TKIND_COCLASS,
             CLSID_RastelEditor,
             TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL,
             "RastelEditor",
             {},
             {{IID_DRastelEditor, IMPLTYPEFLAG_FDEFAULT},
              {IID_DRastelEditorEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}},
        }};
    return library;
}

const AFX_MODULE_RESOURCES& VOKSLetRastelResources() {
    static const AFX_MODULE_RESOURCES resources{
        {
            {IDS_RASTEL, "Rastel Control"},
            {IDS_RASTEL_PPG, "RastelCtrl Property Page"},
            {IDS_RASTELEDITOR, "RastelEditor"},
            {IDS_RASTELEDITOR_PPG, "RastelEditor Property Page"},
            {IDS_RASTEL_PPG_CAPTION, "General"},
            {IDS_RASTELEDITOR_PPG_CAPTION, "General"},
        },
        &VOKSLetRastelTypeLibrary()};
    return resources;
}
