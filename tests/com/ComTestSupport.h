#pragma once
// A registry of its own for each test.

#include <gtest/gtest.h>

#include "tests/support/OwnRegistry.h"

class RegistryTest : public ::testing::Test {
protected:
    OwnRegistry m_registry;
};
