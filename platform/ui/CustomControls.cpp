#include "platform/ui/CustomControls.h"

#include <map>

namespace {

std::map<std::string, CustomControlFactory>& Factories() {
    static std::map<std::string, CustomControlFactory> factories;
    return factories;
}

}  // namespace

void RegisterCustomControl(const std::string& className, CustomControlFactory factory) {
    Factories()[className] = std::move(factory);
}

QWidget* CreateCustomControl(const std::string& className, QWidget* parent) {
    const auto it = Factories().find(className);
    return it == Factories().end() ? nullptr : it->second(parent);
}
