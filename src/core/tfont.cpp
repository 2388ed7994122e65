#include "core/tfont.h"

#include <algorithm>
#include <cmath>

#include "core/screen.h"

namespace dayloom {

// ---- TFontData ------------------------------------------------------------------

int TFontData::Size() const
{
    return -int(std::lround(double(Height) * 72.0 / double(ScreenPPI())));
}

int TFontData::HeightForSize(int points)
{
    const double height = std::clamp(double(points) * double(ScreenPPI()) / 72.0, -1e9, 1e9);
    return -int(std::lround(height));
}

TFontData TFontData::WithName(const QString& name) const
{
    TFontData f = *this;
    f.Name = name;
    return f;
}

TFontData TFontData::WithHeight(int height) const
{
    TFontData f = *this;
    f.Height = height;
    return f;
}

TFontData TFontData::WithSize(int points) const
{
    return WithHeight(HeightForSize(points));
}

TFontData TFontData::WithStyle(TFontStyles style) const
{
    TFontData f = *this;
    f.Style = style & 0xF;
    return f;
}

TFontData TFontData::WithColor(TColor color) const
{
    TFontData f = *this;
    f.Color = color;
    return f;
}

bool TFontData::SameLook(const TFontData& other) const
{
    return Name == other.Name && Style == other.Style && Color == other.Color;
}

TFontData TFontData::WithQFont(const QFont& font) const
{
    TFontData f = WithName(font.family());
    // A size left as it was keeps the height it came from (not every
    // height is a whole number of points).
    if (font.pointSize() > 0 && font.pointSize() != Size())
        f.Height = HeightForSize(font.pointSize());
    return f.WithStyle((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                       (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0));
}

static void applyStyle(QFont& f, TFontStyles style)
{
    f.setBold(style & fsBold);
    f.setItalic(style & fsItalic);
    f.setUnderline(style & fsUnderline);
    f.setStrikeOut(style & fsStrikeOut);
}

QFont TFontData::ToQFont(double zoom) const
{
    QFont f(Name);
    int pts = int(double(Size()) * zoom);
    f.setPointSize(pts < 1 ? 1 : pts);
    applyStyle(f, Style);
    if (Pitch == fpFixed)
        f.setFixedPitch(true);
    return f;
}

QFont TFontData::ToQFontPixels(double zoom) const
{
    QFont f(Name);
    int px = int(std::abs(double(Height)) * zoom);
    f.setPixelSize(px < 1 ? 1 : px);
    applyStyle(f, Style);
    if (Pitch == fpFixed)
        f.setFixedPitch(true);
    return f;
}

// ---- TFont ------------------------------------------------------------------------

TFont::TFont(QObject* parent) : QObject(parent) {}

void TFont::SetData(const TFontData& data)
{
    TFontData d = data;
    d.Style &= 0xF;
    if (d == m_data)
        return;
    m_data = d;
    Q_EMIT changed();
}

void TFont::SetName(const QString& name) { SetData(m_data.WithName(name)); }
void TFont::SetHeight(int height) { SetData(m_data.WithHeight(height)); }
void TFont::SetSize(int points) { SetData(m_data.WithSize(points)); }
void TFont::SetStyle(TFontStyles style) { SetData(m_data.WithStyle(style)); }
void TFont::SetColor(TColor color) { SetData(m_data.WithColor(color)); }

void TFont::SetPitch(TFontPitch pitch)
{
    TFontData d = m_data;
    d.Pitch = pitch;
    SetData(d);
}

void TFont::SetCharset(int charset)
{
    TFontData d = m_data;
    d.Charset = charset;
    SetData(d);
}

}  // namespace dayloom
