#pragma once

#include <QRect>

#include "core/tcolor.h"
#include "dates/calendardates.h"
#include "objects/objecttypes.h"
#include "objects/tggraphiccontrol.h"

namespace dayloom {

class TFont;

// A small month calendar placed freely on the page: title band, day-name
// band and six rows of day numbers, with its own fonts, colours, borders,
// drop shadow, name language and a transparent mode.
class TGFlatCalendar : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGFlatCalendar(QObject* parent = nullptr);
    ~TGFlatCalendar() override;

    // 1 = Sunday, 2 = Monday; other values are ignored.
    int StartOfWeek() const { return m_startOfWeek; }
    void SetStartOfWeek(int start);
    int Month() const { return m_month; }
    void SetMonth(int month);
    int Year() const { return m_year; }
    void SetYear(int year);
    TFont* TitleFont() const { return m_titleFont; }
    TFont* DayNameFont() const { return m_dayNameFont; }
    TFont* CellFont() const { return m_cellFont; }
    bool ShowYear() const { return m_showYear; }
    void SetShowYear(bool show);
    TColor DayNameBGColor() const { return m_dayNameBGColor; }
    void SetDayNameBGColor(TColor color);
    TFlatCalBorderStyle CalendarBorderStyle() const { return m_calendarBorder; }
    void SetCalendarBorderStyle(TFlatCalBorderStyle style);
    TFlatCalBorderStyle DayNameBorderStyle() const { return m_dayNameBorder; }
    void SetDayNameBorderStyle(TFlatCalBorderStyle style);
    TFlatCalBorderStyle CellBorderStyle() const { return m_cellBorder; }
    void SetCellBorderStyle(TFlatCalBorderStyle style);
    TFlatCalHeadersStyle DayNameStyle() const { return m_dayNameStyle; }
    void SetDayNameStyle(TFlatCalHeadersStyle style);
    TColor TitleBGcolor() const { return m_titleBGColor; }
    void SetTitleBGcolor(TColor color);
    TColor Backgroundcolor() const { return m_backgroundColor; }
    void SetBackgroundcolor(TColor color);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor color);
    // 0..10 unzoomed pixels; a larger value is ignored.
    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int depth);
    TFlatShadowPosition ShadowPosition() const { return m_shadowPosition; }
    void SetShadowPosition(TFlatShadowPosition position);
    TFlatCalLanguage Language() const { return m_language; }
    void SetLanguage(TFlatCalLanguage language);
    bool CalTransparent() const { return m_calTransparent; }
    void SetCalTransparent(bool transparent);

    // Copies every persisted property except the bounds (the editor's sample).
    void AssignProperties(const TGFlatCalendar& other);

    // The calendar and shadow rectangles for a size on a device at a zoom
    // (the shadow is null when none is drawn).
    QRect CalendarRect(QSize size, float zoom) const;
    QRect ShadowRect(QSize size, float zoom) const;
    // Title and day-name bands of the last paint.
    QRect TitleBand() const { return m_titleBand; }
    QRect DayNameBand() const { return m_dayNameBand; }

    // The properties dialog; on OK the values are taken over.
    void ShowProperties();

    void PaintObject(QPainter& painter, const PageMapping& mapping, QSize size) override;

protected:
    void AppendMenuItems(MenuEntryList& menu) override;

private:
    template <class T>
    void set(T& field, T value);

    int m_startOfWeek = 1;
    int m_month = 1;
    int m_year = 2000;
    TFont* m_titleFont;
    TFont* m_dayNameFont;
    TFont* m_cellFont;
    bool m_showYear = false;
    TColor m_dayNameBGColor = 0xFFFFFF;
    TFlatCalBorderStyle m_calendarBorder = fcbAll;
    TFlatCalBorderStyle m_dayNameBorder = fcbAll;
    TFlatCalBorderStyle m_cellBorder = fcbNone;
    TFlatCalHeadersStyle m_dayNameStyle = fdsFirstChar;
    TColor m_titleBGColor = 0xFFFFFF;
    TColor m_backgroundColor = 0xFFFFFF;
    TColor m_shadowColor = 0;
    int m_shadowDepth = 0;
    TFlatShadowPosition m_shadowPosition = fcpLowerRight;
    TFlatCalLanguage m_language = fclEnglish;
    bool m_calTransparent = false;
    QRect m_titleBand;
    QRect m_dayNameBand;
};

}  // namespace dayloom
