#pragma once
// Prompts that show nothing and remember every message, installed for the
// lifetime of the object.

#include <string>
#include <vector>

#include "platform/prompts/Prompts.h"

class RecordingPrompts : public Prompts {
public:
    RecordingPrompts() = default;
    RecordingPrompts(const RecordingPrompts&) = delete;
    RecordingPrompts& operator=(const RecordingPrompts&) = delete;

    int MessageBox(const std::string& text, UINT) override {
        messages.push_back(text);
        return IDOK;
    }

    std::vector<std::string> messages;

private:
    ScopedPrompts m_scope{this};
};
