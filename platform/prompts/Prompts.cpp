#include "platform/prompts/Prompts.h"

#include <cstdio>

int Prompts::FileDialog(const FileDialogRequest&, std::string&) { return IDCANCEL; }

BOOL Prompts::ChooseColor(CHOOSECOLOR&) { return FALSE; }

BOOL Prompts::GetWindowPlacement(HWND, WINDOWPLACEMENT*) { return FALSE; }

BOOL Prompts::SetWindowPlacement(HWND, const WINDOWPLACEMENT*) { return FALSE; }

namespace {

class StderrPrompts : public Prompts {
public:
    int MessageBox(const std::string& text, UINT) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return IDOK;
    }
};

StderrPrompts g_stderrPrompts;
Prompts* g_current = nullptr;

}  // namespace

Prompts& CurrentPrompts() { return g_current ? *g_current : g_stderrPrompts; }

bool PromptsInstalled() { return g_current != nullptr; }

Prompts* InstallPrompts(Prompts* prompts) {
    Prompts* previous = g_current;
    g_current = prompts;
    return previous;
}

int AfxMessageBox(const std::string& text, UINT type) {
    return CurrentPrompts().MessageBox(text, type);
}
