#pragma once

#include "stream/identmap.h"

namespace dayloom {

// Colour identifiers: the sixteen basic colours, the system colours, clNone
// and clDefault; reading also accepts the older and newer extra names.
const IdentMap& ColorIdents();
// Cursor identifiers crDefault .. crSizeAll.
const IdentMap& CursorIdents();
// Character-set identifiers of Font.Charset (ANSI_CHARSET, DEFAULT_CHARSET, ...).
const IdentMap& CharsetIdents();

}  // namespace dayloom
