#pragma once
// Small helpers over the registry for the class side: string values by key
// path, whole subtrees, and the listing of a key's subkeys.

#include <optional>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"

namespace com {

// Sets a string value (name null: the default value), creating the key and any above it.
bool SetRegString(HKEY root, const std::string& key, LPCSTR name, const std::string& value);
// Creates the key with no values of its own.
bool CreateRegKey(HKEY root, const std::string& key);
std::optional<std::string> GetRegString(HKEY root, const std::string& key, LPCSTR name = nullptr);
bool RegKeyExists(HKEY root, const std::string& key);
// Removes the key with everything below it; true when it is gone, missing included.
bool DeleteRegTree(HKEY root, const std::string& key);
std::vector<std::string> RegSubkeys(HKEY root, const std::string& key);

}  // namespace com
