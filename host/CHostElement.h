#pragma once

#include <memory>

#include "host/CHostImage.h"
#include "host/HostDriver.h"

// clang-format off
#define TINTORA_HOST_ELEMENT_MEMBERS(X)                                                   \
    X(Image) X(Rect) X(Text) X(Properties) X(Name) X(ClipRect) X(TemplateRect) X(AntiAlias) \
    X(Update) X(RGBAImage) X(UseTemplateRect) X(Type) X(LoadFromURL) X(ReplaceMode)
// clang-format on

// A graphic element of a scene object: the thing whose picture the plug-in edits.
class CHostElement : public COleDispatchDriver {
public:
    // Takes over a reference that the caller already holds.
    void Attach(LPDISPATCH element);

    std::unique_ptr<CHostImage> GetRGBAImage();
    // The element takes the image's current pixels and size, and the host redraws it.
    void SetRGBAImage(LPDISPATCH image);

    TINTORA_HOST_ELEMENT_MEMBERS(TINTORA_DECLARE_DISPID)
};
