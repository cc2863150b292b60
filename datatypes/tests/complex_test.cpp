#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "TqComplexT.h"
#include "TqMathStatus.h"
#include "TqSafeArray.h"
#include "TqVariant.h"
#include "sandbox/test_support.h"

using namespace TQ;

namespace {

// What each instantiation must give, written out by hand.
struct Expectation {
  int dataSize;
  VARTYPE elementVt;
  const char* recordOf100And27;  // hex bytes of the archive record of (100, 27)
  double imaginary;               // a second part that suits the type
};

template <typename T>
Expectation Expected();
template <>
Expectation Expected<char>() { return {2, VT_I1, "00000000 64 1B", -27}; }
template <>
Expectation Expected<unsigned char>() { return {2, VT_UI1, "00000000 64 1B", 227}; }
template <>
Expectation Expected<short>() { return {4, VT_I2, "00000000 6400 1B00", -27}; }
template <>
Expectation Expected<unsigned short>() { return {4, VT_UI2, "00000000 6400 1B00", 60000}; }
template <>
Expectation Expected<long>() { return {8, VT_I4, "00000000 64000000 1B000000", -27}; }
template <>
Expectation Expected<unsigned long>() { return {8, VT_UI4, "00000000 64000000 1B000000", 4000000000.0}; }
template <>
Expectation Expected<int>() { return {8, VT_I4, "00000000 64000000 1B000000", -27}; }
template <>
Expectation Expected<unsigned int>() { return {8, VT_UI4, "00000000 64000000 1B000000", 4000000000.0}; }
template <>
Expectation Expected<float>() { return {8, VT_R4, "00000000 0000C842 0000D841", -0.5}; }
template <>
Expectation Expected<double>() { return {16, VT_R8, "00000000 0000000000005940 0000000000003B40", -0.5}; }

std::string Hex(const std::string& bytes) {
  std::string out;
  char digits[3];
  for (unsigned char b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    out += digits;
  }
  return out;
}

std::string WithoutBlanks(std::string text) {
  std::erase(text, ' ');
  return text;
}

// The bytes of a memory file, from its start.
std::string Contents(CMemFile& file) {
  std::string bytes(file.GetLength(), '\0');
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

template <typename T>
class EveryInstantiation : public ::testing::Test {};
using Instantiations = ::testing::Types<char, unsigned char, short, unsigned short, long, unsigned long, int,
                                        unsigned int, float, double>;
TYPED_TEST_SUITE(EveryInstantiation, Instantiations);

TYPED_TEST(EveryInstantiation, DataSizeAndArchiveRecord) {
  const Expectation expected = Expected<TypeParam>();
  const CTqComplexT<TypeParam> value(static_cast<TypeParam>(100), static_cast<TypeParam>(27));
  EXPECT_EQ(value.GetDataSize(), expected.dataSize);
  EXPECT_EQ(value.GetSize(), expected.dataSize);

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    const_cast<CTqComplexT<TypeParam>&>(value).Serialize(ar);
  }
  const std::string record = Contents(file);
  EXPECT_EQ(record.size(), 4u + static_cast<size_t>(expected.dataSize));
  EXPECT_EQ(Hex(record), WithoutBlanks(expected.recordOf100And27));

  const CTqComplexT<TypeParam> other(static_cast<TypeParam>(-1), static_cast<TypeParam>(expected.imaginary));
  {
    CArchive ar(&file, CArchive::store);
    ar << other;
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CTqComplexT<TypeParam> first, second;
  first.Serialize(ar);
  ar >> second;
  EXPECT_EQ(first.GetReal(), value.GetReal());
  EXPECT_EQ(first.GetImaginary(), value.GetImaginary());
  EXPECT_EQ(second.GetReal(), other.GetReal());
  EXPECT_EQ(second.GetImaginary(), other.GetImaginary());
}

TYPED_TEST(EveryInstantiation, ToVariantThenFromVariantGivesThePartsBack) {
  const Expectation expected = Expected<TypeParam>();
  const CTqComplexT<TypeParam> value(static_cast<TypeParam>(100), static_cast<TypeParam>(expected.imaginary));
  CTqVariant variant("not a number");
  value.ToVariant(&variant);
  void* re = nullptr;
  void* im = nullptr;
  VARTYPE vt = VT_EMPTY;
  ASSERT_TRUE(IsComplexVariant(&variant, &re, &im, &vt));
  EXPECT_EQ(vt, expected.elementVt);
  CTqComplexT<TypeParam> back(static_cast<TypeParam>(5), static_cast<TypeParam>(5));
  back.FromVariant(&variant);
  EXPECT_EQ(back.GetReal(), value.GetReal());
  EXPECT_EQ(back.GetImaginary(), value.GetImaginary());
}

// A double is four zero bytes, then the two doubles: 20 bytes.
TEST(Complex, StoredDoubleIsTwentyBytes) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << CTqComplexT<double>(1.0, -2.0);
  }
  const std::string want("\0\0\0\0\0\0\0\0\0\0\xF0\x3F\0\0\0\0\0\0\0\xC0", 20);
  EXPECT_EQ(Contents(file), want);
}

class ComplexArchiveTest : public sandbox::testing::TempDriveTest<'T'> {};

// Another schema word: badSchema (7) naming the archive's file, before any part is read; the
// value keeps its parts.
TEST_F(ComplexArchiveTest, BadSchemaNamesTheFileAndKeepsTheValue) {
  WriteDisk("complex.bin", std::string("\x01\0\0\0\x05\0\0\0\x06\0\0\0", 12));
  CFile file("T:\\complex.bin", CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  CTqComplexT<int> value(3, 4);
  try {
    value.Serialize(ar);
    ADD_FAILURE() << "nothing thrown";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, 7);
    EXPECT_EQ(std::string(e->m_strFileName), "T:\\complex.bin");
    e->Delete();
  }
  EXPECT_EQ(value.GetReal(), 3);
  EXPECT_EQ(value.GetImaginary(), 4);
}

// A record cut short in its imaginary part: endOfFile, and the real part already read does not
// reach the value.
TEST(Complex, RecordCutShortKeepsTheValue) {
  BYTE record[14] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0};
  CMemFile file(record, sizeof record);
  CArchive ar(&file, CArchive::load);
  CTqComplexT<double> value(7, 8);
  try {
    ar >> value;
    ADD_FAILURE() << "nothing thrown";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
    e->Delete();
  }
  EXPECT_EQ(value.GetReal(), 7);
  EXPECT_EQ(value.GetImaginary(), 8);
}

TEST(Complex, TextForms) {
  struct Case {
    const char* name;
    CString text;
    const char* want;
  };
  auto text = [](const auto& value) {
    CString s("poison");
    value.ToString(s);
    return s;
  };
  const Case cases[] = {
      {.name = "int", .text = text(CTqComplexT<int>(1, -2)), .want = "1-2i"},
      {.name = "unsigned int", .text = text(CTqComplexT<unsigned int>(1, 2)), .want = "1+2i"},
      {.name = "unsigned int, wrapped", .text = text(CTqComplexT<unsigned int>(1, static_cast<unsigned>(-2))),
       .want = "1+4.29497e+009i"},
      {.name = "double", .text = text(CTqComplexT<double>(0.5, 0)), .want = "0.5+0i"},
      {.name = "negative zero", .text = text(CTqComplexT<double>(3, -0.0)), .want = "3+-0i"},
      {.name = "exponent", .text = text(CTqComplexT<double>(1e20, 0)), .want = "1e+020+0i"},
      {.name = "char as a number", .text = text(CTqComplexT<char>(65, -3)), .want = "65-3i"},
      {.name = "float", .text = text(CTqComplexT<float>(0.25f, -1.5f)), .want = "0.25-1.5i"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(std::string(c.text), c.want);
  }
}

TEST(Complex, FromStringReadsTwoNumbers) {
  CTqComplexT<char> c(1, 1);
  c.FromString("65 -3");
  EXPECT_EQ(c.GetReal(), 65) << "a number, not the characters 6 and 5";
  EXPECT_EQ(c.GetImaginary(), -3);
  CTqComplexT<unsigned char> u;
  u.FromString("300 1");
  EXPECT_EQ(u.GetReal(), 44);
  EXPECT_EQ(u.GetImaginary(), 1);
  CTqComplexT<double> d(9, 9);
  d.FromString(" 2.5\t1e1 ");
  EXPECT_EQ(d.GetReal(), 2.5);
  EXPECT_EQ(d.GetImaginary(), 10);
  d.FromString("7");
  EXPECT_EQ(d.GetReal(), 7);
  EXPECT_EQ(d.GetImaginary(), 0) << "a part without a number becomes 0";
  d.FromString("3+4i");
  EXPECT_EQ(d.GetReal(), 3) << "the text form is not what it reads";
  EXPECT_EQ(d.GetImaginary(), 4);
  d.FromString("x 4");
  EXPECT_EQ(d.GetReal(), 0);
  EXPECT_EQ(d.GetImaginary(), 0);
}

TEST(Complex, FromVariantByType) {
  VARIANT_BOOL truth = VARIANT_TRUE;
  LONG number = -7;
  struct Case {
    const char* name;
    CTqVariant variant;
    double re, im;                 // as a double value
    unsigned char ucharRe;         // the real part as an unsigned char value
  };
  CTqVariant byref;
  byref.vt = VT_I4 | VT_BYREF;
  byref.plVal = &number;
  CTqVariant boolRef;
  boolRef.vt = VT_BOOL | VT_BYREF;
  boolRef.pboolVal = &truth;
  CTqVariant nullRef;
  nullRef.vt = VT_R8 | VT_BYREF;
  nullRef.pdblVal = nullptr;
  CTqVariant unsigned32;
  unsigned32.vt = VT_UI4;
  unsigned32.ulVal = 0xFFFFFFFF;
  const Case cases[] = {
      {.name = "bool true", .variant = CTqVariant(true), .re = -1, .im = 0, .ucharRe = 255},
      {.name = "bool by reference", .variant = boolRef, .re = -1, .im = 0, .ucharRe = 255},
      {.name = "text", .variant = CTqVariant("2.5 1"), .re = 2.5, .im = 1, .ucharRe = 2},
      {.name = "empty", .variant = CTqVariant(), .re = 0, .im = 0, .ucharRe = 0},
      {.name = "long by reference", .variant = byref, .re = -7, .im = 0, .ucharRe = 249},
      {.name = "null reference", .variant = nullRef, .re = 0, .im = 0, .ucharRe = 0},
      {.name = "VT_R8 -2.7", .variant = CTqVariant(-2.7), .re = -2.7, .im = 0, .ucharRe = 254},
      {.name = "VT_UI4 as unsigned", .variant = unsigned32, .re = 4294967295.0, .im = 0, .ucharRe = 255},
      {.name = "currency", .variant = CTqVariant(COleCurrency(5, 0)), .re = 0, .im = 0, .ucharRe = 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTqVariant source(c.variant);
    CTqComplexT<double> d(9, 9);
    d.FromVariant(&source);
    EXPECT_EQ(d.GetReal(), c.re);
    EXPECT_EQ(d.GetImaginary(), c.im);
    CTqComplexT<unsigned char> u(9, 9);
    u.FromVariant(&source);
    EXPECT_EQ(u.GetReal(), c.ucharRe);
  }
}

// A tagged VARIANT whose parts are booleans reads them as signed shorts; one whose parts are of
// any other type gives (0, 0).
TEST(Complex, FromTaggedVariantOfOtherElementTypes) {
  CTqVariant variant;
  void* re = nullptr;
  void* im = nullptr;
  MakeComplexVariant(&variant, VT_I2, &re, &im);
  ASSERT_NE(re, nullptr);
  VARIANT* elements = static_cast<VARIANT*>(variant.parray->pvData);
  elements[1].vt = elements[2].vt = VT_BOOL;
  elements[1].boolVal = VARIANT_TRUE;
  elements[2].boolVal = VARIANT_FALSE;
  CTqComplexT<int> value(5, 5);
  value.FromVariant(&variant);
  EXPECT_EQ(value.GetReal(), -1);
  EXPECT_EQ(value.GetImaginary(), 0);
  elements[1].vt = elements[2].vt = VT_CY;
  value.FromVariant(&variant);
  EXPECT_EQ(value.GetReal(), 0);
  EXPECT_EQ(value.GetImaginary(), 0);
}

class ComplexMathTest : public ::testing::Test {
 protected:
  void TearDown() override { SetMathErrorsThrow(true); }
};

TEST_F(ComplexMathTest, FunctionsReturnNewValuesConvertedToTheElementType) {
  const CTqComplexT<int> minusFour(-4, 0);
  const CTqComplexT<int> root = minusFour.Sqrt();
  EXPECT_EQ(root.GetReal(), 0) << "1.2e-16 truncates to 0";
  EXPECT_EQ(root.GetImaginary(), 2);
  EXPECT_EQ(minusFour.GetReal(), -4) << "the object is unchanged";
  const CTqComplexT<int> cube = CTqComplexT<int>(2, 0).Pow(3);
  EXPECT_EQ(cube.GetReal(), 8);
  EXPECT_EQ(cube.GetImaginary(), 0);
  const CTqComplexT<float> half = CTqComplexT<float>(2, 0).Reciprocal();
  EXPECT_EQ(half.GetReal(), 0.5f);
  EXPECT_TRUE(std::signbit(half.GetImaginary()));
  const CTqComplexT<double> e = CTqComplexT<double>(1, 0).Exp();
  EXPECT_DOUBLE_EQ(e.GetReal(), std::exp(1.0));
  const CTqComplexT<short> big = CTqComplexT<short>(300, 0).Pow(2);
  EXPECT_EQ(big.GetReal(), static_cast<short>(90000 - 65536)) << "wraps to 16 bits";
  const CTqComplexT<double> lg = CTqComplexT<double>(100, 0).Log10();
  EXPECT_DOUBLE_EQ(lg.GetReal(), 2);
  const CTqComplexT<double> ln = CTqComplexT<double>(0, 1).Log();
  EXPECT_DOUBLE_EQ(ln.GetImaginary(), std::acos(0.0));
}

TEST_F(ComplexMathTest, ZeroModulusThrowsOrGivesZeroWithTheSwitchOff) {
  const CTqComplexT<double> zero(0, 0);
  try {
    zero.Log();
    ADD_FAILURE() << "nothing thrown";
  } catch (CTqMathException* e) {
    EXPECT_EQ(e->GetCode(), MathErrorDivideByZero);
    e->Delete();
  }
  SetMathErrorsThrow(false);
  const CTqComplexT<double> results[] = {CTqComplexT<double>(1, 1).Log(), zero.Log(), zero.Log10(),
                                         zero.Reciprocal(), zero.Pow(0)};
  EXPECT_NE(results[0].GetReal(), 0);
  for (size_t i = 1; i < std::size(results); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(results[i].GetReal(), 0);
    EXPECT_EQ(results[i].GetImaginary(), 0);
  }
  const CTqComplexT<double> zeroToTwo = zero.Pow(2);
  EXPECT_EQ(zeroToTwo.GetReal(), 0);
}

TEST(Complex, MagnitudeDoesNotOverflowWhereTheResultFits) {
  EXPECT_EQ(CTqComplexT<char>(3, 4).GetMagnitude(), 5);
  EXPECT_EQ(CTqComplexT<int>(46341, 0).GetMagnitude(), 46341);
  EXPECT_EQ(CTqComplexT<unsigned int>(65536, 0).GetMagnitude(), 65536u);
  EXPECT_EQ(CTqComplexT<long>(-30000, 40000).GetMagnitude(), 50000);
  EXPECT_EQ(CTqComplexT<unsigned char>(255, 255).GetMagnitude(), static_cast<unsigned char>(360));
  EXPECT_EQ(CTqComplexT<double>(-3, 4).GetMagnitude(), 5.0);
  EXPECT_EQ(CTqComplexT<float>(0.6f, 0.8f).GetMagnitude(), std::sqrt(0.6f * 0.6f + 0.8f * 0.8f));
}

}  // namespace
