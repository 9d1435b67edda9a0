// A fixture base: OLE initialised on the test's thread for the duration of each test.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

class OleTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};
