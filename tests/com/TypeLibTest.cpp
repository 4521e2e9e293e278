#include <gtest/gtest.h>

#include "platform/automation/Bstr.h"
#include "platform/com/RegistryKeys.h"
#include "platform/com/TypeLib.h"
#include "tests/com/ComTestSupport.h"

namespace {

constexpr GUID kLib = MakeGuid("{11111111-2222-3333-4444-555555555555}");
constexpr IID kDisp = MakeGuid("{11111111-2222-3333-4444-555555555556}");
constexpr IID kEvents = MakeGuid("{11111111-2222-3333-4444-555555555557}");
constexpr CLSID kClass = MakeGuid("{11111111-2222-3333-4444-555555555558}");

const typelib::Library kLibrary{
    "SampleLib",
    kLib,
    2,
    1,
    0x409,
    LIBFLAG_FCONTROL,
    "Sample library",
    "sample.hlp",
    {"stdole2.tlb"},
    {{"_DSample",
      TKIND_DISPATCH,
      kDisp,
      TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE,
      "Sample interface",
      {{1, "Run", {{"first", VT_VARIANT}, {"second", VT_BYREF | VT_BOOL}}, VT_I4},
       {-552, "AboutBox", {}, VT_EMPTY}},
      {}},
     {"_DSampleEvents", TKIND_DISPATCH, kEvents, TYPEFLAG_FHIDDEN, "Sample events", {}, {}},
     {"Sample",
      TKIND_COCLASS,
      kClass,
      TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL,
      "Sample control",
      {},
      {{kDisp, IMPLTYPEFLAG_FDEFAULT}, {kEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}}}};

std::string Take(BSTR text) {
    std::string narrow = NarrowFromBstr(text);
    SysFreeString(text);
    return narrow;
}

std::string Reg(const std::string& key, LPCSTR name = nullptr) {
    return com::GetRegString(HKEY_CLASSES_ROOT, key, name).value_or("<missing>");
}

class TypeLibRegistryTest : public RegistryTest {};

}  // namespace

TEST(TypeLibTest, DescribesTheLibraryAndItsTypes) {
    ITypeLib* lib = nullptr;
    ASSERT_EQ(CreateTypeLibFromData(kLibrary, &lib), S_OK);
    EXPECT_EQ(lib->GetTypeInfoCount(), 3u);

    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, kLib);
    EXPECT_EQ(attr->lcid, 0x409u);
    EXPECT_EQ(attr->wMajorVerNum, 2);
    EXPECT_EQ(attr->wMinorVerNum, 1);
    EXPECT_EQ(attr->wLibFlags, LIBFLAG_FCONTROL);
    lib->ReleaseTLibAttr(attr);

    BSTR name = nullptr;
    BSTR doc = nullptr;
    BSTR helpFile = nullptr;
    ASSERT_EQ(lib->GetDocumentation(-1, &name, &doc, nullptr, &helpFile), S_OK);
    EXPECT_EQ(Take(name), "SampleLib");
    EXPECT_EQ(Take(doc), "Sample library");
    EXPECT_EQ(Take(helpFile), "sample.hlp");
    EXPECT_EQ(lib->GetDocumentation(3, &name, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);

    TYPEKIND kind;
    ASSERT_EQ(lib->GetTypeInfoType(2, &kind), S_OK);
    EXPECT_EQ(kind, TKIND_COCLASS);

    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kClass, &coclass), S_OK);
    TYPEATTR* typeAttr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&typeAttr), S_OK);
    EXPECT_EQ(typeAttr->typekind, TKIND_COCLASS);
    EXPECT_EQ(typeAttr->wTypeFlags, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL);
    EXPECT_EQ(typeAttr->cImplTypes, 2);
    coclass->ReleaseTypeAttr(typeAttr);

    // The coclass's default source interface.
    INT flags = 0;
    HREFTYPE ref = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(1, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    ASSERT_EQ(coclass->GetRefTypeOfImplType(1, &ref), S_OK);
    ITypeInfo* events = nullptr;
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, &events), S_OK);
    ASSERT_EQ(events->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_EQ(Take(name), "_DSampleEvents");
    EXPECT_EQ(Take(doc), "Sample events");
    events->Release();
    EXPECT_EQ(coclass->GetImplTypeFlags(2, &flags), TYPE_E_ELEMENTNOTFOUND);
    coclass->Release();

    // The library stays alive while a type description is held.
    ITypeInfo* dispatch = nullptr;
    ASSERT_EQ(lib->GetTypeInfo(0, &dispatch), S_OK);
    EXPECT_EQ(lib->Release(), 1u);
    ITypeLib* containing = nullptr;
    UINT index = 9;
    ASSERT_EQ(dispatch->GetContainingTypeLib(&containing, &index), S_OK);
    EXPECT_EQ(index, 0u);
    containing->Release();
    dispatch->Release();
}

TEST(TypeLibTest, ResolvesMemberAndParameterNames) {
    ITypeLib* lib = nullptr;
    CreateTypeLibFromData(kLibrary, &lib);
    ITypeInfo* info = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kDisp, &info), S_OK);

    std::u16string run = u"RUN", second = u"Second", missing = u"Nope";
    LPOLESTR names[] = {run.data(), second.data()};
    MEMBERID ids[2] = {};
    ASSERT_EQ(info->GetIDsOfNames(names, 2, ids), S_OK);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], 1);  // the parameter's position
    names[0] = missing.data();
    EXPECT_EQ(info->GetIDsOfNames(names, 1, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], MEMBERID_NIL);

    BSTR found[4] = {};
    UINT count = 0;
    ASSERT_EQ(info->GetNames(1, found, 4, &count), S_OK);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(Take(found[0]), "Run");
    EXPECT_EQ(Take(found[1]), "first");
    EXPECT_EQ(Take(found[2]), "second");
    ASSERT_EQ(info->GetNames(-552, found, 4, &count), S_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(Take(found[0]), "AboutBox");
    EXPECT_EQ(info->GetNames(7, found, 4, &count), TYPE_E_ELEMENTNOTFOUND);
    info->Release();
    lib->Release();
}

TEST_F(TypeLibRegistryTest, RegistersTheLibraryAndItsDispinterfacesAndRemovesOnlyThem) {
    constexpr IID kOther = MakeGuid("{99999999-2222-3333-4444-555555555556}");
    ASSERT_TRUE(com::SetRegString(HKEY_CLASSES_ROOT,
                                  "Interface\\" + GuidToString(kOther) + "\\TypeLib", nullptr,
                                  "{99999999-2222-3333-4444-555555555555}"));
    ITypeLib* lib = nullptr;
    CreateTypeLibFromData(kLibrary, &lib);
    ASSERT_EQ(RegisterTypeLib(lib, "/opt/plugins/sample.so", nullptr), S_OK);
    const std::string version = "TypeLib\\" + GuidToString(kLib) + "\\2.1";
    EXPECT_EQ(Reg(version), "Sample library");
    EXPECT_EQ(Reg(version + "\\409\\win32"), "/opt/plugins/sample.so");
    EXPECT_EQ(Reg(version + "\\FLAGS"), "2");
    EXPECT_EQ(Reg(version + "\\HELPDIR"), "/opt/plugins");
    for (const GUID& iid : {kDisp, kEvents}) {
        const std::string key = "Interface\\" + GuidToString(iid);
        EXPECT_EQ(Reg(key + "\\TypeLib"), GuidToString(kLib));
        EXPECT_EQ(Reg(key + "\\TypeLib", "Version"), "2.1");
        EXPECT_EQ(Reg(key + "\\ProxyStubClsid32"), GuidToString(CLSID_PSDispatch));
    }
    EXPECT_EQ(Reg("Interface\\" + GuidToString(kDisp)), "_DSample");
    // A coclass is no interface.
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(kClass)));
    // Registered again with a help folder of its own.
    ASSERT_EQ(RegisterTypeLib(lib, "/opt/plugins/sample.so", "/opt/help"), S_OK);
    lib->Release();
    EXPECT_EQ(Reg(version + "\\HELPDIR"), "/opt/help");

    ASSERT_TRUE(com::SetRegString(HKEY_CLASSES_ROOT, version + "\\407\\win32", nullptr, "/x.so"));
    EXPECT_EQ(UnRegisterTypeLib(kLib, 2, 0, 0, SYS_WIN32), TYPE_E_REGISTRYACCESS);
    EXPECT_EQ(UnRegisterTypeLib(kLib, 2, 1, 0x40C, SYS_WIN32), TYPE_E_REGISTRYACCESS);
    // One locale goes; the version stays for the other.
    ASSERT_EQ(UnRegisterTypeLib(kLib, 2, 1, 0x409, SYS_WIN32), S_OK);
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, version + "\\409"));
    EXPECT_EQ(Reg(version + "\\407\\win32"), "/x.so");
    // Locale 0 takes the one left, and with it the library and its interfaces only.
    ASSERT_EQ(UnRegisterTypeLib(kLib, 2, 1, 0, SYS_WIN32), S_OK);
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, "TypeLib\\" + GuidToString(kLib)));
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(kDisp)));
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(kEvents)));
    EXPECT_TRUE(com::RegKeyExists(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(kOther)));
    EXPECT_EQ(UnRegisterTypeLib(kLib, 2, 1, 0, SYS_WIN32), TYPE_E_REGISTRYACCESS);
}
