#pragma once
// The host's scene and the object model the plug-ins see: an application
// whose active canvas shows this scene, and the scene's 2D objects. Selecting
// an object makes it the scene's ActiveObject. Every assignment of an
// element's RGBAImage reports a change at once, so the canvas repaints while a
// plug-in's dialog is still open.

#include <QSize>
#include <functional>
#include <memory>
#include <vector>

#include "apps/tarsel-host/SceneFile.h"
#include "apps/tarsel-host/SceneItem.h"
#include "platform/tarsel/TarselApplication.h"

namespace tarsel_host {

class HostScene {
public:
    HostScene();
    ~HostScene();
    HostScene(const HostScene&) = delete;
    HostScene& operator=(const HostScene&) = delete;

    tarsel::TarselApplication* Application() const { return m_application.Get(); }
    QSize FrameSize() const { return m_frame; }

    // Bottom object first.
    const std::vector<std::unique_ptr<SceneItem>>& Items() const { return m_items; }
    SceneItem* Find(const std::string& name) const;
    // The topmost object whose rectangle holds the frame point, or null.
    SceneItem* ItemAt(QPoint framePoint) const;
    SceneItem* Selected() const { return m_selected; }

    // Adds the picture on top, its top-left at position; a name already taken
    // gets a number. The new object is not selected.
    SceneItem& Add(const std::string& name, QPoint position, Picture picture);
    // Null selects nothing.
    void Select(SceneItem* item);
    void Move(SceneItem& item, QPoint position);

    SceneFileContents Contents() const;
    // Replaces every object and the frame size; nothing stays selected.
    void Replace(SceneFileContents contents);

    // Called after any change to what the canvas shows, and after a change of selection.
    std::function<void()> onChanged;
    std::function<void()> onSelectionChanged;

private:
    std::string UniqueName(const std::string& wanted) const;
    void PixelsAssigned(SceneItem& item, QSize before);
    void Notify(const std::function<void()>& callback) const;

    QSize m_frame{1920, 1080};
    ComPtr<tarsel::TarselApplication> m_application;
    ComPtr<tarsel::TarselCanvas> m_canvas;
    ComPtr<tarsel::TarselScene> m_scene;
    std::vector<std::unique_ptr<SceneItem>> m_items;
    SceneItem* m_selected = nullptr;
};

}  // namespace tarsel_host
