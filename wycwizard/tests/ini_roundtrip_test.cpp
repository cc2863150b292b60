// Values through put, save, load and get: escaped text, long values in pieces, integers at
// their limits, reals, flags and bytes; what the typed getters refuse.
#include "ini_test_support.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using initest::IniTest;

class IniRoundTrip : public IniTest {
 protected:
  // Writes `file` to T:\rt.ini and reads it back into a new object.
  IniFile SavedAndLoaded(IniFile file) {
    EXPECT_EQ(IniFileWrite(file, "T:\\rt.ini"), 0);
    IniFile loaded = Make();
    EXPECT_EQ(IniFileRead(loaded, "T:\\rt.ini"), 0);
    return loaded;
  }
};

struct TextCase {
  const char* what;
  std::string text;
  const char* written;  // the value as it stands in the file, when pinned
};

TEST_F(IniRoundTrip, EscapedText) {
  std::string everyByte;
  for (int c = 1; c < 256; ++c) everyByte += static_cast<char>(c);
  const TextCase cases[] = {
      {"tab, quote and 0x1f", "a\tb\"c\x1f" "d", "\"a\\tb\\\"c\\x1fd\""},
      {"line feed, carriage return and backslash", "1\n2\r3\\4", "\"1\\n2\\x0d3\\\\4\""},
      {"blanks at both ends", "  padded  ", "\"  padded  \""},
      {"the empty string", "", "\"\""},
      {"a semicolon and brackets", "; [x] = y", "\"; [x] = y\""},
      {"every byte", everyByte, nullptr},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    IniFile file = Make();
    ASSERT_EQ(IniFileSetText(file, "s", "t", c.text.c_str()), 1);
    IniFile loaded = SavedAndLoaded(file);
    if (c.written != nullptr) {
      EXPECT_EQ(DiskBytes("T:\\rt.ini"), "[s]\r\nt = " + std::string(c.written) + "\r\n\r\n");
    }
    const char* text = nullptr;
    ASSERT_EQ(IniFileText(loaded, "s", "t", &text), 1);
    EXPECT_EQ(std::string(text), c.text);
    char* copy = nullptr;
    ASSERT_EQ(IniFileTextCopy(loaded, "s", "t", &copy), 1);
    EXPECT_EQ(std::string(copy), c.text);
    std::free(copy);
  }
}

struct UnescapeCase {
  const char* stored;
  std::string text;
};

// What a hand-edited file may hold: hex digits in either case (after a lower-case x only),
// unknown escapes, loose ends.
TEST_F(IniRoundTrip, HandWrittenEscapes) {
  const UnescapeCase cases[] = {
      {"\\x1F", "\x1f"},       {"\\X1F", "X1F"},       {"\\x1f\\x7E", "\x1f~"}, {"\\q\\\"", "q\""}, {"\\x4", "x4"},
      {"\\xg1", "xg1"},        {"end\\", "end"},        {"\\t\\n", "\t\n"}, {"\\\\x41", "\\x41"},
  };
  for (const UnescapeCase& c : cases) {
    SCOPED_TRACE(c.stored);
    IniFile file = Make();
    ASSERT_EQ(IniFileSetRaw(file, "s", "t", c.stored), 1);
    IniFile loaded = SavedAndLoaded(file);
    const char* raw = nullptr;
    ASSERT_EQ(IniFileRaw(loaded, "s", "t", &raw), 1);
    EXPECT_STREQ(raw, c.stored);
    const char* text = nullptr;
    ASSERT_EQ(IniFileText(loaded, "s", "t", &text), 1);
    EXPECT_EQ(std::string(text), c.text);
  }
}

// 12,001 characters go out as three pieces of at most 5,000 and come back as one item. Before the
// reader kept whole lines, its cap cut each piece's line and lost text.
TEST_F(IniRoundTrip, LongValuesInPieces) {
  std::string text;
  for (int i = 0; text.size() < 12001; ++i) text += static_cast<char>('a' + i % 26);
  IniFile file = Make();
  ASSERT_EQ(IniFileSetText(file, "s", "big", text.c_str()), 1);
  ASSERT_EQ(IniFileSetLong(file, "s", "after", 1), 1);
  IniFile loaded = SavedAndLoaded(file);
  const std::string written = DiskBytes("T:\\rt.ini");
  EXPECT_EQ(written, "[s]\r\nbig Line0001 = \"" + text.substr(0, 5000) + "\"\r\nbig Line0002 = \"" +
                         text.substr(5000, 5000) + "\"\r\nbig Line0003 = \"" + text.substr(10000) +
                         "\"\r\nafter = 1\r\n\r\n");
  EXPECT_EQ(IniFileItemTotal(loaded, "s"), 2);
  const char* back = nullptr;
  ASSERT_EQ(IniFileText(loaded, "s", "big", &back), 1);
  EXPECT_EQ(std::string(back), text);
  EXPECT_EQ(IniFileLastLine(loaded), 2);

  // Exactly 5,000 characters still take one line.
  ASSERT_EQ(IniFileSetRaw(file, "s", "big", text.substr(0, 5000).c_str()), 1);
  SavedAndLoaded(file);
  EXPECT_NE(DiskBytes("T:\\rt.ini").find("big = \""), std::string::npos);
}

struct IntegerCase {
  const char* what;
  std::function<int(IniFile)> put;
  const char* written;
  int longResult;
  LONG longValue;
  int ulongResult;
  ULONG ulongValue;
};

TEST_F(IniRoundTrip, IntegersAtTheirLimits) {
  const IntegerCase cases[] = {
      {"the smallest 32-bit integer", [](IniFile f) { return IniFileSetLong(f, "s", "n", -2147483647 - 1); },
       "-2147483648", 1, -2147483647 - 1, INI_BAD_VALUE, 0},
      {"the largest", [](IniFile f) { return IniFileSetLong(f, "s", "n", 2147483647); }, "2147483647", 1,
       2147483647, 1, 2147483647u},
      {"2^31 unsigned", [](IniFile f) { return IniFileSetULong(f, "s", "n", 0x80000000u); }, "2147483648",
       INI_BAD_VALUE, 0, 1, 0x80000000u},
      {"the largest unsigned", [](IniFile f) { return IniFileSetULong(f, "s", "n", 0xFFFFFFFFu); }, "4294967295",
       INI_BAD_VALUE, 0, 1, 0xFFFFFFFFu},
      {"a quoted number", [](IniFile f) { return IniFileSetRaw(f, "s", "n", " -5 "); }, "\" -5 \"", 1, -5,
       INI_BAD_VALUE, 0},
      {"blank", [](IniFile f) { return IniFileSetRaw(f, "s", "n", "  "); }, "\"  \"", 0, 0, 0, 0},
      {"text", [](IniFile f) { return IniFileSetText(f, "s", "n", "12 apples"); }, "\"12 apples\"", INI_BAD_VALUE,
       0, INI_BAD_VALUE, 0},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(c.what);
    IniFile file = Make();
    ASSERT_EQ(c.put(file), 1);
    IniFile loaded = SavedAndLoaded(file);
    EXPECT_EQ(DiskBytes("T:\\rt.ini"), "[s]\r\nn = " + std::string(c.written) + "\r\n\r\n");
    LONG l = 99;
    ULONG u = 99;
    EXPECT_EQ(IniFileLong(loaded, "s", "n", &l), c.longResult);
    EXPECT_EQ(l, c.longValue);
    EXPECT_EQ(IniFileULong(loaded, "s", "n", &u), c.ulongResult);
    EXPECT_EQ(u, c.ulongValue);
  }
}

struct RealCase {
  const char* what;
  std::function<int(IniFile)> put;
  int result;
  double value;
};

TEST_F(IniRoundTrip, RealsAndFlags) {
  const RealCase cases[] = {
      {"Inf", [](IniFile f) { return IniFileSetRaw(f, "s", "r", "Inf"); }, 1, HUGE_VAL},
      {"-inf", [](IniFile f) { return IniFileSetRaw(f, "s", "r", "-inf"); }, 1, -HUGE_VAL},
      {"+INF", [](IniFile f) { return IniFileSetRaw(f, "s", "r", "+INF"); }, 1, HUGE_VAL},
      {"an infinity put", [](IniFile f) { return IniFileSetReal(f, "s", "r", -HUGE_VAL); }, 1, -HUGE_VAL},
      {"a real put", [](IniFile f) { return IniFileSetReal(f, "s", "r", 0.1); }, 1, 0.1},
      {"a large one", [](IniFile f) { return IniFileSetReal(f, "s", "r", -1.5e300); }, 1, -1.5e300},
      {"out of range", [](IniFile f) { return IniFileSetRaw(f, "s", "r", "1e999"); }, INI_BAD_VALUE, 0},
      {"not a number", [](IniFile f) { return IniFileSetRaw(f, "s", "r", "nan"); }, INI_BAD_VALUE, 0},
      {"hexadecimal", [](IniFile f) { return IniFileSetRaw(f, "s", "r", "0x10"); }, INI_BAD_VALUE, 0},
      {"trailing text", [](IniFile f) { return IniFileSetRaw(f, "s", "r", "1.5x"); }, INI_BAD_VALUE, 0},
  };
  for (const RealCase& c : cases) {
    SCOPED_TRACE(c.what);
    IniFile file = Make();
    ASSERT_EQ(c.put(file), 1);
    IniFile loaded = SavedAndLoaded(file);
    double value = 99;
    EXPECT_EQ(IniFileReal(loaded, "s", "r", &value), c.result);
    EXPECT_EQ(value, c.value);
  }
  // An infinity is written as the reader spells it, whatever the run time's "%g" makes of it.
  IniFile infinite = Make();
  IniFileSetReal(infinite, "s", "r", HUGE_VAL);
  SavedAndLoaded(infinite);
  EXPECT_EQ(DiskBytes("T:\\rt.ini"), "[s]\r\nr = Inf\r\n\r\n");

  IniFile file = Make();
  IniFileSetFlag(file, "s", "yes", 7);
  IniFileSetFlag(file, "s", "no", 0);
  IniFileSetRaw(file, "s", "upper", "TRUE");
  IniFileSetRaw(file, "s", "other", "yes");
  IniFile loaded = SavedAndLoaded(file);
  EXPECT_EQ(DiskBytes("T:\\rt.ini"), "[s]\r\nyes = True\r\nno = False\r\nupper = \"TRUE\"\r\nother = \"yes\"\r\n\r\n");
  int flag = 5;
  EXPECT_EQ(IniFileFlag(loaded, "s", "yes", &flag), 1);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(IniFileFlag(loaded, "s", "no", &flag), 1);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(IniFileFlag(loaded, "s", "upper", &flag), 1);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(IniFileFlag(loaded, "s", "other", &flag), INI_BAD_VALUE);
  EXPECT_EQ(IniFileFlag(loaded, "s", "missing", &flag), 0);
  EXPECT_EQ(flag, 0);
}

TEST_F(IniRoundTrip, BytesOfEveryLength) {
  for (int length = 0; length <= 7; ++length) {
    SCOPED_TRACE(length);
    std::vector<unsigned char> bytes;
    for (int i = 0; i < length; ++i) bytes.push_back(static_cast<unsigned char>(255 - 40 * i));
    IniFile file = Make();
    ASSERT_EQ(IniFileSetBytes(file, "s", "b", bytes.data(), length), 1);
    IniFile loaded = SavedAndLoaded(file);
    void* back = nullptr;
    int count = -1;
    ASSERT_EQ(IniFileBytes(loaded, "s", "b", &back, &count), 1);
    ASSERT_EQ(count, length);
    EXPECT_TRUE(length == 0 || std::memcmp(back, bytes.data(), static_cast<size_t>(length)) == 0);
    std::free(back);
  }
}

TEST_F(IniRoundTrip, GettersOfMissingItemsLeaveTheirOutputsEmpty) {
  IniFile file = Make();
  IniFileSetRaw(file, "s", "t", "value");
  const char* text = "poison";
  char* copy = reinterpret_cast<char*>(1);
  char buffer[4] = "xyz";
  LONG l = 5;
  void* bytes = reinterpret_cast<void*>(1);
  int count = 5;
  EXPECT_EQ(IniFileRaw(file, "none", "t", &text), 0);
  EXPECT_EQ(text, nullptr);
  text = "poison";
  EXPECT_EQ(IniFileText(file, "s", "none", &text), 0);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(IniFileRawCopy(file, "s", "none", &copy), 0);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(IniFileTextInto(file, "s", "none", buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(IniFileLong(file, "none", "t", &l), 0);
  EXPECT_EQ(l, 0);
  EXPECT_EQ(IniFileBytes(file, "s", "none", &bytes, &count), 0);
  EXPECT_EQ(bytes, nullptr);
  EXPECT_EQ(count, 0);
  // Into a buffer: at most size-1 characters, always terminated.
  EXPECT_EQ(IniFileRawInto(file, "s", "t", buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "val");
  IniFileSetText(file, "s", "tab", "a\tb");
  EXPECT_EQ(IniFileTextInto(file, "s", "tab", buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "a\tb");
}

}  // namespace
