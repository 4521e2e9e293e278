// The class object of the effect control.

#include "control/CRastelCtrl.h"
#include "control/ModuleIds.h"
#include "platform/olectl/OleRegistration.h"

namespace {

IUnknown* CreateRastelCtrl() { return static_cast<IDispatch*>(new CRastelCtrl()); }

}  // namespace

CRastelCtrl::CRastelCtrlFactory CRastelCtrl::factory;

CRastelCtrl::CRastelCtrlFactory::CRastelCtrlFactory()
    : COleObjectFactory(CLSID_RastelCtrl, &CreateRastelCtrl, kProgIdRastelCtrl) {}

BOOL CRastelCtrl::CRastelCtrlFactory::UpdateRegistry(BOOL bRegister) {
    if (!bRegister) return AfxOleUnregisterClass(m_clsid, m_lpszProgID);
    return AfxOleRegisterControlClass(AfxGetInstanceHandle(), m_clsid, m_lpszProgID, IDS_RASTEL,
                                      IDB_RASTEL, afxRegApartmentThreading, kRastelOleMisc,
                                      LIBID_VOKSLETRASTELLib, _wVerMajor, _wVerMinor);
}
