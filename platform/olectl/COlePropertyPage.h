#pragma once
// The framework's property page as a class object of its module: it tells a
// container its caption (from the string table) and size. Its window part is
// built from its dialog template by the dialog framework.

#include <string>

#include "platform/automation/DispatchObject.h"
#include "platform/com/ControlInterfaces.h"

class COlePropertyPage : public DispatchObject {
public:
    COlePropertyPage(const COlePropertyPage&) = delete;
    COlePropertyPage& operator=(const COlePropertyPage&) = delete;

    UINT TemplateID() const { return m_idTemplate; }
    std::string GetCaption() const;

    // The page's size in dialog units when its template does not give one.
    static constexpr SIZE kDefaultSize{250, 62};

protected:
    COlePropertyPage(std::string className, UINT idTemplate, UINT idCaption);
    ~COlePropertyPage() override;
    HRESULT QueryOtherInterface(REFIID iid, void** object) override;

private:
    struct XPropertyPage : IPropertyPage {
        COlePropertyPage* outer = nullptr;
        HRESULT QueryInterface(REFIID iid, void** object) override {
            return outer->QueryInterface(iid, object);
        }
        ULONG AddRef() override { return outer->AddRef(); }
        ULONG Release() override { return outer->Release(); }
        HRESULT GetPageInfo(PROPPAGEINFO* info) override;
    };

    UINT m_idTemplate;
    UINT m_idCaption;
    XPropertyPage m_xPropertyPage;
};
