#pragma once

#include <QColor>
#include <QtGlobal>

namespace dayloom {

// A colour as documents store it: 0x00BBGGRR, or 0x80000000 + index for a
// system colour resolved through the running style's palette.
using TColor = qint32;

constexpr TColor MakeColor(quint32 v) { return TColor(v); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clSystemColor = MakeColor(0x80000000u);
constexpr TColor clScrollBar = MakeColor(0x80000000u);
constexpr TColor clBackground = MakeColor(0x80000001u);
constexpr TColor clActiveCaption = MakeColor(0x80000002u);
constexpr TColor clInactiveCaption = MakeColor(0x80000003u);
constexpr TColor clMenu = MakeColor(0x80000004u);
constexpr TColor clWindow = MakeColor(0x80000005u);
constexpr TColor clWindowFrame = MakeColor(0x80000006u);
constexpr TColor clMenuText = MakeColor(0x80000007u);
constexpr TColor clWindowText = MakeColor(0x80000008u);
constexpr TColor clCaptionText = MakeColor(0x80000009u);
constexpr TColor clActiveBorder = MakeColor(0x8000000Au);
constexpr TColor clInactiveBorder = MakeColor(0x8000000Bu);
constexpr TColor clAppWorkSpace = MakeColor(0x8000000Cu);
constexpr TColor clHighlight = MakeColor(0x8000000Du);
constexpr TColor clHighlightText = MakeColor(0x8000000Eu);
constexpr TColor clBtnFace = MakeColor(0x8000000Fu);
constexpr TColor clBtnShadow = MakeColor(0x80000010u);
constexpr TColor clGrayText = MakeColor(0x80000011u);
constexpr TColor clBtnText = MakeColor(0x80000012u);
constexpr TColor clInactiveCaptionText = MakeColor(0x80000013u);
constexpr TColor clBtnHighlight = MakeColor(0x80000014u);
constexpr TColor cl3DDkShadow = MakeColor(0x80000015u);
constexpr TColor cl3DLight = MakeColor(0x80000016u);
constexpr TColor clInfoText = MakeColor(0x80000017u);
constexpr TColor clInfoBk = MakeColor(0x80000018u);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr bool IsSystemColor(TColor c) { return (quint32(c) & 0xFF000000u) == 0x80000000u; }

// The plain 0x00BBGGRR value; system colours are looked up in the palette.
quint32 ColorToRGB(TColor c);
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);

}  // namespace dayloom
