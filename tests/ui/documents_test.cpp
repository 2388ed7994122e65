// The document commands of the main window and the recent-files list.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/testutil.h"
#include "core/fileaccess.h"
#include "core/screen.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgsupertext.h"
#include "documents_shape.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "stream/inifile.h"
#include "ui/documenttyperegistration.h"
#include "stream/preferences.h"
#include "ui/calendarpagewidget.h"
#include "ui/tcalendarmain.h"
#include "ui/tmrufilelist.h"
#include "ui/tmrumenuitem.h"
#include "ui/uiutil.h"

using namespace dayloom;
using dayloom::test::TDocUiShape;

namespace {

QStringList captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// The captions after "E&xit".
QStringList recentCaptions(const QMenu* menu)
{
    const QStringList all = captions(menu);
    return all.mid(all.indexOf(QStringLiteral("E&xit")) + 1);
}

// Where document dialogs start when nothing else is known.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TWPRtfStorage Rtf(const char* text)
{
    TWPRtfStorage s;
    s.SetRtfText(QByteArray(text));
    return s;
}

class DocumentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        SetScreenPPI(96);
        TDocUiShape::Register();
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.caption + QStringLiteral("|") + r.text;
            if (r.buttons & QMessageBox::Yes)
                return m_answerYes ? QMessageBox::Yes : QMessageBox::No;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        m_window.reset();
        SetMessageHook(m_oldHook);
    }

    TCalendarMain& start(const QStringList& args = {})
    {
        m_window = std::make_unique<TCalendarMain>(args);
        m_window->SetPropertiesRunner([](TCalendarPanel32& preview, bool isNew) {
            if (isNew)
                preview.ResetPage();
            return isNew;
        });
        m_window->SetOpenFileChooser([this](const FileDialogSpec& desc) {
            m_lastSpec = desc;
            return m_choice;
        });
        m_window->SetSaveFileChooser([this](const FileDialogSpec& desc) {
            m_lastSpec = desc;
            return m_choice;
        });
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window->Loading(); }));
        return *m_window;
    }

    // A document on disk with a title.
    QString writeDocument(const QString& name, const QString& title)
    {
        TCalendarPanel32 page;
        page.SetUserTitle(title);
        page.SetMainCalMonth(12);
        page.SetMainCalYear(1997);
        const QString path = m_dir.filePath(name);
        CalendarDocument::SaveToFile(page, path);
        return path;
    }

    QStringList iniSection(const QString& section)
    {
        return IniFile(IniFileName()).ReadSection(section);
    }

    QTemporaryDir m_dir;
    MessageHook m_oldHook;
    QStringList m_messages;
    bool m_answerYes = true;
    QString m_choice;
    FileDialogSpec m_lastSpec;
    std::unique_ptr<TCalendarMain> m_window;
};

// ---- the list on its own --------------------------------------------------------

TEST_F(DocumentsTest, RecentListOrderCapacityAndStoredForm)
{
    QMenu menu;
    menu.addAction(QStringLiteral("E&xit"));
    TMRUFileList list;
    EXPECT_EQ(list.Maximum(), 5);
    EXPECT_TRUE(list.RemoveOnClick());
    EXPECT_FALSE(list.UseSubmenu());
    EXPECT_EQ(list.SubmenuName(), QStringLiteral("Reopen"));
    EXPECT_TRUE(list.AutoSave());
    EXPECT_EQ(list.AutoSaveName(), QStringLiteral("\\Software\\My Application"));
    EXPECT_EQ(list.AutoSaveKey(), QStringLiteral("MRU Items"));
    list.SetAutoSave(false);
    list.SetFileMenu(&menu);
    list.SetAutoSaveName(IniFileName());
    list.SetAutoSaveKey(QStringLiteral("MRU"));

    for (const char* f : {"/d/a.DLF", "/d/b.DLF", "/d/A.dlf"})
        list.Add(QString::fromLatin1(f));
    // Found ignoring case: moved up, the stored spelling kept.
    EXPECT_EQ(list.Items(), (QStringList{"/d/a.DLF", "/d/b.DLF"}));
    EXPECT_EQ(recentCaptions(&menu), (QStringList{"-", "&1 /d/a.DLF", "&2 /d/b.DLF"}));
    auto* item = qobject_cast<TMRUMenuItem*>(menu.actions().last());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Number(), 2);

    for (const char* f : {"/d/c.DLF", "/d/d.DLF", "/d/e.DLF", "/d/f.DLF"})
        list.Add(QString::fromLatin1(f));
    EXPECT_EQ(list.Items(), (QStringList{"/d/f.DLF", "/d/e.DLF", "/d/d.DLF", "/d/c.DLF", "/d/a.DLF"}));

    // Saving erases the section first: only F0..F4 remain.
    IniFile ini(IniFileName());
    ini.WriteString("MRU", "F9", "/old/one.DLF");
    ini.WriteString("MRU", "Other", "x");
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(iniSection("MRU"), (QStringList{"F0=/d/f.DLF", "F1=/d/e.DLF", "F2=/d/d.DLF",
                                              "F3=/d/c.DLF", "F4=/d/a.DLF"}));

    // Loading keeps the text after the first "=", whatever the key.
    ini.EraseSection("MRU");
    ini.WriteString("MRU", "X", "/p/q=r.DLF");
    ini.WriteString("MRU", "F0", "/p/s.DLF");
    TMRUFileList loaded;
    loaded.SetAutoSave(false);
    loaded.SetAutoSaveName(IniFileName());
    loaded.SetAutoSaveKey(QStringLiteral("MRU"));
    loaded.Load();
    EXPECT_EQ(loaded.Items(), (QStringList{"/p/q=r.DLF", "/p/s.DLF"}));
    loaded.SetAutoSaveKey(QString());
    EXPECT_FALSE(loaded.Save());
}

TEST_F(DocumentsTest, RecentMenuSubmenuParentPlacementAndClicks)
{
    QMenuBar bar;
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"));
    TMRUFileList list;
    list.SetAutoSave(false);
    list.SetFileMenu(file);
    list.BeginUpdate();
    list.Add(QStringLiteral("/x/one & two.DLF"));
    list.Add(QStringLiteral("/x/b.DLF"));
    EXPECT_EQ(recentCaptions(file), QStringList{});  // updates pending
    list.EndUpdate();
    EXPECT_EQ(recentCaptions(file), (QStringList{"-", "&1 /x/b.DLF", "&2 /x/one && two.DLF"}));
    // The separator carries no text: a style would draw it beside the line.
    for (const QAction* a : file->actions()) {
        if (a->isSeparator()) {
            EXPECT_EQ(a->text(), QString());
        }
    }

    list.SetUseSubmenu(true);
    ASSERT_EQ(recentCaptions(file), (QStringList{"-", "Reopen"}));
    QMenu* sub = file->actions().last()->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(captions(sub).size(), 2);
    list.SetSubmenuName(QStringLiteral("Recent"));
    EXPECT_EQ(recentCaptions(file), (QStringList{"-", "Recent"}));
    list.SetUseSubmenu(false);

    // A menu without items gets the entries before itself in its parent.
    QMenu* empty = bar.addMenu(QStringLiteral("&Empty"));
    list.SetFileMenu(empty);
    EXPECT_EQ(recentCaptions(file), QStringList{});
    EXPECT_TRUE(empty->actions().isEmpty());
    QStringList onBar;
    for (QAction* a : bar.actions())
        onBar << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(onBar, (QStringList{"&File", "-", "&1 /x/b.DLF", "&2 /x/one && two.DLF", "&Empty"}));

    // Choosing an entry removes it (RemoveOnClick) and hands over the name.
    list.SetFileMenu(file);
    QStringList opened;
    list.SetOnMRUItemClick([&](QObject*, const QString& name) { opened << name; });
    file->actions().last()->trigger();
    EXPECT_EQ(opened, QStringList{"/x/one & two.DLF"});
    EXPECT_EQ(list.Items(), QStringList{"/x/b.DLF"});
    EXPECT_EQ(recentCaptions(file), (QStringList{"-", "&1 /x/b.DLF"}));
    list.SetRemoveOnClick(false);
    file->actions().last()->trigger();
    EXPECT_EQ(list.Items(), QStringList{"/x/b.DLF"});
    list.Clear();
    EXPECT_EQ(recentCaptions(file), QStringList{});
}

// ---- the window -------------------------------------------------------------------

TEST_F(DocumentsTest, SaveAsProposesMonthNameAndOpenRoundTrips)
{
    TCalendarMain& w = start();
    w.FileNewClick();
    TCalendarPanel32* page = w.CalendarPanel();
    page->SetMainCalMonth(12);
    page->SetMainCalYear(1997);
    page->SetCellText(9, Rtf("{\\rtf1\\ansi kept text}"));
    page->SetUserTitle(QStringLiteral("Title"));
    m_choice = m_dir.filePath("Dec1997.DLF");
    ASSERT_TRUE(w.FileSaveAsClick());
    EXPECT_EQ(m_lastSpec.proposedName, QStringLiteral("Dec1997.DLF"));
    EXPECT_EQ(m_lastSpec.title, QStringLiteral("Save Calendar File"));
    EXPECT_EQ(m_lastSpec.filter, QStringLiteral("Calendar File (*.DLF *.dlf)"));
    EXPECT_EQ(m_lastSpec.defaultSuffix, QStringLiteral("DLF"));
    EXPECT_EQ(m_lastSpec.directory, documentsFolder());
    EXPECT_EQ(w.CurrentFile(), m_choice);
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Dayloom  [Dec1997.DLF]"));
    EXPECT_EQ(iniSection("MRU"), QStringList{"F0=" + m_choice});

    // With a current file, its name is proposed.
    m_choice.clear();
    EXPECT_FALSE(w.FileSaveAsClick());
    EXPECT_EQ(m_lastSpec.proposedName, QStringLiteral("Dec1997.DLF"));

    // Opening: the page gets the file's content; twice keeps one entry on top.
    const QString other = writeDocument("Other.DLF", QStringLiteral("Other title"));
    m_choice = other;
    w.FileOpenClick();
    EXPECT_EQ(m_lastSpec.title, QStringLiteral("Open Calendar File"));
    EXPECT_EQ(page->UserTitle(), QStringLiteral("Other title"));
    EXPECT_TRUE(page->CellStore(9)->IsEmpty());
    m_choice = m_dir.filePath("Dec1997.DLF");
    w.FileOpenClick();
    w.FileOpenClick();
    EXPECT_EQ(page->UserTitle(), QStringLiteral("Title"));
    EXPECT_TRUE(page->CellStore(9)->Document().toPlainText().contains(QStringLiteral("kept text")));
    EXPECT_EQ(iniSection("MRU"), (QStringList{"F0=" + m_choice, "F1=" + other}));
    EXPECT_EQ(recentCaptions(w.FileMenu()),
              (QStringList{"-", "&1 " + m_choice, "&2 " + other}));
    EXPECT_TRUE(w.PageShown());
    EXPECT_FALSE(w.Modified());

    // Not a calendar file by its extension: nothing happens.
    m_messages.clear();
    m_choice = m_dir.filePath("notes.txt");
    QFile(m_choice).open(QIODevice::WriteOnly);
    w.FileOpenClick();
    EXPECT_EQ(m_messages, QStringList{"Information|Must be a Calendar file (*.DLF)"});
    EXPECT_EQ(w.CurrentFile(), m_dir.filePath("Dec1997.DLF"));
}

TEST_F(DocumentsTest, DialogsStartInTheDocumentsFolderThenInTheLastOneUsed)
{
    QDir top(m_dir.path());
    for (const char* sub : {"docs", "exports", "other"})
        ASSERT_TRUE(top.mkpath(QString::fromLatin1(sub)));
    const QString docs = top.filePath("docs"), exports = top.filePath("exports");
    const QString other = top.filePath("other");
    writeDocument("docs/A.DLF", QStringLiteral("A"));
    writeDocument("other/B.DLF", QStringLiteral("B"));
    TCalendarMain& w = start();
    ASSERT_TRUE(w.CurrentFile().isEmpty());

    // Nothing open, nothing stored: the user's documents, never the
    // program's own folder.
    m_choice.clear();
    w.FileOpenClick();
    EXPECT_EQ(m_lastSpec.directory, documentsFolder());
    EXPECT_NE(m_lastSpec.directory + QLatin1Char('/'), ProgramDir());
    EXPECT_TRUE(iniSection("Folders").isEmpty());  // a cancelled dialog stores nothing

    // A document chosen in a folder makes it the documents folder to come.
    m_choice = QDir(docs).filePath("A.DLF");
    w.FileOpenClick();
    EXPECT_EQ(w.CurrentFile(), m_choice);
    EXPECT_EQ(IniFile(IniFileName()).ReadString("Folders", "Documents", {}), docs);

    // An open document's own folder comes first, for documents and pictures.
    w.OpenCalendarFile(QDir(other).filePath("B.DLF"));
    m_choice.clear();
    w.FileOpenClick();
    EXPECT_EQ(m_lastSpec.directory, other);
    w.FileSaveAsClick();
    EXPECT_EQ(m_lastSpec.directory, other);
    w.SaveAsBitmapClick();
    EXPECT_EQ(m_lastSpec.directory, other);

    // An untitled calendar: the folders last used, each kind its own.
    w.FileNewClick();
    ASSERT_TRUE(w.CurrentFile().isEmpty());
    w.FileSaveAsClick();
    EXPECT_EQ(m_lastSpec.directory, docs);
    w.SaveAsJpgClick();
    EXPECT_EQ(m_lastSpec.directory, documentsFolder());  // no picture exported yet
    m_choice = QDir(exports).filePath("page.BMP");
    w.SaveAsBitmapClick();
    EXPECT_TRUE(QFileInfo::exists(m_choice));
    m_choice.clear();
    w.SaveAsJpgClick();
    EXPECT_EQ(m_lastSpec.directory, exports);
    w.FileSaveAsClick();
    EXPECT_EQ(m_lastSpec.directory, docs);
    EXPECT_EQ(iniSection("Folders"), (QStringList{"Documents=" + docs, "Exports=" + exports}));

    // A stored folder that is gone is passed over.
    ASSERT_TRUE(QDir(exports).removeRecursively());
    w.SaveAsJpgClick();
    EXPECT_EQ(m_lastSpec.directory, documentsFolder());
}

TEST_F(DocumentsTest, RecentEntriesAndStartUpOpening)
{
    const QString a = writeDocument("A.DLF", QStringLiteral("A"));
    const QString b = writeDocument("B.DLF", QStringLiteral("B"));
    IniFile(IniFileName()).WriteString("MRU", "F0", b);
    IniFile(IniFileName()).WriteString("MRU", "F1", a);
    {
        // The most recent existing document opens at start-up.
        TCalendarMain& w = start();
        EXPECT_EQ(w.CurrentFile(), b);
        EXPECT_EQ(w.CalendarPanel()->UserTitle(), QStringLiteral("B"));
        EXPECT_FALSE(w.Modified());

        // A recent file deleted meanwhile: the message, and it leaves the menu.
        QFile::remove(a);
        m_messages.clear();
        QAction* second = w.FileMenu()->actions().last();
        ASSERT_EQ(second->text(), "&2 " + a);
        second->trigger();
        EXPECT_EQ(m_messages, QStringList{"Information|File " + a + " no longer exists"});
        EXPECT_EQ(recentCaptions(w.FileMenu()), (QStringList{"-", "&1 " + b}));
        EXPECT_TRUE(w.CurrentFile().isEmpty());
        EXPECT_FALSE(w.PageShown());
    }
    m_window.reset();
    // An argument without the extension gets ".DLF".
    TCalendarMain& w2 = start({m_dir.filePath("B")});
    EXPECT_EQ(w2.CurrentFile(), b);
}

TEST_F(DocumentsTest, DamagedDocumentIsReportedAndThePageReset)
{
    const QString path = writeDocument("Bad.DLF", QStringLiteral("x"));
    QByteArray bytes;
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.left(bytes.size() / 2));
    }
    TCalendarMain& w = start();
    m_messages.clear();
    w.OpenCalendarFile(path);
    EXPECT_EQ(m_messages, QStringList{"Information|Unable to open " + path +
                                      ".\nPossibly corrupted, possibly not a Calendar file"});
    EXPECT_TRUE(w.CurrentFile().isEmpty());
    EXPECT_FALSE(w.PageShown());
    EXPECT_TRUE(w.CalendarPanel()->UserTitle().isEmpty());
    EXPECT_TRUE(w.MRUFileList()->Items().isEmpty());
}

TEST_F(DocumentsTest, OpenRefusesWhatIsNoDocumentWithoutWaitingOrReading)
{
    // Named as documents: a folder, a pipe nobody writes to, a link to an
    // endless device and a file beyond any document's size.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Folder.DLF"));
    const QString zero = m_dir.filePath("Zero.DLF");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QStringList paths{
        m_dir.filePath("Folder.DLF"), test::MakeFifo(m_dir.filePath("Pipe.DLF")), zero,
        test::MakeSparseFile(m_dir.filePath("Big.DLF"), InputSizeLimit(InputKind::Document) + 1)};
    TCalendarMain& w = start();
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_FALSE(path.isEmpty());
        w.OpenCalendarFile(writeDocument("Good.DLF", QStringLiteral("good")));
        ASSERT_TRUE(w.PageShown());
        m_messages.clear();
        m_choice = path;
        w.FileOpenClick();
        EXPECT_EQ(m_messages, QStringList{"Information|" + UnableToOpenText(path)});
        EXPECT_TRUE(w.CurrentFile().isEmpty());
        EXPECT_FALSE(w.PageShown());
        EXPECT_TRUE(w.CalendarPanel()->UserTitle().isEmpty());
    }
}

TEST_F(DocumentsTest, PartlyReadDocumentWarnsAndAsksBeforeItIsSavedOver)
{
    TCalendarPanel32 source;
    source.SetUserTitle(QStringLiteral("part"));
    auto* first = new TDocUiShape;
    source.AddObject(first);
    first->SetBounds(QRect(10, 10, 50, 50));
    const qsizetype firstEnd = CalendarDocument::Save(source).size() - 1;
    auto* second = new TDocUiShape;
    source.AddObject(second);
    second->SetBounds(QRect(100, 10, 50, 50));
    const QByteArray whole = CalendarDocument::Save(source);
    const QString path = m_dir.filePath("Part.DLF");
    const QByteArray cut = whole.left(firstEnd + 4);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(cut);
    }

    TCalendarMain& w = start();
    m_messages.clear();
    m_choice = path;
    w.FileOpenClick();
    const QString warning = "Warning|" + PartialReadText(1);
    EXPECT_EQ(m_messages, QStringList{warning});
    EXPECT_EQ(w.CurrentFile(), path);
    EXPECT_EQ(w.CalendarPanel()->Objects().size(), 1);
    EXPECT_EQ(w.CalendarPanel()->UserTitle(), QStringLiteral("part"));
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(w.PartlyReadFile(), path);

    // No writes nothing, by Save and by Save As onto the same file.
    const QString question = "Save|" + PartialSaveQuestion();
    m_answerYes = false;
    m_messages.clear();
    w.FileSaveClick();
    m_choice = path;
    EXPECT_FALSE(w.FileSaveAsClick());
    EXPECT_EQ(m_messages, (QStringList{question, question}));
    EXPECT_EQ(readFile(path), cut);

    // Save As to another name does not ask, nor do saves to it later.
    m_messages.clear();
    const QString other = m_dir.filePath("Other.DLF");
    m_choice = other;
    ASSERT_TRUE(w.FileSaveAsClick());
    w.SetModified(true);
    w.FileSaveClick();
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(' ').toStdString();
    EXPECT_EQ(readFile(path), cut);

    // Yes writes the document as it stands; the next save does not ask.
    m_messages.clear();
    w.OpenCalendarFile(path);
    m_answerYes = true;
    w.FileSaveClick();
    w.FileSaveClick();
    EXPECT_EQ(m_messages, (QStringList{warning, question}));
    EXPECT_TRUE(w.PartlyReadFile().isEmpty());
    TCalendarPanel32 back;
    const DocumentLoadResult r = CalendarDocument::LoadFromFile(back, path);
    EXPECT_FALSE(r.Partial());
    EXPECT_EQ(r.ObjectsRead, 1);

    // A whole document opens without a word.
    m_messages.clear();
    w.OpenCalendarFile(path);
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_TRUE(w.PartlyReadFile().isEmpty());
}

TEST_F(DocumentsTest, SaveOverADeviceIsRefusedAndReported)
{
    TCalendarMain& w = start();
    w.FileNewClick();
    ASSERT_TRUE(test::IsCharacterDevice(QStringLiteral("/dev/null")));
    const QString link = m_dir.filePath("Null.DLF");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), link));
    for (const QString& target : {QStringLiteral("/dev/null"), link}) {
        m_messages.clear();
        m_choice = target;
        EXPECT_FALSE(w.FileSaveAsClick());
        EXPECT_EQ(m_messages, QStringList{"Error|Unable to save " + target +
                                          ".\nThe calendar was not saved."});
        EXPECT_TRUE(w.Modified());
        EXPECT_TRUE(w.CurrentFile().isEmpty());
    }
    EXPECT_TRUE(test::IsCharacterDevice(QStringLiteral("/dev/null")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    // The picture export keeps its own message.
    m_messages.clear();
    const QString picture = m_dir.filePath("Null.BMP");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), picture));
    EXPECT_FALSE(w.SaveCalendarToBitmap(picture, false));
    EXPECT_TRUE(test::IsCharacterDevice(QStringLiteral("/dev/null")));
}

TEST_F(DocumentsTest, SavingAtDisplayZoomWritesZoomOneGeometry)
{
    TCalendarMain& w = start();
    w.FileNewClick();
    TCalendarPanel32* page = w.CalendarPanel();
    auto* shape = new TDocUiShape;
    shape->SetBounds(QRect(100, 50, 201, 80));
    page->AddObject(shape);
    // Special-effects texts whose size rules cut them to their text on the
    // view: a tall transparent one with a shadow, an opaque framed one.
    auto* cut = new TGSuperText(page);
    page->AddObject(cut);
    cut->SetBounds(QRect(300, 200, 263, 301));
    cut->SetShadowDepth(7);
    cut->SetShadowOrientation(sdDownLeft);
    auto* framed = new TGSuperText(page, TGSuperText::FramedOnWhite);
    page->AddObject(framed);
    framed->SetBounds(QRect(301, 555, 3, 41));
    framed->SetSurfaceType(stNormal);
    ASSERT_EQ(w.PageWidget()->PageZoom().Factor(), 0.601f);
    ASSERT_EQ(shape->ViewRect().width(), 121);  // 201 x 0.601 = 120.8
    const QString path = m_dir.filePath("Zoom.DLF");
    ASSERT_TRUE(w.SaveCalendarFile(path));
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.601f);

    TCalendarPanel32 back;
    CalendarDocument::LoadFromFile(back, path);
    ASSERT_EQ(back.Objects().size(), 3);
    EXPECT_EQ(back.Objects().first()->Bounds(), QRect(100, 50, 201, 80));
    EXPECT_EQ(back.Objects().at(1)->Bounds(), QRect(300, 200, 263, 301));
    EXPECT_EQ(back.Objects().at(2)->Bounds(), QRect(301, 555, 3, 41));

    // Opening at display zoom shows the document at 0.601; zooming all the
    // way and back and saving again writes the same bytes (an odd width does
    // not drift).
    w.OpenCalendarFile(path);
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.601f);
    ASSERT_EQ(page->Objects().size(), 3);
    const QString again = m_dir.filePath("Again.DLF");
    ASSERT_TRUE(w.SaveCalendarFile(again));
    const QByteArray opened = readFile(again);  // the object carries its new name
    // Each zoom is painted: painting never writes into the objects.
    const QRect shownCut = page->Objects().at(1)->ViewRect();
    EXPECT_LT(shownCut.height(), 301 * 0.601 - 20);
    for (int i = 0; i < 5; ++i) {
        w.ZoomSpinnerUpClick();
        w.PageWidget()->grab();
    }
    for (int i = 0; i < 5; ++i) {
        w.ZoomSpinnerDownClick();
        w.PageWidget()->grab();
    }
    EXPECT_EQ(page->Objects().first()->Bounds(), QRect(100, 50, 201, 80));
    EXPECT_EQ(page->Objects().at(1)->Bounds(), QRect(300, 200, 263, 301));
    w.ZoomSpinnerUpClick();  // from 50 % back to 60 %
    w.PageWidget()->grab();
    EXPECT_EQ(page->Objects().at(1)->ViewRect(), shownCut);
    ASSERT_TRUE(w.SaveCalendarFile(again));
    EXPECT_EQ(readFile(again), opened);
}

// File > Open and File > Cancel Changes, chosen from the menu at 70 %: the
// screen shows the floating calendar at once (not only after the next zoom
// step or Select All), and the zoom caption names the zoom the page is
// shown at (it read "100%" while the page was being read at zoom 1).
TEST_F(DocumentsTest, OpenAndCancelChangesPaintFloatingCalendarsAndTellTheZoom)
{
    const QString path = m_dir.filePath("Floating.DLF");
    {
        TCalendarPanel32 page;
        page.SetMainCalMonth(12);
        page.SetMainCalYear(1997);
        auto* cal = new TGFlatCalendar(&page);
        cal->setObjectName(QStringLiteral("Special1"));
        page.AddObject(cal);
        cal->SetBounds(QRect(100, 300, 200, 160));
        cal->SetTitleBGcolor(0x0000C000);  // green
        cal->SetBackgroundcolor(0x0000C000);
        CalendarDocument::SaveToFile(page, path);
    }
    TCalendarMain& w = start();
    ASSERT_EQ(w.ZoomCaption()->text(), QStringLiteral("60%"));
    w.ZoomSpinnerUpClick();
    ASSERT_EQ(w.ZoomCaption()->text(), QStringLiteral("70%"));
    const float zoom = w.PageWidget()->PageZoom().Factor();
    ASSERT_FLOAT_EQ(zoom, 0.701f);
    // The calendar's middle, in widget pixels.
    const QPoint middle(int(200 * zoom), int(380 * zoom));
    // What the screen holds (not a fresh paint of the page).
    auto calendarShows = [&w, middle] {
        QCoreApplication::processEvents();
        const QPoint at = w.PageWidget()->mapTo(&w, middle);
        const QImage shot = w.screen()->grabWindow(w.winId(), at.x(), at.y(), 1, 1).toImage();
        return !shot.isNull() && shot.pixelColor(0, 0) == QColor(0, 0xC0, 0);
    };
    auto fileAction = [&w](const QString& text) {
        for (QAction* a : w.menuBar()->actions().first()->menu()->actions())
            if (a->text() == text)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    ASSERT_FALSE(calendarShows());

    m_choice = path;
    ASSERT_TRUE(fileAction(QStringLiteral("&Open")));
    fileAction(QStringLiteral("&Open"))->trigger();
    ASSERT_EQ(w.CurrentFile(), path);
    EXPECT_EQ(w.ZoomCaption()->text(), QStringLiteral("70%"));
    EXPECT_TRUE(calendarShows());

    // A change, cancelled: the document is read again.
    w.CalendarPanel()->Objects().first()->SetLeft(500);
    w.SetModified(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(calendarShows());
    m_answerYes = true;
    ASSERT_TRUE(fileAction(QStringLiteral("&Cancel Changes")));
    fileAction(QStringLiteral("&Cancel Changes"))->trigger();
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(w.ZoomCaption()->text(), QStringLiteral("70%"));
    EXPECT_TRUE(calendarShows());
}

TEST_F(DocumentsTest, FailedWriteIsReportedAndChangesNothing)
{
    TCalendarMain& w = start();
    w.FileNewClick();
    ASSERT_TRUE(w.Modified());
    m_messages.clear();
    m_choice = m_dir.filePath("no/such/folder/Cal.DLF");
    EXPECT_FALSE(w.FileSaveAsClick());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.first().contains(m_choice));
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(w.CurrentFile().isEmpty());
    EXPECT_TRUE(w.MRUFileList()->Items().isEmpty());
    EXPECT_TRUE(iniSection("MRU").isEmpty());

    // Save to a file whose folder went away: CurrentFile and Modified stay.
    QDir(m_dir.path()).mkpath("gone");
    m_choice = m_dir.filePath("gone/Cal.DLF");
    ASSERT_TRUE(w.FileSaveAsClick());
    w.CalendarPanel()->SetUserTitle(QStringLiteral("new"));
    w.SetModified(true);
    QDir(m_dir.filePath("gone")).removeRecursively();
    m_messages.clear();
    w.FileSaveClick();
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(w.CurrentFile(), m_choice);
    EXPECT_TRUE(w.Modified());
}

TEST_F(DocumentsTest, CancelChangesAndClearAll)
{
    TCalendarMain& w = start();
    w.FileNewClick();
    TCalendarPanel32* page = w.CalendarPanel();
    page->SetCellText(3, Rtf("{\\rtf1\\ansi new}"));
    // Never saved: only the modified state goes.
    m_messages.clear();
    w.CancelChangesClick();
    EXPECT_EQ(m_messages, QStringList{"CANCEL|Cancel all changes?"});
    EXPECT_FALSE(w.Modified());
    EXPECT_FALSE(page->CellStore(3)->IsEmpty());
    EXPECT_TRUE(w.PageShown());

    // Saved: the file is read again.
    m_choice = m_dir.filePath("C.DLF");
    ASSERT_TRUE(w.FileSaveAsClick());
    page->SetCellText(4, Rtf("{\\rtf1\\ansi later}"));
    w.SetModified(true);
    m_answerYes = false;
    w.CancelChangesClick();
    EXPECT_TRUE(w.Modified());
    m_answerYes = true;
    m_messages.clear();
    w.CancelChangesClick();
    EXPECT_EQ(m_messages, QStringList{"CANCEL|Cancel all changes?"});
    EXPECT_FALSE(w.Modified());
    EXPECT_TRUE(page->CellStore(4)->IsEmpty());
    EXPECT_FALSE(page->CellStore(3)->IsEmpty());

    w.ClearAllCellsClick();
    EXPECT_FALSE(page->HasCellText());
    EXPECT_TRUE(w.Modified());

    // Asked on the way out, Yes saves to the current file.
    m_messages.clear();
    w.CheckSaveNeeded();
    EXPECT_FALSE(w.Modified());
    TCalendarPanel32 back;
    CalendarDocument::LoadFromFile(back, m_choice);
    EXPECT_FALSE(back.HasCellText());
}

TEST_F(DocumentsTest, RegisteringTheDocumentTypeWritesTheFreedesktopPair)
{
    QTemporaryDir home;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    TCalendarMain& w = start();
    m_messages.clear();
    w.AssociateDLFfileswithDayloom1Click();
    EXPECT_EQ(m_messages,
              QStringList{"Information|You should now be able to open .DLF files by clicking on them"});
    const QByteArray mime = readFile(home.path() + "/mime/packages/dayloom-mime.xml");
    EXPECT_TRUE(mime.contains("application/x-dayloom-calendar"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.DLF\"/>"));
    const QByteArray desktop = readFile(home.path() + "/applications/dayloom.desktop");
    EXPECT_TRUE(desktop.contains("MimeType=application/x-dayloom-calendar;"));
    EXPECT_TRUE(desktop.contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" %f"));
    EXPECT_FALSE(DocumentTypeRegistration::Register(QStringLiteral("  "), QString()));
    if (oldData.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldData);
}

}  // namespace
