#pragma once

#include "core/readerror.h"

namespace dayloom {

// Every picture reader in this library fails with a ReadError carrying this
// text, the message the clip-art browser shows for a file it cannot load.
inline constexpr const char* kImageReadError = "Error loading file!";

[[noreturn]] inline void ThrowImageError() { throw ReadError(kImageReadError); }

}  // namespace dayloom
