#include "bar/PasswordGenerator.h"

#include <gtest/gtest.h>

TEST(PasswordGenerator, Placeholder) { EXPECT_EQ(CPasswordGenerator::TextToNumber("12x"), 12); }
