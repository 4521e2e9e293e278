#pragma once
// The wait cursor for the lifetime of the object.

#include "platform/prompts/Prompts.h"

class CWaitCursor {
public:
    CWaitCursor() { CurrentPrompts().BeginWaitCursor(); }
    ~CWaitCursor() { CurrentPrompts().EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
