// The one conversion of a double to an element type: integers truncate toward zero and wrap to
// their width (the low bits of the truncated value), so a result outside the type's range keeps
// its low bits as the platform's integer conversion does; NaN and infinities give 0. float
// rounds, double stays as it is.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

namespace TQ {

template <typename T>
T ConvertDouble(double value) {
  if constexpr (std::is_floating_point_v<T>) {
    return static_cast<T>(value);
  } else {
    static_assert(sizeof(T) <= 4, "element types are at most 32 bits wide");
    if (!std::isfinite(value)) return 0;
    double low = std::fmod(std::trunc(value), 4294967296.0);
    if (low < 0) low += 4294967296.0;
    return static_cast<T>(static_cast<uint32_t>(low));
  }
}

}  // namespace TQ
