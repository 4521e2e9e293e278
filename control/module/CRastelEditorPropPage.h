#pragma once
// The property page of the editor control. It exchanges no fields.

#include "platform/olectl/COleObjectFactory.h"
#include "platform/olectl/COlePropertyPage.h"

class CRastelEditorPropPage : public COlePropertyPage {
public:
    CRastelEditorPropPage();

    class CRastelEditorPropPageFactory : public COleObjectFactory {
    public:
        CRastelEditorPropPageFactory();
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CRastelEditorPropPageFactory factory;

protected:
    ~CRastelEditorPropPage() override;
};
