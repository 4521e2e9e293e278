#include "apps/tarsel-host/PluginHost.h"

#include <algorithm>

#include "apps/tarsel-host/LateBoundCall.h"
#include "platform/automation/Bstr.h"
#include "platform/com/ClassObjects.h"
#include "platform/tarsel/TarselPropertyObject.h"

namespace tarsel_host {

namespace {

VARIANT Borrowed(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    return v;
}

bool Lists(const std::vector<std::string>& classes, const std::string& className) {
    return std::find(classes.begin(), classes.end(), className) != classes.end();
}

}  // namespace

PluginHost::PluginHost(tarsel::TarselApplication* application, Report report)
    : m_application(application), m_report(std::move(report)) {}

PluginHost::~PluginHost() { UnloadAll(); }

ComPtr<IDispatch> PluginHost::Create(const std::string& progId, std::string& error) const {
    CLSID clsid{};
    const std::u16string wide = WideFromNarrow(progId);
    if (FAILED(CLSIDFromProgID(wide.c_str(), &clsid))) {
        error = "it is not registered";
        return nullptr;
    }
    ComPtr<IDispatch> control;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                        reinterpret_cast<void**>(control.Receive()));
    if (FAILED(hr)) {
        error = "its module could not create it (" + HresultText(hr) + ")";
        return nullptr;
    }
    return control;
}

bool PluginHost::Load(const std::string& progId) {
    std::string error;
    const auto fail = [&](const std::string& why) {
        m_report("The plug-in " + progId + " could not be loaded: " + why +
                 ". Tarsel runs on without it.");
        return false;
    };
    if (std::find(m_loaded.begin(), m_loaded.end(), progId) != m_loaded.end()) return true;
    ComPtr<IDispatch> control = Create(progId, error);
    if (!control) return fail(error);

    const size_t menus = m_application->MenuItems().size();
    const size_t properties = m_application->Properties().size();
    const size_t editors = m_application->Editors().size();
    VARIANT_BOOL status = VARIANT_FALSE;
    VARIANT statusOut;
    VariantInit(&statusOut);
    statusOut.vt = VT_BYREF | VT_BOOL;
    statusOut.pboolVal = &status;
    const CallOutcome outcome =
        CallMethod(control.Get(), "OnInitialize", {Borrowed(m_application.Get()), statusOut});
    if (!outcome.ok) return fail(outcome.error);
    if (status != VARIANT_TRUE) return fail("it did not accept the application");
    TakeRegistrations(control, menus, properties, editors);
    m_controls.push_back(control);
    m_loaded.push_back(progId);
    return true;
}

void PluginHost::TakeRegistrations(const ComPtr<IDispatch>& control, size_t menus,
                                   size_t properties, size_t editors) {
    const auto& newMenus = m_application->MenuItems();
    for (size_t i = menus; i < newMenus.size(); ++i) {
        const auto& r = newMenus[i];
        const bool known = std::any_of(m_menuItems.begin(), m_menuItems.end(), [&](auto& m) {
            return m.pluginName == r.pluginName && m.menuPath == r.menuPath &&
                   m.methodName == r.methodName;
        });
        if (!known) m_menuItems.push_back({r.pluginName, r.menuPath, r.methodName, control});
    }
    const auto& newProperties = m_application->Properties();
    for (size_t i = properties; i < newProperties.size(); ++i) {
        const auto& r = newProperties[i];
        m_properties.push_back({r.pluginName, r.propertyName, r.classes.names});
    }
    const auto& newEditors = m_application->Editors();
    for (size_t i = editors; i < newEditors.size(); ++i) {
        const auto& r = newEditors[i];
        m_editors.push_back({r.pluginName, r.progId, r.classes.names});
    }
}

void PluginHost::UnloadAll() {
    m_menuItems.clear();
    m_properties.clear();
    m_editors.clear();
    m_controls.clear();
    m_loaded.clear();
    CoFreeUnusedLibraries();
}

std::vector<PluginProperty> PluginHost::PropertiesFor(const std::string& className) const {
    std::vector<PluginProperty> found;
    for (const PluginProperty& property : m_properties) {
        const bool listed = std::any_of(found.begin(), found.end(), [&](auto& f) {
            return f.pluginName == property.pluginName && f.propertyName == property.propertyName;
        });
        if (Lists(property.classes, className) && !listed) found.push_back(property);
    }
    return found;
}

const PluginEditor* PluginHost::EditorFor(const std::string& pluginName,
                                          const std::string& className) const {
    for (const PluginEditor& editor : m_editors) {
        if (editor.pluginName == pluginName && Lists(editor.classes, className)) return &editor;
    }
    return nullptr;
}

bool PluginHost::Pick(const PluginMenuItem& item) {
    // Held for the call: a plug-in unloaded meanwhile must not take the control with it.
    const ComPtr<IDispatch> control = item.control;
    const std::string name = item.pluginName;
    const std::string method = item.methodName;
    VARIANT empty;
    VariantInit(&empty);
    const CallOutcome outcome = CallMethod(control.Get(), method, {empty});
    if (!outcome.ok) m_report("The plug-in " + name + " failed: " + outcome.error + ".");
    return outcome.ok;
}

bool PluginHost::Edit(const PluginEditor& editor, tarsel::TarselElement* owner) {
    const std::string name = editor.pluginName;
    std::string error;
    ComPtr<IDispatch> control = Create(editor.progId, error);
    if (!control) {
        m_report("The property editor of " + name + " could not be opened: " + error + ".");
        return false;
    }
    auto property =
        ComPtr<tarsel::TarselPropertyObject>::Adopt(tarsel::TarselPropertyObject::Create(owner));
    const CallOutcome outcome = CallMethod(
        control.Get(), "Execute", {Borrowed(m_application.Get()), Borrowed(property.Get())});
    if (!outcome.ok) m_report("The property editor of " + name + " failed: " + outcome.error + ".");
    return outcome.ok;
}

}  // namespace tarsel_host
