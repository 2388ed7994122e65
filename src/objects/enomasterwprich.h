#pragma once

#include <stdexcept>

namespace dayloom {

// Raised when a rich-text label is set up where no shared renderer exists.
class ENoMasterWPRich : public std::runtime_error {
public:
    ENoMasterWPRich() : std::runtime_error("No master rich text object found") {}
};

}  // namespace dayloom
