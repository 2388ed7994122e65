// The page objects on the real page widget, driven by QTest mouse and keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/screen.h"
#include "core/tfont.h"
#include "objects/masterrichtextrenderer.h"
#include "objects/objectdialogs.h"
#include "imaging/imageloader.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgimage.h"
#include "objects/tpicture.h"
#include "objects/tghandle.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "common/testutil.h"
#include "ui/calendarpagewidget.h"

using namespace dayloom;

namespace {

struct PageFixture {
    // Earlier tests may leave the program folder pointing at a removed one.
    QTemporaryDir folder;
    bool folderSet = (SetProgramDir(folder.path() + QLatin1Char('/')), true);
    QObject owner;
    TCalendarPanel32* page = new TCalendarPanel32(&owner);
    CalendarPageWidget widget{page};
    QList<MenuEntryList> menus;

    PageFixture()
    {
        new MasterRichTextRenderer(&owner);
        page->SetMenuPresenter([this](const MenuEntryList& m, QPoint) { menus << m; });
        widget.show();
        // Key shortcuts of any other window still open must not take the keys.
        QApplication::setActiveWindow(&widget);
        widget.setFocus();
        QFile::remove(page->ClipboardPath());
    }
    TGPLabel* label(QRect r)
    {
        auto* l = new TGPLabel;
        page->AddObject(l);
        l->SetBounds(r);
        return l;
    }
    void settle() { QCoreApplication::processEvents(); }
    // A drag that counts as one: the move starts it after 10 ms, the release
    // comes well after 150 ms.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(&widget, Qt::LeftButton, mods, from);
        QTest::mouseMove(&widget, from + QPoint(1, 0), 20);
        QTest::mouseMove(&widget, to, 20);
        QTest::mouseRelease(&widget, Qt::LeftButton, mods, to, 200);
        settle();
    }
    QList<TGGraphicControl*> selected() const { return page->Handle()->Selection(); }
};

void SaveShotNamed(const QImage& shot, float zoom, const TGGraphicControl* o)
{
    QString cls = QString::fromLatin1(o->metaObject()->className()).section(QLatin1String("::"), -1);
    test::SaveShot(shot, QStringLiteral("objects_%1_%2").arg(cls).arg(int(zoom * 100 + 0.5f)));
}

QSet<TGGraphicControl*> asSet(const QList<TGGraphicControl*>& l)
{
    return QSet<TGGraphicControl*>(l.begin(), l.end());
}

}  // namespace

TEST(ObjectsOnPage, RubberBandEitherWayAndShiftClick)
{
    PageFixture f;
    TGPLabel* a = f.label(QRect(100, 100, 80, 30));
    TGPLabel* b = f.label(QRect(200, 150, 80, 30));
    f.label(QRect(400, 400, 80, 30));
    f.drag(QPoint(90, 90), QPoint(290, 190));
    const QSet<TGGraphicControl*> forward = asSet(f.selected());
    EXPECT_EQ(forward, (QSet<TGGraphicControl*>{a, b}));
    f.drag(QPoint(50, 50), QPoint(60, 60));  // empty band: nothing
    EXPECT_TRUE(f.selected().isEmpty());
    f.drag(QPoint(290, 190), QPoint(90, 90));
    EXPECT_EQ(asSet(f.selected()), forward);
    EXPECT_TRUE(f.page->RubberBand().isNull());

    // Shift-click on the handle removes the object under the point
    QTest::mouseClick(&f.widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(110, 110));
    EXPECT_EQ(f.selected(), QList<TGGraphicControl*>{b});
    // Shift + band removes what is selected and adds the rest
    f.drag(QPoint(90, 90), QPoint(290, 190), Qt::ShiftModifier);
    EXPECT_EQ(f.selected(), QList<TGGraphicControl*>{a});
}

TEST(ObjectsOnPage, SnappedDragMovesTheHandleOntoTheGrid)
{
    PageFixture f;
    f.page->SetGridSize(gs8x8);
    f.page->SetSnapToGrid(true);
    TGPLabel* l = f.label(QRect(13, 40, 100, 30));
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_EQ(f.selected(), QList<TGGraphicControl*>{l});
    EXPECT_EQ(f.page->Handle()->Bounds().left(), 11);
    QSignalSpy changed(f.page, &TGBasePanel::LabelChangedEvent);
    f.drag(QPoint(50, 50), QPoint(60, 50));
    EXPECT_EQ(l->Left(), 18);
    EXPECT_EQ(f.page->Handle()->Bounds().left(), 16);
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(f.page->Handle()->Outline().isNull());  // the outline goes with the release

    // a drag far past the left edge stops with the handle at the page's edge
    f.page->SetSnapToGrid(false);
    f.drag(QPoint(50, 50), QPoint(-300, 50));
    EXPECT_EQ(f.page->Handle()->Bounds().left(), 0);
    EXPECT_EQ(l->Left(), 2);
}

TEST(ObjectsOnPage, QuickReleaseIsAClickAndLockedObjectsStay)
{
    PageFixture f;
    TGPLabel* a = f.label(QRect(100, 100, 80, 30));
    TGPLabel* b = f.label(QRect(200, 100, 80, 30));
    b->SetLocked(true);
    f.drag(QPoint(90, 90), QPoint(300, 140));
    ASSERT_EQ(f.selected().size(), 2);

    // up 100 ms after down: no move even though the mouse moved
    QTest::mousePress(&f.widget, Qt::LeftButton, {}, QPoint(120, 110));
    QTest::mouseMove(&f.widget, QPoint(140, 130), 20);
    EXPECT_FALSE(f.page->Handle()->Outline().isNull());  // the drag outline follows
    QTest::mouseRelease(&f.widget, Qt::LeftButton, {}, QPoint(140, 130), 80);
    f.settle();
    EXPECT_EQ(a->Bounds().topLeft(), QPoint(100, 100));

    f.drag(QPoint(120, 110), QPoint(140, 130));
    EXPECT_EQ(a->Bounds().topLeft(), QPoint(120, 120));
    EXPECT_EQ(b->Bounds().topLeft(), QPoint(200, 100));  // locked
}

TEST(ObjectsOnPage, CornerDraggedPastTheOppositeCorner)
{
    PageFixture f;
    auto* c = new TGFlatCalendar;
    f.page->AddObject(c);
    c->SetBounds(QRect(100, 100, 142, 33));
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(150, 110));
    const QRect h = f.page->Handle()->Bounds();
    ASSERT_EQ(h, QRect(98, 98, 147, 38));
    const QPoint corner = h.topLeft() + QPoint(h.width() - 1, h.height() - 1);
    QTest::mousePress(&f.widget, Qt::LeftButton, {}, corner);
    EXPECT_EQ(f.page->Handle()->CurrentZone(), TGHandle::ZoneBottomRight);
    QTest::mouseMove(&f.widget, QPoint(20, 20), 20);
    QTest::mouseRelease(&f.widget, Qt::LeftButton, {}, QPoint(20, 20), 200);
    EXPECT_EQ(f.page->Handle()->Bounds().size(), QSize(5, 5));
    EXPECT_EQ(c->Bounds().size(), QSize(142 - 142, 33 - 33));  // changed by the handle's change
    f.settle();
    EXPECT_GE(f.page->Handle()->Bounds().width(), 5);
    EXPECT_GE(f.page->Handle()->Bounds().height(), 5);
}

TEST(ObjectsOnPage, KeyboardMovesAndResizes)
{
    PageFixture f;
    TGPLabel* a = f.label(QRect(100, 100, 80, 30));
    TGPLabel* b = f.label(QRect(200, 100, 80, 30));
    f.drag(QPoint(90, 90), QPoint(300, 140));
    QTest::keyClick(&f.widget, Qt::Key_Right, Qt::ShiftModifier);
    f.settle();
    // two selected: a move (the label's own layout sets its height)
    EXPECT_EQ(a->Bounds().topLeft(), QPoint(101, 100));
    EXPECT_EQ(b->Bounds().topLeft(), QPoint(201, 100));
    EXPECT_EQ(a->Width(), 80);
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(600, 600));  // empties the selection
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(120, 110));
    ASSERT_EQ(f.selected(), QList<TGGraphicControl*>{a});
    QTest::keyClick(&f.widget, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&f.widget, Qt::Key_Down);
    f.settle();
    EXPECT_EQ(a->Bounds().topLeft(), QPoint(101, 101));  // one selected: Shift resizes
    EXPECT_EQ(a->Width(), 81);
}

TEST(ObjectsOnPage, ClipboardKeysAndPasteOncePerSecond)
{
    PageFixture f;
    TGPLabel* a = f.label(QRect(100, 100, 80, 30));
    a->SetCaption(QStringLiteral("copied"));
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(120, 110));
    QTest::keyClick(&f.widget, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(f.page->ClipboardPath()));
    QTest::keyClick(&f.widget, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&f.widget, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(f.page->Objects().size(), 2);
    auto* pasted = qobject_cast<TGPLabel*>(f.page->Objects().last());
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->Caption(), QStringLiteral("copied"));
    QTest::keyClick(&f.widget, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.page->Objects().size(), 1);
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(120, 110));
    QTest::keyClick(&f.widget, Qt::Key_Delete);
    EXPECT_FALSE(f.page->HasObjects());
}

TEST(ObjectsOnPage, UnselectableObjectsAndMenus)
{
    PageFixture f;
    TGPLabel* a = f.label(QRect(100, 100, 80, 30));
    TGPLabel* b = f.label(QRect(200, 100, 80, 30));
    a->SetUnselectable(true);
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(120, 110));
    EXPECT_TRUE(f.selected().isEmpty());
    f.page->SelectAll();
    EXPECT_EQ(f.selected(), QList<TGGraphicControl*>{b});

    // right click on the single selected object: its own menu; elsewhere the page's
    QTest::mouseClick(&f.widget, Qt::RightButton, {}, QPoint(220, 110));
    ASSERT_EQ(f.menus.size(), 1);
    EXPECT_TRUE(FindMenuItem(f.menus.last(), QStringLiteral("Rotation")));
    QTest::mouseClick(&f.widget, Qt::RightButton, {}, QPoint(600, 600));
    ASSERT_EQ(f.menus.size(), 2);
    EXPECT_TRUE(FindMenuItem(f.menus.last(), QStringLiteral("Mark All Selectable")));
    // a double click on the selected label opens its menu
    QTest::mouseDClick(&f.widget, Qt::LeftButton, {}, QPoint(220, 110));
    EXPECT_EQ(f.menus.size(), 3);
}

TEST(ObjectsOnPage, DrawingToolsCreateNamedObjects)
{
    PageFixture f;
    ObjectDialogs().editLabelText = [](QString&) { return false; };  // the text dialog is cancelled
    QSignalSpy dropped(f.page, &TGBasePanel::DroppedObjectEvent);
    f.page->SetPanelState(psLabel);
    QTest::mouseClick(&f.widget, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(f.page->Objects().size(), 1);
    auto* l = qobject_cast<TGPLabel*>(f.page->Objects().first());
    ASSERT_TRUE(l);
    EXPECT_EQ(l->objectName(), QStringLiteral("Special1"));
    EXPECT_EQ(l->Bounds(), QRect(300, 300, 50, 15));
    EXPECT_EQ(l->Caption(), QStringLiteral("Enter text..."));
    EXPECT_FALSE(l->Transparent());
    EXPECT_EQ(l->BorderStyle(), bsSingle);
    EXPECT_EQ(l->Font()->Size(), 20);
    EXPECT_EQ(f.page->PanelState(), psPointing);
    EXPECT_EQ(dropped.count(), 1);

    f.page->SetPanelState(psFlatCalendar);
    f.drag(QPoint(100, 500), QPoint(300, 680));
    ASSERT_EQ(f.page->Objects().size(), 2);
    EXPECT_EQ(f.page->Objects().last()->objectName(), QStringLiteral("Special2"));
    EXPECT_EQ(f.page->Objects().last()->Bounds(), QRect(100, 500, 200, 180));

    ObjectDialogs().editRichText = [](TGPRichBaseLabel&) { return false; };
    f.page->SetPanelState(psRichLabel);
    f.drag(QPoint(400, 100), QPoint(590, 160));
    ASSERT_EQ(f.page->Objects().size(), 3);
    auto* r = qobject_cast<TGPRichBaseLabel*>(f.page->Objects().last());
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->Transparent());
    EXPECT_EQ(dropped.count(), 3);
    ObjectDialogs() = ObjectDialogHooks();
}

// The clip-art tool: the browser opens on the new box; cancelled, the box
// goes again; a chosen picture stays, stretched to the drawn rectangle.
TEST(ObjectsOnPage, ClipArtToolKeepsOnlyChosenPictures)
{
    PageFixture f;
    bool cancel = true;
    int asked = 0;
    ObjectDialogs().browseImage = [&](LoadedPicture& picture, bool&, bool&) {
        ++asked;
        EXPECT_EQ(f.page->PanelState(), psPointing);
        if (cancel)
            return false;
        QImage art(20, 10, QImage::Format_RGB32);
        art.fill(Qt::red);
        picture.Type = LoadedPicture::Bitmap;
        picture.BitmapValue = BmpFile::FromImage(art);
        return true;
    };
    f.page->SetPanelState(psImage);
    f.drag(QPoint(100, 200), QPoint(260, 300));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(f.page->Objects().isEmpty());
    EXPECT_TRUE(f.page->Handle()->Count() == 0);

    cancel = false;
    f.page->SetPanelState(psImage);
    f.drag(QPoint(100, 200), QPoint(260, 300));
    ASSERT_EQ(f.page->Objects().size(), 1);
    auto* image = qobject_cast<TGImage*>(f.page->Objects().first());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Bounds(), QRect(100, 200, 160, 100));
    EXPECT_TRUE(image->Picture()->IsBitmap());
    EXPECT_EQ(f.page->PanelState(), psPointing);
    ObjectDialogs() = ObjectDialogHooks();
}

TEST(ObjectsOnPage, ScreenshotsOfEachKindSelected)
{
    for (float zoom : {0.6f, 1.0f}) {
        PageFixture f;

        TGPLabel* l = f.label(QRect(60, 300, 220, 50));
        l->SetCaption(QStringLiteral("Dayloom label"));
        l->Font()->SetSize(18);
        l->SetDepthShadow(2);
        l->SetTransparent(false);
        l->SetBackColor(0xC0FFFF);
        l->SetBorderStyle(bsSingle);
        auto* r = new TGPRichBaseLabel;
        f.page->AddObject(r);
        r->SetBounds(QRect(320, 300, 190, 70));
        TWPRtfStorage text;
        text.SetRtfText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue200;}"
                        "\\f0\\fs24 Rich {\\b\\cf1 text} label\\par}");
        r->SetRTFText(text);
        auto* c = new TGFlatCalendar;
        f.page->AddObject(c);
        c->SetBounds(QRect(540, 280, 200, 170));
        c->SetShadowDepth(5);
        c->SetShadowColor(0x808080);
        c->SetTitleBGcolor(0xEFBF9F);
        f.widget.SetZoom(Zoom(zoom));
        for (TGGraphicControl* o : f.page->Objects()) {
            f.page->Handle()->Clear();
            f.page->Handle()->Add(o);
            f.settle();
            const QImage shot = f.widget.grab(o->ViewRect().adjusted(-20, -20, 20, 20)).toImage();
            SaveShotNamed(shot, zoom, o);
            // the grab squares: the corner square in the selection colour
            EXPECT_EQ(shot.pixel(20 - 2, 20 - 2) & 0xFFFFFF, 0u);
        }
    }
}
