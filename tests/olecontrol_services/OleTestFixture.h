// Tests that need OLE (pictures, storages, registration) run inside OleInitialize.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

class OleTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};
