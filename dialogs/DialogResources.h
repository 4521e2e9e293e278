#pragma once
// The dialog templates of the tools dialog and its sub-dialogs.

#include "platform/ui/DialogTemplate.h"

const DialogTemplate& TintoraDialogTemplate();
const DialogTemplate& MatteFileTemplate();
const DialogTemplate& SavePresetTemplate();
