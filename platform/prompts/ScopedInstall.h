#pragma once
// Installs a hook (prompts, a modal driver, the control's dialogs, the crop
// opener) for one scope and puts back the one that was in force before, on
// every path out of the scope.

#include <utility>

template <class Hook, Hook (*Install)(Hook)>
class ScopedInstall {
public:
    explicit ScopedInstall(Hook hook) : m_previous(Install(std::move(hook))) {}
    ~ScopedInstall() { Install(std::move(m_previous)); }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    Hook m_previous;
};
