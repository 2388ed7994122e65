// The rich-text label editor's zoom: the text is shown at the zoom, the tool
// bar and the stored text keep the real sizes.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "common/testutil.h"
#include "core/tcolor.h"
#include "objects/objectdialogs.h"
#include "objects/tgprichbaselabel.h"
#include "richtext/twprtfstorage.h"
#include "ui/objects/objectdialoginstall.h"
#include "ui/objects/trichtextlabeleditor.h"
#include "ui/richtexttoolbar.h"

using namespace dayloom;

namespace {

const QByteArray kRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
    "{\\colortbl;\\red200\\green0\\blue0;}"
    "\\li360\\sb120\\f0\\fs48 Zoom {\\b\\cf1 me}\\par"
    "\\pard\\qc\\f1\\fs17 half points {\\i here}\\par}";

// Height of the rows holding dark pixels in the editor's picture.
int InkHeight(QTextEdit* editor)
{
    const QImage img = editor->viewport()->grab().toImage();
    int top = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 100) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

qreal FirstSize(QTextEdit* editor)
{
    return editor->document()->begin().begin().fragment().charFormat().fontPointSize();
}

struct Editor {
    TRichTextLabelEditor d;
    explicit Editor(const QByteArray& rtf)
    {
        TWPRtfStorage text;
        text.SetRtfText(rtf);
        d.SetText(text);
        d.SetPanelSize(QSize(301, 121));
        d.SetPageWidthTwips(4500);
        d.show();
        QCoreApplication::processEvents();
    }
    QByteArray Taken() const
    {
        TWPRtfStorage back;
        d.TakeText(back);
        return back.RtfText();
    }
};

TEST(RichLabelEditor, TextFollowsTheZoomAndIsStoredUnscaled)
{
    TWPRtfStorage original;
    original.SetRtfText(kRtf);
    const QByteArray stored = original.RtfText();
    Editor e(kRtf);
    QTextEdit* editor = e.d.Editor();
    const int inkAt100 = InkHeight(editor);
    const qreal docHeightAt100 = editor->document()->size().height();
    ASSERT_GT(inkAt100, 20);
    EXPECT_EQ(FirstSize(editor), 24);

    for (int i = 0; i < 5; ++i)
        e.d.ZoomOutButton()->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(e.d.Zoom(), 50);
    test::SaveShot(e.d.grab().toImage(), QStringLiteral("ui_richlabeleditor_50"));
    EXPECT_EQ(FirstSize(editor), 12);
    // Lines break at the same words: the page width scaled along.
    EXPECT_NEAR(editor->document()->size().height(), docHeightAt100 / 2, 3);
    EXPECT_NEAR(InkHeight(editor), inkAt100 / 2.0, 3);
    EXPECT_EQ(editor->document()->begin().blockFormat().leftMargin(), 12);  // 360 twips = 24 px
    // The zoom is no edit: nothing to undo back to the other size.
    editor->undo();
    EXPECT_EQ(FirstSize(editor), 12);
    // Taken at 50 %: what the label stores, and the editor stays at 50 %.
    EXPECT_EQ(e.Taken(), stored);
    EXPECT_EQ(FirstSize(editor), 12);

    // The tool bar shows and sets stored sizes.
    QTextCursor c = editor->textCursor();
    c.setPosition(1);
    editor->setTextCursor(c);
    EXPECT_EQ(e.d.ToolBar()->FontSizeList()->currentText(), QStringLiteral("24"));

    // Through every step back up to 100, then the same bytes.
    for (int i = 0; i < 5; ++i)
        e.d.ZoomInButton()->click();
    ASSERT_EQ(e.d.Zoom(), 100);
    EXPECT_EQ(FirstSize(editor), 24);
    EXPECT_EQ(InkHeight(editor), inkAt100);
    EXPECT_EQ(e.Taken(), stored);
}

TEST(RichLabelEditor, SizeChosenAtAZoomIsStoredAsChosen)
{
    Editor e(kRtf);
    QTextEdit* editor = e.d.Editor();
    for (int i = 0; i < 3; ++i)
        e.d.ZoomOutButton()->click();
    ASSERT_EQ(e.d.Zoom(), 70);
    QTextCursor c = editor->textCursor();
    c.setPosition(0);
    c.setPosition(4, QTextCursor::KeepAnchor);  // "Zoom"
    editor->setTextCursor(c);
    QComboBox* sizes = e.d.ToolBar()->FontSizeList();
    const int at = sizes->findText(QStringLiteral("20"));
    ASSERT_GE(at, 0);
    sizes->setCurrentIndex(at);
    Q_EMIT sizes->textActivated(QStringLiteral("20"));
    EXPECT_NEAR(FirstSize(editor), 14, 1e-9);  // 20 points shown at 70 %
    const QByteArray taken = e.Taken();
    EXPECT_TRUE(taken.contains("\\fs40 Zoom")) << taken.constData();
    EXPECT_TRUE(taken.contains("\\fs48")) << taken.constData();  // the rest as it was
}

TEST(RichLabelEditor, LabelTextUnchangedAfterZoomingAndOk)
{
    InstallObjectDialogs(nullptr);
    TGPRichBaseLabel label;
    label.SetBounds(QRect(0, 0, 300, 120));
    TWPRtfStorage text;
    text.SetRtfText(kRtf);
    label.SetRTFText(text);
    const QByteArray before = label.RTFText().RtfText();
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<TRichTextLabelEditor*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        for (int i = 0; i < 5; ++i)
            d->ZoomOutButton()->click();
        EXPECT_EQ(d->Zoom(), 50);
        d->ZoomInButton()->click();
        d->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    label.EditRichText();
    EXPECT_EQ(label.RTFText().RtfText(), before);
    ObjectDialogs() = ObjectDialogHooks();
}

TEST(RichLabelEditor, ToolBarFormatsWhileTypingAndWithASelection)
{
    InstallObjectDialogs(nullptr);
    TGPRichBaseLabel label;
    label.SetBounds(QRect(0, 0, 300, 120));
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TRichTextLabelEditor*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        ran = true;
        QTimer::singleShot(3000, d, &QDialog::reject);  // never left open
        RichTextToolBar* bar = d->ToolBar();
        QTextEdit* editor = d->Editor();
        using C = RichTextCommand;
        EXPECT_TRUE(bar->isEnabled());
        ASSERT_NE(bar->Button(C::Normal), nullptr);
        ASSERT_NE(bar->Button(C::Justify), nullptr);
        EXPECT_EQ(bar->Button(C::SelectAll), nullptr);
        EXPECT_EQ(bar->Buttons().size(), 11);

        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        // Typing, then "world" selected: the keys and the lists act on it.
        QTest::keyClicks(editor, QStringLiteral("Hello world"));
        EXPECT_TRUE(bar->isEnabled());
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
        ASSERT_EQ(editor->textCursor().selectedText(), QStringLiteral("world"));
        EXPECT_TRUE(bar->isEnabled());
        QTest::keyClick(editor, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_I, Qt::ControlModifier);
        EXPECT_TRUE(bar->Button(C::Bold)->isChecked());
        EXPECT_TRUE(bar->Button(C::Italic)->isChecked());
        QTest::keyClick(editor, Qt::Key_B, Qt::ControlModifier);  // again: off
        EXPECT_FALSE(bar->Button(C::Bold)->isChecked());
        QTest::keyClick(editor, Qt::Key_B, Qt::ControlModifier);
        EXPECT_TRUE(bar->Button(C::Bold)->isChecked());
        const int red = bar->FontColorList()->findData(int(clRed));
        ASSERT_GE(red, 0);
        bar->FontColorList()->setCurrentIndex(red);
        Q_EMIT bar->FontColorList()->activated(red);
        EXPECT_EQ(editor->textCursor().selectedText(), QStringLiteral("world"));

        // Copy, and paste at the end after a blank.
        bar->Button(C::Copy)->click();
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Space);
        bar->Button(C::Paste)->click();
        EXPECT_EQ(editor->toPlainText(), QStringLiteral("Hello world world"));

        // "Hello": bold by its button, then plain again by "normal".
        QTest::keyClick(editor, Qt::Key_Home);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
        bar->Button(C::Bold)->click();
        EXPECT_TRUE(bar->Button(C::Bold)->isChecked());
        bar->Button(C::Underline)->click();
        bar->Button(C::Normal)->click();
        EXPECT_FALSE(bar->Button(C::Bold)->isChecked());
        EXPECT_FALSE(bar->Button(C::Underline)->isChecked());
        bar->Button(C::Justify)->click();
        EXPECT_TRUE(bar->Button(C::Justify)->isChecked());
        EXPECT_FALSE(bar->Button(C::Left)->isChecked());
        EXPECT_TRUE(editor->hasFocus());
        test::SaveShot(d->grab().toImage(), QStringLiteral("ui_richlabeleditor_toolbar"));
        d->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    label.EditRichText();
    ObjectDialogs() = ObjectDialogHooks();
    ASSERT_TRUE(ran);

    // What the label keeps, read back from its stored RTF.
    TWPRtfStorage stored;
    stored.SetRtfText(label.RTFText().RtfText());
    const QTextBlock block = stored.Document().begin();
    EXPECT_EQ(block.text(), QStringLiteral("Hello world world"));
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    std::unique_ptr<QTextDocument> doc(stored.Document().clone());
    auto formatAt = [&](int position) {
        QTextCursor c(doc.get());
        c.setPosition(position + 1);
        return c.charFormat();
    };
    for (int at : {2, 8, 14}) {
        const QTextCharFormat f = formatAt(at);
        const bool world = at > 5;
        EXPECT_EQ(f.fontWeight() >= QFont::Bold, world) << at;
        EXPECT_EQ(f.fontItalic(), world) << at;
        EXPECT_FALSE(f.fontUnderline()) << at;
        EXPECT_EQ(f.foreground().color() == QColor(Qt::red), world) << at;
    }
}

}  // namespace
