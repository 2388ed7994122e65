#include "ui/objects/tflatcalendareditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/tgflatcalendar.h"
#include "ui/objects/colorpicker.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

class Preview : public QWidget {
public:
    Preview(TGFlatCalendar* sample, QWidget* parent) : QWidget(parent), m_sample(sample) {}
    QSize sizeHint() const override { return m_sample->Bounds().size() + QSize(2, 2); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        m_sample->Paint(p, m_sample->View());
    }

private:
    TGFlatCalendar* m_sample;
};

QComboBox* borderCombo(QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->addItems({"None", "All", "Top", "Bottom", "Top & Bottom"});
    return c;
}

}  // namespace

TFlatCalendarEditor::TFlatCalendarEditor(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint),
      m_sample(new TGFlatCalendar(this))
{
    setObjectName(QStringLiteral("FlatCalendarEditor"));
    setWindowTitle(QStringLiteral("Floating Calendar Properties"));
    m_sample->SetBounds(QRect(0, 0, 200, 170));

    auto* grid = new QGridLayout(this);
    auto* date = new QFormLayout;
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("MonthCombo"));
    m_month->addItems({"January", "February", "March", "April", "May", "June", "July", "August", "September",
                       "October", "November", "December"});
    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("YearSpinner"));
    m_year->setRange(1950, 2500);
    const int thisYear = QDate::currentDate().year();
    m_year->setValue(thisYear >= 1950 && thisYear <= 2500 ? thisYear : 1998);
    date->addRow(QStringLiteral("Month"), m_month);
    date->addRow(QStringLiteral("Year"), m_year);
    grid->addLayout(date, 0, 0);

    auto* misc = new QGroupBox(QStringLiteral("Miscellaneous"), this);
    auto* miscLayout = new QFormLayout(misc);
    m_showYear = new QCheckBox(QStringLiteral("Show Year in Title"), misc);
    m_headerStyle = new QComboBox(misc);
    m_headerStyle->addItems({"First Character", "First Three Characters", "Whole Word"});
    m_language = new QComboBox(misc);
    m_language->addItems({"English", "Deutsch", QStringLiteral("Fran\u00e7ais"), "L'italiano",
                          QStringLiteral("Espa\u00f1ol")});
    miscLayout->addRow(m_showYear);
    miscLayout->addRow(QStringLiteral("Header Style"), m_headerStyle);
    miscLayout->addRow(QStringLiteral("Language"), m_language);
    grid->addWidget(misc, 1, 0);

    auto* week = new QGroupBox(QStringLiteral("Week Starts On"), this);
    week->setToolTip(QStringLiteral("Select the day that the calendar week starts on"));
    auto* weekLayout = new QHBoxLayout(week);
    m_sunday = new QRadioButton(QStringLiteral("Sunday"), week);
    m_monday = new QRadioButton(QStringLiteral("Monday"), week);
    weekLayout->addWidget(m_sunday);
    weekLayout->addWidget(m_monday);
    auto* weekGroup = new QButtonGroup(this);
    weekGroup->addButton(m_sunday, 0);
    weekGroup->addButton(m_monday, 1);
    grid->addWidget(week, 2, 0);

    auto* fonts = new QGroupBox(QStringLiteral("Fonts"), this);
    auto* fontsLayout = new QHBoxLayout(fonts);
    m_titleFont = new QPushButton(QStringLiteral("Title Font"), fonts);
    m_headerFont = new QPushButton(QStringLiteral("Header Font"), fonts);
    m_cellFont = new QPushButton(QStringLiteral("Cell Font"), fonts);
    for (QPushButton* b : {m_titleFont, m_headerFont, m_cellFont})
        fontsLayout->addWidget(b);
    grid->addWidget(fonts, 3, 0);

    auto* borders = new QGroupBox(QStringLiteral("Borders"), this);
    auto* bordersLayout = new QFormLayout(borders);
    m_calendarBorder = borderCombo(borders);
    m_headerBorder = borderCombo(borders);
    m_cellBorder = borderCombo(borders);
    bordersLayout->addRow(QStringLiteral("Calendar "), m_calendarBorder);
    bordersLayout->addRow(QStringLiteral("Header"), m_headerBorder);
    bordersLayout->addRow(QStringLiteral("Cell "), m_cellBorder);
    grid->addWidget(borders, 0, 1, 2, 1);

    auto* colors = new QGroupBox(QStringLiteral("Colors"), this);
    auto* colorsLayout = new QVBoxLayout(colors);
    m_titleColor = new PaletteColorButton(QStringLiteral("Title Background"), colors);
    m_headerColor = new PaletteColorButton(QStringLiteral("Header Background "), colors);
    m_bodyColor = new PaletteColorButton(QStringLiteral("Body Background "), colors);
    m_transparent = new QCheckBox(QStringLiteral("Transparent"), colors);
    for (QWidget* w : QList<QWidget*>{m_titleColor, m_headerColor, m_bodyColor, m_transparent})
        colorsLayout->addWidget(w);
    grid->addWidget(colors, 2, 1, 2, 1);

    auto* shadow = new QGroupBox(QStringLiteral("Shadow"), this);
    auto* shadowLayout = new QFormLayout(shadow);
    m_shadowColor = new PaletteColorButton(QStringLiteral("Color"), shadow);
    m_orientation = new QComboBox(shadow);
    m_orientation->addItems({"Lower Right", "Lower Left", "UpperRight", "UpperLeft"});
    m_depth = new QSpinBox(shadow);
    m_depth->setRange(0, 10);
    shadowLayout->addRow(m_shadowColor);
    shadowLayout->addRow(QStringLiteral("Orientation"), m_orientation);
    shadowLayout->addRow(QStringLiteral("Depth"), m_depth);
    grid->addWidget(shadow, 0, 2, 2, 1);

    auto* scroll = new QScrollArea(this);
    scroll->setBackgroundRole(QPalette::Base);
    QPalette pal = scroll->palette();
    pal.setColor(QPalette::Base, Qt::white);
    scroll->setPalette(pal);
    m_preview = new Preview(m_sample, scroll);
    scroll->setWidget(m_preview);
    scroll->setMinimumSize(230, 200);
    grid->addWidget(scroll, 2, 2, 2, 1);

    auto* bar = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(help);
    bar->addWidget(cancel);
    grid->addLayout(bar, 4, 0, 1, 3);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(40015); });

    // Every control writes its value to the sample at once.
    auto onIndex = [this](QComboBox* c, auto apply) {
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, apply](int i) {
            if (m_filling || i < 0)
                return;
            apply(i);
            updateSample();
        });
    };
    onIndex(m_month, [this](int i) { m_sample->SetMonth(i + 1); });
    onIndex(m_headerStyle, [this](int i) { m_sample->SetDayNameStyle(TFlatCalHeadersStyle(i)); });
    onIndex(m_language, [this](int i) { m_sample->SetLanguage(TFlatCalLanguage(i)); });
    onIndex(m_calendarBorder, [this](int i) { m_sample->SetCalendarBorderStyle(TFlatCalBorderStyle(i)); });
    onIndex(m_headerBorder, [this](int i) { m_sample->SetDayNameBorderStyle(TFlatCalBorderStyle(i)); });
    onIndex(m_cellBorder, [this](int i) { m_sample->SetCellBorderStyle(TFlatCalBorderStyle(i)); });
    onIndex(m_orientation, [this](int i) { m_sample->SetShadowPosition(TFlatShadowPosition(i)); });
    auto onSpin = [this](QSpinBox* s, auto apply) {
        connect(s, qOverload<int>(&QSpinBox::valueChanged), this, [this, apply](int v) {
            if (m_filling)
                return;
            apply(v);
            updateSample();
        });
    };
    onSpin(m_year, [this](int v) { m_sample->SetYear(v); });
    onSpin(m_depth, [this](int v) { m_sample->SetShadowDepth(v); });
    auto onCheck = [this](QCheckBox* c, auto apply) {
        connect(c, &QCheckBox::toggled, this, [this, apply](bool on) {
            if (m_filling)
                return;
            apply(on);
            updateSample();
        });
    };
    onCheck(m_showYear, [this](bool on) { m_sample->SetShowYear(on); });
    onCheck(m_transparent, [this](bool on) { m_sample->SetCalTransparent(on); });
    connect(weekGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (m_filling)
            return;
        m_sample->SetStartOfWeek(id + 1);
        updateSample();
    });
    auto onColor = [this](PaletteColorButton* b, auto apply) {
        connect(b, &PaletteColorButton::ColorChanged, this, [this, apply](TColor c) {
            apply(c);
            updateSample();
        });
    };
    onColor(m_titleColor, [this](TColor c) { m_sample->SetTitleBGcolor(c); });
    onColor(m_headerColor, [this](TColor c) { m_sample->SetDayNameBGColor(c); });
    onColor(m_bodyColor, [this](TColor c) { m_sample->SetBackgroundcolor(c); });
    onColor(m_shadowColor, [this](TColor c) { m_sample->SetShadowColor(c); });
    auto onFont = [this](QPushButton* b, TFont* font) {
        connect(b, &QPushButton::clicked, this, [this, font] {
            TFont chosen;
            chosen.Assign(*font);
            if (ObjectDialogs().chooseFont && ObjectDialogs().chooseFont(chosen))
                font->Assign(chosen);
            updateSample();
        });
    };
    onFont(m_titleFont, m_sample->TitleFont());
    onFont(m_headerFont, m_sample->DayNameFont());
    onFont(m_cellFont, m_sample->CellFont());
}

void TFlatCalendarEditor::FillFromSample()
{
    m_filling = true;
    m_month->setCurrentIndex(m_sample->Month() - 1);
    m_year->setValue(m_sample->Year());
    m_showYear->setChecked(m_sample->ShowYear());
    m_headerStyle->setCurrentIndex(int(m_sample->DayNameStyle()));
    m_language->setCurrentIndex(int(m_sample->Language()));
    (m_sample->StartOfWeek() == 2 ? m_monday : m_sunday)->setChecked(true);
    m_calendarBorder->setCurrentIndex(int(m_sample->CalendarBorderStyle()));
    m_headerBorder->setCurrentIndex(int(m_sample->DayNameBorderStyle()));
    m_cellBorder->setCurrentIndex(int(m_sample->CellBorderStyle()));
    m_titleColor->SetColor(m_sample->TitleBGcolor());
    m_headerColor->SetColor(m_sample->DayNameBGColor());
    m_bodyColor->SetColor(m_sample->Backgroundcolor());
    m_transparent->setChecked(m_sample->CalTransparent());
    m_shadowColor->SetColor(m_sample->ShadowColor());
    m_orientation->setCurrentIndex(int(m_sample->ShadowPosition()));
    m_depth->setValue(m_sample->ShadowDepth());
    m_filling = false;
    updateSample();
}

void TFlatCalendarEditor::showEvent(QShowEvent* event)
{
    FillFromSample();
    QDialog::showEvent(event);
}

void TFlatCalendarEditor::updateSample()
{
    m_preview->resize(m_sample->Bounds().size() + QSize(2, 2));
    m_preview->update();
}

}  // namespace dayloom
