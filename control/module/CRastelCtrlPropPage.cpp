#include "control/module/CRastelCtrlPropPage.h"

#include "control/ModuleIds.h"
#include "platform/olectl/OleRegistration.h"

namespace {

IUnknown* CreateCRastelCtrlPropPage() { return static_cast<IDispatch*>(new CRastelCtrlPropPage()); }

}  // namespace

CRastelCtrlPropPage::CRastelCtrlPropPageFactory CRastelCtrlPropPage::factory;

CRastelCtrlPropPage::CRastelCtrlPropPageFactory::CRastelCtrlPropPageFactory()
    : COleObjectFactory(CLSID_RastelCtrlPropPage, &CreateCRastelCtrlPropPage,
                        kProgIdRastelCtrlPropPage) {}

// A page registers its class and user type name; its ProgID stays in its class object.
BOOL CRastelCtrlPropPage::CRastelCtrlPropPageFactory::UpdateRegistry(BOOL bRegister) {
    if (!bRegister) return AfxOleUnregisterClass(m_clsid, nullptr);
    return AfxOleRegisterPropertyPageClass(AfxGetInstanceHandle(), m_clsid, IDS_RASTEL_PPG);
}

CRastelCtrlPropPage::CRastelCtrlPropPage()
    : COlePropertyPage("RastelCtrlPropPage", IDD_PROPPAGE_RASTEL, IDS_RASTEL_PPG_CAPTION) {}

CRastelCtrlPropPage::~CRastelCtrlPropPage() = default;
