#pragma once
// The operator asked in real windows: message boxes, the file and colour
// dialogs, the wait cursor and window placement on Qt.

#include <string>

#include "platform/prompts/Prompts.h"

class WindowedPrompts : public Prompts {
public:
    // Message boxes carry the application's name as their caption.
    WindowedPrompts();

    int MessageBox(const std::string& text, UINT type) override;
    int FileDialog(const FileDialogRequest& request, std::string& pathName) override;
    BOOL ChooseColor(CHOOSECOLOR& choice) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) override;
    BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) override;
};

// The platform's filter text as Qt name filters ("TGA Files (*.tga)").
std::string QtNameFilters(const std::string& filter);
