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

// A font description as the page and its objects own it: face, height in
// pixels (negative: character height; size in points = -height * 72 / PPI),
// style set, colour, pitch and character set. Every change emits changed().
class TFont : public QObject {
    Q_OBJECT
public:
    explicit TFont(QObject* parent = nullptr);

    QString Name() const { return m_name; }
    void SetName(const QString& name);
    int Height() const { return m_height; }
    void SetHeight(int height);
    // Points, from the height at the screen's PPI.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    bool Bold() const { return m_style & fsBold; }
    bool Italic() const { return m_style & fsItalic; }
    bool Underline() const { return m_style & fsUnderline; }
    bool StrikeOut() const { return m_style & fsStrikeOut; }
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch pitch);
    int Charset() const { return m_charset; }
    void SetCharset(int charset);

    void Assign(const TFont& other);
    // Name, style and colour equal (the size is not compared).
    bool SameLook(const TFont& other) const;
    bool operator==(const TFont& other) const;

    // Takes face, point size (when the font has one) and style from a font
    // a font dialog chose; colour, pitch and character set stay.
    void AssignQFont(const QFont& font);

    // A QFont at trunc(points * zoom) points (at least 1).
    QFont ToQFont(double zoom = 1.0) const;
    // A QFont whose pixel size is trunc(|height| * zoom) (at least 1).
    QFont ToQFontPixels(double zoom = 1.0) const;

Q_SIGNALS:
    void changed();

private:
    void notify();

    QString m_name = QStringLiteral("Arial");
    int m_height = -11;
    TFontStyles m_style = 0;
    TColor m_color = clWindowText;
    TFontPitch m_pitch = fpDefault;
    int m_charset = DEFAULT_CHARSET;
    int m_updating = 0;
};

}  // namespace dayloom
