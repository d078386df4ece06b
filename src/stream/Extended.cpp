#include "stream/Extended.h"

#include <cmath>
#include <limits>

namespace {
constexpr int ExponentBias = 16383;
}

TExtendedBytes DoubleToExtended(double value)
{
    TExtendedBytes bytes{};
    std::uint16_t signExponent = std::signbit(value) ? 0x8000 : 0;
    std::uint64_t mantissa = 0;

    if (std::isnan(value)) {
        signExponent |= 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        signExponent |= 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0.0) {
        // value = fraction * 2^exponent with fraction in [0.5, 1): the fraction's 53 bits fill
        // the top of the 64-bit mantissa exactly.
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &exponent);
        mantissa = std::uint64_t(std::ldexp(fraction, 64));
        signExponent |= std::uint16_t(exponent - 1 + ExponentBias);
    }

    for (int i = 0; i < 8; ++i)
        bytes[i] = std::uint8_t(mantissa >> (8 * i));
    bytes[8] = std::uint8_t(signExponent);
    bytes[9] = std::uint8_t(signExponent >> 8);
    return bytes;
}

double ExtendedToDouble(const TExtendedBytes& bytes)
{
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= std::uint64_t(bytes[i]) << (8 * i);
    const std::uint16_t signExponent = std::uint16_t(bytes[8] | (bytes[9] << 8));
    const bool negative = signExponent & 0x8000;
    const int exponent = signExponent & 0x7FFF;

    double magnitude = 0;
    if (exponent == 0x7FFF) {
        const bool fractionZero = (mantissa & 0x7FFFFFFFFFFFFFFFull) == 0;
        magnitude = fractionZero ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    } else {
        // Exponent 0 holds the subnormals, whose scale is that of exponent 1.
        const int scale = (exponent == 0 ? 1 : exponent) - ExponentBias - 63;
        magnitude = std::ldexp(double(mantissa), scale);
    }
    return negative ? -magnitude : magnitude;
}
