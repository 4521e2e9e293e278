#include "apps/tarsel-host/SceneItem.h"

#include "apps/tarsel-host/PictureImage.h"

namespace tarsel_host {

SceneItem::SceneItem(std::string name, QPoint position, Picture picture)
    : m_name(std::move(name)), m_position(position) {
    auto image = ComPtr<tarsel::TarselImage>::Adopt(
        tarsel::TarselImage::Create(picture.width, picture.height, std::move(picture.bgra)));
    m_element = ComPtr<tarsel::TarselElement>::Adopt(tarsel::TarselElement::Create(image.Get()));
    m_object = ComPtr<tarsel::TarselSceneObject>::Adopt(
        tarsel::TarselSceneObject::Create(tarsel::TarselSceneObject::kGraphicType));
    m_object->AddElement(m_element.Get());
}

SceneItem::~SceneItem() {
    // A plug-in may still hold the element; it must not call back into a
    // scene that is gone.
    m_element->SetRedrawHandler(nullptr);
}

QSize SceneItem::Size() const {
    const tarsel::TarselImage* image = m_element->Image();
    return image ? QSize(image->Width(), image->Height()) : QSize();
}

Picture SceneItem::CurrentPicture() const {
    const tarsel::TarselImage* image = m_element->Image();
    if (!image) return {};
    return Picture{image->Width(), image->Height(), image->Pixels()};
}

const QImage& SceneItem::Image() const {
    if (m_imageStale) {
        const tarsel::TarselImage* image = m_element->Image();
        m_image =
            image ? ImageOfPixels(image->Width(), image->Height(), image->Pixels()) : QImage();
        m_imageStale = false;
    }
    return m_image;
}

}  // namespace tarsel_host
