#include <gtest/gtest.h>

#include <vector>

#include "TqRegistry.h"
#include "sandbox/sandbox.h"

using namespace TQ;

namespace {

const char kKey[] = "Software\\Vellacott\\Test";
const char kFullKey[] = "HKEY_CURRENT_USER\\Software\\Vellacott\\Test";

// The code a failing registry call threw, or 0 when nothing was thrown.
template <typename Body>
DWORD ThrownCode(Body body) {
  try {
    body();
  } catch (CTqSystemException* e) {
    const DWORD code = e->GetCode();
    e->Delete();
    return code;
  }
  return 0;
}

TEST(TqRegistry, CopiesShareOneHandleClosedByTheLastHolder) {
  const size_t start = sandbox::RegistryOpenHandles();
  auto* first = new CTqRegKey(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), start + 1);
  {
    CTqRegKey second(*first);
    EXPECT_EQ(second.GetHandle(), first->GetHandle());
    CTqRegValue value(second, "Answer");  // every holder counts the same handle
    delete first;
    EXPECT_EQ(sandbox::RegistryOpenHandles(), start + 1) << "the copy still holds it";
    value.SetDWord(42);
  }
  EXPECT_EQ(sandbox::RegistryOpenHandles(), start) << "the last holder closed it";
  EXPECT_EQ(sandbox::RegistryGetDword(kFullKey, "Answer"), 42u);
}

TEST(TqRegistry, CreateOrOpenReportsWhetherTheKeyExisted) {
  BOOL existed = 0xdead;
  { CTqRegKey created(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, NULL, &existed); }
  EXPECT_FALSE(existed);
  EXPECT_TRUE(sandbox::RegistryKeyExists(kFullKey));
  { CTqRegKey opened(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, NULL, &existed); }
  EXPECT_TRUE(existed);
  existed = 0xdead;
  CTqRegKey root(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, NULL, &existed);
  EXPECT_TRUE(existed);
  EXPECT_EQ(root.GetHandle(), HKEY_CURRENT_USER) << "an empty sub-key is the parent itself";
  EXPECT_TRUE(root.KeyExists("Software\\Vellacott"));
  EXPECT_FALSE(root.KeyExists("Software\\Nobody"));
}

TEST(TqRegistry, StringValues) {
  sandbox::RegistrySetString(kFullKey, "Empty", "");
  sandbox::RegistrySetBinary(kFullKey, "Zero bytes", {}, REG_SZ);
  sandbox::RegistrySetString(kFullKey, "Expand", "%TEMP%", REG_EXPAND_SZ);
  // Stored without a terminating NUL, as some writers do.
  sandbox::RegistrySetBinary(kFullKey, "Unterminated", {'a', 'b', 'c'}, REG_SZ);
  CTqRegKey key(HKEY_CURRENT_USER, kKey);
  CString out = "poison";
  CTqRegValue(key, "Empty").GetString(out);
  EXPECT_STREQ(out, "");
  out = "poison";
  CTqRegValue(key, "Zero bytes").GetString(out);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(ThrownCode([&] { CTqRegValue(key, "Expand").GetString(out); }), 1804u);
  CTqRegValue(key, "Unterminated").GetString(out);
  EXPECT_STREQ(out, "abc") << "nothing read past the stored data";
  EXPECT_EQ(ThrownCode([&] { CTqRegValue(key, "Missing").GetString(out); }), 2u);
}

TEST(TqRegistry, SetStringStoresTheTextWithItsNul) {
  sandbox::SetCodePage(932);
  CTqRegKey key(HKEY_CURRENT_USER, kKey);
  CTqRegValue(key, "Empty").SetString("");
  CTqRegValue(key, "Wide").SetString("\x95\x5C\x8E\xA6");
  auto empty = sandbox::RegistryGet(kFullKey, "Empty");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->type, static_cast<uint32_t>(REG_SZ));
  EXPECT_EQ(empty->data, std::vector<uint8_t>{0});
  auto wide = sandbox::RegistryGet(kFullKey, "Wide");
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->data, (std::vector<uint8_t>{0x95, 0x5C, 0x8E, 0xA6, 0}));
  CString back;
  CTqRegValue(key, "Wide").GetString(back);
  EXPECT_STREQ(back, "\x95\x5C\x8E\xA6");
}

TEST(TqRegistry, DWordAndBinaryValuesCheckTypeAndSize) {
  sandbox::RegistrySetDword(kFullKey, "Number", 6);
  sandbox::RegistrySetBinary(kFullKey, "Four bytes", {1, 2, 3, 4});
  sandbox::RegistrySetBinary(kFullKey, "Long number", {1, 2, 3, 4, 5}, REG_DWORD);
  CTqRegKey key(HKEY_CURRENT_USER, kKey);
  DWORD number = 0;
  CTqRegValue(key, "Number").GetDWord(number);
  EXPECT_EQ(number, 6u);
  EXPECT_EQ(ThrownCode([&] { CTqRegValue(key, "Four bytes").GetDWord(number); }), 1804u);
  EXPECT_EQ(ThrownCode([&] { CTqRegValue(key, "Long number").GetDWord(number); }), 1804u);
  BYTE buffer[4] = {0};
  CTqRegValue(key, "Four bytes").GetBinary(buffer, sizeof buffer);
  EXPECT_EQ(buffer[3], 4);
  BYTE small[3];
  EXPECT_EQ(ThrownCode([&] { CTqRegValue(key, "Four bytes").GetBinary(small, sizeof small); }), 1804u);
  EXPECT_EQ(ThrownCode([&] { CTqRegValue(key, "Number").GetBinary(buffer, sizeof buffer); }), 1804u);
}

TEST(TqRegistry, GetTypeReportsTheFourKinds) {
  sandbox::RegistrySetString(kFullKey, "s", "x");
  sandbox::RegistrySetString(kFullKey, "e", "x", REG_EXPAND_SZ);
  sandbox::RegistrySetBinary(kFullKey, "b", {1});
  sandbox::RegistrySetDword(kFullKey, "d", 1);
  CTqRegKey key(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(CTqRegValue(key, "s").GetType(), 1);
  EXPECT_EQ(CTqRegValue(key, "e").GetType(), 2);
  EXPECT_EQ(CTqRegValue(key, "b").GetType(), 3);
  EXPECT_EQ(CTqRegValue(key, "d").GetType(), 4);
  EXPECT_TRUE(key.ValueExists("s"));
  EXPECT_FALSE(key.ValueExists("none"));
}

TEST(TqRegistry, ValuesAndKeysCount) {
  sandbox::RegistrySetDword(kFullKey, "a", 1);
  sandbox::RegistrySetDword(kFullKey, "b", 2);
  sandbox::RegistrySetDword(std::string(kFullKey) + "\\Child", "c", 3);
  CTqRegKey key(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(key.GetValues().GetCount(), 2u);
  CTqRegKeys keys(key);
  EXPECT_EQ(keys.GetCount(), 1u);
  DWORD c = 0;
  CTqRegValue(keys.OpenKey("Child"), "c").GetDWord(c);
  EXPECT_EQ(c, 3u);
  CTqRegValue viaValues = key.GetValues().GetValue("b");
  viaValues.GetDWord(c);
  EXPECT_EQ(c, 2u);
}

TEST(TqRegistry, FailingCallsThrowTheirResult) {
  sandbox::RegistryInjectFailure(kFullKey, "create", ERROR_ACCESS_DENIED);
  EXPECT_EQ(ThrownCode([] { CTqRegKey key(HKEY_CURRENT_USER, kKey); }), 5u);
  sandbox::RegistryClearFailures();
  CTqRegKey key(HKEY_CURRENT_USER, kKey);
  sandbox::RegistryInjectFailure(kFullKey, "set", ERROR_ACCESS_DENIED);
  EXPECT_EQ(ThrownCode([&] { CTqRegValue(key, "x").SetDWord(1); }), 5u);
  sandbox::RegistryInjectFailure(kFullKey, "info", ERROR_INVALID_HANDLE);
  EXPECT_EQ(ThrownCode([&] { key.GetValues().GetCount(); }), 6u);
}

TEST(TqRegRefNum, DefaultHolderHoldsNothingAndAssignmentReleasesTheOld) {
  const size_t start = sandbox::RegistryOpenHandles();
  { CTqRegRefNum nothing; CTqRegRefNum copy(nothing); }  // closes nothing, counts nothing
  EXPECT_EQ(sandbox::RegistryOpenHandles(), start);
  HKEY a = NULL, b = NULL;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\A", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &a, NULL), 0);
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\B", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &b, NULL), 0);
  {
    CTqRegRefNum holder(a);
    CTqRegRefNum other(b);
    holder = other;  // a's only holder lets go: a is closed now
    EXPECT_EQ(sandbox::RegistryOpenHandles(), start + 1);
    CTqRegRefNum& same = holder;
    holder = same;  // self-assignment
    EXPECT_EQ(holder.GetHandle(), b);
  }
  EXPECT_EQ(sandbox::RegistryOpenHandles(), start);
}

}  // namespace
