#pragma once

namespace dayloom {

// Enumerations of the page objects. Their identifiers are written into
// documents, so the spelling (including hdright) is part of the file format.
enum THighlightDirection : int { hdNone = 0, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };
enum TShadowDirection : int { sdNone = 0, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
enum TAlignment : int { taLeftJustify = 0, taRightJustify, taCenter };
enum TBorderStyle : int { bsNone = 0, bsSingle };

// The special-effects text: what fills the letters, which way a gradient
// runs, and the outline pen's style (psClear draws no outline).
enum TSurfaceType : int { stNormal = 0, stBrushTransparent, stBrushImage, stGradientFill };
enum TFillDirection : int { gdUp = 0, gdDown, gdLeft, gdRight };
using TShadowOrientation = TShadowDirection;
enum TPenStyle : int { psSolid = 0, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum TFlatCalBorderStyle : int { fcbNone = 0, fcbAll, fcbTop, fcbBottom, fcbTopBottom };
enum TFlatCalHeadersStyle : int { fdsFirstChar = 0, fdsThreeChars, fdsWhole };
enum TFlatShadowPosition : int { fcpLowerRight = 0, fcpLowerLeft, fcpUpperRight, fcpUpperLeft };

}  // namespace dayloom
