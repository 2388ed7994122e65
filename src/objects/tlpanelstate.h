#pragma once

#include <QString>

namespace dayloom {

// The page's tool mode: pointing selects objects, every other value makes a
// rubber band on the empty page create an object of that kind.
enum TLPanelState : int {
    psPointing = 0,
    psLabel,
    psImage,
    psRichLabel,
    psSuperText,
    psFlatCalendar,
};

constexpr int PanelStateCount = 6;

// The identifier text of a value ("psPointing"...); empty when out of range.
QString PanelStateName(TLPanelState state);

}  // namespace dayloom
