#include "richtextformat.h"

#include <cmath>

#include <QCryptographicHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "core/screen.h"

namespace dayloom {

namespace {

QUrl PictureUrl(const QByteArray& key)
{
    return QUrl(QStringLiteral("dayloom-pict:")
                + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex()));
}

QByteArray ImageKey(const QImage& image)
{
    QByteArray key;
    key.reserve(int(image.sizeInBytes()) + 16);
    key.append(QByteArray::number(image.width())).append('x');
    key.append(QByteArray::number(image.height())).append('x');
    key.append(QByteArray::number(int(image.format()))).append(':');
    for (int y = 0; y < image.height(); ++y)
        key.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.bytesPerLine());
    return key;
}

}  // namespace

QFont DefaultRichTextFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    return font;
}

void PrepareRichDocument(QTextDocument& doc)
{
    doc.setUndoRedoEnabled(false);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(DefaultRichTextFont());
}

QTextCharFormat CharFormatFor(const QString& name, int size, int styleBits, QColor color)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    if (size > 0)
        format.setFontPointSize(size);
    format.setFontWeight((styleBits & 1) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(styleBits & 2);
    format.setFontUnderline(styleBits & 4);
    format.setFontStrikeOut(styleBits & 8);
    if (color.isValid())
        format.setForeground(color);
    if (IsSymbolFontName(name))
        format.setProperty(FontCharsetProperty, kSymbolCharset);
    return format;
}

QTextCharFormat EditorTypingFormat(const QString& name, int size, int styleBits, TColor color)
{
    return CharFormatFor(name, qBound(0, size, 255), styleBits, EditorColor(EditorColorIndex(color)));
}

void ScaleDocument(QTextDocument& doc, qreal factor)
{
    if (factor <= 0 || factor == 1.0)
        return;
    // Gather first: changing formats splits and merges fragments under an
    // iterator.
    struct Change {
        int from, to;
        QTextCharFormat format;
    };
    struct BlockChange {
        int position;
        QTextBlockFormat format;
        QTextCharFormat charFormat;
    };
    QList<Change> changes;
    QList<BlockChange> blocks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat bf = block.blockFormat();
        bf.setLeftMargin(bf.leftMargin() * factor);
        bf.setRightMargin(bf.rightMargin() * factor);
        bf.setTopMargin(bf.topMargin() * factor);
        bf.setBottomMargin(bf.bottomMargin() * factor);
        bf.setTextIndent(bf.textIndent() * factor);
        QTextCharFormat bc = block.charFormat();
        if (bc.fontPointSize() > 0)
            bc.setFontPointSize(bc.fontPointSize() * factor);
        blocks.append({block.position(), bf, bc});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat f = fragment.charFormat();
            if (f.fontPointSize() > 0)
                f.setFontPointSize(f.fontPointSize() * factor);
            if (f.isImageFormat()) {
                QTextImageFormat image = f.toImageFormat();
                if (!image.hasProperty(PictureGoalProperty))
                    image.setProperty(PictureGoalProperty, PictureGoalTwips(image));
                image.setWidth(image.width() * factor);
                image.setHeight(image.height() * factor);
                f = image;
            }
            changes.append({fragment.position(), fragment.position() + fragment.length(), f});
        }
    }
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (const BlockChange& b : blocks) {
        cursor.setPosition(b.position);
        cursor.setBlockFormat(b.format);
        cursor.setBlockCharFormat(b.charFormat);
    }
    for (const Change& c : changes) {
        cursor.setPosition(c.from);
        cursor.setPosition(c.to, QTextCursor::KeepAnchor);
        cursor.setCharFormat(c.format);
    }
    cursor.endEditBlock();
}

const std::array<TColor, 16>& EditorColorTable()
{
    static const std::array<TColor, 16> table = {
        clBlack, clMaroon, clGreen,  clOlive, clNavy, clPurple,  clTeal, clGray,
        clSilver, clRed,   clLime,   clYellow, clBlue, clFuchsia, clAqua, clWhite};
    return table;
}

int EditorColorIndex(TColor color)
{
    const quint32 rgb = ColorToRGB(color) & 0xFFFFFFu;
    const auto& table = EditorColorTable();
    int found = 0;
    for (int i = 0; i < int(table.size()); ++i)
        if (quint32(table[i]) == rgb)
            found = i;
    return found;
}

QColor EditorColor(int index)
{
    const auto& table = EditorColorTable();
    if (index < 0 || index >= int(table.size()))
        return ToQColor(clBlack);
    return ToQColor(table[index]);
}

bool IsSymbolFontName(const QString& face)
{
    static const char* const names[] = {"Symbol",    "Wingdings",   "Wingdings 2", "Wingdings 3",
                                        "Webdings",  "Marlett",     "MT Extra",    "Monotype Sorts",
                                        "ZapfDingbats", "Zapf Dingbats"};
    for (const char* n : names)
        if (face.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString CleanFontName(const QString& name)
{
    QString out = name;
    for (QChar& ch : out)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            ch = QLatin1Char('?');
    return out.trimmed();
}

QString FormatFamily(const QTextCharFormat& format)
{
    const QVariant families = format.property(QTextFormat::FontFamilies);
    if (families.isValid()) {
        const QStringList list = families.toStringList();
        if (!list.isEmpty())
            return list.first();
    }
    return format.stringProperty(QTextFormat::FontFamily);
}

qreal TwipsToPixels(qreal twips) { return twips * ScreenPPI() / 1440.0; }
qreal PixelsToTwips(qreal pixels) { return pixels * 1440.0 / ScreenPPI(); }

static bool InsertImageResource(QTextCursor& cursor, const QImage& image, const QUrl& url,
                                const QByteArray& data, PictureKind kind, QSize goal)
{
    QTextDocument* doc = cursor.document();
    if (!doc || image.isNull())
        return false;
    if (goal.isEmpty())
        goal = QSize(qRound(PixelsToTwips(image.width())), qRound(PixelsToTwips(image.height())));
    goal = goal.expandedTo(QSize(1, 1));
    doc->addResource(QTextDocument::ImageResource, url, image);
    QTextImageFormat format;
    format.merge(cursor.charFormat());
    format.setName(url.toString());
    format.setWidth(TwipsToPixels(goal.width()));
    format.setHeight(TwipsToPixels(goal.height()));
    format.setProperty(PictureGoalProperty, goal);
    if (kind != pkNone && !data.isEmpty()) {
        format.setProperty(PictureDataProperty, data);
        format.setProperty(PictureKindProperty, int(kind));
    }
    cursor.insertImage(format);
    return true;
}

bool InsertPicture(QTextCursor& cursor, const QImage& image, QSize goalTwips)
{
    if (image.isNull())
        return false;
    return InsertImageResource(cursor, image, PictureUrl(ImageKey(image)), {}, pkNone, goalTwips);
}

bool InsertEncodedPicture(QTextCursor& cursor, const QImage& image, const QByteArray& data,
                          PictureKind kind, QSize goalTwips)
{
    if (image.isNull())
        return false;
    const QByteArray key = data.isEmpty() ? ImageKey(image) : data;
    return InsertImageResource(cursor, image, PictureUrl(key), data, kind, goalTwips);
}

QSize PictureGoalTwips(const QTextImageFormat& format)
{
    const QVariant goal = format.property(PictureGoalProperty);
    if (goal.isValid() && goal.toSize().isValid() && !goal.toSize().isEmpty())
        return goal.toSize();
    return QSize(qMax(1, int(std::lround(PixelsToTwips(format.width())))),
                 qMax(1, int(std::lround(PixelsToTwips(format.height())))));
}

}  // namespace dayloom
