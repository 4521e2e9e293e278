#include "platform/com/TypeLib.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "platform/automation/Bstr.h"
#include "platform/automation/ComPtr.h"
#include "platform/com/RegistryKeys.h"

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void SetBstr(BSTR* out, const std::string& text) {
    if (out) *out = BstrFromNarrow(text);
}

class DataTypeLib;

class DataTypeInfo final : public ITypeInfo {
public:
    DataTypeInfo(DataTypeLib* lib, UINT index);

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_ITypeInfo) return E_NOINTERFACE;
        *object = static_cast<ITypeInfo*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override;

    HRESULT GetTypeAttr(TYPEATTR** attr) override;
    void ReleaseTypeAttr(TYPEATTR* attr) override { delete attr; }
    HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                             BSTR* helpFile) override;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;
    HRESULT GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override;
    HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* ref) override;
    HRESULT GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) override;
    HRESULT GetContainingTypeLib(ITypeLib** lib, UINT* index) override;

private:
    const typelib::Type& Type() const;
    const typelib::Member* FindMember(MEMBERID id) const;

    std::atomic<ULONG> m_refs{1};
    ComPtr<DataTypeLib> m_lib;
    UINT m_index;
};

class DataTypeLib final : public ITypeLib {
public:
    explicit DataTypeLib(const typelib::Library& data) : m_data(data) {}

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_ITypeLib) return E_NOINTERFACE;
        *object = static_cast<ITypeLib*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

    UINT GetTypeInfoCount() override { return UINT(m_data.types.size()); }
    HRESULT GetTypeInfo(UINT index, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index >= m_data.types.size()) return TYPE_E_ELEMENTNOTFOUND;
        *info = new DataTypeInfo(this, index);
        return S_OK;
    }
    HRESULT GetTypeInfoType(UINT index, TYPEKIND* kind) override {
        if (!kind) return E_POINTER;
        if (index >= m_data.types.size()) return TYPE_E_ELEMENTNOTFOUND;
        *kind = m_data.types[index].kind;
        return S_OK;
    }
    HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        for (UINT i = 0; i < m_data.types.size(); ++i) {
            if (m_data.types[i].guid == guid) return GetTypeInfo(i, info);
        }
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetLibAttr(TLIBATTR** attr) override {
        if (!attr) return E_POINTER;
        *attr = new TLIBATTR{m_data.libid, m_data.lcid,  SYS_WIN32,
                             m_data.major, m_data.minor, m_data.flags};
        return S_OK;
    }
    void ReleaseTLibAttr(TLIBATTR* attr) override { delete attr; }
    HRESULT GetDocumentation(INT index, BSTR* name, BSTR* doc, DWORD* helpContext,
                             BSTR* helpFile) override {
        if (index < -1 || index >= INT(m_data.types.size())) return TYPE_E_ELEMENTNOTFOUND;
        if (helpContext) *helpContext = 0;
        if (index == -1) {
            SetBstr(name, m_data.name);
            SetBstr(doc, m_data.helpString);
        } else {
            SetBstr(name, m_data.types[size_t(index)].name);
            SetBstr(doc, m_data.types[size_t(index)].doc);
        }
        SetBstr(helpFile, m_data.helpFile);
        return S_OK;
    }

    const typelib::Library& Data() const { return m_data; }

private:
    std::atomic<ULONG> m_refs{1};
    const typelib::Library& m_data;
};

DataTypeInfo::DataTypeInfo(DataTypeLib* lib, UINT index) : m_lib(lib), m_index(index) {}

ULONG DataTypeInfo::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

const typelib::Type& DataTypeInfo::Type() const { return m_lib->Data().types[m_index]; }

const typelib::Member* DataTypeInfo::FindMember(MEMBERID id) const {
    const auto& members = Type().members;
    auto it = std::find_if(members.begin(), members.end(),
                           [&](const typelib::Member& m) { return m.id == id; });
    return it == members.end() ? nullptr : &*it;
}

HRESULT DataTypeInfo::GetTypeAttr(TYPEATTR** attr) {
    if (!attr) return E_POINTER;
    const auto& type = Type();
    const auto& lib = m_lib->Data();
    *attr = new TYPEATTR{type.guid,
                         lib.lcid,
                         MEMBERID_NIL,
                         MEMBERID_NIL,
                         type.kind,
                         WORD(type.members.size()),
                         0,
                         WORD(type.implemented.size()),
                         type.flags,
                         lib.major,
                         lib.minor};
    return S_OK;
}

HRESULT DataTypeInfo::GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                                       BSTR* helpFile) {
    if (helpContext) *helpContext = 0;
    if (id == MEMBERID_NIL) {
        SetBstr(name, Type().name);
        SetBstr(doc, Type().doc);
    } else {
        const typelib::Member* member = FindMember(id);
        if (!member) return TYPE_E_ELEMENTNOTFOUND;
        SetBstr(name, member->name);
        SetBstr(doc, "");
    }
    SetBstr(helpFile, m_lib->Data().helpFile);
    return S_OK;
}

HRESULT DataTypeInfo::GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = MEMBERID_NIL;
    const std::string wanted = NarrowFromWide(names[0] ? std::u16string_view(names[0]) : u"");
    for (const auto& member : Type().members) {
        if (!EqualNoCase(member.name, wanted)) continue;
        ids[0] = member.id;
        HRESULT hr = S_OK;
        for (UINT i = 1; i < count; ++i) {
            const std::string param =
                NarrowFromWide(names[i] ? std::u16string_view(names[i]) : u"");
            auto it =
                std::find_if(member.params.begin(), member.params.end(),
                             [&](const typelib::Param& p) { return EqualNoCase(p.name, param); });
            if (it == member.params.end()) {
                hr = DISP_E_UNKNOWNNAME;
            } else {
                ids[i] = MEMBERID(it - member.params.begin());
            }
        }
        return hr;
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT DataTypeInfo::GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) {
    if (!names || !count) return E_POINTER;
    *count = 0;
    const typelib::Member* member = FindMember(id);
    if (!member) return TYPE_E_ELEMENTNOTFOUND;
    if (maxNames == 0) return S_OK;
    names[(*count)++] = BstrFromNarrow(member->name);
    for (const auto& param : member->params) {
        if (*count == maxNames) break;
        names[(*count)++] = BstrFromNarrow(param.name);
    }
    return S_OK;
}

HRESULT DataTypeInfo::GetRefTypeOfImplType(UINT index, HREFTYPE* ref) {
    if (!ref) return E_POINTER;
    const auto& implemented = Type().implemented;
    if (index >= implemented.size()) return TYPE_E_ELEMENTNOTFOUND;
    const auto& types = m_lib->Data().types;
    for (UINT i = 0; i < types.size(); ++i) {
        if (types[i].guid == implemented[index].iid) {
            *ref = i;
            return S_OK;
        }
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT DataTypeInfo::GetImplTypeFlags(UINT index, INT* flags) {
    if (!flags) return E_POINTER;
    const auto& implemented = Type().implemented;
    if (index >= implemented.size()) return TYPE_E_ELEMENTNOTFOUND;
    *flags = implemented[index].flags;
    return S_OK;
}

HRESULT DataTypeInfo::GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) {
    return m_lib->GetTypeInfo(ref, info);
}

HRESULT DataTypeInfo::GetContainingTypeLib(ITypeLib** lib, UINT* index) {
    if (lib) *lib = ComPtr<ITypeLib>(m_lib.Get()).Detach();
    if (index) *index = m_index;
    return S_OK;
}

std::string LibraryKey(REFGUID libid) { return "TypeLib\\" + GuidToString(libid); }

std::string VersionName(WORD major, WORD minor) {
    char text[16];
    std::snprintf(text, sizeof text, "%x.%x", major, minor);
    return text;
}

std::string LocaleName(LCID lcid) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", lcid);
    return text;
}

bool IsHexNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
}

}  // namespace

HRESULT CreateTypeLibFromData(const typelib::Library& library, ITypeLib** lib) {
    if (!lib) return E_POINTER;
    *lib = new DataTypeLib(library);
    return S_OK;
}

HRESULT RegisterTypeLib(ITypeLib* lib, LPCSTR fullPath, LPCSTR helpDir) {
    if (!lib || !fullPath || !*fullPath) return E_INVALIDARG;
    TLIBATTR* attr = nullptr;
    if (FAILED(lib->GetLibAttr(&attr))) return TYPE_E_REGISTRYACCESS;
    const TLIBATTR libAttr = *attr;
    lib->ReleaseTLibAttr(attr);

    ScopedBstr name;
    ScopedBstr doc;
    if (FAILED(lib->GetDocumentation(-1, name.Receive(), doc.Receive(), nullptr, nullptr))) {
        return TYPE_E_REGISTRYACCESS;
    }
    const std::string description = doc.Narrow().empty() ? name.Narrow() : doc.Narrow();

    const std::string version =
        LibraryKey(libAttr.guid) + "\\" + VersionName(libAttr.wMajorVerNum, libAttr.wMinorVerNum);
    const std::string folder =
        helpDir ? std::string(helpDir) : std::filesystem::path(fullPath).parent_path().string();
    bool ok =
        com::SetRegString(HKEY_CLASSES_ROOT, version, nullptr, description) &&
        com::SetRegString(HKEY_CLASSES_ROOT, version + "\\" + LocaleName(libAttr.lcid) + "\\win32",
                          nullptr, fullPath) &&
        com::SetRegString(HKEY_CLASSES_ROOT, version + "\\FLAGS", nullptr,
                          std::to_string(libAttr.wLibFlags)) &&
        com::SetRegString(HKEY_CLASSES_ROOT, version + "\\HELPDIR", nullptr, folder);

    const std::string libid = GuidToString(libAttr.guid);
    const std::string interfaceVersion =
        std::to_string(libAttr.wMajorVerNum) + "." + std::to_string(libAttr.wMinorVerNum);
    for (UINT i = 0; ok && i < lib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind;
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || kind != TKIND_DISPATCH) continue;
        ComPtr<ITypeInfo> info;
        if (FAILED(lib->GetTypeInfo(i, info.Receive()))) return TYPE_E_REGISTRYACCESS;
        TYPEATTR* typeAttr = nullptr;
        if (FAILED(info->GetTypeAttr(&typeAttr))) return TYPE_E_REGISTRYACCESS;
        const GUID iid = typeAttr->guid;
        info->ReleaseTypeAttr(typeAttr);
        ScopedBstr typeName;
        if (FAILED(info->GetDocumentation(MEMBERID_NIL, typeName.Receive(), nullptr, nullptr,
                                          nullptr))) {
            return TYPE_E_REGISTRYACCESS;
        }
        const std::string key = "Interface\\" + GuidToString(iid);
        const std::string stub = GuidToString(CLSID_PSDispatch);
        ok = com::SetRegString(HKEY_CLASSES_ROOT, key, nullptr, typeName.Narrow()) &&
             com::SetRegString(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid", nullptr, stub) &&
             com::SetRegString(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid32", nullptr, stub) &&
             com::SetRegString(HKEY_CLASSES_ROOT, key + "\\TypeLib", nullptr, libid) &&
             com::SetRegString(HKEY_CLASSES_ROOT, key + "\\TypeLib", "Version", interfaceVersion);
    }
    return ok ? S_OK : TYPE_E_REGISTRYACCESS;
}

HRESULT UnRegisterTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind) {
    if (syskind != SYS_WIN32) return TYPE_E_LIBNOTREGISTERED;
    const std::string library = LibraryKey(libid);
    const std::string version = library + "\\" + VersionName(major, minor);
    if (!com::RegKeyExists(HKEY_CLASSES_ROOT, version)) return TYPE_E_REGISTRYACCESS;

    std::string locale;
    if (lcid == 0) {
        for (const auto& name : com::RegSubkeys(HKEY_CLASSES_ROOT, version)) {
            if (IsHexNumber(name) &&
                com::RegKeyExists(HKEY_CLASSES_ROOT, version + "\\" + name + "\\win32")) {
                locale = name;
                break;
            }
        }
    } else {
        locale = LocaleName(lcid);
    }
    if (locale.empty() ||
        !com::RegKeyExists(HKEY_CLASSES_ROOT, version + "\\" + locale + "\\win32")) {
        return TYPE_E_REGISTRYACCESS;
    }

    // The library's dispinterfaces are the Interface entries that point back at it.
    const std::string libidText = GuidToString(libid);
    for (const auto& iid : com::RegSubkeys(HKEY_CLASSES_ROOT, "Interface")) {
        const std::string key = "Interface\\" + iid;
        const auto owner = com::GetRegString(HKEY_CLASSES_ROOT, key + "\\TypeLib");
        if (owner && EqualNoCase(*owner, libidText) &&
            !com::DeleteRegTree(HKEY_CLASSES_ROOT, key)) {
            return TYPE_E_REGISTRYACCESS;
        }
    }
    if (!com::DeleteRegTree(HKEY_CLASSES_ROOT, version + "\\" + locale))
        return TYPE_E_REGISTRYACCESS;

    // The version goes when no locale is left, the library when no version is left.
    const auto remaining = com::RegSubkeys(HKEY_CLASSES_ROOT, version);
    if (std::none_of(remaining.begin(), remaining.end(), IsHexNumber) &&
        !com::DeleteRegTree(HKEY_CLASSES_ROOT, version)) {
        return TYPE_E_REGISTRYACCESS;
    }
    if (com::RegSubkeys(HKEY_CLASSES_ROOT, library).empty() &&
        !com::DeleteRegTree(HKEY_CLASSES_ROOT, library)) {
        return TYPE_E_REGISTRYACCESS;
    }
    return S_OK;
}
