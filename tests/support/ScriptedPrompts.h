#pragma once
// Recording prompts that also answer the file and colour dialogs from a script
// and remember the wait cursor and window placements asked for. A dialog asked
// without a scripted answer fails the test and is cancelled.

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/RecordingPrompts.h"

class ScriptedPrompts : public RecordingPrompts {
public:
    struct ColorAnswer {
        bool ok = true;
        COLORREF color = 0;
        // Custom colours the operator changed, by index.
        std::map<int, COLORREF> custom;
    };
    struct ColorRequest {
        COLORREF initial = 0;
        DWORD flags = 0;
        HWND owner = nullptr;
        std::array<COLORREF, kCustomColorCount> custom{};
    };

    int FileDialog(const FileDialogRequest& request, std::string& pathName) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            ADD_FAILURE() << "file dialog without a scripted answer";
            return IDCANCEL;
        }
        const std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (!answer) return IDCANCEL;
        pathName = *answer;
        return IDOK;
    }

    BOOL ChooseColor(CHOOSECOLOR& choice) override {
        ColorRequest request;
        request.initial = choice.rgbResult, request.flags = choice.Flags;
        request.owner = choice.hwndOwner;
        for (int i = 0; i < kCustomColorCount; ++i) request.custom[i] = choice.lpCustColors[i];
        colorRequests.push_back(request);
        if (colorAnswers.empty()) {
            ADD_FAILURE() << "colour dialog without a scripted answer";
            return FALSE;
        }
        const ColorAnswer answer = colorAnswers.front();
        colorAnswers.pop_front();
        if (!answer.ok) return FALSE;
        choice.rgbResult = answer.color;
        for (const auto& [index, color] : answer.custom) choice.lpCustColors[index] = color;
        return TRUE;
    }

    void BeginWaitCursor() override {
        ++waitCursorDepth;
        ++waitCursorCount;
    }
    void EndWaitCursor() override { --waitCursorDepth; }

    BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) override {
        if (!placementAvailable) return FALSE;
        *placement = WINDOWPLACEMENT{};
        const auto it = shown.find(window);
        placement->showCmd = it == shown.end() ? SW_SHOWNORMAL : it->second;
        return TRUE;
    }
    BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) override {
        placements.push_back(placement->showCmd);
        shown[window] = placement->showCmd;
        return TRUE;
    }

    // Scripted answers: a path, or nothing for Cancel.
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<ColorAnswer> colorAnswers;
    std::vector<ColorRequest> colorRequests;
    int waitCursorDepth = 0;
    int waitCursorCount = 0;
    bool placementAvailable = true;
    // Show states set, in order.
    std::vector<UINT> placements;
    std::map<HWND, UINT> shown;
};
