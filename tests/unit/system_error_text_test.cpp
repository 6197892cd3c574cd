#include "options/system_error_text.h"

#include <gtest/gtest.h>

TEST(SystemErrorText, SystemTextWithoutItsLineBreakOrTheCodeInDecimal) {
    EXPECT_EQ(SystemErrorText("Access is denied.\r\n", 5), "Access is denied.");
    EXPECT_EQ(SystemErrorText("", 5), "Error 5");
    EXPECT_EQ(SystemErrorText("\r\n", 0x80070005u), "Error 2147942405");
}
