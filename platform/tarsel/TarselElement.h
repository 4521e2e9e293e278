#pragma once

#include <functional>

#include "platform/tarsel/TarselImage.h"

namespace tarsel {

// A graphic element with its image. Assigning RGBAImage makes the element take
// that image's pixels and redraw.
class TarselElement : public DispatchObject {
public:
    static TarselElement* Create(TarselImage* image);

    TarselImage* Image() const { return m_image.Get(); }
    void SetImage(TarselImage* image) { m_image = ComPtr<TarselImage>(image); }
    int Redraws() const { return m_redraws; }
    // Called after each assignment of RGBAImage, once the element holds the new
    // pixels: where a host repaints its canvas.
    void SetRedrawHandler(std::function<void()> handler) { m_onRedraw = std::move(handler); }

private:
    explicit TarselElement(TarselImage* image);
    HRESULT PutRGBAImage(Invocation& call);

    ComPtr<TarselImage> m_image;
    int m_redraws = 0;
    std::function<void()> m_onRedraw;
};

}  // namespace tarsel
