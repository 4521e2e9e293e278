#pragma once
// The host's command line:
//
//   tarsel-host [--plugin PROGID]... [--script FILE] [SCENE.tscene | PICTURE...]
//
// --plugin loads a plug-in control and, once it has loaded, adds it to the
// host's plug-in list, kept in the registry stand-in, so that it loads at
// every later start too.
// --script runs a script and exits (0 when every step passed, else 1). A scene
// file is opened; pictures are added to a new scene.

#include <string>
#include <vector>

namespace tarsel_host {

struct HostOptions {
    std::vector<std::string> plugins;
    std::string script;
    std::string scene;
    std::vector<std::string> pictures;
    bool help = false;
    // Set when the command line is wrong; the reason for the operator.
    std::string error;
};

HostOptions ParseHostOptions(const std::vector<std::string>& args);
std::string HostUsage();
bool IsSceneFile(const std::string& path);

}  // namespace tarsel_host
