// Writer -> reader round trips, byte-stable saves, and the store's own
// operations (copying, emptiness, appending a line).
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "richtext/richtextformat.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "richtext/twprtfstorage.h"
#include "richtexttestutil.h"

using namespace dayloom;
using dayloom::test::Describe;
using dayloom::test::DescribeText;

namespace {

QTextCharFormat Format(const QString& family, qreal points, int style = 0, QColor color = QColor())
{
    QTextCharFormat f = CharFormatFor(family, 0, style, color);
    f.setFontPointSize(points);
    return f;
}

QImage TestImage()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

// A document using everything the writer knows.
void BuildStyled(QTextDocument& doc)
{
    PrepareRichDocument(doc);
    QTextCursor c(&doc);
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    c.setBlockFormat(left);
    c.insertText("Plain Arial ", Format("Arial", 10));
    c.insertText("bold Times", Format("Times New Roman", 14, 1));
    c.insertText(" italic red", Format("Arial", 10, 2, QColor(255, 0, 0)));
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centre, Format("Arial", 12));
    c.insertText("underlined", Format("Courier New", 9, 4));
    c.insertText(" struck", Format("Courier New", 9, 8, QColor(0, 128, 0)));
    c.insertText(" all", Format("Courier New", 9.5, 15, QColor(1, 2, 3)));
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right, Format("Arial", 10));
    c.insertText(QString::fromUtf8("caf\u00e9 \u20ac5 \u03a9mega \u2713 {brace} back\\slash\ttab")
                     + QChar(0x2028) + QStringLiteral("next line"),
                 Format("Arial", 10));
    QTextBlockFormat justify;
    justify.setAlignment(Qt::AlignJustify);
    c.insertBlock(justify, Format("Arial", 10));
    c.insertText("picture: ", Format("Arial", 10));
    c.setCharFormat(Format("Arial", 10));
    InsertPicture(c, TestImage(), QSize(600, 300));
    c.insertText(" after", Format("Arial", 10));
    c.insertBlock(left, Format("Arial", 20));  // an empty paragraph
    c.insertBlock(left, Format("Symbol", 12));
    c.insertText(QString(QChar(0xB7)) + QChar(0x61), Format("Symbol", 12));
}

QImage PictureOf(const QTextDocument& doc, QSize* goal = nullptr)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            if (goal)
                *goal = PictureGoalTwips(f.toImageFormat());
            return doc.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()))
                .value<QImage>();
        }
    return QImage();
}

}  // namespace

TEST(RtfRoundTrip, StyledTextSurvivesWriterAndReader)
{
    QTextDocument original;
    BuildStyled(original);
    const QByteArray rtf = RtfWriter::Write(original);

    QTextDocument read;
    PrepareRichDocument(read);
    EXPECT_TRUE(RtfReader::Read(rtf, read));
    EXPECT_EQ(DescribeText(Describe(read)).toStdString(), DescribeText(Describe(original)).toStdString());
    EXPECT_EQ(read.toPlainText(), original.toPlainText());

    QSize goal;
    const QImage image = PictureOf(read, &goal);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(goal, QSize(600, 300));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), TestImage());
}

TEST(RtfRoundTrip, WriterSpeaksPlainRtf)
{
    QTextDocument doc;
    BuildStyled(doc);
    const QByteArray rtf = RtfWriter::Write(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    EXPECT_TRUE(rtf.endsWith("}"));
    EXPECT_TRUE(rtf.contains("\\fcharset2 Symbol;"));
    EXPECT_TRUE(rtf.contains("\\fcharset0 Times New Roman;"));
    EXPECT_TRUE(rtf.contains("\\red255\\green0\\blue0;"));
    EXPECT_TRUE(rtf.contains("\\fs28"));   // 14 points
    EXPECT_TRUE(rtf.contains("\\fs19"));   // 9.5 points
    EXPECT_TRUE(rtf.contains("caf\\'e9"));
    EXPECT_TRUE(rtf.contains("\\'805"));  // the euro sign is in Windows-1252
    EXPECT_TRUE(rtf.contains("\\u937?"));  // omega is not
    EXPECT_TRUE(rtf.contains("\\u10003?"));
    EXPECT_TRUE(rtf.contains("\\{brace\\} back\\\\slash\\tab"));
    EXPECT_TRUE(rtf.contains("\\line"));
    EXPECT_TRUE(rtf.contains("\\qc") && rtf.contains("\\qr") && rtf.contains("\\qj"));
    EXPECT_TRUE(rtf.contains("{\\pict\\pngblip"));
    EXPECT_TRUE(rtf.contains("\\picwgoal600\\pichgoal300"));
    EXPECT_TRUE(rtf.contains("\\'b7a"));  // symbol text stays in its own code page
    // Nothing but 7-bit text.
    for (char ch : rtf)
        EXPECT_TRUE(uchar(ch) < 0x80) << int(uchar(ch));
}

TEST(RtfRoundTrip, SaveLoadSaveIsByteIdentical)
{
    QTextDocument doc;
    BuildStyled(doc);
    TWPRtfStorage store;
    store.AssignDocument(doc);
    const QByteArray first = store.RtfText();
    EXPECT_EQ(store.RtfText(), first);  // writing does not depend on anything else

    TWPRtfStorage loaded;
    loaded.SetRtfText(first);
    const QByteArray second = loaded.RtfText();
    EXPECT_EQ(second, first);

    TWPRtfStorage again;
    again.SetRtfText(second);
    EXPECT_EQ(again.RtfText(), first);

    // Characters no reader sees as text (controls, object marks without a
    // picture) are left out without leaving traces in the first save.
    QTextDocument odd;
    PrepareRichDocument(odd);
    QTextCursor c(&odd);
    c.insertText("a", Format("Arial", 10));
    c.insertText(QString(QChar(1)) + QChar(0xFFFC) + QChar(0x7F), Format("Symbol", 30, 1));
    c.insertText("b", Format("Arial", 10));
    TWPRtfStorage oddStore;
    oddStore.AssignDocument(odd);
    TWPRtfStorage oddLoaded;
    oddLoaded.SetRtfText(oddStore.RtfText());
    EXPECT_EQ(oddLoaded.RtfText(), oddStore.RtfText());
    EXPECT_EQ(oddLoaded.Document().toPlainText(), "ab");

    // A symbol font's private-use characters (as \u61543 reads) are its
    // bytes: written as the bytes are, so the first save is final (a fuzzer
    // found "\'67" turning into "g" on the second one).
    TWPRtfStorage symbols;
    symbols.SetRtfText("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Wingdings;}}\\f0 \\u61543?\\u61532?\\u61623? g}");
    const QByteArray symbolsFirst = symbols.RtfText();
    EXPECT_TRUE(symbolsFirst.contains("g\\\\\\'b7 g")) << symbolsFirst.toStdString();
    TWPRtfStorage symbolsAgain;
    symbolsAgain.SetRtfText(symbolsFirst);
    EXPECT_EQ(symbolsAgain.RtfText(), symbolsFirst);

    // The same for pictures read from a foreign JPEG: the bytes go back out
    // unchanged.
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        TestImage().save(&buffer, "JPEG");
    }
    const QByteArray foreign = "{\\rtf1{\\pict\\jpegblip\\picwgoal300\\pichgoal150 " + jpeg.toHex() + "}}";
    TWPRtfStorage j;
    j.SetRtfText(foreign);
    EXPECT_TRUE(j.RtfText().contains("\\jpegblip"));
    EXPECT_TRUE(j.RtfText().contains(jpeg.toHex().left(64)));
    TWPRtfStorage j2;
    j2.SetRtfText(j.RtfText());
    EXPECT_EQ(j2.RtfText(), j.RtfText());
}

TEST(RtfRoundTrip, ParagraphStructureIsKept)
{
    // Empty paragraphs at the start, in the middle and at the end, and a
    // document of one empty paragraph.
    for (const QString& text : {QStringLiteral("a"), QStringLiteral("\na"), QStringLiteral("a\n\nb"),
                                QStringLiteral("a\n"), QStringLiteral("\n"), QStringLiteral("a\n\n")}) {
        QTextDocument doc;
        PrepareRichDocument(doc);
        QTextCursor(&doc).insertText(text, Format("Arial", 10));
        QTextDocument read;
        RtfReader::Read(RtfWriter::Write(doc), read);
        EXPECT_EQ(read.blockCount(), doc.blockCount()) << text.toStdString();
        EXPECT_EQ(read.toPlainText(), text);
    }
}

TEST(RtfStore, EmptinessCopiesAndRevisions)
{
    TWPRtfStorage store;
    EXPECT_TRUE(store.IsEmpty());
    TWPRtfStorage readBack;
    readBack.SetRtfText(store.RtfText());
    EXPECT_TRUE(readBack.IsEmpty());

    quint64 rev = store.Revision();
    store.SetRtfText("{\\rtf1 hello}");
    EXPECT_FALSE(store.IsEmpty());
    EXPECT_NE(store.Revision(), rev);

    // A store with only a picture is not empty, and a copy keeps the picture.
    QTextDocument doc;
    PrepareRichDocument(doc);
    QTextCursor c(&doc);
    InsertPicture(c, TestImage(), QSize(300, 150));
    TWPRtfStorage pict;
    pict.AssignDocument(doc);
    EXPECT_FALSE(pict.IsEmpty());
    TWPRtfStorage copy;
    rev = copy.Revision();
    copy.Assign(pict);
    EXPECT_NE(copy.Revision(), rev);
    EXPECT_EQ(PictureOf(copy.Document()).convertToFormat(QImage::Format_RGB32), TestImage());
    EXPECT_EQ(copy.RtfText(), pict.RtfText());

    // Copies are independent of their source.
    pict.Clear();
    EXPECT_TRUE(pict.IsEmpty());
    EXPECT_FALSE(copy.IsEmpty());

    // Two fresh stores never share a revision, so a renderer cannot mix them.
    TWPRtfStorage a, b;
    EXPECT_NE(a.Revision(), b.Revision());
}

TEST(RtfStore, AppendParagraphTakesLastSizedFormat)
{
    const QTextCharFormat fallback = CharFormatFor("Arial", 11, 2, QColor(0, 0, 255));

    TWPRtfStorage empty;
    empty.AppendParagraph("Veterans Day", fallback);
    ASSERT_EQ(empty.Document().blockCount(), 1);
    auto d = Describe(empty.Document());
    ASSERT_EQ(d[0].runs.size(), 1);
    EXPECT_EQ(d[0].runs[0].text, "Veterans Day");
    EXPECT_EQ(d[0].runs[0].points, 11);
    EXPECT_TRUE(d[0].runs[0].italic);
    EXPECT_EQ(d[0].runs[0].color, QColor(0, 0, 255));

    // Existing text keeps its place and format; the new line follows the
    // paragraph of the last sized character, before trailing empty ones.
    TWPRtfStorage store;
    store.SetRtfText("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                     "\\pard\\qc\\f0\\fs20 first\\par\\pard\\f1\\fs28\\b second\\par\\par}");
    ASSERT_EQ(store.Document().blockCount(), 3);
    store.AppendParagraph("Memorial Day\r\nline", fallback);
    d = Describe(store.Document());
    ASSERT_EQ(d.size(), 4);
    EXPECT_EQ(d[0].runs[0].text, "first");
    EXPECT_EQ(d[1].runs[0].text, "second");
    EXPECT_EQ(d[2].runs[0].text, "Memorial Day  line");
    EXPECT_EQ(d[2].runs[0].family, "Times New Roman");
    EXPECT_EQ(d[2].runs[0].points, 14);
    EXPECT_TRUE(d[2].runs[0].bold);
    EXPECT_EQ(d[2].align, Qt::AlignLeft);  // default paragraph settings
    EXPECT_TRUE(d[3].runs.isEmpty());

    // Filling twice gives the line twice.
    store.AppendParagraph("Memorial Day", fallback);
    EXPECT_EQ(store.Document().blockCount(), 5);
}

TEST(RtfStore, EditorFontHelpers)
{
    const QTextCharFormat f = CharFormatFor("Times New Roman", 14, 1 | 4, QColor(128, 0, 0));
    EXPECT_EQ(FormatFamily(f), "Times New Roman");
    EXPECT_EQ(f.fontPointSize(), 14);
    EXPECT_TRUE(f.fontWeight() == QFont::Bold && f.fontUnderline());
    EXPECT_FALSE(f.fontItalic() || f.fontStrikeOut());
    EXPECT_EQ(f.foreground().color(), QColor(128, 0, 0));

    EXPECT_EQ(EditorColorTable().size(), 16u);
    EXPECT_EQ(EditorColorIndex(clBlack), 0);
    EXPECT_EQ(EditorColorIndex(clMaroon), 1);
    EXPECT_EQ(EditorColorIndex(clRed), 9);
    EXPECT_EQ(EditorColorIndex(clWhite), 15);
    EXPECT_EQ(EditorColorIndex(0x123456), 0);  // not in the table
    EXPECT_EQ(EditorColor(12), ToQColor(clBlue));
    EXPECT_EQ(EditorColor(99), ToQColor(clBlack));
    // The default editor font: colours outside the table fall back to entry 0.
    EXPECT_EQ(EditorTypingFormat("Arial", 300, 0, 0x123456).foreground().color(), ToQColor(clBlack));
    EXPECT_EQ(EditorTypingFormat("Arial", 300, 0, clTeal).foreground().color(), ToQColor(clTeal));
    EXPECT_EQ(EditorTypingFormat("Arial", 300, 0, clTeal).fontPointSize(), 255);
}

TEST(RtfStore, ScalingForAnEditorZoomIsUndone)
{
    QTextDocument doc;
    BuildStyled(doc);
    const QByteArray before = RtfWriter::Write(doc);
    ScaleDocument(doc, 1.5);
    const auto scaled = Describe(doc);
    EXPECT_EQ(scaled[0].runs[1].points, 21);  // 14 points at 150 %
    ScaleDocument(doc, 1 / 1.5);
    EXPECT_EQ(RtfWriter::Write(doc), before);
}
