#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/testutil.h"
#include "core/screen.h"
#include "iconwriter.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "stream/inifile.h"
#include "ui/calendarpagewidget.h"
#include "ui/celltexteditor.h"
#include "ui/iconlistbox.h"
#include "stream/preferences.h"
#include "ui/tcalendarmain.h"
#include "ui/tfloatingpalette.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

// A library of `count` icons, each a square of its own colour.
QByteArray Library(int count)
{
    QList<iconwriter::IconGroup> groups;
    for (int i = 0; i < count; ++i) {
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        for (int y = 4; y < 28; ++y)
            for (int x = 4; x < 28; ++x)
                img.setPixel(x, y, qRgb(12 * i, 255 - 12 * i, 100));
        groups << iconwriter::IconGroup{"ICON" + QByteArray::number(i),
                                        {iconwriter::EncodeImage(img, 32)}};
    }
    return iconwriter::WriteNeLibrary(groups, "TEST", "test");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList Checked(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (a->isChecked())
            out << a->text();
        if (a->menu())
            out << Checked(a->menu());
    }
    return out;
}

QAction* Item(const QMenu* menu, const QString& caption)
{
    for (QAction* a : menu->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

class IconPaletteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        SetScreenPPI(96);
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        SetMessageHook(m_oldHook);
        IconListBoxBase::SetDragRunner({});
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    static QString shipped(const QString& name)
    {
        return QFileInfo(test::SourcePath(QStringLiteral("data/") + name)).canonicalFilePath();
    }
    static QString fileOf(const TFloatingPalette& p)
    {
        return QFileInfo(p.IconListBox()->FileName()).canonicalFilePath();
    }

    QTemporaryDir m_dir;
    MessageHook m_oldHook;
    QStringList m_messages;
};

}  // namespace

TEST_F(IconPaletteTest, StartsWithActivitiesAndTheSortedBonusSets)
{
    // The user's own bonus sets beside the shipped ones; names are cut at
    // their first "." and sorted.
    WriteFile(path(QStringLiteral("BonusIcons/Zoo.icl")), Library(2));
    WriteFile(path(QStringLiteral("BonusIcons/Autumn.icl")), Library(3));
    WriteFile(path(QStringLiteral("BonusIcons/readme.txt")), "not a library");
    TFloatingPalette palette;
    EXPECT_EQ(palette.windowTitle(), QStringLiteral("Icons"));
    EXPECT_TRUE(palette.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(palette.windowFlags() & Qt::WindowCloseButtonHint);
    QStringList captions;
    for (const QAction* a : palette.FileMenu()->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Activities"), QStringLiteral("Events"),
                                     QStringLiteral("Holidays"), QStringLiteral("Miscellaneous #1"),
                                     QStringLiteral("Miscellaneous #2"),
                                     QStringLiteral("Bonus Icon Sets"), QStringLiteral("Other...")}));
    EXPECT_EQ(palette.BonusSetNames(),
              (QStringList{QStringLiteral("Autumn"), QStringLiteral("Day Numbers"),
                           QStringLiteral("Weather"), QStringLiteral("Zoo")}));
    ASSERT_NE(palette.BonusItem()->menu(), nullptr);
    EXPECT_TRUE(Checked(palette.FileMenu()).isEmpty());

    TIconListBox* box = palette.IconListBox();
    EXPECT_EQ(fileOf(palette), shipped(QStringLiteral("activity.icl")));
    EXPECT_EQ(box->NumberOfIcons(), 24);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->XIcons(), 3);
    EXPECT_EQ(box->YIcons(), 3);
    EXPECT_EQ(box->currentRow(), 0);
    // Three icons down in each column, the fourth starting the next column.
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    EXPECT_GE(palette.width(), 140);
    EXPECT_LE(box->visualItemRect(box->item(2)).bottom(), box->viewport()->height());
    EXPECT_EQ(box->visualItemRect(box->item(3)).top(), 0);
    EXPECT_GT(box->visualItemRect(box->item(3)).left(), 30);

    EXPECT_EQ(TFloatingPalette::BonusCaption(QStringLiteral("Long.name.icl")), QStringLiteral("Long"));
    EXPECT_EQ(TFloatingPalette::BonusCaption(QString(80, u'x') + QStringLiteral(".icl")).size(), 64);
}

TEST_F(IconPaletteTest, KeepsItsPositionInTheIniFileButNotItsSize)
{
    // Never placed: right of the main window where the screen has room,
    // else inside its top right corner.
    const QRect main(100, 100, 600, 500);
    EXPECT_EQ(TFloatingPalette::FirstPosition(main, QSize(150, 170), QRect(0, 0, 1400, 1000)),
              QPoint(707, 210));
    EXPECT_EQ(TFloatingPalette::FirstPosition(main, QSize(150, 170), QRect(0, 0, 800, 600)),
              QPoint(509, 210));

    QPoint placed;
    {
        TFloatingPalette palette;
        palette.move(217, 133);
        palette.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
        placed = palette.pos();
    }
    // A stored size, larger than the window's, is not taken.
    IniFile ini(IniFileName());
    ini.WriteInteger(QStringLiteral("TFloatingPalette_Placement"), QStringLiteral("Right"),
                     placed.x() + 300);
    TFloatingPalette again;
    EXPECT_EQ(again.pos(), placed);
    EXPECT_LT(again.width(), 200);
}

TEST_F(IconPaletteTest, ShowLibraryChecksTheItemOfTheNameAndFallsBackToMisc1)
{
    TFloatingPalette palette;
    TIconListBox* box = palette.IconListBox();
    // A holiday.icl of another folder is "Holidays", and it is the one loaded.
    const QString ownHoliday = path(QStringLiteral("mine/holiday.icl"));
    WriteFile(ownHoliday, Library(3));
    palette.ShowLibrary(ownHoliday);
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Holidays")});
    EXPECT_EQ(palette.LibraryFile(), ownHoliday);
    EXPECT_EQ(box->NumberOfIcons(), 3);

    // The ini file's default names ProgramDir, in capitals: the shipped file.
    palette.ShowLibrary(ProgramDir() + QStringLiteral("MISC1.ICL"));
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Miscellaneous #1")});
    EXPECT_EQ(fileOf(palette), shipped(QStringLiteral("misc1.icl")));
    // ... and is kept as it was written.
    EXPECT_EQ(palette.LibraryFile(), ProgramDir() + QStringLiteral("MISC1.ICL"));

    // Another name: "Other...". A bonus set: its item in the submenu.
    const QString other = path(QStringLiteral("Pets.NIL"));
    WriteFile(other, Library(5));
    palette.ShowLibrary(other);
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Other...")});
    EXPECT_EQ(box->NumberOfIcons(), 5);
    palette.ShowLibrary(shipped(QStringLiteral("BonusIcons/Weather.icl")));
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Weather")});
    EXPECT_EQ(box->NumberOfIcons(), 20);

    // A missing file moves the mark but keeps the icons shown.
    palette.ShowLibrary(path(QStringLiteral("gone/events.icl")));
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Events")});
    EXPECT_EQ(box->NumberOfIcons(), 20);

    // A file without icons leaves the box empty: Misc1 comes in its place.
    const QString empty = path(QStringLiteral("empty.icl"));
    WriteFile(empty, "no icons in here");
    palette.ShowLibrary(empty);
    EXPECT_EQ(fileOf(palette), shipped(QStringLiteral("misc1.icl")));
    EXPECT_EQ(box->NumberOfIcons(), 24);
    EXPECT_TRUE(box->isEnabled());

    // The menu's own items.
    Item(palette.FileMenu(), QStringLiteral("Events"))->trigger();
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Events")});
    EXPECT_EQ(fileOf(palette), shipped(QStringLiteral("events.icl")));
    EXPECT_EQ(palette.LibraryFile(), ProgramDir() + QStringLiteral("events.icl"));
    Item(palette.BonusItem()->menu(), QStringLiteral("Day Numbers"))->trigger();
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Day Numbers")});
    EXPECT_EQ(box->NumberOfIcons(), 31);
}

TEST_F(IconPaletteTest, OtherAsksAgainUntilAFileHasIcons)
{
    TFloatingPalette palette;
    const QString text = path(QStringLiteral("notes.ico"));
    WriteFile(text, "plain text");
    const QString program = path(QStringLiteral("Tools.DLL"));
    WriteFile(program, test::ReadFile(test::DataPath(QStringLiteral("imaging/pe/icons64.dll"))));

    QStringList answers{text, program};
    QList<FileDialogSpec> asked;
    palette.SetOpenFileChooser([&](const FileDialogSpec& options) {
        asked << options;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    });
    palette.OtherItem()->trigger();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].directory, ProgramDir());
    EXPECT_EQ(asked[0].defaultSuffix, QStringLiteral("ICL"));
    EXPECT_EQ(asked[0].filter.split(QStringLiteral(";;")).size(), 7);
    EXPECT_EQ(asked[0].selectedFilter, asked[0].filter.split(QStringLiteral(";;")).at(6));
    EXPECT_TRUE(asked[0].selectedFilter.startsWith(QStringLiteral("ICL and ICO Files")));
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("No icons found in ") + text});
    // A program's own icons, and the mark on "Other...".
    EXPECT_EQ(palette.LibraryFile(), program);
    EXPECT_EQ(palette.IconListBox()->NumberOfIcons(), 5);
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Other...")});

    // Giving up after a file without icons: Misc1.
    m_messages.clear();
    answers = QStringList{text};
    palette.OtherClick();
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(fileOf(palette), shipped(QStringLiteral("misc1.icl")));
    EXPECT_EQ(Checked(palette.FileMenu()), QStringList{QStringLiteral("Miscellaneous #1")});

    // Cancelling at once changes nothing.
    m_messages.clear();
    palette.OtherClick();
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(fileOf(palette), shipped(QStringLiteral("misc1.icl")));
}

TEST_F(IconPaletteTest, ListBoxExtractsIconsWhenFirstDrawnAndFollowsItsProperties)
{
    TIconListBox box;
    EXPECT_EQ(box.Version(), QStringLiteral("TIconListBox v1.10"));
    EXPECT_EQ(box.NumberOfIcons(), -1);
    EXPECT_FALSE(box.isEnabled());
    EXPECT_EQ(box.ItemHeight(), 38);
    EXPECT_EQ(box.XIcons(), 4);
    box.SetXIcons(0);
    box.SetYIcons(-2);
    EXPECT_EQ(box.XIcons(), 4);
    EXPECT_EQ(box.YIcons(), 1);
    box.SetXIcons(3);
    box.SetYIcons(3);
    EXPECT_EQ(box.width(), 3 * 38 + 2);

    QSignalSpy changed(&box, &IconListBoxBase::FileChanged);
    const QString lib = path(QStringLiteral("twenty.icl"));
    WriteFile(lib, Library(20));
    box.SetFileName(lib);
    box.SetFileName(lib);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(box.count(), 20);
    EXPECT_EQ(box.item(7)->text(), QStringLiteral("7"));
    EXPECT_TRUE(box.isEnabled());

    // Only what has been drawn is extracted; scrolling draws the rest.
    box.resize(3 * 38 + 2, 3 * 38 + 20);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.grab();
    EXPECT_TRUE(box.IsExtracted(0));
    EXPECT_TRUE(box.IsExtracted(8));
    EXPECT_FALSE(box.IsExtracted(19));
    box.scrollToItem(box.item(19));
    const QImage shown = box.grab().toImage();
    EXPECT_TRUE(box.IsExtracted(19));
    // The icon is drawn centred in its cell.
    const QRect cell = box.visualItemRect(box.item(19));
    const QPoint centre = box.viewport()->mapTo(&box, cell.center());
    EXPECT_EQ(shown.pixel(centre), qRgb(12 * 19, 255 - 12 * 19, 100));

    // Caching off: everything at once.
    box.SetEnableCaching(false);
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(box.IsExtracted(i)) << i;

    // A missing file: empty; disabled unless AutoDisable is off.
    box.SetFileName(path(QStringLiteral("missing.icl")));
    EXPECT_EQ(box.NumberOfIcons(), -1);
    EXPECT_EQ(box.count(), 0);
    EXPECT_FALSE(box.isEnabled());
    box.SetAutoDisable(false);
    EXPECT_TRUE(box.isEnabled());

    TGIconListBox plain;
    EXPECT_EQ(plain.ItemHeight(), 34);
    EXPECT_EQ(plain.Orientation(), TGIconListBox::lbVertical);
}

TEST_F(IconPaletteTest, DraggedIconBecomesAPictureOfItsOwnSizeInADayCell)
{
    TCalendarMain w;
    w.SetPropertiesRunner([](TCalendarPanel32& p, bool) {
        p.SetMainCalYear(2024);
        p.SetMainCalMonth(5);
        return true;
    });
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Loading(); }));
    w.FileNewClick();
    TFloatingPalette* palette = w.FloatingPalette();
    // (A first start without a document left the palette hidden.)
    w.ShowIconToolClick();
    ASSERT_TRUE(palette->isShowing());
    TCalendarPanel32* page = w.CalendarPanel();
    w.SetModified(false);

    // Press on the fifth icon and move: the drag starts with that icon.
    QMimeData* carried = nullptr;
    IconListBoxBase::SetDragRunner([&](QMimeData* data) {
        carried = new QMimeData;
        for (const QString& format : data->formats())
            carried->setData(format, data->data(format));
        carried->setImageData(data->imageData());
    });
    TIconListBox* box = palette->IconListBox();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette));
    const QPoint from = box->visualItemRect(box->item(4)).center();
    QTest::mousePress(box->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(box->viewport(), from + QPoint(5, 5));
    QTest::mouseMove(box->viewport(), from + QPoint(30, 30));
    QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, from + QPoint(30, 30));
    ASSERT_NE(carried, nullptr);
    std::unique_ptr<QMimeData> data(carried);
    EXPECT_TRUE(IsIconDrag(data.get()));
    const QImage icon = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(icon, box->Icon(4));

    // Refused over the title, taken in a day cell.
    const TRect title = w.PageWidget()->Geometry().TitleRect;
    EXPECT_FALSE(w.PageDragOver(QPoint(title.Left + 5, title.Top + 5), data.get()));
    const int cell = page->DayCell(9);
    const TRect r = w.PageWidget()->CellRecord(cell).rTotal;
    const QPoint inCell((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_TRUE(w.PageDragOver(inCell, data.get()));
    ASSERT_TRUE(w.PageDragDrop(inCell, data.get()));
    EXPECT_EQ(w.CurrentCell(), cell);
    EXPECT_TRUE(w.Modified());
    w.DoSaveRichtext();
    // 32 x 32 pixels at 96 pixels per inch: 480 twips each way.
    const QByteArray rtf = page->CellStore(cell)->RtfText();
    EXPECT_EQ(rtf.count("\\pict"), 1);
    EXPECT_TRUE(rtf.contains("\\picwgoal480\\pichgoal480")) << rtf.left(400).constData();

    // The plainer list box is a drag source just the same, and the cell
    // editor takes icons anywhere.
    TGIconListBox plain;
    plain.SetFileName(box->FileName());
    plain.setCurrentRow(2);
    std::unique_ptr<QMimeData> second(plain.SelectedIconData());
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(w.PageDragOver(inCell, second.get()));
    page->CellClick(cell);
    QTest::keyClick(w.CellEditor(), Qt::Key_End, Qt::ControlModifier);
    QApplication::clipboard()->setMimeData(second.release());
    w.CellEditor()->paste();
    w.DoSaveRichtext();
    EXPECT_EQ(page->CellStore(cell)->RtfText().count("\\pict"), 2);
}
