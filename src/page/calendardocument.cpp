#include "page/calendardocument.h"

#include <cmath>

#include <QSet>

#include "core/readerror.h"
#include "objects/pageobjectclasses.h"
#include "objects/tggraphiccontrol.h"
#include "page/rtfstoragecomponent.h"
#include "page/tcalendarpanel32.h"
#include "stream/componentregistry.h"
#include "stream/valuereader.h"
#include "stream/valuetag.h"
#include "stream/valuewriter.h"
#include "stream/writeerror.h"

namespace dayloom {

namespace {

// Settings changed while reading are stored quietly: no change reports and
// no repaint until the page is complete.
struct QuietCounter {
    int& counter;
    explicit QuietCounter(int& c) : counter(c) { ++counter; }
    ~QuietCounter() { --counter; }
};

[[noreturn]] void invalidValue() { throw ReadError(streamerror::InvalidPropertyValue); }

int readRanged(ValueReader& r, int low, int high)
{
    const int v = r.ReadInteger();
    if (v < low || v > high)
        invalidValue();
    return v;
}

// Margins are kept in hundredths of an inch, truncated. The small allowance
// keeps a value read back from the file (0.51 is 0.50999999 as a float) at
// the number it was read from.
int marginHundredths(float inches)
{
    return int(std::trunc(double(inches) * 100.0 + 1e-3));
}

float readMargin(ValueReader& r)
{
    // Beyond 100 inches no paper holds it; the layout would overflow.
    // The nearest float to the hundredths, as a typed-in value would be.
    return float(double(readRanged(r, 0, 10000)) / 100.0);
}

void writeFont(ValueWriter& w, const TFont& f)
{
    w.WriteString(f.Name());
    w.WriteInteger(f.Size());
    w.WriteBoolean((f.Style() & fsBold) != 0);
    w.WriteBoolean((f.Style() & fsItalic) != 0);
    w.WriteBoolean((f.Style() & fsUnderline) != 0);
    w.WriteBoolean((f.Style() & fsStrikeOut) != 0);
    w.WriteInteger(f.Color());
}

void readFont(ValueReader& r, TFont& f)
{
    f.SetName(r.ReadString());
    f.SetSize(readRanged(r, -10000, 10000));
    TFontStyles style = 0;
    if (r.ReadBoolean())
        style |= fsBold;
    if (r.ReadBoolean())
        style |= fsItalic;
    if (r.ReadBoolean())
        style |= fsUnderline;
    if (r.ReadBoolean())
        style |= fsStrikeOut;
    f.SetStyle(style);
    f.SetColor(r.ReadInteger());
}

void registerClasses()
{
    RtfStorageComponent::Register(ComponentRegistry::Global());
    RegisterPageObjectClasses(ComponentRegistry::Global());
}

int versionOf(int v) { return v > CalendarDocument::Version ? CalendarDocument::Version : (v < 1 ? 1 : v); }

void writeFile(const QString& path, const QByteArray& bytes)
{
    if (!SaveFileContents(path, bytes))
        throw WriteError(QStringLiteral("Unable to write ") + path);
}

}  // namespace

// ---- writing -----------------------------------------------------------------

void CalendarDocument::writeSettings(ValueWriter& w, const TCalendarPanel32& p)
{
    w.WriteInteger(p.m_paperSize);
    w.WriteInteger(int(p.m_orientation));
    w.WriteInteger(marginHundredths(p.m_leftMargin));
    w.WriteInteger(marginHundredths(p.m_topMargin));
    w.WriteInteger(marginHundredths(p.m_rightMargin));
    w.WriteInteger(marginHundredths(p.m_bottomMargin));
    w.WriteInteger(int(p.m_layout));
    w.WriteInteger(int(p.m_calendarBorder));
    w.WriteInteger(int(p.m_lineLayout));
    for (int i = 0; i < 12; ++i)
        w.WriteString(p.m_monthNames.value(i));
    for (int i = 0; i < 7; ++i)
        w.WriteString(p.m_dayNames.value(i));
    w.WriteInteger(p.m_titleBGColor);
    writeFont(w, *p.m_titleFont);
    w.WriteBoolean(p.m_titleShowYear);
    writeFont(w, *p.m_headersFont);
    w.WriteInteger(int(p.m_headersBorder));
    w.WriteInteger(int(p.m_headersStyle));
    w.WriteInteger(p.m_headersBGColor);
    writeFont(w, *p.m_cellFont);
    w.WriteInteger(int(p.m_cellBorder));
    w.WriteInteger(int(p.m_miniLineLayout));
    w.WriteInteger(int(p.m_miniCalBorder));
    w.WriteInteger(p.m_miniCalBGColor);
    w.WriteBoolean(p.m_miniShowYear);
    writeFont(w, *p.m_miniTitleFont);
    writeFont(w, *p.m_miniHeadersFont);
    w.WriteInteger(p.m_miniHeadersBGColor);
    w.WriteInteger(int(p.m_miniHeadersStyle));
    w.WriteInteger(int(p.m_miniHeadersBorder));
    w.WriteInteger(int(p.m_miniCellBorder));
    writeFont(w, *p.m_miniCellFont);
    w.WriteInteger(int(p.m_numberPosition));
}

QByteArray CalendarDocument::Save(const TCalendarPanel32& page)
{
    registerClasses();
    QByteArray out;
    ValueWriter w(&out);
    w.WriteListBegin();
    w.WriteInteger(Version);
    w.WriteInteger(KindDocument);
    writeSettings(w, page);
    w.WriteString(page.m_borderFile);
    w.WriteInteger(page.m_mainDay);
    w.WriteInteger(page.m_mainMonth);
    w.WriteInteger(page.m_mainYear);
    w.WriteInteger(page.m_startOfWeek);
    const QTime start = page.m_plannerStart.isValid() ? page.m_plannerStart : QTime(8, 0);
    w.WriteInteger(start.hour());
    w.WriteInteger(start.minute());
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k) {
        RtfStorageComponent cell(page.CellStore(k));
        w.WriteRootComponent(&cell);
    }
    w.WriteString(page.m_userTitle);
    w.WriteListEnd();
    w.WriteListBegin();
    for (const TGGraphicControl* object : page.Objects()) {
        if (!ComponentRegistry::Global().ClassOf(object))
            throw WriteError(QStringLiteral("A page object of class %1 cannot be stored")
                                 .arg(QString::fromLatin1(object->metaObject()->className())));
        w.WriteRootComponent(object);
    }
    w.WriteListEnd();
    w.Flush();
    return out;
}

QByteArray CalendarDocument::SaveStyle(const TCalendarPanel32& page)
{
    QByteArray out;
    ValueWriter w(&out);
    w.WriteListBegin();
    w.WriteInteger(Version);
    w.WriteInteger(KindStyleSheet);
    writeSettings(w, page);
    w.WriteString(page.m_borderFile);
    w.WriteListEnd();
    w.Flush();
    return out;
}

void CalendarDocument::SaveToFile(const TCalendarPanel32& page, const QString& path)
{
    writeFile(path, Save(page));
}

// ---- reading -----------------------------------------------------------------

QByteArray CalendarDocument::ReadWholeFile(const QString& path, InputKind kind)
{
    QByteArray data;
    if (ReadInputFile(path, kind, &data) != InputFault::None)
        throw ReadError(streamerror::StreamReadError);
    return data;
}

void CalendarDocument::readSettings(ValueReader& r, TCalendarPanel32& p)
{
    const int paper = r.ReadInteger();
    p.m_paperSize = paper == PaperA4 ? PaperA4 : PaperLetter;
    p.m_orientation = TCalendarOrientation(readRanged(r, coPortrait, coLandscape));
    p.m_leftMargin = readMargin(r);
    p.m_topMargin = readMargin(r);
    p.m_rightMargin = readMargin(r);
    p.m_bottomMargin = readMargin(r);
    p.m_layout = TCalendarLayout(readRanged(r, 0, CalendarLayoutCount - 1));
    p.m_calendarBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.m_lineLayout = TCalendarLineLayout(readRanged(r, llFull, llCellsOnly));
    for (int i = 0; i < 12; ++i)
        p.m_monthNames[i] = r.ReadString();
    for (int i = 0; i < 7; ++i)
        p.m_dayNames[i] = r.ReadString();
    p.m_titleBGColor = r.ReadInteger();
    readFont(r, *p.m_titleFont);
    p.m_titleShowYear = r.ReadBoolean();
    readFont(r, *p.m_headersFont);
    p.m_headersBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.m_headersStyle = TCalHeadersStyle(readRanged(r, dsFirstChar, dsWhole));
    p.m_headersBGColor = r.ReadInteger();
    readFont(r, *p.m_cellFont);
    p.m_cellBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.m_miniLineLayout = TMiniCalendarLineLayout(readRanged(r, mllFull, mllMinimal));
    p.m_miniCalBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.m_miniCalBGColor = r.ReadInteger();
    p.m_miniShowYear = r.ReadBoolean();
    readFont(r, *p.m_miniTitleFont);
    readFont(r, *p.m_miniHeadersFont);
    p.m_miniHeadersBGColor = r.ReadInteger();
    p.m_miniHeadersStyle = TCalHeadersStyle(readRanged(r, dsFirstChar, dsWhole));
    p.m_miniHeadersBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.m_miniCellBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    readFont(r, *p.m_miniCellFont);
    p.m_numberPosition = TCalendarNumberPosition(readRanged(r, cnpCenter, cnpUpperRight));
}

DocumentLoadResult CalendarDocument::readObjects(ValueReader& r, TCalendarPanel32& page,
                                                 QObject* owner)
{
    // Names already taken below the owner; the stored names are not used.
    QSet<QString> taken;
    for (const QObject* o : owner->findChildren<QObject*>())
        if (!o->objectName().isEmpty())
            taken.insert(o->objectName());
    // Names are only ever added, so the lowest free number never goes down.
    int next = 0;
    r.SetNameHandler([&taken, &next](QObject*, QString& name) {
        name.clear();
        for (; next <= 1000; ++next) {
            const QString candidate = QStringLiteral("Component") + QString::number(next);
            if (!taken.contains(candidate)) {
                taken.insert(candidate);
                name = candidate;
                ++next;
                return;
            }
        }
    });
    DocumentLoadResult result;
    try {
        r.ReadListBegin();
        r.ReadComponents(owner, &page, [&page, &result](QObject* component) {
            if (auto* object = qobject_cast<TGGraphicControl*>(component)) {
                page.AddObject(object);
                ++result.ObjectsRead;
            } else {
                delete component;
            }
        });
    } catch (const std::exception&) {
        // What was read stays; a damaged or unknown object ends the list.
        result.ObjectListComplete = false;
    }
    r.SetNameHandler({});
    return result;
}

DocumentLoadResult CalendarDocument::Load(TCalendarPanel32& page, const QByteArray& data,
                                          QObject* owner)
{
    DocumentLoadResult result;
    registerClasses();
    ValueReader r(data);
    r.SetErrorHandler({});  // every error is raised
    {
        QuietCounter quiet(page.m_quiet);
        r.ReadListBegin();
        const int version = versionOf(r.ReadInteger());
        r.ReadInteger();  // the kind
        readSettings(r, page);
        page.SetWMFBorderFile(QString());
        if (version > 3)
            page.SetWMFBorderFile(r.ReadString());
        page.m_mainDay = readRanged(r, 0, 31);
        page.m_mainMonth = readRanged(r, 1, 12);
        page.m_mainYear = readRanged(r, 1, 9999);
        page.m_startOfWeek = r.ReadInteger();
        const int hour = readRanged(r, 0, 23);
        const int minute = readRanged(r, 0, 59);
        page.m_plannerStart = QTime(hour, minute, 0);
        for (int k = 1; k <= TCalendarPanel32::CellCount; ++k) {
            RtfStorageComponent cell(page.CellStore(k));
            r.ReadRootComponent(&cell);
        }
        if (version > 1)
            page.m_userTitle = r.ReadString();
        r.ReadListEnd();
        if (version > 2)
            result = readObjects(r, page, owner ? owner : &page);
        page.RecalcPageLayout(false);
    }
    return result;
}

DocumentLoadResult CalendarDocument::LoadFromFile(TCalendarPanel32& page, const QString& path,
                                                  QObject* owner)
{
    return Load(page, ReadWholeFile(path), owner);
}

void CalendarDocument::LoadStyle(TCalendarPanel32& page, const QByteArray& data)
{
    ValueReader r(data);
    {
        QuietCounter quiet(page.m_quiet);
        r.ReadListBegin();
        const int version = versionOf(r.ReadInteger());
        r.ReadInteger();  // the kind
        readSettings(r, page);
        if (version < 4)
            page.SetWMFBorderFile(QString());
        else
            page.SetWMFBorderFile(r.ReadString());
        r.ReadListEnd();
        page.RecalcPageLayout(false);
    }
    page.settingChanged();
    page.repaint();
}

void SaveStyleSheet(const TCalendarPanel32& page, const QString& path)
{
    writeFile(path, CalendarDocument::SaveStyle(page));
}

void LoadStyleSheet(TCalendarPanel32& page, const QString& path)
{
    CalendarDocument::LoadStyle(page, CalendarDocument::ReadWholeFile(path, InputKind::StyleSheet));
}

QString UnableToOpenText(const QString& path, bool styleSheet)
{
    return QStringLiteral("Unable to open ") + path +
           QStringLiteral(".\nPossibly corrupted, possibly not a Calendar ") +
           (styleSheet ? QStringLiteral("Style file") : QStringLiteral("file"));
}

QString PartialReadText(int objectsRead)
{
    return QString::number(objectsRead) +
           QStringLiteral(" objects were read; the rest of the document could not be read. "
                          "Saving it will write it without them.");
}

QString PartialSaveQuestion()
{
    return QStringLiteral("This document was read only in part. Saving will replace it without "
                          "the objects that could not be read. Save anyway?");
}

}  // namespace dayloom
