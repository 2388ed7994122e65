#include "core/tfont.h"

#include <algorithm>
#include <cmath>

#include "core/screen.h"

namespace dayloom {

TFont::TFont(QObject* parent) : QObject(parent) {}

void TFont::notify()
{
    if (!m_updating)
        Q_EMIT changed();
}

void TFont::SetName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    notify();
}

void TFont::SetHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    notify();
}

int TFont::Size() const
{
    return -int(std::lround(double(m_height) * 72.0 / double(ScreenPPI())));
}

void TFont::SetSize(int points)
{
    // Clamped so that an absurd size from a damaged file cannot overflow.
    const double height = std::clamp(double(points) * double(ScreenPPI()) / 72.0, -1e9, 1e9);
    SetHeight(-int(std::lround(height)));
}

void TFont::SetStyle(TFontStyles style)
{
    style &= 0xF;
    if (style == m_style)
        return;
    m_style = style;
    notify();
}

void TFont::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    notify();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == m_pitch)
        return;
    m_pitch = pitch;
    notify();
}

void TFont::SetCharset(int charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    notify();
}

void TFont::Assign(const TFont& other)
{
    if (&other == this || other == *this)
        return;
    ++m_updating;
    m_name = other.m_name;
    m_height = other.m_height;
    m_style = other.m_style;
    m_color = other.m_color;
    m_pitch = other.m_pitch;
    m_charset = other.m_charset;
    --m_updating;
    notify();
}

bool TFont::SameLook(const TFont& other) const
{
    return m_name == other.m_name && m_style == other.m_style && m_color == other.m_color;
}

bool TFont::operator==(const TFont& other) const
{
    return m_name == other.m_name && m_height == other.m_height && m_style == other.m_style &&
           m_color == other.m_color && m_pitch == other.m_pitch && m_charset == other.m_charset;
}

void TFont::AssignQFont(const QFont& font)
{
    ++m_updating;
    const QString oldName = m_name;
    const int oldHeight = m_height;
    const TFontStyles oldStyle = m_style;
    SetName(font.family());
    // A size left as it was keeps the height it came from (not every
    // height is a whole number of points).
    if (font.pointSize() > 0 && font.pointSize() != Size())
        SetSize(font.pointSize());
    SetStyle((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
             (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0));
    --m_updating;
    if (m_name != oldName || m_height != oldHeight || m_style != oldStyle)
        notify();
}

static void applyStyle(QFont& f, TFontStyles style)
{
    f.setBold(style & fsBold);
    f.setItalic(style & fsItalic);
    f.setUnderline(style & fsUnderline);
    f.setStrikeOut(style & fsStrikeOut);
}

QFont TFont::ToQFont(double zoom) const
{
    QFont f(m_name);
    int pts = int(double(Size()) * zoom);
    f.setPointSize(pts < 1 ? 1 : pts);
    applyStyle(f, m_style);
    if (m_pitch == fpFixed)
        f.setFixedPitch(true);
    return f;
}

QFont TFont::ToQFontPixels(double zoom) const
{
    QFont f(m_name);
    int px = int(std::abs(double(m_height)) * zoom);
    f.setPixelSize(px < 1 ? 1 : px);
    applyStyle(f, m_style);
    if (m_pitch == fpFixed)
        f.setFixedPitch(true);
    return f;
}

}  // namespace dayloom
