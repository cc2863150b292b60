#include <gtest/gtest.h>
TEST(RcBuild, Placeholder) { SUCCEED(); }
