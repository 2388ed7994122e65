// The page as the window shows it at 60 % and as the picture export writes
// it at several zooms, compared pixel for pixel with pictures rendered
// earlier (tests/data/golden, see its README). Run with DAYLOOM_GOLDEN_WRITE
// set to a folder to write the documents and pictures anew instead.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QSet>

#include "common/testutil.h"
#include "core/screen.h"
#include "core/tfont.h"
#include "core/zoom.h"
#include "imaging/bmpfile.h"
#include "imaging/tmetafile.h"
#include "objects/masterrichtextrenderer.h"
#include "objects/tgflatcalendar.h"
#include "objects/tghandle.h"
#include "objects/tgimage.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objects/tgsupertext.h"
#include "objects/symbolfonts.h"
#include "objects/tbitmap.h"
#include "objects/tpicture.h"
#include "page/borderpicture.h"
#include "page/calendardocument.h"
#include "page/documentpage.h"
#include "page/tcalendarpanel32.h"
#include "print/pictureexport.h"
#include "richtext/twprtfstorage.h"
#include "ui/calendarpagewidget.h"
#include "stream/preferences.h"

using namespace dayloom;

namespace {

// ---- the documents ------------------------------------------------------------

QByteArray rtf(const char* body)
{
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
                      "Roman;}}{\\colortbl;\\red192\\green0\\blue0;\\red0\\green96\\blue0;}") +
           body + "\\par}";
}

TWPRtfStorage store(const char* body)
{
    TWPRtfStorage s;
    s.SetRtfText(rtf(body));
    return s;
}

void putCellTexts(TCalendarPanel32& page, bool planner)
{
    const char* texts[] = {"\\f0\\fs18 Dentist \\b 9:00\\b0",
                           "\\f1\\fs20\\i Party\\i0\\par\\fs16\\cf1 bring a cake\\cf0",
                           "\\f0\\fs16\\ul Long text that wraps over the edge of its cell\\ulnone"};
    const int cells[] = {planner ? 1 : 10, planner ? 3 : 17, planner ? 5 : 23};
    for (int i = 0; i < 3; ++i)
        page.SetCellText(cells[i], store(texts[i]));
}

// The page as the main window makes it, before a document is read.
void prepare(TCalendarPanel32& page)
{
    TCalendarPanel32::ApplyMainWindowDescription(page);
    page.ResetPage();
}

void buildLayoutDocument(TCalendarPanel32& page, int v)
{
    prepare(page);
    page.SetCalendarLayout(TCalendarLayout(v));
    page.SetMainCalDay(8);
    page.SetMainCalMonth(1 + v % 12);
    page.SetMainCalYear(1997 + v % 3);
    page.SetStartOfWeek(v % 2 ? 2 : 1);
    page.SetPlannerStartTime(QTime(9, 30));
    switch (v) {
    case 0:
        page.SetHeadersStyle(dsFirstChar);
        page.SetCellBorder(cbBottom);
        break;
    case 1:
        page.SetWMFBorderFile(QStringLiteral("Waves"));
        page.SetUserTitle(QStringLiteral("Club Calendar & Friends"));
        break;
    case 2:
        page.SetTitleBGColor(0x00E0F0FF);
        page.SetHeadersBGColor(0x00603010);
        page.SetMiniCalBGColor(0x00F0FFF0);
        break;
    case 4:
        page.SetNumberPosition(cnpCenter);
        break;
    case 6:
        page.SetCalendarLineLayout(llHeadersAndCells);
        page.SetMiniCalendarLineLayout(mllFull);
        break;
    case 9:
        page.SetMiniCalendarLineLayout(mllMinimal);
        page.SetMiniShowYear(false);
        break;
    case 13:
        page.SetPaperSize(PaperA4);
        break;
    case 19:
        page.SetHeadersStyle(dsThreeChars);
        page.SetHeadersBGColor(0x00C0FFFF);
        break;
    default:
        break;
    }
    putCellTexts(page, v >= int(loWeek));
}

QImage star(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(255, 250, 220));
    QPainter p(&img);
    p.setPen(QPen(QColor(150, 100, 0), 2));
    p.setBrush(QColor(245, 190, 30));
    p.drawEllipse(QRect(3, 3, w - 7, h / 2));
    p.setBrush(QColor(30, 120, 40));
    p.drawRect(QRect(w / 4, h / 2 + 4, w / 2, h / 2 - 8));
    p.fillRect(QRect(0, 0, w / 5, h / 6), QColor(200, 20, 30));  // shows mirroring
    return img;
}

template <class T>
T* place(TCalendarPanel32& page, int n, QRect bounds)
{
    auto* o = new T(&page);
    o->setObjectName(QStringLiteral("Special%1").arg(n));
    page.AddObject(o);
    o->SetBounds(bounds);
    return o;
}

void buildObjectsDocument(TCalendarPanel32& page)
{
    prepare(page);
    page.SetCalendarLayout(LOFullCalendarLS);
    page.SetMainCalDay(8);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(1997);
    putCellTexts(page, false);

    auto* plain = place<TGPLabel>(page, 1, QRect(40, 20, 201, 41));
    plain->SetCaption(QStringLiteral("Happy Holidays"));
    plain->Font()->SetName(QStringLiteral("Arial"));
    plain->Font()->SetSize(20);
    plain->Font()->SetStyle(fsBold);
    plain->Font()->SetColor(0x000000C0);
    plain->SetTransparent(false);
    plain->SetBackColor(0x0080FFFF);
    plain->SetBorderStyle(bsSingle);

    auto* turned = place<TGPLabel>(page, 2, QRect(900, 300, 47, 181));
    turned->Font()->SetName(QStringLiteral("Times New Roman"));
    turned->Font()->SetSize(18);
    turned->SetCaption(QStringLiteral("Sideways"));
    turned->SetAngle(90);
    turned->SetDepthShadow(3);
    turned->SetDirectionShadow(sdDownRight);
    turned->SetDepthHighlight(2);
    turned->SetDirectionHighlight(hdUpLeft);

    auto* upside = place<TGPLabel>(page, 3, QRect(600, 700, 181, 33));
    upside->Font()->SetName(QStringLiteral("Arial"));
    upside->Font()->SetSize(14);
    upside->SetCaption(QStringLiteral("Upside down"));
    upside->SetAngle(180);

    auto* rich = place<TGPRichBaseLabel>(page, 4, QRect(300, 600, 251, 95));
    rich->SetRTFText(store("\\f1\\fs24\\b Rich\\b0  text with \\i italics\\i0  and \\cf2 colour\\cf0"
                           "\\par\\fs16 a second paragraph that wraps"));
    rich->SetTransparent(false);
    rich->SetBGColor(0x00FFF0E0);

    auto* clear = place<TGPRichBaseLabel>(page, 5, QRect(700, 40, 191, 61));
    clear->SetRTFText(store("\\f0\\fs20\\ul Transparent\\ulnone  label"));
    clear->SetBorderStyle(bsNone);

    auto* cal = place<TGFlatCalendar>(page, 6, QRect(60, 420, 181, 151));
    cal->SetMonth(2);
    cal->SetYear(1998);
    cal->SetShowYear(true);
    cal->SetCellBorderStyle(fcbAll);
    cal->SetShadowDepth(4);
    cal->SetShadowColor(0x00808080);
    cal->SetTitleBGcolor(0x00D0E0FF);
    cal->SetDayNameBGColor(0x00FFE0D0);
    cal->SetDayNameStyle(fdsThreeChars);
    cal->TitleFont()->SetStyle(fsBold);

    auto* small = place<TGFlatCalendar>(page, 7, QRect(260, 470, 97, 63));
    small->SetMonth(3);
    small->SetYear(1998);
    small->SetCalTransparent(true);
    small->SetStartOfWeek(2);
    small->SetLanguage(fclGerman);
    small->SetShadowDepth(3);
    small->SetShadowPosition(fcpUpperLeft);
    small->SetCellBorderStyle(fcbTopBottom);

    auto* stretched = place<TGImage>(page, 8, QRect(450, 20, 121, 81));
    stretched->Picture()->SetBitmap(BmpFile::FromImage(star(40, 30)));
    stretched->SetStretch(true);
    stretched->SetBorderStyle(bsSingle);

    auto* mirrored = place<TGImage>(page, 9, QRect(380, 300, 10, 10));
    mirrored->SetAutoSize(true);
    mirrored->Picture()->SetBitmap(BmpFile::FromImage(star(55, 45)));
    mirrored->SetReverse(true);
    mirrored->SetFlip(true);

    auto* art = place<TGImage>(page, 10, QRect(760, 560, 131, 101));
    art->Picture()->SetMetafile(TMetafile::FromFile(test::SourcePath(QStringLiteral("data/Borders/Holly.wpo"))));
    art->SetStretch(true);
}

// Special-effects texts of every surface, with shadows in several
// directions, outlines of several styles and a symbol font.
void buildEffectsDocument(TCalendarPanel32& page)
{
    prepare(page);
    page.SetCalendarLayout(LOFullCalendarLS);
    page.SetMainCalDay(8);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(1997);

    auto* gradient = place<TGSuperText>(page, 1, QRect(60, 70, 330, 90));
    gradient->SetCaption(QStringLiteral("Holidays"));
    gradient->Font()->SetName(QStringLiteral("Arial"));
    gradient->Font()->SetSize(44);
    gradient->Font()->SetStyle(fsBold);
    gradient->SetGradientFromColor(0x000000C0);
    gradient->SetGradientToColor(0x0000C0FF);
    gradient->SetFillDirection(gdDown);
    gradient->SetShadowDepth(5);
    gradient->SetShadowOrientation(sdDownRight);
    gradient->SetOutlineColor(0x00000060);

    QImage checks(12, 12, QImage::Format_RGB32);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            checks.setPixel(x, y, ((x / 6) + (y / 6)) % 2 ? qRgb(200, 30, 30) : qRgb(30, 120, 40));
    TBitmap texture;
    texture.SetValue(BmpFile::FromImage(checks));
    auto* textured = place<TGSuperText>(page, 2, QRect(600, 60, 301, 111));
    textured->SetCaption(QStringLiteral("Noël"));
    textured->Font()->SetName(QStringLiteral("Times New Roman"));
    textured->Font()->SetSize(54);
    textured->Font()->SetStyle(fsBold | fsItalic);
    textured->SetSurfaceType(stBrushImage);
    textured->SetImage(&texture);
    textured->SetShadowDepth(3);
    textured->SetShadowOrientation(sdLeft);
    textured->SetShadowcolor(0x00A0A0A0);
    textured->SetOutlineStyle(psDash);
    textured->SetOutlineWidth(2);
    textured->SetBorderStyle(bsSingle);
    textured->SetControlTransparent(false);
    textured->SetBGColor(0x00E0F8FF);

    auto* shadowed = place<TGSuperText>(page, 3, QRect(60, 420, 257, 301));  // a tall transparent one is cut
    shadowed->SetCaption(QStringLiteral("Shadowed"));
    shadowed->Font()->SetSize(30);
    shadowed->SetFillDirection(gdRight);
    shadowed->SetGradientFromColor(0x00FF0000);
    shadowed->SetGradientToColor(0x0000FFFF);
    shadowed->SetShadowDepth(7);
    shadowed->SetShadowOrientation(sdDownLeft);
    shadowed->SetOutlineStyle(psClear);

    auto* normal = place<TGSuperText>(page, 4, QRect(360, 300, 211, 71));
    normal->SetCaption(QStringLiteral("Plain and long"));  // cut at the last whole letter
    normal->Font()->SetName(QStringLiteral("Courier New"));
    normal->Font()->SetSize(28);
    normal->Font()->SetColor(0x00800080);
    normal->SetSurfaceType(stNormal);
    normal->SetOutlineStyle(psDot);
    normal->SetShadowDepth(2);
    normal->SetShadowOrientation(sdDown);

    auto* hollow = place<TGSuperText>(page, 5, QRect(640, 420, 271, 81));
    hollow->SetCaption(QStringLiteral("Hollow"));
    hollow->Font()->SetSize(40);
    hollow->SetSurfaceType(stBrushTransparent);
    hollow->SetOutlineColor(0x00008000);
    hollow->SetOutlineStyle(psDashDot);
    hollow->SetOutlineWidth(3);
    hollow->SetShadowDepth(4);
    hollow->SetShadowOrientation(sdRight);

    auto* noRoom = place<TGSuperText>(page, 6, QRect(620, 580, 31, 61));  // not one letter fits: a crossed box
    noRoom->SetCaption(QStringLiteral("Wide"));
    noRoom->SetBorderStyle(bsSingle);

    if (SymbolFonts::IsSymbolFont(QStringLiteral("Wingdings"))) {
        auto* symbol = place<TGSuperText>(page, 7, QRect(820, 200, 121, 121));
        symbol->Font()->SetName(QStringLiteral("Wingdings"));
        symbol->Font()->SetCharset(SYMBOL_CHARSET);
        symbol->Font()->SetSize(60);
        symbol->SetCaption(SymbolFonts::CharacterOf(0x6C));  // a filled circle
        symbol->SetFillDirection(gdUp);
        symbol->SetOutlineWidth(1);
        symbol->SetControlTransparent(false);
        symbol->SetBGColor(0x00FFFFFF);
    }
}

struct GoldenDocument {
    QString name;
    int layout;  // -1: the objects document, -2: the special-effects texts
};

QList<GoldenDocument> documents()
{
    QList<GoldenDocument> list;
    for (int v = 0; v < CalendarLayoutCount; ++v)
        list.append({QStringLiteral("layout%1").arg(v, 2, 10, QLatin1Char('0')), v});
    list.append({QStringLiteral("objects"), -1});
    list.append({QStringLiteral("effects"), -2});
    return list;
}

// Exports at the window's zoom steps (and one only the command line reaches).
QList<int> exportPercents(const QString& name)
{
    if (name == QLatin1String("objects"))
        return {50, 60, 70, 80, 90, 100, 150};
    if (name == QLatin1String("effects"))
        return {50, 60, 80, 100, 150};
    if (name == QLatin1String("layout01") || name == QLatin1String("layout03") ||
        name == QLatin1String("layout11") || name == QLatin1String("layout19"))
        return {50, 100};
    return {};
}

float exportZoom(int percent)
{
    return (percent % 10 == 0 && percent <= 100 ? Zoom::FromPercent(percent) : Zoom(float(percent) / 100.0f)).Factor();
}

// ---- rendering through the program's own paths ----------------------------------

// A page hosted as the main window hosts it: an owner holding the shared
// rich-text renderer, the border picture attached, the window's description.
struct Host {
    QObject owner;
    TCalendarPanel32* page = new TCalendarPanel32(&owner);
    Host()
    {
        new MasterRichTextRenderer(&owner);
        BorderPicture::Attach(*page);
        prepare(*page);
    }
};

// Reads a document the way File > Open does.
void open(Host& host, const QString& path)
{
    TCalendarPanel32& page = *host.page;
    page.SetLoadingDocument(true);
    ReadDocumentInto(page, path, &host.owner);
    page.SetLoadingDocument(false);
}

QImage screenAt(const QString& path, float zoom, bool selectAll)
{
    Host host;
    CalendarPageWidget widget(host.page);
    widget.SetZoom(Zoom(zoom));
    open(host, path);
    if (selectAll)
        host.page->SelectAll();
    widget.grab();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage exportAt(const QString& path, float zoom)
{
    Host host;
    open(host, path);
    return PictureExport::CalendarPicture(*host.page, Zoom(zoom)).convertToFormat(QImage::Format_RGB32);
}

// ---- files --------------------------------------------------------------------------

QString writeFolder() { return qEnvironmentVariable("DAYLOOM_GOLDEN_WRITE"); }

QString goldenPath(const QString& relative)
{
    const QString out = writeFolder();
    return out.isEmpty() ? test::DataPath(QStringLiteral("golden/") + relative)
                         : out + QLatin1Char('/') + relative;
}

// Stored with a palette when the picture has few enough colours (losslessly),
// to keep the files small.
void savePicture(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() <= 256; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            colours.insert(line[x] | 0xFF000000u);
    }
    QImage out = image;
    if (colours.size() <= 256) {
        QList<QRgb> table(colours.begin(), colours.end());
        std::sort(table.begin(), table.end());
        out = image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
    }
    QImageWriter writer(path, "png");
    writer.setQuality(0);  // the strongest compression
    ASSERT_TRUE(writer.write(out)) << path.toStdString();
}

void compareWithGolden(const QImage& actual, const QString& relative)
{
    if (!writeFolder().isEmpty()) {
        savePicture(actual, goldenPath(relative));
        return;
    }
    QImage expected(goldenPath(relative));
    ASSERT_FALSE(expected.isNull()) << relative.toStdString();
    expected = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(actual.size(), expected.size()) << relative.toStdString();
    int differ = 0;
    QRect where;
    for (int y = 0; y < actual.height(); ++y) {
        const QRgb* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const QRgb* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x)
            if ((a[x] | 0xFF000000u) != (e[x] | 0xFF000000u)) {
                ++differ;
                where |= QRect(x, y, 1, 1);
            }
    }
    if (differ)
        test::SaveShot(actual, QStringLiteral("golden_") + QString(relative).replace(QLatin1Char('/'), QLatin1Char('_')));
    EXPECT_EQ(differ, 0) << relative.toStdString() << ": pixels differ inside (" << where.left() << ", "
                         << where.top() << ") - (" << where.right() << ", " << where.bottom() << ")";
}

QString documentPath(const GoldenDocument& d) { return goldenPath(QStringLiteral("docs/") + d.name + QStringLiteral(".DLF")); }

class GoldenPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (writeFolder().isEmpty())
            return;
        QDir().mkpath(writeFolder() + QStringLiteral("/docs"));
        for (const GoldenDocument& d : documents()) {
            Host host;
            if (d.layout >= 0)
                buildLayoutDocument(*host.page, d.layout);
            else if (d.layout == -1)
                buildObjectsDocument(*host.page);
            else
                buildEffectsDocument(*host.page);
            CalendarDocument::SaveToFile(*host.page, documentPath(d));
        }
    }
};

}  // namespace

TEST_F(GoldenPictures, EveryLayoutOnTheScreenAtSixtyPercent)
{
    for (const GoldenDocument& d : documents())
        compareWithGolden(screenAt(documentPath(d), Zoom::FromPercent(60).Factor(), false),
                          QStringLiteral("screen/") + d.name + QStringLiteral(".png"));
}

TEST_F(GoldenPictures, SelectedObjectsWithTheirGrabSquares)
{
    compareWithGolden(screenAt(documentPath({QStringLiteral("objects"), -1}), Zoom::FromPercent(60).Factor(), true),
                      QStringLiteral("screen/objects-selected.png"));
    compareWithGolden(screenAt(documentPath({QStringLiteral("effects"), -2}), Zoom::FromPercent(60).Factor(), true),
                      QStringLiteral("screen/effects-selected.png"));
}

TEST_F(GoldenPictures, ExportsAtEveryZoom)
{
    for (const GoldenDocument& d : documents())
        for (int percent : exportPercents(d.name))
            compareWithGolden(exportAt(documentPath(d), exportZoom(percent)),
                              QStringLiteral("export/%1-%2.png").arg(d.name).arg(percent));
}
