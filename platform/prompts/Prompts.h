#pragma once
// Everything that would stop and ask the operator goes through one interface:
// the plug-in's dialogs install a windowed implementation, the command line one
// that writes to stderr, and tests a scripted one that records what would have
// been shown. Beside message boxes it carries the common file and colour
// dialogs, the wait cursor and window placement, so that tests can script them.

#include <string>

#include "platform/prompts/CommonDialogs.h"
#include "platform/prompts/ScopedInstall.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a message box and returns the button pressed (IDOK for an OK box).
    virtual int MessageBox(const std::string& text, UINT type) = 0;

    // The open or save-as dialog: IDOK with the full path chosen, or IDCANCEL.
    // Without a window system the operator cannot be asked, so it is cancelled.
    virtual int FileDialog(const FileDialogRequest& request, std::string& pathName);
    // The colour dialog: TRUE when the operator chose a colour.
    virtual BOOL ChooseColor(CHOOSECOLOR& choice);
    // The wait cursor; calls nest.
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
    // Show state and normal position of a top-level window.
    virtual BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
    virtual BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
};

// The implementation in force; never null (a stderr one until another is installed).
Prompts& CurrentPrompts();
// Installs an implementation and returns the previous one; null restores the default.
Prompts* InstallPrompts(Prompts* prompts);
// Whether an implementation other than the default is in force.
bool PromptsInstalled();

// The framework's message box with the application's caption.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

using ScopedPrompts = ScopedInstall<Prompts*, InstallPrompts>;
