#include "TqComplexMath.h"

#include <cmath>

namespace TQ {
namespace {

// The factor that scales the angle of the base-10 logarithm, as the library has always written
// it: the double nearest this decimal, not the exact 1 / ln 10.
const double kLog10Factor = 0.434294481903252;

// Zero tests ask "neither below nor above 0", so a NaN counts as zero and never reaches a
// logarithm or a division.
bool IsZero(double value) { return !(value < 0.0 || value > 0.0); }

double SquaredModulus(double re, double im) { return re * re + im * im; }

}  // namespace

LONG ComplexLog(double re, double im, double& resultRe, double& resultIm) {
  const double modulus2 = SquaredModulus(re, im);
  if (IsZero(modulus2)) return kComplexMathDivideByZero;
  resultRe = 0.5 * std::log(modulus2);
  resultIm = std::atan2(im, re);
  return kComplexMathOk;
}

LONG ComplexLog10(double re, double im, double& resultRe, double& resultIm) {
  const double modulus2 = SquaredModulus(re, im);
  if (IsZero(modulus2)) return kComplexMathDivideByZero;
  resultRe = 0.5 * std::log10(modulus2);
  resultIm = std::atan2(im, re) * kLog10Factor;
  return kComplexMathOk;
}

LONG ComplexPow(double re, double im, double n, double& resultRe, double& resultIm) {
  const double modulus2 = SquaredModulus(re, im);
  if (IsZero(modulus2)) {
    // 0 to the power 0 has no value.
    if (IsZero(n)) return kComplexMathDivideByZero;
    resultRe = 0.0;
    resultIm = 0.0;
    return kComplexMathOk;
  }
  const double r = std::pow(modulus2, n * 0.5);
  const double theta = std::atan2(im, re) * n;
  resultRe = r * std::cos(theta);
  resultIm = r * std::sin(theta);
  return kComplexMathOk;
}

LONG ComplexExp(double re, double im, double& resultRe, double& resultIm) {
  const double r = std::exp(re);
  resultRe = r * std::cos(im);
  resultIm = r * std::sin(im);
  return kComplexMathOk;
}

LONG ComplexSqrt(double re, double im, double& resultRe, double& resultIm) {
  const double modulus2 = SquaredModulus(re, im);
  if (IsZero(modulus2)) {
    resultRe = 0.0;
    resultIm = 0.0;
    return kComplexMathOk;
  }
  const double r = std::sqrt(std::sqrt(modulus2));
  const double theta = std::atan2(im, re) * 0.5;
  resultRe = r * std::cos(theta);
  resultIm = r * std::sin(theta);
  return kComplexMathOk;
}

LONG ComplexReciprocal(double re, double im, double& resultRe, double& resultIm) {
  if (IsZero(re) && IsZero(im)) return kComplexMathDivideByZero;
  const double d = SquaredModulus(re, im);
  // A tiny modulus underflows to zero even though a part is not zero.
  if (IsZero(d)) return kComplexMathDivideByZero;
  resultRe = re / d;
  resultIm = -(im / d);
  return kComplexMathOk;
}

}  // namespace TQ
