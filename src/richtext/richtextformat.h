#pragma once

#include <array>

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTextCharFormat>
#include <QTextFormat>
#include <QTextImageFormat>

#include "core/tcolor.h"

class QTextCursor;
class QTextDocument;

namespace dayloom {

// Extra format properties the RTF reader sets and the writer honours.
enum RichTextProperty : int {
    // Character set of the run's font (int, RTF \fcharset); absent means 0
    // (ANSI) unless the face is a known symbol font.
    FontCharsetProperty = QTextFormat::UserProperty + 0x100,
    // Of a picture: its goal size in twips (QSize), what RTF stores.
    PictureGoalProperty,
    // Of a picture: the original encoded bytes (QByteArray) and their kind
    // (int, PictureKind), so pictures are written back exactly as read.
    PictureDataProperty,
    PictureKindProperty,
};

enum PictureKind : int { pkNone = 0, pkPng = 1, pkJpeg = 2 };

constexpr int kSymbolCharset = 2;

// Prepares a document for rich text: no document margin, undo off, the
// store's default font.
void PrepareRichDocument(QTextDocument& doc);
QFont DefaultRichTextFont();

// Typing attributes for a font description: face name, size in points,
// style bits (1 bold, 2 italic, 4 underline, 8 strike-out) and colour.
QTextCharFormat CharFormatFor(const QString& name, int size, int styleBits, QColor color);

// The editor's 16-colour table: the basic colours in the order clBlack,
// clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver,
// clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite.
const std::array<TColor, 16>& EditorColorTable();
// The index of the last table entry equal to color (system colours are
// resolved first); 0 when none is.
int EditorColorIndex(TColor color);
QColor EditorColor(int index);  // entry index, black outside 0..15

// The typing attributes the cell editor starts an empty text with: like
// CharFormatFor, the size capped at 255 points and the colour taken from the
// editor's table (EditorColorIndex).
QTextCharFormat EditorTypingFormat(const QString& name, int size, int styleBits, TColor color);

// Scales what the text draws (point sizes, picture display sizes, paragraph
// spacing and indents) by factor, in place. An editor without a zoom of its
// own shows a copy scaled by the zoom and scales it back by 1 / zoom before
// the text is stored; picture goal sizes are not touched.
void ScaleDocument(QTextDocument& doc, qreal factor);

bool IsSymbolFontName(const QString& face);

// A face name as font tables hold it: controls made '?', blanks trimmed.
QString CleanFontName(const QString& name);

// First family name of a format, or an empty string.
QString FormatFamily(const QTextCharFormat& format);

// Twips and pixels at zoom 100 (PPI = ScreenPPI()).
qreal TwipsToPixels(qreal twips);
qreal PixelsToTwips(qreal pixels);

// Inserts a picture at the cursor, shown at goalTwips (an empty size: the
// image's own size at the screen's resolution). The image becomes a resource
// of the cursor's document; returns false for a null image.
bool InsertPicture(QTextCursor& cursor, const QImage& image, QSize goalTwips = QSize());
// The same with an image already encoded (PNG or JPEG); the bytes are kept
// and written back unchanged.
bool InsertEncodedPicture(QTextCursor& cursor, const QImage& image, const QByteArray& data,
                          PictureKind kind, QSize goalTwips);

// The goal size of a picture fragment in twips.
QSize PictureGoalTwips(const QTextImageFormat& format);

}  // namespace dayloom
