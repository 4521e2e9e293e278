#pragma once
// Dialog runs for tests of the automation methods: the tools dialog "opens"
// by running a script on the control, which records what it saw.

#include <functional>
#include <vector>

#include "control/CRastelCtrl.h"
#include "control/ControlDialogs.h"

class ScriptedDialogs : public ControlDialogs {
public:
    ScriptedDialogs() = default;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void RunToolsDialog(CRastelCtrl& control) override {
        targets.push_back(control.m_target.m_lpDispatch);
        if (script) script(control);
    }
    void RunAboutBox() override {}

    std::function<void(CRastelCtrl&)> script;
    // The target element of each tools dialog run, null when there was none.
    std::vector<LPDISPATCH> targets;

private:
    ScopedControlDialogs m_scope{this};
};

// What the tools dialog's Apply of the Focus group does.
inline void ApplyFocus(CRastelCtrl& control) {
    control.m_nSize = 2, control.m_nEffectCode = EFFECT_FOCUS, control.m_nOpacity = 100;
    control.ApplyEffect();
}
