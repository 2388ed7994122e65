// The rich-text label: the shared renderer, the zoom-independent layout page
// and the RTFText.Data record.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "objects/enomasterwprich.h"
#include "objects/masterrichtextrenderer.h"
#include "objects/tgprichbaselabel.h"
#include "objecttestutil.h"
#include "richtext/twprtfstorage.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

const QByteArray kRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                        "\\f0\\fs28 Hello {\\b\\cf1 bold} world\\par}";

}  // namespace

TEST(RichLabel, SetupNeedsTheSharedRenderer)
{
    QObject owner;
    auto* panel = new TGBasePanel(&owner);
    auto* label = new TGPRichBaseLabel(panel);
    try {
        label->Setup();
        FAIL() << "set up without a renderer";
    } catch (const ENoMasterWPRich& e) {
        EXPECT_STREQ(e.what(), "No master rich text object found");
    }
    auto* master = new MasterRichTextRenderer(&owner);
    master->setObjectName(QStringLiteral("MasterWPRichText"));  // case is ignored
    EXPECT_NO_THROW(label->Setup());
    EXPECT_EQ(label->Master(), master);
}

TEST(RichLabel, LayoutPageStaysTheSameAtEveryZoom)
{
    QObject owner;
    new MasterRichTextRenderer(&owner);
    auto* panel = new TGBasePanel(&owner);
    auto* label = new TGPRichBaseLabel;
    panel->AddObject(label);
    label->SetBounds(QRect(10, 10, 190, 60));
    EXPECT_EQ(label->PageWidthTwips(), 2850);
    EXPECT_EQ(label->ZoomPercent(), 100);
    panel->SetView(test::At(2.0f));
    EXPECT_EQ(label->ViewRect().width(), 380);
    EXPECT_EQ(label->PageWidthTwips(), 2850);
    EXPECT_EQ(label->ZoomPercent(), 200);
}

TEST(RichLabel, PaintsTextFillAndFrame)
{
    QObject owner;
    new MasterRichTextRenderer(&owner);
    auto* panel = new TGBasePanel(&owner);
    auto* label = new TGPRichBaseLabel;
    panel->AddObject(label);
    label->SetBounds(QRect(0, 0, 190, 40));
    TWPRtfStorage text;
    text.SetRtfText(kRtf);
    label->SetRTFText(text);
    QImage img(190, 40, QImage::Format_RGB32);
    img.fill(0xFF00FF);
    {
        QPainter p(&img);
        test::PaintAtOrigin(*label, p);
    }
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0x000000u);     // bsSingle by default
    EXPECT_EQ(img.pixel(180, 35) & 0xFFFFFF, 0xFF00FFu);  // transparent: the page shows
    label->SetTransparent(false);
    label->SetBGColor(0xFFFF00);
    {
        QPainter p(&img);
        test::PaintAtOrigin(*label, p);
    }
    SaveShot(img, QStringLiteral("objects_richlabel"));
    EXPECT_EQ(img.pixel(180, 35) & 0xFFFFFF, 0x00FFFFu);
    int red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 190; ++x)
            red += qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) < 80 && qBlue(img.pixel(x, y)) < 80;
    EXPECT_GT(red, 5);  // the red bold word
}

TEST(RichLabel, RecordHoldsTheTextAsData)
{
    TGBasePanel panel;
    auto* empty = new TGPRichBaseLabel;
    panel.AddObject(empty);
    const QByteArray plain = WriteObjectList({empty});
    EXPECT_FALSE(plain.contains("RTFText.Data"));
    EXPECT_TRUE(plain.contains("bsSingle"));
    TGBasePanel back1;
    auto* e2 = qobject_cast<TGPRichBaseLabel*>(ReadObjectList(plain, back1).value(0));
    ASSERT_TRUE(e2);
    EXPECT_TRUE(e2->RTFText().IsEmpty());

    auto* full = new TGPRichBaseLabel;
    panel.AddObject(full);
    TWPRtfStorage text;
    text.SetRtfText(kRtf);
    full->SetRTFText(text);
    full->SetTransparent(false);
    full->SetBGColor(0x9F9F9F);
    full->SetBorderStyle(bsNone);
    const QByteArray first = WriteObjectList({full});
    const qsizetype at = first.indexOf("RTFText.Data");
    ASSERT_GT(at, 0);
    EXPECT_LT(at, first.indexOf("BorderStyle"));  // first in stream order
    TGBasePanel back2;
    const QList<TGGraphicControl*> read = ReadObjectList(first, back2);
    ASSERT_EQ(read.size(), 1);
    auto* copy = qobject_cast<TGPRichBaseLabel*>(read.first());
    EXPECT_EQ(copy->RTFText().RtfText(), full->RTFText().RtfText());
    EXPECT_EQ(WriteObjectList(read), first);
}
