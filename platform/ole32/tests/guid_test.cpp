// Identifiers: comparison, __uuidof, and the braced text form both ways.
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

// Identifiers attach at global scope, where the platform's interfaces are declared.
STANDIN_INTERFACE(ISampleThing, "00112233-4455-6677-8899-aabbccddeeff") : public IUnknown{};

namespace {

// {00112233-4455-6677-8899-AABBCCDDEEFF}
DEFINE_GUID(kSample, 0x00112233, 0x4455, 0x6677, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF);

std::u16string Text(REFGUID g) {
  OLECHAR buffer[CHARS_IN_GUID];
  EXPECT_EQ(StringFromGUID2(g, buffer, CHARS_IN_GUID), CHARS_IN_GUID);
  return buffer;
}

TEST(Guid, ComparesAllSixteenBytes) {
  GUID other = kSample;
  EXPECT_TRUE(other == kSample);
  EXPECT_TRUE(IsEqualGUID(other, kSample) && IsEqualIID(other, kSample) && IsEqualCLSID(other, kSample));
  other.Data4[7] ^= 1;  // the last byte alone makes them differ
  EXPECT_TRUE(other != kSample);
  EXPECT_FALSE(IsEqualGUID(other, kSample));
}

TEST(Guid, UuidofGivesTheAttachedIdentifier) {
  // Text of either case attaches the same identifier; a pointer type names its interface.
  EXPECT_EQ(__uuidof(ISampleThing), kSample);
  EXPECT_EQ(__uuidof(ISampleThing*), kSample);
  EXPECT_EQ(__uuidof(IUnknown), IID_IUnknown);
  EXPECT_EQ(Text(__uuidof(IClassFactory)), u"{00000001-0000-0000-C000-000000000046}");
}

TEST(Guid, TextIsBracedUpperCaseAndReadsBack) {
  EXPECT_EQ(Text(kSample), u"{00112233-4455-6677-8899-AABBCCDDEEFF}");
  EXPECT_EQ(Text(GUID_NULL), u"{00000000-0000-0000-0000-000000000000}");

  CLSID clsid;
  ASSERT_EQ(CLSIDFromString(u"{00112233-4455-6677-8899-aabbccddeeff}", &clsid), S_OK);
  EXPECT_EQ(clsid, kSample);
  IID iid;
  ASSERT_EQ(IIDFromString(Text(kSample).c_str(), &iid), S_OK);
  EXPECT_EQ(iid, kSample);

  LPOLESTR allocated = nullptr;
  ASSERT_EQ(StringFromCLSID(kSample, &allocated), S_OK);
  EXPECT_EQ(std::u16string(allocated), Text(kSample));
  CoTaskMemFree(allocated);
}

TEST(Guid, StringFromGuid2NeedsRoomForTheNul) {
  OLECHAR buffer[CHARS_IN_GUID];
  std::memset(buffer, 0xAB, sizeof buffer);
  EXPECT_EQ(StringFromGUID2(kSample, buffer, CHARS_IN_GUID - 1), 0);
  EXPECT_EQ(buffer[0], 0xABAB);  // nothing written
}

TEST(Guid, MalformedTextIsRefusedAndTheOutputKept) {
  struct Case {
    const char* name;
    const char16_t* text;
  };
  const Case cases[] = {
      {.name = "no closing brace", .text = u"{00112233-4455-6677-8899-AABBCCDDEEFF"},
      {.name = "trailing text", .text = u"{00112233-4455-6677-8899-AABBCCDDEEFF}x"},
      {.name = "short", .text = u"{00112233-4455-6677-8899-AABBCCDDEEF}"},
      {.name = "dash missing", .text = u"{00112233-4455-6677-8899AAABBCCDDEEFF}"},
      {.name = "dash misplaced", .text = u"{0011223-34455-6677-8899-AABBCCDDEEFF}"},
      {.name = "not hex", .text = u"{00112233-4455-6677-8899-AABBCCDDEEFG}"},
      {.name = "blank inside", .text = u"{00112233-4455-6677-8899-AABBCCDDEE F}"},
      {.name = "empty braces", .text = u"{}"},
      {.name = "lone brace", .text = u"{"},
  };
  const GUID poison = {0xdeadbeef, 0xdead, 0xbeef, {1, 2, 3, 4, 5, 6, 7, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CLSID clsid = poison;
    EXPECT_EQ(CLSIDFromString(c.text, &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(clsid, poison);
    IID iid = poison;
    EXPECT_EQ(IIDFromString(c.text, &iid), E_INVALIDARG);
    EXPECT_EQ(iid, poison);
  }
  // Without braces the text is no identifier: CLSIDFromString takes it for a ProgID.
  IID iid = poison;
  EXPECT_EQ(IIDFromString(u"00112233-4455-6677-8899-AABBCCDDEEFF", &iid), E_INVALIDARG);
  CLSID clsid = poison;
  EXPECT_EQ(CLSIDFromString(u"00112233-4455-6677-8899-AABBCCDDEEFF", &clsid), CO_E_CLASSSTRING);
}

TEST(Guid, NullTextIsTheNullIdentifier) {
  CLSID clsid = kSample;
  EXPECT_EQ(CLSIDFromString(nullptr, &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_NULL);
}

// Generated projects carry identifiers from CoCreateGuid; their golden files rely on the
// sequence being the seed's alone.
TEST(Guid, NewIdentifiersFollowTheSandboxSeed) {
  auto make = [](int count) {
    std::vector<std::u16string> made;
    for (int i = 0; i < count; ++i) {
      GUID g{};
      EXPECT_EQ(CoCreateGuid(&g), S_OK);
      EXPECT_EQ(g.Data3 >> 12, 4);            // version 4
      EXPECT_EQ(g.Data4[0] & 0xC0, 0x80);     // the standard variant
      made.push_back(Text(g));
    }
    return made;
  };
  const auto first = make(3);
  EXPECT_NE(first[0], first[1]);
  sandbox::Reset();
  EXPECT_EQ(make(3), first);
  sandbox::SetGuidSeed(7);
  const auto seven = make(2);
  EXPECT_NE(seven[0], first[0]);
  sandbox::SetGuidSeed(7);
  EXPECT_EQ(make(2), seven);
  EXPECT_EQ(CoCreateGuid(nullptr), E_INVALIDARG);
}

TEST(TaskMemory, ZeroBytesIsAValidBlockAndReallocToZeroFrees) {
  void* block = CoTaskMemAlloc(0);
  ASSERT_NE(block, nullptr);
  block = CoTaskMemRealloc(block, 16);
  ASSERT_NE(block, nullptr);
  std::memset(block, 1, 16);
  EXPECT_EQ(CoTaskMemRealloc(block, 0), nullptr);  // freed (ASan would report a leak otherwise)
  CoTaskMemFree(nullptr);
}

}  // namespace
