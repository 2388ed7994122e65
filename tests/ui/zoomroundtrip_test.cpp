// Zooming is a way of looking at the page: any number of zoom steps leaves
// a document's bytes as they were, for every layout and every kind of page
// object, and an edit made on the screen at zoom z stores each changed value
// as round-half-even(screen value / z).
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include <QApplication>
#include <QDir>
#include <QTest>

#include "common/testutil.h"
#include "core/screen.h"
#include "core/zoom.h"
#include "objects/tgflatcalendar.h"
#include "objects/tghandle.h"
#include "objects/tgimage.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objects/tgsupertext.h"
#include "page/calendardocument.h"
#include "page/documentpage.h"
#include "page/tcalendarpanel32.h"
#include "ui/calendarpagewidget.h"

using namespace dayloom;

namespace {

// The golden pictures' documents: one per layout, and the page objects of
// every kind (labels, rich-text labels, floating calendars and pictures in
// one, special-effects texts in the other).
QStringList layoutDocuments()
{
    QStringList paths;
    const QDir dir(test::DataPath(QStringLiteral("golden/docs")));
    for (const QString& name : dir.entryList({QStringLiteral("layout*.DLF")}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

QStringList objectDocuments()
{
    return {test::DataPath(QStringLiteral("golden/docs/objects.DLF")),
            test::DataPath(QStringLiteral("golden/docs/effects.DLF"))};
}

QList<Zoom> steps()
{
    QList<Zoom> list;
    for (int percent = Zoom::MinStepPercent; percent <= Zoom::MaxStepPercent; percent += 10)
        list << Zoom::FromPercent(percent);
    return list;
}

// A page shown in the page widget, read as File > Open reads it.
struct ShownDocument {
    QObject owner;
    TCalendarPanel32* page = new TCalendarPanel32(&owner);
    CalendarPageWidget widget{page};

    explicit ShownDocument(const QString& path, Zoom zoom = Zoom::FromPercent(60))
    {
        PrepareDocumentPage(&owner, *page);
        widget.SetZoom(zoom);
        page->SetLoadingDocument(true);
        ReadDocumentInto(*page, path, &owner);
        page->SetLoadingDocument(false);
    }
    // Shows the page at a zoom and paints it there.
    void showAt(Zoom zoom)
    {
        widget.SetZoom(zoom);
        widget.grab();
    }
};

int halfEven(int screen, Zoom zoom)
{
    return int(std::nearbyint(double(screen) / double(zoom.Factor())));
}

// The stored rectangle an edit on the screen gives: each value the edit
// changed is round-half-even(screen value / zoom), the others stay.
QRect stored(const QRect& screenAfter, const QRect& screenBefore, const QRect& before, Zoom zoom)
{
    auto pick = [zoom](int now, int was, int page) { return now == was ? page : halfEven(now, zoom); };
    return QRect(pick(screenAfter.left(), screenBefore.left(), before.left()),
                 pick(screenAfter.top(), screenBefore.top(), before.top()),
                 pick(screenAfter.width(), screenBefore.width(), before.width()),
                 pick(screenAfter.height(), screenBefore.height(), before.height()));
}

}  // namespace

// Every layout (month grids with and without minis, the sheets of minis, the
// week and day planners) with text in its cells: zooming through every step
// and to factors only the command line reaches, painting at each, and back
// saves the bytes saved before.
TEST(ZoomRoundTrip, EveryLayoutSavesTheSameBytesAfterZooming)
{
    const QStringList paths = layoutDocuments();
    ASSERT_EQ(paths.size(), CalendarLayoutCount);
    for (const QString& path : paths) {
        ShownDocument shown(path);
        const QByteArray before = CalendarDocument::Save(*shown.page);
        for (Zoom z : {Zoom::FromPercent(20), Zoom::FromPercent(100), Zoom(1.5f), Zoom::FromPercent(60)})
            shown.showAt(z);
        EXPECT_EQ(CalendarDocument::Save(*shown.page), before) << path.toStdString();
    }
}

// Labels (turned and upside down, with shadows), rich-text labels, floating
// calendars, pictures (stretched, mirrored, a metafile) and special-effects
// texts (gradients, textures, shadows, outlines, a symbol font): shown at
// every zoom step up and down, selected and painted with their grab
// squares, the documents are unchanged, and each object is shown again
// where it was.
TEST(ZoomRoundTrip, EveryObjectKindSavesTheSameBytesAfterZooming)
{
    QSet<QString> kinds;
    for (const QString& path : objectDocuments()) {
        ShownDocument shown(path);
        const QByteArray before = CalendarDocument::Save(*shown.page);
        QList<QRect> shownBefore;
        for (const TGGraphicControl* o : shown.page->Objects()) {
            kinds << QString::fromLatin1(o->metaObject()->className());
            shownBefore << o->ViewRect();
        }

        shown.page->SelectAll();
        QList<Zoom> walk = steps();
        for (int i = int(walk.size()) - 2; i >= 0; --i)
            walk << walk.at(i);
        walk << Zoom(0.333f) << Zoom(2.0f) << Zoom::FromPercent(70) << Zoom::FromPercent(60);
        for (Zoom z : walk)
            shown.showAt(z);
        shown.page->Handle()->Clear();

        EXPECT_EQ(CalendarDocument::Save(*shown.page), before) << path.toStdString();
        QList<QRect> shownAfter;
        for (const TGGraphicControl* o : shown.page->Objects())
            shownAfter << o->ViewRect();
        EXPECT_EQ(shownAfter, shownBefore) << path.toStdString();
    }
    EXPECT_EQ(kinds.size(), 5) << QStringList(kinds.begin(), kinds.end()).join(QLatin1Char(' ')).toStdString();
}

// One object of each kind, alone in the selection, at every zoom step: a
// move with the mouse, a move and a resize with the keys, and a drag of the
// bottom-right grab square each store what changed as round-half-even(screen
// value / zoom), keep what did not change, and show the object where it
// was put.
TEST(ZoomRoundTrip, EditsOnTheScreenStoreScreenValueOverZoom)
{
    SetScreenPPI(96);
    // One of each kind, large enough to be grabbed at 20 %: a label, a
    // rich-text label, a floating calendar, a picture and a special-effects
    // text with a frame.
    const QList<QRect> wanted[] = {
        {QRect(40, 20, 201, 41), QRect(300, 600, 251, 95), QRect(60, 420, 181, 151), QRect(450, 20, 121, 81)},
        {QRect(600, 60, 301, 111)}};
    QList<std::pair<Zoom, int>> runs;
    for (Zoom z : steps())
        for (int d = 0; d < 2; ++d)
            runs.append({z, d});
    for (const auto& run : runs) {
        const Zoom z = run.first;
        const int d = run.second;
        ShownDocument shown(objectDocuments().at(d), z);
        CalendarPageWidget& w = shown.widget;
        w.show();
        QApplication::setActiveWindow(&w);
        w.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

        QList<TGGraphicControl*> picked;
        for (TGGraphicControl* o : shown.page->Objects())
            if (wanted[d].contains(o->Bounds()))
                picked << o;
        ASSERT_EQ(picked.size(), wanted[d].size());
        if (d == 0)
            ASSERT_TRUE(qobject_cast<TGPLabel*>(picked[0]) && qobject_cast<TGPRichBaseLabel*>(picked[1]) &&
                        qobject_cast<TGFlatCalendar*>(picked[2]) && qobject_cast<TGImage*>(picked[3]));
        else
            ASSERT_TRUE(qobject_cast<TGSuperText*>(picked[0]));

        for (TGGraphicControl* o : picked) {
            const std::string where = QStringLiteral("%1 at %2")
                                          .arg(QString::fromLatin1(o->metaObject()->className()))
                                          .arg(z.Factor())
                                          .toStdString();
            // A label keeps its height within its text's line height
            // (at zoom 1 and on the screen), whatever an edit asks for:
            // its height is left out.
            const bool label = qobject_cast<TGPLabel*>(o) != nullptr;
            auto checked = [label](QRect r) {
                if (label)
                    r.setHeight(1);
                return r;
            };
            auto expectEdit = [&](const QRect& page, const QRect& screen, const QRect& edited) {
                EXPECT_EQ(checked(o->Bounds()), checked(stored(edited, screen, page, z))) << where;
                EXPECT_EQ(checked(o->ViewRect()), checked(edited)) << where;
            };
            TGHandle* handle = shown.page->Handle();
            handle->Clear();
            handle->Add(o);
            handle->Refit();
            QCoreApplication::processEvents();

            // A move with the mouse, from the middle of the selection (a
            // drag starts after 10 ms and ends well after 150 ms), where
            // the middle lies clear of the grab squares.
            QRect page = o->Bounds();
            QRect screen = o->ViewRect();
            if (handle->Bounds().width() > 18 && handle->Bounds().height() > 18) {
                const QPoint from = handle->Bounds().center();
                const QPoint to = from + QPoint(7, 5);
                QTest::mousePress(&w, Qt::LeftButton, {}, from);
                QTest::mouseMove(&w, from + QPoint(1, 0), 20);
                QTest::mouseMove(&w, to, 20);
                QTest::mouseRelease(&w, Qt::LeftButton, {}, to, 200);
                QCoreApplication::processEvents();
                expectEdit(page, screen, screen.translated(7, 5));
            }

            // One pixel right with the arrow key, then one wider and one
            // higher with Shift.
            const struct {
                int key;
                Qt::KeyboardModifiers modifiers;
                QMargins change;  // left, top, right, bottom
            } keys[] = {{Qt::Key_Right, {}, QMargins(-1, 0, 1, 0)},
                        {Qt::Key_Right, Qt::ShiftModifier, QMargins(0, 0, 1, 0)},
                        {Qt::Key_Down, Qt::ShiftModifier, QMargins(0, 0, 0, 1)}};
            for (const auto& k : keys) {
                page = o->Bounds();
                screen = o->ViewRect();
                QTest::keyClick(&w, Qt::Key(k.key), k.modifiers);
                QCoreApplication::processEvents();
                expectEdit(page, screen, screen.marginsAdded(k.change));
            }

            // The bottom-right grab square six right and four down (where
            // the selection is large enough to have distinct squares): the
            // selection grows by one pixel less each way, as it always has.
            page = o->Bounds();
            screen = o->ViewRect();
            handle->Refit();
            const QRect h = handle->Bounds();
            if (h.width() > 16 && h.height() > 16) {
                const QPoint corner = h.topLeft() + QPoint(h.width() - 2, h.height() - 2);
                QTest::mousePress(&w, Qt::LeftButton, {}, corner);
                QTest::mouseMove(&w, corner + QPoint(1, 0), 20);
                QTest::mouseMove(&w, corner + QPoint(6, 4), 20);
                QTest::mouseRelease(&w, Qt::LeftButton, {}, corner + QPoint(6, 4), 200);
                QCoreApplication::processEvents();
                expectEdit(page, screen, screen.adjusted(0, 0, 5, 3));
            }
        }
    }
}
