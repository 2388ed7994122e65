// The label object: angle rules, layout size rules, alignment, offsets and
// its record in documents.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "core/tfont.h"
#include "objects/tgplabel.h"
#include "objecttestutil.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

TEST(Label, AngleSwapsOrientationAndIgnoresOtherValues)
{
    TGPLabel label;
    EXPECT_EQ(label.Bounds().size(), QSize(142, 33));
    label.SetAlignment(taCenter);
    label.SetAngle(45);
    label.SetAngle(-90);
    label.SetAngle(360);
    EXPECT_EQ(label.Angle(), 0);
    EXPECT_EQ(label.Alignment(), taCenter);
    label.SetAngle(90);
    EXPECT_EQ(label.Bounds().size(), QSize(33, 142));
    EXPECT_EQ(label.Alignment(), taLeftJustify);  // a nonzero angle is always left-aligned
    label.SetAngle(270);                           // still upright enough: no swap
    EXPECT_EQ(label.Bounds().size(), QSize(33, 142));
    label.SetAngle(0);
    EXPECT_EQ(label.Bounds().size(), QSize(142, 33));
}

TEST(Label, LayoutSizeRulesAtEachAngle)
{
    TGPLabel label;
    label.SetBounds(QRect(0, 0, 200, 300));
    label.RecalcLayout();
    const int L = label.LineHeight();  // no copies: L = H
    EXPECT_EQ(label.Height(), int(1.2 * L));
    EXPECT_EQ(label.Width(), 200);

    label.SetBounds(QRect(0, 0, 5, 3));
    label.RecalcLayout();
    EXPECT_EQ(label.Width(), label.TextWidth());
    EXPECT_EQ(label.Height(), L);  // never below the line height

    // at 90 the roles swap: height follows the text width, width the line
    label.SetAngle(90);
    label.SetBounds(QRect(0, 0, 300, 900));
    label.MarkDirty();
    label.RecalcLayout();
    EXPECT_EQ(label.Height(), int(1.2 * label.TextWidth()));
    EXPECT_EQ(label.Width(), int(1.2 * L));
}

TEST(Label, OffsetsAndAlignmentPlaceTheText)
{
    TGPLabel label;
    label.SetBounds(QRect(0, 0, 300, 40));
    label.SetDepthShadow(4);
    label.SetDirectionShadow(sdLeft);
    label.RecalcLayout();
    EXPECT_EQ(label.ShadowOffset(), QPoint(-4, 0));
    EXPECT_EQ(label.MainRect().left(), 4);  // pushed right so the shadow stays inside
    EXPECT_EQ(label.ShadowOrigin().x(), label.MainOrigin().x() - 4);

    TGPLabel up;
    up.SetBounds(QRect(0, 0, 300, 40));
    up.SetDepthHighlight(3);  // default direction up-left, shadow depth 0
    up.RecalcLayout();
    EXPECT_EQ(up.HighlightOffset(), QPoint(-3, -3));
    EXPECT_EQ(up.MainRect().topLeft(), QPoint(3, 3));

    // centred: measured from the object's left edge, not from R.left
    label.SetAlignment(taCenter);
    label.RecalcLayout();
    const QRect r = label.MainRect();
    const int right = r.left() + r.width();
    EXPECT_EQ(label.MainOrigin().x(), (right - r.left()) / 2 - label.TextWidth() / 2);
    label.SetAlignment(taRightJustify);
    label.RecalcLayout();
    EXPECT_EQ(label.MainOrigin().x(), right - label.TextWidth());
}

TEST(Label, PaintsFillBorderAndOnlyTheCopiesAsked)
{
    TGPLabel label;
    label.SetBounds(QRect(0, 0, 200, 50));
    label.Font()->SetSize(24);
    label.SetCaption(QStringLiteral("WWWW"));
    label.SetTransparent(false);
    label.SetBackColor(0x00FF00);  // lime
    label.SetBorderStyle(bsSingle);
    label.SetDepthShadow(3);
    label.SetDirectionShadow(sdNone);  // depth without a direction: no copy
    label.SetcolorShadow(0x0000FF);
    QImage img(200, 50, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        PaintAtOrigin(label, p);
    }
    SaveShot(img, QStringLiteral("objects_label_plain"));
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0x000000u);      // frame
    // fill, down to the height the size rules give on the device
    EXPECT_EQ(img.pixel(198, label.DeviceRect(At(1.0f)).height() - 2) & 0xFFFFFF, 0x00FF00u);
    bool red = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            red |= (img.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
    EXPECT_FALSE(red);
    label.SetDirectionShadow(sdDownRight);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        PaintAtOrigin(label, p);
    }
    int redCount = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            redCount += (img.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
    EXPECT_GT(redCount, 10);
}

TEST(Label, RecordRoundTripsAndKeepsDefaults)
{
    TGBasePanel panel;
    auto* label = new TGPLabel;
    panel.AddObject(label);
    label->setObjectName(QStringLiteral("Special1"));
    label->SetBounds(QRect(13, 27, 220, 60));
    label->SetCaption(QStringLiteral("Grüße"));
    label->SetDepthShadow(12);  // more than the dialog offers
    label->SetDirectionShadow(sdDownLeft);
    label->SetDepthHighlight(2);
    label->SetDirectionHighlight(hdright);
    label->SetcolorHighlight(0x123456);
    label->SetcolorShadow(0x0000FF);
    label->SetTransparent(false);
    label->SetBackColor(0xC0DCC0);
    label->SetBorderStyle(bsSingle);
    label->Font()->SetName(QStringLiteral("Times New Roman"));
    label->Font()->SetSize(14);
    label->Font()->SetStyle(fsBold | fsItalic);
    label->Font()->SetColor(0x800000);
    label->SetLocked(true);
    label->SetAngle(180);
    label->SetAlignment(taLeftJustify);

    const QByteArray first = WriteObjectList({label});
    EXPECT_TRUE(first.contains("hdright"));
    EXPECT_TRUE(first.contains("sdDownLeft"));
    EXPECT_TRUE(first.contains("clRed"));  // colours by name
    TGBasePanel again;
    const QList<TGGraphicControl*> read = ReadObjectList(first, again);
    ASSERT_EQ(read.size(), 1);
    auto* copy = qobject_cast<TGPLabel*>(read.first());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->objectName(), QStringLiteral("Special1"));
    EXPECT_EQ(copy->DepthShadow(), 12);
    EXPECT_EQ(WriteObjectList(read), first);
    copy->RecalcLayout();  // the layout applies the size rules of 180 degrees
    EXPECT_EQ(copy->ShadowOffset(), QPoint(-12, 12));
    EXPECT_EQ(copy->Angle(), 180);
    EXPECT_EQ(copy->Caption(), label->Caption());
    EXPECT_TRUE(*copy->Font() == *label->Font());

    // a record holding only the base properties reads as the defaults
    auto* bare = new TGPLabel;
    TGBasePanel third;
    third.AddObject(bare);
    const QByteArray plain = WriteObjectList({bare});
    EXPECT_FALSE(plain.contains("Alignment"));
    EXPECT_FALSE(plain.contains("DirectionShadow"));
    EXPECT_FALSE(plain.contains("Angle"));
    TGBasePanel fourth;
    auto* back = qobject_cast<TGPLabel*>(ReadObjectList(plain, fourth).value(0));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->DirectionHighlight(), hdUpLeft);
    EXPECT_EQ(back->DirectionShadow(), sdDownRight);
    EXPECT_EQ(back->colorHighlight(), 0xFFFF00);
    EXPECT_EQ(back->colorShadow(), 0x808080);
    EXPECT_TRUE(back->Transparent());
    // A new label says "Text"; its record keeps that. An emptied caption is
    // left out of the record and reads back empty, not as "Text".
    EXPECT_EQ(back->Caption(), QStringLiteral("Text"));
    bare->SetCaption(QString());
    const QByteArray emptied = WriteObjectList({bare});
    EXPECT_FALSE(emptied.contains("Caption"));
    TGBasePanel fifth;
    auto* empty = qobject_cast<TGPLabel*>(ReadObjectList(emptied, fifth).value(0));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Caption(), QString());
    EXPECT_EQ(WriteObjectList({empty}), emptied);
}

TEST(Label, RotatedTextStaysInsideAndRunsUpright)
{
    for (int angle : {90, 180, 270}) {
        TGPLabel label;
        label.Font()->SetSize(16);
        label.SetCaption(QStringLiteral("Rotated"));
        label.SetAngle(angle);
        label.SetBounds(QRect(0, 0, angle == 180 ? 200 : 40, angle == 180 ? 40 : 200));
        label.MarkDirty();
        label.RecalcLayout();
        QImage img(label.Width(), label.Height(), QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            PaintAtOrigin(label, p);
        }
        SaveShot(img, QStringLiteral("objects_label_%1").arg(angle));
        QRect ink;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 128)
                    ink = ink.united(QRect(x, y, 1, 1));
        ASSERT_FALSE(ink.isNull()) << angle;
        if (angle == 180)
            EXPECT_GT(ink.width(), ink.height()) << angle;
        else
            EXPECT_GT(ink.height(), ink.width()) << angle;
    }
}
