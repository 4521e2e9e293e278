#pragma once
// The property panel: the selected object's name, class, position and size,
// and the plug-in properties registered for its class, each with a button
// that opens the plug-in's property editor.

#include <QWidget>
#include <functional>
#include <string>

#include "apps/tarsel-host/PluginHost.h"
#include "apps/tarsel-host/SceneItem.h"

class QFormLayout;
class QLabel;
class QVBoxLayout;

namespace tarsel_host {

class PropertyPanel : public QWidget {
public:
    PropertyPanel(const PluginHost& plugins, QWidget* parent = nullptr);

    // Shows the object (null: none) and its plug-in properties anew.
    void Show(const SceneItem* item);
    // Updates the object's position and size.
    void Refresh(const SceneItem* item);

    // The operator pressed a property's edit button.
    std::function<void(const PluginEditor&)> onEdit;

private:
    const PluginHost& m_plugins;
    QLabel* m_name;
    QLabel* m_class;
    QLabel* m_position;
    QLabel* m_size;
    QWidget* m_properties;
    QVBoxLayout* m_propertyRows;
};

}  // namespace tarsel_host
