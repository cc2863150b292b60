// Elementary functions of a complex number given as two doubles. They report a failure by status
// instead of throwing, so callers decide what a failure means; the complex-number types hand the
// status to the math-status check.
#pragma once

#include "stdafx.h"

namespace TQ {

// The status of a successful call.
const LONG kComplexMathOk = 0;
// The status of a division by zero: the modulus of the argument is zero (or not a number). The
// results are not written then.
const LONG kComplexMathDivideByZero = -20060;

// (0.5 ln(re² + im²), atan2(im, re)).
LONG ComplexLog(double re, double im, double& resultRe, double& resultIm);
// (0.5 log10(re² + im²), atan2(im, re) × 0.434294481903252).
LONG ComplexLog10(double re, double im, double& resultRe, double& resultIm);
// The principal value of (re + i im) to the power n; zero to any power but 0 is zero.
LONG ComplexPow(double re, double im, double n, double& resultRe, double& resultIm);
// (e^re cos im, e^re sin im); never fails.
LONG ComplexExp(double re, double im, double& resultRe, double& resultIm);
// The principal square root; never fails.
LONG ComplexSqrt(double re, double im, double& resultRe, double& resultIm);
// 1 / (re + i im).
LONG ComplexReciprocal(double re, double im, double& resultRe, double& resultIm);

}  // namespace TQ
