#pragma once

#include <functional>

#include <QDialog>
#include <QString>
#include <QTime>

#include "core/tcolor.h"
#include "core/zoom.h"
#include "page/calendartypes.h"
#include "page/pagesettings.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolButton;

namespace dayloom {

class CalendarPageWidget;
class ColorButton;
class DatePicker;
class TCalendarPanel32;
struct TFontData;

// "Calendar Properties": edits every setting of a calendar page on a preview
// page of its own (ExampleCalendar); every control writes to the preview at
// once. The caller copies the page's settings in before showing it and back
// after OK.
class TCalendarProperties : public QDialog {
    Q_OBJECT
public:
    explicit TCalendarProperties(QWidget* parent = nullptr);
    ~TCalendarProperties() override;

    TCalendarPanel32* ExampleCalendar() const { return m_preview; }

    // Facts the caller gives before showing the dialog.
    void SetNewCalendar(bool isNew) { m_newCalendar = isNew; }
    void SetPageHasCellText(bool hasText) { m_pageHasCellText = hasText; }
    void SetPageHasObjects(bool hasObjects) { m_pageHasObjects = hasObjects; }
    void SetPageLayoutKind(int kind) { m_pageLayoutKind = kind; }

    bool Initializing() const { return m_initializing; }
    bool PlannerDateMode() const { return m_plannerDateMode; }

    // The first activation (runs once; showing the dialog runs it).
    void FormActivate();
    // Help context of the page shown.
    int HelpContext() const;

    // The commands of the buttons.
    void ZoomInClick();
    void ZoomOutClick();
    void OKButtonClick();
    void SaveStyleClick();
    void LoadStyleClick();
    void DefaultStyleClick();
    void StartTimeClick();
    void LanguageClick(int language);  // a TFlatCalLanguage value
    // Leaving the name boxes.
    void ApplyMonthNames();
    void ApplyDayNames();

    // Replaceable steps so that tests can answer them.
    // The font dialog: preset with the font, true with the chosen font in it.
    using FontChooser = std::function<bool(TFontData& font, QWidget* parent)>;
    void SetFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }
    // The style-sheet file dialogs: the chosen path, empty when cancelled.
    using FileChooser = std::function<QString(bool save, QWidget* parent)>;
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // The starting-time dialog: gets the caption's time, true with a new one.
    using TimeChooser = std::function<bool(QTime& time, QWidget* parent)>;
    void SetTimeChooser(TimeChooser chooser) { m_timeChooser = std::move(chooser); }

    // Margin list texts and values (index 0..5).
    static QStringList InchTexts();
    static QStringList MillimeterTexts();
    static float MarginValue(int index);
    static int MarginIndex(float inches);
    // The border list's first row.
    static QString NoBorderText();

    // Controls, for the tests and the screenshots.
    QTabWidget* Tabs() const { return m_tabs; }
    QListWidget* LayoutList() const { return m_layoutList; }
    QButtonGroup* OrientationGroup() const { return m_orientation; }
    QGroupBox* OrientationBox() const { return m_orientationBox; }
    QButtonGroup* PaperGroup() const { return m_paper; }
    QLabel* DateHeading() const { return m_dateHeading; }
    DatePicker* Picker() const { return m_picker; }
    QLabel* DateCaption() const { return m_dateCaption; }
    QGroupBox* WeekStartBox() const { return m_weekStartBox; }
    QButtonGroup* WeekStartGroup() const { return m_weekStart; }
    QCheckBox* TitleShowYearBox() const { return m_titleShowYear; }
    QCheckBox* MiniShowYearBox() const { return m_miniShowYear; }
    QListWidget* HeaderStyleList() const { return m_headerStyle; }
    QListWidget* MiniHeaderStyleList() const { return m_miniHeaderStyle; }
    QListWidget* LineStyleList() const { return m_lineStyle; }
    QListWidget* MiniLineStyleList() const { return m_miniLineStyle; }
    QLabel* TimeCaption() const { return m_timeCaption; }
    QToolButton* ClockButton() const { return m_clockButton; }
    QPlainTextEdit* MonthNamesBox() const { return m_monthNames; }
    QPlainTextEdit* DayNamesBox() const { return m_dayNames; }
    QButtonGroup* UnitsGroup() const { return m_units; }
    // 0 left, 1 top, 2 right, 3 bottom.
    QComboBox* MarginList(int side) const { return m_margins[side]; }
    QListWidget* BorderList() const { return m_borderList; }
    QLabel* ZoomCaption() const { return m_zoomCaption; }
    CalendarPageWidget* PreviewWidget() const { return m_previewWidget; }
    // The zoom the preview page is shown at.
    Zoom PreviewZoom() const;
    void SetPreviewZoom(Zoom zoom);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    void done(int result) override;

private:
    QWidget* buildLayoutPage();
    QWidget* buildDatePage();
    QWidget* buildFontsPage();
    QWidget* buildMiniPage();
    QWidget* buildHeadersPage();
    QWidget* buildLinesPage();
    QWidget* buildPlannerPage();
    QWidget* buildLanguagePage();
    QWidget* buildMarginsPage();
    QWidget* buildBordersPage();
    QPushButton* fontButton(QWidget* parent, const TFontData& (TCalendarPanel32::*font)() const,
                            void (TCalendarPanel32::*setter)(const TFontData&));
    ColorButton* colorButton(QWidget* parent, const QString& caption,
                             void (TCalendarPanel32::*setter)(TColor));

    void fillBorderList();
    void setControlsFromPreview();
    void LayoutChange();
    void DateChange();
    void enableControls();
    void showZoom();
    void setDateHeading();
    void selectBorderRow();
    void marginChange(int side, int index);
    void unitsChange(bool millimeters);
    void applyNames(QPlainTextEdit* box, int count, bool months);
    bool writing() const { return !m_initializing && !m_suppress; }
    bool saveStyleSheetFile(const QString& path);
    bool loadStyleSheetFile(const QString& path);
    bool chooseFont(TFontData& font);

    TCalendarPanel32* m_preview = nullptr;

    bool m_initializing = true;
    bool m_suppress = false;
    bool m_activated = false;
    bool m_plannerDateMode = false;
    bool m_newCalendar = false;
    bool m_pageHasCellText = false;
    bool m_pageHasObjects = false;
    int m_pageLayoutKind = 1;

    // The preview's settings when the dialog opened, compared on OK.
    PageSettings m_saved;

    FontChooser m_fontChooser;
    FileChooser m_fileChooser;
    TimeChooser m_timeChooser;

    QTabWidget* m_tabs = nullptr;
    QListWidget* m_layoutList = nullptr;
    QGroupBox* m_orientationBox = nullptr;
    QButtonGroup* m_orientation = nullptr;
    QButtonGroup* m_paper = nullptr;
    QLabel* m_dateHeading = nullptr;
    DatePicker* m_picker = nullptr;
    QLabel* m_dateCaption = nullptr;
    QGroupBox* m_weekStartBox = nullptr;
    QButtonGroup* m_weekStart = nullptr;
    QCheckBox* m_titleShowYear = nullptr;
    QCheckBox* m_miniShowYear = nullptr;
    QPushButton* m_titleFont = nullptr;
    ColorButton* m_titleColor = nullptr;
    QPushButton* m_headersFont = nullptr;
    ColorButton* m_headersColor = nullptr;
    QPushButton* m_cellFont = nullptr;
    QPushButton* m_miniTitleFont = nullptr;
    ColorButton* m_miniHeadersColor = nullptr;
    QPushButton* m_miniHeadersFont = nullptr;
    QPushButton* m_miniCellFont = nullptr;
    ColorButton* m_miniCalColor = nullptr;
    QListWidget* m_headerStyle = nullptr;
    QListWidget* m_miniHeaderStyle = nullptr;
    QListWidget* m_lineStyle = nullptr;
    QListWidget* m_miniLineStyle = nullptr;
    QLabel* m_timeCaption = nullptr;
    QToolButton* m_clockButton = nullptr;
    QPlainTextEdit* m_monthNames = nullptr;
    QPlainTextEdit* m_dayNames = nullptr;
    QButtonGroup* m_units = nullptr;
    QComboBox* m_margins[4] = {nullptr, nullptr, nullptr, nullptr};
    QListWidget* m_borderList = nullptr;
    QScrollArea* m_previewBox = nullptr;
    CalendarPageWidget* m_previewWidget = nullptr;
    QLabel* m_zoomCaption = nullptr;
};

}  // namespace dayloom
