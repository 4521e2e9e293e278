#include "platform/imageview/ImageEnXClass.h"

#include "platform/automation/ComPtr.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ClassObjects.h"
#include "platform/imageview/ImageEnXControl.h"

namespace imageview {

namespace {

class ImageEnXFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        const auto control = ComPtr<ImageEnXControl>::Adopt(ImageEnXControl::Create());
        return control->QueryInterface(iid, object);
    }
    HRESULT LockServer(BOOL) override { return S_OK; }

private:
    ~ImageEnXFactory() = default;
    ULONG m_refs = 1;
};

}  // namespace

ImageEnXClassRegistration::ImageEnXClassRegistration() {
    const auto factory = ComPtr<IClassFactory>::Adopt(new ImageEnXFactory);
    if (FAILED(CoRegisterClassObject(CLSID_ImageEnX, factory.Get(), CLSCTX_INPROC_SERVER,
                                     REGCLS_MULTIPLEUSE, &m_cookie))) {
        m_cookie = 0;
    }
}

ImageEnXClassRegistration::~ImageEnXClassRegistration() {
    if (m_cookie) CoRevokeClassObject(m_cookie);
}

}  // namespace imageview
