// Page objects inside a calendar document: a plain label, a rich-text label
// and a month calendar, each set away from its defaults, go through a saved
// file and come back with the same values, and saving again gives the same
// bytes.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include "common/testutil.h"
#include "imaging/imageloader.h"

#include "objects/masterrichtextrenderer.h"
#include "objects/pageobjectclasses.h"
#include "imaging/bmpfile.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgimage.h"
#include "objects/tpicture.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objects/symbolfonts.h"
#include "objects/tbitmap.h"
#include "objects/tgsupertext.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "pagetestutil.h"
#include "richtext/twprtfstorage.h"
#include "stream/componentregistry.h"

namespace dayloom::test {
namespace {

const char kRichRtf[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
    "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue160;}"
    "\\qc\\f0\\fs32 Big {\\b\\cf1 red bold}\\par"
    "\\ql\\f1\\fs18 small {\\i\\ul\\cf2 blue} tail\\par}";

void SetFont(TFont* f, const char* name, int size, int style, TColor color)
{
    f->SetName(QString::fromLatin1(name));
    f->SetSize(size);
    f->SetStyle(style);
    f->SetColor(color);
}

void ExpectSameFont(const TFont* a, const TFont* b, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(a->Name(), b->Name());
    EXPECT_EQ(a->Height(), b->Height());
    EXPECT_EQ(a->Style(), b->Style());
    EXPECT_EQ(a->Color(), b->Color());
}

// A page under `owner`, which also holds the shared rich-text renderer.
struct ObjectPage {
    QObject owner;
    TCalendarPanel32* page;
    ObjectPage() : page(new TCalendarPanel32(&owner))
    {
        new MasterRichTextRenderer(&owner);
    }
};

void FillObjects(TCalendarPanel32& page)
{
    auto* label = new TGPLabel;
    label->setObjectName(QStringLiteral("Component0"));
    page.AddObject(label);
    label->SetCaption(QStringLiteral("Fête d'été"));
    SetFont(label->Font(), "Times New Roman", 19, fsBold | fsItalic, Bgr(10, 120, 30));
    label->SetAngle(90);
    label->SetAlignment(taRightJustify);  // after the angle, which resets it
    label->SetBounds(QRect(40, 30, 180, 60));  // wide though turned: resized later
    label->SetTransparent(false);
    label->SetBackColor(Bgr(250, 240, 200));
    label->SetBorderStyle(bsSingle);
    label->SetDepthShadow(3);
    label->SetDirectionShadow(sdDownLeft);
    label->SetcolorShadow(Bgr(90, 90, 90));
    label->SetDepthHighlight(2);
    label->SetDirectionHighlight(hdUpRight);
    label->SetcolorHighlight(Bgr(255, 255, 0));
    label->SetLocked(true);
    label->SetTag(77);
    label->SetHint(QStringLiteral("a hint"));

    auto* rich = new TGPRichBaseLabel;
    rich->setObjectName(QStringLiteral("Component1"));
    page.AddObject(rich);
    rich->Setup();
    rich->SetBounds(QRect(150, 60, 230, 90));
    rich->SetRTFText(RtfStore(kRichRtf));
    rich->SetTransparent(false);
    rich->SetBGColor(Bgr(220, 230, 255));
    rich->SetBorderStyle(bsNone);
    rich->SetUnselectable(true);

    auto* cal = new TGFlatCalendar;
    cal->setObjectName(QStringLiteral("Component2"));
    page.AddObject(cal);
    cal->SetBounds(QRect(300, 250, 210, 170));
    cal->SetLanguage(fclGerman);
    cal->SetStartOfWeek(2);
    cal->SetMonth(2);
    cal->SetYear(2032);
    cal->SetShowYear(true);
    cal->SetShadowColor(Bgr(30, 60, 90));
    cal->SetShadowDepth(6);
    cal->SetShadowPosition(fcpUpperLeft);
    cal->SetCalTransparent(true);
    cal->SetDayNameBGColor(Bgr(1, 2, 3));
    cal->SetTitleBGcolor(Bgr(4, 5, 6));
    cal->SetBackgroundcolor(Bgr(7, 8, 9));
    cal->SetCalendarBorderStyle(fcbTopBottom);
    cal->SetDayNameBorderStyle(fcbBottom);
    cal->SetCellBorderStyle(fcbNone);
    cal->SetDayNameStyle(fdsWhole);
    SetFont(cal->TitleFont(), "Courier New", 14, fsUnderline, Bgr(200, 0, 0));
    SetFont(cal->DayNameFont(), "Verdana", 9, fsBold, Bgr(0, 100, 0));
    SetFont(cal->CellFont(), "Georgia", 11, fsItalic | fsStrikeOut, Bgr(0, 0, 150));
}

template <class T>
T* Nth(const TCalendarPanel32& page, int i)
{
    return qobject_cast<T*>(page.Objects().value(i));
}

class DocumentObjectsTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterPageObjectClasses(ComponentRegistry::Global()); }
    QTemporaryDir dir;
};

TEST_F(DocumentObjectsTest, ObjectsSurviveSaveAndLoadUnchanged)
{
    ASSERT_TRUE(dir.isValid());
    ObjectPage first;
    FillObjects(*first.page);
    const QString path1 = dir.filePath(QStringLiteral("first.dlf"));
    const QString path2 = dir.filePath(QStringLiteral("second.dlf"));
    CalendarDocument::SaveToFile(*first.page, path1);

    ObjectPage second;
    CalendarDocument::LoadFromFile(*second.page, path1, &second.owner);
    ASSERT_EQ(second.page->Objects().size(), 3);
    CalendarDocument::SaveToFile(*second.page, path2);
    const QByteArray bytes1 = CalendarDocument::ReadWholeFile(path1);
    EXPECT_EQ(CalendarDocument::ReadWholeFile(path2), bytes1);

    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(second.page->Objects()[i]->Bounds(), first.page->Objects()[i]->Bounds());
        EXPECT_EQ(second.page->Objects()[i]->objectName(), QStringLiteral("Component%1").arg(i));
        EXPECT_EQ(second.page->Objects()[i]->Container(), second.page);
    }

    const TGPLabel* a = Nth<TGPLabel>(*first.page, 0);
    const TGPLabel* b = Nth<TGPLabel>(*second.page, 0);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Caption(), a->Caption());
    ExpectSameFont(a->Font(), b->Font(), "label font");
    EXPECT_EQ(b->Angle(), 90);
    EXPECT_EQ(b->Alignment(), a->Alignment());
    EXPECT_FALSE(b->Transparent());
    EXPECT_EQ(b->BackColor(), a->BackColor());
    EXPECT_EQ(b->BorderStyle(), bsSingle);
    EXPECT_EQ(b->DepthShadow(), 3);
    EXPECT_EQ(b->DirectionShadow(), sdDownLeft);
    EXPECT_EQ(b->colorShadow(), a->colorShadow());
    EXPECT_EQ(b->DepthHighlight(), 2);
    EXPECT_EQ(b->DirectionHighlight(), hdUpRight);
    EXPECT_EQ(b->colorHighlight(), a->colorHighlight());
    EXPECT_TRUE(b->Locked());
    EXPECT_EQ(b->Tag(), 77);
    EXPECT_EQ(b->Hint(), a->Hint());
    // The laid-out text agrees too, not only the stored values.
    EXPECT_EQ(b->MainRect(), a->MainRect());
    EXPECT_EQ(b->ShadowRect(), a->ShadowRect());

    const TGPRichBaseLabel* ra = Nth<TGPRichBaseLabel>(*first.page, 1);
    const TGPRichBaseLabel* rb = Nth<TGPRichBaseLabel>(*second.page, 1);
    ASSERT_TRUE(rb);
    EXPECT_EQ(rb->RTFText().RtfText(), ra->RTFText().RtfText());
    EXPECT_TRUE(rb->RTFText().Document().toPlainText().contains(QStringLiteral("red bold")));
    EXPECT_FALSE(rb->Transparent());
    EXPECT_EQ(rb->BGColor(), ra->BGColor());
    EXPECT_EQ(rb->BorderStyle(), bsNone);
    EXPECT_TRUE(rb->Unselectable());
    EXPECT_EQ(rb->PageWidthTwips(), ra->PageWidthTwips());
    // Set up on loading: the renderer under the owner it was loaded for.
    EXPECT_EQ(rb->Master(), MasterRichTextRenderer::Find(second.page));
    EXPECT_NE(rb->Master(), nullptr);

    const TGFlatCalendar* ca = Nth<TGFlatCalendar>(*first.page, 2);
    const TGFlatCalendar* cb = Nth<TGFlatCalendar>(*second.page, 2);
    ASSERT_TRUE(cb);
    EXPECT_EQ(cb->Language(), fclGerman);
    EXPECT_EQ(cb->StartOfWeek(), 2);
    EXPECT_EQ(cb->Month(), 2);
    EXPECT_EQ(cb->Year(), 2032);
    EXPECT_TRUE(cb->ShowYear());
    EXPECT_EQ(cb->ShadowColor(), ca->ShadowColor());
    EXPECT_EQ(cb->ShadowDepth(), 6);
    EXPECT_EQ(cb->ShadowPosition(), fcpUpperLeft);
    EXPECT_TRUE(cb->CalTransparent());
    EXPECT_EQ(cb->DayNameBGColor(), ca->DayNameBGColor());
    EXPECT_EQ(cb->TitleBGcolor(), ca->TitleBGcolor());
    EXPECT_EQ(cb->Backgroundcolor(), ca->Backgroundcolor());
    EXPECT_EQ(cb->CalendarBorderStyle(), fcbTopBottom);
    EXPECT_EQ(cb->DayNameBorderStyle(), fcbBottom);
    EXPECT_EQ(cb->CellBorderStyle(), fcbNone);
    EXPECT_EQ(cb->DayNameStyle(), fdsWhole);
    ExpectSameFont(ca->TitleFont(), cb->TitleFont(), "title font");
    ExpectSameFont(ca->DayNameFont(), cb->DayNameFont(), "day-name font");
    ExpectSameFont(ca->CellFont(), cb->CellFont(), "cell font");
    EXPECT_EQ(cb->CalendarRect(cb->Size(), 1.0f), ca->CalendarRect(ca->Size(), 1.0f));
    EXPECT_EQ(cb->ShadowRect(cb->Size(), 1.0f), ca->ShadowRect(ca->Size(), 1.0f));

    // The painted page agrees as well.
    EXPECT_EQ(PaintedPage(*second.page), PaintedPage(*first.page));
}

// Clip art in a document: a mirrored, framed bitmap and an auto-sized one
// come back with the same pixels, and a second save gives the same bytes.
TEST_F(DocumentObjectsTest, ImagesKeepTheirPicturesThroughAFile)
{
    ASSERT_TRUE(dir.isValid());
    QImage art(30, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            art.setPixel(x, y, qRgb(x * 8, y * 12, 200 - x * 3));
    ObjectPage first;
    auto* framed = new TGImage;
    framed->setObjectName(QStringLiteral("Component0"));
    first.page->AddObject(framed);
    framed->SetBounds(QRect(50, 60, 90, 60));
    framed->Picture()->SetBitmap(BmpFile::FromImage(art));
    framed->SetBorderStyle(bsSingle);
    framed->SetReverse(true);
    auto* sized = new TGImage;
    sized->setObjectName(QStringLiteral("Component1"));
    first.page->AddObject(sized);
    sized->SetBounds(QRect(200, 60, 10, 10));
    sized->Picture()->SetBitmap(BmpFile::FromImage(art));
    sized->SetAutoSize(true);
    auto* empty = new TGImage;
    empty->setObjectName(QStringLiteral("Component2"));
    first.page->AddObject(empty);
    empty->SetBounds(QRect(300, 60, 40, 40));

    const QString path1 = dir.filePath(QStringLiteral("images.dlf"));
    const QString path2 = dir.filePath(QStringLiteral("again.dlf"));
    CalendarDocument::SaveToFile(*first.page, path1);
    ObjectPage second;
    CalendarDocument::LoadFromFile(*second.page, path1, &second.owner);
    ASSERT_EQ(second.page->Objects().size(), 3);
    CalendarDocument::SaveToFile(*second.page, path2);
    EXPECT_EQ(CalendarDocument::ReadWholeFile(path2), CalendarDocument::ReadWholeFile(path1));

    const TGImage* a = Nth<TGImage>(*second.page, 0);
    const TGImage* b = Nth<TGImage>(*second.page, 1);
    const TGImage* c = Nth<TGImage>(*second.page, 2);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->Render(), framed->Render());
    EXPECT_TRUE(a->Reverse());
    EXPECT_EQ(b->Bounds(), QRect(200, 60, 30, 20));
    EXPECT_TRUE(b->AutoSize());
    EXPECT_TRUE(c->Picture()->IsEmpty());
    EXPECT_EQ(PaintedPage(*second.page), PaintedPage(*first.page));
}

// Clip art with transparency (a PNG with partial alpha, the first frame of
// an animated GIF, SVG drawings written by Inkscape and by cairo) goes
// through a file byte for byte and paints the same afterwards.
TEST_F(DocumentObjectsTest, ModernClipArtSavesAndReopensByteForByte)
{
    ASSERT_TRUE(dir.isValid());
    QImage png(50, 30, QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            png.setPixel(x, y, qRgba(250, x * 5, 0, x < 25 ? 255 : 255 - (x - 25) * 10));
    QByteArray pngBytes;
    {
        QBuffer buffer(&pngBytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(png);
    }
    struct Source {
        LoadedPicture picture;
        QRect bounds;
        bool flip;
    };
    const std::vector<Source> sources = {
        {ImageLoader::Load(pngBytes, ImageLoader::Kind::Png), QRect(40, 40, 100, 60), true},
        {ImageLoader::Load(ReadFile(DataPath("imaging/animated.gif")), ImageLoader::Kind::Gif),
         QRect(160, 40, 48, 32), false},
        {ImageLoader::Load(ReadFile(DataPath("imaging/svg/winter.inkscape.svg")), ImageLoader::Kind::Svg),
         QRect(40, 200, 240, 200), false},
        {ImageLoader::Load(ReadFile(DataPath("imaging/svg/winter.cairo.svg")), ImageLoader::Kind::Svg),
         QRect(300, 200, 120, 100), false},
    };
    ObjectPage first;
    int n = 0;
    for (const Source& s : sources) {
        ASSERT_NE(s.picture.Type, LoadedPicture::None);
        auto* image = new TGImage;
        image->setObjectName(QStringLiteral("Component%1").arg(n++));
        first.page->AddObject(image);
        image->SetBounds(s.bounds);
        image->Picture()->Assign(s.picture);
        image->SetFlip(s.flip);
    }
    const QString path1 = dir.filePath(QStringLiteral("clipart.dlf"));
    const QString path2 = dir.filePath(QStringLiteral("clipart2.dlf"));
    CalendarDocument::SaveToFile(*first.page, path1);
    ObjectPage second;
    CalendarDocument::LoadFromFile(*second.page, path1, &second.owner);
    ASSERT_EQ(second.page->Objects().size(), 4);
    CalendarDocument::SaveToFile(*second.page, path2);
    EXPECT_EQ(CalendarDocument::ReadWholeFile(path2), CalendarDocument::ReadWholeFile(path1));

    for (int i = 0; i < 4; ++i) {
        const TGImage* a = Nth<TGImage>(*first.page, i);
        const TGImage* b = Nth<TGImage>(*second.page, i);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(b->Picture()->Data(), a->Picture()->Data()) << i;
        EXPECT_TRUE(b->HasTransparency()) << i;
        EXPECT_EQ(b->Render(), a->Render()) << i;
    }
    auto withObjects = [](TCalendarPanel32& page) {
        QImage image = PaintedPage(page);
        QPainter p(&image);
        page.PaintObjects(p, page.View());
        return image;
    };
    const QImage painted = withObjects(*second.page);
    EXPECT_EQ(painted, withObjects(*first.page));
    SaveShot(painted, QStringLiteral("page-modern-clipart"));
    // Left, the PNG's opaque part; right, where it fades out, the white page
    // shows through.
    EXPECT_EQ(qBlue(painted.pixel(42, 70)), 0);
    EXPECT_GT(qBlue(painted.pixel(139, 70)), 180);
}

}  // namespace
}  // namespace dayloom::test

namespace dayloom::test {
namespace {

// Special-effects texts with every property away from its default: a
// texture, a gradient and a symbol-font character; a label follows them.
void FillEffectTexts(TCalendarPanel32& page)
{
    QImage checks(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            checks.setPixel(x, y, ((x / 8) + (y / 8)) % 2 ? qRgb(200, 0, 0) : qRgb(0, 0, 180));
    TBitmap texture;
    texture.SetValue(BmpFile::FromImage(checks));

    auto* textured = new TGSuperText;
    textured->setObjectName(QStringLiteral("Component0"));
    page.AddObject(textured);
    textured->SetBounds(QRect(40, 40, 330, 120));
    textured->SetCaption(QStringLiteral("Noël"));
    SetFont(textured->Font(), "Times New Roman", 60, fsBold | fsItalic, Bgr(0, 80, 0));
    textured->SetSurfaceType(stBrushImage);
    textured->SetImage(&texture);
    textured->SetShadowDepth(4);
    textured->SetShadowOrientation(sdDownRight);
    textured->SetShadowcolor(Bgr(120, 120, 130));
    textured->SetBorderStyle(bsSingle);
    textured->SetControlTransparent(false);
    textured->SetBGColor(Bgr(255, 250, 230));
    textured->SetFillDirection(gdDown);
    textured->SetGradientFromColor(Bgr(1, 2, 3));
    textured->SetGradientToColor(Bgr(4, 5, 6));
    textured->SetOutlineColor(Bgr(90, 0, 90));
    textured->SetOutlineStyle(psDash);
    textured->SetOutlineWidth(2);
    textured->SetLastBitmapFileNameandPath(QStringLiteral("/usr/share/dayloom/Textures/Checks.bmp"));
    textured->SetTag(3);
    textured->SetHint(QStringLiteral("hint"));

    auto* gradient = new TGSuperText;
    gradient->setObjectName(QStringLiteral("Component1"));
    page.AddObject(gradient);
    gradient->SetBounds(QRect(60, 200, 400, 90));
    gradient->SetCaption(QStringLiteral("Summer"));
    SetFont(gradient->Font(), "Arial", 54, fsBold, Bgr(0, 0, 0));
    gradient->SetFillDirection(gdLeft);
    gradient->SetGradientFromColor(Bgr(255, 0, 0));
    gradient->SetGradientToColor(Bgr(0, 0, 255));
    gradient->SetShadowDepth(3);
    gradient->SetShadowOrientation(sdLeft);
    gradient->SetShadowcolor(Bgr(200, 200, 200));
    gradient->SetOutlineStyle(psClear);
    gradient->SetOutlineColor(Bgr(0, 128, 0));
    gradient->SetOutlineWidth(0);
    gradient->SetBGColor(Bgr(1, 1, 1));  // transparent: never shown
    gradient->SetUnselectable(true);
    gradient->MarkDirty();
    gradient->RecalcLayout();  // a transparent one keeps its laid-out height

    auto* symbol = new TGSuperText;
    symbol->setObjectName(QStringLiteral("Component2"));
    page.AddObject(symbol);
    symbol->SetBounds(QRect(500, 40, 140, 130));
    symbol->Font()->SetName(QStringLiteral("Wingdings"));
    symbol->Font()->SetCharset(SYMBOL_CHARSET);
    symbol->Font()->SetSize(72);
    symbol->SetCaption(SymbolFonts::CharacterOf(0x6E));
    symbol->SetSurfaceType(stNormal);
    symbol->Font()->SetColor(Bgr(0, 120, 200));
    symbol->SetOutlineStyle(psDot);
    symbol->SetBorderStyle(bsSingle);
    symbol->SetLocked(true);

    auto* label = new TGPLabel;
    label->setObjectName(QStringLiteral("Component3"));
    page.AddObject(label);
    label->SetBounds(QRect(40, 400, 200, 40));
    label->SetCaption(QStringLiteral("after the effects"));
    label->RecalcLayout();
}

QImage PaintedWithObjects(TCalendarPanel32& page)
{
    QImage image;
    page.PaintToBitmap(image, page.View());
    return image;
}

}  // namespace

// Documents holding special-effects texts open whole, save byte for byte
// and paint their letters: texture colours inside, the gradient's start
// colour on its start side.
TEST_F(DocumentObjectsTest, EffectTextsOpenWholeSaveByteForByteAndPaint)
{
    ASSERT_TRUE(dir.isValid());
    ObjectPage first;
    FillEffectTexts(*first.page);
    const QByteArray bytes = CalendarDocument::Save(*first.page);

    ObjectPage second;
    CalendarDocument::Load(*second.page, bytes, &second.owner);
    ASSERT_EQ(second.page->Objects().size(), 4);
    EXPECT_TRUE(second.page->HasObjectOfClass("TGSuperText"));
    EXPECT_TRUE(qobject_cast<TGPLabel*>(second.page->Objects().at(3)));
    EXPECT_EQ(CalendarDocument::Save(*second.page), bytes);

    const auto* t = Nth<TGSuperText>(*second.page, 0);
    const auto* g = Nth<TGSuperText>(*second.page, 1);
    const auto* s = Nth<TGSuperText>(*second.page, 2);
    ASSERT_TRUE(t && g && s);
    EXPECT_EQ(t->Caption(), QStringLiteral("Noël"));
    EXPECT_EQ(t->Image()->Image(), Nth<TGSuperText>(*first.page, 0)->Image()->Image());
    EXPECT_EQ(t->OutlineStyle(), psDash);
    EXPECT_EQ(t->LastBitmapFileNameandPath(), QStringLiteral("/usr/share/dayloom/Textures/Checks.bmp"));
    EXPECT_EQ(g->FillDirection(), gdLeft);
    EXPECT_TRUE(g->Unselectable());
    EXPECT_EQ(s->Font()->Charset(), SYMBOL_CHARSET);
    EXPECT_EQ(s->Caption(), QStringLiteral("n"));

    // Painting leaves the document as it is.
    const QImage painted = PaintedWithObjects(*second.page);
    SaveShot(painted, QStringLiteral("page-effect-texts"));
    EXPECT_EQ(CalendarDocument::Save(*second.page), bytes);
    EXPECT_EQ(painted, PaintedWithObjects(*first.page));

    // Inside the textured letters: only the texture's red and blue (the
    // shadow shows beside them, never inside).
    int red = 0, blue = 0, other = 0;
    const QRect tr = t->Bounds().adjusted(2, 2, -2, -2);
    auto deep = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QRgb c = Px(painted, x + dx, y + dy);
                if (c != 0xC80000 && c != 0x0000B4)
                    return false;
            }
        return true;
    };
    for (int y = tr.top(); y <= tr.bottom(); ++y)
        for (int x = tr.left(); x <= tr.right(); ++x) {
            const QRgb c = Px(painted, x, y);
            if (!deep(x, y))
                continue;
            red += c == 0xC80000;
            blue += c == 0x0000B4;
            other += c != 0xC80000 && c != 0x0000B4;
        }
    EXPECT_GT(red, 100);
    EXPECT_GT(blue, 100);
    EXPECT_EQ(other, 0);

    // gdLeft runs from the start colour (red) at the right to blue at the left.
    int leftmost = INT_MAX, rightmost = -1;
    QRgb atLeft = 0, atRight = 0;
    const QRect gr = g->Bounds();
    for (int y = gr.top(); y < gr.bottom(); ++y)
        for (int x = gr.left(); x < gr.right(); ++x) {
            const QRgb c = Px(painted, x, y);
            const int r = (c >> 16) & 0xFF, b = c & 0xFF, green = (c >> 8) & 0xFF;
            if (green > 10 || r + b < 240)
                continue;  // page, shadow or smoothed edge
            if (x < leftmost) {
                leftmost = x;
                atLeft = c;
            }
            if (x > rightmost) {
                rightmost = x;
                atRight = c;
            }
        }
    ASSERT_LT(leftmost, rightmost);
    EXPECT_GT(atLeft & 0xFF, (atLeft >> 16) & 0xFF);    // blue wins at the left
    EXPECT_GT((atRight >> 16) & 0xFF, atRight & 0xFF);  // red at the right
}

// A damaged texture ends the object list at that object: what came before
// stays, nothing crashes, and the rest of the document is read.
TEST_F(DocumentObjectsTest, DamagedTextureEndsTheObjectList)
{
    ObjectPage first;
    FillEffectTexts(*first.page);
    first.page->SetUserTitle(QStringLiteral("Kept title"));
    QByteArray bytes = CalendarDocument::Save(*first.page);
    const qsizetype data = bytes.indexOf("Image.Data");
    ASSERT_GT(data, 0);
    // The inner length now claims more bytes than the value holds.
    QByteArray longer = bytes;
    longer[data + 10 + 5] = char(0x7F);
    ObjectPage second;
    CalendarDocument::Load(*second.page, longer, &second.owner);
    EXPECT_TRUE(second.page->Objects().isEmpty());
    EXPECT_EQ(second.page->UserTitle(), QStringLiteral("Kept title"));

    // Bytes that are no bitmap.
    QByteArray notBitmap = bytes;
    const qsizetype bm = bytes.indexOf("BM", data);
    notBitmap[bm + 1] = 'X';
    ObjectPage third;
    CalendarDocument::Load(*third.page, notBitmap, &third.owner);
    EXPECT_TRUE(third.page->Objects().isEmpty());

    // An absurd font height and shadow depth: drawn at the limits, kept.
    ObjectPage fourth;
    auto* wild = new TGSuperText;
    wild->setObjectName(QStringLiteral("Component0"));
    fourth.page->AddObject(wild);
    wild->SetBounds(QRect(10, 10, 300, 200));
    wild->SetControlTransparent(false);
    wild->Font()->SetHeight(-1000000000);
    wild->SetShadowDepth(-2000000000);
    const QByteArray wildBytes = CalendarDocument::Save(*fourth.page);
    ObjectPage fifth;
    CalendarDocument::Load(*fifth.page, wildBytes, &fifth.owner);
    ASSERT_EQ(fifth.page->Objects().size(), 1);
    PaintedWithObjects(*fifth.page);
    EXPECT_EQ(CalendarDocument::Save(*fifth.page), wildBytes);
}

}  // namespace dayloom::test
