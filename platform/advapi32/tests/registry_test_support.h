// Shared pieces of the registry tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace regtest {

constexpr DWORD kPoison = 0xdeadbeef;
constexpr BYTE kPoisonByte = 0xAA;
const HKEY kPoisonKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0xdeadbeefdeadbeefULL));

// An opened key that closes itself.
class Key {
 public:
  Key() = default;
  explicit Key(HKEY handle) : handle_(handle) {}
  ~Key() {
    if (handle_ != nullptr) {
      EXPECT_EQ(RegCloseKey(handle_), ERROR_SUCCESS);
    }
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  HKEY get() const { return handle_; }
  operator HKEY() const { return handle_; }
  // For the call that opens it: poisoned first, so a failing call that leaves it alone shows.
  PHKEY out() {
    handle_ = kPoisonKey;
    return &handle_;
  }
  HKEY release() {
    HKEY h = handle_;
    handle_ = nullptr;
    return h;
  }
  // After a call that failed: nothing to close (and the call must have reset the output).
  void ExpectNone() {
    EXPECT_EQ(handle_, nullptr);
    handle_ = nullptr;
  }

 private:
  HKEY handle_ = nullptr;
};

inline LONG Create(HKEY parent, const char* subKey, Key& key, REGSAM access = KEY_ALL_ACCESS,
                   DWORD* disposition = nullptr) {
  return RegCreateKeyEx(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.out(),
                        disposition);
}

inline LONG SetString(HKEY key, const char* name, const char* text) {
  return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
}

inline LONG SetDword(HKEY key, const char* name, DWORD value) {
  return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Every sub-key name in enumeration order.
inline std::vector<std::string> SubKeys(HKEY key) {
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD length = sizeof name;
    const LONG status = RegEnumKeyEx(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    EXPECT_EQ(status, ERROR_SUCCESS);
    if (status != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

inline std::vector<std::string> ValueNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD length = sizeof name;
    const LONG status = RegEnumValue(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    EXPECT_EQ(status, ERROR_SUCCESS);
    if (status != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace regtest
