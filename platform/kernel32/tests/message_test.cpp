#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kSystemFlags =
    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;

// The system exception's message is exactly what this returns: the text with its CR LF.
std::string SystemText(DWORD code, DWORD* error = nullptr) {
  char* buffer = reinterpret_cast<char*>(0xdeadbeef);
  SetLastError(0xdeadbeef);
  const DWORD n = FormatMessage(kSystemFlags, nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  if (error) *error = GetLastError();
  if (n == 0) {
    EXPECT_EQ(buffer, reinterpret_cast<char*>(0xdeadbeef)) << "no block is handed out on failure";
    return "<none>";
  }
  std::string text(buffer, n);
  EXPECT_EQ(std::strlen(buffer), n);
  LocalFree(buffer);
  return text;
}

TEST(FormatMessage, SystemTextsEndInCrLf) {
  struct Row {
    DWORD code;
    const char* text;
  } rows[] = {
      {.code = 5, .text = "Access is denied.\r\n"},
      {.code = 2, .text = "The system cannot find the file specified.\r\n"},
      {.code = 183, .text = "Cannot create a file when that file already exists.\r\n"},
      {.code = 1804, .text = "The specified datatype is invalid.\r\n"},
      {.code = 0x80004005, .text = "Unspecified error\r\n"},
      {.code = 0x80070005, .text = "Access is denied.\r\n"},  // HRESULT_FROM_WIN32(5)
      {.code = 0x80040154, .text = "Class not registered\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(SystemText(row.code), row.text);
  }
}

TEST(FormatMessage, CodeWithoutTextAnswersNone) {
  DWORD error = 0;
  EXPECT_EQ(SystemText(0xFFFFFFFF, &error), "<none>");
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(SystemText(0x80040200), "<none>");  // CONNECT_E_NOCONNECTION has no system text
}

TEST(FormatMessage, CallerBufferTooSmallFails) {
  char buffer[8];
  std::memset(buffer, 0x5A, sizeof buffer);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, 5, 0, buffer,
                          sizeof buffer, nullptr),
            0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  char big[64];
  EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, 5, 0, big,
                          sizeof big, nullptr),
            19u);
  EXPECT_STREQ(big, "Access is denied.\r\n");
}

TEST(FormatMessage, StringInsertsFromArgumentArray) {
  const char* args[] = {"one", "two"};
  char out[64];
  const DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, "%2 and %1!s!%n100%%",
                                0, 0, out, sizeof out, args);
  EXPECT_STREQ(out, "two and one\r\n100%");
  EXPECT_EQ(n, std::strlen(out));
}

TEST(LastError, IsPerThread) {
  SetLastError(42);
  DWORD seen = 0xdeadbeef;
  std::thread([&] { seen = GetLastError(); }).join();
  EXPECT_EQ(seen, 0u);
  EXPECT_EQ(GetLastError(), 42u);
}

}  // namespace
