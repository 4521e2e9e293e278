#pragma once
// The host's main window: the canvas, the property panel, the status bar and
// the menus, with the plug-ins' menu items under their paths. Every operation
// that the menus offer is also here without its file dialog, for scripts.
// Operations return "" on success or the message for the operator; the menus
// show it in a box.

#include <QMainWindow>
#include <optional>
#include <string>

#include "apps/tarsel-host/HostOptions.h"
#include "apps/tarsel-host/HostScene.h"
#include "apps/tarsel-host/PluginHost.h"

class QLabel;
class QMenu;

namespace tarsel_host {

class CanvasView;
class PropertyPanel;

class HostWindow : public QMainWindow {
public:
    HostWindow();
    ~HostWindow() override;

    // Loads the plug-ins (the list's and the options'), then opens the
    // options' scene or pictures. Messages show in boxes on this window.
    void Start(const HostOptions& options);
    bool Started() const { return m_started; }

    HostScene& Scene() { return m_scene; }
    CanvasView& Canvas() { return *m_canvas; }
    PluginHost& Plugins() { return m_plugins; }

    // Adds a picture file as a 2D object with its top-left at the frame point.
    std::string AddPicture(const std::string& path, QPoint topLeft, const std::string& name = {});
    std::string SavePicture(const SceneItem& item, const std::string& path);
    // The whole frame as a PNG, transparent where no object covers it.
    std::string ExportFrame(const std::string& path);
    std::string OpenScene(const std::string& path);
    std::string SaveScene(const std::string& path);
    // Triggers the menu item at a path of texts, "Tools|Tintora".
    std::string PickMenu(const std::string& path);
    // Opens the plug-in's property editor for the object.
    std::string OpenEditor(SceneItem& item, const std::string& pluginName);
    // The frame with every object, as exported.
    QImage RenderFrame() const;

    void ShowMessage(const std::string& text);

private:
    void BuildMenus();
    void AddPluginMenuItems();
    QMenu* MenuAt(const QStringList& path);
    void SceneChanged();
    void SelectionChanged();
    void ShowSelection();
    void ShowPointer(std::optional<QPoint> framePoint);
    void AddDroppedPictures(const QStringList& paths, QPoint centre);
    void UpdateTitle();

    // The menus' own actions, each asking for a file first.
    void AddPictureDialog();
    void OpenSceneDialog();
    void SaveSceneDialog();
    void SavePictureDialog();
    void ExportFrameDialog();
    void About();

    HostScene m_scene;
    PluginHost m_plugins;
    CanvasView* m_canvas;
    PropertyPanel* m_panel;
    QLabel* m_selectionLabel;
    QLabel* m_pointerLabel;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    std::string m_scenePath;
    bool m_started = false;
};

}  // namespace tarsel_host
