#include "apps/tarsel-host/HostOptions.h"

namespace tarsel_host {

bool IsSceneFile(const std::string& path) {
    const std::string suffix = ".tscene";
    return path.size() > suffix.size() &&
           path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

HostOptions ParseHostOptions(const std::vector<std::string>& args) {
    HostOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--plugin" || arg == "--script") {
            if (!hasValue || args[i + 1].empty()) {
                options.error = arg + " needs a value";
                return options;
            }
            const std::string& value = args[++i];
            if (arg == "--plugin") {
                options.plugins.push_back(value);
            } else if (options.script.empty()) {
                options.script = value;
            } else {
                options.error = "only one --script may be given";
                return options;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            options.error = "unknown option " + arg;
            return options;
        } else if (IsSceneFile(arg)) {
            if (!options.scene.empty() || !options.pictures.empty()) {
                options.error = "a scene is opened alone, without other files";
                return options;
            }
            options.scene = arg;
        } else {
            if (!options.scene.empty()) {
                options.error = "a scene is opened alone, without other files";
                return options;
            }
            options.pictures.push_back(arg);
        }
    }
    return options;
}

std::string HostUsage() {
    return "usage: tarsel-host [--plugin PROGID]... [--script FILE] [SCENE.tscene | PICTURE...]\n"
           "\n"
           "  --plugin PROGID  load a plug-in control and keep it in the host's plug-in list\n"
           "                   (in the registry named by TARSEL_REGISTRY) for later starts\n"
           "  --script FILE    run a script, then exit with 0 when every step passed, else 1;\n"
           "                   without a display it runs on Qt's offscreen platform\n"
           "  SCENE.tscene     open a scene\n"
           "  PICTURE...       add pictures (PNG, TGA, JPEG, BMP, TIFF) to a new scene\n";
}

}  // namespace tarsel_host
