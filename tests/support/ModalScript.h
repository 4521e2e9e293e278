#pragma once
// Runs modal dialogs by script: each dialog that opens takes the next step, in
// the order the dialogs open (an outer dialog's step runs while an inner one
// opens from it). A dialog that opens with no step left fails the test and is
// cancelled.

#include <deque>
#include <functional>
#include <vector>

#include "platform/ui/CDialog.h"
#include "platform/ui/ModalDriver.h"

class ModalScript : public ModalDriver {
public:
    using Step = std::function<void(CDialog&)>;

    ModalScript();
    ~ModalScript() override;
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }
    void RunModal(CDialog& dialog) override;

    // Template ids of the dialogs run, in order.
    std::vector<int> opened;

private:
    std::deque<Step> m_steps;
    ScopedModalDriver m_scope{this};
};
