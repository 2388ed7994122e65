#include "rtfreader.h"

#include <algorithm>
#include <cstring>

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/cp1252.h"
#include "core/screen.h"
#include "richtextformat.h"
#include "rtfpicture.h"

namespace dayloom {

namespace {

enum class Dest {
    Text,        // document text (also field results, shape results)
    FontTable,
    ColorTable,
    Picture,
};

struct CharState {
    int font = -1;  // -1: the default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    int align = 0;  // 0 left, 1 centre, 2 right, 3 justified
    int left = 0, right = 0, first = 0, before = 0, after = 0;  // twips
};

struct Group {
    Dest dest = Dest::Text;
    CharState chr;
    ParaState para;
    int uc = 1;
};

struct FontEntry {
    QString name;
    int charset = 0;
};

struct PictureState {
    RtfPictureKind kind = RtfPictureKind::Unknown;
    int picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    QByteArray data;
    int nibble = -1;
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The control words the reader acts on. Everything else is ignored.
enum class Kw {
    Unknown, Skip,  // Skip: a destination whose whole group is ignored
    Par, Line, Tab, F, Fs, B, I, Ul, UlNone, Strike, Cf, Plain, Pard, Ql, Qc, Qr, Qj,
    Li, Ri, Fi, Sb, Sa, U, Uc, EmDash, EnDash, LQuote, RQuote, LDblQuote, RDblQuote, Bullet,
    EmSpace, EnSpace, QmSpace, Deff, FontTbl, ColorTbl, Pict, Bin, FCharset, Red, Green, Blue,
    ShpPict, FldRslt, ShpRslt,
    PngBlip, JpegBlip, DiBitmap, WBitmap, WMetafile, EmfBlip, PicW, PicH, PicWGoal, PicHGoal,
    PicScaleX, PicScaleY,
};

Kw Keyword(const QByteArray& word)
{
    static const QHash<QByteArray, Kw> table = [] {
        QHash<QByteArray, Kw> t;
        for (const char* n : {"stylesheet", "info", "header", "headerl", "headerr", "headerf",
                              "footer", "footerl", "footerr", "footerf", "footnote", "annotation",
                              "fldinst", "nonshppict", "listtable", "listoverridetable", "revtbl",
                              "rsidtbl", "filetbl", "pgdsctbl", "xmlnstbl", "themedata",
                              "colorschememapping", "latentstyles", "datastore", "txe", "xe", "tc",
                              "private", "atnid", "atnauthor", "ftnsep", "ftnsepc", "ftncn",
                              "aftnsep", "aftnsepc", "aftncn", "objdata", "objclass", "bkmkstart",
                              "bkmkend", "template", "docvar", "userprops", "mmathPr", "generator"})
            t.insert(n, Kw::Skip);
        for (const char* n : {"par", "sect", "page", "row", "nestrow"})
            t.insert(n, Kw::Par);
        for (const char* n : {"tab", "cell", "nestcell"})
            t.insert(n, Kw::Tab);
        for (const char* n : {"ul", "uld", "uldb", "ulw", "ulth", "ulwave", "uldash", "uldashd",
                              "uldashdd", "ulhwave", "ulldash", "ulthd", "ulthdash", "ulthdashd",
                              "ulthdashdd", "ulthldash", "ululdbwave"})
            t.insert(n, Kw::Ul);
        const std::pair<const char*, Kw> words[] = {
            {"line", Kw::Line}, {"f", Kw::F}, {"fs", Kw::Fs}, {"b", Kw::B}, {"i", Kw::I},
            {"ulnone", Kw::UlNone}, {"strike", Kw::Strike}, {"striked", Kw::Strike},
            {"cf", Kw::Cf}, {"plain", Kw::Plain}, {"pard", Kw::Pard}, {"ql", Kw::Ql},
            {"qc", Kw::Qc}, {"qr", Kw::Qr}, {"qj", Kw::Qj}, {"li", Kw::Li}, {"ri", Kw::Ri},
            {"fi", Kw::Fi}, {"sb", Kw::Sb}, {"sa", Kw::Sa}, {"u", Kw::U}, {"uc", Kw::Uc},
            {"emdash", Kw::EmDash}, {"endash", Kw::EnDash}, {"lquote", Kw::LQuote},
            {"rquote", Kw::RQuote}, {"ldblquote", Kw::LDblQuote}, {"rdblquote", Kw::RDblQuote},
            {"bullet", Kw::Bullet}, {"emspace", Kw::EmSpace}, {"enspace", Kw::EnSpace},
            {"qmspace", Kw::QmSpace}, {"deff", Kw::Deff}, {"fonttbl", Kw::FontTbl},
            {"colortbl", Kw::ColorTbl}, {"pict", Kw::Pict}, {"bin", Kw::Bin},
            {"fcharset", Kw::FCharset}, {"red", Kw::Red}, {"green", Kw::Green},
            {"blue", Kw::Blue}, {"shppict", Kw::ShpPict}, {"fldrslt", Kw::FldRslt},
            {"shprslt", Kw::ShpRslt}, {"pngblip", Kw::PngBlip}, {"jpegblip", Kw::JpegBlip},
            {"dibitmap", Kw::DiBitmap}, {"wbitmap", Kw::WBitmap}, {"wmetafile", Kw::WMetafile},
            {"emfblip", Kw::EmfBlip}, {"picw", Kw::PicW}, {"pich", Kw::PicH},
            {"picwgoal", Kw::PicWGoal}, {"pichgoal", Kw::PicHGoal}, {"picscalex", Kw::PicScaleX},
            {"picscaley", Kw::PicScaleY}};
        for (const auto& [n, k] : words)
            t.insert(n, k);
        return t;
    }();
    return table.value(word, Kw::Unknown);
}

// Words that produce a character (and so use up a \u fallback).
bool IsTextWord(Kw k)
{
    switch (k) {
    case Kw::Par: case Kw::Line: case Kw::Tab: case Kw::EmDash: case Kw::EnDash:
    case Kw::LQuote: case Kw::RQuote: case Kw::LDblQuote: case Kw::RDblQuote: case Kw::Bullet:
    case Kw::EmSpace: case Kw::EnSpace: case Kw::QmSpace: case Kw::U:
        return true;
    default:
        return false;
    }
}

class Parser {
public:
    Parser(const QByteArray& data, QTextDocument& doc, const RtfReader::Limits& limits)
        : FPos(data.constData()), FEnd(data.constData() + data.size()),
          FDoc(doc), FCursor(&doc), FLimits(limits)
    {
    }

    bool Run()
    {
        // Skip to the opening group; the caller made sure "{\rtf" is there.
        while (FPos < FEnd && *FPos != '{')
            ++FPos;
        bool closed = false;
        while (FPos < FEnd && !FDone) {
            const char c = *FPos;
            if (c == '{') {
                ++FPos;
                FSkipChars = 0;
                if (int(FStack.size()) >= FLimits.maxDepth) {
                    SkipGroup();
                    FCutShort = true;
                    continue;
                }
                FStack.append(FState);
                FStarred = false;
            } else if (c == '}') {
                ++FPos;
                FSkipChars = 0;
                EndGroup();
                if (FStack.isEmpty()) {
                    closed = true;
                    break;
                }
            } else if (c == '\\') {
                ++FPos;
                ControlSequence();
            } else {
                ++FPos;
                if (c == '\r' || c == '\n')
                    continue;
                Character(uchar(c));
            }
        }
        // A group left open at the end of the data: close what is open.
        closed = closed || FDone;
        while (!FStack.isEmpty())
            EndGroup();
        Finish();
        return closed && !FCutShort;
    }

private:
    // --- groups -----------------------------------------------------------

    void EndGroup()
    {
        if (FState.dest == Dest::Picture && (FStack.isEmpty() || FStack.last().dest != Dest::Picture))
            FinishPicture();
        if (FState.dest == Dest::FontTable)
            CommitFont();
        if (FStack.isEmpty())
            return;
        FState = FStack.takeLast();
        FStarred = false;
    }

    // Skips the rest of the group just opened (its '{' already consumed),
    // including nested groups and binary data, without recursion.
    void SkipGroup()
    {
        int depth = 1;
        while (FPos < FEnd && depth > 0) {
            const char c = *FPos++;
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                --depth;
            } else if (c == '\\' && FPos < FEnd) {
                if (!IsLetter(*FPos)) {
                    ++FPos;  // a control symbol, an escaped brace among them
                    continue;
                }
                const char* start = FPos;
                while (FPos < FEnd && IsLetter(*FPos) && FPos - start < 32)
                    ++FPos;
                const bool bin = FPos - start == 3 && std::memcmp(start, "bin", 3) == 0;
                qint64 param = 0;
                const bool hasParam = Parameter(param);
                if (FPos < FEnd && *FPos == ' ')
                    ++FPos;
                if (bin && hasParam)
                    SkipBinary(param);
            }
        }
    }

    void SkipBinary(qint64 count)
    {
        if (count <= 0)
            return;
        if (count > FEnd - FPos) {
            FPos = FEnd;
            FCutShort = true;
            return;
        }
        FPos += count;
    }

    // Reads an optional signed parameter of at most 10 digits (more are
    // consumed and saturate).
    bool Parameter(qint64& value)
    {
        bool negative = false;
        if (FPos + 1 < FEnd && *FPos == '-' && IsDigit(FPos[1])) {
            negative = true;
            ++FPos;
        }
        if (FPos >= FEnd || !IsDigit(*FPos))
            return false;
        qint64 v = 0;
        while (FPos < FEnd && IsDigit(*FPos)) {
            if (v < 10'000'000'000ll)
                v = v * 10 + (*FPos - '0');
            ++FPos;
        }
        v = qMin<qint64>(v, 0x7FFFFFFF);
        value = negative ? -v : v;
        return true;
    }

    // --- control words and symbols ----------------------------------------

    void ControlSequence()
    {
        if (FPos >= FEnd)
            return;
        const char c = *FPos;
        if (!IsLetter(c)) {
            ++FPos;
            ControlSymbol(c);
            return;
        }
        const char* start = FPos;
        while (FPos < FEnd && IsLetter(*FPos))
            ++FPos;
        const bool tooLong = FPos - start > 32;
        const QByteArray word = QByteArray::fromRawData(start, qMin<qsizetype>(FPos - start, 32));
        qint64 param = 0;
        const bool hasParam = Parameter(param);
        if (FPos < FEnd && *FPos == ' ')
            ++FPos;
        if (tooLong)
            return;
        ControlWord(word, hasParam, int(param));
    }

    void ControlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Emit(char16_t(uchar(c)));
            break;
        case '~': Emit(0x00A0); break;
        case '_': Emit(0x2011); break;
        case '*': FStarred = true; break;
        case '\'': {
            if (FEnd - FPos < 2) {
                FPos = FEnd;
                return;
            }
            const int hi = HexValue(FPos[0]), lo = HexValue(FPos[1]);
            if (hi < 0 || lo < 0) {
                return;  // not a hex escape; the characters are read as text
            }
            FPos += 2;
            Byte(uchar(hi * 16 + lo));
            break;
        }
        case '\r':
        case '\n':
            ControlWord(Kw::Par, false, 0);
            break;
        case '\t': Emit('\t'); break;
        default:
            // \- optional hyphen, \| \: and others show nothing, but they
            // still count as characters for \u skipping.
            if (FSkipChars > 0)
                --FSkipChars;
            break;
        }
    }

    void ControlWord(const QByteArray& w, bool hasParam, int param)
    {
        ControlWord(Keyword(w), hasParam, param);
    }

    void ControlWord(Kw k, bool hasParam, int param)
    {
        const bool starred = FStarred;
        FStarred = false;
        const bool on = !hasParam || param != 0;

        // An ignorable destination we do not know is skipped whole.
        if (starred) {
            if (k == Kw::ShpPict || k == Kw::FldRslt || k == Kw::ShpRslt) {
                FState.dest = Dest::Text;
                return;
            }
            if (k == Kw::Pict) {
                StartPicture();
                return;
            }
            SkipGroup();
            PopAfterSkip();
            return;
        }
        if (k == Kw::Skip) {
            SkipGroup();
            PopAfterSkip();
            return;
        }
        if (k == Kw::Unknown)
            return;
        if (k == Kw::Bin && FState.dest != Dest::Picture) {
            if (hasParam)
                SkipBinary(param);  // binary data is never text, in any table
            return;
        }

        if (FSkipChars > 0 && FState.dest == Dest::Text && IsTextWord(k)) {
            --FSkipChars;
            return;
        }

        switch (FState.dest) {
        case Dest::FontTable:
            if (k == Kw::F) {
                CommitFont();
                FFontNumber = param;
                FFontCharset = 0;
                FFontName.clear();
                FHaveFontNumber = hasParam;
            } else if (k == Kw::FCharset) {
                FFontCharset = param;
            }
            return;
        case Dest::ColorTable:
            if (k == Kw::Red) { FRed = qBound(0, param, 255); FColorGiven = true; }
            else if (k == Kw::Green) { FGreen = qBound(0, param, 255); FColorGiven = true; }
            else if (k == Kw::Blue) { FBlue = qBound(0, param, 255); FColorGiven = true; }
            return;
        case Dest::Picture:
            PictureWord(k, hasParam, param);
            return;
        case Dest::Text:
            break;
        }

        CharState& chr = FState.chr;
        ParaState& para = FState.para;
        switch (k) {
        case Kw::Par: Paragraph(); break;
        case Kw::Line: Emit(0x2028); break;
        case Kw::Tab: Emit('\t'); break;
        case Kw::F: chr.font = hasParam ? param : -1; break;
        case Kw::Fs: chr.halfPoints = (hasParam && param > 0) ? qMin(param, 3276) : 24; break;
        case Kw::B: chr.bold = on; break;
        case Kw::I: chr.italic = on; break;
        case Kw::Ul: chr.underline = on; break;
        case Kw::UlNone: chr.underline = false; break;
        case Kw::Strike: chr.strike = on; break;
        case Kw::Cf: chr.color = hasParam ? qMax(0, param) : 0; break;
        case Kw::Plain: chr = CharState(); break;
        case Kw::Pard: para = ParaState(); break;
        case Kw::Ql: para.align = 0; break;
        case Kw::Qc: para.align = 1; break;
        case Kw::Qr: para.align = 2; break;
        case Kw::Qj: para.align = 3; break;
        case Kw::Li: para.left = param; break;
        case Kw::Ri: para.right = param; break;
        case Kw::Fi: para.first = param; break;
        case Kw::Sb: para.before = param; break;
        case Kw::Sa: para.after = param; break;
        case Kw::U:
            Emit(char16_t(quint16(qint16(param))));
            FSkipChars = FState.uc;
            break;
        case Kw::Uc: FState.uc = qBound(0, param, 16); break;
        case Kw::EmDash: Emit(0x2014); break;
        case Kw::EnDash: Emit(0x2013); break;
        case Kw::LQuote: Emit(0x2018); break;
        case Kw::RQuote: Emit(0x2019); break;
        case Kw::LDblQuote: Emit(0x201C); break;
        case Kw::RDblQuote: Emit(0x201D); break;
        case Kw::Bullet: Emit(0x2022); break;
        case Kw::EmSpace: Emit(0x2003); break;
        case Kw::EnSpace: Emit(0x2002); break;
        case Kw::QmSpace: Emit(0x2005); break;
        case Kw::Deff: FDefaultFont = param; break;
        case Kw::FontTbl: FState.dest = Dest::FontTable; break;
        case Kw::ColorTbl:
            FState.dest = Dest::ColorTable;
            FRed = FGreen = FBlue = 0;
            FColorGiven = false;
            break;
        case Kw::Pict: StartPicture(); break;
        case Kw::Bin:
            if (hasParam)
                SkipBinary(param);
            break;
        default:
            // field, fldrslt, shprslt, object, result, shppict: their
            // content is text.
            break;
        }
    }

    // After SkipGroup consumed the closing brace of the group that was
    // opened for the skipped destination.
    void PopAfterSkip()
    {
        FSkipChars = 0;
        if (FStack.isEmpty())
            return;
        FState = FStack.takeLast();
        FStarred = false;
        if (FStack.isEmpty())
            FDone = true;  // the document's own group was skipped to its end
    }

    // --- characters -------------------------------------------------------

    void Character(uchar c)
    {
        switch (FState.dest) {
        case Dest::FontTable:
            if (c == ';')
                CommitFont();
            else
                FFontName.append(char(c));
            return;
        case Dest::ColorTable:
            if (c == ';') {
                FColors.append(FColorGiven ? QColor(FRed, FGreen, FBlue) : QColor());
                FRed = FGreen = FBlue = 0;
                FColorGiven = false;
            }
            return;
        case Dest::Picture: {
            const int v = HexValue(char(c));
            if (v < 0)
                return;
            if (FPicture.nibble < 0) {
                FPicture.nibble = v;
            } else {
                FPicture.data.append(char(FPicture.nibble * 16 + v));
                FPicture.nibble = -1;
            }
            return;
        }
        case Dest::Text:
            break;
        }
        if (c == '\t') {
            Emit('\t');
            return;
        }
        if (c < 0x20)
            return;
        if (c < 0x80)
            Emit(c);
        else
            Byte(c);
    }

    // A byte of text in the code page of the current font.
    void Byte(uchar b)
    {
        if (FState.dest == Dest::FontTable) {
            FFontName.append(char(b));
            return;
        }
        if (FState.dest != Dest::Text)
            return;
        if (CharsetOf(FState.chr.font) == kSymbolCharset)
            Emit(char16_t(b));
        else
            Emit(cp1252Char(b));
    }

    void Emit(char16_t ch)
    {
        if (FState.dest != Dest::Text)
            return;
        if (FSkipChars > 0) {
            --FSkipChars;
            return;
        }
        if (ch == 0x2029) {
            Paragraph();
            return;
        }
        // Controls, object placeholders and the characters the document
        // keeps for its own frame marks are not text.
        if ((ch < 0x20 && ch != '\t') || ch == 0x7F || ch == 0xFFFC || (ch >= 0xFDD0 && ch <= 0xFDEF)
            || ch >= 0xFFFE)
            return;
        OpenPendingParagraph();
        if (FPendingText.isEmpty() || !(FPendingState == FState.chr)) {
            Flush();
            FPendingState = FState.chr;
        }
        FPendingText.append(QChar(ch));
    }

    void Flush()
    {
        if (FPendingText.isEmpty())
            return;
        FCursor.insertText(FPendingText, FormatFor(FPendingState));
        FPendingText.clear();
    }

    void OpenPendingParagraph()
    {
        if (!FParPending)
            return;
        FParPending = false;
        FCursor.insertBlock(BlockFormatFor(FState.para), FormatFor(FState.chr));
    }

    void Paragraph()
    {
        Flush();
        OpenPendingParagraph();
        FCursor.setBlockFormat(BlockFormatFor(FState.para));
        FCursor.setBlockCharFormat(FormatFor(FState.chr));
        FParPending = true;
    }

    void Finish()
    {
        Flush();
        if (!FParPending) {
            // The last paragraph had no \par: its properties are those at
            // the end of the data.
            FCursor.setBlockFormat(BlockFormatFor(FState.para));
            if (!FCursor.block().length() || FCursor.block().text().isEmpty())
                FCursor.setBlockCharFormat(FormatFor(FState.chr));
        }
        const FontEntry* deff = FFonts.contains(FDefaultFont) ? &FFonts[FDefaultFont] : nullptr;
        if (deff && !deff->name.isEmpty()) {
            QFont font = FDoc.defaultFont();
            font.setFamilies(QStringList{deff->name});
            FDoc.setDefaultFont(font);
        }
    }

    // --- formats ----------------------------------------------------------

    int CharsetOf(int font) const
    {
        auto it = FFonts.constFind(font < 0 ? FDefaultFont : font);
        if (it == FFonts.constEnd())
            it = FFonts.constFind(FDefaultFont);
        return it == FFonts.constEnd() ? 0 : it->charset;
    }

    QTextCharFormat FormatFor(const CharState& s)
    {
        if (FHaveFormat && s == FFormatState)
            return FFormat;
        QTextCharFormat f;
        auto it = FFonts.constFind(s.font < 0 ? FDefaultFont : s.font);
        if (it == FFonts.constEnd())
            it = FFonts.constFind(FDefaultFont);
        QString family = it == FFonts.constEnd() ? QString() : it->name;
        if (family.isEmpty())
            family = FDoc.defaultFont().family();
        f.setFontFamilies(QStringList{family});
        f.setFontPointSize(s.halfPoints / 2.0);
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        f.setFontStrikeOut(s.strike);
        if (s.color > 0 && s.color < FColors.size() && FColors[s.color].isValid())
            f.setForeground(FColors[s.color]);
        const int charset = it == FFonts.constEnd() ? 0 : it->charset;
        if (charset != 0)
            f.setProperty(FontCharsetProperty, charset);
        FFormat = f;
        FFormatState = s;
        FHaveFormat = true;
        return f;
    }

    static QTextBlockFormat BlockFormatFor(const ParaState& p)
    {
        QTextBlockFormat f;
        switch (p.align) {
        case 1: f.setAlignment(Qt::AlignHCenter); break;
        case 2: f.setAlignment(Qt::AlignRight); break;
        case 3: f.setAlignment(Qt::AlignJustify); break;
        default: f.setAlignment(Qt::AlignLeft); break;
        }
        const auto px = [](int twips) { return TwipsToPixels(qBound(-31680, twips, 31680)); };
        if (p.left) f.setLeftMargin(px(p.left));
        if (p.right) f.setRightMargin(px(p.right));
        if (p.first) f.setTextIndent(px(p.first));
        if (p.before) f.setTopMargin(px(p.before));
        if (p.after) f.setBottomMargin(px(p.after));
        return f;
    }

    // --- tables -----------------------------------------------------------

    void CommitFont()
    {
        if (!FHaveFontNumber) {
            FFontName.clear();
            return;
        }
        QString name = CleanFontName(fromCp1252(FFontName));
        if (!name.isEmpty() && !FFonts.contains(FFontNumber) && FFonts.size() < 32768)
            FFonts.insert(FFontNumber, FontEntry{name, FFontCharset});
        FFontName.clear();
        FHaveFontNumber = false;
    }

    // --- pictures ---------------------------------------------------------

    void StartPicture()
    {
        Flush();
        FState.dest = Dest::Picture;
        FPicture = PictureState();
    }

    void PictureWord(Kw k, bool hasParam, int param)
    {
        PictureState& p = FPicture;
        switch (k) {
        case Kw::PngBlip: p.kind = RtfPictureKind::Png; break;
        case Kw::JpegBlip: p.kind = RtfPictureKind::Jpeg; break;
        case Kw::DiBitmap: p.kind = RtfPictureKind::Dib; break;
        case Kw::WBitmap: p.kind = RtfPictureKind::DeviceBitmap; break;
        case Kw::WMetafile: p.kind = RtfPictureKind::Wmf; break;
        case Kw::EmfBlip: p.kind = RtfPictureKind::Emf; break;
        case Kw::PicW: p.picw = param; break;
        case Kw::PicH: p.pich = param; break;
        case Kw::PicWGoal: p.goalw = param; break;
        case Kw::PicHGoal: p.goalh = param; break;
        case Kw::PicScaleX: p.scalex = hasParam ? param : 100; break;
        case Kw::PicScaleY: p.scaley = hasParam ? param : 100; break;
        case Kw::Bin:
            if (hasParam && param > 0) {
                const qint64 n = qMin<qint64>(param, FEnd - FPos);
                p.data.append(FPos, n);
                FPos += n;
                if (n < param)
                    FCutShort = true;
            }
            break;
        default:
            break;
        }
    }

    void FinishPicture()
    {
        PictureState p = std::move(FPicture);
        FPicture = PictureState();
        if (p.data.isEmpty())
            return;
        const bool metafile = p.kind == RtfPictureKind::Wmf || p.kind == RtfPictureKind::Emf;
        const auto scaled = [&](qint64 w, qint64 h) {
            w = w * qBound(1, p.scalex, 1000) / 100;
            h = h * qBound(1, p.scaley, 1000) / 100;
            return QSize(int(std::clamp<qint64>(w, 0, FLimits.maxGoalTwips)),
                         int(std::clamp<qint64>(h, 0, FLimits.maxGoalTwips)));
        };
        // Goal size in twips: given, else from the picture's own size (a
        // metafile's \picw and \pich are hundredths of a millimetre, a
        // bitmap's are pixels, taken at 96 per inch).
        QSize goal;
        if (p.goalw > 0 && p.goalh > 0)
            goal = scaled(p.goalw, p.goalh);
        else if (metafile)
            goal = scaled(qint64(p.picw) * 1440 / 2540, qint64(p.pich) * 1440 / 2540);
        RtfPicture picture = DecodeRtfPicture(p.kind, p.data, goal, FLimits.maxPicturePixels);
        if (goal.isEmpty()) {
            if (!picture.image.isNull() && !metafile)
                goal = scaled(qint64(picture.image.width()) * 15, qint64(picture.image.height()) * 15);
            else if (!metafile)
                goal = scaled(qint64(p.picw) * 15, qint64(p.pich) * 15);
            else if (!picture.image.isNull())
                goal = QSize(qRound(PixelsToTwips(picture.image.width())),
                             qRound(PixelsToTwips(picture.image.height())));
        }
        if (goal.isEmpty())
            return;
        if (picture.image.isNull())
            picture = PlaceholderPicture(goal);

        Flush();
        OpenPendingParagraph();
        FCursor.setCharFormat(FormatFor(FState.chr));
        const PictureKind kind = picture.keepBytes == RtfPictureKind::Png    ? pkPng
                                 : picture.keepBytes == RtfPictureKind::Jpeg ? pkJpeg
                                                                             : pkNone;
        if (kind != pkNone)
            InsertEncodedPicture(FCursor, picture.image, p.data, kind, goal);
        else
            InsertPicture(FCursor, picture.image, goal);
    }

    const char* FPos;
    const char* FEnd;
    QTextDocument& FDoc;
    QTextCursor FCursor;
    RtfReader::Limits FLimits;

    QList<Group> FStack;
    Group FState;
    bool FStarred = false;
    int FSkipChars = 0;
    bool FCutShort = false;
    bool FDone = false;

    QHash<int, FontEntry> FFonts;
    int FDefaultFont = 0;
    int FFontNumber = 0;
    int FFontCharset = 0;
    bool FHaveFontNumber = false;
    QByteArray FFontName;

    QList<QColor> FColors;
    int FRed = 0, FGreen = 0, FBlue = 0;
    bool FColorGiven = false;

    PictureState FPicture;

    QString FPendingText;
    CharState FPendingState;
    QTextCharFormat FFormat;
    CharState FFormatState;
    bool FHaveFormat = false;
    bool FParPending = false;
};

bool LooksLikeRtf(const QByteArray& data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

void ReadPlainText(const QByteArray& data, QTextDocument& doc)
{
    QByteArray bytes = data;
    while (!bytes.isEmpty() && bytes.endsWith('\0'))
        bytes.chop(1);
    QString text = fromCp1252(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.remove(QChar(0));
    if (!text.isEmpty())
        QTextCursor(&doc).insertText(text);
}

}  // namespace

bool RtfReader::Read(const QByteArray& rtf, QTextDocument& doc)
{
    return Read(rtf, doc, Limits());
}

bool RtfReader::Read(const QByteArray& rtf, QTextDocument& doc, const Limits& limits)
{
    doc.clear();
    if (!LooksLikeRtf(rtf)) {
        ReadPlainText(rtf, doc);
        return false;
    }
    Parser parser(rtf, doc, limits);
    return parser.Run();
}

}  // namespace dayloom
