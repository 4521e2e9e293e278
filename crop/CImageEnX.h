#pragma once
// The crop dialog's view as its container sees it: the window of the
// embedded ImageEnX control, whose members are called by DISPID only.

#include <string>

#include "platform/automation/DispatchDriver.h"
#include "platform/ui/CWnd.h"

// Events of the view.
enum : DISPID {
    DISPID_IMAGEENX_POINTERMOVE = 3,
    DISPID_IMAGEENX_BUTTONDOWN = 16,
    DISPID_IMAGEENX_KEYDOWN = 17,
};

class CImageEnX : public CWnd {
public:
    void WandSelectAt(LONG x, LONG y, LONG mode);
    void SetInteraction(const std::string& name, const std::string& value);
    LONG Query13();
    LONG Query14();
    void LoadImageFile(const std::string& path);
    void SaveImageFile(const std::string& path);
    void Command76(LONG command);
    void ClearSelection();
    LONG GetSelectionLeft();
    LONG GetSelectionTop();
    LONG GetSelectionRight();
    LONG GetSelectionBottom();
    BOOL GetHasSelection();
    void SetWandTolerance(LONG tolerance);
    void FitImage();
    double GetZoom();
    void SetZoom(double zoom);
    BOOL GetFlag266();
    void SetFlag266(BOOL value);
    void InvertSelection();
    void FillSelection(const std::string& colour);
    void MoveSelection(LONG dx, LONG dy);
    void SaveSelection(const std::string& path);
    void LoadSelection(const std::string& path);

private:
    // A failed call throws COleDispatchException, as the framework's does.
    template <class... Args>
    void InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* params,
                      Args... args);
    LONG GetLong(DISPID id);
};
