// Writes the seed corpora of the fuzz targets: small, valid inputs of every
// kind each target reads, made with the program's own writers (or copied
// from files the repository already holds, which are named in each folder's
// README). Run from the top of the repository:
//
//   build/tools/makefuzzcorpus fuzz/corpus
//
// The output is the same on every run.
#include <cstdio>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include "core/screen.h"
#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "imaging/bmpfile.h"
#include "imaging/jpegcodec.h"
#include "imaging/tmetafile.h"
#include "objects/pageobjectclasses.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgimage.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objects/symbolfonts.h"
#include "objects/tbitmap.h"
#include "objects/tgsupertext.h"
#include "objects/tpicture.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "stream/componentregistry.h"
#include "stream/inifile.h"
#include "stream/valuewriter.h"

using namespace dayloom;

namespace {

QString g_out;
bool g_failed = false;

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makefuzzcorpus: cannot read %s (run from the top of the repository)\n",
                     qPrintable(path));
        g_failed = true;
        return {};
    }
    return f.readAll();
}

void put(const char* target, const QString& name, const QByteArray& bytes)
{
    const QString dir = g_out + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "makefuzzcorpus: cannot write %s\n", qPrintable(f.fileName()));
        g_failed = true;
    }
}

void readme(const char* target, const char* origin)
{
    put(target, QStringLiteral("README"),
        QByteArray("Seeds of ") + target + ": " + origin +
            "\nWritten by tools/makefuzzcorpus.cpp (build/tools/makefuzzcorpus fuzz/corpus).\n");
}

void copyInto(const char* target, const QString& source)
{
    put(target, QFileInfo(source).fileName(), readFile(source));
}

QImage art(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(250, 240, 200));
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 40));
    p.drawEllipse(QRect(1, 1, w - 2, h - 2));
    p.setBrush(QColor(20, 120, 40));
    p.drawRect(0, h / 2, w / 2, h / 2);
    return img;
}

QByteArray qtImage(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

TWPRtfStorage rtf(const char* text)
{
    TWPRtfStorage s;
    s.SetRtfText(QByteArray(text));
    return s;
}

const char kRich[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
    "{\\colortbl;\\red192\\green0\\blue0;\\red0\\green0\\blue160;}"
    "\\qc\\f0\\fs28 Big {\\b\\cf1 red bold}\\par\\ql\\f1\\fs18 small {\\i\\ul\\cf2 blue} "
    "\\'e9t\\'e9\\tab tail\\par}";

// ---- documents -----------------------------------------------------------------

void documents()
{
    const char* t = "fuzz_document";
    readme(t, "calendar documents (a month, twelve minis, a planner) and style sheets, with every kind "
              "of page object, a border picture name, cell texts and a user title; special-effects texts "
              "with a texture, a gradient and a symbol character, one with a damaged texture length and "
              "one with an absurd font height and shadow depth.");
    {
        TCalendarPanel32 page;
        put(t, QStringLiteral("empty.dlf"), CalendarDocument::Save(page));
        put(t, QStringLiteral("style.dls"), CalendarDocument::SaveStyle(page));
    }
    {
        TCalendarPanel32 page;
        page.SetCalendarLayout(loFC12AfterLS);
        page.SetWMFBorderFile(QStringLiteral("Classic"));
        page.SetMainCalMonth(2);
        page.SetMainCalYear(2032);
        page.SetUserTitle(QStringLiteral("Club dates"));
        page.SetCellText(9, rtf(kRich));
        page.SetCellText(30, rtf("{\\rtf1\\ansi plain}"));

        auto* label = new TGPLabel;
        page.AddObject(label);
        label->SetCaption(QStringLiteral("F\u00eate"));
        label->SetAngle(90);
        label->SetBounds(QRect(40, 30, 60, 180));
        label->SetTransparent(false);
        label->Font()->SetStyle(fsBold | fsItalic);

        auto* rich = new TGPRichBaseLabel;
        page.AddObject(rich);
        rich->SetBounds(QRect(150, 60, 230, 90));
        rich->SetRTFText(rtf(kRich));

        auto* calendar = new TGFlatCalendar;
        page.AddObject(calendar);
        calendar->SetBounds(QRect(300, 250, 210, 170));
        calendar->SetLanguage(fclGerman);
        calendar->SetShowYear(true);

        auto* bitmap = new TGImage;
        page.AddObject(bitmap);
        bitmap->Picture()->SetBitmap(BmpFile::FromImage(art(8, 6)));
        bitmap->SetBounds(QRect(20, 500, 8, 6));
        bitmap->SetReverse(true);

        auto* metafile = new TGImage;
        page.AddObject(metafile);
        metafile->Picture()->SetMetafile(
            TMetafile::FromBytes(readFile(QStringLiteral("data/Borders/Ribbon.wls"))));
        metafile->SetBounds(QRect(100, 500, 80, 60));
        put(t, QStringLiteral("objects.dlf"), CalendarDocument::Save(page));
        put(t, QStringLiteral("twelve.dls"), CalendarDocument::SaveStyle(page));
    }
    {
        // Special-effects texts: a texture, a gradient and a symbol character.
        TCalendarPanel32 page;
        auto* textured = new TGSuperText;
        page.AddObject(textured);
        textured->SetBounds(QRect(40, 40, 330, 120));
        textured->SetCaption(QStringLiteral("No\u00ebl"));
        textured->SetSurfaceType(stBrushImage);
        TBitmap texture;
        texture.SetValue(BmpFile::FromImage(art(16, 16)));
        textured->SetImage(&texture);
        textured->SetShadowDepth(4);
        textured->SetBorderStyle(bsSingle);
        textured->SetControlTransparent(false);
        textured->SetOutlineStyle(psDash);
        textured->SetLastBitmapFileNameandPath(QStringLiteral("/usr/share/dayloom/Textures/Checks.bmp"));

        auto* gradient = new TGSuperText;
        page.AddObject(gradient);
        gradient->SetBounds(QRect(60, 200, 400, 90));
        gradient->SetCaption(QStringLiteral("Summer"));
        gradient->SetFillDirection(gdLeft);
        gradient->SetShadowOrientation(sdLeft);
        gradient->SetShadowDepth(3);
        gradient->SetOutlineStyle(psClear);

        auto* symbol = new TGSuperText;
        page.AddObject(symbol);
        symbol->SetBounds(QRect(500, 40, 140, 130));
        symbol->Font()->SetName(QStringLiteral("Wingdings"));
        symbol->Font()->SetCharset(SYMBOL_CHARSET);
        symbol->SetCaption(SymbolFonts::CharacterOf(0x6E));
        symbol->SetSurfaceType(stNormal);
        const QByteArray effects = CalendarDocument::Save(page);
        put(t, QStringLiteral("effect-texts.dlf"), effects);

        // The texture's inner length claims more than the value holds.
        QByteArray longer = effects;
        const qsizetype data = longer.indexOf("Image.Data");
        if (data > 0)
            longer[data + 10 + 5] = char(0x7F);
        put(t, QStringLiteral("effect-texts-bad-length.dlf"), longer);

        // A font height and shadow depth no dialog gives.
        TCalendarPanel32 wild;
        auto* text = new TGSuperText;
        wild.AddObject(text);
        text->SetBounds(QRect(10, 10, 300, 200));
        text->Font()->SetHeight(-1000000000);
        text->SetShadowDepth(-2000000000);
        put(t, QStringLiteral("effect-text-absurd.dlf"), CalendarDocument::Save(wild));
    }
    {
        TCalendarPanel32 page;
        page.SetCalendarLayout(TCalendarLayout(CalendarLayoutCount - 1));
        page.SetCalendarOrientation(coLandscape);
        put(t, QStringLiteral("planner.dlf"), CalendarDocument::Save(page));
    }
}

// ---- the value stream ---------------------------------------------------------------

void stream()
{
    const char* t = "fuzz_stream";
    readme(t, "the first byte picks the mode (0 values, 1 and 2 component lists, 3 one root "
              "component); then values of every tag, and page-object records.");
    QByteArray values("\x00", 1);
    {
        ValueWriter w(&values);
        w.WriteListBegin();
        w.WriteInteger(127);
        w.WriteInteger(-129);
        w.WriteInteger(32768);
        w.WriteFloat(0.5);
        w.WriteString(QStringLiteral("short"));
        w.WriteString(QString(300, u'x'));
        w.WriteIdent(QStringLiteral("clBlack"));
        w.WriteBoolean(true);
        w.WriteBoolean(false);
        w.WriteNil();
        w.WriteBinary(QByteArray("\x01\x02\x03"));
        w.WriteSet({QStringLiteral("fsBold"), QStringLiteral("fsItalic")});
        w.WriteListEnd();
        w.Flush();
    }
    put(t, QStringLiteral("values"), values);

    RegisterPageObjectClasses(ComponentRegistry::Global());
    QByteArray records;
    {
        TGPLabel label;
        label.SetCaption(QStringLiteral("label"));
        label.SetBounds(QRect(1, 2, 30, 40));
        label.SetLocked(true);
        label.SetAlignment(taCenter);
        label.Font()->SetStyle(fsUnderline);
        ValueWriter w(&records);
        w.WriteRootComponent(&label);
        w.WriteRootComponent(&label);
        w.WriteListEnd();
        w.Flush();
    }
    put(t, QStringLiteral("labels-strict"), QByteArray("\x01") + records);
    put(t, QStringLiteral("labels-lenient"), QByteArray("\x02") + records);

    // The fuzz target's own class: a root record with a child record.
    QByteArray root("\x03");
    {
        ValueWriter w(&root);
        w.WriteSignature();
        w.WriteStr(QStringLiteral("TGPLabel"));
        w.WriteStr(QStringLiteral("Root"));
        w.WritePropName(QStringLiteral("Left"));
        w.WriteInteger(12);
        w.WritePropName(QStringLiteral("Caption"));
        w.WriteString(QStringLiteral("caption"));
        w.WritePropName(QStringLiteral("Styles"));
        w.WriteSet({QStringLiteral("fsBold")});
        w.WritePropName(QStringLiteral("Ratio"));
        w.WriteFloat(2.25);
        w.WritePropName(QStringLiteral("Letter"));
        w.WriteChar(u'q');
        w.WritePropName(QStringLiteral("Color"));
        w.WriteIdent(QStringLiteral("clWhite"));
        w.WritePropName(QStringLiteral("Font.Name"));
        w.WriteString(QStringLiteral("Arial"));
        w.WritePropName(QStringLiteral("Picture.Data"));
        w.WriteBinary(QByteArray("\x07TBitmap\x00\x00\x00\x00", 12));
        w.WriteListEnd();
        w.WriteStr(QStringLiteral("TGPLabel"));
        w.WriteStr(QStringLiteral("Child"));
        w.WritePropName(QStringLiteral("Locked"));
        w.WriteBoolean(true);
        w.WriteListEnd();
        w.WriteListEnd();
        w.WriteListEnd();
        w.Flush();
    }
    put(t, QStringLiteral("root"), root);
}

// ---- rich text ----------------------------------------------------------------------

void richText()
{
    const char* t = "fuzz_rtf";
    readme(t, "RTF written by the program's rich-text engine, and the word processors' files "
              "of tests/data/richtext (see that folder's README).");
    put(t, QStringLiteral("engine.rtf"), rtf(kRich).RtfText());
    copyInto(t, QStringLiteral("tests/data/richtext/word.rtf"));
    copyInto(t, QStringLiteral("tests/data/richtext/wordpad.rtf"));
}

// ---- pictures -------------------------------------------------------------------------

void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, qint64 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// An icon file with one image: a 32-bit bitmap and its AND mask.
QByteArray iconFile(int size)
{
    const QImage img = art(size, size);
    QByteArray dib;
    put32(dib, 40);
    put32(dib, size);
    put32(dib, size * 2);
    put16(dib, 1);
    put16(dib, 32);
    for (int i = 0; i < 6; ++i)
        put32(dib, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x)
            put32(dib, img.pixel(x, y) | 0xFF000000u);
    const int andStride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y) {
        QByteArray row(andStride, '\0');
        row[0] = char(0x80);  // one transparent corner
        dib += row;
    }
    QByteArray file;
    put16(file, 0);
    put16(file, 1);
    put16(file, 1);
    file.append(char(size));
    file.append(char(size));
    file.append('\0');
    file.append('\0');
    put16(file, 1);
    put16(file, 32);
    put32(file, dib.size());
    put32(file, 22);
    return file + dib;
}

void pictures()
{
    readme("fuzz_bmp", "bitmaps written by the program's encoder and by Qt (24, 8 and 1 bits).");
    put("fuzz_bmp", QStringLiteral("rgb24.bmp"), BmpFile::Encode24(art(7, 5)));
    put("fuzz_bmp", QStringLiteral("indexed8.bmp"),
        qtImage(art(12, 4).convertToFormat(QImage::Format_Indexed8), "bmp"));
    put("fuzz_bmp", QStringLiteral("mono.bmp"),
        qtImage(art(32, 3).convertToFormat(QImage::Format_Mono), "bmp"));

    readme("fuzz_ico", "icon files with 32-bit images and masks, built byte by byte.");
    put("fuzz_ico", QStringLiteral("16.ico"), iconFile(16));
    put("fuzz_ico", QStringLiteral("32.ico"), iconFile(32));

    readme("fuzz_jpeg", "JPEG pictures written by the program's encoder.");
    put("fuzz_jpeg", QStringLiteral("q75.jpg"), JpegCodec::Encode(art(16, 12), 75));
    put("fuzz_jpeg", QStringLiteral("q100.jpg"), JpegCodec::Encode(art(9, 17), 100));

    readme("fuzz_wmf", "Windows metafiles: border pictures of data/Borders (made by "
                       "tools/makeborders) and the Inkscape files of tests/data/imaging/foreign "
                       "(see that folder's README).");
    copyInto("fuzz_wmf", QStringLiteral("data/Borders/Classic.wls"));
    copyInto("fuzz_wmf", QStringLiteral("data/Borders/Ribbon.wpo"));
    for (const char* name : {"bauble", "frame", "gift", "greeting", "holly", "starmoon"})
        copyInto("fuzz_wmf", QStringLiteral("tests/data/imaging/foreign/%1.wmf").arg(name));

    readme("fuzz_emf", "enhanced metafiles: the Inkscape files of tests/data/imaging/foreign and "
                       "tests/data/imaging/stretched-text.emf (see the READMEs there).");
    copyInto("fuzz_emf", QStringLiteral("tests/data/imaging/stretched-text.emf"));
    for (const char* name : {"bauble", "frame", "gift", "greeting", "holly", "starmoon"})
        copyInto("fuzz_emf", QStringLiteral("tests/data/imaging/foreign/%1.emf").arg(name));
}

// ---- recurring dates and the ini file ---------------------------------------------------

void recurring()
{
    const char* t = "fuzz_recurring";
    readme(t, "four bytes of year and one of month, then the built-in holidays as a "
              "recurring-date list, and a list with every kind of formula.");
    QByteArray year2024("\xe8\x07\x00\x00\x0b", 5);  // 2024, December
    put(t, QStringLiteral("holidays"), year2024 + FormatRecurringLines(BuiltInHolidayEntries()));
    const QStringList kinds{
        MakeEntry(QStringLiteral("Fixed day"), QStringLiteral("@0704")),
        MakeEntry(QStringLiteral("Every month"), QStringLiteral("@0015")),
        MakeEntry(QStringLiteral("Third Monday"), QStringLiteral("$2 1 1")),
        MakeEntry(QStringLiteral("Last Friday, each month"), QStringLiteral("$5 5 0")),
        MakeEntry(QStringLiteral("Tuesdays and Thursdays"), BuildWeekdayList({3, 5})),
        Pad(QStringLiteral("Easter"), kEventTextWidth) + QStringLiteral("#EASTER"),
        QStringLiteral("a short line")};
    put(t, QStringLiteral("kinds"),
        QByteArray("\x1e\x08\x00\x00\x01", 5) + FormatRecurringLines(kinds));
}

void ini()
{
    const char* t = "fuzz_ini";
    readme(t, "a preferences file as the program writes it: recent files, zoom, hints, "
              "icons, the editor font and window placement.");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DL.ini"));
    IniFile file(path);
    file.WriteString(QStringLiteral("MRU"), QStringLiteral("F0"), QStringLiteral("/home/a/Dec2026.DLF"));
    file.WriteString(QStringLiteral("MRU"), QStringLiteral("F1"), QStringLiteral("/home/a/Club.DLF"));
    file.WriteInteger(QStringLiteral("Zooming"), QStringLiteral("Main"), 60);
    file.WriteInteger(QStringLiteral("Zooming"), QStringLiteral("Prop"), 40);
    file.WriteBool(QStringLiteral("Hints"), QStringLiteral("On"), true);
    file.WriteString(QStringLiteral("Icons"), QStringLiteral("File"), QStringLiteral("MISC1.ICL"));
    file.WriteString(QStringLiteral("DefaultFont"), QStringLiteral("Name"), QStringLiteral("Arial"));
    file.WriteInteger(QStringLiteral("DefaultFont"), QStringLiteral("Size"), 10);
    file.WriteString(QStringLiteral("TCalendarMain"), QStringLiteral("Placement"),
                     QStringLiteral("10,20,800,600,0"));
    put(t, QStringLiteral("DL.ini"), readFile(path));
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SetScreenPPI(96);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makefuzzcorpus OUT_DIR (from the top of the repository)\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    documents();
    stream();
    richText();
    pictures();
    recurring();
    ini();
    return g_failed ? 1 : 0;
}
