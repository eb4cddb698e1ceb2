#include <gtest/gtest.h>
#include "app/InputPath.h"
TEST(Smoke, Split) { EXPECT_EQ(colsec::splitInputPath("a.b.txt").baseName, "a.b"); }
