#include "control/module/CRastelEditorPropPage.h"

#include "control/ModuleIds.h"
#include "platform/olectl/OleRegistration.h"

namespace {

IUnknown* CreateCRastelEditorPropPage() {
    return static_cast<IDispatch*>(new CRastelEditorPropPage());
}

}  // namespace

CRastelEditorPropPage::CRastelEditorPropPageFactory CRastelEditorPropPage::factory;

CRastelEditorPropPage::CRastelEditorPropPageFactory::CRastelEditorPropPageFactory()
    : COleObjectFactory(CLSID_RastelEditorPropPage, &CreateCRastelEditorPropPage,
                        kProgIdRastelEditorPropPage) {}

// A page registers its class and user type name; its ProgID stays in its class object.
BOOL CRastelEditorPropPage::CRastelEditorPropPageFactory::UpdateRegistry(BOOL bRegister) {
    if (!bRegister) return AfxOleUnregisterClass(m_clsid, nullptr);
    return AfxOleRegisterPropertyPageClass(AfxGetInstanceHandle(), m_clsid, IDS_RASTELEDITOR_PPG);
}

CRastelEditorPropPage::CRastelEditorPropPage()
    : COlePropertyPage("RastelEditorPropPage", IDD_PROPPAGE_RASTELEDITOR,
                       IDS_RASTELEDITOR_PPG_CAPTION) {}

CRastelEditorPropPage::~CRastelEditorPropPage() = default;
