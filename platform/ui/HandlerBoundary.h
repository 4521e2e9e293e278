#pragma once
// The dialog framework's one boundary around the application's handlers. A
// failure inside a command, notification, event, scroll, key or paint
// handler, or inside a dialog's initialisation (a failed host call's dispatch
// exception, an allocation failure, any other exception), ends that handler
// only: it is shown to the operator through the prompts and the dialog, its
// modal loop and the host's process go on. Nothing leaves through the window
// system's event handling.

#include <functional>

// Runs the handler; false when it failed (and the failure has been shown).
bool RunHandler(const std::function<void()>& handler);

// The text shown for an exception that reached the boundary.
inline constexpr const char* kUnknownFailureText = "The command failed with an unknown error.";
