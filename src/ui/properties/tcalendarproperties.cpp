#include "ui/properties/tcalendarproperties.h"

#include <cmath>

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/screen.h"
#include "core/tfont.h"
#include "core/zoom.h"
#include "dates/calendardates.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "ui/calendarpagewidget.h"
#include "ui/filechooser.h"
#include "stream/preferences.h"
#include "ui/fontcolordialog.h"
#include "ui/placement.h"
#include "ui/properties/colorbutton.h"
#include "ui/properties/datepicker.h"
#include "ui/properties/tsettimedialog.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

constexpr float MarginValues[6] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f};
constexpr int BordersPage = 9;

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    label->setFont(f);
    return label;
}

QButtonGroup* radioGroup(QGroupBox* box, const QStringList& texts)
{
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto* b = new QRadioButton(texts[i], box);
        group->addButton(b, i);
        layout->addWidget(b);
    }
    return group;
}

QListWidget* makeList(const QStringList& texts, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->addItems(texts);
    list->setFixedHeight(list->sizeHintForRow(0) * texts.size() + 2 * list->frameWidth() + 4);
    return list;
}

void checkId(QButtonGroup* group, int id)
{
    if (QAbstractButton* b = group->button(id))
        b->setChecked(true);
}

// "\r" in a hint is a line break.
QString hint(const char* text) { return QString::fromUtf8(text).replace(u'\r', u'\n'); }

// The box's lines the way a memo counts them: a final line break opens no
// line of its own.
QStringList boxLines(const QPlainTextEdit* box)
{
    QString text = box->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

QIcon clockIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.drawLine(QPointF(12, 12), QPointF(12, 5));
    p.drawLine(QPointF(12, 12), QPointF(17, 12));
    return QIcon(pm);
}

QIcon zoomIcon(bool in)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (in)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    return QIcon(pm);
}

QString defaultFileChooser(bool save, QWidget* parent)
{
    FileDialogSpec dialog;
    dialog.title = save ? QStringLiteral("Save As Calendar Style Sheet")
                        : QStringLiteral("Open Calendar Style Sheet");
    dialog.filter = QStringLiteral("Calendar Style Sheet (*.DLS *.dls)");
    dialog.defaultSuffix = QStringLiteral("DLS");
    dialog.directory = ProgramDir();
    dialog.proposedName = QStringLiteral("MyStyle.DLS");
    return save ? RunSaveFileDialog(dialog, parent) : RunOpenFileDialog(dialog, parent);
}

bool defaultTimeChooser(QTime& time, QWidget* parent)
{
    TSetTimeDialog dialog(parent);
    dialog.SetTime(time);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    time = dialog.Time();
    return true;
}

bool isStyleSheetName(const QString& path)
{
    return QFileInfo(path).suffix().toUpper() == QLatin1String("DLS");
}

}  // namespace

// ---- creation -----------------------------------------------------------------

TCalendarProperties::TCalendarProperties(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarProperties"));
    setWindowTitle(QStringLiteral("Calendar Properties"));
    setModal(true);
    m_preview = new TCalendarPanel32(this);
    m_preview->setObjectName(QStringLiteral("ExampleCalendar"));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top, 1);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip"));
    m_tabs->setToolTip(hint("Click a tab to work with a different aspect of \rthis calendar's "
                            "properties"));
    m_tabs->setUsesScrollButtons(true);  // the dialog may be narrowed below the strip
    m_tabs->addTab(buildLayoutPage(), QStringLiteral("Layout"));
    m_tabs->addTab(buildDatePage(), QStringLiteral("Date"));
    m_tabs->addTab(buildFontsPage(), QStringLiteral("Fonts, Colors"));
    m_tabs->addTab(buildMiniPage(), QStringLiteral("Mini Fonts, Colors"));
    m_tabs->addTab(buildHeadersPage(), QStringLiteral("Headers"));
    m_tabs->addTab(buildLinesPage(), QStringLiteral("Lines"));
    m_tabs->addTab(buildPlannerPage(), QStringLiteral("Planners"));
    m_tabs->addTab(buildLanguagePage(), QStringLiteral("Language"));
    m_tabs->addTab(buildMarginsPage(), QStringLiteral("Margins"));
    m_tabs->addTab(buildBordersPage(), QStringLiteral("Borders"));
    m_tabs->setCurrentIndex(0);
    // Wide enough for the whole tab strip; the preview takes the rest.
    m_tabs->setMinimumWidth(m_tabs->tabBar()->sizeHint().width() + 4);
    top->addWidget(m_tabs, 0);

    // The preview with its zoom buttons.
    auto* previewColumn = new QVBoxLayout;
    auto* zoomRow = new QHBoxLayout;
    auto* zoomIn = new QToolButton(this);
    zoomIn->setObjectName(QStringLiteral("ZoomInButton"));
    zoomIn->setIcon(zoomIcon(true));
    zoomIn->setToolTip(QStringLiteral("Click to zoom in (make the calendar larger)"));
    connect(zoomIn, &QToolButton::clicked, this, &TCalendarProperties::ZoomInClick);
    auto* zoomOut = new QToolButton(this);
    zoomOut->setObjectName(QStringLiteral("ZoomOutButton"));
    zoomOut->setIcon(zoomIcon(false));
    zoomOut->setToolTip(QStringLiteral("Click to zoom out (make the calendar smaller)"));
    connect(zoomOut, &QToolButton::clicked, this, &TCalendarProperties::ZoomOutClick);
    m_zoomCaption = new QLabel(QStringLiteral("100%"), this);
    m_zoomCaption->setObjectName(QStringLiteral("ZoomCaption"));
    zoomRow->addWidget(zoomIn);
    zoomRow->addWidget(zoomOut);
    zoomRow->addWidget(m_zoomCaption);
    zoomRow->addStretch();
    previewColumn->addLayout(zoomRow);
    m_previewBox = new QScrollArea(this);
    m_previewBox->setObjectName(QStringLiteral("PreviewBox"));
    m_previewBox->setMinimumSize(360, 300);
    m_previewBox->setBackgroundRole(QPalette::Dark);
    m_previewWidget = new CalendarPageWidget(m_preview);
    m_previewWidget->setObjectName(QStringLiteral("ExampleCalendarWidget"));
    m_previewWidget->setToolTip(QStringLiteral("This is an example calendar"));
    m_previewBox->setWidget(m_previewWidget);
    previewColumn->addWidget(m_previewBox, 1);
    top->addLayout(previewColumn, 1);

    // The buttons below.
    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text, auto slot) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("SaveStyleButton", QStringLiteral("&Save As Style Sheet"),
           [this] { SaveStyleClick(); });
    button("LoadStyleButton", QStringLiteral("&Load Style Sheet"), [this] { LoadStyleClick(); });
    button("DefaultStyleButton", QStringLiteral("&Default Style"),
           [this] { DefaultStyleClick(); });
    buttons->addStretch();
    button("HelpButton", QStringLiteral("&Help"), [this] { ShowHelpTopic(HelpContext()); });
    button("CancelButton", QStringLiteral("&Cancel"), [this] { reject(); });  // Esc as well
    QPushButton* ok = button("OkButton", QStringLiteral("&Ok"), [this] { OKButtonClick(); });
    ok->setDefault(true);
    layout->addLayout(buttons);

    fillBorderList();
    resize(1180, 580);
}

TCalendarProperties::~TCalendarProperties()
{
    m_monthNames->removeEventFilter(this);
    m_dayNames->removeEventFilter(this);
    // The preview widget goes before the page it shows.
    delete m_previewBox;
    m_previewBox = nullptr;
    m_previewWidget = nullptr;
}

QWidget* TCalendarProperties::buildLayoutPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Select Layout"), page));
    m_layoutList = new QListWidget(page);
    m_layoutList->setObjectName(QStringLiteral("LayoutList"));
    m_layoutList->setToolTip(QStringLiteral("Select a layout for the calendar from this list"));
    m_layoutList->addItems(LayoutDisplayTexts());
    connect(m_layoutList, &QListWidget::currentRowChanged, this, [this] { LayoutChange(); });
    layout->addWidget(m_layoutList, 1);
    auto* row = new QHBoxLayout;
    m_orientationBox = new QGroupBox(QStringLiteral("Orientation"), page);
    m_orientationBox->setObjectName(QStringLiteral("OrientationBox"));
    m_orientationBox->setToolTip(QStringLiteral("Choose Portrait or Landscape orientation"));
    m_orientation =
        radioGroup(m_orientationBox, {QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    auto* paperBox = new QGroupBox(QStringLiteral("Paper"), page);
    paperBox->setObjectName(QStringLiteral("PaperBox"));
    paperBox->setToolTip(QStringLiteral("Choose the paper size"));
    m_paper = radioGroup(paperBox, {QStringLiteral("Letter"), QStringLiteral("A4")});
    for (QButtonGroup* g : {m_orientation, m_paper})
        connect(g, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                LayoutChange();
        });
    row->addWidget(m_orientationBox);
    row->addWidget(paperBox);
    layout->addLayout(row);
    return page;
}

QWidget* TCalendarProperties::buildDatePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_dateHeading = heading(QStringLiteral("Select Month & Year"), page);
    m_dateHeading->setObjectName(QStringLiteral("DateHeading"));
    layout->addWidget(m_dateHeading);
    m_picker = new DatePicker(page);
    m_picker->setObjectName(QStringLiteral("DatePicker"));
    connect(m_picker, &DatePicker::DateChanged, this, [this] { DateChange(); });
    layout->addWidget(m_picker);
    m_dateCaption = new QLabel(page);
    m_dateCaption->setObjectName(QStringLiteral("DateCaption"));
    m_dateCaption->setAlignment(Qt::AlignCenter);
    QFont f = m_dateCaption->font();
    f.setBold(true);
    m_dateCaption->setFont(f);
    layout->addWidget(m_dateCaption);
    auto* row = new QHBoxLayout;
    m_weekStartBox = new QGroupBox(QStringLiteral("Week Starts On"), page);
    m_weekStartBox->setObjectName(QStringLiteral("WeekStartBox"));
    m_weekStartBox->setToolTip(QStringLiteral("Select the day that the calendar week starts on"));
    m_weekStart = radioGroup(m_weekStartBox, {QStringLiteral("Sunday"), QStringLiteral("Monday")});
    connect(m_weekStart, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on)
            return;
        m_picker->SetFirstDayOfWeek(id == 0 ? Qt::Sunday : Qt::Monday);
        if (writing())
            m_preview->SetStartOfWeek(id + 1);
    });
    row->addWidget(m_weekStartBox);
    auto* years = new QVBoxLayout;
    m_titleShowYear = new QCheckBox(QStringLiteral("Show Year in Title"), page);
    m_titleShowYear->setObjectName(QStringLiteral("TitleShowYear"));
    m_titleShowYear->setToolTip(
        hint("For full calendars, show the year as well\ras the month in the title"));
    connect(m_titleShowYear, &QCheckBox::toggled, this, [this](bool on) {
        if (writing())
            m_preview->SetTitleShowYear(on);
    });
    m_miniShowYear = new QCheckBox(QStringLiteral("Show Year in Mini Title"), page);
    m_miniShowYear->setObjectName(QStringLiteral("MiniShowYear"));
    m_miniShowYear->setToolTip(
        hint("For mini calendars, show the year as well\ras the month in the title"));
    connect(m_miniShowYear, &QCheckBox::toggled, this, [this](bool on) {
        if (writing())
            m_preview->SetMiniShowYear(on);
    });
    years->addWidget(m_titleShowYear);
    years->addWidget(m_miniShowYear);
    years->addStretch();
    row->addLayout(years);
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QPushButton* TCalendarProperties::fontButton(QWidget* parent,
                                             const TFontData& (TCalendarPanel32::*font)() const,
                                             void (TCalendarPanel32::*setter)(const TFontData&))
{
    auto* b = new QPushButton(QStringLiteral("Font"), parent);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, font, setter] {
        TFontData chosen = (m_preview->*font)();
        if (chooseFont(chosen))
            (m_preview->*setter)(chosen);
        m_previewWidget->update();
    });
    return b;
}

ColorButton* TCalendarProperties::colorButton(QWidget* parent, const QString& caption,
                                              void (TCalendarPanel32::*setter)(TColor))
{
    auto* b = new ColorButton(caption, parent);
    b->setAutoDefault(false);
    connect(b, &ColorButton::ColorChanged, this, [this, setter](TColor color) {
        if (writing())
            (m_preview->*setter)(color);
    });
    return b;
}

bool TCalendarProperties::chooseFont(TFontData& font)
{
    return m_fontChooser ? m_fontChooser(font, this) : ChooseFontAndColor(font, this);
}

QWidget* TCalendarProperties::buildFontsPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Fonts & Colors"), page));
    auto group = [&](const QString& title) {
        auto* box = new QGroupBox(title, page);
        auto* row = new QHBoxLayout(box);
        layout->addWidget(box);
        return std::make_pair(box, row);
    };
    auto [title, titleRow] = group(QStringLiteral("Title"));
    m_titleFont = fontButton(title, &TCalendarPanel32::TitleFont, &TCalendarPanel32::SetTitleFont);
    m_titleFont->setObjectName(QStringLiteral("TitleFontButton"));
    m_titleColor = colorButton(title, QStringLiteral("Background Color"),
                               &TCalendarPanel32::SetTitleBGColor);
    m_titleColor->setObjectName(QStringLiteral("TitleColorButton"));
    titleRow->addWidget(m_titleFont);
    titleRow->addWidget(m_titleColor);
    auto [header, headerRow] = group(QStringLiteral("Header"));
    m_headersFont =
        fontButton(header, &TCalendarPanel32::HeadersFont, &TCalendarPanel32::SetHeadersFont);
    m_headersFont->setObjectName(QStringLiteral("HeadersFontButton"));
    m_headersColor = colorButton(header, QStringLiteral("Background Color"),
                                 &TCalendarPanel32::SetHeadersBGColor);
    m_headersColor->setObjectName(QStringLiteral("HeadersColorButton"));
    headerRow->addWidget(m_headersFont);
    headerRow->addWidget(m_headersColor);
    auto [cells, cellsRow] = group(QStringLiteral("Number Cells"));
    m_cellFont = fontButton(cells, &TCalendarPanel32::CellFont, &TCalendarPanel32::SetCellFont);
    m_cellFont->setObjectName(QStringLiteral("CellFontButton"));
    cellsRow->addWidget(m_cellFont);
    cellsRow->addStretch();
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::buildMiniPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Mini Fonts & Colors"), page));
    auto group = [&](const QString& title) {
        auto* box = new QGroupBox(title, page);
        auto* row = new QHBoxLayout(box);
        layout->addWidget(box);
        return std::make_pair(box, row);
    };
    auto [title, titleRow] = group(QStringLiteral("Mini Title"));
    m_miniTitleFont =
        fontButton(title, &TCalendarPanel32::MiniTitleFont, &TCalendarPanel32::SetMiniTitleFont);
    m_miniTitleFont->setObjectName(QStringLiteral("MiniTitleFontButton"));
    titleRow->addWidget(m_miniTitleFont);
    titleRow->addStretch();
    auto [header, headerRow] = group(QStringLiteral("Mini Header"));
    m_miniHeadersColor = colorButton(header, QStringLiteral("Background Color"),
                                     &TCalendarPanel32::SetMiniHeadersBGColor);
    m_miniHeadersColor->setObjectName(QStringLiteral("MiniHeadersColorButton"));
    m_miniHeadersFont = fontButton(header, &TCalendarPanel32::MiniHeadersFont,
                                   &TCalendarPanel32::SetMiniHeadersFont);
    m_miniHeadersFont->setObjectName(QStringLiteral("MiniHeadersFontButton"));
    headerRow->addWidget(m_miniHeadersColor);
    headerRow->addWidget(m_miniHeadersFont);
    auto [cells, cellsRow] = group(QStringLiteral("Mini Number Cells"));
    m_miniCellFont =
        fontButton(cells, &TCalendarPanel32::MiniCellFont, &TCalendarPanel32::SetMiniCellFont);
    m_miniCellFont->setObjectName(QStringLiteral("MiniCellFontButton"));
    cellsRow->addWidget(m_miniCellFont);
    cellsRow->addStretch();
    auto [back, backRow] = group(QStringLiteral("Mini Calendar Background Color"));
    m_miniCalColor = colorButton(back, QStringLiteral("Background Color"),
                                 &TCalendarPanel32::SetMiniCalBGColor);
    m_miniCalColor->setObjectName(QStringLiteral("MiniCalColorButton"));
    backRow->addWidget(m_miniCalColor);
    backRow->addStretch();
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::buildHeadersPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Header Styles"), page));
    const QStringList styles = {QStringLiteral("First Character"),
                                QStringLiteral("First Three Characters"),
                                QStringLiteral("Whole Word")};
    layout->addWidget(new QLabel(QStringLiteral("Header Style"), page));
    m_headerStyle = makeList(styles, page);
    m_headerStyle->setObjectName(QStringLiteral("HeaderStyleList"));
    connect(m_headerStyle, &QListWidget::currentRowChanged, this, [this](int row) {
        if (writing() && row >= 0)
            m_preview->SetHeadersStyle(TCalHeadersStyle(row));
    });
    layout->addWidget(m_headerStyle);
    layout->addWidget(new QLabel(QStringLiteral("Mini Header Style"), page));
    m_miniHeaderStyle = makeList(styles, page);
    m_miniHeaderStyle->setObjectName(QStringLiteral("MiniHeaderStyleList"));
    connect(m_miniHeaderStyle, &QListWidget::currentRowChanged, this, [this](int row) {
        if (writing() && row >= 0)
            m_preview->SetMiniHeadersStyle(TCalHeadersStyle(row));
    });
    layout->addWidget(m_miniHeaderStyle);
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::buildLinesPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Line Styles"), page));
    layout->addWidget(new QLabel(QStringLiteral("Calendar Line Style"), page));
    m_lineStyle = makeList({QStringLiteral("Full"), QStringLiteral("Headers & Cells"),
                            QStringLiteral("Cells Only")},
                           page);
    m_lineStyle->setObjectName(QStringLiteral("LineStyleList"));
    connect(m_lineStyle, &QListWidget::currentRowChanged, this, [this](int row) {
        if (writing() && row >= 0)
            m_preview->SetCalendarLineLayout(TCalendarLineLayout(row));
    });
    layout->addWidget(m_lineStyle);
    layout->addWidget(new QLabel(QStringLiteral("Mini-Calendar Line Style"), page));
    m_miniLineStyle = makeList(
        {QStringLiteral("Full"), QStringLiteral("Boxed"), QStringLiteral("Minimal")}, page);
    m_miniLineStyle->setObjectName(QStringLiteral("MiniLineStyleList"));
    connect(m_miniLineStyle, &QListWidget::currentRowChanged, this, [this](int row) {
        if (writing() && row >= 0)
            m_preview->SetMiniCalendarLineLayout(TMiniCalendarLineLayout(row));
    });
    layout->addWidget(m_miniLineStyle);
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::buildPlannerPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Day Planner"), page));
    auto* note = new QLabel(QStringLiteral("*(Note: This setting only applies if you have selected "
                                           "one of the two Day Planners from the Layout tab)"),
                            page);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* box = new QGroupBox(QStringLiteral("Starting Time (for day planners)"), page);
    auto* row = new QHBoxLayout(box);
    m_timeCaption = new QLabel(box);
    m_timeCaption->setObjectName(QStringLiteral("TimeCaption"));
    QFont f = m_timeCaption->font();
    f.setPointSizeF(f.pointSizeF() * 1.5);
    f.setBold(true);
    m_timeCaption->setFont(f);
    m_clockButton = new QToolButton(box);
    m_clockButton->setObjectName(QStringLiteral("ClockButton"));
    m_clockButton->setIcon(clockIcon());
    m_clockButton->setIconSize(QSize(24, 24));
    m_clockButton->setToolTip(QStringLiteral("Select a starting time by clicking here"));
    connect(m_clockButton, &QToolButton::clicked, this, &TCalendarProperties::StartTimeClick);
    row->addWidget(m_timeCaption);
    row->addWidget(m_clockButton);
    row->addStretch();
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::buildLanguagePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Month and Day Names"), page));
    auto* boxes = new QGridLayout;
    boxes->addWidget(new QLabel(QStringLiteral("Month Names"), page), 0, 0);
    boxes->addWidget(new QLabel(QStringLiteral("Day Names"), page), 0, 1);
    m_monthNames = new QPlainTextEdit(page);
    m_monthNames->setObjectName(QStringLiteral("MonthNames"));
    m_monthNames->setToolTip(
        hint("Type in the month names, starting with January,\ror click one of the buttons below"));
    m_dayNames = new QPlainTextEdit(page);
    m_dayNames->setObjectName(QStringLiteral("DayNames"));
    m_dayNames->setToolTip(
        hint("Type in the day names, starting with Sunday, or \rclick one of the buttons below."));
    for (QPlainTextEdit* box : {m_monthNames, m_dayNames}) {
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->installEventFilter(this);
    }
    boxes->addWidget(m_monthNames, 1, 0);
    boxes->addWidget(m_dayNames, 1, 1);
    layout->addLayout(boxes, 1);
    auto* row = new QHBoxLayout;
    const struct {
        const char* text;
        TFlatCalLanguage language;
    } buttons[] = {{"English", fclEnglish},
                   {"Fran\u00e7ais", fclFrench},
                   {"Deutsch", fclGerman},
                   {"L'italiano", fclItalian},
                   {"Espa\u00f1ol", fclSpanish}};
    for (const auto& entry : buttons) {
        auto* b = new QPushButton(QString::fromUtf8(entry.text), page);
        b->setObjectName(QStringLiteral("Language%1").arg(int(entry.language)));
        b->setAutoDefault(false);
        const int language = entry.language;
        connect(b, &QPushButton::clicked, this, [this, language] { LanguageClick(language); });
        row->addWidget(b);
    }
    layout->addLayout(row);
    return page;
}

QWidget* TCalendarProperties::buildMarginsPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Margins"), page));
    m_units = new QButtonGroup(page);
    auto* inches = new QRadioButton(QStringLiteral("Use Inches"), page);
    inches->setObjectName(QStringLiteral("UseInches"));
    auto* mm = new QRadioButton(QStringLiteral("Use Millimeters"), page);
    mm->setObjectName(QStringLiteral("UseMillimeters"));
    m_units->addButton(inches, 0);
    m_units->addButton(mm, 1);
    inches->setChecked(true);
    connect(m_units, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            unitsChange(id == 1);
    });
    auto* units = new QHBoxLayout;
    units->addWidget(inches);
    units->addWidget(mm);
    units->addStretch();
    layout->addLayout(units);
    auto* box = new QGroupBox(QStringLiteral("Select Page Margins"), page);
    auto* grid = new QGridLayout(box);
    const char* names[4] = {"Left Margin", "Top Margin", "Right Margin", "Bottom Margin"};
    const char* hints[4] = {"Select the left margin for the printed calendar",
                            "Select the top margin for the printed calendar",
                            "Select the right margin for the printed calendar",
                            "Select the bottom margin for the printed calendar"};
    for (int side = 0; side < 4; ++side) {
        grid->addWidget(new QLabel(QLatin1String(names[side]), box), side, 0);
        auto* list = new QComboBox(box);
        list->setObjectName(QStringLiteral("Margin%1").arg(side));
        list->setToolTip(QLatin1String(hints[side]));
        list->addItems(InchTexts());
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, side](int index) { marginChange(side, index); });
        // Choosing the entry already shown stores its value too (0.3 shows
        // as a quarter inch; choosing it makes it exactly 0.25).
        connect(list, &QComboBox::activated, this,
                [this, side](int index) { marginChange(side, index); });
        grid->addWidget(list, side, 1);
        m_margins[side] = list;
    }
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::buildBordersPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Calendar Borders"), page));
    m_borderList = new QListWidget(page);
    m_borderList->setObjectName(QStringLiteral("BorderList"));
    m_borderList->setSortingEnabled(true);
    connect(m_borderList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!writing() || row < 0)
            return;
        const QString text = m_borderList->item(row)->text();
        m_preview->SetWMFBorderFile(text == NoBorderText() ? QString() : text);
    });
    layout->addWidget(m_borderList, 1);
    return page;
}

void TCalendarProperties::fillBorderList()
{
    m_suppress = true;
    m_borderList->clear();
    // The user's own Borders folder and the installed one make one list.
    const QStringList folders = FindDataFolders(QStringLiteral("Borders"));
    if (folders.isEmpty()) {
        m_borderList->setEnabled(false);
        m_suppress = false;
        return;
    }
    m_borderList->setEnabled(true);
    m_borderList->addItem(NoBorderText());
    QStringList names;
    for (const QString& folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
        for (const QFileInfo& file : files) {
            if (file.suffix().compare(QLatin1String("wls"), Qt::CaseInsensitive) != 0)
                continue;
            const QString name = file.fileName().section(u'.', 0, 0);
            if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    m_borderList->addItems(names);
    m_suppress = false;
}

// ---- tables -------------------------------------------------------------------

QStringList TCalendarProperties::InchTexts()
{
    return {QStringLiteral("\u00bc Inch"), QStringLiteral("\u00bd Inch"),
            QStringLiteral("\u00be Inch"), QStringLiteral("1 Inch"),
            QStringLiteral("1\u00bc Inch"), QStringLiteral("1\u00bd Inch")};
}

QStringList TCalendarProperties::MillimeterTexts()
{
    return {QStringLiteral("6 mm"),  QStringLiteral("13 mm"), QStringLiteral("19 mm"),
            QStringLiteral("25 mm"), QStringLiteral("32 mm"), QStringLiteral("38 mm")};
}

float TCalendarProperties::MarginValue(int index)
{
    return MarginValues[qBound(0, index, 5)];
}

int TCalendarProperties::MarginIndex(float inches)
{
    int index = 0;
    for (int i = 1; i < 6; ++i)
        if (inches >= MarginValues[i])
            index = i;
    return index;
}

QString TCalendarProperties::NoBorderText() { return QStringLiteral(" [No Special Border]"); }

// ---- activation and the controls ----------------------------------------------

void TCalendarProperties::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TCalendarProperties::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    // 1.
    showZoom();
    RestorePlacement(this);
    // 2.
    if (m_newCalendar)
        m_preview->ResetPage();
    // 3.
    setControlsFromPreview();
    m_initializing = false;
    LayoutChange();
    // 4.
    selectBorderRow();
    // 5.
    m_saved = m_preview->Settings();
}

void TCalendarProperties::selectBorderRow()
{
    if (!m_borderList->isEnabled() || m_borderList->count() == 0)
        return;
    const bool suppress = m_suppress;
    m_suppress = true;
    m_borderList->setCurrentRow(0);  // the leading blank sorts it first
    const QString border = m_preview->WMFBorderFile();
    if (!border.isEmpty()) {
        for (int i = 0; i < m_borderList->count(); ++i)
            if (m_borderList->item(i)->text().compare(border, Qt::CaseInsensitive) == 0) {
                m_borderList->setCurrentRow(i);
                break;
            }
    }
    m_suppress = suppress;
}

void TCalendarProperties::setControlsFromPreview()
{
    const bool initializing = m_initializing;
    m_initializing = true;
    TCalendarPanel32& p = *m_preview;
    const TCalendarLayout layout = p.CalendarLayout();
    m_layoutList->setCurrentRow(LayoutDisplayRow(layout));
    checkId(m_orientation, layout < loWeek ? int(layout) % 2 : 0);
    checkId(m_paper, qBound(0, p.PaperSize(), 1));
    m_plannerDateMode = layout > loMC60MonthLS;

    // Day 1 of the month first, then the day itself where the month has it.
    m_picker->SetDate(QDate(p.MainCalYear(), p.MainCalMonth(), 1));
    m_picker->SetDate(QDate(p.MainCalYear(), p.MainCalMonth(), p.MainCalDay()));

    m_monthNames->setPlainText(p.MonthNames().join(u'\n'));
    m_dayNames->setPlainText(p.DayNames().join(u'\n'));
    checkId(m_weekStart, p.StartOfWeek() == 1 ? 0 : 1);
    m_titleColor->SetColor(p.TitleBGColor());
    m_headersColor->SetColor(p.HeadersBGColor());
    m_miniHeadersColor->SetColor(p.MiniHeadersBGColor());
    m_miniCalColor->SetColor(p.MiniCalBGColor());
    m_headerStyle->setCurrentRow(int(p.HeadersStyle()));
    m_miniHeaderStyle->setCurrentRow(int(p.MiniHeadersStyle()));
    m_lineStyle->setCurrentRow(int(p.CalendarLineLayout()));
    m_miniLineStyle->setCurrentRow(int(p.MiniCalendarLineLayout()));
    m_dateCaption->setText(QLocale().toString(m_picker->Date(), QStringLiteral("MMMM yyyy")));
    m_timeCaption->setText(ShortTimeText(p.PlannerStartTime()));
    m_titleShowYear->setChecked(p.TitleShowYear());
    m_miniShowYear->setChecked(p.MiniShowYear());
    const float margins[4] = {p.LeftMarginInch(), p.TopMarginInch(), p.RightMarginInch(),
                              p.BottomMarginInch()};
    for (int side = 0; side < 4; ++side)
        m_margins[side]->setCurrentIndex(MarginIndex(margins[side]));
    setDateHeading();
    m_initializing = initializing;
}

void TCalendarProperties::setDateHeading()
{
    m_dateHeading->setText(m_preview->CalendarLayout() > loMC60MonthLS
                               ? QStringLiteral("Select Starting Date")
                               : QStringLiteral("Select Month & Year"));
}

void TCalendarProperties::LayoutChange()
{
    if (m_initializing || m_suppress)
        return;
    // 1.
    m_preview->SetPaperSize(qMax(0, m_paper->checkedId()));
    // 2.
    TCalendarLayout layout = m_preview->CalendarLayout();
    const int row = m_layoutList->currentRow();
    if (row >= 0) {
        const TCalendarOrientation o =
            m_orientation->checkedId() == 1 ? coLandscape : coPortrait;
        layout = LayoutFromDisplayRow(row, o);
    }
    // 3.
    m_plannerDateMode = layout > loMC60MonthLS;
    // 4.
    DateChange();
    // 5.
    m_preview->SetCalendarLayout(layout);
    m_preview->RecalcPageLayout(true);
    m_previewWidget->update();
    setDateHeading();
    enableControls();
}

void TCalendarProperties::DateChange()
{
    const QDate date = m_picker->Date();
    m_dateCaption->setText(m_plannerDateMode
                               ? QLocale().toString(date, QLocale::LongFormat)
                               : QLocale().toString(date, QStringLiteral("MMMM yyyy")));
    if (!writing() || !date.isValid())
        return;
    // The day first where the new month is shorter, so that no step holds a
    // day the month has not got.
    m_preview->SetMainCalDay(1);
    m_preview->SetMainCalYear(date.year());
    m_preview->SetMainCalMonth(date.month());
    m_preview->SetMainCalDay(date.day());
}

void TCalendarProperties::enableControls()
{
    const int v = int(m_preview->CalendarLayout());
    const int k = m_preview->LayoutKind();
    m_orientationBox->setEnabled(k == 0 || k == 1);
    m_weekStartBox->setEnabled(v < 18);
    const bool mainOnly = v <= 7;
    m_titleShowYear->setEnabled(mainOnly);
    m_titleColor->setEnabled(mainOnly);
    m_cellFont->setEnabled(mainOnly);
    m_lineStyle->setEnabled(mainOnly);
    const bool headed = v <= 7 || v >= 18;
    m_titleFont->setEnabled(headed);
    m_headersFont->setEnabled(headed);
    m_headersColor->setEnabled(headed);
    m_headerStyle->setEnabled(headed);
    const bool minis = v >= 2 && v <= 17;
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_miniShowYear, m_miniTitleFont, m_miniHeadersColor, m_miniHeadersFont,
             m_miniCellFont, m_miniCalColor, m_miniHeaderStyle, m_miniLineStyle})
        w->setEnabled(minis);
    m_clockButton->setEnabled(k == 4 || k == 5);
}

// ---- names, margins, time, zoom --------------------------------------------------

bool TCalendarProperties::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_monthNames)
            ApplyMonthNames();
        else if (watched == m_dayNames)
            ApplyDayNames();
    }
    return QDialog::eventFilter(watched, event);
}

void TCalendarProperties::applyNames(QPlainTextEdit* box, int count, bool months)
{
    const QStringList lines = boxLines(box);
    for (int j = 1; j <= count && j <= lines.size(); ++j) {
        if (months)
            m_preview->SetMonthName(j, lines[j - 1]);
        else
            m_preview->SetDayName(j, lines[j - 1]);
    }
    if (m_previewWidget)
        m_previewWidget->update();
    QTextCursor cursor = box->textCursor();
    cursor.movePosition(QTextCursor::Start);
    box->setTextCursor(cursor);
}

void TCalendarProperties::ApplyMonthNames() { applyNames(m_monthNames, 12, true); }
void TCalendarProperties::ApplyDayNames() { applyNames(m_dayNames, 7, false); }

void TCalendarProperties::LanguageClick(int language)
{
    const auto lang = TFlatCalLanguage(language);
    QStringList months;
    QStringList days;
    for (int m = 1; m <= 12; ++m)
        months.append(LanguageMonthName(lang, m));
    for (int d = 1; d <= 7; ++d)
        days.append(LanguageDayName(lang, d));
    m_monthNames->setPlainText(months.join(u'\n'));
    m_dayNames->setPlainText(days.join(u'\n'));
    ApplyMonthNames();
    ApplyDayNames();
}

void TCalendarProperties::unitsChange(bool millimeters)
{
    const QStringList texts = millimeters ? MillimeterTexts() : InchTexts();
    for (QComboBox* list : m_margins)
        for (int i = 0; i < texts.size() && i < list->count(); ++i)
            list->setItemText(i, texts[i]);
}

void TCalendarProperties::marginChange(int side, int index)
{
    if (!writing() || index < 0)
        return;
    const float value = MarginValue(index);
    switch (side) {
    case 0: m_preview->SetLeftMarginInch(value); break;
    case 1: m_preview->SetTopMarginInch(value); break;
    case 2: m_preview->SetRightMarginInch(value); break;
    default: m_preview->SetBottomMarginInch(value); break;
    }
}

void TCalendarProperties::StartTimeClick()
{
    QTime time = ShortTimeFromText(m_timeCaption->text());
    if (!time.isValid()) {
        m_timeCaption->setText(ShortTimeText(QTime::currentTime()));
        time = ShortTimeFromText(m_timeCaption->text());
    }
    const bool chosen =
        m_timeChooser ? m_timeChooser(time, this) : defaultTimeChooser(time, this);
    if (!chosen || !time.isValid())
        return;
    m_timeCaption->setText(ShortTimeText(time));
    m_preview->SetPlannerStartTime(time);
}

Zoom TCalendarProperties::PreviewZoom() const
{
    return m_previewWidget ? m_previewWidget->PageZoom() : Zoom();
}

void TCalendarProperties::SetPreviewZoom(Zoom zoom)
{
    if (m_previewWidget)
        m_previewWidget->SetZoom(zoom);
    showZoom();
}

void TCalendarProperties::showZoom()
{
    m_zoomCaption->setText(PreviewZoom().Caption());
}

void TCalendarProperties::ZoomInClick()
{
    m_previewWidget->SetZoom(PreviewZoom().StepInWithin(Zoom::MaxStepPercent));
    showZoom();
}

void TCalendarProperties::ZoomOutClick()
{
    m_previewWidget->SetZoom(PreviewZoom().StepOutWithin(Zoom::MinStepPercent));
    showZoom();
}

int TCalendarProperties::HelpContext() const
{
    const int page = m_tabs->currentIndex();
    return page == BordersPage ? 3109 : 2100 + qMax(0, page);
}

// ---- style sheets ----------------------------------------------------------------

bool TCalendarProperties::saveStyleSheetFile(const QString& path)
{
    SaveStyleSheet(*m_preview, path);
    return true;
}

bool TCalendarProperties::loadStyleSheetFile(const QString& path)
{
    LoadStyleSheet(*m_preview, path);
    return true;
}

void TCalendarProperties::SaveStyleClick()
{
    const QString path = m_fileChooser ? m_fileChooser(true, this) : defaultFileChooser(true, this);
    if (path.isEmpty())
        return;
    if (!isStyleSheetName(path)) {
        ShowInformation(QStringLiteral("Must save as a Calendar Style Sheet (*.DLS)"));
        return;
    }
    try {
        saveStyleSheetFile(path);
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    }
}

void TCalendarProperties::LoadStyleClick()
{
    const QString path =
        m_fileChooser ? m_fileChooser(false, this) : defaultFileChooser(false, this);
    if (path.isEmpty())
        return;
    if (!isStyleSheetName(path)) {
        ShowInformation(QStringLiteral("Must be a Calendar Style Sheet (*.DLS)"));
        return;
    }
    m_initializing = true;
    try {
        loadStyleSheetFile(path);
    } catch (const std::exception&) {
        ShowInformation(UnableToOpenText(path, true));
    }
    setControlsFromPreview();
    selectBorderRow();
    m_initializing = false;
    LayoutChange();
}

void TCalendarProperties::DefaultStyleClick()
{
    m_initializing = true;
    m_preview->ResetPage();
    setControlsFromPreview();
    selectBorderRow();
    m_initializing = false;
    LayoutChange();
}

// ---- closing --------------------------------------------------------------------

void TCalendarProperties::OKButtonClick()
{
    // Names typed but not yet left count as well.
    ApplyMonthNames();
    ApplyDayNames();
    // 1.
    if (m_pageHasCellText && m_preview->LayoutKind() != m_pageLayoutKind &&
        !AskYesNo(QStringLiteral("Warning: changing to this type of layout\rwill erase all text "
                                 "and icons from the current\rcalendar. Proceed?"),
                  QStringLiteral("WARNING")))
        return;
    // 2.
    if (m_pageHasObjects) {
        const PageSettings& p = m_preview->Settings();
        const bool marginsDiffer = p.LeftMarginInch != m_saved.LeftMarginInch ||
                                   p.TopMarginInch != m_saved.TopMarginInch ||
                                   p.RightMarginInch != m_saved.RightMarginInch ||
                                   p.BottomMarginInch != m_saved.BottomMarginInch;
        const bool borderAddedOrRemoved = p.WMFBorderFile.isEmpty() != m_saved.WMFBorderFile.isEmpty();
        const bool pageDiffers = p.CalendarLayout != m_saved.CalendarLayout || p.PaperSize != m_saved.PaperSize ||
                                 p.CalendarOrientation != m_saved.CalendarOrientation;
        if ((marginsDiffer || borderAddedOrRemoved || pageDiffers) &&
            !AskYesNo(QStringLiteral("Warning: The Calendar has one or more items\rplaced on it "
                                     "using the Label, Clip Art, RichText,\rSuperText or Floating "
                                     "Calendar tools.\r\rChanging Paper Size, Orientation, Layout, "
                                     "Margins or Border\rmeans you will have to reposition these "
                                     "items.\r\rProceed?"),
                      QStringLiteral("WARNING")))
            return;
    }
    // 3.
    accept();
}

void TCalendarProperties::done(int result)
{
    SavePlacement(this);
    QDialog::done(result);
}

}  // namespace dayloom
