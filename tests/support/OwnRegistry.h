#pragma once
// A registry of the test's own, in a temporary folder, for the object's
// lifetime: nothing a test registers reaches the user's or another test's.

#include <cstdlib>

#include "tests/support/TempDir.h"

class OwnRegistry {
public:
    OwnRegistry() { setenv("TARSEL_REGISTRY", folder.Path().c_str(), 1); }
    ~OwnRegistry() { unsetenv("TARSEL_REGISTRY"); }
    OwnRegistry(const OwnRegistry&) = delete;
    OwnRegistry& operator=(const OwnRegistry&) = delete;

    const TempDir folder;
};
