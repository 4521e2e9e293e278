#include "apps/tarsel-host/HostScene.h"

#include <algorithm>

namespace tarsel_host {

HostScene::HostScene() {
    m_scene = ComPtr<tarsel::TarselScene>::Adopt(tarsel::TarselScene::Create());
    m_canvas = ComPtr<tarsel::TarselCanvas>::Adopt(tarsel::TarselCanvas::Create(m_scene.Get()));
    m_application = ComPtr<tarsel::TarselApplication>::Adopt(tarsel::TarselApplication::Create());
    m_application->SetActiveCanvas(m_canvas.Get());
}

HostScene::~HostScene() {
    m_scene->SetActiveObject(nullptr);
    m_application->SetActiveCanvas(nullptr);
}

SceneItem* HostScene::Find(const std::string& name) const {
    for (const auto& item : m_items) {
        if (item->Name() == name) return item.get();
    }
    return nullptr;
}

SceneItem* HostScene::ItemAt(QPoint framePoint) const {
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if ((*it)->Rect().contains(framePoint)) return it->get();
    }
    return nullptr;
}

std::string HostScene::UniqueName(const std::string& wanted) const {
    const std::string base = wanted.empty() ? "picture" : wanted;
    std::string name = base;
    for (int n = 2; Find(name); ++n) name = base + " " + std::to_string(n);
    return name;
}

SceneItem& HostScene::Add(const std::string& name, QPoint position, Picture picture) {
    m_items.push_back(std::make_unique<SceneItem>(UniqueName(name), position, std::move(picture)));
    SceneItem& item = *m_items.back();
    item.Element()->SetRedrawHandler([this, &item, before = item.Size()]() mutable {
        PixelsAssigned(item, before);
        before = item.Size();
    });
    Notify(onChanged);
    return item;
}

void HostScene::PixelsAssigned(SceneItem& item, QSize before) {
    // An effect that grows or shrinks the picture keeps it centred where it was.
    const QSize after = item.Size();
    item.SetPosition(item.Position() - QPoint((after.width() - before.width()) / 2,
                                              (after.height() - before.height()) / 2));
    item.PixelsChanged();
    Notify(onChanged);
}

void HostScene::Select(SceneItem* item) {
    if (item == m_selected) return;
    m_selected = item;
    m_scene->SetActiveObject(item ? item->Object() : nullptr);
    Notify(onSelectionChanged);
    Notify(onChanged);
}

void HostScene::Move(SceneItem& item, QPoint position) {
    if (item.Position() == position) return;
    item.SetPosition(position);
    Notify(onChanged);
}

SceneFileContents HostScene::Contents() const {
    SceneFileContents contents;
    contents.frameWidth = m_frame.width();
    contents.frameHeight = m_frame.height();
    for (const auto& item : m_items) {
        contents.objects.push_back(
            {item->Name(), item->Position().x(), item->Position().y(), item->CurrentPicture()});
    }
    return contents;
}

void HostScene::Replace(SceneFileContents contents) {
    Select(nullptr);
    m_items.clear();
    m_frame = QSize(contents.frameWidth, contents.frameHeight);
    for (SceneFileObject& object : contents.objects) {
        Add(object.name, QPoint(object.x, object.y), std::move(object.picture));
    }
    Notify(onChanged);
}

void HostScene::Notify(const std::function<void()>& callback) const {
    if (callback) callback();
}

}  // namespace tarsel_host
