#include "platform/olectl/COlePropertyPage.h"

#include "platform/olectl/AfxModule.h"

COlePropertyPage::COlePropertyPage(std::string className, UINT idTemplate, UINT idCaption)
    : DispatchObject(std::move(className)), m_idTemplate(idTemplate), m_idCaption(idCaption) {
    m_xPropertyPage.outer = this;
    AfxOleLockApp();
}

COlePropertyPage::~COlePropertyPage() { AfxOleUnlockApp(); }

std::string COlePropertyPage::GetCaption() const { return AfxLoadString(m_idCaption); }

HRESULT COlePropertyPage::QueryOtherInterface(REFIID iid, void** object) {
    if (iid != IID_IPropertyPage) return E_NOINTERFACE;
    *object = static_cast<IPropertyPage*>(&m_xPropertyPage);
    AddRef();
    return S_OK;
}

HRESULT COlePropertyPage::XPropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = CoTaskMemString(outer->GetCaption().c_str());
    info->size = kDefaultSize;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return info->pszTitle ? S_OK : E_OUTOFMEMORY;
}
