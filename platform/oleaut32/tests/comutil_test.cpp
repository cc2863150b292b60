// The support library's _bstr_t and _variant_t.
#include <comdef.h>

#include <gtest/gtest.h>

#include <string>

#include "counting_object.h"
#include "sandbox/sandbox.h"

namespace {

std::u16string Wide(const _bstr_t& b) {
  const OLECHAR* p = b;
  return p ? std::u16string(p, b.length()) : std::u16string();
}

TEST(BstrT, CopiesShareOneString) {
  const _bstr_t a("shared");
  const _bstr_t b = a;
  EXPECT_EQ(static_cast<const OLECHAR*>(a), static_cast<const OLECHAR*>(b));
  // Changing one gives it a string of its own.
  _bstr_t c = a;
  c += " no more";
  EXPECT_EQ(Wide(a), u"shared");
  EXPECT_EQ(Wide(c), u"shared no more");
  EXPECT_NE(static_cast<const OLECHAR*>(a), static_cast<const OLECHAR*>(c));
}

TEST(BstrT, ConcatenationKeepsEmbeddedNuls) {
  const OLECHAR text[] = {u'x', 0, u'y'};
  const _bstr_t withNul(SysAllocStringLen(text, 3), false);  // attached: freed by the object
  const _bstr_t joined = withNul + u"z";
  EXPECT_EQ(joined.length(), 4u);
  EXPECT_EQ(Wide(joined), std::u16string(u"x\0yz", 4));
  EXPECT_EQ(Wide("ab" + _bstr_t(u"cd")), u"abcd");
}

TEST(BstrT, ComparesOverTheWholeLength) {
  struct Case {
    _bstr_t a, b;
    int order;  // sign of a - b
  };
  const OLECHAR nulA[] = {u'a', 0, u'a'};
  const OLECHAR nulB[] = {u'a', 0, u'b'};
  const Case cases[] = {
      {.a = "abc", .b = "abc", .order = 0},
      {.a = "abc", .b = "abd", .order = -1},
      {.a = "ab", .b = "abc", .order = -1},
      {.a = "b", .b = "abc", .order = 1},
      {.a = _bstr_t(), .b = "", .order = 0},  // null equals empty
      {.a = _bstr_t(), .b = "a", .order = -1},
      {.a = _bstr_t(SysAllocStringLen(nulA, 3), false), .b = _bstr_t(SysAllocStringLen(nulB, 3), false),
       .order = -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<const char*>(c.a) << " vs " << static_cast<const char*>(c.b));
    EXPECT_EQ(c.a == c.b, c.order == 0);
    EXPECT_EQ(c.a != c.b, c.order != 0);
    EXPECT_EQ(c.a < c.b, c.order < 0);
    EXPECT_EQ(c.a > c.b, c.order > 0);
  }
  const _bstr_t name("Category");
  EXPECT_TRUE(name == "Category");
  EXPECT_TRUE("Category" == name);  // text, not the pointers
  EXPECT_TRUE(name != u"category");
}

TEST(BstrT, NullEmptyAttachAndDetach) {
  _bstr_t none;
  EXPECT_TRUE(!none);
  EXPECT_EQ(static_cast<const char*>(none), nullptr);
  EXPECT_EQ(none.length(), 0u);
  _bstr_t empty("");
  EXPECT_FALSE(!empty);
  EXPECT_STREQ(static_cast<const char*>(empty), "");

  BSTR raw = SysAllocString(u"owned");
  _bstr_t owner;
  owner.Attach(raw);
  EXPECT_EQ(static_cast<const OLECHAR*>(owner), raw);
  BSTR back = owner.Detach();
  EXPECT_EQ(back, raw);
  EXPECT_TRUE(!owner);
  BSTR copy = _bstr_t(back, true).copy();  // a copy of a copy: three strings, two freed here
  EXPECT_NE(copy, back);
  EXPECT_EQ(std::u16string(copy), u"owned");
  SysFreeString(copy);
  SysFreeString(back);

  // GetAddress frees the content and offers the BSTR slot for an out parameter.
  _bstr_t out("old");
  BSTR* slot = out.GetAddress();
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"new");
  EXPECT_EQ(Wide(out), u"new");
}

TEST(VariantT, ConstructionGivesTheTypes) {
  struct Case {
    const char* name;
    _variant_t value;
    VARTYPE vt;
  };
  const Case cases[] = {
      {.name = "LONG", .value = _variant_t(LONG{5}), .vt = VT_I4},
      {.name = "short", .value = _variant_t(short{5}), .vt = VT_I2},
      {.name = "bool", .value = _variant_t(true), .vt = VT_BOOL},
      {.name = "double", .value = _variant_t(2.5), .vt = VT_R8},
      {.name = "text", .value = _variant_t("text"), .vt = VT_BSTR},
      {.name = "wide text", .value = _variant_t(u"text"), .vt = VT_BSTR},
      {.name = "_bstr_t", .value = _variant_t(_bstr_t("text")), .vt = VT_BSTR},
      {.name = "error code", .value = _variant_t(LONG{E_FAIL}, VT_ERROR), .vt = VT_ERROR},
      {.name = "BYTE", .value = _variant_t(BYTE{7}), .vt = VT_UI1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.value.vt, c.vt);
  }
  EXPECT_EQ(_variant_t(true).boolVal, VARIANT_TRUE);
  EXPECT_THROW(_variant_t(LONG{1}, VT_R8), _com_error);
}

TEST(VariantT, ExtractionConvertsOrThrows) {
  const _variant_t number("42");
  EXPECT_EQ(static_cast<LONG>(number), 42);
  EXPECT_EQ(static_cast<double>(number), 42.0);
  EXPECT_TRUE(static_cast<bool>(number));
  EXPECT_EQ(number.vt, VT_BSTR);  // the value itself is not changed

  const _variant_t word("Sablewing");
  try {
    static_cast<void>(static_cast<LONG>(word));
    ADD_FAILURE() << "no _com_error";
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), DISP_E_TYPEMISMATCH);
  }
  EXPECT_STREQ(static_cast<const char*>(static_cast<_bstr_t>(_variant_t(LONG{-3}))), "-3");
  const _bstr_t fromVariant(_variant_t(true));
  EXPECT_STREQ(static_cast<const char*>(fromVariant), "-1");
}

TEST(VariantT, HoldsAndReleasesInterfaces) {
  CountingObject* object = CountingObject::New();
  {
    _variant_t v(static_cast<IDispatch*>(object));
    EXPECT_EQ(object->refs, 2u);
    _variant_t copy = v;
    EXPECT_EQ(object->refs, 3u);
    IDispatch* extracted = copy;  // extraction adds a reference for the caller
    EXPECT_EQ(object->refs, 4u);
    extracted->Release();
    copy = LONG{1};  // the interface is released when the value is replaced
    EXPECT_EQ(object->refs, 2u);
  }
  EXPECT_EQ(object->refs, 1u);  // and when the variant goes
  object->Release();
  EXPECT_EQ(CountingObject::live, 0);
}

TEST(VariantT, AssignmentKeepsTheTypeWhereDocumented) {
  _variant_t v(true);
  v = short{0};  // a VT_BOOL stays VT_BOOL
  EXPECT_EQ(v.vt, VT_BOOL);
  EXPECT_EQ(v.boolVal, VARIANT_FALSE);
  v = "now text";
  EXPECT_EQ(v.vt, VT_BSTR);
  v = LONG{9};
  EXPECT_EQ(v.vt, VT_I4);
  v.ChangeType(VT_BSTR);
  EXPECT_EQ(v, _variant_t("9"));
  EXPECT_NE(v, _variant_t("09"));
  VARIANT taken = v.Detach();
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(taken.vt, VT_BSTR);
  VariantClear(&taken);
}

}  // namespace
