#pragma once
// A registry of its own for each test.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/TempDir.h"

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("TARSEL_REGISTRY", m_folder.Path().c_str(), 1); }
    void TearDown() override { unsetenv("TARSEL_REGISTRY"); }

    TempDir m_folder;
};
