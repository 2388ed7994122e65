#include "stream/extendedfloat.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace dayloom {

Extended80 DoubleToExtended(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = bits >> 63;
    const int exponent = int((bits >> 52) & 0x7FF);
    quint64 fraction = bits & ((quint64(1) << 52) - 1);

    quint64 mantissa = 0;
    int biased = 0;
    if (exponent == 0x7FF) {
        biased = 0x7FFF;
        mantissa = (quint64(1) << 63) | (fraction << 11);
    } else if (exponent == 0) {
        if (fraction != 0) {
            // Denormal double: normalise; the extended range holds it as a normal number.
            const int shift = std::countl_zero(fraction);
            mantissa = fraction << shift;
            // value = fraction * 2^-1074 = mantissa * 2^(-1074 - shift)
            biased = -1074 - shift + 63 + 16383;
        }
    } else {
        mantissa = (quint64(1) << 63) | (fraction << 11);
        biased = exponent - 1023 + 16383;
    }

    Extended80 out{};
    for (int i = 0; i < 8; ++i)
        out[size_t(i)] = quint8(mantissa >> (8 * i));
    const quint16 top = quint16(biased) | (negative ? 0x8000 : 0);
    out[8] = quint8(top);
    out[9] = quint8(top >> 8);
    return out;
}

double ExtendedToDouble(const Extended80& bytes)
{
    quint64 mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[size_t(i)];
    const quint16 top = quint16(bytes[8] | (bytes[9] << 8));
    const bool negative = top & 0x8000;
    const int biased = top & 0x7FFF;
    const double sign = negative ? -1.0 : 1.0;

    if (biased == 0x7FFF) {
        if ((mantissa << 1) == 0)
            return sign * std::numeric_limits<double>::infinity();
        return std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);
    }
    if (mantissa == 0)
        return sign * 0.0;

    // value = mantissa * 2^e; denormal extended values use the minimum exponent.
    int e = (biased == 0 ? 1 : biased) - 16383 - 63;
    const int lz = std::countl_zero(mantissa);
    mantissa <<= lz;
    e -= lz;
    const int top2 = e + 63;  // the value lies in [2^top2, 2^(top2+1))

    // Significant bits a double keeps at this magnitude.
    int keep = top2 >= -1022 ? 53 : top2 + 1075;
    if (keep < 0)
        return sign * 0.0;
    const int shift = 64 - keep;
    quint64 kept;
    quint64 rest;
    quint64 half;
    if (shift >= 64) {
        kept = 0;
        rest = mantissa;
        half = quint64(1) << 63;
    } else {
        kept = mantissa >> shift;
        rest = mantissa & ((quint64(1) << shift) - 1);
        half = quint64(1) << (shift - 1);
    }
    if (rest > half || (rest == half && (kept & 1)))
        ++kept;
    // kept has at most 54 bits, so the conversion and the scaling are exact
    // (or overflow to infinity, which is the correct rounding).
    return sign * std::ldexp(double(kept), e + shift);
}

}  // namespace dayloom
