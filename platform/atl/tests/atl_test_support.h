// Shared set-up of the ATL stand-in's tests: an apartment, the test server's path and keys, and
// reading what the registry holds.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AtlTestServer.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"

namespace atl_test {

constexpr char kClsidText[] = "{7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A51}";
constexpr char kLibidText[] = "{7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A50}";
constexpr char kAddInIidText[] = "{7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A53}";
constexpr char kCommandsIidText[] = "{7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A54}";
constexpr char kClasses[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes";  // what HKCR shows
constexpr char kAddIns[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0\\AddIns";

// The servers' Windows paths (through Z:, the host's root).
inline std::string ServerPath() { return sandbox::WindowsPath(ATL_TEST_SERVER_FILE); }
inline std::string BadServerPath() { return sandbox::WindowsPath(ATL_BAD_SERVER_FILE); }

using sandbox::testing::RegistryKeysBelow;

// The debugger output lines the test server wrote ("AtlTest: ...").
inline std::vector<std::string> ServerSaid() {
  std::vector<std::string> said;
  for (const std::string& line : sandbox::DebugOutput())
    if (line.rfind("AtlTest: ", 0) == 0) said.push_back(line.substr(9));
  return said;
}

inline std::string Text(BSTR text) {
  std::string out;
  if (text == nullptr) return out;
  const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  out.resize(static_cast<size_t>(n > 0 ? n : 1));
  WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

// The description of the calling thread's error info; "" without one.
inline std::string ErrorInfoDescription() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return "";
  BSTR description = nullptr;
  info->GetDescription(&description);
  const std::string text = Text(description);
  SysFreeString(description);
  info->Release();
  return text;
}

inline std::u16string Wide(const std::string& text) {
  std::u16string out(text.size() + 1, u'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
  return out;
}

class AtlTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace atl_test
