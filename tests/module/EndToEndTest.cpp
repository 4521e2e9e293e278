// The module file registered, created and called through the platform only:
// this program knows nothing of the control but its ProgID and its method names.

#include <climits>
#include <cstdlib>

#include "platform/automation/Bstr.h"
#include "platform/com/ControlInterfaces.h"
#include "platform/com/Module.h"
#include "platform/com/RegistryKeys.h"
#include "platform/com/VersionInfo.h"
#include "platform/tarsel/TarselApplication.h"
#include "tests/module/DispatchCalls.h"
#include "tests/module/ModuleProcess.h"

namespace {

const char* const kClasses[] = {
    "{F8950808-4E78-4D90-8BDF-193286F143C5}",
    "{607FBF69-CC03-4D2B-BDF6-AE116AD0A315}",
    "{C824BAD4-CE45-47A2-AC17-773E8D5178C8}",
    "{C3C28C39-565E-4EAC-8546-834026E615EA}",
};
const char* const kInterfaces[] = {
    "{147FC628-B289-4252-9ADA-551EBD31BBF4}",
    "{B27BA00C-29B9-4FF6-9866-4F51CB1F4526}",
    "{AF753F1D-4164-4F02-B1AA-519393FF69A7}",
    "{577B082B-E065-4C3B-AE44-E2DDE62A5346}",
};
const std::string kLibrary = "TypeLib\\{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}";

std::string Reg(const std::string& key, LPCSTR name = nullptr) {
    return com::GetRegString(HKEY_CLASSES_ROOT, key, name).value_or("<missing>");
}

bool Exists(const std::string& key) {
    return com::RegKeyExists(HKEY_CLASSES_ROOT, key);
}

std::string ModulePath() {
    char path[PATH_MAX];
    return realpath(kModuleFile.c_str(), path) ? path : "";
}

std::string Version(const std::vector<char>& block, const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\040904b0\\" + name;
    return VerQueryValue(block.data(), path.c_str(), &value, &length) ? static_cast<char*>(value)
                                                                      : "<none>";
}

class EndToEndTest : public ModuleProcessTest {
protected:
    IDispatch* CreateControl() {
        return CreateByProgId<IDispatch>(u"Pellux.VOKSlet.RastelCtrl.1", IID_IDispatch);
    }

    CallResult OnInitialize(IDispatch* control, IDispatch* application, VARIANT_BOOL* status) {
        CallResult result;
        InvokeMethod(control, DispIdOf(control, "OnInitialize"),
                     {DispatchArg(application), BoolOut(status)}, result);
        return result;
    }
};

void ExpectClassList(const tarsel::ClassNameList& list) {
    EXPECT_EQ(list.vt, VT_ARRAY | VT_BSTR);
    EXPECT_EQ(list.lowerBound, 0);
    EXPECT_EQ(list.names, std::vector<std::string>{"Tarsel2DObject"});
}

}  // namespace

TEST_F(EndToEndTest, RegistrationWritesBothControlsBothPagesAndTheTypeLibrary) {
    Register();
    const std::string path = ModulePath();
    struct Control {
        const char* clsid;
        const char* progId;
        const char* name;
        const char* bitmap;
    };
    for (const Control& c :
         {Control{kClasses[0], "Pellux.VOKSlet.RastelCtrl.1", "Rastel Control", "1"},
          Control{kClasses[2], "Pellux.VOKSlet.RastelEditor.1", "RastelEditor", "2"}}) {
        const std::string key = std::string("CLSID\\") + c.clsid;
        EXPECT_EQ(Reg(key), c.name);
        EXPECT_EQ(Reg(key + "\\ProgID"), c.progId);
        EXPECT_EQ(Reg(key + "\\InprocServer32"), path);
        EXPECT_EQ(Reg(key + "\\InprocServer32", "ThreadingModel"), "Apartment");
        EXPECT_EQ(Reg(key + "\\MiscStatus\\1"), "131217");
        EXPECT_EQ(Reg(key + "\\ToolboxBitmap32"), path + ", " + c.bitmap);
        EXPECT_EQ(Reg(key + "\\TypeLib"), "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}");
        EXPECT_EQ(Reg(key + "\\Version"), "1.0");
        EXPECT_TRUE(Exists(key + "\\Control"));
        EXPECT_EQ(Reg(std::string(c.progId) + "\\CLSID"), c.clsid);
    }
    EXPECT_EQ(Reg(std::string("CLSID\\") + kClasses[1]), "RastelCtrl Property Page");
    EXPECT_EQ(Reg(std::string("CLSID\\") + kClasses[3]), "RastelEditor Property Page");
    EXPECT_EQ(Reg(std::string("CLSID\\") + kClasses[3] + "\\InprocServer32"), path);
    // The pages' ProgIDs stay in their class objects.
    EXPECT_FALSE(Exists(std::string("CLSID\\") + kClasses[1] + "\\ProgID"));
    EXPECT_FALSE(Exists("Pellux.VOKSlet.RastelCtrlPropPage.1"));
    EXPECT_FALSE(Exists("Pellux.VOKSlet.RastelEditorPropPge.1"));

    EXPECT_EQ(Reg(kLibrary + "\\1.0"), "VOKSLetRastel ActiveX Control module");
    EXPECT_EQ(Reg(kLibrary + "\\1.0\\409\\win32"), path);
    EXPECT_EQ(Reg(kLibrary + "\\1.0\\FLAGS"), "2");
    for (const char* iid : kInterfaces) {
        EXPECT_EQ(Reg(std::string("Interface\\") + iid + "\\TypeLib"),
                  "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}");
    }

    const ProgramRun dump = Regsvr("--dump");
    EXPECT_EQ(dump.status, 0);
    EXPECT_NE(dump.output.find("HKEY_CLASSES_ROOT\\Pellux.VOKSlet.RastelCtrl.1\\CLSID\t@\t"
                               "{F8950808-4E78-4D90-8BDF-193286F143C5}\n"),
              std::string::npos)
        << dump.output;
    EXPECT_NE(dump.output.find("HKEY_CLASSES_ROOT\\CLSID\\{F8950808-4E78-4D90-8BDF-193286F143C5}"
                               "\\InprocServer32\tThreadingModel\tApartment\n"),
              std::string::npos);
}

TEST_F(EndToEndTest, UnregisteringLeavesNothingBehind) {
    Register();
    const ProgramRun run = Regsvr("-u " + Quoted(kModuleFile));
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* clsid : kClasses)
        EXPECT_FALSE(Exists(std::string("CLSID\\") + clsid)) << clsid;
    for (const char* iid : kInterfaces)
        EXPECT_FALSE(Exists(std::string("Interface\\") + iid)) << iid;
    EXPECT_FALSE(Exists("Pellux.VOKSlet.RastelCtrl.1"));
    EXPECT_FALSE(Exists("Pellux.VOKSlet.RastelEditor.1"));
    EXPECT_FALSE(Exists(kLibrary));
    EXPECT_EQ(Regsvr("--dump").output, "");

    // Nothing left to unregister: the type library's error code.
    const ProgramRun again = Regsvr("-u " + Quoted(kModuleFile));
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.output, "0x80040200\n");
}

TEST_F(EndToEndTest, RegsvrReportsWhatItCannotDo) {
    const ProgramRun missing = Regsvr(Quoted(m_folder.File("NOTHERE.OCX")) + " 2>/dev/null");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "0x8007007E\n");
    EXPECT_EQ(Regsvr("2>/dev/null").status, 2);
    EXPECT_EQ(Regsvr("-u 2>/dev/null").status, 2);
    EXPECT_EQ(Regsvr("-x a b 2>/dev/null").status, 2);
}

TEST_F(EndToEndTest, ARegistryThatCannotBeWrittenFailsWithTheTypeLibraryCode) {
    const std::string blocker = m_folder.File("blocker");
    ASSERT_EQ(RunProgram("touch " + Quoted(blocker)).status, 0);
    setenv("TARSEL_REGISTRY", (blocker + "/registry").c_str(), 1);
    const ProgramRun run = Regsvr(Quoted(kModuleFile));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "0x80040200\n");
}

TEST_F(EndToEndTest, NothingCanBeCreatedBeforeRegistration) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Pellux.VOKSlet.RastelCtrl.1", &clsid), CO_E_CLASSSTRING);
}

TEST_F(EndToEndTest, AControlCreatedByProgIdRegistersItselfWithTheHost) {
    Register();
    IDispatch* control = CreateControl();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(LoadedServerCount(), 1u);
    tarsel::TarselApplication* application = tarsel::TarselApplication::Create();

    VARIANT_BOOL status = VARIANT_FALSE;
    CallResult result = OnInitialize(control, application, &status);
    ASSERT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.value.vt, VT_I4);
    EXPECT_EQ(result.value.lVal, 0);
    EXPECT_EQ(status, VARIANT_TRUE);

    ASSERT_EQ(application->MenuItems().size(), 1u);
    EXPECT_EQ(application->MenuItems()[0].pluginName, "Tintora");
    EXPECT_EQ(application->MenuItems()[0].menuPath, "Tools|");
    EXPECT_EQ(application->MenuItems()[0].methodName, "Tintora");
    ASSERT_EQ(application->Properties().size(), 1u);
    const auto& property = application->Properties()[0];
    EXPECT_EQ(property.pluginName, "Tintora");
    EXPECT_EQ(property.propertyName, "Empty");
    EXPECT_EQ(property.flags, 0);
    EXPECT_EQ(property.text1, "");
    ExpectClassList(property.classes);
    EXPECT_EQ(property.text2, "");
    ASSERT_EQ(application->Editors().size(), 1u);
    EXPECT_EQ(application->Editors()[0].pluginName, "Tintora");
    EXPECT_EQ(application->Editors()[0].progId, "Pellux.VOKSlet.RastelCtrl.1");
    ExpectClassList(application->Editors()[0].classes);

    // The control keeps the application until it goes.
    EXPECT_EQ(application->RefCount(), 2u);
    EXPECT_EQ(control->Release(), 0u);
    EXPECT_EQ(application->RefCount(), 1u);
    application->Release();
}

TEST_F(EndToEndTest, OnInitializeTwiceKeepsOneReferenceToTheLatestApplication) {
    Register();
    IDispatch* control = CreateControl();
    ASSERT_NE(control, nullptr);
    tarsel::TarselApplication* first = tarsel::TarselApplication::Create();
    tarsel::TarselApplication* second = tarsel::TarselApplication::Create();
    VARIANT_BOOL status = VARIANT_FALSE;
    OnInitialize(control, first, &status);
    OnInitialize(control, first, &status);
    EXPECT_EQ(first->RefCount(), 2u);
    EXPECT_EQ(first->MenuItems().size(), 2u);
    OnInitialize(control, second, &status);
    EXPECT_EQ(first->RefCount(), 1u);
    EXPECT_EQ(second->RefCount(), 2u);
    control->Release();
    EXPECT_EQ(second->RefCount(), 1u);
    first->Release();
    second->Release();
}

TEST_F(EndToEndTest, TheControlsReportTheirIdentityAcrossTheModuleBoundary) {
    Register();
    struct Expected {
        const char16_t* progId;
        const char* userType;
        const char* page;
    };
    for (const Expected& e :
         {Expected{u"Pellux.VOKSlet.RastelCtrl.1", "Rastel Control", kClasses[1]},
          Expected{u"Pellux.VOKSlet.RastelEditor.1", "RastelEditor", kClasses[3]}}) {
        IOleObject* object = CreateByProgId<IOleObject>(e.progId, IID_IOleObject);
        ASSERT_NE(object, nullptr);
        LPOLESTR name = nullptr;
        ASSERT_EQ(object->GetUserType(USERCLASSTYPE_FULL, &name), S_OK);
        EXPECT_EQ(NarrowFromWide(name), e.userType);
        CoTaskMemFree(name);
        DWORD misc = 0;
        object->GetMiscStatus(DVASPECT_CONTENT, &misc);
        EXPECT_EQ(misc, 0x20091u);
        ISpecifyPropertyPages* specify = nullptr;
        ASSERT_EQ(
            object->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify)),
            S_OK);
        CAUUID pages{};
        specify->GetPages(&pages);
        ASSERT_EQ(pages.cElems, 1u);
        EXPECT_EQ(GuidToString(pages.pElems[0]), e.page);
        CoTaskMemFree(pages.pElems);
        specify->Release();
        EXPECT_EQ(object->Release(), 0u);
    }
}

TEST_F(EndToEndTest, TheEditorAnswersNoMethods) {
    Register();
    IDispatch* editor = CreateByProgId<IDispatch>(u"Pellux.VOKSlet.RastelEditor.1", IID_IDispatch);
    ASSERT_NE(editor, nullptr);
    for (const char* name : {"AboutBox", "OnInitialize", "Tintora", "Execute"}) {
        EXPECT_EQ(DispIdOf(editor, name), DISPID_UNKNOWN) << name;
    }
    CallResult result;
    InvokeMethod(editor, DISPID_ABOUTBOX, {}, result);
    EXPECT_TRUE(FAILED(result.hr));
    editor->Release();
}

TEST_F(EndToEndTest, BothPagesCanBeCreatedAndAreTitledGeneral) {
    Register();
    for (const char* clsidText : {kClasses[1], kClasses[3]}) {
        const CLSID clsid = *GuidFromString(clsidText);
        IPropertyPage* page = nullptr;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                   reinterpret_cast<void**>(&page)),
                  S_OK);
        PROPPAGEINFO info{};
        ASSERT_EQ(page->GetPageInfo(&info), S_OK);
        EXPECT_EQ(NarrowFromWide(info.pszTitle), "General");
        CoTaskMemFree(info.pszTitle);
        EXPECT_EQ(page->Release(), 0u);
    }
}

TEST_F(EndToEndTest, DllCanUnloadNowAnswersTruly) {
    Register();
    HMODULE module = LoadLibrary(kModuleFile.c_str());
    ASSERT_NE(module, nullptr);
    auto canUnloadNow =
        reinterpret_cast<DllCanUnloadNowFunction>(GetProcAddress(module, "DllCanUnloadNow"));
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);

    IDispatch* control = CreateControl();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 1u);
    control->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);

    IClassFactory* factory = nullptr;
    const CLSID clsid = *GuidFromString(kClasses[0]);
    ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(TRUE);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(&factory));
    factory->LockServer(FALSE);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 0u);
    FreeLibrary(module);
}

TEST_F(EndToEndTest, TheModuleFileCarriesItsVersionInformation) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSize(kModuleFile.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfo(kModuleFile.c_str(), handle, size, block.data()));
    EXPECT_EQ(Version(block, "CompanyName"), "Pellux");
    EXPECT_EQ(Version(block, "FileDescription"), "Pellux Tintora");
    EXPECT_EQ(Version(block, "FileVersion"), "8, 0, 0, 2");
    EXPECT_EQ(Version(block, "InternalName"), "Tintora");
    EXPECT_EQ(Version(block, "OriginalFilename"), "Tintora");
    EXPECT_EQ(Version(block, "ProductName"), "Pellux Tintora");
    EXPECT_EQ(Version(block, "ProductVersion"), "8, 0, 0, 2");
    EXPECT_EQ(Version(block, "SpecialBuild"), "for Tarsel v8.0 RU2 and later");
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValue(block.data(), "\\", &value, &length));
    const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00080000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00080000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwFileFlags, VS_FF_SPECIALBUILD);
    EXPECT_EQ(fixed->dwFileOS, VOS__WINDOWS32);
    EXPECT_EQ(fixed->dwFileType, VFT_DLL);
}
