#pragma once
// The plug-ins of the host: controls created through the class registry from
// their registered module files and initialised with the application object.
// What each registers (menu items, object properties, property editors) is
// kept with the control that registered it. Every call into a plug-in goes
// through the host's call boundary: a failure gives one message and the host
// runs on.

#include <functional>
#include <string>
#include <vector>

#include "platform/automation/ComPtr.h"
#include "platform/tarsel/TarselApplication.h"
#include "platform/tarsel/TarselElement.h"

namespace tarsel_host {

// The class name under which the host's 2D objects are registered.
inline constexpr char kClass2DObject[] = "Tarsel2DObject";

struct PluginMenuItem {
    std::string pluginName;
    // As registered, "Tools|": menus separated by bars; the item is named after the plug-in.
    std::string menuPath;
    std::string methodName;
    ComPtr<IDispatch> control;
};

struct PluginProperty {
    std::string pluginName;
    std::string propertyName;
    std::vector<std::string> classes;
};

struct PluginEditor {
    std::string pluginName;
    std::string progId;
    std::vector<std::string> classes;
};

class PluginHost {
public:
    using Report = std::function<void(const std::string&)>;

    // Messages for the operator go to report.
    PluginHost(tarsel::TarselApplication* application, Report report);
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Creates the control and calls its OnInitialize; false after one message.
    bool Load(const std::string& progId);
    // Releases every control and unloads the modules nothing uses any more.
    void UnloadAll();

    const std::vector<std::string>& Loaded() const { return m_loaded; }
    const std::vector<PluginMenuItem>& MenuItems() const { return m_menuItems; }
    // The properties registered for a class of object, in the order registered.
    std::vector<PluginProperty> PropertiesFor(const std::string& className) const;
    // The editor a plug-in registered for a class, or null.
    const PluginEditor* EditorFor(const std::string& pluginName,
                                  const std::string& className) const;

    // Calls the item's method with one empty VARIANT; false after one message.
    bool Pick(const PluginMenuItem& item);
    // Creates the editor's control, calls its Execute with the application and
    // a property object owned by the element, and releases it; false after one message.
    bool Edit(const PluginEditor& editor, tarsel::TarselElement* owner);

private:
    ComPtr<IDispatch> Create(const std::string& progId, std::string& error) const;
    void TakeRegistrations(const ComPtr<IDispatch>& control, size_t menus, size_t properties,
                           size_t editors);

    ComPtr<tarsel::TarselApplication> m_application;
    Report m_report;
    std::vector<std::string> m_loaded;
    std::vector<ComPtr<IDispatch>> m_controls;
    std::vector<PluginMenuItem> m_menuItems;
    std::vector<PluginProperty> m_properties;
    std::vector<PluginEditor> m_editors;
};

}  // namespace tarsel_host
