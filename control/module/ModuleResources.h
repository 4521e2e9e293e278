#pragma once
// The module's resources: its string table and its type library.

#include "platform/olectl/AfxModule.h"

const AFX_MODULE_RESOURCES& VOKSLetRastelResources();
const typelib::Library& VOKSLetRastelTypeLibrary();
