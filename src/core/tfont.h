#pragma once

#include <QFont>
#include <QObject>
#include <QString>

#include "core/tcolor.h"

namespace dayloom {

// Font style bits, in the order the stream's sets use.
enum TFontStyleBit : int {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = int;

enum TFontPitch : int { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;

// A font description as a value: face, height in pixels (negative:
// character height; size in points = -height * 72 / PPI), style set,
// colour, pitch and character set. The page's settings hold their fonts as
// these.
struct TFontData {
    QString Name = QStringLiteral("Arial");
    int Height = -11;
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    TFontPitch Pitch = fpDefault;
    int Charset = DEFAULT_CHARSET;

    bool Bold() const { return Style & fsBold; }
    bool Italic() const { return Style & fsItalic; }
    bool Underline() const { return Style & fsUnderline; }
    bool StrikeOut() const { return Style & fsStrikeOut; }
    // Points, from the height at the screen's PPI.
    int Size() const;
    // The height for a size in points at the screen's PPI (an absurd size
    // from a damaged file is clamped, never overflows).
    static int HeightForSize(int points);

    // Copies with one value changed.
    TFontData WithName(const QString& name) const;
    TFontData WithHeight(int height) const;
    TFontData WithSize(int points) const;
    TFontData WithStyle(TFontStyles style) const;
    TFontData WithColor(TColor color) const;

    // Name, style and colour equal (the size is not compared).
    bool SameLook(const TFontData& other) const;
    bool operator==(const TFontData& other) const = default;

    // Face, point size (when the font has one) and style from a font a font
    // dialog chose; colour, pitch and character set stay.
    TFontData WithQFont(const QFont& font) const;
    // A QFont at trunc(points * zoom) points (at least 1).
    QFont ToQFont(double zoom = 1.0) const;
    // A QFont whose pixel size is trunc(|height| * zoom) (at least 1).
    QFont ToQFontPixels(double zoom = 1.0) const;
};

// A font as page objects own it: a TFontData whose every change emits
// changed().
class TFont : public QObject {
    Q_OBJECT
public:
    explicit TFont(QObject* parent = nullptr);

    const TFontData& Data() const { return m_data; }
    operator const TFontData&() const { return m_data; }
    void SetData(const TFontData& data);

    QString Name() const { return m_data.Name; }
    void SetName(const QString& name);
    int Height() const { return m_data.Height; }
    void SetHeight(int height);
    int Size() const { return m_data.Size(); }
    void SetSize(int points);
    TFontStyles Style() const { return m_data.Style; }
    void SetStyle(TFontStyles style);
    bool Bold() const { return m_data.Bold(); }
    bool Italic() const { return m_data.Italic(); }
    bool Underline() const { return m_data.Underline(); }
    bool StrikeOut() const { return m_data.StrikeOut(); }
    TColor Color() const { return m_data.Color; }
    void SetColor(TColor color);
    TFontPitch Pitch() const { return m_data.Pitch; }
    void SetPitch(TFontPitch pitch);
    int Charset() const { return m_data.Charset; }
    void SetCharset(int charset);

    void Assign(const TFont& other) { SetData(other.m_data); }
    void Assign(const TFontData& data) { SetData(data); }
    bool SameLook(const TFont& other) const { return m_data.SameLook(other.m_data); }
    bool operator==(const TFont& other) const { return m_data == other.m_data; }

    void AssignQFont(const QFont& font) { SetData(m_data.WithQFont(font)); }
    QFont ToQFont(double zoom = 1.0) const { return m_data.ToQFont(zoom); }
    QFont ToQFontPixels(double zoom = 1.0) const { return m_data.ToQFontPixels(zoom); }

Q_SIGNALS:
    void changed();

private:
    TFontData m_data;
};

}  // namespace dayloom
