#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

ModalScript::ModalScript() = default;

ModalScript::~ModalScript() {
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " scripted dialog(s) never opened";
}

void ModalScript::RunModal(CDialog& dialog) {
    opened.push_back(dialog.Template().id);
    if (m_steps.empty()) {
        ADD_FAILURE() << "dialog " << dialog.Template().id << " opened without a scripted step";
        dialog.EndDialog(IDCANCEL);
        return;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step(dialog);
}
