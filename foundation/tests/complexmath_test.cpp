#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>

#include "TqComplexMath.h"

using namespace TQ;

namespace {

const double kPoison = std::bit_cast<double>(0xdeadbeefdeadbeefULL);
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = std::numbers::pi;

// Every function as one signature: (re, im, n) -> status; n is used by the power only.
using Function = std::function<LONG(double, double, double, double&, double&)>;
const Function kLog = [](double re, double im, double, double& r, double& i) { return ComplexLog(re, im, r, i); };
const Function kLog10 = [](double re, double im, double, double& r, double& i) { return ComplexLog10(re, im, r, i); };
const Function kPow = [](double re, double im, double n, double& r, double& i) { return ComplexPow(re, im, n, r, i); };
const Function kExp = [](double re, double im, double, double& r, double& i) { return ComplexExp(re, im, r, i); };
const Function kSqrt = [](double re, double im, double, double& r, double& i) { return ComplexSqrt(re, im, r, i); };
const Function kReciprocal = [](double re, double im, double, double& r, double& i) {
  return ComplexReciprocal(re, im, r, i);
};

struct Case {
  const char* name;
  Function function;
  double re = 0, im = 0, n = 0;
  double wantRe = 0, wantIm = 0;
};

TEST(ComplexMath, ResultsWithinRounding) {
  const Case cases[] = {
      {.name = "log of 1", .function = kLog, .re = 1, .im = 0, .n = 0, .wantRe = 0, .wantIm = 0},
      {.name = "log of i", .function = kLog, .re = 0, .im = 1, .n = 0, .wantRe = 0, .wantIm = kPi / 2},
      {.name = "log of -e", .function = kLog, .re = -std::numbers::e, .im = 0, .n = 0, .wantRe = 1, .wantIm = kPi},
      {.name = "log10 of 100", .function = kLog10, .re = 100, .im = 0, .n = 0, .wantRe = 2, .wantIm = 0},
      {.name = "pow (1+i)^2", .function = kPow, .re = 1, .im = 1, .n = 2, .wantRe = 0, .wantIm = 2},
      {.name = "pow 4^0.5", .function = kPow, .re = 4, .im = 0, .n = 0.5, .wantRe = 2, .wantIm = 0},
      {.name = "pow i^-1", .function = kPow, .re = 0, .im = 1, .n = -1, .wantRe = 0, .wantIm = -1},
      {.name = "pow of zero", .function = kPow, .re = 0, .im = 0, .n = 2, .wantRe = 0, .wantIm = 0},
      {.name = "pow of zero, n<0", .function = kPow, .re = 0, .im = 0, .n = -3, .wantRe = 0, .wantIm = 0},
      {.name = "exp of i pi", .function = kExp, .re = 0, .im = kPi, .n = 0, .wantRe = -1, .wantIm = 0},
      {.name = "exp of 1", .function = kExp, .re = 1, .im = 0, .n = 0, .wantRe = std::numbers::e, .wantIm = 0},
      {.name = "sqrt of -4", .function = kSqrt, .re = -4, .im = 0, .n = 0, .wantRe = 0, .wantIm = 2},
      {.name = "sqrt of 2i", .function = kSqrt, .re = 0, .im = 2, .n = 0, .wantRe = 1, .wantIm = 1},
      {.name = "sqrt of 0", .function = kSqrt, .re = 0, .im = 0, .n = 0, .wantRe = 0, .wantIm = 0},
      {.name = "1/(3+4i)", .function = kReciprocal, .re = 3, .im = 4, .n = 0, .wantRe = 0.12, .wantIm = -0.16},
      {.name = "1/(-2)", .function = kReciprocal, .re = -2, .im = 0, .n = 0, .wantRe = -0.5, .wantIm = 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double re = kPoison, im = kPoison;
    EXPECT_EQ(c.function(c.re, c.im, c.n, re, im), kComplexMathOk);
    EXPECT_NEAR(re, c.wantRe, 1e-15);
    EXPECT_NEAR(im, c.wantIm, 1e-15);
  }
}

// A zero modulus (or one that is not a number, or one that underflows) is status -20060 and the
// outputs keep what they held.
TEST(ComplexMath, DivideByZeroLeavesTheOutputsUntouched) {
  const Case cases[] = {
      {.name = "log of 0", .function = kLog, .re = 0, .im = 0},
      {.name = "log of -0", .function = kLog, .re = -0.0, .im = -0.0},
      {.name = "log of NaN", .function = kLog, .re = kNaN, .im = 1},
      {.name = "log10 of 0", .function = kLog10, .re = 0, .im = 0},
      {.name = "log10 of 1e-200 (underflow)", .function = kLog10, .re = 1e-200, .im = 0},
      {.name = "pow 0^0", .function = kPow, .re = 0, .im = 0, .n = 0},
      {.name = "pow 0^NaN", .function = kPow, .re = 0, .im = 0, .n = kNaN},
      {.name = "1/0", .function = kReciprocal, .re = 0, .im = 0},
      {.name = "1/1e-200 (underflow)", .function = kReciprocal, .re = 1e-200, .im = 0},
      {.name = "1/(NaN+i)", .function = kReciprocal, .re = kNaN, .im = 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double re = kPoison, im = kPoison;
    EXPECT_EQ(c.function(c.re, c.im, c.n, re, im), kComplexMathDivideByZero);
    EXPECT_EQ(std::bit_cast<uint64_t>(re), std::bit_cast<uint64_t>(kPoison));
    EXPECT_EQ(std::bit_cast<uint64_t>(im), std::bit_cast<uint64_t>(kPoison));
  }
}

// A modulus that is not a number counts as zero where zero is no failure: the power and the
// root give 0 then instead of NaN.
TEST(ComplexMath, NaNModulusCountsAsZero) {
  double re = kPoison, im = kPoison;
  EXPECT_EQ(ComplexPow(kNaN, 0, 2, re, im), kComplexMathOk);
  EXPECT_EQ(re, 0.0);
  EXPECT_EQ(im, 0.0);
  re = im = kPoison;
  EXPECT_EQ(ComplexSqrt(1, kNaN, re, im), kComplexMathOk);
  EXPECT_EQ(re, 0.0);
  EXPECT_EQ(im, 0.0);
}

// The base-10 logarithm scales the angle by the library's written constant, whose bits differ
// from those of 1 / ln 10; the result must be that product to the last bit.
TEST(ComplexMath, Log10ScalesTheAngleByTheWrittenConstantBitForBit) {
  const double written = std::bit_cast<double>(0x3FDBCB7B1526E511ULL);
  ASSERT_NE(written, std::numbers::log10e);
  int differing = 0;
  for (double im : {1.0, -1.0, 3.0, 0.25, -7.5}) {
    SCOPED_TRACE(im);
    const double angle = std::atan2(im, -2.0);
    double re = 0, result = 0;
    ASSERT_EQ(ComplexLog10(-2.0, im, re, result), kComplexMathOk);
    EXPECT_EQ(std::bit_cast<uint64_t>(result), std::bit_cast<uint64_t>(angle * written));
    EXPECT_EQ(re, 0.5 * std::log10(4.0 + im * im));
    if (angle * written != angle * std::numbers::log10e) ++differing;
  }
  EXPECT_GT(differing, 0) << "the cases must tell the two factors apart";
}

// The sign of a zero part reaches atan2 and the division as it is.
TEST(ComplexMath, SignedZerosKeepTheirSign) {
  double re = 0, im = 0;
  ComplexLog(-1, -0.0, re, im);
  EXPECT_EQ(im, -kPi);
  ComplexLog(-1, 0.0, re, im);
  EXPECT_EQ(im, kPi);
  ComplexSqrt(-4, -0.0, re, im);
  EXPECT_NEAR(im, -2, 1e-15);
  ComplexReciprocal(2, 0, re, im);
  EXPECT_TRUE(std::signbit(im)) << "-(0 / d) is -0";
  ComplexReciprocal(2, -0.0, re, im);
  EXPECT_FALSE(std::signbit(im));
}

}  // namespace
