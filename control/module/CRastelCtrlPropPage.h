#pragma once
// The property page of the effect control. It exchanges no fields.

#include "platform/olectl/COleObjectFactory.h"
#include "platform/olectl/COlePropertyPage.h"

class CRastelCtrlPropPage : public COlePropertyPage {
public:
    CRastelCtrlPropPage();

    class CRastelCtrlPropPageFactory : public COleObjectFactory {
    public:
        CRastelCtrlPropPageFactory();
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CRastelCtrlPropPageFactory factory;

protected:
    ~CRastelCtrlPropPage() override;
};
