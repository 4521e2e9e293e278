#pragma once
// Prompts that show nothing and remember every message, installed for the
// lifetime of the object. A test takes the messages it expects; one that no
// test took fails the test at the end.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/prompts/Prompts.h"

class RecordingPrompts : public Prompts {
public:
    RecordingPrompts() = default;
    ~RecordingPrompts() override {
        EXPECT_TRUE(m_messages.empty())
            << m_messages.size() << " message(s) not taken, the first: " << m_messages.front();
    }
    RecordingPrompts(const RecordingPrompts&) = delete;
    RecordingPrompts& operator=(const RecordingPrompts&) = delete;

    int MessageBox(const std::string& text, UINT) override {
        m_messages.push_back(text);
        return IDOK;
    }

    // The messages shown since the last look, in order.
    std::vector<std::string> Take() { return std::exchange(m_messages, {}); }
    // The one message shown since the last look.
    std::string TakeOne() {
        const std::vector<std::string> taken = Take();
        EXPECT_EQ(taken.size(), 1u) << (taken.empty() ? "" : taken.front());
        return taken.empty() ? std::string() : taken.front();
    }

private:
    std::vector<std::string> m_messages;
    ScopedPrompts m_scope{this};
};
