#pragma once
// 80-bit IEEE extended floats, as the stream stores every float, to and from double. Done by
// hand on the bytes: `long double` is not 80-bit on every platform.

#include <array>
#include <cstdint>

using TExtendedBytes = std::array<std::uint8_t, 10>;

// Little-endian: 64-bit mantissa with explicit integer bit, then sign and 15-bit exponent.
TExtendedBytes DoubleToExtended(double value);

// Rounds to the nearest double; values beyond double's range become infinities or zeros.
double ExtendedToDouble(const TExtendedBytes& bytes);
