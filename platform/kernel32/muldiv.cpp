// MulDiv: a * b / c with a 64-bit product, rounded to the nearest integer (halves away from zero);
// -1 when c is 0 or the result does not fit in an int.
#include <windows.h>

#include <cstdint>
#include <limits>

extern "C" WINBASEAPI int WINAPI MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t divisor = denominator;
  if (divisor < 0) {
    divisor = -divisor;
    product = -product;
  }
  const int64_t half = divisor / 2;
  const int64_t result = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}
