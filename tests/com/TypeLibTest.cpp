#include <gtest/gtest.h>

#include "platform/automation/ComPtr.h"
#include "platform/com/RegistryKeys.h"
#include "platform/com/TypeLib.h"
#include "tests/support/OwnRegistry.h"

namespace {

constexpr GUID kLib = MakeGuid("{11111111-2222-3333-4444-555555555555}");
constexpr IID kDisp = MakeGuid("{11111111-2222-3333-4444-555555555556}");
constexpr IID kEvents = MakeGuid("{11111111-2222-3333-4444-555555555557}");
constexpr CLSID kClass = MakeGuid("{11111111-2222-3333-4444-555555555558}");

// clang-format off
const typelib::Library kLibrary{
    "SampleLib", kLib, 2, 1, 0x409, LIBFLAG_FCONTROL, "Sample library", "sample.hlp",
    {"stdole2.tlb"},
    {{"_DSample", TKIND_DISPATCH, kDisp, TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE,
      "Sample interface",
      {{1, "Run", {{"first", VT_VARIANT}, {"second", VT_BYREF | VT_BOOL}}, VT_I4},
       {-552, "AboutBox", {}, VT_EMPTY}},
      {}},
     {"_DSampleEvents", TKIND_DISPATCH, kEvents, TYPEFLAG_FHIDDEN, "Sample events", {}, {}},
     {"Sample", TKIND_COCLASS, kClass, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, "Sample control",
      {},
      {{kDisp, IMPLTYPEFLAG_FDEFAULT}, {kEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}}}};
// clang-format on

std::string Reg(const std::string& key, LPCSTR name = nullptr) {
    return com::GetRegString(HKEY_CLASSES_ROOT, key, name).value_or("<missing>");
}

ComPtr<ITypeLib> SampleLibrary() {
    ComPtr<ITypeLib> lib;
    EXPECT_EQ(CreateTypeLibFromData(kLibrary, lib.Receive()), S_OK);
    return lib;
}

}  // namespace

TEST(TypeLibTest, DescribesTheLibraryAndItsTypesAndLivesWhileATypeIsHeld) {
    ComPtr<ITypeLib> lib = SampleLibrary();
    EXPECT_EQ(lib->GetTypeInfoCount(), 3u);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(std::tuple(attr->guid, attr->lcid, attr->wMajorVerNum, attr->wMinorVerNum),
              std::tuple(kLib, 0x409u, 2, 1));
    lib->ReleaseTLibAttr(attr);
    ScopedBstr name, doc, helpFile;
    ASSERT_EQ(lib->GetDocumentation(-1, name.Receive(), doc.Receive(), nullptr, helpFile.Receive()),
              S_OK);
    EXPECT_EQ(std::tuple(name.Narrow(), doc.Narrow(), helpFile.Narrow()),
              std::tuple("SampleLib", "Sample library", "sample.hlp"));
    EXPECT_EQ(lib->GetDocumentation(3, name.Receive(), nullptr, nullptr, nullptr),
              TYPE_E_ELEMENTNOTFOUND);

    // The coclass's default source interface.
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kClass, coclass.Receive()), S_OK);
    INT flags = 0;
    HREFTYPE ref = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(1, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    ASSERT_EQ(coclass->GetRefTypeOfImplType(1, &ref), S_OK);
    ComPtr<ITypeInfo> events;
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, events.Receive()), S_OK);
    ASSERT_EQ(events->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(name.Narrow(), "_DSampleEvents");
    EXPECT_EQ(coclass->GetImplTypeFlags(2, &flags), TYPE_E_ELEMENTNOTFOUND);

    ComPtr<ITypeInfo> dispatch;
    ASSERT_EQ(lib->GetTypeInfo(0, dispatch.Receive()), S_OK);
    lib.Reset();
    ComPtr<ITypeLib> containing;
    UINT index = 9;
    ASSERT_EQ(dispatch->GetContainingTypeLib(containing.Receive(), &index), S_OK);
    EXPECT_EQ((std::tuple{index, containing->GetTypeInfoCount()}), (std::tuple{0u, 3u}));
}

TEST(TypeLibRegistryTest, RegistersTheLibraryAndItsDispinterfacesAndRemovesOnlyThem) {
    OwnRegistry registry;
    constexpr IID kOther = MakeGuid("{99999999-2222-3333-4444-555555555556}");
    ASSERT_TRUE(com::SetRegString(HKEY_CLASSES_ROOT,
                                  "Interface\\" + GuidToString(kOther) + "\\TypeLib", nullptr,
                                  "{99999999-2222-3333-4444-555555555555}"));
    ComPtr<ITypeLib> lib = SampleLibrary();
    ASSERT_EQ(RegisterTypeLib(lib.Get(), "/opt/plugins/sample.so", nullptr), S_OK);
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
    ASSERT_EQ(RegisterTypeLib(lib.Get(), "/opt/plugins/sample.so", "/opt/help"), S_OK);
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
