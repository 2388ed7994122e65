// The page objects' dialogs: texts, lists, ranges, the live samples and what
// OK and Cancel hand back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "common/testutil.h"
#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "richtext/twprtfstorage.h"
#include "ui/objects/colorpicker.h"
#include "ui/objects/objectdialoginstall.h"
#include "ui/objects/tflatcalendareditor.h"
#include "ui/objects/tgetlabeltext.h"
#include "ui/objects/tgfont3deffects.h"
#include "ui/objects/trichtextlabeleditor.h"

using namespace dayloom;

namespace {

QStringList items(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Runs f on the modal dialog once it is up.
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

}  // namespace

TEST(ObjectDialogs, LabelTextDialogThroughTheHook)
{
    InstallObjectDialogs(nullptr);
    TGPLabel label;
    label.SetBounds(QRect(0, 0, 10, 10));
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<TGetLabelText*>(w);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Text"));
        EXPECT_EQ(d->size(), QSize(356, 133));
        EXPECT_EQ(d->Text(), QStringLiteral("Text"));
        shot(*d, "objects_dialog_labeltext");
        d->Edit()->setText(QStringLiteral("A much longer caption"));
        d->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    label.EditText();
    EXPECT_EQ(label.Caption(), QStringLiteral("A much longer caption"));
    EXPECT_GT(label.Width(), 100);  // fitted to the text
    whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    label.EditText();
    EXPECT_EQ(label.Caption(), QStringLiteral("A much longer caption"));
    ObjectDialogs() = ObjectDialogHooks();
}

TEST(ObjectDialogs, ThreeDEffectsListsAndSample)
{
    TGPLabel label;
    label.SetDepthShadow(12);  // from a document: no list entry
    label.SetDirectionShadow(sdLeft);
    label.SetDepthHighlight(3);
    label.SetcolorShadow(0x0000FF);
    TGFont3DEffects d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Text 3D Effects"));
    EXPECT_EQ(items(d.ShadowDirection()),
              QStringList({"None", "Right", "Left", "Lower Right", "Lower Left", "Down"}));
    EXPECT_EQ(items(d.HighlightDirection()),
              QStringList({"None", "Right", "Left", "Upper Right", "Upper Left", "Up"}));
    EXPECT_EQ(d.ShadowDepth()->count(), 11);
    EXPECT_EQ(d.ShadowDepth()->itemText(10), QStringLiteral("10"));
    d.TakeFrom(label);
    EXPECT_EQ(d.ShadowDepth()->currentIndex(), -1);
    EXPECT_EQ(d.HighlightDepth()->currentIndex(), 3);
    EXPECT_EQ(d.ShadowDirection()->currentIndex(), int(sdLeft));
    EXPECT_EQ(d.ShadowColor()->Color(), 0x0000FF);
    EXPECT_EQ(d.Sample()->DepthShadow(), 12);
    d.HighlightDirection()->setCurrentIndex(int(hdUp));
    EXPECT_EQ(d.Sample()->DirectionHighlight(), hdUp);  // the sample follows at once
    d.ShadowDepth()->setCurrentIndex(5);
    EXPECT_EQ(d.Sample()->DepthShadow(), 5);
    EXPECT_EQ(label.DepthShadow(), 12);  // the label only on OK
    shot(d, "objects_dialog_3deffects");
    d.CopyTo(label);
    EXPECT_EQ(label.DepthShadow(), 5);
    EXPECT_EQ(label.DirectionHighlight(), hdUp);
}

TEST(ObjectDialogs, FlatCalendarEditorControlsWriteTheSample)
{
    TFlatCalendarEditor d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Floating Calendar Properties"));
    EXPECT_EQ(d.YearSpinner()->minimum(), 1950);
    EXPECT_EQ(d.YearSpinner()->maximum(), 2500);
    EXPECT_EQ(d.DepthSpinner()->maximum(), 10);
    EXPECT_EQ(d.MonthCombo()->count(), 12);
    EXPECT_EQ(items(d.LanguageCombo()), QStringList({"English", "Deutsch", QStringLiteral("Fran\u00e7ais"),
                                                      "L'italiano", QStringLiteral("Espa\u00f1ol")}));
    EXPECT_EQ(items(d.CalendarBorderCombo()), QStringList({"None", "All", "Top", "Bottom", "Top & Bottom"}));
    EXPECT_EQ(items(d.OrientationCombo()), QStringList({"Lower Right", "Lower Left", "UpperRight", "UpperLeft"}));
    EXPECT_EQ(items(d.HeaderStyleCombo()),
              QStringList({"First Character", "First Three Characters", "Whole Word"}));
    EXPECT_EQ(PaletteColorButton::Palette().size(), 20);
    EXPECT_EQ(PaletteColorButton::Palette().at(4), 0xBFD7BF);

    d.Sample()->SetMonth(3);
    d.Sample()->SetYear(2030);
    d.Sample()->SetStartOfWeek(2);
    d.Sample()->SetShadowDepth(4);
    d.FillFromSample();
    EXPECT_EQ(d.MonthCombo()->currentIndex(), 2);
    EXPECT_EQ(d.YearSpinner()->value(), 2030);
    EXPECT_TRUE(d.MondayRadio()->isChecked());
    d.LanguageCombo()->setCurrentIndex(3);
    d.CellBorderCombo()->setCurrentIndex(1);
    d.DepthSpinner()->setValue(7);
    d.TransparentCheck()->setChecked(true);
    d.SundayRadio()->click();
    EXPECT_EQ(d.Sample()->Language(), fclItalian);
    EXPECT_EQ(d.Sample()->CellBorderStyle(), fcbAll);
    EXPECT_EQ(d.Sample()->ShadowDepth(), 7);
    EXPECT_TRUE(d.Sample()->CalTransparent());
    EXPECT_EQ(d.Sample()->StartOfWeek(), 1);
    d.TransparentCheck()->setChecked(false);
    shot(d, "objects_dialog_flatcalendar");

    // the properties command: values back on OK, not the size; nothing on Cancel
    InstallObjectDialogs(nullptr);
    TGFlatCalendar c;
    c.SetBounds(QRect(0, 0, 180, 150));
    whenModal([](QWidget* w) {
        auto* e = qobject_cast<TFlatCalendarEditor*>(w);
        ASSERT_TRUE(e);
        e->DepthSpinner()->setValue(9);
        e->reject();
    });
    c.ShowProperties();
    EXPECT_EQ(c.ShadowDepth(), 0);
    whenModal([](QWidget* w) {
        auto* e = qobject_cast<TFlatCalendarEditor*>(w);
        e->DepthSpinner()->setValue(9);
        e->HeaderStyleCombo()->setCurrentIndex(2);
        e->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    c.ShowProperties();
    EXPECT_EQ(c.ShadowDepth(), 9);
    EXPECT_EQ(c.DayNameStyle(), fdsWhole);
    EXPECT_EQ(c.Bounds().size(), QSize(180, 150));
    ObjectDialogs() = ObjectDialogHooks();
}

TEST(ObjectDialogs, RichTextEditorZoomButtonsAndPanel)
{
    TRichTextLabelEditor d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Rich Text Editor"));
    EXPECT_EQ(d.ZoomInButton()->toolTip(), QStringLiteral("Zoom In"));
    EXPECT_EQ(d.ZoomOutButton()->toolTip(), QStringLiteral("Zoom Out"));
    TWPRtfStorage text;
    text.SetRtfText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Edit {\\b me}\\par}");
    d.SetText(text);
    d.SetPanelSize(QSize(191, 61));
    d.SetPageWidthTwips(2850);
    d.show();
    QCoreApplication::processEvents();
    shot(d, "objects_dialog_richtext");
    EXPECT_EQ(d.PanelSize(), QSize(191, 61));
    d.ZoomInButton()->click();
    EXPECT_EQ(d.Zoom(), 100);  // at 100: nothing
    for (int i = 0; i < 6; ++i)
        d.ZoomOutButton()->click();
    EXPECT_EQ(d.Zoom(), 50);
    EXPECT_EQ(d.PanelSize(), QSize(96, 30));  // 95.5 -> 96, 30.5 -> 30 (halves to even)
    d.ZoomInButton()->click();
    EXPECT_EQ(d.Zoom(), 60);
    EXPECT_EQ(d.PanelSize(), QSize(115, 37));
    TWPRtfStorage back;
    d.TakeText(back);
    EXPECT_TRUE(back.Document().toPlainText().contains(QStringLiteral("Edit me")));
}
