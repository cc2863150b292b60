// LoadString over the strings compiled into this program (user32_tests.rc).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource.h"
#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;
constexpr char kGuard = 0x7E;

struct LoadCase {
  const char* name;
  unsigned codePage;
  UINT id;
  int max;
  int result;
  std::string text;
  DWORD error;  // kPoison: untouched
};

TEST(LoadString, CopiesConvertsAndTruncatesWholeCharacters) {
  const LoadCase cases[] = {
      {.name = "present", .codePage = 1252, .id = IDS_HELLO, .max = 64, .result = 5, .text = "Hello", .error = kPoison},
      {.name = "exact fit", .codePage = 1252, .id = IDS_HELLO, .max = 6, .result = 5, .text = "Hello", .error = kPoison},
      {.name = "truncated to max - 1", .codePage = 1252, .id = IDS_HELLO, .max = 5, .result = 4, .text = "Hell", .error = kPoison},
      {.name = "max 1 holds only the NUL", .codePage = 1252, .id = IDS_HELLO, .max = 1, .result = 0, .text = "", .error = kPoison},
      {.name = "cp1252 letter", .codePage = 1252, .id = IDS_ACCENT, .max = 64, .result = 4, .text = "caf\xe9", .error = kPoison},
      {.name = "cp1252 euro", .codePage = 1252, .id = IDS_EURO, .max = 64, .result = 3, .text = "\x80 5", .error = kPoison},
      {.name = "cp1252 bytes in the script", .codePage = 1252, .id = IDS_RAW, .max = 64, .result = 6, .text = "caf\xe9 \x80", .error = kPoison},
      {.name = "embedded NUL is copied", .codePage = 1252, .id = IDS_WITH_NUL, .max = 64, .result = 3, .text = std::string("a\0b", 3), .error = kPoison},
      {.name = "no such letter in 932", .codePage = 932, .id = IDS_ACCENT, .max = 64, .result = 4, .text = "caf?", .error = kPoison},
      {.name = "double-byte whole", .codePage = 932, .id = IDS_JAPANESE, .max = 64, .result = 6, .text = "\x93\xfa\x96\x7b\x8c\xea", .error = kPoison},
      {.name = "double-byte never cut", .codePage = 932, .id = IDS_JAPANESE, .max = 6, .result = 4, .text = "\x93\xfa\x96\x7b", .error = kPoison},
      {.name = "no whole character fits", .codePage = 932, .id = IDS_JAPANESE, .max = 2, .result = 0, .text = "", .error = kPoison},
      {.name = "trail byte is a backslash", .codePage = 932, .id = IDS_MIXED, .max = 64, .result = 3, .text = "a\x95\x5c", .error = kPoison},
      {.name = "cut before the pair", .codePage = 932, .id = IDS_MIXED, .max = 3, .result = 1, .text = "a", .error = kPoison},
      {.name = "no such letters in 1252", .codePage = 1252, .id = IDS_JAPANESE, .max = 64, .result = 3, .text = "???", .error = kPoison},
      {.name = "other bundle", .codePage = 1252, .id = IDS_BUNDLE_3, .max = 64, .result = 12, .text = "third bundle", .error = kPoison},
      {.name = "absent in a present bundle", .codePage = 1252, .id = IDS_ABSENT_IN_BUNDLE, .max = 64, .result = 0, .text = "", .error = ERROR_RESOURCE_NAME_NOT_FOUND},
      {.name = "absent bundle", .codePage = 1252, .id = 500, .max = 64, .result = 0, .text = "", .error = ERROR_RESOURCE_NAME_NOT_FOUND},
      {.name = "id beyond 16 bits", .codePage = 1252, .id = 0x10001, .max = 64, .result = 0, .text = "", .error = ERROR_RESOURCE_NAME_NOT_FOUND},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::SetCodePage(c.codePage);
    char buffer[80];
    std::memset(buffer, kGuard, sizeof buffer);
    SetLastError(kPoison);
    EXPECT_EQ(LoadString(GetModuleHandle(nullptr), c.id, buffer, c.max), c.result);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(std::string(buffer, c.result), c.text);
    EXPECT_EQ(buffer[c.result], '\0');
    for (size_t i = c.result + 1; i < sizeof buffer; ++i)
      ASSERT_EQ(buffer[i], kGuard) << "byte " << i << " was written";
  }
}

TEST(LoadString, NullInstanceIsTheProgram) {
  char buffer[16];
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "Hello");
}

TEST(LoadString, ModuleWithoutResources) {
  char buffer[16] = "untouched";
  SetLastError(kPoison);
  EXPECT_EQ(LoadString(GetModuleHandle("libuser32.so"), IDS_HELLO, buffer, sizeof buffer), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_STREQ(buffer, "");
}

TEST(LoadString, ZeroMaxAsksForAPointerTheAFormDoesNotGive) {
  char buffer[8] = "keep";
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO, buffer, 0), 0);
  EXPECT_STREQ(buffer, "keep");
  SetLastError(kPoison);
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO, nullptr, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
