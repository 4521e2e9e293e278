#include "control/ControlDialogs.h"

namespace {
ControlDialogs* g_dialogs = nullptr;
}

ControlDialogs* InstallControlDialogs(ControlDialogs* dialogs) {
    ControlDialogs* previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}

ControlDialogs* CurrentControlDialogs() { return g_dialogs; }
