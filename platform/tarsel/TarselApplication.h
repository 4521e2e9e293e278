#pragma once

#include <string>
#include <vector>

#include "platform/tarsel/TarselCanvas.h"

namespace tarsel {

// A list of object class names as a plug-in registered it.
struct ClassNameList {
    VARTYPE vt = VT_EMPTY;  // of the VARIANT that carried it
    LONG lowerBound = 0;
    std::vector<std::string> names;
};

struct MenuItemRegistration {
    std::string pluginName;
    std::string menuPath;
    std::string methodName;
};

struct PropertyRegistration {
    std::string pluginName;
    std::string propertyName;
    LONG flags = 0;
    std::string text1;
    ClassNameList classes;
    std::string text2;
};

struct PropertyEditorRegistration {
    std::string pluginName;
    std::string progId;
    ClassNameList classes;
};

// The application object: the active canvas and the plug-in registrations.
class TarselApplication : public DispatchObject {
public:
    static TarselApplication* Create();
    void SetActiveCanvas(TarselCanvas* canvas) { m_canvas = ComPtr<TarselCanvas>(canvas); }

    const std::vector<MenuItemRegistration>& MenuItems() const { return m_menuItems; }
    const std::vector<PropertyRegistration>& Properties() const { return m_properties; }
    const std::vector<PropertyEditorRegistration>& Editors() const { return m_editors; }

private:
    TarselApplication();
    HRESULT RegisterMenuItem(Invocation& call);
    HRESULT RegisterObjectProperty(Invocation& call);
    HRESULT RegisterObjectPropertyEditor(Invocation& call);

    ComPtr<TarselCanvas> m_canvas;
    std::vector<MenuItemRegistration> m_menuItems;
    std::vector<PropertyRegistration> m_properties;
    std::vector<PropertyEditorRegistration> m_editors;
};

}  // namespace tarsel
