#include "stream/standardidents.h"

#include "core/tcolor.h"

namespace dayloom {

namespace {
constexpr qint64 sys(int index) { return qint64(qint32(0x80000000u + quint32(index))); }
}  // namespace

const IdentMap& ColorIdents()
{
    static const IdentMap map(
        {
            {"clBlack", clBlack},
            {"clMaroon", clMaroon},
            {"clGreen", clGreen},
            {"clOlive", clOlive},
            {"clNavy", clNavy},
            {"clPurple", clPurple},
            {"clTeal", clTeal},
            {"clGray", clGray},
            {"clSilver", clSilver},
            {"clRed", clRed},
            {"clLime", clLime},
            {"clYellow", clYellow},
            {"clBlue", clBlue},
            {"clFuchsia", clFuchsia},
            {"clAqua", clAqua},
            {"clWhite", clWhite},
            {"clScrollBar", sys(0)},
            {"clBackground", sys(1)},
            {"clActiveCaption", sys(2)},
            {"clInactiveCaption", sys(3)},
            {"clMenu", sys(4)},
            {"clWindow", sys(5)},
            {"clWindowFrame", sys(6)},
            {"clMenuText", sys(7)},
            {"clWindowText", sys(8)},
            {"clCaptionText", sys(9)},
            {"clActiveBorder", sys(10)},
            {"clInactiveBorder", sys(11)},
            {"clAppWorkSpace", sys(12)},
            {"clHighlight", sys(13)},
            {"clHighlightText", sys(14)},
            {"clBtnFace", sys(15)},
            {"clBtnShadow", sys(16)},
            {"clGrayText", sys(17)},
            {"clBtnText", sys(18)},
            {"clInactiveCaptionText", sys(19)},
            {"clBtnHighlight", sys(20)},
            {"cl3DDkShadow", sys(21)},
            {"cl3DLight", sys(22)},
            {"clInfoText", sys(23)},
            {"clInfoBk", sys(24)},
            {"clNone", clNone},
            {"clDefault", clDefault},
        },
        {
            {"clLtGray", clSilver},
            {"clDkGray", clGray},
            {"clMoneyGreen", 0xC0DCC0},
            {"clSkyBlue", 0xF0CAA6},
            {"clCream", 0xF0FBFF},
            {"clMedGray", 0xA4A0A0},
            {"clHotLight", sys(26)},
            {"clGradientActiveCaption", sys(27)},
            {"clGradientInactiveCaption", sys(28)},
            {"clMenuHighlight", sys(29)},
            {"clMenuBar", sys(30)},
        });
    return map;
}

const IdentMap& CursorIdents()
{
    static const IdentMap map({
        {"crDefault", 0},
        {"crNone", -1},
        {"crArrow", -2},
        {"crCross", -3},
        {"crIBeam", -4},
        {"crSizeNESW", -6},
        {"crSizeNS", -7},
        {"crSizeNWSE", -8},
        {"crSizeWE", -9},
        {"crUpArrow", -10},
        {"crHourGlass", -11},
        {"crDrag", -12},
        {"crNoDrop", -13},
        {"crHSplit", -14},
        {"crVSplit", -15},
        {"crMultiDrag", -16},
        {"crSQLWait", -17},
        {"crNo", -18},
        {"crAppStart", -19},
        {"crHelp", -20},
        {"crHandPoint", -21},
        {"crSizeAll", -22},
    });
    return map;
}

const IdentMap& CharsetIdents()
{
    static const IdentMap map({
        {"ANSI_CHARSET", 0},
        {"DEFAULT_CHARSET", 1},
        {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},
        {"SHIFTJIS_CHARSET", 128},
        {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},
        {"GB2312_CHARSET", 134},
        {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},
        {"TURKISH_CHARSET", 162},
        {"VIETNAMESE_CHARSET", 163},
        {"HEBREW_CHARSET", 177},
        {"ARABIC_CHARSET", 178},
        {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204},
        {"THAI_CHARSET", 222},
        {"EASTEUROPE_CHARSET", 238},
        {"OEM_CHARSET", 255},
    });
    return map;
}

}  // namespace dayloom
