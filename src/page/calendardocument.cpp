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

void writeFont(ValueWriter& w, const TFontData& f)
{
    w.WriteString(f.Name);
    w.WriteInteger(f.Size());
    w.WriteBoolean((f.Style & fsBold) != 0);
    w.WriteBoolean((f.Style & fsItalic) != 0);
    w.WriteBoolean((f.Style & fsUnderline) != 0);
    w.WriteBoolean((f.Style & fsStrikeOut) != 0);
    w.WriteInteger(f.Color);
}

void readFont(ValueReader& r, TFontData& f)
{
    f.Name = r.ReadString();
    f.Height = TFontData::HeightForSize(readRanged(r, -10000, 10000));
    TFontStyles style = 0;
    if (r.ReadBoolean())
        style |= fsBold;
    if (r.ReadBoolean())
        style |= fsItalic;
    if (r.ReadBoolean())
        style |= fsUnderline;
    if (r.ReadBoolean())
        style |= fsStrikeOut;
    f.Style = style;
    f.Color = r.ReadInteger();
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

void CalendarDocument::writeSettings(ValueWriter& w, const PageSettings& p)
{
    w.WriteInteger(p.PaperSize);
    w.WriteInteger(int(p.CalendarOrientation));
    w.WriteInteger(marginHundredths(p.LeftMarginInch));
    w.WriteInteger(marginHundredths(p.TopMarginInch));
    w.WriteInteger(marginHundredths(p.RightMarginInch));
    w.WriteInteger(marginHundredths(p.BottomMarginInch));
    w.WriteInteger(int(p.CalendarLayout));
    w.WriteInteger(int(p.CalendarBorder));
    w.WriteInteger(int(p.CalendarLineLayout));
    for (int i = 0; i < 12; ++i)
        w.WriteString(p.MonthNames.value(i));
    for (int i = 0; i < 7; ++i)
        w.WriteString(p.DayNames.value(i));
    w.WriteInteger(p.TitleBGColor);
    writeFont(w, p.TitleFont);
    w.WriteBoolean(p.TitleShowYear);
    writeFont(w, p.HeadersFont);
    w.WriteInteger(int(p.HeadersBorder));
    w.WriteInteger(int(p.HeadersStyle));
    w.WriteInteger(p.HeadersBGColor);
    writeFont(w, p.CellFont);
    w.WriteInteger(int(p.CellBorder));
    w.WriteInteger(int(p.MiniCalendarLineLayout));
    w.WriteInteger(int(p.MiniCalBorder));
    w.WriteInteger(p.MiniCalBGColor);
    w.WriteBoolean(p.MiniShowYear);
    writeFont(w, p.MiniTitleFont);
    writeFont(w, p.MiniHeadersFont);
    w.WriteInteger(p.MiniHeadersBGColor);
    w.WriteInteger(int(p.MiniHeadersStyle));
    w.WriteInteger(int(p.MiniHeadersBorder));
    w.WriteInteger(int(p.MiniCellBorder));
    writeFont(w, p.MiniCellFont);
    w.WriteInteger(int(p.NumberPosition));
}

QByteArray CalendarDocument::Save(const TCalendarPanel32& page)
{
    registerClasses();
    QByteArray out;
    ValueWriter w(&out);
    w.WriteListBegin();
    w.WriteInteger(Version);
    w.WriteInteger(KindDocument);
    const PageSettings& settings = page.Settings();
    writeSettings(w, settings);
    w.WriteString(settings.WMFBorderFile);
    w.WriteInteger(settings.MainCalDay);
    w.WriteInteger(settings.MainCalMonth);
    w.WriteInteger(settings.MainCalYear);
    w.WriteInteger(settings.StartOfWeek);
    const QTime start = settings.PlannerStartTime.isValid() ? settings.PlannerStartTime : QTime(8, 0);
    w.WriteInteger(start.hour());
    w.WriteInteger(start.minute());
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k) {
        RtfStorageComponent cell(page.CellStore(k));
        w.WriteRootComponent(&cell);
    }
    w.WriteString(settings.UserTitle);
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
    writeSettings(w, page.Settings());
    w.WriteString(page.Settings().WMFBorderFile);
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

void CalendarDocument::readSettings(ValueReader& r, PageSettings& p)
{
    const int paper = r.ReadInteger();
    p.PaperSize = paper == PaperA4 ? PaperA4 : PaperLetter;
    p.CalendarOrientation = TCalendarOrientation(readRanged(r, coPortrait, coLandscape));
    p.LeftMarginInch = readMargin(r);
    p.TopMarginInch = readMargin(r);
    p.RightMarginInch = readMargin(r);
    p.BottomMarginInch = readMargin(r);
    p.CalendarLayout = TCalendarLayout(readRanged(r, 0, CalendarLayoutCount - 1));
    p.CalendarBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.CalendarLineLayout = TCalendarLineLayout(readRanged(r, llFull, llCellsOnly));
    for (int i = 0; i < 12; ++i)
        p.MonthNames[i] = r.ReadString();
    for (int i = 0; i < 7; ++i)
        p.DayNames[i] = r.ReadString();
    p.TitleBGColor = r.ReadInteger();
    readFont(r, p.TitleFont);
    p.TitleShowYear = r.ReadBoolean();
    readFont(r, p.HeadersFont);
    p.HeadersBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.HeadersStyle = TCalHeadersStyle(readRanged(r, dsFirstChar, dsWhole));
    p.HeadersBGColor = r.ReadInteger();
    readFont(r, p.CellFont);
    p.CellBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.MiniCalendarLineLayout = TMiniCalendarLineLayout(readRanged(r, mllFull, mllMinimal));
    p.MiniCalBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.MiniCalBGColor = r.ReadInteger();
    p.MiniShowYear = r.ReadBoolean();
    readFont(r, p.MiniTitleFont);
    readFont(r, p.MiniHeadersFont);
    p.MiniHeadersBGColor = r.ReadInteger();
    p.MiniHeadersStyle = TCalHeadersStyle(readRanged(r, dsFirstChar, dsWhole));
    p.MiniHeadersBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    p.MiniCellBorder = TCalBorderStyle(readRanged(r, cbNone, cbTopBottom));
    readFont(r, p.MiniCellFont);
    p.NumberPosition = TCalendarNumberPosition(readRanged(r, cnpCenter, cnpUpperRight));
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
    // The settings are taken in at once; what was read before a fault stays
    // in the page all the same.
    PageSettings s = page.Settings();
    bool taken = false;
    auto take = [&] {
        if (!taken)
            page.ApplySettings(s, TCalendarPanel32::BorderLookup::ClearFirst, false);
        taken = true;
    };
    int version = 1;
    try {
        r.ReadListBegin();
        version = versionOf(r.ReadInteger());
        r.ReadInteger();  // the kind
        readSettings(r, s);
        s.WMFBorderFile.clear();
        if (version > 3)
            s.WMFBorderFile = r.ReadString();
        s.MainCalDay = readRanged(r, 0, 31);
        s.MainCalMonth = readRanged(r, 1, 12);
        s.MainCalYear = readRanged(r, 1, 9999);
        s.StartOfWeek = r.ReadInteger();
        const int hour = readRanged(r, 0, 23);
        const int minute = readRanged(r, 0, 59);
        s.PlannerStartTime = QTime(hour, minute, 0);
        for (int k = 1; k <= TCalendarPanel32::CellCount; ++k) {
            RtfStorageComponent cell(page.CellStore(k));
            r.ReadRootComponent(&cell);
        }
        if (version > 1)
            s.UserTitle = r.ReadString();
        r.ReadListEnd();
    } catch (...) {
        take();
        throw;
    }
    take();
    if (version > 2)
        result = readObjects(r, page, owner ? owner : &page);
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
    PageSettings s = page.Settings();
    try {
        r.ReadListBegin();
        const int version = versionOf(r.ReadInteger());
        r.ReadInteger();  // the kind
        readSettings(r, s);
        s.WMFBorderFile = version < 4 ? QString() : r.ReadString();
        r.ReadListEnd();
    } catch (...) {
        page.ApplySettings(s, TCalendarPanel32::BorderLookup::KeepMissing, true);
        throw;
    }
    page.ApplySettings(s, TCalendarPanel32::BorderLookup::KeepMissing, true);
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
