#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;

namespace dayloom {

class PaletteColorButton;
class TGFlatCalendar;

// "Floating Calendar Properties": every setting of a floating calendar on a
// preview sample that follows each change at once.
class TFlatCalendarEditor : public QDialog {
    Q_OBJECT
public:
    explicit TFlatCalendarEditor(QWidget* parent = nullptr);

    TGFlatCalendar* Sample() const { return m_sample; }
    // Sets every control from the sample (done on activation too).
    void FillFromSample();

    QComboBox* MonthCombo() const { return m_month; }
    QSpinBox* YearSpinner() const { return m_year; }
    QCheckBox* ShowYearCheck() const { return m_showYear; }
    QComboBox* HeaderStyleCombo() const { return m_headerStyle; }
    QComboBox* LanguageCombo() const { return m_language; }
    QRadioButton* SundayRadio() const { return m_sunday; }
    QRadioButton* MondayRadio() const { return m_monday; }
    QComboBox* CalendarBorderCombo() const { return m_calendarBorder; }
    QComboBox* HeaderBorderCombo() const { return m_headerBorder; }
    QComboBox* CellBorderCombo() const { return m_cellBorder; }
    PaletteColorButton* TitleColorButton() const { return m_titleColor; }
    PaletteColorButton* HeaderColorButton() const { return m_headerColor; }
    PaletteColorButton* BodyColorButton() const { return m_bodyColor; }
    QCheckBox* TransparentCheck() const { return m_transparent; }
    PaletteColorButton* ShadowColorButton() const { return m_shadowColor; }
    QComboBox* OrientationCombo() const { return m_orientation; }
    QSpinBox* DepthSpinner() const { return m_depth; }
    QPushButton* TitleFontButton() const { return m_titleFont; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateSample();

    TGFlatCalendar* m_sample;
    QWidget* m_preview;
    QComboBox* m_month;
    QSpinBox* m_year;
    QCheckBox* m_showYear;
    QComboBox* m_headerStyle;
    QComboBox* m_language;
    QRadioButton* m_sunday;
    QRadioButton* m_monday;
    QComboBox* m_calendarBorder;
    QComboBox* m_headerBorder;
    QComboBox* m_cellBorder;
    PaletteColorButton* m_titleColor;
    PaletteColorButton* m_headerColor;
    PaletteColorButton* m_bodyColor;
    QCheckBox* m_transparent;
    PaletteColorButton* m_shadowColor;
    QComboBox* m_orientation;
    QSpinBox* m_depth;
    QPushButton* m_titleFont;
    QPushButton* m_headerFont;
    QPushButton* m_cellFont;
    bool m_filling = false;
};

}  // namespace dayloom
