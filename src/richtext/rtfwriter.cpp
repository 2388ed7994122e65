#include "rtfwriter.h"

#include <cmath>

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include "core/cp1252.h"
#include "core/screen.h"
#include "richtextformat.h"

namespace dayloom {

namespace {

struct RunFormat {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;
    int charset = 0;  // not written per run; decides how characters are encoded

    bool operator==(const RunFormat&) const = default;
};

const char kHex[] = "0123456789abcdef";

class Writer {
public:
    explicit Writer(const QTextDocument& doc) : FDoc(doc)
    {
        const QString family = doc.defaultFont().family();
        FontIndex(CleanFontName(family).isEmpty() ? DefaultRichTextFont().family() : family,
                  IsSymbolFontName(family) ? kSymbolCharset : 0);
    }

    QByteArray Result()
    {
        for (QTextBlock block = FDoc.begin(); block.isValid(); block = block.next())
            WriteBlock(block);

        QByteArray out;
        out.reserve(FBody.size() + 256);
        out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
        for (int i = 0; i < FFonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset"
                   + QByteArray::number(FFonts[i].second) + ' ';
            out += FFonts[i].first;
            out += ";}";
        }
        out += "}\r\n{\\colortbl ;";
        for (QRgb rgb : FColors) {
            out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb))
                   + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
        }
        out += "}\r\n";
        out += FBody;
        out += "}";
        return out;
    }

private:
    // Fonts are told apart by what the table says of them, so two faces
    // written alike share an entry, as a reader would see them.
    int FontIndex(const QString& name, int charset)
    {
        const QPair<QByteArray, int> key(EscapedName(name), charset);
        int i = int(FFonts.indexOf(key));
        if (i < 0) {
            i = int(FFonts.size());
            FFonts.append(key);
        }
        return i;
    }

    int ColorIndex(const QColor& color)
    {
        const QRgb rgb = color.rgb() & 0xFFFFFFu;
        int i = int(FColors.indexOf(rgb));
        if (i < 0) {
            i = int(FColors.size());
            FColors.append(rgb);
        }
        return i + 1;  // entry 0 is the automatic colour
    }

    static QByteArray EscapedName(const QString& name)
    {
        QByteArray out;
        for (QChar ch : CleanFontName(name)) {
            const char16_t c = ch.unicode();
            if (c == '\\' || c == '{' || c == '}' || c == ';') {
                out += "\\'";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else if (c >= 0x20 && c < 0x7F) {
                out += char(c);
            } else {
                const int b = cp1252Byte(c);
                if (b >= 0x80) {
                    out += "\\'";
                    out += kHex[b >> 4];
                    out += kHex[b & 15];
                } else {
                    out += '?';
                }
            }
        }
        return out;
    }

    RunFormat RunFor(const QTextCharFormat& format)
    {
        RunFormat run;
        QString family = FormatFamily(format);
        if (CleanFontName(family).isEmpty())
            family = FDoc.defaultFont().family();
        // The charset belongs to the face the run is drawn with, which may
        // be the document's default one.
        run.charset = format.hasProperty(FontCharsetProperty)
                          ? format.intProperty(FontCharsetProperty)
                          : (IsSymbolFontName(family) ? kSymbolCharset : 0);
        run.font = FontIndex(family, run.charset);

        qreal points = format.fontPointSize();
        if (points <= 0) {
            const int px = format.intProperty(QTextFormat::FontPixelSize);
            if (px > 0)
                points = px * 72.0 / ScreenPPI();
        }
        if (points <= 0) {
            const QFont f = FDoc.defaultFont();
            points = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 72.0 / ScreenPPI();
        }
        run.halfPoints = qBound(1, int(std::lround(points * 2)), 3276);
        run.bold = format.fontWeight() > QFont::Medium;
        run.italic = format.fontItalic();
        run.underline = format.fontUnderline();
        run.strike = format.fontStrikeOut();
        if (format.hasProperty(QTextFormat::ForegroundBrush)
            && format.foreground().style() != Qt::NoBrush)
            run.color = ColorIndex(format.foreground().color());
        return run;
    }

    void Control(const char* word) { FBody += word; FDelimit = true; }
    void Control(const char* word, int value)
    {
        FBody += word;
        FBody += QByteArray::number(value);
        FDelimit = true;
    }

    void SwitchTo(const RunFormat& run)
    {
        if (FHaveRun && run == FRun)
            return;
        Control("\\plain");
        Control("\\f", run.font);
        Control("\\fs", run.halfPoints);
        if (run.bold) Control("\\b");
        if (run.italic) Control("\\i");
        if (run.underline) Control("\\ul");
        if (run.strike) Control("\\strike");
        if (run.color) Control("\\cf", run.color);
        FRun = run;
        FHaveRun = true;
    }

    void Literal(char c)
    {
        if (FDelimit)
            FBody += ' ';
        FDelimit = false;
        FBody += c;
    }

    void Escape(const char* text)
    {
        FBody += text;
        FDelimit = false;
    }

    void HexByte(int b)
    {
        FBody += "\\'";
        FBody += kHex[(b >> 4) & 15];
        FBody += kHex[b & 15];
        FDelimit = false;
    }

    void Unicode(char16_t c)
    {
        Control("\\u", int(qint16(c)));
        FBody += '?';  // what readers without \u show; skipped by \uc1
        FDelimit = false;
    }

    static bool Dropped(char16_t c)
    {
        return (c < 0x20 && c != '\t') || c == 0x7F || c == 0xFFFC || (c >= 0xFDD0 && c <= 0xFDEF)
               || c >= 0xFFFE;
    }

    static bool HasWritableText(const QString& text)
    {
        for (QChar ch : text)
            if (!Dropped(ch.unicode()))
                return true;
        return false;
    }

    void WriteText(const QString& text)
    {
        const bool symbol = FRun.charset == kSymbolCharset;
        for (QChar ch : text) {
            char16_t c = ch.unicode();
            // A symbol font's private-use form U+F0xx is its byte xx, which
            // reads back as U+00xx: both are written as that byte, so a
            // document reads back to what it writes.
            if (symbol && c >= 0xF000 && c <= 0xF0FF)
                c &= 0xFF;
            switch (c) {
            case '\\': Escape("\\\\"); continue;
            case '{': Escape("\\{"); continue;
            case '}': Escape("\\}"); continue;
            case '\t': Control("\\tab"); continue;
            case 0x2028: Control("\\line"); continue;
            case 0x00A0: Escape("\\~"); continue;
            default: break;
            }
            if (Dropped(c))
                continue;  // controls, objects without picture data, frame marks
            if (c >= 0x20 && c < 0x7F) {
                Literal(char(c));
            } else if (symbol && c <= 0xFF) {
                HexByte(c);
            } else if (!symbol && cp1252Byte(c) >= 0x80) {
                HexByte(cp1252Byte(c));
            } else {
                Unicode(c);
            }
        }
    }

    void WritePicture(const QTextImageFormat& format)
    {
        const QImage image =
            FDoc.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        QByteArray data = format.property(PictureDataProperty).toByteArray();
        int kind = format.intProperty(PictureKindProperty);
        if (data.isEmpty() || (kind != pkPng && kind != pkJpeg)) {
            if (image.isNull())
                return;
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            kind = pkPng;
        }
        const QSize goal = PictureGoalTwips(format);
        FBody += "{\\pict";
        FBody += kind == pkJpeg ? "\\jpegblip" : "\\pngblip";
        FBody += "\\picw" + QByteArray::number(image.isNull() ? 0 : image.width());
        FBody += "\\pich" + QByteArray::number(image.isNull() ? 0 : image.height());
        FBody += "\\picwgoal" + QByteArray::number(goal.width());
        FBody += "\\pichgoal" + QByteArray::number(goal.height());
        FBody += "\r\n";
        const QByteArray hex = data.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128) {
            FBody += hex.mid(i, 128);
            FBody += "\r\n";
        }
        FBody += "}";
        FDelimit = false;
    }

    void WriteBlock(const QTextBlock& block)
    {
        const QTextBlockFormat bf = block.blockFormat();
        Control("\\pard");
        const Qt::Alignment align = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignJustify)
            Control("\\qj");
        else if (align & Qt::AlignHCenter)
            Control("\\qc");
        else if (align & Qt::AlignRight)
            Control("\\qr");
        const auto twips = [](qreal px) { return int(std::lround(PixelsToTwips(px))); };
        if (int v = twips(bf.leftMargin())) Control("\\li", v);
        if (int v = twips(bf.rightMargin())) Control("\\ri", v);
        if (int v = twips(bf.textIndent())) Control("\\fi", v);
        if (int v = twips(bf.topMargin())) Control("\\sb", v);
        if (int v = twips(bf.bottomMargin())) Control("\\sa", v);

        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat() && !HasWritableText(fragment.text()))
                continue;  // nothing a reader would see: no format switch either
            SwitchTo(RunFor(format));
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                for (int n = 0; n < fragment.length(); ++n)
                    WritePicture(image);
            } else {
                WriteText(fragment.text());
            }
        }
        SwitchTo(RunFor(block.charFormat()));
        Control("\\par");
        FBody += "\r\n";
        FDelimit = false;
    }

    const QTextDocument& FDoc;
    QList<QPair<QByteArray, int>> FFonts;
    QList<QRgb> FColors;
    QByteArray FBody;
    RunFormat FRun;
    bool FHaveRun = false;
    bool FDelimit = false;
};

}  // namespace

QByteArray RtfWriter::Write(const QTextDocument& doc) { return Writer(doc).Result(); }

}  // namespace dayloom
