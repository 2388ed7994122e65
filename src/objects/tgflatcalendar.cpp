#include "objects/tgflatcalendar.h"

#include <cmath>

#include <QFontMetrics>
#include <QPainter>

#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/tgbasepanel.h"
#include "paint/monthpainter.h"
#include "paint/paintutil.h"
#include "paint/textstamp.h"

namespace dayloom {

namespace {

// Left, top, right, bottom, with right and bottom outside.
QRect ltrb(int l, int t, int r, int b)
{
    return QRect(l, t, r - l, b - t);
}

}  // namespace

TGFlatCalendar::TGFlatCalendar(QObject* parent)
    : TGGraphicControl(parent),
      m_titleFont(new TFont(this)),
      m_dayNameFont(new TFont(this)),
      m_cellFont(new TFont(this))
{
    const CalendarDate today = Today();
    m_month = today.Month;
    m_year = today.Year;
    for (TFont* f : {m_titleFont, m_dayNameFont, m_cellFont}) {
        f->SetName(QStringLiteral("Arial"));
        f->SetSize(f == m_cellFont ? 7 : 8);
        connect(f, &TFont::changed, this, [this] { Repaint(); });
    }
}

TGFlatCalendar::~TGFlatCalendar() = default;

template <class T>
void TGFlatCalendar::set(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    Repaint();
}

void TGFlatCalendar::SetStartOfWeek(int start)
{
    if (start == 1 || start == 2)
        set(m_startOfWeek, start);
}

void TGFlatCalendar::SetMonth(int month)
{
    if (month >= 1 && month <= 12)
        set(m_month, month);
}

void TGFlatCalendar::SetYear(int year)
{
    set(m_year, year);
}

void TGFlatCalendar::SetShowYear(bool show) { set(m_showYear, show); }
void TGFlatCalendar::SetDayNameBGColor(TColor color) { set(m_dayNameBGColor, color); }
void TGFlatCalendar::SetTitleBGcolor(TColor color) { set(m_titleBGColor, color); }
void TGFlatCalendar::SetBackgroundcolor(TColor color) { set(m_backgroundColor, color); }
void TGFlatCalendar::SetShadowColor(TColor color) { set(m_shadowColor, color); }
void TGFlatCalendar::SetCalTransparent(bool transparent) { set(m_calTransparent, transparent); }

void TGFlatCalendar::SetCalendarBorderStyle(TFlatCalBorderStyle style)
{
    if (style >= fcbNone && style <= fcbTopBottom)
        set(m_calendarBorder, style);
}

void TGFlatCalendar::SetDayNameBorderStyle(TFlatCalBorderStyle style)
{
    if (style >= fcbNone && style <= fcbTopBottom)
        set(m_dayNameBorder, style);
}

void TGFlatCalendar::SetCellBorderStyle(TFlatCalBorderStyle style)
{
    if (style >= fcbNone && style <= fcbTopBottom)
        set(m_cellBorder, style);
}

void TGFlatCalendar::SetDayNameStyle(TFlatCalHeadersStyle style)
{
    if (style >= fdsFirstChar && style <= fdsWhole)
        set(m_dayNameStyle, style);
}

void TGFlatCalendar::SetShadowDepth(int depth)
{
    // Below 1 no shadow is drawn.
    if (depth <= 10)
        set(m_shadowDepth, depth);
}

void TGFlatCalendar::SetShadowPosition(TFlatShadowPosition position)
{
    if (position >= fcpLowerRight && position <= fcpUpperLeft)
        set(m_shadowPosition, position);
}

void TGFlatCalendar::SetLanguage(TFlatCalLanguage language)
{
    if (language >= fclEnglish && language <= fclSpanish)
        set(m_language, language);
}

void TGFlatCalendar::AssignProperties(const TGFlatCalendar& o)
{
    SetMonth(o.Month());
    SetYear(o.Year());
    m_titleFont->Assign(*o.TitleFont());
    m_dayNameFont->Assign(*o.DayNameFont());
    m_cellFont->Assign(*o.CellFont());
    SetDayNameBGColor(o.DayNameBGColor());
    SetTitleBGcolor(o.TitleBGcolor());
    SetBackgroundcolor(o.Backgroundcolor());
    SetCalendarBorderStyle(o.CalendarBorderStyle());
    SetDayNameBorderStyle(o.DayNameBorderStyle());
    SetCellBorderStyle(o.CellBorderStyle());
    SetShadowColor(o.ShadowColor());
    SetShadowDepth(o.ShadowDepth());
    SetShadowPosition(o.ShadowPosition());
    SetDayNameStyle(o.DayNameStyle());
    SetShowYear(o.ShowYear());
    SetStartOfWeek(o.StartOfWeek());
    SetLanguage(o.Language());
    SetCalTransparent(o.CalTransparent());
}

QRect TGFlatCalendar::CalendarRect(QSize size, float zoom) const
{
    const int w = size.width(), h = size.height();
    if (m_shadowDepth < 1 || m_calTransparent)
        return ltrb(0, 0, w, h);
    const int a = int(std::trunc(m_shadowDepth * double(zoom)));
    switch (m_shadowPosition) {
    case fcpLowerLeft: return ltrb(a, 0, w, h - a);
    case fcpUpperRight: return ltrb(0, a, w - a, h);
    case fcpUpperLeft: return ltrb(a, a, w, h);
    default: return ltrb(0, 0, w - a, h - a);
    }
}

QRect TGFlatCalendar::ShadowRect(QSize size, float zoom) const
{
    const int w = size.width(), h = size.height();
    if (m_shadowDepth < 1 || m_calTransparent)
        return QRect();
    const int a = int(std::trunc(m_shadowDepth * double(zoom)));
    switch (m_shadowPosition) {
    case fcpLowerLeft: return ltrb(0, a, w - a, h);
    case fcpUpperRight: return ltrb(a, 0, w, h - a);
    case fcpUpperLeft: return ltrb(0, 0, w - a, h - a);
    default: return ltrb(a, a, w, h);
    }
}

void TGFlatCalendar::PaintObject(QPainter& p, const PageMapping& mapping, QSize size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return;
    if (const TGBasePanel* c = Container(); c && c->LoadingDocument())
        return;
    const float zoom = mapping.ObjectZoom;
    const QRect shadow = ShadowRect(size, zoom);
    if (!shadow.isNull()) {
        // The shadow covers its right and bottom edges too.
        p.fillRect(shadow.adjusted(0, 0, 1, 1), ToQColor(m_shadowColor));
    }

    // The month itself is the page's month painter with this object's rules.
    MonthPainter::Params mp;
    mp.Rect = TRect::fromQRect(CalendarRect(size, zoom));
    mp.PageColor = clWhite;
    mp.TitleColor = m_titleBGColor;
    // The title band is never lower than "Wy" in the title font.
    mp.MinTitleHeight = TextStamp(PageFont(m_titleFont->Data(), mapping)).Height();
    mp.Month = m_month;
    mp.Year = m_year;
    mp.NumberPosition = cnpCenter;
    mp.StartOfWeek = m_startOfWeek;
    mp.OuterBorder = TCalBorderStyle(m_calendarBorder);
    mp.TitleFont = &m_titleFont->Data();
    mp.ShowYear = m_showYear;
    mp.HeadersFont = &m_dayNameFont->Data();
    mp.HeadersBorder = TCalBorderStyle(m_dayNameBorder);
    mp.HeadersStyle = TCalHeadersStyle(m_dayNameStyle);
    mp.HeadersColor = m_dayNameBGColor;
    mp.CellFont = &m_cellFont->Data();
    mp.CellBorder = TCalBorderStyle(m_cellBorder);
    for (int m = 1; m <= 12; ++m)
        mp.MonthNames << LanguageMonthName(m_language, m);
    for (int d = 1; d <= 7; ++d)
        mp.DayNames << LanguageDayName(m_language, d);
    mp.Look = MonthPainter::Style::Floating(m_calTransparent, m_backgroundColor);
    const MonthPainter::Result r = MonthPainter::Paint(p, mp, mapping);

    const TRect& t = r.TitleRect;
    const TRect& h = r.HeaderRect;
    m_titleBand = ltrb(t.Left, t.Top, t.Right + 1, t.Bottom);
    m_dayNameBand = ltrb(h.Left, h.Top, h.Right, h.Bottom + 1);
}

void TGFlatCalendar::ShowProperties()
{
    if (!ObjectDialogs().editFlatCalendar)
        return;
    TGFlatCalendar sample;
    sample.AssignProperties(*this);
    // The preview shows the unzoomed size.
    sample.SetBounds(QRect(0, 0, Width(), Height()));
    if (!ObjectDialogs().editFlatCalendar(sample))
        return;
    AssignProperties(sample);
    Repaint();
    ReportChange();
}

void TGFlatCalendar::AppendMenuItems(MenuEntryList& m)
{
    m << MenuEntry::Separator();
    m << MenuEntry::Item(QStringLiteral("Properties"), [this] { ShowProperties(); });
}

}  // namespace dayloom
