#pragma once
// The data folder: "tintora" beside the folder that holds the module.

#include <string>

// Drops the file name and the folder holding it (each cut only where there is a
// separator) and appends "tintora": /opt/Apps/Plugins/x.ocx gives /opt/Apps/tintora.
std::string DataFolderFromModulePath(const std::string& modulePath);

// The data folder of the module this code runs in; empty when its path is unknown.
std::string ModuleDataFolder();
