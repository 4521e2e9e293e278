#include "platform/ui/ModalDriver.h"

namespace {

ModalDriver* g_driver = nullptr;

}  // namespace

ModalDriver* InstallModalDriver(ModalDriver* driver) {
    ModalDriver* previous = g_driver;
    g_driver = driver;
    return previous;
}

ModalDriver* CurrentModalDriver() { return g_driver; }
