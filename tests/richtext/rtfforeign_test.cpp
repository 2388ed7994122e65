// RTF as other word processors write it, and input that is broken or
// hostile.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include "common/testutil.h"
#include "richtext/richtextformat.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "richtext/twprtfstorage.h"
#include "richtexttestutil.h"

using namespace dayloom;
using dayloom::test::Describe;
using dayloom::test::Paragraph;

namespace {

QList<Paragraph> ReadFixture(const char* name, QTextDocument& doc)
{
    const QByteArray data = test::ReadFile(test::DataPath(QStringLiteral("richtext/") + name));
    EXPECT_FALSE(data.isEmpty()) << name;
    PrepareRichDocument(doc);
    EXPECT_TRUE(RtfReader::Read(data, doc)) << name;
    return Describe(doc);
}

QString Text(const Paragraph& p)
{
    QString s;
    for (const auto& r : p.runs)
        s += r.text;
    return s;
}

}  // namespace

TEST(RtfForeign, WordPadDocument)
{
    QTextDocument doc;
    const auto d = ReadFixture("wordpad.rtf", doc);
    ASSERT_EQ(d.size(), 5);

    EXPECT_EQ(Text(d[0]), "Plain Arial ten");
    EXPECT_EQ(d[0].runs[0].family, "Arial");
    EXPECT_EQ(d[0].runs[0].points, 10);
    EXPECT_EQ(d[0].align, Qt::AlignLeft);

    EXPECT_EQ(Text(d[1]), "Centred bold Times");
    EXPECT_EQ(d[1].align, Qt::AlignHCenter);
    EXPECT_EQ(d[1].runs[0].family, "Times New Roman");
    EXPECT_EQ(d[1].runs[0].points, 14);
    EXPECT_TRUE(d[1].runs[0].bold);

    ASSERT_EQ(d[2].runs.size(), 3);
    EXPECT_EQ(d[2].align, Qt::AlignRight);
    EXPECT_EQ(d[2].runs[0].text, "red italic");
    EXPECT_TRUE(d[2].runs[0].italic);
    EXPECT_FALSE(d[2].runs[0].bold);  // \b0 before the \par
    EXPECT_EQ(d[2].runs[0].color, QColor(255, 0, 0));
    EXPECT_EQ(d[2].runs[1].text, " and ");
    EXPECT_FALSE(d[2].runs[1].italic);
    EXPECT_FALSE(d[2].runs[1].color.isValid());
    EXPECT_TRUE(d[2].runs[2].underline);

    EXPECT_EQ(d[3].align, Qt::AlignJustify);
    EXPECT_EQ(d[3].runs[0].text, "struck");
    EXPECT_TRUE(d[3].runs[0].strike);
    EXPECT_EQ(d[3].runs[1].text, QStringLiteral("\tafter tab") + QChar(0x2028) + "next line");

    // The bullet fallback text is kept, in the symbol font's own code page;
    // the accents come from Windows-1252 (0x93/0x94 are curly quotes there).
    EXPECT_EQ(Text(d[4]), QString::fromUtf8("\u00b7\tcaf\u00e9 na\u00efve \u201cquoted\u201d"));
    EXPECT_EQ(d[4].runs[0].family, "Symbol");
    EXPECT_EQ(d[4].runs[1].family, "Times New Roman");
    const QTextBlockFormat bf = doc.lastBlock().blockFormat();
    EXPECT_NEAR(bf.leftMargin(), 48, 0.01);  // 720 twips at 96 per inch
    EXPECT_NEAR(bf.textIndent(), -48, 0.01);
}

TEST(RtfForeign, WordDocument)
{
    QTextDocument doc;
    const auto d = ReadFixture("word.rtf", doc);
    ASSERT_EQ(d.size(), 3);
    EXPECT_FALSE(doc.toPlainText().contains("must not appear"));
    EXPECT_FALSE(doc.toPlainText().contains("Sample document"));
    EXPECT_FALSE(doc.toPlainText().contains("HYPERLINK"));
    EXPECT_FALSE(doc.toPlainText().contains("Normal"));

    EXPECT_EQ(Text(d[0]), QString::fromUtf8("Meeting at the caf\u00e9 with Zo\u00eb \u20ac 5 \u2014 see the site."));
    EXPECT_EQ(d[0].runs[0].family, "Calibri");
    EXPECT_EQ(d[0].runs[0].points, 11);
    EXPECT_EQ(d[0].runs[1].text, QString::fromUtf8("with Zo\u00eb"));
    EXPECT_TRUE(d[0].runs[1].bold);
    EXPECT_EQ(d[0].runs[1].color, QColor(0, 0, 255));
    EXPECT_EQ(d[0].runs[3].text, "the site");
    EXPECT_TRUE(d[0].runs[3].underline);
    EXPECT_EQ(d[0].runs[3].color, QColor(0, 128, 0));

    EXPECT_EQ(d[1].align, Qt::AlignHCenter);
    EXPECT_EQ(d[1].runs[0].text, "Centred heading ");
    EXPECT_EQ(d[1].runs[0].family, "Arial");
    EXPECT_EQ(d[1].runs[0].points, 16);
    EXPECT_EQ(d[1].runs[1].text, QString(QChar(0xF0B7)));
    EXPECT_EQ(d[1].runs[1].family, "Wingdings");

    // Only the PNG of the picture, at its goal size scaled by 50 %.
    ASSERT_EQ(d[2].runs.size(), 1);
    EXPECT_TRUE(d[2].runs[0].picture);
    const QTextImageFormat image = doc.lastBlock().begin().fragment().charFormat().toImageFormat();
    EXPECT_EQ(PictureGoalTwips(image), QSize(150, 75));
    const QImage pixels =
        doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    ASSERT_EQ(pixels.size(), QSize(20, 10));
    EXPECT_EQ(QColor(pixels.pixel(2, 2)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(pixels.pixel(17, 7)), QColor(255, 0, 0));

    // What was read from a foreign file is stable from the first save on.
    TWPRtfStorage store;
    store.AssignDocument(doc);
    TWPRtfStorage again;
    again.SetRtfText(store.RtfText());
    EXPECT_EQ(again.RtfText(), store.RtfText());
}

TEST(RtfForeign, CodePagesAndEscapes)
{
    QTextDocument doc;
    // \uc2 skips two fallback characters, \uc0 none; a group end stops
    // skipping; \'hh outside a symbol font is Windows-1252.
    RtfReader::Read("{\\rtf1\\uc2 a\\u955\\'3f\\'3fb\\uc0\\u956 c{\\u957}d\\'80\\~\\_x}", doc);
    EXPECT_EQ(doc.toRawText(), QString::fromUtf8("a\u03bbb\u03bcc\u03bdd\u20ac\u00a0\u2011x"));

    // \ansicpg names another code page or a font another charset: read as
    // Windows-1252 rather than dropped.
    RtfReader::Read("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'e9}", doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("\u00e9"));

    // Plain text instead of RTF is taken as text, trailing zero bytes cut.
    TWPRtfStorage store;
    store.SetRtfText(QByteArray("line one\r\nline two\0\0\0\0", 22));
    EXPECT_EQ(store.Document().toPlainText(), "line one\nline two");

    // The four zero bytes a stream puts after the document are ignored.
    store.SetRtfText(QByteArray("{\\rtf1 text}\0\0\0\0", 16));
    EXPECT_EQ(store.Document().toPlainText(), "text");
}

TEST(RtfHostile, ReadsWithoutCrashOrBlowUp)
{
    struct Case {
        const char* name;
        QByteArray data;
    };
    QList<Case> cases;
    cases.append(Case{"deep nesting", QByteArray("{\\rtf1 a" + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + "b}")});
    cases.append(Case{"deep skipped nesting", QByteArray("{\\rtf1{\\*\\x" + QByteArray(200000, '{') + "}")});
    cases.append(Case{"unterminated groups", QByteArray("{\\rtf1{\\b bold{\\i both")});
    cases.append(Case{"huge bin", QByteArray("{\\rtf1 a\\bin2147483647 xyz}")});
    cases.append(Case{"huge bin in picture", QByteArray("{\\rtf1{\\pict\\pngblip\\bin99999999999999 \x89PNG}}")});
    cases.append(Case{"negative bin", QByteArray("{\\rtf1 a\\bin-5 b}")});
    cases.append(Case{"huge goal", QByteArray("{\\rtf1{\\pict\\wmetafile8\\picwgoal2147483647\\pichgoal2147483647 0102}}")});
    cases.append(Case{"huge picw", QByteArray("{\\rtf1{\\pict\\wbitmap0\\picw999999999\\pich999999999 00}}")});
    cases.append(Case{"odd hex", QByteArray("{\\rtf1{\\pict\\pngblip 89504e47z0d0a1a0a0")});
    cases.append(Case{"long control word", QByteArray("{\\rtf1\\" + QByteArray(100000, 'a') + "99999999999999999999 x}")});
    cases.append(Case{"huge parameters", QByteArray("{\\rtf1\\fs999999999\\u99999999999\\uc2147483647 x\\f-2147483648 y}")});
    cases.append(Case{"escape at end", QByteArray("{\\rtf1 a\\'")});
    cases.append(Case{"backslash at end", QByteArray("{\\rtf1 a\\")});
    cases.append(Case{"lone closing braces", QByteArray("{\\rtf1}}}}}{{{ after")});
    cases.append(Case{"many fonts", QByteArray("{\\rtf1{\\fonttbl" + QByteArray("{\\f1 A;}").repeated(50000) + "}x}")});
    cases.append(Case{"many colours", QByteArray("{\\rtf1{\\colortbl" + QByteArray("\\red1;").repeated(50000) + "}\\cf49999 x}")});
    cases.append(Case{"many paragraphs", QByteArray("{\\rtf1" + QByteArray("\\par").repeated(50000) + "}")});
    cases.append(Case{"symbol default font, unterminated", QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}}\\f0 x")});
    cases.append(Case{"font names needing escapes", QByteArray("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\'7b;}{\\f2 \\'01 B\\'3b;}}\\f1 x\\f0 y\\f2 z}")});
    cases.append(Case{"zero bytes", QByteArray(QByteArray(1000, '\0'))});
    cases.append(Case{"empty", QByteArray(QByteArray())});

    // A PNG whose header claims 100000 x 100000 pixels.
    QByteArray bigPng = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000");
    cases.append(Case{"png bomb", QByteArray("{\\rtf1{\\pict\\pngblip\\picwgoal100\\pichgoal100 " + bigPng.toHex() + "}}")});
    // A DIB whose header claims 65535 x 65535 pixels at 32 bits.
    QByteArray bigDib = QByteArray::fromHex("28000000ffff0000ffff0000010020000000000000000000000000000000000000000000000000");
    cases.append(Case{"dib bomb", QByteArray("{\\rtf1{\\pict\\dibitmap0 " + bigDib.toHex() + "}}")});

    for (const Case& c : cases) {
        QElapsedTimer timer;
        timer.start();
        TWPRtfStorage store;
        store.SetRtfText(c.data);
        const QByteArray written = store.RtfText();
        EXPECT_LT(timer.elapsed(), 3000) << c.name;
        // Whatever was read is written as a document that reads back the same.
        TWPRtfStorage again;
        again.SetRtfText(written);
        EXPECT_EQ(again.RtfText(), written) << c.name;
        EXPECT_LT(written.size(), 16 * c.data.size() + 100000) << c.name;
    }

    QTextDocument doc;
    EXPECT_FALSE(RtfReader::Read("{\\rtf1{\\b bold{\\i both", doc));
    EXPECT_EQ(doc.toPlainText(), "boldboth");
    RtfReader::Read(cases[0].data, doc);
    EXPECT_TRUE(doc.toPlainText().startsWith("a"));
    EXPECT_TRUE(doc.toPlainText().endsWith("b"));
    RtfReader::Read(cases[3].data, doc);
    EXPECT_EQ(doc.toPlainText(), "a");
    RtfReader::Read("{\\rtf1 a\\bin3 }}}b}", doc);
    EXPECT_EQ(doc.toPlainText(), "ab");  // binary bytes are not text or braces
}

TEST(RtfHostile, TruncatedAndCorruptedDocuments)
{
    const QByteArray word = test::ReadFile(test::DataPath("richtext/word.rtf"));
    ASSERT_FALSE(word.isEmpty());
    for (qsizetype n = 0; n < word.size(); n += 7) {
        QTextDocument doc;
        RtfReader::Read(word.left(n), doc);
    }
    QRandomGenerator random(12345);
    for (int round = 0; round < 300; ++round) {
        QByteArray data = word;
        const int flips = 1 + random.bounded(8);
        for (int i = 0; i < flips; ++i)
            data[random.bounded(int(data.size()))] = char(random.bounded(256));
        TWPRtfStorage store;
        store.SetRtfText(data);
        TWPRtfStorage again;
        again.SetRtfText(store.RtfText());
        EXPECT_EQ(again.RtfText(), store.RtfText()) << round;
    }
}

namespace {

QByteArray Words(std::initializer_list<int> words)
{
    QByteArray out;
    for (int w : words) {
        out.append(char(w & 0xFF));
        out.append(char((w >> 8) & 0xFF));
    }
    return out;
}

QImage FirstPicture(const QTextDocument& doc, QSize* goal)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat()) {
                *goal = PictureGoalTwips(f.toImageFormat());
                return doc.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()))
                    .value<QImage>();
            }
        }
    return QImage();
}

}  // namespace

TEST(RtfForeign, BitmapAndMetafilePictures)
{
    // A 2 x 2 24-bit DIB, bottom-up: bottom row blue, green; top row red, white.
    QByteArray dib = Words({40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    dib += QByteArray::fromHex("ff0000" "00ff00" "0000") + QByteArray::fromHex("0000ff" "ffffff" "0000");
    QTextDocument doc;
    RtfReader::Read("{\\rtf1{\\pict\\dibitmap0\\picw2\\pich2 " + dib.toHex() + "}}", doc);
    QSize goal;
    QImage image = FirstPicture(doc, &goal);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(goal, QSize(30, 30));  // no goal given: pixels at 96 per inch
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(0, 1)), QColor(0, 0, 255));

    // A Windows metafile filling its 100 x 50 window with a red rectangle,
    // shown at 1500 x 750 twips (100 x 50 pixels).
    const QByteArray wmf = Words({1, 9, 0x300, 40, 0, 1, 7, 0, 0})
                           + Words({5, 0, 0x20B, 0, 0})          // window origin
                           + Words({5, 0, 0x20C, 50, 100})       // window extent
                           + Words({7, 0, 0x2FC, 0, 0x00FF, 0x0000, 0})  // red brush
                           + Words({4, 0, 0x12D, 0})             // select it
                           + Words({7, 0, 0x41B, 50, 100, 0, 0}) // rectangle
                           + Words({3, 0, 0});                   // end
    RtfReader::Read("{\\rtf1{\\pict\\wmetafile8\\picw2646\\pich1323\\picwgoal1500\\pichgoal750 "
                        + wmf.toHex() + "}}",
                    doc);
    image = FirstPicture(doc, &goal);
    EXPECT_EQ(goal, QSize(1500, 750));
    ASSERT_EQ(image.size(), QSize(100, 50));
    EXPECT_EQ(QColor(image.pixel(50, 25)), QColor(255, 0, 0));

    // Without a goal the metafile's own size (hundredths of a millimetre)
    // decides; a broken one leaves a blank picture of that size.
    RtfReader::Read("{\\rtf1{\\pict\\emfblip\\picw2540\\pich1270 0102030405}}", doc);
    image = FirstPicture(doc, &goal);
    EXPECT_EQ(goal, QSize(1440, 720));
    ASSERT_FALSE(image.isNull());
}
