// The special-effects text in the window: the tool, the properties dialog
// with its live preview, the texture browser and the symbol selector.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "common/testutil.h"
#include "core/screen.h"
#include "core/tfont.h"
#include "objects/masterrichtextrenderer.h"
#include "objects/objectdialogs.h"
#include "objects/symbolfonts.h"
#include "objects/tbitmap.h"
#include "objects/tghandle.h"
#include "objects/tgsupertext.h"
#include "page/tcalendarpanel32.h"
#include "ui/calendarpagewidget.h"
#include "ui/objects/colorpicker.h"
#include "ui/objects/objectdialoginstall.h"
#include "ui/objects/tsupertextbrushimagebrowser.h"
#include "ui/objects/tsupertextgetsymbol.h"
#include "ui/objects/tsupertextproperties.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

QStringList items(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

template <class F>
void whenModal(F f)
{
    QTimer::singleShot(0, [f] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_TRUE(w);
        f(w);
    });
}

void shot(QWidget& w, const char* name)
{
    w.show();
    QCoreApplication::processEvents();
    test::SaveShot(w.grab().toImage(), QString::fromLatin1(name));
}

// Answers every message box and keeps what was asked.
struct Messages {
    QList<MessageRequest> asked;
    MessageHook old;
    Messages()
    {
        old = SetMessageHook([this](const MessageRequest& r) {
            asked << r;
            return QMessageBox::Ok;
        });
    }
    ~Messages() { SetMessageHook(old); }
};

bool hasWineSymbolFonts()
{
    return QFile::exists(QStringLiteral("/usr/share/wine/fonts/wingding.ttf"));
}

}  // namespace

TEST(SuperTextWindow, ToolCreatesAFramedObjectThatStaysWhenCancelled)
{
    QTemporaryDir folder;
    SetProgramDir(folder.path() + QLatin1Char('/'));
    QObject owner;
    auto* page = new TCalendarPanel32(&owner);
    new MasterRichTextRenderer(&owner);
    CalendarPageWidget widget(page);
    widget.show();
    int opened = 0;
    ObjectDialogs().editSuperText = [&](const TGSuperText& object, TGSuperText&, QString&) {
        ++opened;
        EXPECT_EQ(object.BorderStyle(), bsSingle);
        EXPECT_EQ(page->PanelState(), psPointing);
        return false;  // Cancel
    };
    QSignalSpy dropped(page, &TGBasePanel::DroppedObjectEvent);
    EXPECT_FALSE(page->HasObjectOfClass("TGSuperText"));
    page->SetPanelState(psSuperText);
    QTest::mousePress(&widget, Qt::LeftButton, {}, QPoint(120, 200));
    QTest::mouseMove(&widget, QPoint(121, 200), 20);
    QTest::mouseMove(&widget, QPoint(420, 300), 20);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, QPoint(420, 300), 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(dropped.count(), 1);
    ASSERT_EQ(page->Objects().size(), 1);
    auto* text = qobject_cast<TGSuperText*>(page->Objects().first());
    ASSERT_TRUE(text);
    EXPECT_TRUE(page->HasObjectOfClass("TGSuperText"));
    EXPECT_EQ(text->objectName(), QStringLiteral("Special1"));
    EXPECT_EQ(text->Bounds(), QRect(120, 200, 300, 100));  // framed: the height stays
    EXPECT_EQ(text->Caption(), QStringLiteral("Text"));
    EXPECT_EQ(text->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(text->Font()->Size(), 48);
    EXPECT_TRUE(text->Font()->Bold());
    EXPECT_EQ(text->SurfaceType(), stGradientFill);
    EXPECT_EQ(text->FillDirection(), gdRight);
    EXPECT_EQ(text->GradientFromColor(), 0xFF0000);
    EXPECT_EQ(text->GradientToColor(), 0x00FFFF);
    EXPECT_EQ(text->BorderStyle(), bsSingle);
    EXPECT_FALSE(text->ControlTransparent());
    EXPECT_EQ(text->BGColor(), clWhite);

    page->Handle()->Add(text);
    QCoreApplication::processEvents();
    const QImage view = widget.grab(text->Bounds().adjusted(-20, -20, 20, 20)).toImage();
    test::SaveShot(view, QStringLiteral("supertext_on_page"));
    // The frame and the white inside.
    EXPECT_EQ(view.pixelColor(20, 60), QColor(Qt::black));
    EXPECT_EQ(view.pixelColor(22 + 290, 20 + 95), QColor(Qt::white));

    // At 60 % the frame and the grab squares lie on the shown rectangle,
    // and a click there selects the object alone.
    widget.SetZoom(Zoom::FromPercent(60));
    const QRect shown = text->ViewRect();
    EXPECT_EQ(shown, QRect(72, 120, 180, 60));
    const QImage small = widget.grab(shown.adjusted(-10, -10, 10, 10)).toImage();
    test::SaveShot(small, QStringLiteral("supertext_on_page_60"));
    EXPECT_EQ(small.pixelColor(10, 10 + 30), QColor(Qt::black));
    EXPECT_EQ(small.pixelColor(10 + 120, 10 + 59), QColor(Qt::black));
    EXPECT_EQ(small.pixelColor(10 + 170, 10 + 50), QColor(Qt::white));
    page->Handle()->Clear();
    QTest::mouseClick(&widget, Qt::LeftButton, {}, shown.center());
    EXPECT_TRUE(page->Handle()->Contains(text));
    EXPECT_EQ(text->Bounds(), QRect(120, 200, 300, 100));
    ObjectDialogs() = ObjectDialogHooks();
}

TEST(SuperTextWindow, PropertiesDialogControlsAndLimits)
{
    Messages messages;
    TSuperTextProperties dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("SuperText Properties"));
    EXPECT_EQ(dialog.size(), QSize(582, 423));
    EXPECT_EQ(items(dialog.SurfaceTypeList()), (QStringList{"Normal", "Transparent", "Texture", "Gradient Fill"}));
    EXPECT_EQ(items(dialog.FillDirectionList()), (QStringList{"Up", "Down", "Left", "Right"}));
    EXPECT_EQ(items(dialog.ShadowOrientationList()),
              (QStringList{"None", "Right", "Left", "Down and Right", "Down and Left", "Down"}));
    EXPECT_EQ(items(dialog.OutlineStyleList()),
              (QStringList{"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"}));
    EXPECT_EQ(dialog.ShadowDepthEdit()->maximum(), 10);
    EXPECT_EQ(dialog.OutlineWidthEdit()->maximum(), 10);
    EXPECT_EQ(PaletteColorButton::Palette().size(), 20);
    EXPECT_EQ(PaletteColorButton::Palette().at(4), 12572607);

    TGSuperText* preview = dialog.Preview();
    preview->SetOutlineStyle(psClear);
    preview->SetSurfaceType(stNormal);
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.TextEdit()->text(), QStringLiteral("Text"));
    EXPECT_EQ(dialog.SurfaceTypeList()->currentIndex(), 0);
    EXPECT_TRUE(dialog.NormalPanel()->isVisible());
    EXPECT_FALSE(dialog.GradientPanel()->isVisible());
    shot(dialog, "supertext_properties_normal");

    // Transparent turns a clear outline solid; Gradient shows its panel.
    dialog.SurfaceTypeList()->setCurrentIndex(1);
    Q_EMIT dialog.SurfaceTypeList()->activated(1);
    EXPECT_EQ(preview->SurfaceType(), stBrushTransparent);
    EXPECT_EQ(preview->OutlineStyle(), psSolid);
    EXPECT_EQ(dialog.OutlineStyleList()->currentText(), QStringLiteral("Solid Line"));
    dialog.SurfaceTypeList()->setCurrentIndex(3);
    Q_EMIT dialog.SurfaceTypeList()->activated(3);
    EXPECT_TRUE(dialog.GradientPanel()->isVisible());
    EXPECT_FALSE(dialog.NormalPanel()->isVisible());
    shot(dialog, "supertext_properties_gradient");

    // Texture brings the remembered texture (the default one here) and it
    // comes back after a switch to gradient, which discards it.
    dialog.SurfaceTypeList()->setCurrentIndex(2);
    Q_EMIT dialog.SurfaceTypeList()->activated(2);
    ASSERT_FALSE(preview->Image()->IsEmpty());
    EXPECT_EQ(preview->Image()->Image(), TSuperTextProperties::DefaultTexture().Image());
    EXPECT_TRUE(dialog.TexturePanel()->isVisible());
    shot(dialog, "supertext_properties_texture");
    Q_EMIT dialog.SurfaceTypeList()->activated(3);
    EXPECT_TRUE(preview->Image()->IsEmpty());
    Q_EMIT dialog.SurfaceTypeList()->activated(2);
    EXPECT_FALSE(preview->Image()->IsEmpty());

    // Font size steps of 5 between 10 and 150.
    auto sizeAfter = [&](int start, QToolButton* button) {
        preview->Font()->SetSize(start);
        button->click();
        return preview->Font()->Size();
    };
    EXPECT_EQ(sizeAfter(12, dialog.FontSizeDownButton()), 7);
    EXPECT_EQ(sizeAfter(10, dialog.FontSizeDownButton()), 10);
    EXPECT_EQ(sizeAfter(148, dialog.FontSizeUpButton()), 153);
    EXPECT_EQ(sizeAfter(150, dialog.FontSizeUpButton()), 150);

    // Typing changes the preview's text at once and refits it on the timer.
    preview->Font()->SetSize(48);
    dialog.TextEdit()->selectAll();
    QTest::keyClicks(dialog.TextEdit(), QStringLiteral("A"));
    dialog.RefitTimerTick();
    const int before = preview->Width();
    QTest::keyClicks(dialog.TextEdit(), QStringLiteral(" longer line"));
    EXPECT_EQ(preview->Caption(), QStringLiteral("A longer line"));
    EXPECT_EQ(preview->Width(), before);  // not before the timer
    dialog.RefitTimerTick();
    EXPECT_GT(preview->Width(), before + 200);

    // Ok with no text: a message, and the dialog stays.
    dialog.TextEdit()->clear();
    Q_EMIT dialog.TextEdit()->textEdited(QString());
    dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.first().text, QStringLiteral("Please enter some text"));
    EXPECT_EQ(messages.asked.first().caption, QStringLiteral("Information"));
    EXPECT_EQ(messages.asked.first().icon, QMessageBox::Information);
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(SuperTextWindow, PropertiesOkTakesTheLookBackToTheObject)
{
    InstallObjectDialogs(nullptr);
    TGSuperText text;
    text.SetBounds(QRect(10, 10, 200, 100));
    text.SetLastBitmapFileNameandPath(QStringLiteral("/nowhere/wood.bmp"));
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<TSuperTextProperties*>(w);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->RememberedPath(), QStringLiteral("/nowhere/wood.bmp"));
        EXPECT_EQ(d->SurfaceTypeList()->currentIndex(), int(stGradientFill));
        d->ShadowOrientationList()->setCurrentIndex(5);
        Q_EMIT d->ShadowOrientationList()->activated(5);
        d->ShadowDepthEdit()->setValue(6);
        d->OutlineWidthEdit()->setValue(3);
        d->TextEdit()->selectAll();
        QTest::keyClicks(d->TextEdit(), QStringLiteral("Joy"));
        d->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    text.EditProperties();
    EXPECT_EQ(text.Caption(), QStringLiteral("Joy"));
    EXPECT_EQ(text.ShadowOrientation(), sdDown);
    EXPECT_EQ(text.ShadowDepth(), 6);
    EXPECT_EQ(text.OutlineWidth(), 3);
    EXPECT_EQ(text.LastBitmapFileNameandPath(), QStringLiteral("/nowhere/wood.bmp"));
    ObjectDialogs() = ObjectDialogHooks();
}

TEST(SuperTextWindow, TextureBrowserLoadsTexturesAndReportsBadBitmaps)
{
    Messages messages;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(test::SourcePath(QStringLiteral("data/Textures/Wood.bmp")), dir.filePath("Wood.bmp")));
    QFile bad(dir.filePath(QStringLiteral("Broken.BMP")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BM not really a bitmap");
    bad.close();
    QFile badJpeg(dir.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(badJpeg.open(QIODevice::WriteOnly));
    badJpeg.write("nothing");
    badJpeg.close();
    QFile(dir.filePath(QStringLiteral("notes.txt"))).open(QIODevice::WriteOnly);

    TSuperTextBrushImageBrowser browser;
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Load Texture Image"));
    EXPECT_EQ(browser.size(), QSize(596, 285));
    ASSERT_TRUE(browser.SetFolder(dir.path()));
    QStringList names;
    for (int i = 0; i < browser.FileList()->count(); ++i)
        names << browser.FileList()->item(i)->text();
    EXPECT_EQ(names, (QStringList{"Broken.BMP", "broken.jpg", "Wood.bmp"}));

    EXPECT_TRUE(browser.SelectFile(QStringLiteral("Wood.bmp")));
    EXPECT_EQ(browser.Example()->Image()->Width(), 128);
    EXPECT_EQ(browser.SelectedFile(), dir.filePath(QStringLiteral("Wood.bmp")));
    shot(browser, "supertext_texture_browser");

    EXPECT_TRUE(browser.SelectFile(QStringLiteral("broken.jpg")));
    EXPECT_TRUE(browser.Example()->Image()->IsEmpty());
    EXPECT_TRUE(messages.asked.isEmpty());  // only bitmaps say so
    browser.SelectFile(QStringLiteral("Wood.bmp"));
    EXPECT_TRUE(browser.SelectFile(QStringLiteral("Broken.BMP")));
    EXPECT_TRUE(browser.Example()->Image()->IsEmpty());
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.first().text, QStringLiteral("Error loading file!"));
    EXPECT_EQ(messages.asked.first().icon, QMessageBox::Critical);

    // The properties dialog opens the browser on the remembered file.
    TSuperTextBrushImageBrowser again;
    EXPECT_TRUE(again.OpenOnFile(dir.filePath(QStringLiteral("Wood.bmp"))));
    EXPECT_EQ(again.Folder(), QFileInfo(dir.path()).canonicalFilePath());
    EXPECT_EQ(again.Example()->Image()->Width(), 128);
}

TEST(SuperTextWindow, SymbolSelectorOffersTheSymbolFonts)
{
    if (!hasWineSymbolFonts())
        GTEST_SKIP() << "fonts-wine is not installed";
    TSuperTextGetSymbol selector;
    EXPECT_EQ(selector.windowTitle(), QStringLiteral("Symbol Selector"));
    EXPECT_EQ(selector.size(), QSize(530, 371));
    ASSERT_TRUE(selector.HasFonts());
    EXPECT_EQ(selector.SelectedFont(), QStringLiteral("Wingdings"));
    EXPECT_EQ(selector.FontList()->toolTip(), QStringLiteral("Select a symbol font set"));
    EXPECT_EQ(selector.CharacterList()->columnCount(), 15);
    int characters = 0;
    for (int r = 0; r < selector.CharacterList()->rowCount(); ++r)
        for (int c = 0; c < 15; ++c)
            characters += selector.CharacterList()->item(r, c)->flags() != Qt::NoItemFlags;
    EXPECT_EQ(characters, 224);
    EXPECT_EQ(selector.SelectedCode(), 32);  // the first character
    EXPECT_EQ(selector.CharacterList()->item(0, 1)->text(), QString(QChar(0xF021)));
    selector.SelectCode(0x6E);
    EXPECT_EQ(selector.SelectedCode(), 0x6E);
    shot(selector, "supertext_symbol_selector");

    // Choosing a symbol in the properties dialog sets text and face.
    TSuperTextProperties dialog;
    whenModal([](QWidget* w) {
        auto* s = qobject_cast<TSuperTextGetSymbol*>(w);
        ASSERT_TRUE(s);
        s->SelectFont(QStringLiteral("Webdings"));
        s->SelectCode(0x31);
        s->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    dialog.SelectSymbolButton()->click();
    EXPECT_EQ(dialog.TextEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.Preview()->Caption(), QStringLiteral("1"));
    EXPECT_EQ(dialog.Preview()->Font()->Name(), QStringLiteral("Webdings"));
    EXPECT_EQ(dialog.Preview()->Font()->Charset(), SYMBOL_CHARSET);
    EXPECT_EQ(dialog.TextEdit()->font().family(), QStringLiteral("Webdings"));
}
