#include <gtest/gtest.h>

#include "TqWinHandle.h"
#include "sandbox/sandbox.h"

using namespace TQ;

namespace {

int g_closed = 0;
HKEY g_lastClosed = NULL;

// A close function that, like a real one, may leave its own last error behind.
LONG CountingClose(HKEY key) {
  ++g_closed;
  g_lastClosed = key;
  SetLastError(6);
  return 7;
}

typedef CTqWinHandle<HKEY, CountingClose> CountedHandle;

HKEY FakeKey(uintptr_t n) { return reinterpret_cast<HKEY>(n); }

class HandleTest : public testing::Test {
 protected:
  void SetUp() override {
    g_closed = 0;
    g_lastClosed = NULL;
  }
};

TEST_F(HandleTest, DestructorClosesOwnedHandleOnce) {
  { CountedHandle h(FakeKey(0x10)); }
  EXPECT_EQ(g_closed, 1);
  EXPECT_EQ(g_lastClosed, FakeKey(0x10));
  { CountedHandle none; }
  EXPECT_EQ(g_closed, 1) << "a null handle owns nothing to close";
}

TEST_F(HandleTest, CloseReturnsTheCloseFunctionsResultAndForgetsTheHandle) {
  CountedHandle h(FakeKey(0x20));
  EXPECT_EQ(h.Close(), 7);
  EXPECT_EQ(h.GetHandle(), static_cast<HKEY>(NULL));
  EXPECT_EQ(h.Close(), 0) << "a second close changes nothing";
  EXPECT_EQ(g_closed, 1);
}

TEST_F(HandleTest, AttachClosesTheOldHandleAndOwnsTheNew) {
  CountedHandle h(FakeKey(0x30));
  EXPECT_EQ(h.Attach(FakeKey(0x31)), FakeKey(0x31));
  EXPECT_EQ(g_lastClosed, FakeKey(0x30));
  EXPECT_EQ(h.GetHandle(), FakeKey(0x31));
}

TEST_F(HandleTest, AttachOfNullThrowsTheErrorAsItWasOnEntry) {
  CountedHandle h(FakeKey(0x40));
  SetLastError(ERROR_FILE_NOT_FOUND);  // what the failing Windows call left
  try {
    h.Attach(NULL);
    ADD_FAILURE() << "nothing thrown";
  } catch (CTqSystemException* e) {
    EXPECT_EQ(e->GetCode(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << "not the 6 the close left";
    e->Delete();
  }
  EXPECT_EQ(g_closed, 1) << "the old handle was closed first";
  EXPECT_EQ(h.GetHandle(), static_cast<HKEY>(NULL));
}

TEST(KeyHandle, ClosesARealRegistryKey) {
  HKEY key = NULL;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\HandleTest", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
            ERROR_SUCCESS);
  const size_t before = sandbox::RegistryOpenHandles();
  { CTqKeyHandle h(key); }
  EXPECT_EQ(sandbox::RegistryOpenHandles(), before - 1);
}

}  // namespace
