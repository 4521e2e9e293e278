#pragma once
// The module object of VOKSLETRASTEL.OCX.

#include "platform/olectl/AfxModule.h"

class CVOKSLetRastelApp : public COleControlModule {
public:
    CVOKSLetRastelApp();
    BOOL InitInstance() override;
    int ExitInstance() override;
};

extern CVOKSLetRastelApp theApp;
