// Values through the Windows surface: the buffer protocol, stored bytes, names, enumeration.
#include <array>
#include <thread>

#include "registry_test_support.h"

namespace {

using regtest::Create;
using regtest::Key;
using regtest::kPoison;
using regtest::kPoisonByte;

class RegistryValues : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott\\Values", key_), ERROR_SUCCESS); }
  Key key_;
};

// Sixteen poisoned bytes: a call may write only the first `size`.
struct Buffer {
  std::array<BYTE, 16> bytes;
  Buffer() { bytes.fill(kPoisonByte); }
  bool UntouchedFrom(size_t offset) const {
    for (size_t i = offset; i < bytes.size(); ++i)
      if (bytes[i] != kPoisonByte) return false;
    return true;
  }
};

TEST_F(RegistryValues, QueryFollowsTheBufferProtocol) {
  ASSERT_EQ(regtest::SetString(key_, "Greeting", "hello"), ERROR_SUCCESS);  // 6 bytes with the NUL
  struct Case {
    const char* name;
    bool withData;
    bool withSize;
    DWORD capacity;
    LONG expected;
    DWORD sizeAfter;
    size_t bytesWritten;
  };
  const Case cases[] = {
      {.name = "too small", .withData = true, .withSize = true, .capacity = 5, .expected = ERROR_MORE_DATA,
       .sizeAfter = 6, .bytesWritten = 0},
      {.name = "zero capacity", .withData = true, .withSize = true, .capacity = 0, .expected = ERROR_MORE_DATA,
       .sizeAfter = 6, .bytesWritten = 0},
      {.name = "exact", .withData = true, .withSize = true, .capacity = 6, .expected = ERROR_SUCCESS,
       .sizeAfter = 6, .bytesWritten = 6},
      {.name = "roomy", .withData = true, .withSize = true, .capacity = 16, .expected = ERROR_SUCCESS,
       .sizeAfter = 6, .bytesWritten = 6},
      {.name = "size only", .withData = false, .withSize = true, .capacity = 0, .expected = ERROR_SUCCESS,
       .sizeAfter = 6, .bytesWritten = 0},
      {.name = "existence only", .withData = false, .withSize = false, .capacity = 0, .expected = ERROR_SUCCESS,
       .sizeAfter = kPoison, .bytesWritten = 0},
      {.name = "data without size", .withData = true, .withSize = false, .capacity = 0,
       .expected = ERROR_INVALID_PARAMETER, .sizeAfter = kPoison, .bytesWritten = 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Buffer buffer;
    DWORD type = kPoison;
    DWORD size = c.withSize ? c.capacity : kPoison;
    EXPECT_EQ(RegQueryValueEx(key_, "greeting", nullptr, &type, c.withData ? buffer.bytes.data() : nullptr,
                              c.withSize ? &size : nullptr),
              c.expected);
    EXPECT_EQ(size, c.sizeAfter);
    EXPECT_EQ(type, c.expected == ERROR_INVALID_PARAMETER ? kPoison : static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(buffer.UntouchedFrom(c.bytesWritten));
    if (c.bytesWritten) {
      EXPECT_EQ(std::memcmp(buffer.bytes.data(), "hello", 6), 0);
    }
  }
}

TEST_F(RegistryValues, AMissingValueLeavesEveryOutputAlone) {
  Buffer buffer;
  DWORD type = kPoison, size = sizeof buffer.bytes;
  EXPECT_EQ(RegQueryValueEx(key_, "Missing", nullptr, &type, buffer.bytes.data(), &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(type, kPoison);
  EXPECT_EQ(size, sizeof buffer.bytes);
  EXPECT_TRUE(buffer.UntouchedFrom(0));
  EXPECT_EQ(RegDeleteValue(key_, "Missing"), ERROR_FILE_NOT_FOUND);
  // An unset default value is missing too.
  EXPECT_EQ(RegQueryValueEx(key_, nullptr, nullptr, &type, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

// Strings are stored exactly as the caller's byte count says; a reader must cope with a REG_SZ
// that lacks its NUL.
TEST_F(RegistryValues, StringsKeepTheCallersByteCount) {
  struct Case {
    const char* name;
    const char* bytes;
    DWORD count;
  };
  const Case cases[] = {
      {.name = "with NUL", .bytes = "abc", .count = 4},
      {.name = "without NUL", .bytes = "abc", .count = 3},
      {.name = "empty", .bytes = "", .count = 0},
      {.name = "two NULs", .bytes = "ab\0", .count = 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(RegSetValueEx(key_, "s", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.bytes), c.count), ERROR_SUCCESS);
    Buffer buffer;
    DWORD size = sizeof buffer.bytes;
    ASSERT_EQ(RegQueryValueEx(key_, "s", nullptr, nullptr, buffer.bytes.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, c.count);
    EXPECT_EQ(std::memcmp(buffer.bytes.data(), c.bytes, c.count), 0);
    EXPECT_TRUE(buffer.UntouchedFrom(c.count));  // nothing appended
  }
  EXPECT_EQ(RegSetValueEx(key_, "s", 0, REG_SZ, nullptr, 3), ERROR_NOACCESS);
  EXPECT_EQ(sandbox::RegistryGet("HKCU\\Software\\Vellacott\\Values", "s")->data.size(), 4u);
}

TEST_F(RegistryValues, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
  ASSERT_EQ(regtest::SetDword(key_, "Count", 1), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key_, "COUNT", 2), ERROR_SUCCESS);
  EXPECT_EQ(regtest::ValueNames(key_), std::vector<std::string>{"Count"});
  EXPECT_EQ(sandbox::RegistryGetDword("HKCU\\Software\\Vellacott\\Values", "count"), 2u);
  EXPECT_EQ(RegDeleteValue(key_, "cOuNt"), ERROR_SUCCESS);
  EXPECT_EQ(regtest::ValueNames(key_), std::vector<std::string>{});
}

TEST_F(RegistryValues, NullAndEmptyNamesAreTheDefaultValue) {
  ASSERT_EQ(regtest::SetString(key_, nullptr, "first"), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetString(key_, "", "second"), ERROR_SUCCESS);
  EXPECT_EQ(regtest::ValueNames(key_), std::vector<std::string>{""});
  EXPECT_EQ(sandbox::RegistryGetString("HKCU\\Software\\Vellacott\\Values", ""), "second");

  char text[16];
  LONG size = sizeof text;
  EXPECT_EQ(RegQueryValue(HKEY_CURRENT_USER, "Software\\Vellacott\\Values", text, &size), ERROR_SUCCESS);
  EXPECT_STREQ(text, "second");
  EXPECT_EQ(size, 7);
  EXPECT_EQ(RegDeleteValue(key_, nullptr), ERROR_SUCCESS);
}

TEST_F(RegistryValues, LegacyStringCallsOnTheDefaultValue) {
  // RegSetValue creates the sub-key; its size argument is ignored.
  EXPECT_EQ(RegSetValue(key_, "Sub\\Deeper", REG_SZ, "text", 1), ERROR_SUCCESS);
  EXPECT_EQ(sandbox::RegistryGet("HKCU\\Software\\Vellacott\\Values\\Sub\\Deeper", ""),
            (sandbox::RegistryValue{REG_SZ, {'t', 'e', 'x', 't', 0}}));
  EXPECT_EQ(RegSetValue(key_, "Sub", REG_DWORD, "text", 5), ERROR_INVALID_PARAMETER);

  char text[8];
  std::memset(text, kPoisonByte, sizeof text);
  LONG size = 3;
  EXPECT_EQ(RegQueryValue(key_, "Sub\\Deeper", text, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 5);
  EXPECT_EQ(static_cast<BYTE>(text[0]), kPoisonByte);
  // A key without a default value reads as the empty string.
  size = sizeof text;
  EXPECT_EQ(RegQueryValue(key_, "Sub", text, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 1);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(RegQueryValue(key_, "Nowhere", text, &size), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryValues, EnumerationIsSortedWithTheDefaultFirst) {
  for (const char* name : {"beta", "Alpha", "AZ", "a_b", ""}) {
    ASSERT_EQ(regtest::SetDword(key_, name, 1), ERROR_SUCCESS);
  }
  // Upper-case order: '_' sorts after 'Z'.
  EXPECT_EQ(regtest::ValueNames(key_), (std::vector<std::string>{"", "Alpha", "AZ", "a_b", "beta"}));
  char name[8];
  DWORD length = sizeof name;
  EXPECT_EQ(RegEnumValue(key_, 5, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryValues, EnumValueWritesNothingWhenABufferIsTooSmall) {
  const BYTE data[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  ASSERT_EQ(RegSetValueEx(key_, "Blob", 0, REG_BINARY, data, sizeof data), ERROR_SUCCESS);
  struct Case {
    const char* name;
    DWORD nameCapacity, dataCapacity;
    LONG expected;
    DWORD nameAfter, dataAfter;
  };
  const Case cases[] = {
      {.name = "name too small", .nameCapacity = 4, .dataCapacity = 16, .expected = ERROR_MORE_DATA,
       .nameAfter = 5, .dataAfter = 10},
      {.name = "data too small", .nameCapacity = 16, .dataCapacity = 9, .expected = ERROR_MORE_DATA,
       .nameAfter = 16, .dataAfter = 10},
      {.name = "both fit", .nameCapacity = 5, .dataCapacity = 10, .expected = ERROR_SUCCESS, .nameAfter = 4,
       .dataAfter = 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Buffer nameBuffer, dataBuffer;
    DWORD nameLength = c.nameCapacity, dataSize = c.dataCapacity, type = kPoison;
    EXPECT_EQ(RegEnumValue(key_, 0, reinterpret_cast<char*>(nameBuffer.bytes.data()), &nameLength, nullptr, &type,
                           dataBuffer.bytes.data(), &dataSize),
              c.expected);
    EXPECT_EQ(nameLength, c.nameAfter);
    EXPECT_EQ(dataSize, c.dataAfter);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    const bool written = c.expected == ERROR_SUCCESS;
    EXPECT_TRUE(nameBuffer.UntouchedFrom(written ? 5 : 0));
    EXPECT_TRUE(dataBuffer.UntouchedFrom(written ? 10 : 0));
    if (written) {
      EXPECT_EQ(std::memcmp(nameBuffer.bytes.data(), "Blob", 5), 0);
    }
  }
}

TEST_F(RegistryValues, EnumKeyReportsTheCapacityNeeded) {
  Key child;
  ASSERT_EQ(Create(key_, "Eleven_Char", child), ERROR_SUCCESS);
  Buffer buffer;
  DWORD length = 11;
  EXPECT_EQ(RegEnumKeyEx(key_, 0, reinterpret_cast<char*>(buffer.bytes.data()), &length, nullptr, nullptr, nullptr,
                         nullptr),
            ERROR_MORE_DATA);
  EXPECT_EQ(length, 12u);
  EXPECT_TRUE(buffer.UntouchedFrom(0));
  EXPECT_EQ(RegEnumKey(key_, 0, reinterpret_cast<char*>(buffer.bytes.data()), 12), ERROR_SUCCESS);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer.bytes.data()), "Eleven_Char");
  EXPECT_EQ(RegEnumKey(key_, 1, reinterpret_cast<char*>(buffer.bytes.data()), 12), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryValues, ConcurrentWritersOnOneKeyLoseNothing) {
  constexpr int kThreads = 8, kPerThread = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < kPerThread; ++i) {
        HKEY key = nullptr;
        if (RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Vellacott\\Values", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                           &key, nullptr) != ERROR_SUCCESS)
          return;
        const std::string name = std::to_string(t) + "-" + std::to_string(i);
        regtest::SetDword(key, name.c_str(), static_cast<DWORD>(i));
        RegCloseKey(key);
      }
    });
  for (auto& thread : threads) thread.join();
  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKey(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, static_cast<DWORD>(kThreads * kPerThread));
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 1u);
}

}  // namespace
