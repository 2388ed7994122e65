#pragma once

#include <array>

#include <QtGlobal>

namespace dayloom {

// The 80-bit extended-precision float of the stream: 64-bit mantissa with an
// explicit integer bit, 15-bit exponent biased by 16383, sign; little-endian.
using Extended80 = std::array<quint8, 10>;

// Exact: every double is representable as an extended value.
Extended80 DoubleToExtended(double value);
// Rounds to nearest, ties to even; values beyond the double range become
// infinities, tiny ones denormals or zero. Unnormal encodings are read by value.
double ExtendedToDouble(const Extended80& bytes);

}  // namespace dayloom
