// Entry point of tests that build widgets: a QApplication on the offscreen
// platform, and guards that fail a test which shows a message box or opens a
// dialog it did not script.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/prompts/Prompts.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/ModalDriver.h"

namespace {

class UnscriptedPrompts : public Prompts {
public:
    int MessageBox(const std::string& text, UINT) override {
        ADD_FAILURE() << "unexpected message box: " << text;
        return IDOK;
    }
    int FileDialog(const FileDialogRequest&, std::string&) override {
        ADD_FAILURE() << "unexpected file dialog";
        return IDCANCEL;
    }
    BOOL ChooseColor(CHOOSECOLOR&) override {
        ADD_FAILURE() << "unexpected colour dialog";
        return FALSE;
    }
};

class UnscriptedModal : public ModalDriver {
public:
    void RunModal(CDialog& dialog) override {
        ADD_FAILURE() << "dialog " << dialog.Template().id << " opened without a script";
        dialog.EndDialog(IDCANCEL);
    }
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    UnscriptedPrompts prompts;
    UnscriptedModal modal;
    ScopedPrompts scriptedPrompts(&prompts);
    ScopedModalDriver scriptedModal(&modal);
    return RUN_ALL_TESTS();
}
