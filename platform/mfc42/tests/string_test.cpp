// CString over the process code page: the MFC 4.2 surface, and double-byte text under code
// page 932 where a trail byte may equal '\\' (0x5C) or ' ' (0x20).
#include <afxwin.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource.h"
#include "assertion.h"
#include "sandbox/sandbox.h"

namespace {

// Shift-JIS characters whose trail byte is a single-byte character of its own.
#define SJIS_SO "\x83\x5C"     // katakana SO: trail byte '\\'
#define SJIS_HYO "\x95\x5C"    // kanji HYOU: trail byte '\\'
#define SJIS_SPACE_TRAIL "\x81\x20"  // a lead byte followed by ' ' pairs with it
#define SJIS_NI "\x93\xfa"     // kanji NI(CHI)
#define SJIS_A_UPPER "\x82\x60"  // full-width 'A' (trail byte 0x60 = '`')

std::string Bytes(const CString& s) { return std::string(static_cast<LPCTSTR>(s), s.GetLength()); }

TEST(CStringTest, ConstructionAndAssignment) {
  EXPECT_EQ(Bytes(CString()), "");
  EXPECT_EQ(Bytes(CString(static_cast<LPCSTR>(NULL))), "");
  EXPECT_EQ(Bytes(CString("abc")), "abc");
  EXPECT_EQ(Bytes(CString('x', 3)), "xxx");
  EXPECT_EQ(Bytes(CString('x', 0)), "");
  EXPECT_EQ(Bytes(CString('x', -2)), "");
  EXPECT_EQ(Bytes(CString("abcdef", 3)), "abc");
  EXPECT_EQ(Bytes(CString(reinterpret_cast<const unsigned char*>("\xe9t\xe9"))), "\xe9t\xe9");

  CString a("first");
  CString b(a);
  b += "!";
  EXPECT_EQ(Bytes(a), "first");  // value semantics: the copy changed alone
  EXPECT_EQ(Bytes(b), "first!");
  a = 'c';
  EXPECT_EQ(Bytes(a), "c");
  a = static_cast<LPCSTR>(NULL);
  EXPECT_TRUE(a.IsEmpty());
  a = reinterpret_cast<const unsigned char*>("u");
  EXPECT_EQ(Bytes(a), "u");

  // Assigning a pointer into the string's own text.
  CString self("abcdef");
  self = static_cast<LPCTSTR>(self) + 2;
  EXPECT_EQ(Bytes(self), "cdef");
  self += static_cast<LPCTSTR>(self);
  EXPECT_EQ(Bytes(self), "cdefcdef");

  self.Empty();
  EXPECT_EQ(self.GetLength(), 0);
  EXPECT_STREQ(static_cast<LPCTSTR>(self), "");
}

TEST(CStringTest, ConcatenationOfEveryPairOfOperandKinds) {
  const CString s("ab");
  EXPECT_EQ(Bytes(s + CString("cd")), "abcd");
  EXPECT_EQ(Bytes(s + 'c'), "abc");
  EXPECT_EQ(Bytes('z' + s), "zab");
  EXPECT_EQ(Bytes(s + "cd"), "abcd");
  EXPECT_EQ(Bytes("yz" + s), "yzab");
  EXPECT_EQ(Bytes(s + static_cast<LPCTSTR>(NULL)), "ab");
  CString t;
  t += s;
  t += 'x';
  t += "yz";
  EXPECT_EQ(Bytes(t), "abxyz");
}

void ReadPastTheEnd() { EXPECT_EQ(CString("abc").GetAt(3), '\0'); }

TEST(CStringTest, ElementAccessChecksTheIndex) {
  CString s("abc");
  EXPECT_EQ(s.GetAt(0), 'a');
  EXPECT_EQ(s[2], 'c');
  s.SetAt(1, 'X');
  EXPECT_EQ(Bytes(s), "aXc");
  // Out of range: an assertion failure, and nothing read or written beyond the string.
  EXPECT_ASSERTION(ReadPastTheEnd(), "Assertion failed");
  EXPECT_ASSERTION(CString("abc").SetAt(-1, 'x'), "Assertion failed");
}

struct CompareCase {
  const char* a;
  const char* b;
  int compare;
  int compareNoCase;
};

TEST(CStringTest, ComparisonsInCodePage1252) {
  const CompareCase cases[] = {
      {.a = "abc", .b = "abc", .compare = 0, .compareNoCase = 0},
      {.a = "abc", .b = "abd", .compare = -1, .compareNoCase = -1},
      {.a = "abc", .b = "ab", .compare = 1, .compareNoCase = 1},
      {.a = "", .b = "a", .compare = -1, .compareNoCase = -1},
      {.a = "ABC", .b = "abc", .compare = -1, .compareNoCase = 0},
      // Folding is to lower case: '_' (0x5F) sorts before 'a' but after 'A'.
      {.a = "A", .b = "_", .compare = -1, .compareNoCase = 1},
      // Bytes above 0x7F compare unsigned; the Latin-1 letters fold under 1252.
      {.a = "\xe9", .b = "z", .compare = 1, .compareNoCase = 1},
      {.a = "caf\xc9", .b = "caf\xe9", .compare = -1, .compareNoCase = 0},
      {.a = "\x8a", .b = "\x9a", .compare = -1, .compareNoCase = 0},
      {.a = "\xd7", .b = "\xf7", .compare = -1, .compareNoCase = -1},  // multiplication/division signs
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    const CString a(c.a);
    EXPECT_EQ(a.Compare(c.b), c.compare);
    EXPECT_EQ(a.CompareNoCase(c.b), c.compareNoCase);
    EXPECT_EQ(a.Collate(c.b), c.compare);
    EXPECT_EQ(a == c.b, c.compare == 0);
    EXPECT_EQ(c.b == a, c.compare == 0);
    EXPECT_EQ(a == CString(c.b), c.compare == 0);
    EXPECT_EQ(a != c.b, c.compare != 0);
    EXPECT_EQ(c.b != a, c.compare != 0);
    EXPECT_EQ(a < c.b, c.compare < 0);
    EXPECT_EQ(c.b < a, c.compare > 0);
    EXPECT_EQ(a > CString(c.b), c.compare > 0);
    EXPECT_EQ(c.b > a, c.compare < 0);
    EXPECT_EQ(a <= c.b, c.compare <= 0);
    EXPECT_EQ(c.b <= a, c.compare >= 0);
    EXPECT_EQ(a >= CString(c.b), c.compare >= 0);
    EXPECT_EQ(c.b >= a, c.compare <= 0);
  }
}

TEST(CStringTest, DoubleByteComparisonOrdersByCharacterNotByByte) {
  sandbox::SetCodePage(932);
  // A single-byte half-width katakana (0xB1) is one character below any double-byte character
  // (0x8140 and up), although its byte is above the lead byte 0x81.
  EXPECT_LT(CString("\xb1").Compare("\x81\x40"), 0);
  EXPECT_LT(CString("a").Compare(SJIS_NI), 0);
  // Only single-byte letters fold; the full-width 'A' is not 'a'. Its trail byte 0x60 is no letter.
  EXPECT_EQ(CString("ABC" SJIS_A_UPPER).CompareNoCase("abc" SJIS_A_UPPER), 0);
  EXPECT_NE(CString(SJIS_A_UPPER).CompareNoCase("a"), 0);
  // Under 1252 the same bytes are two characters each.
  sandbox::SetCodePage(1252);
  EXPECT_GT(CString("\xb1").Compare("\x81\x40"), 0);
}

struct ExtractCase {
  const char* name;
  const char* text;
  int first;
  int count;  // -1: Mid(first)
  const char* mid;
};

TEST(CStringTest, MidLeftRightClampToTheString) {
  const ExtractCase cases[] = {
      {.name = "middle", .text = "abcdef", .first = 1, .count = 3, .mid = "bcd"},
      {.name = "to the end", .text = "abcdef", .first = 4, .count = -1, .mid = "ef"},
      {.name = "count past the end", .text = "abcdef", .first = 4, .count = 10, .mid = "ef"},
      {.name = "first past the end", .text = "abcdef", .first = 9, .count = 2, .mid = ""},
      {.name = "negative first", .text = "abcdef", .first = -3, .count = 2, .mid = "ab"},
      {.name = "negative count", .text = "abcdef", .first = 1, .count = -5, .mid = ""},
  };
  for (const ExtractCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CString s(c.text);
    EXPECT_EQ(Bytes(c.count == -1 ? s.Mid(c.first) : s.Mid(c.first, c.count)), c.mid);
  }
  const CString s("abcdef");
  EXPECT_EQ(Bytes(s.Left(2)), "ab");
  EXPECT_EQ(Bytes(s.Left(99)), "abcdef");
  EXPECT_EQ(Bytes(s.Left(-1)), "");
  EXPECT_EQ(Bytes(s.Right(2)), "ef");
  EXPECT_EQ(Bytes(s.Right(99)), "abcdef");
  EXPECT_EQ(Bytes(s.Right(-1)), "");
}

struct SearchCase {
  const char* name;
  unsigned codePage;
  const char* text;
  int findBackslash;     // Find('\\')
  int reverseBackslash;  // ReverseFind('\\')
  int findSpace;         // Find(' ')
  int findOneOf;         // FindOneOf("\\ ")
};

// Searches step by character: under 932 the trail bytes 0x5C and 0x20 are never found.
TEST(CStringTest, SearchesNeverMatchATrailByte) {
  const SearchCase cases[] = {
      {.name = "ascii", .codePage = 932, .text = "a\\b c\\", .findBackslash = 1, .reverseBackslash = 5,
       .findSpace = 3, .findOneOf = 1},
      {.name = "only trail bytes", .codePage = 932, .text = SJIS_SO SJIS_HYO SJIS_SPACE_TRAIL, .findBackslash = -1,
       .reverseBackslash = -1, .findSpace = -1, .findOneOf = -1},
      {.name = "separator after a trail 0x5C", .codePage = 932, .text = "dir" SJIS_SO "\\file", .findBackslash = 5,
       .reverseBackslash = 5, .findSpace = -1, .findOneOf = 5},
      {.name = "same bytes in 1252", .codePage = 1252, .text = "dir" SJIS_SO "\\file", .findBackslash = 4,
       .reverseBackslash = 5, .findSpace = -1, .findOneOf = 4},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::SetCodePage(c.codePage);
    const CString s(c.text);
    EXPECT_EQ(s.Find('\\'), c.findBackslash);
    EXPECT_EQ(s.ReverseFind('\\'), c.reverseBackslash);
    EXPECT_EQ(s.Find(' '), c.findSpace);
    EXPECT_EQ(s.FindOneOf("\\ "), c.findOneOf);
  }
}

TEST(CStringTest, FindWithStartAndSubstrings) {
  const CString s("abcabc");
  EXPECT_EQ(s.Find('b', 2), 4);
  EXPECT_EQ(s.Find('b', 6), -1);
  EXPECT_EQ(s.Find('b', -4), 1);
  EXPECT_EQ(s.Find("ca"), 2);
  EXPECT_EQ(s.Find("bc", 2), 4);
  EXPECT_EQ(s.Find("bc", 5), -1);
  EXPECT_EQ(s.Find("abcabcd"), -1);
  EXPECT_EQ(s.Find(""), 0);
  EXPECT_EQ(s.Find("", 3), 3);
  EXPECT_EQ(s.Find(static_cast<LPCTSTR>(NULL)), -1);

  sandbox::SetCodePage(932);
  // "\x5C\x83" spans the end of one character and the start of the next: no match.
  const CString dbcs(SJIS_SO SJIS_SO "x");
  EXPECT_EQ(dbcs.Find("\x5c\x83"), -1);
  EXPECT_EQ(dbcs.Find(SJIS_SO "x"), 2);
  // A start inside a double-byte character moves to the next character.
  EXPECT_EQ(dbcs.Find(SJIS_SO, 1), 2);
  EXPECT_EQ(dbcs.Find('x', 1), 4);
}

struct TrimCase {
  const char* name;
  unsigned codePage;
  const char* text;
  const char* trimLeft;
  const char* trimRight;
  const char* targets;  // nullptr: white space; one byte: the char overload; else the set
  const char* trimmedLeftTargets;
  const char* trimmedRightTargets;
};

TEST(CStringTest, TrimKeepsLeadAndTrailBytesTogether) {
  const TrimCase cases[] = {
      {.name = "white space", .codePage = 1252, .text = " \t\r\nab c\v\f ", .trimLeft = "ab c\v\f ",
       .trimRight = " \t\r\nab c", .targets = "x", .trimmedLeftTargets = " \t\r\nab c\v\f ",
       .trimmedRightTargets = " \t\r\nab c\v\f "},
      {.name = "a char", .codePage = 1252, .text = "xxaxbxx", .trimLeft = "xxaxbxx", .trimRight = "xxaxbxx",
       .targets = "x", .trimmedLeftTargets = "axbxx", .trimmedRightTargets = "xxaxb"},
      {.name = "a set", .codePage = 1252, .text = "-=a=b-=", .trimLeft = "-=a=b-=", .trimRight = "-=a=b-=",
       .targets = "=-", .trimmedLeftTargets = "a=b-=", .trimmedRightTargets = "-=a=b"},
      {.name = "all of it", .codePage = 1252, .text = "   ", .trimLeft = "", .trimRight = "", .targets = " ",
       .trimmedLeftTargets = "", .trimmedRightTargets = ""},
      // The trail byte ' ' of the last character is no white space.
      {.name = "trail byte space", .codePage = 932, .text = " a" SJIS_SPACE_TRAIL, .trimLeft = "a" SJIS_SPACE_TRAIL,
       .trimRight = " a" SJIS_SPACE_TRAIL, .targets = " ", .trimmedLeftTargets = "a" SJIS_SPACE_TRAIL,
       .trimmedRightTargets = " a" SJIS_SPACE_TRAIL},
      // The trail byte '\\' of the last character is no backslash.
      {.name = "trail byte backslash", .codePage = 932, .text = "\\dir" SJIS_SO, .trimLeft = "\\dir" SJIS_SO,
       .trimRight = "\\dir" SJIS_SO, .targets = "\\", .trimmedLeftTargets = "dir" SJIS_SO,
       .trimmedRightTargets = "\\dir" SJIS_SO},
      {.name = "backslashes after a trail backslash", .codePage = 932, .text = "dir" SJIS_SO "\\\\",
       .trimLeft = "dir" SJIS_SO "\\\\", .trimRight = "dir" SJIS_SO "\\\\", .targets = "\\",
       .trimmedLeftTargets = "dir" SJIS_SO "\\\\", .trimmedRightTargets = "dir" SJIS_SO},
      // A double-byte character in the set is trimmed as a whole; its lead byte alone is not.
      {.name = "double-byte targets", .codePage = 932, .text = SJIS_NI "a" SJIS_NI, .trimLeft = SJIS_NI "a" SJIS_NI,
       .trimRight = SJIS_NI "a" SJIS_NI, .targets = SJIS_NI "-", .trimmedLeftTargets = "a" SJIS_NI,
       .trimmedRightTargets = SJIS_NI "a"},
      {.name = "a lead byte is no target", .codePage = 932, .text = SJIS_NI "a", .trimLeft = SJIS_NI "a",
       .trimRight = SJIS_NI "a", .targets = "\x93", .trimmedLeftTargets = SJIS_NI "a",
       .trimmedRightTargets = SJIS_NI "a"},
      // The same bytes under 1252: 0x5C is a backslash of its own.
      {.name = "1252 has no pairs", .codePage = 1252, .text = "dir" SJIS_SO, .trimLeft = "dir" SJIS_SO,
       .trimRight = "dir" SJIS_SO, .targets = "\\", .trimmedLeftTargets = "dir" SJIS_SO,
       .trimmedRightTargets = "dir\x83"},
  };
  for (const TrimCase& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::SetCodePage(c.codePage);
    CString left(c.text), right(c.text), leftTargets(c.text), rightTargets(c.text);
    left.TrimLeft();
    right.TrimRight();
    EXPECT_EQ(Bytes(left), c.trimLeft);
    EXPECT_EQ(Bytes(right), c.trimRight);
    if (std::strlen(c.targets) == 1) {
      leftTargets.TrimLeft(c.targets[0]);
      rightTargets.TrimRight(c.targets[0]);
      EXPECT_EQ(Bytes(leftTargets), c.trimmedLeftTargets);
      EXPECT_EQ(Bytes(rightTargets), c.trimmedRightTargets);
    }
    CString leftSet(c.text), rightSet(c.text);
    leftSet.TrimLeft(c.targets);
    rightSet.TrimRight(c.targets);
    EXPECT_EQ(Bytes(leftSet), c.trimmedLeftTargets);
    EXPECT_EQ(Bytes(rightSet), c.trimmedRightTargets);
  }
}

TEST(CStringTest, SpansStepByCharacter) {
  const CString s("aabbcc");
  EXPECT_EQ(Bytes(s.SpanIncluding("ab")), "aabb");
  EXPECT_EQ(Bytes(s.SpanIncluding("x")), "");
  EXPECT_EQ(Bytes(s.SpanExcluding("c")), "aabb");
  EXPECT_EQ(Bytes(s.SpanExcluding("xyz")), "aabbcc");

  sandbox::SetCodePage(932);
  // Tokenizing a path at '\\' keeps the double-byte character whose trail byte is '\\'.
  const CString path("dir" SJIS_SO "\\name");
  EXPECT_EQ(Bytes(path.SpanExcluding("\\")), "dir" SJIS_SO);
  EXPECT_EQ(Bytes(CString(SJIS_NI SJIS_NI "x").SpanIncluding(SJIS_NI)), SJIS_NI SJIS_NI);
}

TEST(CStringTest, ExtractSubStringSplitsOnlyAtWholeCharacters) {
  sandbox::SetCodePage(932);
  const char* full = "one\\dir" SJIS_SO "\\\\last";
  const char* expected[] = {"one", ("dir" SJIS_SO), "", "last"};
  CString field;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(AfxExtractSubString(field, full, i, '\\'));
    EXPECT_EQ(Bytes(field), expected[i]);
  }
  field = "stale";
  EXPECT_FALSE(AfxExtractSubString(field, full, 4, '\\'));
  EXPECT_TRUE(field.IsEmpty());
  EXPECT_TRUE(AfxExtractSubString(field, "a\nb", 1));  // '\n' is the default separator
  EXPECT_EQ(Bytes(field), "b");
}

struct EditCase {
  const char* name;
  unsigned codePage;
  const char* text;
  const char* upper;
  const char* lower;
  const char* reversed;
};

TEST(CStringTest, CaseMappingAndReversingKeepDoubleByteCharacters) {
  const EditCase cases[] = {
      {.name = "ascii", .codePage = 1252, .text = "aB1_z", .upper = "AB1_Z", .lower = "ab1_z", .reversed = "z_1Ba"},
      {.name = "latin-1", .codePage = 1252, .text = "\xe9\xc9\xff\x9a\xdf\xf7", .upper = "\xc9\xc9\x9f\x8a\xdf\xf7",
       .lower = "\xe9\xe9\xff\x9a\xdf\xf7", .reversed = "\xf7\xdf\x9a\xff\xc9\xe9"},
      // The trail byte 0x60 ('`') and 'a'-like trail bytes are never mapped alone.
      {.name = "double-byte", .codePage = 932, .text = "a" SJIS_A_UPPER "\x82\x61" "b",
       .upper = "A" SJIS_A_UPPER "\x82\x61" "B", .lower = "a" SJIS_A_UPPER "\x82\x61" "b",
       .reversed = "b\x82\x61" SJIS_A_UPPER "a"},
      {.name = "lead byte at the end stays alone", .codePage = 932, .text = "x" SJIS_SO "\x83",
       .upper = "X" SJIS_SO "\x83", .lower = "x" SJIS_SO "\x83", .reversed = "\x83" SJIS_SO "x"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::SetCodePage(c.codePage);
    CString upper(c.text), lower(c.text), reversed(c.text);
    upper.MakeUpper();
    lower.MakeLower();
    reversed.MakeReverse();
    EXPECT_EQ(Bytes(upper), c.upper);
    EXPECT_EQ(Bytes(lower), c.lower);
    EXPECT_EQ(Bytes(reversed), c.reversed);
  }
}

TEST(CStringTest, ReplaceRemoveInsertDelete) {
  CString s("a.b.c");
  EXPECT_EQ(s.Replace('.', '/'), 2);
  EXPECT_EQ(Bytes(s), "a/b/c");
  EXPECT_EQ(s.Replace('x', 'y'), 0);

  s = "aaa";
  EXPECT_EQ(s.Replace("aa", "b"), 1);  // left to right, no overlap
  EXPECT_EQ(Bytes(s), "ba");
  s = "one two one";
  EXPECT_EQ(s.Replace("one", "three"), 2);
  EXPECT_EQ(Bytes(s), "three two three");
  EXPECT_EQ(s.Replace("three ", NULL), 1);
  EXPECT_EQ(Bytes(s), "two three");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Replace(static_cast<LPCTSTR>(NULL), "x"), 0);
  EXPECT_EQ(Bytes(s), "two three");

  s = "a-b--c";
  EXPECT_EQ(s.Remove('-'), 3);
  EXPECT_EQ(Bytes(s), "abc");

  EXPECT_EQ(s.Insert(1, 'X'), 4);
  EXPECT_EQ(Bytes(s), "aXbc");
  EXPECT_EQ(s.Insert(99, "!!"), 6);
  EXPECT_EQ(Bytes(s), "aXbc!!");
  EXPECT_EQ(s.Insert(-5, ">"), 7);
  EXPECT_EQ(Bytes(s), ">aXbc!!");
  EXPECT_EQ(s.Delete(1, 2), 5);
  EXPECT_EQ(Bytes(s), ">bc!!");
  EXPECT_EQ(s.Delete(3, 99), 3);
  EXPECT_EQ(Bytes(s), ">bc");
  EXPECT_EQ(s.Delete(7), 3);
  EXPECT_EQ(s.Delete(0, 0), 3);
  EXPECT_EQ(s.Delete(-1), 2);
  EXPECT_EQ(Bytes(s), "bc");

  sandbox::SetCodePage(932);
  CString dbcs("a" SJIS_SO "\\" SJIS_HYO);
  EXPECT_EQ(dbcs.Replace('\\', '/'), 1);
  EXPECT_EQ(Bytes(dbcs), "a" SJIS_SO "/" SJIS_HYO);
  EXPECT_EQ(dbcs.Remove('\\'), 0);
  dbcs = SJIS_SO SJIS_SO;
  EXPECT_EQ(dbcs.Replace("\\\x83", "!"), 0);  // spans two characters
  EXPECT_EQ(dbcs.Replace(SJIS_SO, "x"), 2);
  EXPECT_EQ(Bytes(dbcs), "xx");
}

TEST(CStringTest, FormatUsesThePlatformSizes) {
  CString s;
  s.Format("%d|%5s|%-4d|%04x|%c|%%", -12, "ab", 7, 255, 'q');
  EXPECT_EQ(Bytes(s), "-12|   ab|7   |00ff|q|%");
  // 'l' is 32 bits as on the platform, I64 is 64 bits, 'h' is 16 bits.
  const LONG negative = -5;
  const DWORD big = 0xFFFFFFFFu;
  s.Format("%ld %lu %lx %I64d %hd %hu", negative, big, big, static_cast<__int64>(-1) << 40, 70000, 70000);
  EXPECT_EQ(Bytes(s), "-5 4294967295 ffffffff -1099511627776 4464 4464");
  // Exponents have at least three digits, as the platform's run time writes them.
  s.Format("%.2f %e|%10.2E|%g|%g", 3.14159, 1000.0, -0.000125, 0.5, 1e20);
  EXPECT_EQ(Bytes(s), "3.14 1.000000e+003|-1.25E-004|0.5|1e+020");
  s.Format("%*d|%.*s|%s", 4, 9, 2, "abcdef", static_cast<LPCTSTR>(NULL));
  EXPECT_EQ(Bytes(s), "   9|ab|(null)");
  // A CString argument formats as its text.
  const CString name("file.txt");
  s.Format("[%s] [%-10s]", name, name);
  EXPECT_EQ(Bytes(s), "[file.txt] [file.txt  ]");
  // Wide text converts to the code page.
  s.Format("%S|%ls", u"wide\u00e9", u"x");
  EXPECT_EQ(Bytes(s), "wide\xe9|x");
  // %p is the address in upper-case hex digits without "0x".
  s.Format("%p", reinterpret_cast<void*>(0xABCDEF));
  EXPECT_EQ(Bytes(s), "0000000000ABCDEF");
  // A long result is not cut.
  s.Format("%s%s", std::string(3000, 'x').c_str(), "!");
  EXPECT_EQ(s.GetLength(), 3001);
  // Format from a string resource.
  s.Format(IDS_COUNT_FORMAT, 3, "C:\\src");
  EXPECT_EQ(Bytes(s), "3 files in C:\\src");
}

void FormatUnknownConversion() {
  CString s;
  s.Format("a%qb", 1);
  EXPECT_EQ(Bytes(s), "a%qb");
}

void FormatCountConversion() {
  int written = 0;
  CString s;
  s.Format("x%n", &written);
  EXPECT_EQ(written, 0);  // nothing is written through the argument
  EXPECT_EQ(Bytes(s), "x%n");
}

TEST(CStringTest, FormatRefusesWhatItCannotFormatLoudly) {
  EXPECT_ASSERTION(FormatUnknownConversion(), "Assertion failed");
  EXPECT_ASSERTION(FormatCountConversion(), "Assertion failed");
}

void ReleaseBeyondTheBuffer() {
  CString t("ab");
  t.GetBuffer(2);
  t.ReleaseBuffer(5);  // longer than the buffer: an assertion, the length stays in range
  EXPECT_EQ(t.GetLength(), 2);
}

TEST(CStringTest, BufferAccess) {
  CString s("abc");
  char* buffer = s.GetBuffer(10);
  std::strcpy(buffer, "0123456789");
  s.ReleaseBuffer();
  EXPECT_EQ(Bytes(s), "0123456789");

  buffer = s.GetBuffer(2);  // smaller than the string: the text stays
  EXPECT_EQ(std::string(buffer), "0123456789");
  buffer[3] = '\0';
  s.ReleaseBuffer();  // -1: up to the first NUL
  EXPECT_EQ(Bytes(s), "012");

  buffer = s.GetBuffer(8);
  std::memcpy(buffer, "abcdefgh", 8);
  s.ReleaseBuffer(5);
  EXPECT_EQ(Bytes(s), "abcde");

  buffer = s.GetBufferSetLength(3);
  EXPECT_EQ(s.GetLength(), 3);
  buffer[0] = 'X';
  s.ReleaseBuffer(3);
  EXPECT_EQ(Bytes(s), "Xbc");

  LPTSTR locked = s.LockBuffer();
  locked[1] = 'Y';
  s.UnlockBuffer();
  EXPECT_EQ(Bytes(s), "XYc");
  s.FreeExtra();
  EXPECT_EQ(Bytes(s), "XYc");

  EXPECT_ASSERTION(ReleaseBeyondTheBuffer(), "Assertion failed");
}

// The program's own strings come first, then the resource handle's; a module that is neither (nor
// an extension DLL in the library list) is not looked in. resource_chain_test.cpp has the rest.
TEST(CStringTest, LoadStringLooksInTheProgramThenTheResourceHandle) {
  CString s("unchanged");
  ASSERT_TRUE(s.LoadString(IDS_GREETING));
  EXPECT_EQ(Bytes(s), "Hello from the tests");
  EXPECT_FALSE(s.LoadString(IDS_ONLY_IN_RESMOD));

  EXPECT_TRUE(s.LoadString(IDS_LONG));  // longer than a first buffer of 256 bytes
  EXPECT_EQ(s.GetLength(), 600);
  EXPECT_EQ(Bytes(s.Right(10)), "0123456789");

  s = "unchanged";
  EXPECT_FALSE(s.LoadString(999));
  EXPECT_EQ(Bytes(s), "unchanged");

  // MAKEINTRESOURCE in the constructor loads the string.
  EXPECT_EQ(Bytes(CString(MAKEINTRESOURCE(IDS_SAVE_PROMPT))), "Save changes?");

  // With the resource handle on the second module, its strings are found, but the program's own
  // copy of a shared id still wins.
  const HMODULE second = GetModuleHandle("MfcResMod.dll");
  ASSERT_NE(second, nullptr);
  AfxSetResourceHandle(second);
  ASSERT_TRUE(s.LoadString(IDS_ONLY_IN_RESMOD));
  EXPECT_EQ(Bytes(s), "Only in the second module");
  ASSERT_TRUE(s.LoadString(IDS_GREETING));
  EXPECT_EQ(Bytes(s), "Hello from the tests");
}

TEST(CStringTest, FormatStringsReplaceNumberedInserts) {
  CString s;
  AfxFormatString2(s, IDS_TWO_INSERTS, "a.txt", "b.txt");
  EXPECT_EQ(Bytes(s), "copy a.txt to b.txt");
  AfxFormatString1(s, IDS_TWO_INSERTS, "a.txt");
  EXPECT_EQ(Bytes(s), "copy a.txt to ");  // a missing insert is dropped
  LPCTSTR inserts[] = {"X"};
  AfxFormatStrings(s, "100% %1%1", inserts, 1);
  EXPECT_EQ(Bytes(s), "100% XX");
}

}  // namespace
