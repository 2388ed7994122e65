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
#include "page/celltextcache.h"
#include "page/monthpainter.h"
#include "page/pagelayout.h"
#include "page/paintutil.h"
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

TFont* makeFont(QObject* parent, const char* name, int points, TFontStyles style, TColor color)
{
    auto* f = new TFont(parent);
    f->SetName(QString::fromLatin1(name));
    f->SetSize(points);
    f->SetStyle(style);
    f->SetColor(color);
    return f;
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

TCalendarPanel32::TCalendarPanel32(QObject* parent) : TGBasePanel(parent)
{
    m_titleFont = makeFont(this, "Times New Roman", 26, fsBold, clWindowText);
    m_headersFont = makeFont(this, "Times New Roman", 16, fsBold, clWindowText);
    m_cellFont = makeFont(this, "Times New Roman", 16, fsBold, clWindowText);
    m_miniTitleFont = makeFont(this, "Times New Roman", 6, fsBold, clWindowText);
    m_miniHeadersFont = makeFont(this, "Times New Roman", 8, 0, clWhite);
    m_miniCellFont = makeFont(this, "Times New Roman", 6, 0, clWindowText);
    for (TFont* f : {m_titleFont, m_headersFont, m_cellFont, m_miniTitleFont, m_miniHeadersFont,
                     m_miniCellFont})
        connectFont(f);

    m_blankStore = std::make_unique<TWPRtfStorage>();
    for (auto& s : m_stores)
        s = std::make_unique<TWPRtfStorage>();
    m_cellTextCache = std::make_unique<CellTextCache>();

    loadLocaleNames();
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
    if (relayout)
        RecalcPageLayout(false);
    settingChanged();
    repaint();
}

void TCalendarPanel32::connectFont(TFont* font)
{
    connect(font, &TFont::changed, this, [this] {
        settingChanged();
        repaint();
    });
}

void TCalendarPanel32::setFont(TFont* target, const TFont& font)
{
    target->Assign(font);  // reports through its changed() when it differs
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

void TCalendarPanel32::loadLocaleNames()
{
    m_monthNames = LocaleLongMonthNames();
    while (m_monthNames.size() < 12)
        m_monthNames.append(QString());
    m_monthNames = m_monthNames.mid(0, 12);
    m_dayNames = LocaleLongDayNames();
    while (m_dayNames.size() < 7)
        m_dayNames.append(QString());
    m_dayNames = m_dayNames.mid(0, 7);
}

// ---- setters ----------------------------------------------------------------

void TCalendarPanel32::SetCalendarLayout(TCalendarLayout layout)
{
    if (int(layout) < 0 || int(layout) >= CalendarLayoutCount)
        return;
    if (!assignIfDifferent(m_layout, layout))
        return;
    RecalcPageLayout(false);
    // The border picture depends on the orientation: load the one that
    // belongs to the new layout.
    if (!m_borderFile.isEmpty())
        SetWMFBorderFile(m_borderFile);
    settingChanged();
    repaint();
}

void TCalendarPanel32::SetCalendarOrientation(TCalendarOrientation orientation)
{
    if (assignIfDifferent(m_orientation, orientation))
        changed(true);
}

void TCalendarPanel32::SetCalendarLineLayout(TCalendarLineLayout lineLayout)
{
    if (!assignIfDifferent(m_lineLayout, lineLayout))
        return;
    switch (lineLayout) {
    case llFull:
        m_calendarBorder = cbAll;
        m_headersBorder = cbAll;
        m_cellBorder = cbAll;
        break;
    case llHeadersAndCells:
        m_calendarBorder = cbNone;
        m_headersBorder = cbAll;
        m_cellBorder = cbAll;
        break;
    case llCellsOnly:
        m_calendarBorder = cbNone;
        m_headersBorder = cbNone;
        m_cellBorder = cbAll;
        break;
    }
    changed(false);
}

void TCalendarPanel32::SetMiniCalendarLineLayout(TMiniCalendarLineLayout lineLayout)
{
    if (!assignIfDifferent(m_miniLineLayout, lineLayout))
        return;
    switch (lineLayout) {
    case mllFull:
        m_miniCalBorder = cbAll;
        m_miniCellBorder = cbAll;
        m_miniHeadersBorder = cbAll;
        break;
    case mllBoxed:
        m_miniCalBorder = cbAll;
        m_miniCellBorder = cbNone;
        m_miniHeadersBorder = cbTopBottom;
        break;
    case mllMinimal:
        m_miniCalBorder = cbNone;
        m_miniCellBorder = cbNone;
        m_miniHeadersBorder = cbTop;
        break;
    }
    changed(false);
}

void TCalendarPanel32::SetTitleFont(const TFont& font) { setFont(m_titleFont, font); }
void TCalendarPanel32::SetHeadersFont(const TFont& font) { setFont(m_headersFont, font); }
void TCalendarPanel32::SetCellFont(const TFont& font) { setFont(m_cellFont, font); }
void TCalendarPanel32::SetMiniTitleFont(const TFont& font) { setFont(m_miniTitleFont, font); }
void TCalendarPanel32::SetMiniHeadersFont(const TFont& font) { setFont(m_miniHeadersFont, font); }
void TCalendarPanel32::SetMiniCellFont(const TFont& font) { setFont(m_miniCellFont, font); }

void TCalendarPanel32::SetTitleBGColor(TColor color)
{
    if (assignIfDifferent(m_titleBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetTitleShowYear(bool show)
{
    if (assignIfDifferent(m_titleShowYear, show))
        changed(false);
}

void TCalendarPanel32::SetHeadersBorder(TCalBorderStyle border) { setBorder(m_headersBorder, border); }

void TCalendarPanel32::SetHeadersStyle(TCalHeadersStyle style)
{
    if (assignIfDifferent(m_headersStyle, style))
        changed(false);
}

void TCalendarPanel32::SetHeadersBGColor(TColor color)
{
    if (assignIfDifferent(m_headersBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetCellBorder(TCalBorderStyle border) { setBorder(m_cellBorder, border); }

void TCalendarPanel32::SetNumberPosition(TCalendarNumberPosition position)
{
    if (assignIfDifferent(m_numberPosition, position))
        changed(false);
}

void TCalendarPanel32::SetCalendarBorder(TCalBorderStyle border) { setBorder(m_calendarBorder, border); }

void TCalendarPanel32::SetStartOfWeek(int start)
{
    if (assignIfDifferent(m_startOfWeek, start))
        changed(false);
}

void TCalendarPanel32::SetMainCalDay(int day)
{
    if (assignIfDifferent(m_mainDay, day))
        changed(true);
}

void TCalendarPanel32::SetMainCalMonth(int month)
{
    // A month outside 1..12 (from a damaged document, say) is refused so
    // that the painters never look up a month that does not exist.
    if (month < 1 || month > 12)
        return;
    if (assignIfDifferent(m_mainMonth, month))
        changed(true);
}

void TCalendarPanel32::SetMainCalYear(int year)
{
    if (year < 1 || year > 9999)
        return;
    if (assignIfDifferent(m_mainYear, year))
        changed(true);
}

void TCalendarPanel32::SetMiniHeadersBGColor(TColor color)
{
    if (assignIfDifferent(m_miniHeadersBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetMiniHeadersStyle(TCalHeadersStyle style)
{
    if (assignIfDifferent(m_miniHeadersStyle, style))
        changed(false);
}

void TCalendarPanel32::SetMiniCalBGColor(TColor color)
{
    if (assignIfDifferent(m_miniCalBGColor, color))
        changed(false);
}

void TCalendarPanel32::SetMiniCalBorder(TCalBorderStyle border) { setBorder(m_miniCalBorder, border); }
void TCalendarPanel32::SetMiniHeadersBorder(TCalBorderStyle border) { setBorder(m_miniHeadersBorder, border); }
void TCalendarPanel32::SetMiniCellBorder(TCalBorderStyle border) { setBorder(m_miniCellBorder, border); }

void TCalendarPanel32::SetMiniShowYear(bool show)
{
    if (assignIfDifferent(m_miniShowYear, show))
        changed(false);
}

void TCalendarPanel32::SetLeftMarginInch(float inches) { setMargin(m_leftMargin, inches); }
void TCalendarPanel32::SetTopMarginInch(float inches) { setMargin(m_topMargin, inches); }
void TCalendarPanel32::SetRightMarginInch(float inches) { setMargin(m_rightMargin, inches); }
void TCalendarPanel32::SetBottomMarginInch(float inches) { setMargin(m_bottomMargin, inches); }

void TCalendarPanel32::SetUserTitle(const QString& title)
{
    if (assignIfDifferent(m_userTitle, title))
        changed(false);
}

QString TCalendarPanel32::BorderFilePath(const QString& name) const
{
    if (name.isEmpty() || !validBorderName(name))
        return QString();
    const QString ext = m_orientation == coLandscape ? QStringLiteral(".wls") : QStringLiteral(".wpo");
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
    const QString before = m_borderFile;
    if (name.isEmpty()) {
        m_borderFile.clear();
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
            m_borderFile = loaded ? name : QString();
        }
        // a missing file keeps the previous border
    }
    RecalcPageLayout(false);
    if (before != m_borderFile)
        settingChanged();
    repaint();
}

void TCalendarPanel32::SetPaperSize(int paperSize)
{
    if (paperSize != PaperLetter && paperSize != PaperA4)
        paperSize = PaperLetter;
    if (assignIfDifferent(m_paperSize, paperSize))
        changed(true);
}

void TCalendarPanel32::SetPlannerStartTime(const QTime& time)
{
    if (!time.isValid())
        return;
    if (assignIfDifferent(m_plannerStart, time))
        changed(true);
}

QString TCalendarPanel32::GetMonthName(int index) const
{
    return index >= 1 && index <= 12 ? m_monthNames.at(index - 1) : QString();
}

void TCalendarPanel32::SetMonthName(int index, const QString& name)
{
    if (index < 1 || index > 12)
        return;
    if (assignIfDifferent(m_monthNames[index - 1], name))
        changed(false);
}

QString TCalendarPanel32::GetDayName(int index) const
{
    return index >= 1 && index <= 7 ? m_dayNames.at(index - 1) : QString();
}

void TCalendarPanel32::SetDayName(int index, const QString& name)
{
    if (index < 1 || index > 7)
        return;
    if (assignIfDifferent(m_dayNames[index - 1], name))
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
    default:
        // The special-effects kind hooks in here.
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
        m_paperSize = PaperLetter;
        SetUserTitle(QString());
        m_layout = loFCMinisInTitleLS;
        m_startOfWeek = 1;
        loadLocaleNames();
        const CalendarDate today = Today();
        m_mainDay = today.Day;
        m_mainMonth = today.Month;
        m_mainYear = today.Year;
        m_titleBGColor = clWhite;
        m_headersBGColor = clWhite;
        m_miniCalBGColor = clWhite;
        m_miniHeadersFont->SetColor(clBlack);
        m_miniHeadersBGColor = clWhite;
        m_miniHeadersStyle = dsFirstChar;
        m_titleShowYear = true;
        m_miniShowYear = true;
        m_leftMargin = m_topMargin = m_rightMargin = m_bottomMargin = 0.5f;
        m_plannerStart = QTime(8, 0);
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
    const bool differed = !SameSettings(other);
    {
        QuietScope quiet(m_quiet);
        m_paperSize = other.m_paperSize;
        m_layout = other.m_layout;
        m_orientation = other.m_orientation;
        m_startOfWeek = other.m_startOfWeek;
        m_monthNames = other.m_monthNames;
        m_dayNames = other.m_dayNames;
        m_mainDay = other.m_mainDay;
        m_mainMonth = other.m_mainMonth;
        m_mainYear = other.m_mainYear;
        m_titleFont->Assign(*other.m_titleFont);
        m_headersFont->Assign(*other.m_headersFont);
        m_cellFont->Assign(*other.m_cellFont);
        m_titleBGColor = other.m_titleBGColor;
        m_headersBGColor = other.m_headersBGColor;
        m_headersStyle = other.m_headersStyle;
        m_miniCalBGColor = other.m_miniCalBGColor;
        m_miniTitleFont->Assign(*other.m_miniTitleFont);
        m_miniHeadersFont->Assign(*other.m_miniHeadersFont);
        m_miniCellFont->Assign(*other.m_miniCellFont);
        m_miniHeadersBGColor = other.m_miniHeadersBGColor;
        m_miniHeadersStyle = other.m_miniHeadersStyle;
        m_titleShowYear = other.m_titleShowYear;
        m_miniShowYear = other.m_miniShowYear;
        m_leftMargin = other.m_leftMargin;
        m_topMargin = other.m_topMargin;
        m_rightMargin = other.m_rightMargin;
        m_bottomMargin = other.m_bottomMargin;
        m_plannerStart = other.m_plannerStart;
        SetCalendarLineLayout(other.m_lineLayout);
        SetMiniCalendarLineLayout(other.m_miniLineLayout);
        SetUserTitle(other.m_userTitle);
        // the border picture is loaded for this page's orientation
        RecalcPageLayout(false);
        SetWMFBorderFile(other.m_borderFile);
        RecalcPageLayout(false);
    }
    if (differed)
        settingChanged();
    repaint();
}

bool TCalendarPanel32::SameSettings(const TCalendarPanel32& o) const
{
    return m_paperSize == o.m_paperSize && m_layout == o.m_layout && m_startOfWeek == o.m_startOfWeek &&
           m_orientation == o.m_orientation && m_monthNames == o.m_monthNames &&
           m_dayNames == o.m_dayNames && m_mainDay == o.m_mainDay && m_mainMonth == o.m_mainMonth &&
           m_mainYear == o.m_mainYear && m_titleFont->SameLook(*o.m_titleFont) &&
           m_titleBGColor == o.m_titleBGColor && m_headersFont->SameLook(*o.m_headersFont) &&
           m_headersBGColor == o.m_headersBGColor && m_headersStyle == o.m_headersStyle &&
           m_cellFont->SameLook(*o.m_cellFont) && m_miniCalBGColor == o.m_miniCalBGColor &&
           m_miniTitleFont->SameLook(*o.m_miniTitleFont) &&
           m_miniHeadersFont->SameLook(*o.m_miniHeadersFont) &&
           m_miniHeadersBGColor == o.m_miniHeadersBGColor &&
           m_miniHeadersStyle == o.m_miniHeadersStyle && m_miniCellFont->SameLook(*o.m_miniCellFont) &&
           m_titleShowYear == o.m_titleShowYear && m_miniShowYear == o.m_miniShowYear &&
           m_leftMargin == o.m_leftMargin && m_topMargin == o.m_topMargin &&
           m_rightMargin == o.m_rightMargin && m_bottomMargin == o.m_bottomMargin &&
           m_plannerStart == o.m_plannerStart && m_lineLayout == o.m_lineLayout &&
           m_miniLineLayout == o.m_miniLineLayout && m_userTitle == o.m_userTitle &&
           m_borderFile == o.m_borderFile;
}

int TCalendarPanel32::LayoutKind() const
{
    const int l = int(m_layout);
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
        auto set = [](TFont* f, int height, TFontStyles style, TColor color) {
            f->SetName(QStringLiteral("Times New Roman"));
            f->SetHeight(-height);
            f->SetStyle(style);
            f->SetColor(color);
        };
        set(page.m_titleFont, 35, fsBold, clBlack);
        set(page.m_headersFont, 21, fsBold, clBlack);
        set(page.m_cellFont, 21, fsBold, clBlack);
        page.m_miniTitleFont->SetHeight(-13);
        page.m_miniTitleFont->SetStyle(fsBold);
        page.m_miniHeadersFont->SetHeight(-11);
        page.m_miniHeadersFont->SetColor(clWhite);
        page.m_miniHeadersBGColor = clBlack;
        page.m_miniCellFont->SetHeight(-11);
        page.m_layout = loFCMinisInTitleLS;
        page.m_orientation = coLandscape;
        page.m_miniCellBorder = cbAll;
        page.m_headersStyle = dsWhole;
        page.m_mainMonth = 12;
        page.m_mainYear = 1997;
        page.m_leftMargin = page.m_topMargin = page.m_rightMargin = page.m_bottomMargin = 0.25f;
        page.RecalcPageLayout(false);
    }
    page.repaint();
}

// ---- layout ----------------------------------------------------------------

void TCalendarPanel32::RecalcPageLayout(bool resetMiniFonts)
{
    PageLayout::Input in;
    in.Layout = m_layout;
    in.PaperSize = m_paperSize;
    in.LeftMargin = m_leftMargin;
    in.TopMargin = m_topMargin;
    in.RightMargin = m_rightMargin;
    in.BottomMargin = m_bottomMargin;
    in.BorderInset = !m_borderFile.isEmpty();
    in.Month = m_mainMonth;
    in.Year = m_mainYear;
    in.PPI = ScreenPPI();
    const PageLayout out = PageLayout::Compute(in);

    m_orientation = out.Orientation;
    m_pageWidth = out.PageWidthPx;
    m_pageHeight = out.PageHeightPx;
    m_marginRect = out.MarginRect;
    m_mainRect = out.MainRect;
    m_minis = out.Minis;
    m_mainShown = out.MainShown;
    m_minisShown = out.MinisShown;
    m_plannerShown = out.PlannerShown;

    if (resetMiniFonts) {
        const int size = PageLayout::MiniFontSize(m_layout);
        if (size > 0) {
            m_miniTitleFont->SetSize(size);
            const int small = int(std::trunc(0.8 * size));
            m_miniHeadersFont->SetSize(small);
            m_miniCellFont->SetSize(small);
        }
    }
    SetSize(QSize(m_pageWidth, m_pageHeight));
    repaint();
}

TMiniCalendar TCalendarPanel32::Mini(int index) const
{
    if (index < 1 || index > m_minis.size())
        return TMiniCalendar();
    return m_minis.at(index - 1);
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
    // Only a paint on the view leaves records for the view's hit tests.
    PaintPage(p, mapping, mapping == View());
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
        PaintPage(ip, mapping, true);
    }
    painter.drawImage(QPoint(0, 0), offscreen);
    painter.setFont(PageFont(*m_cellFont, mapping));
    painter.setBrush(Qt::NoBrush);
    PaintObjects(painter, mapping);
    PaintHandles(painter);
    PaintOverlay(painter);
}

void TCalendarPanel32::PaintPage(QPainter& painter, const PageMapping& mapping, bool storeRecords)
{
    ResetPagePen(painter);
    if (!m_borderFile.isEmpty() && m_borderPainter) {
        const TRect m = mapping.Map(m_marginRect);
        painter.save();
        m_borderPainter(painter, QRectF(m.Left, m.Top, m.Width(), m.Height()));
        painter.restore();
        ResetPagePen(painter);
    }

    TRect titleRect, headerRect;
    std::array<TCellRecord, CellCount> cells{};
    enum class Kind { None, Month, Week, Day } kind = Kind::None;

    if (m_plannerShown) {
        PlannerPainter::Params pp;
        pp.PageColor = clWhite;
        pp.Rect = mapping.Map(m_mainRect);
        pp.Year = m_mainYear;
        pp.Month = m_mainMonth;
        pp.Day = m_mainDay;
        pp.DayPlanner = m_layout == loDay10 || m_layout == loDay15;
        pp.Rows = m_layout == loWeek ? 7 : m_layout == lo2Week ? 14 : m_layout == loDay10 ? 10 : 15;
        pp.StartTime = m_plannerStart;
        pp.TitleFont = m_titleFont;
        pp.HeadersFont = m_headersFont;
        pp.HeadersStyle = m_headersStyle;
        pp.HeadersColor = m_headersBGColor;
        pp.MonthNames = m_monthNames;
        pp.DayNames = m_dayNames;
        pp.TitleOverride = m_userTitle;
        const PlannerPainter::Result r = PlannerPainter::Paint(painter, pp, mapping);
        titleRect = r.TitleRect;
        cells = r.Cells;
        kind = pp.DayPlanner ? Kind::Day : Kind::Week;
    } else if (m_mainShown) {
        MonthPainter::Params mp;
        mp.PageColor = clWhite;
        mp.TitleColor = m_titleBGColor;
        mp.MinTitleHeight = mapping.Inches(1.5);
        mp.Month = m_mainMonth;
        mp.Year = m_mainYear;
        mp.Rect = mapping.Map(m_mainRect);
        mp.NumberPosition = m_numberPosition;
        mp.StartOfWeek = m_startOfWeek;
        mp.OuterBorder = m_calendarBorder;
        mp.TitleFont = m_titleFont;
        mp.ShowYear = m_titleShowYear;
        mp.HeadersFont = m_headersFont;
        mp.HeadersBorder = m_headersBorder;
        mp.HeadersStyle = m_headersStyle;
        mp.HeadersColor = m_headersBGColor;
        mp.CellFont = m_cellFont;
        mp.CellBorder = m_cellBorder;
        mp.MonthNames = m_monthNames;
        mp.DayNames = m_dayNames;
        mp.TitleOverride = m_userTitle;
        const MonthPainter::Result r = MonthPainter::Paint(painter, mp, mapping);
        titleRect = r.TitleRect;
        headerRect = r.HeaderRect;
        cells = r.Cells;
        kind = Kind::Month;
    }
    if (storeRecords) {
        // A page without day cells (minis only) keeps no stale records, so
        // hit tests and drops find nothing on it.
        m_titleRect = titleRect;
        m_headerRect = headerRect;
        m_cells = cells;
    }

    // Cell text. A zero or inverted text rectangle (centred numbers, planner
    // rows that do not exist) has nothing to show, whatever the store holds.
    if (kind != Kind::None) {
        for (int k = 1; k <= CellCount; ++k) {
            const TRect& r = cells[k - 1].rFree;
            if (r.IsZero() || r.Right <= r.Left || r.Bottom <= r.Top)
                continue;
            const TWPRtfStorage& store = *m_stores[k - 1];
            if (kind == Kind::Week && store.IsEmpty())
                continue;
            m_cellTextCache->Paint(painter, k, store, r, mapping);
        }
    }
    ResetPagePen(painter);

    if (m_minisShown) {
        MonthPainter::Params mp;
        mp.PageColor = m_miniCalBGColor;
        mp.TitleColor = m_miniCalBGColor;
        mp.MinTitleHeight = 0;
        mp.NumberPosition = cnpCenter;
        mp.StartOfWeek = m_startOfWeek;
        mp.OuterBorder = m_miniCalBorder;
        mp.TitleFont = m_miniTitleFont;
        mp.ShowYear = m_miniShowYear;
        mp.HeadersFont = m_miniHeadersFont;
        mp.HeadersBorder = m_miniHeadersBorder;
        mp.HeadersStyle = m_miniHeadersStyle;
        mp.HeadersColor = m_miniHeadersBGColor;
        mp.CellFont = m_miniCellFont;
        mp.CellBorder = m_miniCellBorder;
        mp.MonthNames = m_monthNames;
        mp.DayNames = m_dayNames;
        for (const TMiniCalendar& mini : m_minis) {
            mp.Month = mini.Month;
            mp.Year = mini.Year;
            mp.Rect = mapping.Map(mini.Rect);
            MonthPainter::Paint(painter, mp, mapping);
        }
    }
}

// ---- day cells ----------------------------------------------------------------

TCellRecord TCalendarPanel32::CellRecord(int cell) const
{
    if (cell < 1 || cell > CellCount)
        return TCellRecord();
    return m_cells[cell - 1];
}

int TCalendarPanel32::CellAtPoint(int x, int y) const
{
    for (int k = 0; k < CellCount; ++k)
        if (m_cells[k].rTotal.Contains(x, y))
            return k + 1;
    return 0;
}

bool TCalendarPanel32::cellEventConnected() const
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(&TCalendarPanel32::ClickedInCellEvent);
    return isSignalConnected(signal);
}

void TCalendarPanel32::raiseCellEvent(int cell)
{
    const TCellRecord& rec = m_cells[cell - 1];
    Q_EMIT ClickedInCellEvent(rec.rTotal, rec.rFree, cell, rec.Day, m_stores[cell - 1].get());
}

void TCalendarPanel32::CellClickAtPoint(int x, int y)
{
    const int k = CellAtPoint(x, y);
    if (k != 0 && cellEventConnected())
        raiseCellEvent(k);
}

void TCalendarPanel32::CellClick(int cell)
{
    if (cell >= 1 && cell <= CellCount && cellEventConnected())
        raiseCellEvent(cell);
}

void TCalendarPanel32::CellClickPrevious(int cell)
{
    if (cell <= 1 || cell > CellCount)
        return;
    if (!m_cells[cell - 2].rFree.IsZero() && cellEventConnected())
        raiseCellEvent(cell - 1);
}

void TCalendarPanel32::CellClickNext(int cell)
{
    if (cell < 1 || cell >= CellCount)
        return;
    if (!m_cells[cell].rFree.IsZero() && cellEventConnected())
        raiseCellEvent(cell + 1);
}

int TCalendarPanel32::CellDay(int cell) const
{
    return cell >= 1 && cell <= CellCount ? m_cells[cell - 1].Day : 0;
}

int TCalendarPanel32::DayCell(int day) const
{
    for (int k = 0; k < CellCount; ++k)
        if (m_cells[k].Day == day)
            return k + 1;
    return -1;
}

TWPRtfStorage* TCalendarPanel32::CellStore(int cell, TWPRtfStorage* fallback) const
{
    if (cell < 1 || cell > CellCount)
        return fallback;
    return m_stores[cell - 1].get();
}

void TCalendarPanel32::SetCellText(int cell, const TWPRtfStorage& text)
{
    if (cell < 1 || cell > CellCount)
        return;
    if (&text != m_stores[cell - 1].get())
        m_stores[cell - 1]->Assign(text);
    repaint();
}

void TCalendarPanel32::ClearCells()
{
    for (int k = 0; k < CellCount; ++k) {
        m_stores[k]->Assign(*m_blankStore);
        m_cells[k].rTotal = TRect();
        m_cells[k].rFree = TRect();
    }
    repaint();
}

bool TCalendarPanel32::HasCellText() const
{
    for (const auto& s : m_stores)
        if (!s->IsEmpty())
            return true;
    return false;
}

void TCalendarPanel32::Click(QPoint pos)
{
    if (!Pointing())
        return;
    const int k = CellAtPoint(pos.x(), pos.y());
    if (m_titleRect.Contains(pos))
        Q_EMIT OnClickedHeader();
    if (m_headerRect.Contains(pos))
        Q_EMIT OnClickedDaysArea();
    if (k != 0 && (m_mainShown || m_plannerShown)) {
        if (!cellEventConnected() || ObjectAtPoint(pos))
            return;
        raiseCellEvent(k);
        return;
    }
    Q_EMIT OnClick();
}

}  // namespace dayloom
