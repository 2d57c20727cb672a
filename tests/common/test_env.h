// Shared test set-up: every test starts from the program's start-up state
// with the recording platform backend installed.
#pragma once

#include <gtest/gtest.h>

#include "platform/test_backend.h"

// Restores the start-up value of every global of every subsystem.
void ResetAllGlobals();

class Tf3dTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAllGlobals();
        platform::SetBackend(&backend);
    }
    void TearDown() override { platform::SetBackend(nullptr); }

    platform::TestBackend backend;
};
