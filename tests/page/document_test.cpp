// Calendar documents and style sheets: byte layout, reading every version,
// the object list, damaged files and safe writing.

#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "core/readerror.h"
#include "core/screen.h"
#include "common/testutil.h"
#include "document_testshape.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "pagetestutil.h"
#include "richtext/twprtfstorage.h"
#include "stream/valuewriter.h"
#include "stream/writeerror.h"

namespace dayloom::test {
namespace {

const QByteArray kEmptyCell = QByteArray("TPF0\x0dTWPRtfStorage\x00\x00\x00", 21);

QByteArray CellRtf(int k)
{
    return QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20 Day ") +
           QByteArray::number(k) + " \\b bold\\b0  \\i italic\\i0  {\\f1\\cf1 red} end\\par}";
}

// Every setting away from its default, text in all 42 cells, two objects.
void FillEverything(TCalendarPanel32& page)
{
    page.SetPaperSize(PaperA4);
    page.SetCalendarLayout(loFC6Before6After);
    page.SetCalendarLineLayout(llCellsOnly);
    page.SetMiniCalendarLineLayout(mllMinimal);
    page.SetCalendarBorder(cbTopBottom);
    page.SetHeadersBorder(cbTop);
    page.SetCellBorder(cbBottom);
    page.SetMiniCalBorder(cbTop);
    page.SetMiniHeadersBorder(cbBottom);
    page.SetMiniCellBorder(cbTopBottom);
    page.SetLeftMarginInch(0.31f);
    page.SetTopMarginInch(0.51f);
    page.SetRightMarginInch(1.07f);
    page.SetBottomMarginInch(0.99f);
    for (int m = 1; m <= 12; ++m)
        page.SetMonthName(m, QStringLiteral("Mois %1 é").arg(m));
    for (int d = 1; d <= 7; ++d)
        page.SetDayName(d, QStringLiteral("Jour%1").arg(d));
    page.SetTitleBGColor(Bgr(1, 2, 3));
    page.SetHeadersBGColor(Bgr(4, 5, 6));
    page.SetMiniCalBGColor(Bgr(7, 8, 9));
    page.SetMiniHeadersBGColor(Bgr(10, 11, 12));
    page.SetHeadersStyle(dsWhole);
    page.SetMiniHeadersStyle(dsThreeChars);
    page.SetNumberPosition(cnpCenter);
    page.SetTitleShowYear(false);
    page.SetMiniShowYear(false);
    int i = 0;
    for (auto set : {&TCalendarPanel32::SetTitleFont, &TCalendarPanel32::SetHeadersFont,
                     &TCalendarPanel32::SetCellFont, &TCalendarPanel32::SetMiniTitleFont,
                     &TCalendarPanel32::SetMiniHeadersFont, &TCalendarPanel32::SetMiniCellFont}) {
        ++i;
        TFontData f;
        f.Name = QStringLiteral("Arial");
        f.Height = TFontData::HeightForSize(9 + i);
        f.Style = i % 2 ? (fsItalic | fsStrikeOut) : (fsBold | fsUnderline);
        f.Color = Bgr(20 * i, 0, 200);
        (page.*set)(f);
    }
    page.SetMainCalDay(17);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(2031);
    page.SetStartOfWeek(2);
    page.SetPlannerStartTime(QTime(6, 45));
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k)
        page.SetCellText(k, RtfStore(CellRtf(k).constData()));
    page.SetUserTitle(QStringLiteral("Our December – Fêtes"));
    for (int n = 0; n < 2; ++n) {
        auto* s = new TDocTestShape;
        s->SetBounds(QRect(10 + n, 20 + n, 30 + n, 40 + n));
        s->Caption = QStringLiteral("shape %1").arg(n);
        s->setObjectName(QStringLiteral("Shape"));  // both stored under one name
        page.AddObject(s);
    }
}

// The settings block of a page: what lies between the kind and the border
// name in its style sheet.
QByteArray SettingsBlock(const TCalendarPanel32& page)
{
    const QByteArray style = CalendarDocument::SaveStyle(page);
    const QByteArray border = QByteArray("\x06", 1) + char(page.WMFBorderFile().size()) +
                              page.WMFBorderFile().toLatin1();
    return style.mid(5, style.size() - 5 - border.size() - 1);
}

// A document of an older version around the settings of `page`.
QByteArray OldDocument(int version, const TCalendarPanel32& page, const QString& title,
                       const QByteArray& trailer)
{
    QByteArray out;
    {
        ValueWriter w(&out);
        w.WriteListBegin();
        w.WriteInteger(version);
        w.WriteInteger(1);
        w.WriteRaw(SettingsBlock(page));
        if (version > 3)
            w.WriteString(QString());
        for (int v : {5, 3, 1999, 1, 9, 30})
            w.WriteInteger(v);
        for (int k = 0; k < 42; ++k)
            w.WriteRaw(kEmptyCell);
        if (version > 1)
            w.WriteString(title);
        w.WriteListEnd();
        w.WriteRaw(trailer);
        w.Flush();
    }
    return out;
}

QByteArray ShapeRecord(const QString& cls, const QString& name, int left)
{
    QByteArray out;
    ValueWriter w(&out);
    w.WriteSignature();
    w.WriteStr(cls);
    w.WriteStr(name);
    w.WriteStr(QStringLiteral("Left"));
    w.WriteInteger(left);
    w.WriteListEnd();
    w.WriteListEnd();
    w.Flush();
    return out;
}

QByteArray ObjectList(const QList<QByteArray>& records)
{
    return QByteArray(1, '\x01') + records.join() + QByteArray(1, '\0');
}

QList<TDocTestShape*> Shapes(const TCalendarPanel32& page)
{
    QList<TDocTestShape*> out;
    for (TGGraphicControl* o : page.Objects())
        if (auto* s = qobject_cast<TDocTestShape*>(o))
            out.append(s);
    return out;
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { TDocTestShape::Register(); }
};

TEST_F(DocumentTest, DefaultPageLayoutByteByByte)
{
    TCalendarPanel32 page;
    page.SetLeftMarginInch(0.25f);
    page.SetTopMarginInch(0.25f);
    page.SetRightMarginInch(0.25f);
    page.SetBottomMarginInch(0.25f);
    page.SetPaperSize(PaperLetter);
    page.SetCalendarLayout(LOFullCalendarLS);
    page.SetPlannerStartTime(QTime(8, 5));
    page.SetCellText(2, RtfStore("{\\rtf1\\ansi hello}"));
    const QByteArray doc = CalendarDocument::Save(page);

    // List, version 4, kind 1, paper 0, orientation, four margins of 25 (tag 2).
    EXPECT_EQ(doc.left(7), QByteArray("\x01\x02\x04\x02\x01\x02\x00", 7));
    EXPECT_EQ(doc.mid(7, 2), QByteArray("\x02\x01", 2));
    EXPECT_EQ(doc.mid(9, 8), QByteArray("\x02\x19\x02\x19\x02\x19\x02\x19", 8));
    EXPECT_EQ(doc.at(18), char(LOFullCalendarLS));

    // 41 empty cell records of 21 bytes, and one with its text.
    EXPECT_EQ(doc.count(kEmptyCell), 41);
    const QByteArray withText = QByteArray("TPF0\x0dTWPRtfStorage\x00\x0cRtfText.Data\x0a", 33);
    const qsizetype at = doc.indexOf(withText);
    ASSERT_GT(at, 0);
    // Cell 1 is just before it, cells 3.. right after it.
    EXPECT_EQ(doc.mid(at - 21, 21), kEmptyCell);
    const qint32 n = qFromLittleEndian<qint32>(doc.constData() + at + 33);
    const QByteArray data = doc.mid(at + 37, n);
    EXPECT_TRUE(data.startsWith("{\\rtf"));
    EXPECT_TRUE(data.endsWith(QByteArray(4, '\0')));
    ASSERT_GT(n, 5);
    EXPECT_NE(data.at(n - 5), '\0');
    EXPECT_EQ(doc.mid(at + 37 + n, 2), QByteArray(2, '\0'));
    EXPECT_EQ(doc.mid(at + 39 + n, 21), kEmptyCell);
    // Planner hour and minute right before cell 1.
    EXPECT_EQ(doc.mid(at - 21 - 4, 4), QByteArray("\x02\x08\x02\x05", 4));
    // Empty title, end of settings, empty object list.
    EXPECT_TRUE(doc.endsWith(QByteArray("\x06\x00\x00\x01\x00", 5)));
}

TEST_F(DocumentTest, MarginsAreTruncatedHundredthsAndStayPut)
{
    TCalendarPanel32 page;
    page.SetLeftMarginInch(13.0f / 25.4f);  // 0.5118 inch
    const QByteArray doc = CalendarDocument::Save(page);
    EXPECT_EQ(doc.mid(9, 2), QByteArray("\x02\x33", 2));  // 51
    TCalendarPanel32 back;
    CalendarDocument::Load(back, doc);
    EXPECT_FLOAT_EQ(back.LeftMarginInch(), 0.51f);
    // Saved again, 0.51 is still 51, not 50.
    EXPECT_EQ(CalendarDocument::Save(back).mid(9, 2), QByteArray("\x02\x33", 2));
}

TEST_F(DocumentTest, SaveLoadSaveIsByteIdentical)
{
    TCalendarPanel32 page;
    FillEverything(page);
    const QByteArray first = CalendarDocument::Save(page);

    TCalendarPanel32 back;
    CalendarDocument::Load(back, first);
    EXPECT_TRUE(back.SameSettings(page));
    EXPECT_EQ(back.UserTitle(), page.UserTitle());
    EXPECT_EQ(back.MainCalDay(), 17);
    EXPECT_EQ(back.StartOfWeek(), 2);
    EXPECT_EQ(back.PlannerStartTime(), QTime(6, 45));
    EXPECT_EQ(back.GetMonthName(3), QStringLiteral("Mois 3 é"));
    EXPECT_EQ(back.MiniHeadersFont().Style, fsItalic | fsStrikeOut);
    EXPECT_EQ(back.CellStore(42)->RtfText(), page.CellStore(42)->RtfText());
    EXPECT_TRUE(back.CellStore(7)->Document().toPlainText().contains(QStringLiteral("Day 7 bold")));
    const QList<TDocTestShape*> shapes = Shapes(back);
    ASSERT_EQ(shapes.size(), 2);
    EXPECT_EQ(shapes[1]->Bounds(), QRect(11, 21, 31, 41));
    EXPECT_EQ(shapes[1]->Caption, QStringLiteral("shape 1"));
    EXPECT_EQ(shapes[0]->LoadedCount, 1);

    // The names come from the set-name handler, not the file (both said "Shape").
    EXPECT_EQ(shapes[0]->objectName(), QStringLiteral("Component0"));
    EXPECT_EQ(shapes[1]->objectName(), QStringLiteral("Component1"));
    QByteArray second = CalendarDocument::Save(back);
    // Only the component names differ; with the same names the bytes agree.
    for (TDocTestShape* s : shapes)
        s->setObjectName(QStringLiteral("Shape"));
    second = CalendarDocument::Save(back);
    EXPECT_EQ(second, first);
}

TEST_F(DocumentTest, NamesSkipThoseTheOwnerAlreadyHas)
{
    QObject owner;
    auto* page = new TCalendarPanel32(&owner);
    auto* taken = new QObject(&owner);
    taken->setObjectName(QStringLiteral("Component0"));
    const QByteArray doc = OldDocument(
        3, *page, QString(),
        ObjectList({ShapeRecord("TDocTestShape", "A", 1), ShapeRecord("TDocTestShape", "A", 2)}));
    CalendarDocument::Load(*page, doc, &owner);
    const QList<TDocTestShape*> shapes = Shapes(*page);
    ASSERT_EQ(shapes.size(), 2);
    EXPECT_EQ(shapes[0]->objectName(), QStringLiteral("Component1"));
    EXPECT_EQ(shapes[1]->objectName(), QStringLiteral("Component2"));
}

TEST_F(DocumentTest, OlderVersionsAndTheVersionTable)
{
    TCalendarPanel32 style;
    style.SetCalendarLayout(lo2Week);
    const QByteArray objects = ObjectList({ShapeRecord("TDocTestShape", "X", 5)});

    // Version 1: no title, no objects (what follows is never read).
    TCalendarPanel32 v1;
    CalendarDocument::Load(v1, OldDocument(1, style, QString(), objects));
    EXPECT_EQ(v1.CalendarLayout(), lo2Week);
    EXPECT_EQ(v1.MainCalYear(), 1999);
    EXPECT_EQ(v1.PlannerStartTime(), QTime(9, 30));
    EXPECT_TRUE(v1.Objects().isEmpty());

    // Version 2: title, no objects; saved again as version 4.
    TCalendarPanel32 v2;
    CalendarDocument::Load(v2, OldDocument(2, style, QStringLiteral("Old title"), objects));
    EXPECT_EQ(v2.UserTitle(), QStringLiteral("Old title"));
    EXPECT_TRUE(v2.Objects().isEmpty());
    const QByteArray again = CalendarDocument::Save(v2);
    EXPECT_EQ(again.left(3), QByteArray("\x01\x02\x04", 3));
    EXPECT_TRUE(again.endsWith(QByteArray("\x09Old title\x00\x01\x00", 13)));
    EXPECT_EQ(again.mid(5 + SettingsBlock(v2).size(), 2), QByteArray("\x06\x00", 2));

    // Version 3: objects. Versions 0 and 9 read as 1 and 4.
    TCalendarPanel32 v3;
    CalendarDocument::Load(v3, OldDocument(3, style, QString(), objects));
    EXPECT_EQ(Shapes(v3).size(), 1);
    TCalendarPanel32 v0;
    CalendarDocument::Load(v0, OldDocument(0, style, QString(), QByteArray()));
    QByteArray v9doc = OldDocument(4, style, QStringLiteral("T"), objects);
    v9doc[2] = 9;
    TCalendarPanel32 v9;
    CalendarDocument::Load(v9, v9doc);
    EXPECT_EQ(v9.UserTitle(), QStringLiteral("T"));
    EXPECT_EQ(Shapes(v9).size(), 1);
}

TEST_F(DocumentTest, ObjectListKeepsWhatWasReadBeforeAFault)
{
    TCalendarPanel32 style;
    const int aliveBefore = TDocTestShape::Alive();
    // An unknown class drops itself and everything after it, silently.
    TCalendarPanel32 page;
    CalendarDocument::Load(
        page, OldDocument(4, style, QString(),
                          ObjectList({ShapeRecord("TDocTestShape", "A", 1),
                                      ShapeRecord("TNoSuchThing", "B", 2),
                                      ShapeRecord("TDocTestShape", "C", 3)})));
    ASSERT_EQ(Shapes(page).size(), 1);
    EXPECT_EQ(Shapes(page)[0]->Left(), 1);

    // A record failing half-way is destroyed, the one before stays.
    QByteArray bad = ShapeRecord("TDocTestShape", "B", 2);
    bad.replace(QByteArray("Left"), QByteArray("Lfet"));
    TCalendarPanel32 page2;
    CalendarDocument::Load(page2, OldDocument(4, style, QString(),
                                              ObjectList({ShapeRecord("TDocTestShape", "A", 7), bad})));
    ASSERT_EQ(Shapes(page2).size(), 1);
    EXPECT_EQ(Shapes(page2)[0]->Left(), 7);
    EXPECT_EQ(TDocTestShape::Alive(), aliveBefore + 2);
}

TEST_F(DocumentTest, DamagedSettingsFailWithTheStreamMessage)
{
    TCalendarPanel32 page;
    const QByteArray good = CalendarDocument::Save(page);
    auto messageOf = [](const QByteArray& data) {
        TCalendarPanel32 p;
        try {
            CalendarDocument::Load(p, data);
        } catch (const ReadError& e) {
            return e.message();
        }
        return QString();
    };
    QByteArray notList = good;
    notList[0] = 2;
    EXPECT_EQ(messageOf(notList), QStringLiteral("Invalid property value"));
    EXPECT_EQ(messageOf(QByteArray()), QStringLiteral("Stream read error"));
    QByteArray layout = good;
    layout[18] = 99;  // layout out of range
    EXPECT_EQ(messageOf(layout), QStringLiteral("Invalid property value"));

    // A cell claiming 2 GB of text in a small file.
    TCalendarPanel32 one;
    one.SetCellText(1, RtfStore("{\\rtf1\\ansi x}"));
    QByteArray huge = CalendarDocument::Save(one);
    const qsizetype at = huge.indexOf("RtfText.Data") + 13;
    qToLittleEndian<qint32>(0x7FFFFFF0, huge.data() + at);
    EXPECT_TRUE(messageOf(huge).contains(QStringLiteral("Stream read error")));

    // A wrong cell signature.
    QByteArray sig = good;
    sig.replace(sig.indexOf("TPF0"), 4, "TPF1");
    EXPECT_EQ(messageOf(sig), QStringLiteral("Invalid stream format"));
}

TEST_F(DocumentTest, EveryTruncationFailsCleanlyOrKeepsPartOfTheObjectList)
{
    TCalendarPanel32 page;
    page.SetCellText(1, RtfStore(CellRtf(1).constData()));
    page.SetCellText(30, RtfStore(CellRtf(30).constData()));
    for (int n = 0; n < 3; ++n) {
        auto* s = new TDocTestShape;
        s->SetBounds(QRect(n, n, 5, 5));
        page.AddObject(s);
    }
    const QByteArray doc = CalendarDocument::Save(page);
    const qsizetype objectsStart = doc.lastIndexOf(QByteArray("\x00\x01TPF0", 6)) + 1;
    ASSERT_GT(objectsStart, 0);
    QElapsedTimer timer;
    timer.start();
    for (qsizetype cut = 0; cut < doc.size(); ++cut) {
        TCalendarPanel32 p;
        bool failed = false;
        try {
            CalendarDocument::Load(p, doc.left(cut));
        } catch (const ReadError&) {
            failed = true;
        }
        if (cut < objectsStart) {
            EXPECT_TRUE(failed) << "cut at " << cut;
        } else {
            EXPECT_FALSE(failed) << "cut at " << cut;
            // Only the list's end marker missing: every object is complete.
            EXPECT_EQ(p.Objects().size() == 3, cut == doc.size() - 1) << "cut at " << cut;
        }
    }
    EXPECT_LT(timer.elapsed(), 60000);
}

TEST_F(DocumentTest, BorderNameIsANameNotAPath)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Borders"));
    QFile outside(dir.path() + QStringLiteral("/Secret.wpo"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write("x");
    outside.close();
    QFile border(ProgramDir() + QStringLiteral("Borders/Holly.wpo"));
    QDir(ProgramDir()).mkpath(QStringLiteral("Borders"));
    ASSERT_TRUE(border.open(QIODevice::WriteOnly));
    border.write("x");
    border.close();

    TCalendarPanel32 style;
    style.SetCalendarLayout(loFullCalendar);
    auto withBorder = [&](const QString& name) {
        QByteArray doc = OldDocument(4, style, QString(), ObjectList({}));
        const QByteArray empty("\x06\x00", 2);
        const qsizetype at = 5 + SettingsBlock(style).size();
        EXPECT_EQ(doc.mid(at, 2), empty);
        QByteArray named("\x06");
        named += char(name.size());
        named += name.toLatin1();
        doc.replace(at, 2, named);
        TCalendarPanel32 p;
        p.SetCalendarLayout(loFullCalendar);
        CalendarDocument::Load(p, doc);
        return p.WMFBorderFile();
    };
    EXPECT_EQ(withBorder(QStringLiteral("Holly")), QStringLiteral("Holly"));
    EXPECT_EQ(withBorder(QStringLiteral("../") + QDir(dir.path()).dirName() + "/Secret"), QString());
    EXPECT_EQ(withBorder(dir.path() + QStringLiteral("/Secret")), QString());
    EXPECT_EQ(withBorder(QStringLiteral("..\\Secret")), QString());
    EXPECT_EQ(withBorder(QStringLiteral("Missing")), QString());
}

TEST_F(DocumentTest, StyleSheetCarriesSettingsOnly)
{
    TCalendarPanel32 source;
    FillEverything(source);
    const QByteArray style = CalendarDocument::SaveStyle(source);
    EXPECT_EQ(style.left(5), QByteArray("\x01\x02\x04\x02\x02", 5));
    EXPECT_TRUE(style.endsWith(QByteArray("\x06\x00\x00", 3)));

    TCalendarPanel32 target;
    target.SetCellText(5, RtfStore("{\\rtf1\\ansi keep}"));
    target.SetUserTitle(QStringLiteral("Mine"));
    target.SetMainCalMonth(4);
    target.AddObject(new TDocTestShape);
    int changes = 0;
    QObject::connect(&target, &TCalendarPanel32::SettingChanged, [&] { ++changes; });
    CalendarDocument::LoadStyle(target, style);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(target.CalendarLayout(), loFC6Before6After);
    EXPECT_EQ(target.TitleFont().Size(), 10);
    EXPECT_EQ(target.GetDayName(1), QStringLiteral("Jour1"));
    EXPECT_EQ(target.UserTitle(), QStringLiteral("Mine"));
    EXPECT_EQ(target.MainCalMonth(), 4);
    EXPECT_FALSE(target.CellStore(5)->IsEmpty());
    EXPECT_EQ(target.Objects().size(), 1);

    // Through files, with the names the properties dialog uses.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("style.dls"));
    SaveStyleSheet(source, path);
    TCalendarPanel32 fromFile;
    LoadStyleSheet(fromFile, path);
    TCalendarPanel32 fromBytes;
    CalendarDocument::LoadStyle(fromBytes, style);
    EXPECT_TRUE(fromFile.SameSettings(fromBytes));
    EXPECT_THROW(LoadStyleSheet(fromFile, dir.filePath(QStringLiteral("none.dls"))), ReadError);
    QByteArray truncated = style.left(style.size() - 10);
    EXPECT_THROW(CalendarDocument::LoadStyle(fromFile, truncated), ReadError);
}

TEST_F(DocumentTest, WritingNeverLeavesAHalfFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Cal.DLF"));
    TCalendarPanel32 page;
    CalendarDocument::SaveToFile(page, path);
    const QByteArray before = ReadFile(path);
    EXPECT_EQ(before, CalendarDocument::Save(page));

    // A folder that refuses new files: the old document stays whole.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    page.SetUserTitle(QStringLiteral("changed"));
    bool threw = false;
    try {
        CalendarDocument::SaveToFile(page, path);
    } catch (const WriteError& e) {
        threw = true;
        EXPECT_TRUE(e.message().contains(path));
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::geteuid() != 0) {
        EXPECT_TRUE(threw);
        EXPECT_EQ(ReadFile(path), before);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Cal.DLF")});
    EXPECT_THROW(CalendarDocument::SaveToFile(page, dir.filePath(QStringLiteral("no/such/x.DLF"))),
                 WriteError);
}

}  // namespace
}  // namespace dayloom::test
