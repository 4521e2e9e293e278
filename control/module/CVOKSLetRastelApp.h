#pragma once
// The module object of VOKSLETRASTEL.OCX.

#include <memory>
#include <optional>

#include "dialogs/TintoraDlg.h"
#include "platform/imageview/ImageEnXClass.h"
#include "platform/olectl/AfxModule.h"

class CVOKSLetRastelApp : public COleControlModule {
public:
    CVOKSLetRastelApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // The crop dialog's view ships in the module and is offered while it is loaded.
    std::unique_ptr<imageview::ImageEnXClassRegistration> m_pImageViewClass;
    // The tools dialog's Crop button opens the crop dialog while the module is loaded.
    std::optional<ScopedCropDialog> m_cropDialog;
};

extern CVOKSLetRastelApp theApp;
