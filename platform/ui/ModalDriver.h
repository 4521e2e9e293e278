#pragma once
// Who runs a modal dialog once it is built and initialised: by default the
// window system's modal loop; tests install a driver that works the dialog's
// controls by script and ends it.

#include "platform/prompts/ScopedInstall.h"

class CDialog;

class ModalDriver {
public:
    virtual ~ModalDriver() = default;
    // Runs the dialog; a dialog the driver leaves open ends the run with -1.
    virtual void RunModal(CDialog& dialog) = 0;
};

// Installs a driver and returns the previous one; null restores the modal loop.
ModalDriver* InstallModalDriver(ModalDriver* driver);
ModalDriver* CurrentModalDriver();

using ScopedModalDriver = ScopedInstall<ModalDriver*, InstallModalDriver>;
