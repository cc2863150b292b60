// Memory handles: zeroed when made and where they grow, unchanged when a resize is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "toolbox/MemHandle.h"

namespace {

TEST(MemHandle, ZeroedWhenMadeAndWhereItGrows) {
  MemHandle empty = MemHandleNew(0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->block, nullptr);
  EXPECT_EQ(MemHandleSize(empty), 0);
  FreeMemHandle(empty);
  FreeMemHandle(nullptr);

  MemHandle handle = MemHandleNew(8);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(std::string(static_cast<char*>(handle->block), 8), std::string(8, '\0'));
  std::memset(handle->block, 'x', 8);
  ASSERT_EQ(MemHandleResize(handle, 20), 1);
  EXPECT_EQ(MemHandleSize(handle), 20);
  EXPECT_EQ(std::string(static_cast<char*>(handle->block), 20), std::string(8, 'x') + std::string(12, '\0'));
  ASSERT_EQ(MemHandleResize(handle, 3), 1);
  ASSERT_EQ(MemHandleResize(handle, 6), 1);
  EXPECT_EQ(std::string(static_cast<char*>(handle->block), 6), std::string("xxx\0\0\0", 6));
  EXPECT_EQ(MemHandleResize(handle, -1), 0);
  EXPECT_EQ(MemHandleSize(handle), 6);
  ASSERT_EQ(MemHandleResize(handle, 0), 1);
  EXPECT_EQ(handle->block, nullptr);
  FreeMemHandle(handle);
  EXPECT_EQ(MemHandleNew(-5), nullptr);
}

}  // namespace
