#pragma once

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

}  // namespace dayloom
