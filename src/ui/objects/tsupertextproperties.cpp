#include "ui/objects/tsupertextproperties.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/screen.h"
#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/symbolfonts.h"
#include "objects/tgsupertext.h"
#include "ui/objects/colorpicker.h"
#include "ui/objects/tsupertextbrushimagebrowser.h"
#include "ui/objects/tsupertextgetsymbol.h"
#include "ui/uiutil.h"

// The default texture is a resource of this library.
static void initSuperTextResources()
{
    Q_INIT_RESOURCE(supertext);
}

namespace dayloom {

namespace {

// Paints the preview object on white.
class PreviewPane : public QWidget {
public:
    PreviewPane(TGSuperText* preview, QWidget* parent) : QWidget(parent), m_preview(preview)
    {
        setObjectName(QStringLiteral("PreviewArea"));
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }
    void FollowPreview()
    {
        const QSize want = m_preview->Bounds().size() + QSize(2, 2);
        setMinimumSize(want);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_preview->Paint(p, m_preview->View());
    }

private:
    TGSuperText* m_preview;
};

// The custom colours of the "Other" colour dialog start white.
void presetCustomColours()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
}

QComboBox* list(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    return c;
}

QSpinBox* spin(QWidget* parent, const QString& name)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(0, 10);
    return s;
}

}  // namespace

TSuperTextProperties::TSuperTextProperties(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint),
      FPreview(new TGSuperText(this)),
      FRefitTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("SuperTextProperties"));
    setWindowTitle(QStringLiteral("SuperText Properties"));
    setFixedSize(582, 423);
    presetCustomColours();
    FPreview->SetBounds(QRect(0, 0, 100, 100));

    FTextEdit = new QLineEdit(this);
    FTextEdit->setObjectName(QStringLiteral("TextEdit"));
    FSurfaceType = list(this, QStringLiteral("SurfaceTypeList"), {"Normal", "Transparent", "Texture", "Gradient Fill"});

    // One panel per surface; "Transparent" shows none.
    auto* panels = new QStackedWidget(this);
    FNormalPanel = new QWidget(panels);
    FFontColor = new PaletteColorButton(QStringLiteral("Font Color"), FNormalPanel);
    FFontColor->setObjectName(QStringLiteral("FontColorButton"));
    (new QHBoxLayout(FNormalPanel))->addWidget(FFontColor);
    FTexturePanel = new QWidget(panels);
    FLoadTexture = new QPushButton(QStringLiteral("Load Texture"), FTexturePanel);
    FLoadTexture->setObjectName(QStringLiteral("LoadTextureButton"));
    (new QHBoxLayout(FTexturePanel))->addWidget(FLoadTexture);
    FGradientPanel = new QWidget(panels);
    auto* gradient = new QFormLayout(FGradientPanel);
    FFillDirection = list(FGradientPanel, QStringLiteral("FillDirectionList"), {"Up", "Down", "Left", "Right"});
    FFromColor = new PaletteColorButton(QStringLiteral("From Color"), FGradientPanel);
    FFromColor->setObjectName(QStringLiteral("FromColorButton"));
    FToColor = new PaletteColorButton(QStringLiteral("To Color"), FGradientPanel);
    FToColor->setObjectName(QStringLiteral("ToColorButton"));
    gradient->addRow(QStringLiteral("Fill Direction"), FFillDirection);
    auto* fromTo = new QHBoxLayout;
    fromTo->addWidget(FFromColor);
    fromTo->addWidget(FToColor);
    gradient->addRow(fromTo);
    auto* none = new QWidget(panels);
    panels->addWidget(FNormalPanel);
    panels->addWidget(none);
    panels->addWidget(FTexturePanel);
    panels->addWidget(FGradientPanel);

    auto* surface = new QGroupBox(QStringLiteral("Surface Type"), this);
    auto* surfaceLayout = new QVBoxLayout(surface);
    surfaceLayout->addWidget(FSurfaceType);
    surfaceLayout->addWidget(panels);

    auto* shadow = new QGroupBox(QStringLiteral("Shadow"), this);
    auto* shadowLayout = new QFormLayout(shadow);
    FShadowColor = new PaletteColorButton(QStringLiteral("Shadow Color"), shadow);
    FShadowColor->setObjectName(QStringLiteral("ShadowColorButton"));
    FShadowOrientation = list(shadow, QStringLiteral("ShadowOrientationList"),
                              {"None", "Right", "Left", "Down and Right", "Down and Left", "Down"});
    FShadowDepth = spin(shadow, QStringLiteral("ShadowDepthEdit"));
    shadowLayout->addRow(FShadowColor);
    shadowLayout->addRow(QStringLiteral("Shadow Orientation"), FShadowOrientation);
    shadowLayout->addRow(QStringLiteral("Shadow Depth"), FShadowDepth);

    auto* outline = new QGroupBox(QStringLiteral("Outline"), this);
    auto* outlineLayout = new QFormLayout(outline);
    FOutlineColor = new PaletteColorButton(QStringLiteral("Outline Color"), outline);
    FOutlineColor->setObjectName(QStringLiteral("OutlineColorButton"));
    FOutlineStyle = list(outline, QStringLiteral("OutlineStyleList"),
                         {"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"});
    FOutlineWidth = spin(outline, QStringLiteral("OutlineWidthEdit"));
    outlineLayout->addRow(FOutlineColor);
    outlineLayout->addRow(QStringLiteral("OutLine Style"), FOutlineStyle);
    outlineLayout->addRow(QStringLiteral("Outline Width"), FOutlineWidth);

    FPreviewScroll = new QScrollArea(this);
    FPreviewScroll->setObjectName(QStringLiteral("PreviewScroll"));
    FPreviewScroll->setFrameShape(QFrame::Box);
    FPreviewScroll->setBackgroundRole(QPalette::Base);
    FPreviewArea = new PreviewPane(FPreview, FPreviewScroll);
    FPreviewScroll->setWidget(FPreviewArea);
    FPreviewScroll->setWidgetResizable(true);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(new QLabel(QStringLiteral("Text"), this));
    textRow->addWidget(FTextEdit, 1);

    auto* settings = new QGridLayout;
    settings->addWidget(surface, 0, 0, 2, 1);
    settings->addWidget(shadow, 0, 1);
    settings->addWidget(outline, 1, 1);

    FSelectFont = new QPushButton(QStringLiteral("Select Font"), this);
    FSelectFont->setObjectName(QStringLiteral("SelectFontButton"));
    FSizeDown = new QToolButton(this);
    FSizeDown->setObjectName(QStringLiteral("FontSizeDown"));
    FSizeDown->setArrowType(Qt::DownArrow);
    FSizeUp = new QToolButton(this);
    FSizeUp->setObjectName(QStringLiteral("FontSizeUp"));
    FSizeUp->setArrowType(Qt::UpArrow);
    FSelectSymbol = new QPushButton(QStringLiteral("Select Symbol"), this);
    FSelectSymbol->setObjectName(QStringLiteral("SelectSymbolButton"));
    QHBoxLayout* bar = HelpOkCancelBar(this, kHelpContext);
    bar->insertWidget(1, FSelectFont);
    bar->insertWidget(2, new QLabel(QStringLiteral("Font Size"), this));
    bar->insertWidget(3, FSizeDown);
    bar->insertWidget(4, FSizeUp);
    bar->insertWidget(5, FSelectSymbol);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->addLayout(textRow);
    column->addLayout(settings);
    column->addWidget(FPreviewScroll, 1);
    column->addLayout(bar);

    // The default button's click goes through the empty-text check.
    if (auto* ok = findChild<QPushButton*>(QStringLiteral("OKButton"))) {
        disconnect(ok, &QPushButton::clicked, this, nullptr);
        connect(ok, &QPushButton::clicked, this, &TSuperTextProperties::OKButtonClick);
    }

    FRefitTimer->setInterval(kRefitMilliseconds);
    connect(FRefitTimer, &QTimer::timeout, this, &TSuperTextProperties::RefitTimerTick);
    FRefitTimer->start();

    connect(FTextEdit, &QLineEdit::textEdited, this, &TSuperTextProperties::TextEditChange);
    connect(FSurfaceType, &QComboBox::activated, this, &TSuperTextProperties::SurfaceTypeChange);
    connect(FSurfaceType, &QComboBox::currentIndexChanged, panels, &QStackedWidget::setCurrentIndex);
    connect(FLoadTexture, &QPushButton::clicked, this, &TSuperTextProperties::LoadTextureClick);
    connect(FSelectFont, &QPushButton::clicked, this, &TSuperTextProperties::SelectFontClick);
    connect(FSizeDown, &QToolButton::clicked, this, &TSuperTextProperties::FontSizeDown);
    connect(FSizeUp, &QToolButton::clicked, this, &TSuperTextProperties::FontSizeUp);
    connect(FSelectSymbol, &QPushButton::clicked, this, &TSuperTextProperties::SelectSymbolClick);

    auto colour = [this](PaletteColorButton* button, void (TGSuperText::*set)(TColor)) {
        connect(button, &PaletteColorButton::ColorChanged, this, [this, set](TColor c) {
            if (FFilling)
                return;
            (FPreview->*set)(c);
            PreviewChanged();
        });
    };
    colour(FFromColor, &TGSuperText::SetGradientFromColor);
    colour(FToColor, &TGSuperText::SetGradientToColor);
    colour(FShadowColor, &TGSuperText::SetShadowcolor);
    colour(FOutlineColor, &TGSuperText::SetOutlineColor);
    connect(FFontColor, &PaletteColorButton::ColorChanged, this, [this](TColor c) {
        if (FFilling)
            return;
        FPreview->Font()->SetColor(c);
        PreviewChanged();
    });
    connect(FFillDirection, &QComboBox::activated, this, [this](int i) {
        FPreview->SetFillDirection(TFillDirection(i));
        PreviewChanged();
    });
    connect(FShadowOrientation, &QComboBox::activated, this, [this](int i) {
        FPreview->SetShadowOrientation(TShadowOrientation(i));
        Refit();
    });
    connect(FShadowDepth, &QSpinBox::valueChanged, this, [this](int v) {
        if (FFilling)
            return;
        FPreview->SetShadowDepth(v);
        Refit();
    });
    connect(FOutlineStyle, &QComboBox::activated, this, [this](int i) {
        FPreview->SetOutlineStyle(TPenStyle(i));
        PreviewChanged();
    });
    connect(FOutlineWidth, &QSpinBox::valueChanged, this, [this](int v) {
        if (FFilling)
            return;
        FPreview->SetOutlineWidth(v);
        PreviewChanged();
    });
}

TSuperTextProperties::~TSuperTextProperties() = default;

BmpFile TSuperTextProperties::DefaultTexture()
{
    initSuperTextResources();
    QFile file(QStringLiteral(":/dayloom/defaulttexture.bmp"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    try {
        return BmpFile::FromBytes(file.readAll());
    } catch (const std::exception&) {
        return {};
    }
}

void TSuperTextProperties::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
    FTextEdit->setFocus();
}

void TSuperTextProperties::FormActivate()
{
    FFilling = true;
    if (!FPreview->Image()->IsEmpty())
        FRememberedTexture.Assign(*FPreview->Image());
    else if (FRememberedTexture.IsEmpty())
        FRememberedTexture.SetValue(DefaultTexture());
    FTextEdit->setText(FPreview->Caption());
    QFont face = FTextEdit->font();
    face.setFamily(FPreview->Font()->Name());
    FTextEdit->setFont(face);
    FSurfaceType->setCurrentIndex(int(FPreview->SurfaceType()));
    ShowSurfacePanel(int(FPreview->SurfaceType()));
    FFontColor->SetColor(FPreview->Font()->Color());
    FFillDirection->setCurrentIndex(int(FPreview->FillDirection()));
    FFromColor->SetColor(FPreview->GradientFromColor());
    FToColor->SetColor(FPreview->GradientToColor());
    FShadowColor->SetColor(FPreview->Shadowcolor());
    FShadowOrientation->setCurrentIndex(int(FPreview->ShadowOrientation()));
    FShadowDepth->setValue(std::clamp(FPreview->ShadowDepth(), 0, 10));
    FOutlineColor->SetColor(FPreview->OutlineColor());
    FOutlineStyle->setCurrentIndex(std::min(int(FPreview->OutlineStyle()), int(psClear)));
    FOutlineWidth->setValue(std::clamp(FPreview->OutlineWidth(), 0, 10));
    FFilling = false;
    static_cast<PreviewPane*>(FPreviewArea)->FollowPreview();
}

void TSuperTextProperties::PreviewChanged()
{
    static_cast<PreviewPane*>(FPreviewArea)->FollowPreview();
}

void TSuperTextProperties::Refit()
{
    FPreview->FitToText();
    PreviewChanged();
}

void TSuperTextProperties::TextEditChange(const QString& text)
{
    if (FFilling)
        return;
    FPreview->SetCaption(text);
    FRefitPending = true;
    PreviewChanged();
}

void TSuperTextProperties::RefitTimerTick()
{
    if (!FRefitPending)
        return;
    FRefitPending = false;
    Refit();
}

void TSuperTextProperties::ShowSurfacePanel(int index)
{
    FSurfaceType->setCurrentIndex(index);
}

void TSuperTextProperties::SurfaceTypeChange(int index)
{
    if (FFilling || index < 0)
        return;
    FPreview->SetSurfaceType(TSurfaceType(index));
    if (index == stBrushImage)
        FPreview->SetImage(&FRememberedTexture);
    ShowSurfacePanel(index);
    // Hollow text may have turned a clear outline solid.
    FFilling = true;
    FOutlineStyle->setCurrentIndex(std::min(int(FPreview->OutlineStyle()), int(psClear)));
    FFilling = false;
    Refit();
}

QString TSuperTextProperties::TextureFolder()
{
    for (const char* name : {"bmbrush", "Textures"}) {
        const QString folder = FindDataFile(QString::fromLatin1(name));
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return QDir::cleanPath(folder) + u'/';
    }
    return ProgramDir();
}

void TSuperTextProperties::LoadTextureClick()
{
    const QString current = QDir::currentPath();
    {
        TSuperTextBrushImageBrowser browser(this);
        if (!FRememberedPath.isEmpty() && QFileInfo(FRememberedPath).isFile())
            browser.OpenOnFile(FRememberedPath);
        else
            browser.SetFolder(TextureFolder());
        browser.Example()->CopyFrom(*FPreview);
        browser.Example()->SetCaption(QStringLiteral("Text"));
        browser.Example()->SetSurfaceType(stBrushImage);
        browser.Example()->FitToText();
        if (browser.exec() == QDialog::Accepted) {
            FPreview->SetImage(browser.Example()->Image());
            FRememberedTexture.Assign(*browser.Example()->Image());
            FRememberedPath = browser.SelectedFile();
        }
    }
    QDir::setCurrent(current);
    Refit();
}

void TSuperTextProperties::SelectFontClick()
{
    TFont font;
    font.Assign(*FPreview->Font());
    const auto& choose = ObjectDialogs().chooseScalableFont;
    if (!choose || !choose(font))
        return;
    TGSuperText::CharsetFollowsFace(font);
    FPreview->ApplyFont(font);
    Refit();
    QFont face = FTextEdit->font();
    face.setFamily(font.Name());
    FTextEdit->setFont(face);
}

void TSuperTextProperties::FontSizeDown()
{
    const int size = FPreview->Font()->Size();
    if (size > 10) {
        FPreview->Font()->SetSize(size - 5);
        Refit();
    }
}

void TSuperTextProperties::FontSizeUp()
{
    const int size = FPreview->Font()->Size();
    if (size < 150) {
        FPreview->Font()->SetSize(size + 5);
        Refit();
    }
}

void TSuperTextProperties::SelectSymbolClick()
{
    TSuperTextGetSymbol selector(this);
    if (!selector.HasFonts() || selector.exec() != QDialog::Accepted)
        return;
    const int code = selector.SelectedCode();
    const QString family = selector.SelectedFont();
    if (code < 32 || family.isEmpty())
        return;
    const QString text = SymbolFonts::CharacterOf(code);
    FTextEdit->setText(text);
    FPreview->SetCaption(text);
    FPreview->Font()->SetName(family);
    FPreview->Font()->SetCharset(SYMBOL_CHARSET);
    Refit();
    QFont face = FTextEdit->font();
    face.setFamily(family);
    FTextEdit->setFont(face);
}

void TSuperTextProperties::OKButtonClick()
{
    if (FTextEdit->text().isEmpty()) {
        ShowInformation(QStringLiteral("Please enter some text"));
        FTextEdit->setFocus();
        return;
    }
    accept();
}

}  // namespace dayloom
