#include "objects/pageobjectclasses.h"

#include "core/tfont.h"
#include "stream/classbuilder.h"
#include "objects/tgbaselabel.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgimage.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objects/tgsupertext.h"
#include "objects/tbitmap.h"
#include "objects/rtftextcontainer.h"
#include "objects/tpicture.h"

namespace dayloom {

namespace {

const QStringList kBorderStyles = {"bsNone", "bsSingle"};
const QStringList kFlatBorders = {"fcbNone", "fcbAll", "fcbTop", "fcbBottom", "fcbTopBottom"};

void registerBase(ComponentRegistry& r)
{
    using C = TGGraphicControl;
    ClassBuilder<C>(r, QStringLiteral("TGGraphicControl"))
        .Integer("Tag", &C::Tag, &C::SetTag, 0)
        .Integer("Left", &C::Left, &C::SetLeft)
        .Integer("Top", &C::Top, &C::SetTop)
        .Integer("Width", &C::Width, &C::SetWidth)
        .Integer("Height", &C::Height, &C::SetHeight)
        .Cursor("Cursor", &C::Cursor, &C::SetCursor, 0)
        .String("Hint", &C::Hint, &C::SetHint)
        .Bool("Locked", &C::Locked, &C::SetLocked, false)
        .Bool("Unselectable", &C::Unselectable, &C::SetUnselectable, false);
}

void registerLabels(ComponentRegistry& r)
{
    using L = TGBaseLabel;
    ClassBuilder<L>(r, QStringLiteral("TGBaseLabel"))
        .Creatable()
        .Enum("Alignment", &L::Alignment, &L::SetAlignment, {"taLeftJustify", "taRightJustify", "taCenter"},
              taLeftJustify)
        .Integer("DepthHighlight", &L::DepthHighlight, &L::SetDepthHighlight, 0)
        .Integer("DepthShadow", &L::DepthShadow, &L::SetDepthShadow, 0)
        .Enum("DirectionHighlight", &L::DirectionHighlight, &L::SetDirectionHighlight,
              {"hdNone", "hdright", "hdLeft", "hdUpRight", "hdUpLeft", "hdUp"}, hdUpLeft)
        .Enum("DirectionShadow", &L::DirectionShadow, &L::SetDirectionShadow,
              {"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"}, sdDownRight)
        .Color("colorHighlight", &L::colorHighlight, &L::SetcolorHighlight, 16776960)
        .Color("colorShadow", &L::colorShadow, &L::SetcolorShadow, 8421504)
        .Integer("Angle", &L::Angle, &L::SetAngle, 0)
        .String("Caption", &L::Caption, &L::SetCaption)
        .Object("Font", &L::Font)
        .Bool("Transparent", &L::Transparent, &L::SetTransparent)
        .Color("BackColor", &L::BackColor, &L::SetBackColor)
        .Enum("BorderStyle", &L::BorderStyle, &L::SetBorderStyle, kBorderStyles);
    ClassBuilder<TGPLabel>(r, QStringLiteral("TGPLabel")).Creatable();
}

void registerRichLabel(ComponentRegistry& r)
{
    using R = TGPRichBaseLabel;
    // RTFText has no published properties of its own: its text travels as
    // the extra property "RTFText.Data" (see WriteExtraProperties).
    ClassBuilder<RtfTextContainer>(r, QStringLiteral("RtfTextContainer"));
    ClassBuilder<R>(r, QStringLiteral("TGPRichBaseLabel"))
        .Creatable()
        .Object("RTFText", &R::RTFTextContainer)
        .Enum("BorderStyle", &R::BorderStyle, &R::SetBorderStyle, kBorderStyles)
        .Bool("Transparent", &R::Transparent, &R::SetTransparent)
        .Color("BGColor", &R::BGColor, &R::SetBGColor);
}

void registerFlatCalendar(ComponentRegistry& r)
{
    using F = TGFlatCalendar;
    ClassBuilder<F>(r, QStringLiteral("TGFlatCalendar"))
        .Creatable()
        .Integer("StartOfWeek", &F::StartOfWeek, &F::SetStartOfWeek)
        .Integer("Month", &F::Month, &F::SetMonth)
        .Integer("Year", &F::Year, &F::SetYear)
        .Object("TitleFont", &F::TitleFont)
        .Object("DayNameFont", &F::DayNameFont)
        .Object("CellFont", &F::CellFont)
        .Bool("ShowYear", &F::ShowYear, &F::SetShowYear)
        .Color("DayNameBGColor", &F::DayNameBGColor, &F::SetDayNameBGColor)
        .Enum("CalendarBorderStyle", &F::CalendarBorderStyle, &F::SetCalendarBorderStyle, kFlatBorders)
        .Enum("DayNameBorderStyle", &F::DayNameBorderStyle, &F::SetDayNameBorderStyle, kFlatBorders)
        .Enum("CellBorderStyle", &F::CellBorderStyle, &F::SetCellBorderStyle, kFlatBorders)
        .Enum("DayNameStyle", &F::DayNameStyle, &F::SetDayNameStyle, {"fdsFirstChar", "fdsThreeChars", "fdsWhole"})
        .Color("TitleBGcolor", &F::TitleBGcolor, &F::SetTitleBGcolor)
        .Color("Backgroundcolor", &F::Backgroundcolor, &F::SetBackgroundcolor)
        .Color("ShadowColor", &F::ShadowColor, &F::SetShadowColor)
        .Integer("ShadowDepth", &F::ShadowDepth, &F::SetShadowDepth)
        .Enum("ShadowPosition", &F::ShadowPosition, &F::SetShadowPosition,
              {"fcpLowerRight", "fcpLowerLeft", "fcpUpperRight", "fcpUpperLeft"})
        .Enum("Language", &F::Language, &F::SetLanguage,
              {"fclEnglish", "fclGerman", "fclFrench", "fclItalian", "fclSpanish"})
        .Bool("CalTransparent", &F::CalTransparent, &F::SetCalTransparent);
}

void registerImage(ComponentRegistry& r)
{
    using I = TGImage;
    // The picture has no published properties: its graphic travels as the
    // extra property "Picture.Data" (see TPicture::WriteExtraProperties).
    ClassBuilder<TPicture>(r, QStringLiteral("TPicture"));
    ClassBuilder<I>(r, QStringLiteral("TGImage"))
        .Creatable()
        .Bool("AutoSize", &I::AutoSize, &I::SetAutoSize, false)
        .Enum("BorderStyle", &I::BorderStyle, &I::SetBorderStyle, kBorderStyles)
        .Object("Picture", &I::Picture)
        .Bool("Stretch", &I::Stretch, &I::SetStretch, true)
        .Bool("Reverse", &I::Reverse, &I::SetReverse)
        .Bool("Flip", &I::Flip, &I::SetFlip);
}

void registerSuperText(ComponentRegistry& r)
{
    using S = TGSuperText;
    // The texture has no published properties: its bitmap travels as the
    // extra property "Image.Data" (see TBitmap::WriteExtraProperties).
    ClassBuilder<TBitmap>(r, QStringLiteral("TBitmap"));
    ClassBuilder<S>(r, QStringLiteral("TGSuperText"))
        .Creatable()
        .Integer("ShadowDepth", &S::ShadowDepth, &S::SetShadowDepth, 0)
        .Enum("ShadowOrientation", &S::ShadowOrientation, &S::SetShadowOrientation,
              {"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"}, sdDownRight)
        .Color("Shadowcolor", &S::Shadowcolor, &S::SetShadowcolor, 8421504)
        .Enum("BorderStyle", &S::BorderStyle, &S::SetBorderStyle, kBorderStyles)
        .Bool("ControlTransparent", &S::ControlTransparent, &S::SetControlTransparent)
        .Color("BGColor", &S::BGColor, &S::SetBGColor)
        .String("Caption", &S::Caption, &S::SetCaption)
        .Object("Font", &S::Font)
        .Enum("FillDirection", &S::FillDirection, &S::SetFillDirection, {"gdUp", "gdDown", "gdLeft", "gdRight"})
        .Color("GradientToColor", &S::GradientToColor, &S::SetGradientToColor)
        .Color("GradientFromColor", &S::GradientFromColor, &S::SetGradientFromColor)
        .Object("Image", &S::Image)
        .Color("OutlineColor", &S::OutlineColor, &S::SetOutlineColor)
        .Enum("OutlineStyle", &S::OutlineStyle, &S::SetOutlineStyle,
              {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"})
        .Integer("OutlineWidth", &S::OutlineWidth, &S::SetOutlineWidth)
        .Enum("SurfaceType", &S::SurfaceType, &S::SetSurfaceType,
              {"stNormal", "stBrushTransparent", "stBrushImage", "stGradientFill"})
        .String("LastBitmapFileNameandPath", &S::LastBitmapFileNameandPath, &S::SetLastBitmapFileNameandPath);
}

}  // namespace

void RegisterPageObjectClasses(ComponentRegistry& registry)
{
    if (registry.FindClass(QStringLiteral("TGGraphicControl")))
        return;
    registerBase(registry);
    registerLabels(registry);
    registerRichLabel(registry);
    registerFlatCalendar(registry);
    registerImage(registry);
    registerSuperText(registry);
}

}  // namespace dayloom
