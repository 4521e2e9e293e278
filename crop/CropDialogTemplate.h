#pragma once
// Template 218, the crop dialog.

#include "platform/ui/DialogTemplate.h"

const DialogTemplate& CropDialogTemplate();
