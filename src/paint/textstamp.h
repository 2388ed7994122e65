#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

#include "core/trect.h"

class QPainter;

namespace dayloom {

// Draws short one-line texts (day numbers, day names, titles) in one font,
// aligned in a rectangle the way the page aligns them: centred texts start
// at left + (width - text width) div 2, right-aligned ones end at the right
// edge, and likewise vertically. The glyph layout of each distinct text is
// kept (per font, for all pages), so the sixty minis of a sheet lay out "17"
// once. A text larger than its rectangle is drawn clipped to it.
class TextStamp {
public:
    explicit TextStamp(const QFont& font);

    const QFont& Font() const { return m_font; }
    // ascent + descent of the font, in pixels
    int Height() const { return m_height; }
    int Width(const QString& text);
    // flags: Qt::AlignLeft/Right/HCenter with Qt::AlignTop/Bottom/VCenter.
    // The painter's pen gives the colour; the painter's font becomes this one.
    void Draw(QPainter& painter, const TRect& r, int flags, const QString& text);

private:
    struct Entry {
        QStaticText text;
        int width = 0;
    };
    Entry& entry(const QString& text);

    QFont m_font;
    int m_height = 0;
    QHash<QString, Entry>* m_entries = nullptr;
};

}  // namespace dayloom
