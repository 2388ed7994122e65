#pragma once

#include "core/trect.h"

namespace dayloom {

// The values a month calendar is drawn with. Stored as ordinals in documents
// (the floating calendar's own border and day-name styles share them).
enum TCalBorderStyle : int { cbNone = 0, cbAll, cbTop, cbBottom, cbTopBottom };
enum TCalHeadersStyle : int { dsFirstChar = 0, dsThreeChars, dsWhole };
enum TCalendarNumberPosition : int { cnpCenter = 0, cnpUpperRight };

// One day cell of a month grid (or a planner row): the number box, the day
// shown in it (0 = none) and the rectangle for the cell's rich text (zero
// when the numbers are centred), in the pixels it was laid out in.
struct TCellRecord {
    TRect rTotal;
    int Day = 0;
    TRect rFree;
    bool operator==(const TCellRecord&) const = default;
};

}  // namespace dayloom
