#pragma once

#include <memory>

#include "host/CHostCanvas.h"
#include "host/HostDriver.h"

// clang-format off
#define TINTORA_HOST_APPLICATION_MEMBERS(X)                                             \
    X(ActiveCanvas) X(RegisterObjectProperty) X(ShowInBrowser)                          \
    X(RegisterObjectPropertyEditor) X(RegisterObjectPropertyChanges) X(Open) X(SaveAs)  \
    X(Image) X(DrawList) X(CustomProperties) X(RegisterMenuItem) X(RegisterObject)      \
    X(RegisterObjectEventHandler) X(Context) X(MDIFrame)
// clang-format on

// The host's application object. Unlike the other drivers it takes a reference of
// its own when attaching, because the pointer it receives is the caller's.
class CHostApplication : public COleDispatchDriver {
public:
    void Attach(LPDISPATCH application);

    LONG RegisterMenuItem(LPCSTR pluginName, LPCSTR menuPath, LPCSTR methodName);
    LONG RegisterObjectProperty(LPCSTR pluginName, LPCSTR propertyName, LONG flags, LPCSTR text1,
                                const VARIANT& classNames, LPCSTR text2);
    LONG RegisterObjectPropertyEditor(LPCSTR pluginName, LPCSTR progId, const VARIANT& classNames);
    std::unique_ptr<CHostCanvas> GetActiveCanvas();

    TINTORA_HOST_APPLICATION_MEMBERS(TINTORA_DECLARE_DISPID)
};
