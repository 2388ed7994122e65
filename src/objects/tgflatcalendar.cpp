#include "objects/tgflatcalendar.h"

#include <cmath>

#include <QFontMetrics>
#include <QPainter>

#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/tgbasepanel.h"

namespace dayloom {

namespace {

// The border rule over a rectangle whose right and bottom are drawn.
void drawBorder(QPainter& p, int l, int t, int r, int b, TFlatCalBorderStyle style)
{
    switch (style) {
    case fcbAll:
        p.drawLine(l, t, r, t);
        p.drawLine(r, t, r, b);
        p.drawLine(r, b, l, b);
        p.drawLine(l, b, l, t);
        break;
    case fcbTop:
        p.drawLine(l, t, r, t);
        break;
    case fcbBottom:
        p.drawLine(l, b, r, b);
        break;
    case fcbTopBottom:
        p.drawLine(l, t, r, t);
        p.drawLine(l, b, r, b);
        break;
    default:
        break;
    }
}

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
    const QRect c = CalendarRect(size, zoom);
    const int L = c.left(), T = c.top(), R = c.left() + c.width() - 1, B = c.top() + c.height() - 1;
    const bool solid = !m_calTransparent;
    p.setPen(QPen(Qt::black, 1));
    if (solid)
        p.fillRect(c, Qt::white);

    // Title band.
    const QFont titleFont = ZoomedFont(*m_titleFont, mapping);
    const int textH = QFontMetrics(titleFont).height();
    int Tt = T + int(std::trunc(0.17 * (B - T)));
    if (Tt < textH)
        Tt = T + textH;
    m_titleBand = ltrb(L, T, R + 1, Tt);
    if (solid)
        p.fillRect(m_titleBand, ToQColor(m_titleBGColor));
    QString title = LanguageMonthName(m_language, m_month);
    if (m_showYear)
        title += QLatin1Char(' ') + QString::number(m_year);
    p.setFont(titleFont);
    p.setPen(ToQColor(m_titleFont->Color()));
    p.drawText(ltrb(L, T, R, Tt), Qt::AlignCenter | Qt::TextSingleLine, title);

    const int cw = (R - L) / 7;

    // Day-name band.
    const QFont dayFont = ZoomedFont(*m_dayNameFont, mapping);
    const int Ht = Tt;
    const int Hb = Ht + int(std::trunc(qAbs(dayFont.pixelSize()) * 1.5));
    m_dayNameBand = ltrb(L, Ht, R, Hb + 1);
    if (solid) {
        p.fillRect(m_dayNameBand, ToQColor(m_dayNameBGColor));
        p.fillRect(ltrb(L, Hb, c.left() + c.width(), c.top() + c.height()), ToQColor(m_backgroundColor));
    }
    p.setPen(QPen(Qt::black, 1));
    drawBorder(p, L, Ht, R, Hb, m_dayNameBorder);
    p.setFont(dayFont);
    p.setPen(ToQColor(m_dayNameFont->Color()));
    for (int i = 0; i < 7; ++i) {
        const int weekday = m_startOfWeek == 2 ? (i <= 5 ? i + 2 : 1) : i + 1;
        QString name = LanguageDayName(m_language, weekday);
        if (m_dayNameStyle == fdsFirstChar)
            name = name.left(1);
        else if (m_dayNameStyle == fdsThreeChars)
            name = name.left(3);
        p.drawText(ltrb(L + i * cw + 1, Ht, L + i * cw + cw - 1, Hb), Qt::AlignCenter | Qt::TextSingleLine, name);
    }

    // Day numbers and their lines.
    const int Gt = Hb, Gb = B;
    const int rh = (Gb - Gt) / 6;
    p.setPen(QPen(Qt::black, 1));
    int k0 = 0, k1 = -1;
    switch (m_cellBorder) {
    case fcbAll:
    case fcbTopBottom: k0 = 0, k1 = 6; break;
    case fcbTop: k0 = 0, k1 = 5; break;
    case fcbBottom: k0 = 1, k1 = 6; break;
    default: break;
    }
    for (int k = k0; k <= k1; ++k) {
        const int y = k == 6 ? Gb : Gt + k * rh;
        p.drawLine(L, y, R, y);
    }
    if (m_cellBorder == fcbAll)
        for (int k = 0; k <= 7; ++k) {
            const int x = k == 7 ? R : L + k * cw;
            p.drawLine(x, Gt, x, Gb);
        }
    int first = 1, days = 0;
    try {
        first = FirstColumn(m_year, m_month, m_startOfWeek);
        days = DaysInMonth(m_year, m_month);
    } catch (const DateError&) {
        days = 0;  // a year the calendar cannot show: no numbers
    }
    p.setFont(ZoomedFont(*m_cellFont, mapping));
    p.setPen(ToQColor(m_cellFont->Color()));
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 7; ++col) {
            const int n = GridDay(r, col, first, days);
            if (n < 1 || n > days)
                continue;
            p.drawText(ltrb(L + col * cw + 1, Gt + r * rh + 1, L + col * cw + cw - 1, Gt + r * rh + rh),
                       Qt::AlignCenter | Qt::TextSingleLine, QString::number(n));
        }
    p.setPen(QPen(Qt::black, 1));
    drawBorder(p, L, T, R, B, m_calendarBorder);
}

void TGFlatCalendar::PrintTo(ReportSurface& surface, double xInch, double yInch)
{
    PrintThroughPicture(surface, xInch, yInch);
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
