// The object clipboard, clone, z-order and alignment commands and the
// change notification rules of the container.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>

#include "core/screen.h"
#include "core/tfont.h"
#include "objects/masterrichtextrenderer.h"
#include "objects/tgflatcalendar.h"
#include "objects/tghandle.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objecttestutil.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

// The record of an object without its header (class and name).
QByteArray body(const TGGraphicControl* o)
{
    QByteArray bytes;
    ValueWriter w(&bytes);
    w.SetRegistry(&ObjectRegistry());
    w.WriteProperties(o);
    w.Flush();
    return bytes;
}

struct Page {
    QObject owner;
    TGBasePanel* panel = new TGBasePanel(&owner);
    TGPLabel* label = new TGPLabel;
    TGPRichBaseLabel* rich = new TGPRichBaseLabel;
    TGFlatCalendar* calendar = new TGFlatCalendar;
    Page()
    {
        new MasterRichTextRenderer(&owner);
        QFile::remove(panel->ClipboardPath());
        for (TGGraphicControl* o : QList<TGGraphicControl*>{label, rich, calendar})
            panel->AddObject(o);
        label->setObjectName(QStringLiteral("Special1"));
        rich->setObjectName(QStringLiteral("Special2"));
        calendar->setObjectName(QStringLiteral("Special3"));
        label->SetBounds(QRect(10, 10, 150, 40));
        label->SetCaption(QStringLiteral("Copy me"));
        label->SetDepthShadow(3);
        label->SetAngle(90);
        label->Font()->SetSize(16);
        rich->SetBounds(QRect(200, 20, 190, 60));
        TWPRtfStorage text;
        text.SetRtfText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Rich {\\i text}\\par}");
        rich->SetRTFText(text);
        rich->SetTransparent(false);
        calendar->SetBounds(QRect(40, 200, 160, 140));
        calendar->SetShadowDepth(4);
        calendar->SetLanguage(fclSpanish);
        calendar->SetMonth(11);
        calendar->SetYear(2031);
    }
};

}  // namespace

TEST(ObjectClipboard, CopyPasteReproducesEveryProperty)
{
    Page page;
    page.panel->SelectAll();
    page.panel->CopySelection();
    ASSERT_TRUE(QFile::exists(page.panel->ClipboardPath()));
    EXPECT_EQ(page.panel->ClipboardPath(), ProgramDir() + QStringLiteral("Clipbrd.tmp"));
    QSignalSpy changed(page.panel, &TGBasePanel::LabelChangedEvent);
    page.panel->Paste(5000);
    page.panel->Paste(5999);  // within a second: ignored
    ASSERT_EQ(page.panel->Objects().size(), 6);
    EXPECT_EQ(changed.count(), 1);
    const QList<TGGraphicControl*> all = page.panel->Objects();
    EXPECT_EQ(all[3]->objectName(), QStringLiteral("Component0"));
    EXPECT_EQ(all[4]->objectName(), QStringLiteral("Component1"));
    EXPECT_EQ(all[5]->objectName(), QStringLiteral("Component2"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(all[i + 3]->metaObject()->className(), all[i]->metaObject()->className());
        EXPECT_EQ(body(all[i + 3]), body(all[i])) << i;
    }
    page.panel->Paste(7000);  // a second later it runs again
    EXPECT_EQ(page.panel->Objects().size(), 9);
}

TEST(ObjectClipboard, MixedObjectListSavesReopensAndSavesAgainIdentically)
{
    Page page;
    page.label->SetUnselectable(true);
    page.calendar->SetLocked(true);
    page.rich->SetHint(QStringLiteral("a hint"));
    const QByteArray first = WriteObjectList(page.panel->Objects());
    QObject owner;
    new MasterRichTextRenderer(&owner);
    auto* other = new TGBasePanel(&owner);
    const QList<TGGraphicControl*> read = ReadObjectList(first, *other);
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(WriteObjectList(read), first);
    EXPECT_TRUE(read[0]->Unselectable());
    EXPECT_TRUE(read[2]->Locked());
    EXPECT_EQ(read[1]->Hint(), QStringLiteral("a hint"));
}

TEST(ObjectClipboard, DamagedClipboardFilePastesWhatCameBeforeTheDamage)
{
    Page page;
    page.panel->SelectAll();
    page.panel->CopySelection();
    QFile file(page.panel->ClipboardPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    // every cut of the file: no crash, whole records only
    qint64 now = 0;
    for (qsizetype cut = 0; cut < whole.size(); cut += 7) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(whole.left(cut));
        file.close();
        const qsizetype before = page.panel->Objects().size();
        page.panel->Paste(now += 2000);
        EXPECT_LE(page.panel->Objects().size() - before, 3);
    }
    QByteArray noise = whole;
    for (qsizetype i = 20; i < noise.size(); i += 13)
        noise[i] = char(0xFF);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(noise);
    file.close();
    page.panel->Paste(now += 2000);
    SUCCEED();
}

TEST(ObjectClipboard, CutDeleteAndObjectMenuScope)
{
    Page page;
    page.panel->Handle()->Add(page.label);
    // the menu of an object outside the selection acts on that object alone
    page.panel->CopyObject(page.calendar);
    page.panel->DeleteObjectCommand(page.calendar);
    EXPECT_EQ(page.panel->Objects().size(), 2);
    EXPECT_EQ(page.panel->Handle()->Count(), 1);
    page.panel->Paste(0);
    ASSERT_EQ(page.panel->Objects().size(), 3);
    EXPECT_TRUE(qobject_cast<TGFlatCalendar*>(page.panel->Objects().last()));
    page.panel->CutSelection();
    EXPECT_EQ(page.panel->Objects().size(), 2);
    EXPECT_EQ(page.panel->Handle()->Count(), 0);
    EXPECT_FALSE(page.panel->Handle()->Visible());
}

TEST(ObjectClipboard, CloneIsLowerInFrontAndSelectedInstead)
{
    Page page;
    page.panel->Handle()->Add(page.label);
    TGGraphicControl* clone = page.panel->Clone(page.label);
    ASSERT_TRUE(clone);
    EXPECT_EQ(page.panel->Objects().last(), clone);
    EXPECT_EQ(clone->Bounds(), page.label->Bounds().translated(0, 25));
    EXPECT_TRUE(clone->Selected());
    EXPECT_FALSE(page.label->Selected());
    EXPECT_EQ(clone->objectName(), QStringLiteral("Component0"));
    clone->SetTop(page.label->Top());
    EXPECT_EQ(body(clone), body(page.label));
    TGGraphicControl* rich = page.panel->Clone(page.rich);
    ASSERT_TRUE(rich);
    rich->SetTop(page.rich->Top());
    EXPECT_EQ(body(rich), body(page.rich));
    EXPECT_FALSE(rich->Selected());
}

TEST(ObjectContainer, ZoomAndNotifications)
{
    Page page;
    page.label->SetAngle(0);
    page.label->SetBounds(QRect(11, 10, 151, 41));
    QSignalSpy changed(page.panel, &TGBasePanel::LabelChangedEvent);
    page.panel->SetView(At(1.0f));
    EXPECT_EQ(changed.count(), 0);
    page.panel->SetView(At(0.5f));
    EXPECT_EQ(changed.count(), 0);  // a view is no change
    page.panel->SetView(At(1.0f));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(page.label->Bounds(), QRect(11, 10, 151, 41));
    page.panel->SetLoadingDocument(true);
    page.label->SetCaption(QStringLiteral("quiet"));
    EXPECT_EQ(changed.count(), 0);
    page.panel->SetLoadingDocument(false);
    page.label->SetCaption(QStringLiteral("loud"));
    EXPECT_EQ(changed.count(), 1);
}

TEST(ObjectContainer, MenuCommandsAndStates)
{
    Page page;
    MenuEntryList menu = page.panel->ContainerMenu();
    EXPECT_EQ(MenuCaptions(menu),
              QStringList({"Bring To Front", "Send To Back", "-", "Cut", "Copy", "Paste", "-", "Delete", "-",
                           "Align Left", "Align Right", "Align Tops", "Align Bottoms", "-", "Center Vertically",
                           "Center Horizontally", "-", "Lock All", "Unlock All", "-", "Mark All Selectable",
                           "Mark All Unselectable", "Select All", "-", "Font"}));
    EXPECT_FALSE(FindMenuItem(menu, QStringLiteral("Copy"))->enabled);
    EXPECT_FALSE(FindMenuItem(menu, QStringLiteral("Paste"))->enabled);
    EXPECT_TRUE(FindMenuItem(menu, QStringLiteral("Select All"))->enabled);
    page.label->SetUnselectable(true);
    FindMenuItem(menu, QStringLiteral("Select All"))->action();
    EXPECT_EQ(page.panel->Handle()->Count(), 2);  // skips the unselectable label
    FindMenuItem(menu, QStringLiteral("Mark All Selectable"))->action();
    page.panel->SelectAll();
    page.panel->AlignLefts();
    EXPECT_EQ(page.rich->Left(), 10);
    EXPECT_EQ(page.calendar->Left(), 10);
    page.panel->AlignBottoms();
    // the bottoms line up as shown (the turned label's height follows its text)
    const QRect shown = page.label->ViewRect();
    EXPECT_EQ(shown.top() + shown.height(), 340);
    EXPECT_EQ(page.calendar->Top() + page.calendar->Height(), 340);
    menu = page.panel->ContainerMenu();
    EXPECT_TRUE(FindMenuItem(menu, QStringLiteral("Font"))->enabled);
    page.panel->SendToBack();
    EXPECT_EQ(page.panel->Handle()->Count(), 0);  // send to back empties the selection

    const MenuEntryList labelMenu = page.label->PopupMenu();
    const QStringList captions = MenuCaptions(labelMenu);
    EXPECT_EQ(captions.mid(0, 12),
              QStringList({"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone", "-", "Locked",
                           "Unselectable", "-", "Center Vertically", "Center Horizontally"}));
    EXPECT_EQ(captions.mid(12), QStringList({"-", "Font", "3D Effects", "Alignment", "Transparent",
                                             "Background Color", "Border", "-", "Text", "-", "Rotation"}));
    EXPECT_TRUE(FindMenuItem(labelMenu, QStringLiteral("90 Degrees"))->checked);
    EXPECT_TRUE(FindMenuItem(labelMenu, QStringLiteral("Transparent"))->checked);
    EXPECT_EQ(FindMenuItem(labelMenu, QStringLiteral("Text"))->tag, 1000);
    EXPECT_EQ(MenuCaptions(page.rich->PopupMenu()).mid(12),
              QStringList({"-", "Transparent", "Background Color", "Border", "Edit"}));
    EXPECT_EQ(MenuCaptions(page.calendar->PopupMenu()).mid(12), QStringList({"-", "Properties"}));
}

TEST(ObjectContainer, KeepOnPageOperations)
{
    struct Sized : TGBasePanel {
        void Resize(QSize s) { SetSize(s); }
    };
    Sized page;
    page.Resize(QSize(600, 800));
    auto* far = new TGPLabel;
    page.AddObject(far);
    far->SetBounds(QRect(700, 900, 40, 33));
    page.KeepObjectsOnPage();
    EXPECT_EQ(far->Bounds().topLeft(), QPoint(580, 790));
    auto* gone = new TGPLabel;
    page.AddObject(gone);
    gone->SetBounds(QRect(595, 10, 40, 33));
    page.RemoveObjectsOffPage();
    EXPECT_EQ(page.Objects(), QList<TGGraphicControl*>{far});
}
