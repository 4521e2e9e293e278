// The module file registered, created and called through the platform only:
// this program knows nothing of the control but its identifiers, its ProgIDs
// and its method names.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "platform/automation/ComPtr.h"
#include "platform/com/ControlInterfaces.h"
#include "platform/com/Module.h"
#include "platform/com/RegistryKeys.h"
#include "tests/module/ModuleProcess.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/StandInHost.h"

namespace {

// clang-format off
struct ControlClass { const char *clsid, *progId, *name, *bitmap, *primaryIid, *page, *pageName; };
// clang-format on
const ControlClass kControls[] = {
    {"{F8950808-4E78-4D90-8BDF-193286F143C5}", "Pellux.VOKSlet.RastelCtrl.1", "Rastel Control", "1",
     "{147FC628-B289-4252-9ADA-551EBD31BBF4}", "{607FBF69-CC03-4D2B-BDF6-AE116AD0A315}",
     "RastelCtrl Property Page"},
    {"{C824BAD4-CE45-47A2-AC17-773E8D5178C8}", "Pellux.VOKSlet.RastelEditor.1", "RastelEditor", "2",
     "{AF753F1D-4164-4F02-B1AA-519393FF69A7}", "{C3C28C39-565E-4EAC-8546-834026E615EA}",
     "RastelEditor Property Page"}};
const std::pair<const char*, const char*> kInterfaces[] = {
    {"{147FC628-B289-4252-9ADA-551EBD31BBF4}", "_DRastelCtrl"},
    {"{B27BA00C-29B9-4FF6-9866-4F51CB1F4526}", "_DRastelCtrlEvents"},
    {"{AF753F1D-4164-4F02-B1AA-519393FF69A7}", "_DRastelEditor"},
    {"{577B082B-E065-4C3B-AE44-E2DDE62A5346}", "_DRastelEditorEvents"}};
const std::string kLibId = "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}";
const std::string kLibrary = "TypeLib\\" + kLibId;

std::string Reg(const std::string& key, LPCSTR name = nullptr) {
    return com::GetRegString(HKEY_CLASSES_ROOT, key, name).value_or("<missing>");
}

bool Exists(const std::string& key) { return com::RegKeyExists(HKEY_CLASSES_ROOT, key); }

// The interface of an object, null when it has none.
template <class Interface>
ComPtr<Interface> Query(IUnknown* object, REFIID iid) {
    ComPtr<Interface> found;
    object->QueryInterface(iid, found.ReceiveVoid());
    return found;
}

void ExpectClassList(const tarsel::ClassNameList& list) {
    EXPECT_EQ(std::tuple(list.vt, list.lowerBound), std::tuple(VT_ARRAY | VT_BSTR, 0));
    EXPECT_EQ(list.names, std::vector<std::string>{"Tarsel2DObject"});
}

class EndToEndTest : public ModuleProcessTest {
protected:
    ComPtr<IDispatch> CreateControl() {
        return CreateByProgId<IDispatch>(u"Pellux.VOKSlet.RastelCtrl.1", IID_IDispatch);
    }

    CallResult OnInitialize(IDispatch* control, IDispatch* application, VARIANT_BOOL* status) {
        return CallResult(control, "OnInitialize", {DispatchArg(application), BoolOut(status)});
    }
};

}  // namespace

TEST_F(EndToEndTest,
       RegistrationWritesBothControlsAsTheyReportThemselvesTheirPagesAndTheTypeLibraryAndUndoesIt) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Pellux.VOKSlet.RastelCtrl.1", &clsid), CO_E_CLASSSTRING);
    Register();
    const std::string path = std::filesystem::canonical(m_module.file).string();
    for (const ControlClass& c : kControls) {
        SCOPED_TRACE(c.progId);
        const std::string key = std::string("CLSID\\") + c.clsid;
        EXPECT_EQ((std::tuple{Reg(key), Reg(key + "\\ProgID")}), (std::tuple{c.name, c.progId}));
        EXPECT_EQ(Reg(key + "\\InprocServer32"), path);
        EXPECT_EQ(Reg(key + "\\InprocServer32", "ThreadingModel"), "Apartment");
        EXPECT_EQ(Reg(key + "\\MiscStatus"), "0");
        EXPECT_EQ(Reg(key + "\\MiscStatus\\1"), "131217");
        EXPECT_EQ(Reg(key + "\\ToolboxBitmap32"), path + ", " + c.bitmap);
        EXPECT_EQ(Reg(key + "\\TypeLib"), kLibId);
        EXPECT_EQ(Reg(key + "\\Version"), "1.0");
        EXPECT_TRUE(Exists(key + "\\Control"));
        EXPECT_FALSE(Exists(key + "\\Insertable"));
        EXPECT_EQ(Reg(c.progId), c.name);
        EXPECT_EQ(Reg(std::string(c.progId) + "\\CLSID"), c.clsid);
        EXPECT_EQ(ProgIDFromCLSID(*GuidFromString(c.clsid)), c.progId);
        const std::string page = std::string("CLSID\\") + c.page;
        EXPECT_EQ(Reg(page), c.pageName);
        EXPECT_EQ(Reg(page + "\\InprocServer32"), path);
        // The pages' ProgIDs stay in their class objects.
        EXPECT_FALSE(Exists(page + "\\ProgID"));

        // The object made from it reports the same identity, and its one page
        // (shown, titled General, by the Properties verb: EndToEndToolRunTest).
        auto object = CreateByProgId<IOleObject>(WideFromNarrow(c.progId).c_str(), IID_IOleObject);
        ASSERT_TRUE(object);
        LPOLESTR name = nullptr;
        ASSERT_EQ(object->GetUserType(USERCLASSTYPE_FULL, &name), S_OK);
        EXPECT_EQ(NarrowFromWide(name), c.name);
        CoTaskMemFree(name);
        DWORD misc = 0;
        object->GetMiscStatus(DVASPECT_CONTENT, &misc);
        EXPECT_EQ(misc, 0x20091u);
        CLSID reported{};
        Query<IPersist>(object.Get(), IID_IPersist)->GetClassID(&reported);
        EXPECT_EQ(GuidToString(reported), c.clsid);
        const auto dispatch = Query<IUnknown>(object.Get(), IID_IDispatch);
        EXPECT_EQ(Query<IUnknown>(object.Get(), *GuidFromString(c.primaryIid)).Get(),
                  dispatch.Get());
        EXPECT_FALSE(Query<IUnknown>(object.Get(), IID_IPropertyPage));
        CAUUID pages{};
        Query<ISpecifyPropertyPages>(object.Get(), IID_ISpecifyPropertyPages)->GetPages(&pages);
        ASSERT_EQ(pages.cElems, 1u);
        EXPECT_EQ(GuidToString(pages.pElems[0]), c.page);
        CoTaskMemFree(pages.pElems);
    }

    EXPECT_EQ(Reg(kLibrary + "\\1.0"), "VOKSLetRastel ActiveX Control module");
    EXPECT_EQ(Reg(kLibrary + "\\1.0\\409\\win32"), path);
    EXPECT_EQ(Reg(kLibrary + "\\1.0\\FLAGS"), "2");
    for (const auto& [iid, name] : kInterfaces) {
        EXPECT_EQ(Reg(std::string("Interface\\") + iid), name);
        EXPECT_EQ(Reg(std::string("Interface\\") + iid + "\\TypeLib"), kLibId);
    }

    // Unregistered, nothing is left behind.
    const ProgramRun run = Regsvr("-u " + Quoted(m_module.file));
    ASSERT_EQ(run.status, 0) << run.output;
    for (const ControlClass& c : kControls) {
        SCOPED_TRACE(c.progId);
        EXPECT_FALSE(Exists(c.progId));
        EXPECT_FALSE(Exists(std::string("CLSID\\") + c.clsid));
        EXPECT_FALSE(Exists(std::string("CLSID\\") + c.page));
    }
    for (const auto& [iid, name] : kInterfaces)
        EXPECT_FALSE(Exists(std::string("Interface\\") + iid));
    EXPECT_FALSE(Exists(kLibrary));
    EXPECT_EQ(Regsvr("--dump").output, "");
    EXPECT_EQ(CLSIDFromProgID(u"Pellux.VOKSlet.RastelCtrl.1", &clsid), CO_E_CLASSSTRING);

    // Nothing left to unregister: the type library's error code.
    const ProgramRun again = Regsvr("-u " + Quoted(m_module.file));
    EXPECT_EQ(std::tuple(again.status, again.output), std::tuple(1, "0x80040200\n"));
}

TEST_F(EndToEndTest,
       RegistrationsTakeTurnsLongNamesAreDumpedAndAStoreThatCannotBeReadIsNeverWritten) {
    Register();
    const std::string registered = Regsvr("--dump").output;
    // Four loops at once, each registering and unregistering twice: every
    // registration succeeds, and the store is never left half registered.
    const std::string regsvr = Quoted(kRegsvr) + " ";
    const ProgramRun atOnce = RunProgram(
        "pids=; for i in 1 2 3 4; do (for j in 1 2; do " + regsvr + Quoted(m_module.file) +
        " >/dev/null || echo failed; " + regsvr + "-u " + Quoted(m_module.file) +
        " >/dev/null; done) & pids=\"$pids $!\"; done; for p in $pids; do wait $p; done");
    EXPECT_EQ(atOnce.output, "");
    const std::string dump = Regsvr("--dump").output;
    EXPECT_TRUE(dump.empty() || dump == registered) << dump;
    // A name far longer than a key's is dumped whole, and the dump goes on after it.
    const std::string longName(1024, 'n');
    ASSERT_TRUE(com::SetRegString(HKEY_CURRENT_USER, "Long", longName.c_str(), "x"));
    ASSERT_TRUE(com::SetRegString(HKEY_CURRENT_USER, "Long\\Later", nullptr, "y"));
    EXPECT_NE(Regsvr("--dump").output.find("HKEY_CURRENT_USER\\Long\t" + longName +
                                           "\tx\nHKEY_CURRENT_USER\\Long\\Later\t@\ty\n"),
              std::string::npos);

    const std::filesystem::path store = m_registry.folder.Path() / "HKEY_CLASSES_ROOT.reg";
    std::ofstream(store) << "not a store\n";
    EXPECT_EQ(Regsvr("--dump").status, 1);
    EXPECT_EQ(Regsvr(Quoted(m_module.file)).status, 1);
    EXPECT_EQ(ReadFileText(store), "not a store\n");
}

TEST_F(EndToEndTest, RegsvrReportsWhatItCannotDo) {
    // clang-format off
    const struct { std::string arguments; int status; std::string output; } cases[] = {
        {Quoted(m_folder.File("NOTHERE.OCX")), 1, "0x8007007E\n"}, {"", 2, ""}, {"-u", 2, ""},
        {"-x a b", 2, ""}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProgramRun run = Regsvr(c.arguments + " 2>/dev/null");
        EXPECT_EQ(std::tuple(run.status, run.output), std::tuple(c.status, c.output));
    }
    // A registry that cannot be written fails with the type library's code.
    const std::string blocker = m_folder.File("blocker");
    ASSERT_EQ(RunProgram("touch " + Quoted(blocker)).status, 0);
    setenv("TARSEL_REGISTRY", (blocker + "/registry").c_str(), 1);
    const ProgramRun run = Regsvr(Quoted(m_module.file));
    EXPECT_EQ(std::tuple(run.status, run.output), std::tuple(1, "0x80040200\n"));
}

TEST_F(EndToEndTest, OnInitializeRegistersWithTheHostAndKeepsOneReferenceToTheLatestApplication) {
    Register();
    ComPtr<IDispatch> control = CreateControl();
    ASSERT_TRUE(control);
    EXPECT_EQ(LoadedServerCount(), 1u);
    StandInHost host;
    tarsel::TarselApplication* first = host.application.Get();
    const ULONG firstRefs = first->RefCount();

    VARIANT_BOOL status = VARIANT_FALSE;
    {
        const CallResult result = OnInitialize(control.Get(), first, &status);
        ASSERT_EQ(result.hr, S_OK);
        EXPECT_EQ(std::tuple(result.value.vt, result.value.lVal), std::tuple(VT_I4, 0));
    }
    EXPECT_EQ(status, VARIANT_TRUE);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Application.RegisterMenuItem",
                                                    "Application.RegisterObjectProperty",
                                                    "Application.RegisterObjectPropertyEditor"}));
    ASSERT_EQ(first->MenuItems().size(), 1u);
    const auto& menu = first->MenuItems()[0];
    EXPECT_EQ(std::tie(menu.pluginName, menu.menuPath, menu.methodName),
              std::make_tuple("Tintora", "Tools|", "Tintora"));
    ASSERT_EQ(first->Properties().size(), 1u);
    const auto& property = first->Properties()[0];
    EXPECT_EQ(std::tie(property.pluginName, property.propertyName, property.flags, property.text1,
                       property.text2),
              std::make_tuple("Tintora", "Empty", 0, "", ""));
    ExpectClassList(property.classes);
    ASSERT_EQ(first->Editors().size(), 1u);
    const auto& editor = first->Editors()[0];
    EXPECT_EQ(std::tie(editor.pluginName, editor.progId),
              std::make_tuple("Tintora", "Pellux.VOKSlet.RastelCtrl.1"));
    ExpectClassList(editor.classes);
    EXPECT_EQ(first->RefCount(), firstRefs + 1);

    // Again: registered twice, still one reference; then another application takes its place.
    OnInitialize(control.Get(), first, &status);
    EXPECT_EQ(
        std::tuple(first->MenuItems().size(), first->Properties().size(), first->Editors().size()),
        std::tuple(2u, 2u, 2u));
    EXPECT_EQ(first->RefCount(), firstRefs + 1);
    const auto second =
        ComPtr<tarsel::TarselApplication>::Adopt(tarsel::TarselApplication::Create());
    OnInitialize(control.Get(), second.Get(), &status);
    EXPECT_EQ((std::tuple{first->RefCount(), second->RefCount()}), (std::tuple{firstRefs, 2u}));
    // The control keeps the application until it goes.
    control.Reset();
    EXPECT_EQ(second->RefCount(), 1u);
}

TEST_F(EndToEndTest, TheEntryPointsAnswerTrulyAndMissingServersFailWithTheirCodes) {
    Register();
    HMODULE module = LoadLibrary(m_module.file.c_str());
    ASSERT_NE(module, nullptr);
    auto canUnloadNow =
        reinterpret_cast<DllCanUnloadNowFunction>(GetProcAddress(module, "DllCanUnloadNow"));
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFunction>(GetProcAddress(module, "DllGetClassObject"));
    const CLSID clsid = *GuidFromString(kControls[0].clsid);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(*GuidFromString(kLibId), IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(getClassObject(clsid, IID_IDispatch, &object), E_NOINTERFACE);

    ComPtr<IDispatch> control = CreateControl();
    ASSERT_TRUE(control);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 1u);
    control.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    // A class object holds the module, and so does a lock after it has gone.
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.ReceiveVoid()),
              S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                     factory.ReceiveVoid());
    factory->LockServer(FALSE);
    void* aggregated = nullptr;
    EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, &aggregated),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(aggregated, nullptr);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 0u);
    FreeLibrary(module);

    // No class; a module file that is gone; a library that is no server; a context not served.
    constexpr CLSID kUnknown = MakeGuid("{01234567-89AB-CDEF-0123-456789ABCDEF}");
    const std::string server = "CLSID\\" + GuidToString(kUnknown) + "\\InprocServer32";
    // clang-format off
    const struct { std::string file; CLSID clsid; DWORD context; HRESULT hr; } cases[] = {
        {"", kUnknown, CLSCTX_INPROC_SERVER, REGDB_E_CLASSNOTREG},
        {m_folder.File("gone.so"), kUnknown, CLSCTX_INPROC_SERVER, HRESULT_ERROR_MOD_NOT_FOUND},
        {"libm.so.6", kUnknown, CLSCTX_INPROC_SERVER, CO_E_ERRORINDLL},
        {"", clsid, 0x4, REGDB_E_CLASSNOTREG}};
    // clang-format on
    for (const auto& c : cases) {
        if (!c.file.empty()) {
            ASSERT_TRUE(com::SetRegString(HKEY_CLASSES_ROOT, server, nullptr, c.file));
        }
        EXPECT_EQ(CoCreateInstance(c.clsid, nullptr, c.context, IID_IDispatch, &object), c.hr);
        EXPECT_EQ(object, nullptr);
    }
}
