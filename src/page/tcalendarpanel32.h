#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>

#include "core/tcolor.h"
#include "core/tfont.h"
#include "core/trect.h"
#include "objects/tgbasepanel.h"
#include "page/calendartypes.h"
#include "page/cellstores.h"
#include "page/pagelayout.h"
#include "page/pagerender.h"
#include "page/pagesettings.h"
#include "core/pagemapping.h"

class QPainter;

namespace dayloom {

class TWPRtfStorage;
class CellTextCache;

// The calendar page: the settings of the current document's page, its
// layout geometry (page pixels), the 42 day-cell stores, and the painting of
// the month grid, the mini calendars and the planners onto any QPainter
// through a mapping. A host widget shows it at its zoom: it paints it through
// its mapping, forwards clicks to Click, sizes itself from the page size on
// SizeChanged and follows CursorRequested.
class TCalendarPanel32 : public TGBasePanel {
    Q_OBJECT
public:
    static constexpr int CellCount = 42;
    static constexpr int MaxMinis = 60;

    explicit TCalendarPanel32(QObject* parent = nullptr);
    ~TCalendarPanel32() override;

    // ---- settings -----------------------------------------------------
    TCalendarLayout CalendarLayout() const { return m_s.CalendarLayout; }
    void SetCalendarLayout(TCalendarLayout layout);
    TCalendarOrientation CalendarOrientation() const { return m_s.CalendarOrientation; }
    // The layout step recomputes the orientation from the layout, so this
    // only holds until the next layout step.
    void SetCalendarOrientation(TCalendarOrientation orientation);
    TCalendarLineLayout CalendarLineLayout() const { return m_s.CalendarLineLayout; }
    void SetCalendarLineLayout(TCalendarLineLayout lineLayout);
    TMiniCalendarLineLayout MiniCalendarLineLayout() const { return m_s.MiniCalendarLineLayout; }
    void SetMiniCalendarLineLayout(TMiniCalendarLineLayout lineLayout);

    const TFontData& TitleFont() const { return m_s.TitleFont; }
    void SetTitleFont(const TFontData& font);
    TColor TitleBGColor() const { return m_s.TitleBGColor; }
    void SetTitleBGColor(TColor color);
    bool TitleShowYear() const { return m_s.TitleShowYear; }
    void SetTitleShowYear(bool show);

    const TFontData& HeadersFont() const { return m_s.HeadersFont; }
    void SetHeadersFont(const TFontData& font);
    TCalBorderStyle HeadersBorder() const { return m_s.HeadersBorder; }
    void SetHeadersBorder(TCalBorderStyle border);
    TCalHeadersStyle HeadersStyle() const { return m_s.HeadersStyle; }
    void SetHeadersStyle(TCalHeadersStyle style);
    TColor HeadersBGColor() const { return m_s.HeadersBGColor; }
    void SetHeadersBGColor(TColor color);

    const TFontData& CellFont() const { return m_s.CellFont; }
    void SetCellFont(const TFontData& font);
    TCalBorderStyle CellBorder() const { return m_s.CellBorder; }
    void SetCellBorder(TCalBorderStyle border);
    TCalendarNumberPosition NumberPosition() const { return m_s.NumberPosition; }
    void SetNumberPosition(TCalendarNumberPosition position);
    TCalBorderStyle CalendarBorder() const { return m_s.CalendarBorder; }
    void SetCalendarBorder(TCalBorderStyle border);

    // 1 = weeks start on Sunday; any other value = Monday.
    int StartOfWeek() const { return m_s.StartOfWeek; }
    void SetStartOfWeek(int start);
    bool MondayStart() const { return m_s.StartOfWeek != 1; }

    int MainCalDay() const { return m_s.MainCalDay; }
    void SetMainCalDay(int day);
    int MainCalMonth() const { return m_s.MainCalMonth; }
    void SetMainCalMonth(int month);
    int MainCalYear() const { return m_s.MainCalYear; }
    void SetMainCalYear(int year);

    const TFontData& MiniTitleFont() const { return m_s.MiniTitleFont; }
    void SetMiniTitleFont(const TFontData& font);
    const TFontData& MiniHeadersFont() const { return m_s.MiniHeadersFont; }
    void SetMiniHeadersFont(const TFontData& font);
    const TFontData& MiniCellFont() const { return m_s.MiniCellFont; }
    void SetMiniCellFont(const TFontData& font);
    TColor MiniHeadersBGColor() const { return m_s.MiniHeadersBGColor; }
    void SetMiniHeadersBGColor(TColor color);
    TCalHeadersStyle MiniHeadersStyle() const { return m_s.MiniHeadersStyle; }
    void SetMiniHeadersStyle(TCalHeadersStyle style);
    TColor MiniCalBGColor() const { return m_s.MiniCalBGColor; }
    void SetMiniCalBGColor(TColor color);
    TCalBorderStyle MiniCalBorder() const { return m_s.MiniCalBorder; }
    void SetMiniCalBorder(TCalBorderStyle border);
    TCalBorderStyle MiniHeadersBorder() const { return m_s.MiniHeadersBorder; }
    void SetMiniHeadersBorder(TCalBorderStyle border);
    TCalBorderStyle MiniCellBorder() const { return m_s.MiniCellBorder; }
    void SetMiniCellBorder(TCalBorderStyle border);
    bool MiniShowYear() const { return m_s.MiniShowYear; }
    void SetMiniShowYear(bool show);

    float LeftMarginInch() const { return m_s.LeftMarginInch; }
    void SetLeftMarginInch(float inches);
    float TopMarginInch() const { return m_s.TopMarginInch; }
    void SetTopMarginInch(float inches);
    float RightMarginInch() const { return m_s.RightMarginInch; }
    void SetRightMarginInch(float inches);
    float BottomMarginInch() const { return m_s.BottomMarginInch; }
    void SetBottomMarginInch(float inches);

    QString UserTitle() const { return m_s.UserTitle; }
    void SetUserTitle(const QString& title);

    // Name (no folder, no extension) of the decorative border picture. The
    // file is ProgramDir + "Borders/" + name + ".wpo" (portrait) or ".wls"
    // (landscape); a missing file keeps the previous border.
    QString WMFBorderFile() const { return m_s.WMFBorderFile; }
    void SetWMFBorderFile(const QString& name);
    // The path the border picture of name would be read from for the current
    // orientation (letter case of the file name ignored), empty when none exists.
    QString BorderFilePath(const QString& name) const;
    // Loads the border picture from a path; returns false when it cannot be
    // read, and is called with an empty path when the border is cleared. Set
    // by the pictures code; without it every existing file counts as loaded.
    void SetBorderPictureLoader(std::function<bool(const QString& path)> loader);
    // Draws the border picture into the target (margin rectangle x zoom).
    void SetBorderPicturePainter(std::function<void(QPainter&, const QRectF&)> painter);

    // 0 = Letter (8.5 x 11 in), 1 = A4 (8.27 x 11.69 in).
    int PaperSize() const { return m_s.PaperSize; }
    void SetPaperSize(int paperSize);
    QTime PlannerStartTime() const { return m_s.PlannerStartTime; }
    void SetPlannerStartTime(const QTime& time);

    // Month names 1..12 and day names 1..7 (1 = Sunday), local to the page.
    // Out of range reads an empty string and writes nothing.
    QString GetMonthName(int index) const;
    void SetMonthName(int index, const QString& name);
    QString GetDayName(int index) const;
    void SetDayName(int index, const QString& name);
    QStringList MonthNames() const { return m_s.MonthNames; }
    QStringList DayNames() const { return m_s.DayNames; }

    void SetPanelState(TLPanelState state) override;

    // Every setting at once.
    const PageSettings& Settings() const { return m_s; }

    // ---- whole-page operations -----------------------------------------
    // Back to the reset's values (fonts, headers style, number position and
    // the individual borders stay; the line layouts act through their
    // presets; the border picture goes), then the layout step with the
    // layout's mini font sizes.
    void ResetPage();
    // The properties dialog's copy in either direction: the values
    // CopySettings carries, then the other page's line layouts, user title
    // and border file through the setters, and the layout step.
    void CopySettingsFrom(const TCalendarPanel32& other);
    bool SameSettings(const TCalendarPanel32& other) const;
    // Every setting at once (a document or a style sheet read): stored as it
    // is, the border file looked up as its setter does (ClearFirst: a
    // missing file leaves no border rather than the previous one), the
    // layout step run. With report, one change is reported.
    enum class BorderLookup { KeepMissing, ClearFirst };
    void ApplySettings(const PageSettings& settings, BorderLookup lookup, bool report);
    // 0 one month (layouts 0..7), 1 multi-month (8..17), 2..5 the planners.
    int LayoutKind() const;
    // The page description the main window's page is created with.
    static void ApplyMainWindowDescription(TCalendarPanel32& page);

    // ---- layout ----------------------------------------------------------
    // The layout step: page size, margin, main and mini rectangles in page
    // pixels (and, with resetMiniFonts, the layout's mini font sizes).
    void RecalcPageLayout(bool resetMiniFonts);
    const PageLayout& Layout() const { return m_layout; }
    int PageWidthPx() const { return m_layout.PageWidthPx; }
    int PageHeightPx() const { return m_layout.PageHeightPx; }
    // Page pixels (zoom 1).
    TRect MarginRect() const { return m_layout.MarginRect; }
    TRect MainRect() const { return m_layout.MainRect; }
    int MiniCount() const { return int(m_layout.Minis.size()); }
    // Minis numbered from 1; an empty entry when out of range.
    TMiniCalendar Mini(int index) const;
    const QVector<TMiniCalendar>& Minis() const { return m_layout.Minis; }
    bool MainGridShown() const { return m_layout.MainShown; }
    bool MinisShown() const { return m_layout.MinisShown; }
    bool PlannerShown() const { return m_layout.PlannerShown; }
    // The render step: the title, day-name and cell rectangles on a device.
    PageGeometry Geometry(const PageMapping& mapping) const;

    // ---- painting ----------------------------------------------------------
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool SuppressPainting() const { return m_suppressPainting; }
    void SetSuppressPainting(bool suppress);
    // The page through a mapping into an image (made at the mapped page size
    // when null), followed by every page object in child order: the export
    // picture.
    void PaintToBitmap(QImage& image, const PageMapping& mapping);
    // The page as its view shows it: the page through one off-screen image
    // (kept in offscreen between paints) copied in one step, then the
    // objects in child order, the grab squares and the drag outline or
    // rubber band. Nothing while the page is hidden or its painting is
    // suppressed. The same object loop as PaintToBitmap.
    void PaintView(QPainter& painter, QImage& offscreen);
    // The page content through any mapping (screen, export, paper).
    void PaintPage(QPainter& painter, const PageMapping& mapping);
    // The page on paper: the page content and then every page object in
    // child order through a paper mapping (PageMapping::Paper), the page's
    // top-left corner on the mapping's origin. The same object loop as the
    // screen and the export picture.
    void PrintPage(QPainter& painter, const PageMapping& paper);

    // ---- day cells -------------------------------------------------------
    // The records of the layout step, in page pixels: valid whether or not
    // the page was ever painted. A page with minis only has none.
    const PageGeometry& Records() const;
    TRect TitleRect() const { return Records().TitleRect; }
    TRect HeaderRect() const { return Records().HeaderRect; }
    // Cells 1..42; an empty record when out of range.
    TCellRecord CellRecord(int cell) const;
    // Raise ClickedInCellEvent for a cell (when something listens).
    void CellClick(int cell);
    void CellClickPrevious(int cell);
    void CellClickNext(int cell);
    // Whether anything listens to ClickedInCellEvent.
    bool CellEventConnected() const;
    int CellDay(int cell) const;
    int DayCell(int day) const;
    // Store k (1..42); the fallback when k is out of range.
    TWPRtfStorage* CellStore(int cell, TWPRtfStorage* fallback = nullptr) const;
    TWPRtfStorage* BlankStore() const { return m_stores.Blank(); }
    void SetCellText(int cell, const TWPRtfStorage& text);
    // Every store emptied (the records stay: they are the page's geometry).
    void ClearCells();
    bool HasCellText() const { return m_stores.HasText(); }

Q_SIGNALS:
    // Settings the user edits changed (the document counts as modified).
    void SettingChanged();
    // A day cell was clicked (or asked for): its records in page pixels.
    void ClickedInCellEvent(dayloom::TRect rTotal, dayloom::TRect rFree, int iCell, int iDay,
                            dayloom::TWPRtfStorage* rtfstorage);

protected:
    // The drawing tools: a label, rich-text label or floating calendar in the
    // drawn rectangle (at least 50 x 15 when drawn smaller than 25 x 15).
    void CreateObjectInRect(const QRect& rect) override;

private:

    void changed(bool relayout);
    void repaint();
    void settingChanged();
    void setFont(TFontData& target, const TFontData& font);
    void setBorder(TCalBorderStyle& field, TCalBorderStyle value);
    void setMargin(float& field, float inches);
    void raiseCellEvent(int cell);

    PageSettings m_s;
    PageLayout m_layout;
    // The records at zoom 1, made when first asked for after a change.
    mutable std::optional<PageGeometry> m_records;
    CellStores m_stores;
    std::unique_ptr<CellTextCache> m_cellTextCache;
    std::function<bool(const QString&)> m_borderLoader;
    std::function<void(QPainter&, const QRectF&)> m_borderPainter;

    bool m_visible = true;
    bool m_painting = false;
    bool m_suppressPainting = false;
    bool m_creatingObject = false;
    int m_quiet = 1;  // > 0: no SettingChanged / RepaintRequested (construction, bulk changes)
};

}  // namespace dayloom
