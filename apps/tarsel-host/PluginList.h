#pragma once
// The host's plug-in list: the ProgIDs of the plug-in controls it creates at
// start-up, kept in the registry stand-in under
// HKEY_CURRENT_USER\Software\Pellux\Tarsel\Plugins, one string value per
// plug-in named by its ProgID.

#include <string>
#include <vector>

namespace tarsel_host {

inline constexpr char kPluginListKey[] = "Software\\Pellux\\Tarsel\\Plugins";

// In the order they were added; an unreadable list is empty.
std::vector<std::string> ReadPluginList();
// Adds the ProgID unless it is listed; false when the registry cannot be written.
bool AddToPluginList(const std::string& progId);
bool RemoveFromPluginList(const std::string& progId);

}  // namespace tarsel_host
