#pragma once
// One 2D object of the host's scene: a scene object of type 4 with one image
// element, placed in the frame.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <string>

#include "apps/tintora/PictureFiles.h"
#include "platform/automation/ComPtr.h"
#include "platform/tarsel/TarselSceneObject.h"

namespace tarsel_host {

class SceneItem {
public:
    SceneItem(std::string name, QPoint position, Picture picture);
    ~SceneItem();
    SceneItem(const SceneItem&) = delete;
    SceneItem& operator=(const SceneItem&) = delete;

    const std::string& Name() const { return m_name; }
    // The picture's top-left corner in the frame, y counted down.
    QPoint Position() const { return m_position; }
    void SetPosition(QPoint position) { m_position = position; }
    QSize Size() const;
    QRect Rect() const { return {m_position, Size()}; }

    tarsel::TarselSceneObject* Object() const { return m_object.Get(); }
    tarsel::TarselElement* Element() const { return m_element.Get(); }
    // The element's pixels now.
    Picture CurrentPicture() const;
    // The picture as Qt draws it, made anew after each change of the pixels.
    const QImage& Image() const;
    void PixelsChanged() { m_imageStale = true; }

private:
    std::string m_name;
    QPoint m_position;
    ComPtr<tarsel::TarselSceneObject> m_object;
    ComPtr<tarsel::TarselElement> m_element;
    mutable QImage m_image;
    mutable bool m_imageStale = true;
};

}  // namespace tarsel_host
