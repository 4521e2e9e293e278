#include "platform/prompts/Prompts.h"

#include <cstdio>

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

Prompts* InstallPrompts(Prompts* prompts) {
    Prompts* previous = g_current;
    g_current = prompts;
    return previous;
}

int AfxMessageBox(const std::string& text, UINT type) {
    return CurrentPrompts().MessageBox(text, type);
}
