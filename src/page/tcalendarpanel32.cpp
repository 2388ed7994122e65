#include "page/tcalendarpanel32.h"

#include <cmath>

#include <QMetaMethod>
#include <QPainter>

#include "core/screen.h"
#include "dates/calendardates.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgimage.h"
#include "objects/tpicture.h"
#include "objects/tggraphiccontrol.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objects/tgsupertext.h"
#include "page/celltextcache.h"
#include "paint/monthpainter.h"
#include "page/pagelayout.h"
#include "paint/paintutil.h"
#include "page/plannerpainter.h"
#include "richtext/twprtfstorage.h"

namespace dayloom {

namespace {

template <typename T>
bool assignIfDifferent(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Counts a bulk change: no SettingChanged or repaint requests while it lives.
struct QuietScope {
    int& counter;
    explicit QuietScope(int& c) : counter(c) { ++counter; }
    ~QuietScope() { --counter; }
};

struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
};

bool validBorderName(const QString& name)
{
    // A name from a document must stay a plain file name inside "Borders".
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.startsWith(QLatin1Char('.')) && !name.contains(QChar(0));
}

}  // namespace

TCalendarPanel32::TCalendarPanel32(QObject* parent)
    : TGBasePanel(parent), m_s(PageSettings::Constructed())
{
    m_cellTextCache = std::make_unique<CellTextCache>();

    RecalcPageLayout(true);
    m_quiet = 0;
}

TCalendarPanel32::~TCalendarPanel32()
{
    // Objects may still look at the page while they go; stop reporting first.
    m_quiet = 1;
}

// ---- change plumbing ------------------------------------------------------

void TCalendarPanel32::settingChanged()
{
    if (m_quiet == 0)
        Q_EMIT SettingChanged();
}

void TCalendarPanel32::repaint()
{
    if (m_quiet == 0)
        Q_EMIT RepaintRequested();
}

void TCalendarPanel32::changed(bool relayout)
{
    m_records.reset();
    if (relayout)
        RecalcPageLayout(false);
    settingChanged();
    repaint();
}

void TCalendarPanel32::setFont(TFontData& target, const TFontData& font)
{
    TFontData f = font;
    f.Style &= 0xF;
    if (assignIfDifferent(target, f))
        changed(false);
}

void TCalendarPanel32::setBorder(TCalBorderStyle& field, TCalBorderStyle value)
{
    if (assignIfDifferent(field, value))
        changed(false);
}

void TCalendarPanel32::setMargin(float& field, float inches)
{
    // A margin that is not a number, negative or beyond any paper (from a
    // damaged document) is refused: the layout arithmetic would overflow.
    if (!std::isfinite(inches) || inches < 0.0f || inches > 100.0f)
        return;
    if (assignIfDifferent(field, inches))
        changed(true);
}

// ---- setters ----------------------------------------------------------------

void TCalendarPanel32::SetCalendarLayout(TCalendarLayout layout)
{
    if (int(layout) < 0 || int(layout) >= CalendarLayoutCount)
        return;
    if (!assignIfDifferent(m_s.CalendarLayout, layout))
        return;
    RecalcPageLayout(false);
    // The border picture depends on the orientation: load the one that
    // belongs to the new layout.
    if (!m_s.WMFBorderFile.isEmpty())
        SetWMFBorderFile(m_s.WMFBorderFile);
    settingChanged();
    repaint();
}

void TCalendarPanel32::SetCalendarOrientation(TCalendarOrientation orientation)
{
    if (assignIfDifferent(m_s.CalendarOrientation, orientation))
        changed(true);
}

void TCalendarPanel32::SetCalendarLineLayout(TCalendarLineLayout lineLayout)
{
    // The preset acts only when it changes.
    if (lineLayout == m_s.CalendarLineLayout || lineLayout < llFull || lineLayout > llCellsOnly)
        return;
    ApplyLineLayout(m_s, lineLayout);
    changed(false);
}

void TCalendarPanel32::SetMiniCalendarLineLayout(TMiniCalendarLineLayout lineLayout)
{
    if (lineLayout == m_s.MiniCalendarLineLayout || lineLayout < mllFull || lineLayout > mllMinimal)
        return;
    ApplyMiniLineLayout(m_s, lineLayout);
    changed(false);
}

void TCalendarPanel32::SetTitleFont(const TFontData& font) { setFont(m_s.TitleFont, font); }
void TCalendarPanel32::SetHeadersFont(const TFontData& font) { setFont(m_s.HeadersFont, font); }
void TCalendarPanel32::SetCellFont(const TFontData& font) { setFont(m_s.CellFont, font); }
void TCalendarPanel32::SetMiniTitleFont(const TFontData& font) { setFont(m_s.MiniTitleFont, font); }
void TCalendarPanel32::SetMiniHeadersFont(const TFontData& font) { setFont(m_s.MiniHeadersFont, font); }
void TCalendarPanel32::SetMiniCellFont(const TFontData& font) { setFont(m_s.MiniCellFont, font); }

void TCalendarPanel32::SetTitleBGColor(TColor color)
{
    if (assignIfDifferent(m_s.TitleBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetTitleShowYear(bool show)
{
    if (assignIfDifferent(m_s.TitleShowYear, show))
        changed(false);
}

void TCalendarPanel32::SetHeadersBorder(TCalBorderStyle border) { setBorder(m_s.HeadersBorder, border); }

void TCalendarPanel32::SetHeadersStyle(TCalHeadersStyle style)
{
    if (assignIfDifferent(m_s.HeadersStyle, style))
        changed(false);
}

void TCalendarPanel32::SetHeadersBGColor(TColor color)
{
    if (assignIfDifferent(m_s.HeadersBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetCellBorder(TCalBorderStyle border) { setBorder(m_s.CellBorder, border); }

void TCalendarPanel32::SetNumberPosition(TCalendarNumberPosition position)
{
    if (assignIfDifferent(m_s.NumberPosition, position))
        changed(false);
}

void TCalendarPanel32::SetCalendarBorder(TCalBorderStyle border) { setBorder(m_s.CalendarBorder, border); }

void TCalendarPanel32::SetStartOfWeek(int start)
{
    if (assignIfDifferent(m_s.StartOfWeek, start))
        changed(false);
}

void TCalendarPanel32::SetMainCalDay(int day)
{
    if (assignIfDifferent(m_s.MainCalDay, day))
        changed(true);
}

void TCalendarPanel32::SetMainCalMonth(int month)
{
    // A month outside 1..12 (from a damaged document, say) is refused so
    // that the painters never look up a month that does not exist.
    if (month < 1 || month > 12)
        return;
    if (assignIfDifferent(m_s.MainCalMonth, month))
        changed(true);
}

void TCalendarPanel32::SetMainCalYear(int year)
{
    if (year < 1 || year > 9999)
        return;
    if (assignIfDifferent(m_s.MainCalYear, year))
        changed(true);
}

void TCalendarPanel32::SetMiniHeadersBGColor(TColor color)
{
    if (assignIfDifferent(m_s.MiniHeadersBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetMiniHeadersStyle(TCalHeadersStyle style)
{
    if (assignIfDifferent(m_s.MiniHeadersStyle, style))
        changed(false);
}

void TCalendarPanel32::SetMiniCalBGColor(TColor color)
{
    if (assignIfDifferent(m_s.MiniCalBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetMiniCalBorder(TCalBorderStyle border) { setBorder(m_s.MiniCalBorder, border); }
void TCalendarPanel32::SetMiniHeadersBorder(TCalBorderStyle border) { setBorder(m_s.MiniHeadersBorder, border); }
void TCalendarPanel32::SetMiniCellBorder(TCalBorderStyle border) { setBorder(m_s.MiniCellBorder, border); }

void TCalendarPanel32::SetMiniShowYear(bool show)
{
    if (assignIfDifferent(m_s.MiniShowYear, show))
        changed(false);
}

void TCalendarPanel32::SetLeftMarginInch(float inches) { setMargin(m_s.LeftMarginInch, inches); }
void TCalendarPanel32::SetTopMarginInch(float inches) { setMargin(m_s.TopMarginInch, inches); }
void TCalendarPanel32::SetRightMarginInch(float inches) { setMargin(m_s.RightMarginInch, inches); }
void TCalendarPanel32::SetBottomMarginInch(float inches) { setMargin(m_s.BottomMarginInch, inches); }

void TCalendarPanel32::SetUserTitle(const QString& title)
{
    if (assignIfDifferent(m_s.UserTitle, title))
        changed(false);
}

QString TCalendarPanel32::BorderFilePath(const QString& name) const
{
    if (name.isEmpty() || !validBorderName(name))
        return QString();
    const QString ext = m_s.CalendarOrientation == coLandscape ? QStringLiteral(".wls") : QStringLiteral(".wpo");
    return FindDataFile(QStringLiteral("Borders/") + name + ext);
}

void TCalendarPanel32::SetBorderPictureLoader(std::function<bool(const QString&)> loader)
{
    m_borderLoader = std::move(loader);
}

void TCalendarPanel32::SetBorderPicturePainter(std::function<void(QPainter&, const QRectF&)> painter)
{
    m_borderPainter = std::move(painter);
    repaint();
}

void TCalendarPanel32::SetWMFBorderFile(const QString& name)
{
    const QString before = m_s.WMFBorderFile;
    if (name.isEmpty()) {
        m_s.WMFBorderFile.clear();
        if (m_borderLoader)
            m_borderLoader(QString());
    } else {
        const QString path = BorderFilePath(name);
        if (!path.isEmpty()) {
            bool loaded = true;
            if (m_borderLoader) {
                try {
                    loaded = m_borderLoader(path);
                } catch (...) {
                    loaded = false;
                }
            }
            m_s.WMFBorderFile = loaded ? name : QString();
        }
        // a missing file keeps the previous border
    }
    RecalcPageLayout(false);
    if (before != m_s.WMFBorderFile)
        settingChanged();
    repaint();
}

void TCalendarPanel32::SetPaperSize(int paperSize)
{
    if (paperSize != PaperLetter && paperSize != PaperA4)
        paperSize = PaperLetter;
    if (assignIfDifferent(m_s.PaperSize, paperSize))
        changed(true);
}

void TCalendarPanel32::SetPlannerStartTime(const QTime& time)
{
    if (!time.isValid())
        return;
    if (assignIfDifferent(m_s.PlannerStartTime, time))
        changed(true);
}

QString TCalendarPanel32::GetMonthName(int index) const
{
    return index >= 1 && index <= 12 ? m_s.MonthNames.at(index - 1) : QString();
}

void TCalendarPanel32::SetMonthName(int index, const QString& name)
{
    if (index < 1 || index > 12)
        return;
    if (assignIfDifferent(m_s.MonthNames[index - 1], name))
        changed(false);
}

QString TCalendarPanel32::GetDayName(int index) const
{
    return index >= 1 && index <= 7 ? m_s.DayNames.at(index - 1) : QString();
}

void TCalendarPanel32::SetDayName(int index, const QString& name)
{
    if (index < 1 || index > 7)
        return;
    if (assignIfDifferent(m_s.DayNames[index - 1], name))
        changed(false);
}

void TCalendarPanel32::CreateObjectInRect(const QRect& drawn)
{
    if (m_creatingObject)
        return;
    m_creatingObject = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_creatingObject};
    QRect r = drawn;
    if (r.width() < 25)
        r.setWidth(50);
    if (r.height() < 15)
        r.setHeight(15);
    switch (PanelState()) {
    case psLabel: {
        auto* label = new TGPLabel(this);
        PlaceObject(label, r);
        label->SetCaption(QStringLiteral("Enter text..."));
        label->Font()->Assign(*Font());
        label->Font()->SetSize(20);
        label->SetTransparent(false);
        label->SetBorderStyle(bsSingle);
        SetPanelState(psPointing);
        label->EditText();
        break;
    }
    case psRichLabel: {
        auto* label = new TGPRichBaseLabel(this);
        try {
            label->Setup();
        } catch (...) {
            delete label;
            SetPanelState(psPointing);
            throw;
        }
        PlaceObject(label, r);
        Q_EMIT CursorRequested(Qt::ArrowCursor);
        label->SetTransparent(false);
        label->SetBorderStyle(bsSingle);
        SetPanelState(psPointing);
        label->EditRichText();
        break;
    }
    case psFlatCalendar:
        PlaceObject(new TGFlatCalendar(this), r);
        SetPanelState(psPointing);
        break;
    case psImage: {
        auto* image = new TGImage(this);
        PlaceObject(image, r);
        SetPanelState(psPointing);
        image->LoadImageFromDisk();
        // Nothing chosen: the new box goes again.
        if (image->Picture()->IsEmpty())
            DeleteObject(image);
        break;
    }
    case psSuperText: {
        auto* text = new TGSuperText(this, TGSuperText::FramedOnWhite);
        PlaceObject(text, r);
        SetPanelState(psPointing);
        text->SetBorderStyle(bsSingle);
        text->SetControlTransparent(false);
        text->SetBGColor(clWhite);
        // Cancel keeps the new object as it is.
        text->EditProperties();
        break;
    }
    default:
        break;
    }
}

void TCalendarPanel32::SetPanelState(TLPanelState state)
{
    TGBasePanel::SetPanelState(state);
}

// ---- whole-page operations ----------------------------------------------------

void TCalendarPanel32::ResetPage()
{
    {
        QuietScope quiet(m_quiet);
        const CalendarDate today = Today();
        ResetSettings(m_s, today.Year, today.Month, today.Day);
        SetCalendarLineLayout(llFull);
        SetMiniCalendarLineLayout(mllBoxed);
        SetWMFBorderFile(QString());
        RecalcPageLayout(true);
    }
    repaint();
}

void TCalendarPanel32::CopySettingsFrom(const TCalendarPanel32& other)
{
    if (&other == this)
        return;
    const bool differed = !dayloom::SameSettings(m_s, other.m_s);
    {
        QuietScope quiet(m_quiet);
        CopySettings(m_s, other.m_s);
        SetCalendarLineLayout(other.m_s.CalendarLineLayout);
        SetMiniCalendarLineLayout(other.m_s.MiniCalendarLineLayout);
        SetUserTitle(other.m_s.UserTitle);
        // the border picture is loaded for this page's orientation
        RecalcPageLayout(false);
        SetWMFBorderFile(other.m_s.WMFBorderFile);
        RecalcPageLayout(false);
    }
    if (differed)
        settingChanged();
    repaint();
}

bool TCalendarPanel32::SameSettings(const TCalendarPanel32& other) const
{
    return dayloom::SameSettings(m_s, other.m_s);
}

void TCalendarPanel32::ApplySettings(const PageSettings& settings, BorderLookup lookup, bool report)
{
    {
        QuietScope quiet(m_quiet);
        const QString border = settings.WMFBorderFile;
        const QString current = m_s.WMFBorderFile;
        m_s = settings;
        m_s.WMFBorderFile = current;
        if (!m_s.PlannerStartTime.isValid())
            m_s.PlannerStartTime = QTime(8, 0);
        if (lookup == BorderLookup::ClearFirst)
            SetWMFBorderFile(QString());
        SetWMFBorderFile(border);
        RecalcPageLayout(false);
    }
    if (report)
        settingChanged();
    repaint();
}

int TCalendarPanel32::LayoutKind() const
{
    const int l = int(m_s.CalendarLayout);
    if (l <= int(loFC12AfterLS))
        return 0;
    if (l <= int(loMC60MonthLS))
        return 1;
    return 2 + (l - int(loWeek));
}

void TCalendarPanel32::ApplyMainWindowDescription(TCalendarPanel32& page)
{
    {
        QuietScope quiet(page.m_quiet);
        PageSettings& s = page.m_s;
        auto times = [](int height, TFontStyles style, TColor color) {
            TFontData f;
            f.Name = QStringLiteral("Times New Roman");
            f.Height = -height;
            f.Style = style;
            f.Color = color;
            return f;
        };
        s.TitleFont = times(35, fsBold, clBlack);
        s.HeadersFont = times(21, fsBold, clBlack);
        s.CellFont = times(21, fsBold, clBlack);
        s.MiniTitleFont = s.MiniTitleFont.WithHeight(-13).WithStyle(fsBold);
        s.MiniHeadersFont = s.MiniHeadersFont.WithHeight(-11).WithColor(clWhite);
        s.MiniHeadersBGColor = clBlack;
        s.MiniCellFont = s.MiniCellFont.WithHeight(-11);
        page.m_s.CalendarLayout = loFCMinisInTitleLS;
        page.m_s.CalendarOrientation = coLandscape;
        page.m_s.MiniCellBorder = cbAll;
        page.m_s.HeadersStyle = dsWhole;
        page.m_s.MainCalMonth = 12;
        page.m_s.MainCalYear = 1997;
        page.m_s.LeftMarginInch = page.m_s.TopMarginInch = page.m_s.RightMarginInch = page.m_s.BottomMarginInch = 0.25f;
        page.RecalcPageLayout(false);
    }
    page.repaint();
}

// ---- layout ----------------------------------------------------------------

void TCalendarPanel32::RecalcPageLayout(bool resetMiniFonts)
{
    PageLayout::Input in;
    in.Layout = m_s.CalendarLayout;
    in.PaperSize = m_s.PaperSize;
    in.LeftMargin = m_s.LeftMarginInch;
    in.TopMargin = m_s.TopMarginInch;
    in.RightMargin = m_s.RightMarginInch;
    in.BottomMargin = m_s.BottomMarginInch;
    in.BorderInset = !m_s.WMFBorderFile.isEmpty();
    in.Month = m_s.MainCalMonth;
    in.Year = m_s.MainCalYear;
    in.PPI = ScreenPPI();
    m_layout = PageLayout::Compute(in);
    m_s.CalendarOrientation = m_layout.Orientation;
    m_records.reset();

    if (resetMiniFonts) {
        const int size = PageLayout::MiniFontSize(m_s.CalendarLayout);
        if (size > 0) {
            const int small = int(std::trunc(0.8 * size));
            if (!(m_s.MiniTitleFont == m_s.MiniTitleFont.WithSize(size)) ||
                !(m_s.MiniHeadersFont == m_s.MiniHeadersFont.WithSize(small)) ||
                !(m_s.MiniCellFont == m_s.MiniCellFont.WithSize(small))) {
                m_s.MiniTitleFont = m_s.MiniTitleFont.WithSize(size);
                m_s.MiniHeadersFont = m_s.MiniHeadersFont.WithSize(small);
                m_s.MiniCellFont = m_s.MiniCellFont.WithSize(small);
                settingChanged();
            }
        }
    }
    SetSize(QSize(m_layout.PageWidthPx, m_layout.PageHeightPx));
    repaint();
}

TMiniCalendar TCalendarPanel32::Mini(int index) const
{
    if (index < 1 || index > m_layout.Minis.size())
        return TMiniCalendar();
    return m_layout.Minis.at(index - 1);
}

// ---- painting ----------------------------------------------------------------

void TCalendarPanel32::SetVisible(bool visible)
{
    if (assignIfDifferent(m_visible, visible))
        repaint();
}

void TCalendarPanel32::SetSuppressPainting(bool suppress)
{
    if (assignIfDifferent(m_suppressPainting, suppress) && !suppress)
        repaint();
}

void TCalendarPanel32::PaintToBitmap(QImage& image, const PageMapping& mapping)
{
    if (m_painting)
        return;
    FlagScope guard(m_painting);
    if (image.isNull()) {
        image = QImage(mapping.MapSize(Size()), QImage::Format_RGB32);
        const int dpm = int(std::lround(double(mapping.FontPPI) / 0.0254));
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
    }
    if (image.isNull())
        return;
    image.fill(Qt::white);
    QPainter p(&image);
    PaintPage(p, mapping);
    PaintObjects(p, mapping);
}

void TCalendarPanel32::PaintView(QPainter& painter, QImage& offscreen)
{
    const PageMapping& mapping = View();
    const QSize size = mapping.MapSize(Size());
    if (!m_visible || m_suppressPainting || m_painting || size.isEmpty())
        return;
    FlagScope guard(m_painting);
    if (offscreen.size() != size) {
        offscreen = QImage(size, QImage::Format_RGB32);
        const int dpm = int(std::lround(double(mapping.FontPPI) / 0.0254));
        offscreen.setDotsPerMeterX(dpm);
        offscreen.setDotsPerMeterY(dpm);
    }
    offscreen.fill(Qt::white);
    {
        QPainter ip(&offscreen);
        PaintPage(ip, mapping);
    }
    painter.drawImage(QPoint(0, 0), offscreen);
    painter.setFont(PageFont(m_s.CellFont, mapping));
    painter.setBrush(Qt::NoBrush);
    PaintObjects(painter, mapping);
    PaintHandles(painter);
    PaintOverlay(painter);
}

void TCalendarPanel32::PrintPage(QPainter& painter, const PageMapping& paper)
{
    painter.save();
    PaintPage(painter, paper);
    painter.restore();
    PaintObjects(painter, paper);
}

PageGeometry TCalendarPanel32::Geometry(const PageMapping& mapping) const
{
    return PageRender(m_s, m_layout).Geometry(mapping);
}

void TCalendarPanel32::PaintPage(QPainter& painter, const PageMapping& mapping)
{
    PageRender(m_s, m_layout).Paint(painter, mapping, m_stores, *m_cellTextCache, m_borderPainter);
}

// ---- day cells ----------------------------------------------------------------

const PageGeometry& TCalendarPanel32::Records() const
{
    // Made by the render step at zoom 1 on the page's own pixels per inch.
    if (!m_records)
        m_records = Geometry(PageMapping::Screen(Zoom(), m_layout.PPI));
    return *m_records;
}

TCellRecord TCalendarPanel32::CellRecord(int cell) const
{
    if (cell < 1 || cell > CellCount)
        return TCellRecord();
    return Records().Cells[cell - 1];
}

bool TCalendarPanel32::CellEventConnected() const
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(&TCalendarPanel32::ClickedInCellEvent);
    return isSignalConnected(signal);
}

void TCalendarPanel32::raiseCellEvent(int cell)
{
    const TCellRecord rec = CellRecord(cell);
    Q_EMIT ClickedInCellEvent(rec.rTotal, rec.rFree, cell, rec.Day, m_stores.Store(cell));
}

void TCalendarPanel32::CellClick(int cell)
{
    if (cell >= 1 && cell <= CellCount && CellEventConnected())
        raiseCellEvent(cell);
}

void TCalendarPanel32::CellClickPrevious(int cell)
{
    if (cell <= 1 || cell > CellCount)
        return;
    if (!CellRecord(cell - 1).rFree.IsZero() && CellEventConnected())
        raiseCellEvent(cell - 1);
}

void TCalendarPanel32::CellClickNext(int cell)
{
    if (cell < 1 || cell >= CellCount)
        return;
    if (!CellRecord(cell + 1).rFree.IsZero() && CellEventConnected())
        raiseCellEvent(cell + 1);
}

int TCalendarPanel32::CellDay(int cell) const
{
    return CellRecord(cell).Day;
}

int TCalendarPanel32::DayCell(int day) const
{
    const PageGeometry& g = Records();
    for (int k = 0; k < CellCount; ++k)
        if (g.Cells[k].Day == day)
            return k + 1;
    return -1;
}

TWPRtfStorage* TCalendarPanel32::CellStore(int cell, TWPRtfStorage* fallback) const
{
    TWPRtfStorage* store = m_stores.Store(cell);
    return store ? store : fallback;
}

void TCalendarPanel32::SetCellText(int cell, const TWPRtfStorage& text)
{
    if (m_stores.SetText(cell, text))
        repaint();
}

void TCalendarPanel32::ClearCells()
{
    m_stores.Clear();
    repaint();
}

}  // namespace dayloom
