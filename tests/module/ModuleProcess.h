#pragma once
// End-to-end tests see the module only as a host does: a file registered in
// a registry of the test's own, created through the class registry. The file
// is a copy of the built module in the test's folder, so its data folder is
// the test's own too.

#include <gtest/gtest.h>

#include <string>

#include "platform/automation/ComPtr.h"
#include "platform/com/ClassObjects.h"
#include "tests/support/ModuleCopy.h"
#include "tests/support/OwnRegistry.h"
#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

inline const std::string kRegsvr = TINTORA_REGSVR;

inline std::string Quoted(const std::string& text) { return "'" + text + "'"; }

class ModuleProcessTest : public ::testing::Test {
protected:
    void TearDown() override { CoFreeUnusedLibraries(); }

    ProgramRun Regsvr(const std::string& arguments) {
        return RunProgram(Quoted(kRegsvr) + " " + arguments);
    }
    void Register() {
        const ProgramRun run = Regsvr(Quoted(m_module.file));
        ASSERT_EQ(run.status, 0) << run.output;
    }

    template <class Interface>
    ComPtr<Interface> CreateByProgId(const char16_t* progId, REFIID iid) {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
        ComPtr<Interface> object;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object.ReceiveVoid()),
                  S_OK);
        return object;
    }

    OwnRegistry m_registry;
    TempDir m_folder;
    const ModuleCopy m_module = InstallModuleCopy(m_folder.Path(), TINTORA_MODULE_FILE);
};
