#include "dialogs/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

TEST(DataFolder, IsTintoraBesideTheFolderOfTheModule) {
    EXPECT_EQ(DataFolderFromModulePath("/opt/Apps/Plugins/VOKSLETRASTEL.OCX"), "/opt/Apps/tintora");
    EXPECT_EQ(DataFolderFromModulePath("/Plugins/x.ocx"), "/tintora");
    // A module in the root: the second cut has no separator left and is skipped.
    EXPECT_EQ(DataFolderFromModulePath("/x.ocx"), "tintora");
}

TEST(DataFolder, ComesFromTheFileThatHoldsTheCode) {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(ModuleDataFolder(), (self.parent_path().parent_path() / "tintora").string());
}

TEST_F(ToolsDialogTest, TheDialogComputesItsDataFolderAndNeverCreatesIt) {
    ModalScript script;
    script.Then([](CDialog& d) { ui_test::Click(d, IDOK); });
    TintoraDlg dialog(&control);
    const std::string folder = ModuleDataFolder();
    EXPECT_EQ(dialog.m_strDataFolder, folder);
    ASSERT_FALSE(std::filesystem::exists(folder)) << "a data folder beside the test programs";
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace dialog_test
