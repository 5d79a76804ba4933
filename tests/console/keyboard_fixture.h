// Every keyboard test starts and ends with an empty key queue and Braille typing off.
#pragma once
#include "console/keys.h"

#include <gtest/gtest.h>

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        keyQueueClear();
        setBrailleModeState(0);
    }
};
