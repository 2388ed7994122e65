#include "ui/tcalendarmain.h"

#include <cmath>

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "core/screen.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "stream/inifile.h"
#include "ui/aboutbox.h"
#include "ui/calendarpagewidget.h"
#include "ui/iconpalettestub.h"
#include "dates/recurringlistfile.h"
#include "ui/preferences.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/richtexttoolbar.h"
#include "ui/toolglyphs.h"
#include "ui/tooltipdelaystyle.h"
#include "ui/uiutil.h"
#include "ui/usertitledialog.h"

namespace dayloom {

namespace {

struct ToolSpec {
    const char* name;
    const char* glyph;
    const char* hint;
    TLPanelState state;
};

const ToolSpec kTools[] = {
    {"SelectionButton", "Select", "Selection tool", psPointing},
    {"LabelButton", "Label", "Label tool", psLabel},
    {"ClipArtButton", "Clip Art", "Clip Art Tool", psImage},
    {"RichTextButton", "Rich Text", "Rich Text tool \rMixed fonts, colors and styles",
     psRichLabel},
    {"SuperTextButton", "SuperText",
     "SuperText tool \rSpecial Effects Text - fill with gradients or bitmaps", psSuperText},
    {"FloatingCalendarButton", "Calendar",
     "Floating Calendar tool \rMini Calendar that you can place anywhere", psFlatCalendar},
};

QFont windowFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    return f;
}

}  // namespace

TCalendarMain::TCalendarMain(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), m_arguments(arguments)
{
    setObjectName(QStringLiteral("CalendarMain"));
    setFont(windowFont());
    setAttribute(Qt::WA_AlwaysShowToolTips);
    SetMainForm(this);

    m_page = new TCalendarPanel32(this);
    m_page->setObjectName(QStringLiteral("CalendarPanel"));
    TCalendarPanel32::ApplyMainWindowDescription(*m_page);
    // An object on the page changed: the document is modified. (A newly
    // placed object will do the same and push the Selection tool down again.)
    connect(m_page, &TGBasePanel::LabelChangedEvent, this, [this] { SetModified(true); });
    m_palette = new IconPaletteStub(this);
    connect(m_palette, &IconPaletteStub::shownChanged, this, [this] { SetButtons(); });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // Like the original window, it may be made narrower than its tool panel.
    central->setMinimumSize(160, 120);
    m_richToolBar = new RichTextToolBar(central);
    column->addWidget(m_richToolBar);
    m_toolPanel = new QWidget(central);
    m_toolPanel->setObjectName(QStringLiteral("ToolPanel"));
    m_toolPanel->setFixedHeight(36);
    m_toolPanel->setMouseTracking(true);
    m_toolPanel->installEventFilter(this);
    buildToolPanel(m_toolPanel);
    column->addWidget(m_toolPanel);
    buildScrollBox();
    column->addWidget(m_scrollBox, 1);
    setCentralWidget(central);
    buildMenus();

    resize(635, 378 + menuBar()->sizeHint().height());
    FormCreate();
}

TCalendarMain::~TCalendarMain()
{
    qApp->removeEventFilter(this);
    if (MainForm() == this)
        SetMainForm(nullptr);
}

// ---- construction ---------------------------------------------------------

void TCalendarMain::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("FileMenu"));
    auto add = [this](QMenu* menu, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    // Commands that arrive with the document, export, print and recurring-date
    // pieces keep their places in the menu with empty handlers until then.
    auto later = [] {};
    m_newAction = add(m_fileMenu, QStringLiteral("&New "), [this] { FileNewClick(); });
    m_openAction = add(m_fileMenu, QStringLiteral("&Open"), later);
    m_fileMenu->addSeparator();
    m_saveAction = add(m_fileMenu, QStringLiteral("&Save "), later);
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAsAction = add(m_fileMenu, QStringLiteral("Save &As..."), later);
    m_saveBitmapAction = add(m_fileMenu, QStringLiteral("Save As Bitmap File"), later);
    m_saveJpgAction = add(m_fileMenu, QStringLiteral("Save As JPG File"), later);
    m_fileMenu->addSeparator();
    m_propertiesAction = add(m_fileMenu, QStringLiteral("&Properties"), [this] { PropertiesClick(); });
    m_userTitleAction =
        add(m_fileMenu, QStringLiteral("User Defined Title"), [this] { UserTitleClick(); });
    m_cancelChangesAction = add(m_fileMenu, QStringLiteral("&Cancel Changes"), later);
    m_clearCellsAction = add(m_fileMenu, QStringLiteral("Clear &All Cell Contents"),
                             [this] { ClearAllCellsClick(); });
    m_defaultFontAction = add(m_fileMenu, QStringLiteral("&Default Editor Font"),
                              [this] { DefaultEditorFontClick(); });
    m_fileMenu->addSeparator();
    m_fillRecurringAction =
        add(m_fileMenu, QStringLiteral("Fill Calendar with Recurring Dates"), later);
    m_editRecurringAction = add(m_fileMenu, QStringLiteral("Edit Recurring Dates"),
                                [this] { EditRecurringDatesClick(); });
    m_fileMenu->addSeparator();
    m_printAction = add(m_fileMenu, QStringLiteral("P&rint Calendar"), later);
    m_printSetupAction = add(m_fileMenu, QStringLiteral("Print Set&up"), later);
    m_fileMenu->addSeparator();
    m_exitAction = add(m_fileMenu, QStringLiteral("E&xit"), [this] { ExitClick(); });

    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpMenu->setObjectName(QStringLiteral("HelpMenu"));
    m_contentsAction = add(m_helpMenu, QStringLiteral("&Contents"), [] { ShowHelpContents(); });
    m_aboutAction = add(m_helpMenu, QStringLiteral("&About"), [this] { AboutClick(); });
    m_helpMenu->addSeparator();
    m_configAction = add(m_helpMenu, QStringLiteral("Configuration Information"), later);
    m_supportAction =
        add(m_helpMenu, QStringLiteral("Technical Support"), [] { ShowHelpTopic(1015); });
    m_faqAction =
        add(m_helpMenu, QStringLiteral("Frequently Asked Questions"), [] { ShowHelpTopic(911); });
    m_helpMenu->addSeparator();
    m_showHintsAction = m_helpMenu->addAction(QStringLiteral("&Show Hints"));
    m_showHintsAction->setCheckable(true);
    m_showHintsAction->setChecked(true);
    // Toggled by the menu before the handler runs, as a check item does.
    connect(m_showHintsAction, &QAction::triggered, this, [this] { ShowHintsClick(); });
}

void TCalendarMain::buildToolPanel(QWidget* panel)
{
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(3);

    auto* zoomColumn = new QVBoxLayout;
    zoomColumn->setSpacing(0);
    m_zoomIn = new QToolButton(panel);
    m_zoomIn->setObjectName(QStringLiteral("ZoomInButton"));
    m_zoomIn->setArrowType(Qt::UpArrow);
    m_zoomIn->setToolTip(QStringLiteral("Zoom In"));
    m_zoomIn->setFixedSize(18, 15);
    m_zoomOut = new QToolButton(panel);
    m_zoomOut->setObjectName(QStringLiteral("ZoomOutButton"));
    m_zoomOut->setArrowType(Qt::DownArrow);
    m_zoomOut->setToolTip(QStringLiteral("Zoom Out"));
    m_zoomOut->setFixedSize(18, 15);
    zoomColumn->addWidget(m_zoomIn);
    zoomColumn->addWidget(m_zoomOut);
    row->addLayout(zoomColumn);
    connect(m_zoomIn, &QToolButton::clicked, this, [this] { ZoomSpinnerUpClick(); });
    connect(m_zoomOut, &QToolButton::clicked, this, [this] { ZoomSpinnerDownClick(); });

    m_zoomCaption = new QLabel(QStringLiteral("100%"), panel);
    m_zoomCaption->setObjectName(QStringLiteral("ZoomCaption"));
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPixelSize(13);
    captionFont.setBold(true);
    m_zoomCaption->setFont(captionFont);
    QPalette navy = m_zoomCaption->palette();
    navy.setColor(QPalette::WindowText, ToQColor(clNavy));
    m_zoomCaption->setPalette(navy);
    m_zoomCaption->setMinimumWidth(40);
    row->addWidget(m_zoomCaption);

    auto toolButton = [panel](const char* name, const QString& text, const QString& hint) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setIcon(ToolGlyph(QString::fromLatin1(name)));
        b->setIconSize(QSize(22, 22));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setToolTip(MessageLines(hint));
        b->setProperty("hint", hint);
        b->setFixedSize(30, 30);
        return b;
    };
    m_propertiesButton = toolButton("PropertiesButton", QStringLiteral("Properties"),
                                    QStringLiteral("Set/change Properties for the calendar"));
    connect(m_propertiesButton, &QToolButton::clicked, this, [this] { PropertiesClick(); });
    row->addWidget(m_propertiesButton);
    m_printButton = toolButton("PrintButton", QStringLiteral("Print"),
                               QStringLiteral("Print the calendar"));
    row->addWidget(m_printButton);

    m_iconToolButton = new QPushButton(QStringLiteral("Show Icon Tool"), panel);
    m_iconToolButton->setObjectName(QStringLiteral("IconToolButton"));
    m_iconToolButton->setToolTip(QStringLiteral("Show or hide the icon tool"));
    m_iconToolButton->setFixedHeight(28);
    // Wide enough for either caption, so that the row never squeezes it.
    m_iconToolButton->setMinimumWidth(
        m_iconToolButton->fontMetrics().horizontalAdvance(QStringLiteral("Hide Icon Tool")) + 16);
    connect(m_iconToolButton, &QPushButton::clicked, this, [this] { ShowIconToolClick(); });
    row->addWidget(m_iconToolButton);
    row->addSpacing(8);

    m_toolGroup = new QButtonGroup(this);
    m_toolGroup->setExclusive(true);
    for (const ToolSpec& spec : kTools) {
        QToolButton* b = toolButton(spec.name, QString::fromLatin1(spec.glyph),
                                    QString::fromLatin1(spec.hint));
        b->setCheckable(true);
        b->setAutoRaise(true);
        m_toolGroup->addButton(b, int(spec.state));
        row->addWidget(b);
    }
    m_toolGroup->button(psPointing)->setChecked(true);
    connect(m_toolGroup, &QButtonGroup::idClicked, this,
            [this](int id) { SetToolMode(TLPanelState(id)); });

    row->addStretch(1);
    m_saveButton = new QPushButton(QStringLiteral("&Save"), panel);
    m_saveButton->setObjectName(QStringLiteral("SaveButton"));
    m_saveButton->setToolTip(QStringLiteral("Save changes to the calendar"));
    m_saveButton->hide();
    row->addWidget(m_saveButton);
    m_cancelButton = new QPushButton(QStringLiteral("&Cancel"), panel);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setToolTip(QStringLiteral("Cancel all changes"));
    m_cancelButton->hide();
    row->addWidget(m_cancelButton);

    // The shared renderer that rich-text labels look up by name.
    m_masterRichText = new QTextEdit(panel);
    m_masterRichText->setObjectName(QStringLiteral("MASTERWPRICHTEXT"));
    m_masterRichText->setTabChangesFocus(false);
    m_masterRichText->setFrameShape(QFrame::NoFrame);
    m_masterRichText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_masterRichText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_masterRichText->hide();
}

void TCalendarMain::buildScrollBox()
{
    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox"));
    m_scrollBox->setWidgetResizable(false);
    const QColor face = ToQColor(clBtnFace);
    QPalette pal = m_scrollBox->palette();
    pal.setColor(QPalette::Window, face);
    m_scrollBox->viewport()->setPalette(pal);
    m_scrollBox->viewport()->setAutoFillBackground(true);

    m_scrollContents = new QWidget;
    m_scrollContents->setObjectName(QStringLiteral("ScrollContents"));
    m_scrollContents->setPalette(pal);
    m_scrollContents->setAutoFillBackground(true);

    m_pageWidget = new CalendarPageWidget(m_page, m_scrollContents);
    m_pageWidget->move(5, 5);
    m_pageWidget->hide();
    m_pageWidget->installEventFilter(this);
    connect(m_page, &TGBasePanel::SizeChanged, this, [this] { layoutScrollContents(); });

    m_cellEditor = new QTextEdit(m_scrollContents);
    m_cellEditor->setObjectName(QStringLiteral("CellEditor"));
    m_cellEditor->setFrameShape(QFrame::Box);
    m_cellEditor->setLineWidth(1);
    m_cellEditor->setLineWrapMode(QTextEdit::WidgetWidth);
    m_cellEditor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_cellEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette white = m_cellEditor->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_cellEditor->setPalette(white);
    m_cellEditor->hide();

    m_scrollBox->setWidget(m_scrollContents);
    layoutScrollContents();
}

void TCalendarMain::layoutScrollContents()
{
    const QSize page = m_page->ControlSize();
    const QSize wanted = m_pageWidget->isVisibleTo(m_scrollContents) && page.isValid()
                             ? QSize(page.width() + 10, page.height() + 10)
                             : QSize(1, 1);
    if (m_scrollContents->size() != wanted)
        m_scrollContents->resize(wanted);
}

// ---- start-up --------------------------------------------------------------

void TCalendarMain::FormCreate()
{
    // 1.
    ShowWaitCursor();
    m_zoomBusy = false;
    m_printed = false;
    m_currentFile.clear();
    m_newCalendar = false;
    m_changeTracking = false;
    showPage(false);
    m_pageWidget->move(5, 5);
    m_loading = true;
    m_currentCell = 0;
    // 2.
    LoadPreferences();
    SetModified(false);
    // 3.
    m_page->SetZoom(PercentToZoom(m_mainZoom));
    m_page->SetCalendarLayout(LOFullCalendarLS);
    // 4. The recent-files list (section "MRU" of the ini file) is created and
    // loaded here once it exists.
    m_steps << QStringLiteral("recent files");
    // 5.
    m_showHintsAction->setChecked(m_showHints);
    ToolTipDelayStyle::Install(1200);
    qApp->installEventFilter(this);
    // 6.
    if (MigrateOldRecurringDates(ProgramDir()))
        m_steps << QStringLiteral("recurring dates converted");
    // 7.
    RestorePlacement(this);
}

void TCalendarMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The first activation; on platforms that never activate a window (the
    // offscreen one) showing counts as activating.
    if (m_loading && !m_activated)
        QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TCalendarMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_loading &&
        !m_activated)
        FormActivate();
}

void TCalendarMain::loadIconLibrary()
{
    // The icon palette loads the library once the palette exists.
    m_palette->LoadLibrary(m_iconFile);
    m_steps << QStringLiteral("icon library");
}

void TCalendarMain::openFromCommandLineOrRecent()
{
    // 5. and 6.: the document named on the command line (".DLF" appended
    // when missing), else the most recent document. Opening documents
    // arrives with the document format.
    if (!m_arguments.isEmpty()) {
        QString name = m_arguments.first();
        if (!name.toUpper().contains(QLatin1String(".DLF")))
            name += QStringLiteral(".DLF");
        if (QFileInfo::exists(name))
            m_steps << QStringLiteral("open ") + name;
        return;
    }
    m_steps << QStringLiteral("open most recent");
}

void TCalendarMain::FormActivate()
{
    if (!m_loading || m_activated)
        return;
    m_activated = true;
    // 1.
    ShowWaitCursor();
    loadIconLibrary();
    setVisible(true);
    // 2. The printer check of the print module replaces this quiet one.
    m_printerAvailable = !QPrinterInfo::availablePrinters().isEmpty() &&
                         !QPrinterInfo::defaultPrinter().isNull();
    // 3.
    SetApplicationHelpFile(ProgramDir() + QStringLiteral("DL.HLP"));
    // 4.
    m_page->ResetPage();
    // 5., 6.
    openFromCommandLineOrRecent();
    // 7.
    ProcessMessages();
    showPage(!m_currentFile.isEmpty());
    ProcessMessages();
    m_saveAction->setEnabled(false);
    SetModified(false);
    m_loading = false;
    SetButtons();
    SetCaption();
    RestoreCursor();
    CheckFloaterStatus();
    if (m_iconsVisible)
        m_palette->show();
    SetButtons();
    m_pageWidget->update();
    update();
}

// ---- state and rules -------------------------------------------------------

void TCalendarMain::showPage(bool show)
{
    m_page->SetVisible(show);
    m_pageWidget->setVisible(show);
    layoutScrollContents();
}

bool TCalendarMain::PageShown() const { return m_pageWidget->isVisibleTo(m_scrollContents); }

bool TCalendarMain::GridLayout() const
{
    if (!PageShown())
        return false;
    const int layout = int(m_page->CalendarLayout());
    return (layout >= 0 && layout <= 7) || (layout >= 18 && layout <= 21);
}

void TCalendarMain::SetModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    SetButtons();
}

void TCalendarMain::SetButtons()
{
    const bool shown = PageShown();
    const bool grid = GridLayout();
    const bool hasFile = !m_currentFile.isEmpty();

    m_fillRecurringAction->setEnabled(grid);
    m_userTitleAction->setEnabled(grid);
    m_iconToolButton->setEnabled(grid);
    m_clearCellsAction->setEnabled(grid);

    m_saveAction->setEnabled(hasFile);
    m_richToolBar->setEnabled(shown && m_cellEditor->hasFocus());

    for (QAction* a : {m_saveAsAction, m_propertiesAction, m_printSetupAction,
                       m_saveBitmapAction, m_saveJpgAction})
        a->setEnabled(shown);
    m_propertiesButton->setEnabled(shown);
    m_zoomIn->setEnabled(shown);
    m_zoomOut->setEnabled(shown);

    m_printAction->setEnabled(shown && m_printerAvailable);
    m_printButton->setEnabled(m_printAction->isEnabled());
    m_cancelChangesAction->setEnabled(shown && hasFile);

    m_saveButton->setVisible(m_modified);
    m_cancelButton->setVisible(m_modified && hasFile);
    m_iconToolButton->setText(m_palette->isShowing() ? QStringLiteral("Hide Icon Tool")
                                                     : QStringLiteral("Show Icon Tool"));
}

void TCalendarMain::SetCaption()
{
    if (m_currentFile.isEmpty())
        setWindowTitle(QStringLiteral("Dayloom"));
    else
        setWindowTitle(QStringLiteral("Dayloom  [") + QFileInfo(m_currentFile).fileName() +
                       QStringLiteral("]"));
    m_zoomCaption->setText(QString::number(int(std::lround(m_page->Zoom() * 100.0f))) +
                           QStringLiteral("%"));
    ProcessMessages();
}

void TCalendarMain::DoSaveRichtext()
{
    if (!m_editingCell || !m_editedCellText)
        return;
    m_editedCellText->AssignDocument(*m_cellEditor->document());
    m_cellEditor->hide();
    m_editingCell = false;
    m_richToolBar->setEnabled(false);
}

void TCalendarMain::CheckFloaterStatus()
{
    if (!GridLayout()) {
        m_iconsVisible = false;
        m_palette->hide();
    } else if (m_iconsVisible && !m_palette->isShowing()) {
        m_palette->show();
    }
}

void TCalendarMain::ShowIconToolClick()
{
    if (m_palette->isShowing()) {
        m_palette->hide();
        m_iconsVisible = false;
    } else {
        m_palette->show();
        m_iconsVisible = true;
    }
    SetButtons();
}

void TCalendarMain::CheckSaveNeeded()
{
    DoSaveRichtext();
    if (!m_modified)
        return;
    if (AskYesNo(QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
        // Saving to CurrentFile, or Save As without one, arrives with the
        // document format.
        m_steps << QStringLiteral("save");
        SetModified(false);
    }
}

// ---- preferences -------------------------------------------------------------

void TCalendarMain::LoadPreferences()
{
    IniFile ini(IniFileName());
    const Preferences p = ReadPreferences(ini);
    m_mainZoom = p.MainZoom;
    m_propZoom = p.PropZoom;
    QFont f(p.DefaultFontName);
    f.setPointSize(qBound(1, p.DefaultFontSize, 255));
    f.setBold(p.DefaultFontBold);
    f.setItalic(p.DefaultFontItalic);
    f.setUnderline(p.DefaultFontUnderline);
    f.setStrikeOut(p.DefaultFontStrikeout);
    m_defaultFont = f;
    m_defaultFontColor = p.DefaultFontColor;
    m_iconFile = p.IconFile;
    m_iconsVisible = p.IconsVisible;
    m_showHints = p.ShowHints;
    m_showHintsAction->setChecked(m_showHints);
}

void TCalendarMain::SavePreferences()
{
    Preferences p;
    p.MainZoom = m_mainZoom;
    p.PropZoom = m_propZoom;
    p.DefaultFontName = m_defaultFont.family();
    p.DefaultFontSize = m_defaultFont.pointSize();
    p.DefaultFontBold = m_defaultFont.bold();
    p.DefaultFontItalic = m_defaultFont.italic();
    p.DefaultFontUnderline = m_defaultFont.underline();
    p.DefaultFontStrikeout = m_defaultFont.strikeOut();
    p.DefaultFontColor = m_defaultFontColor;
    if (!m_palette->LibraryFile().isEmpty())
        m_iconFile = m_palette->LibraryFile();
    m_iconsVisible = m_palette->isShowing();
    m_showHints = m_showHintsAction->isChecked();
    p.IconFile = m_iconFile;
    p.IconsVisible = m_iconsVisible;
    p.ShowHints = m_showHints;
    IniFile ini(IniFileName());
    WritePreferences(ini, p);
}

void TCalendarMain::DefaultEditorFontClick()
{
    LoadPreferences();
    QFont font = m_defaultFont;
    bool ok = false;
    if (m_fontChooser) {
        ok = m_fontChooser(font);
    } else {
        font = QFontDialog::getFont(&ok, m_defaultFont, this, QString());
    }
    if (ok) {
        m_defaultFont = font;
        SavePreferences();
    }
    // Applying the font to the cell editor's typing attributes comes with the
    // cell editor.
}

void TCalendarMain::ShowHintsClick()
{
    m_showHints = m_showHintsAction->isChecked();
    SavePreferences();
}

// ---- commands ------------------------------------------------------------------

void TCalendarMain::zoomStep(bool zoomIn)
{
    if (m_zoomBusy)
        return;
    m_zoomBusy = true;
    const float zoom = m_page->Zoom();
    if (zoomIn ? zoom <= 0.95f : zoom > 0.6f) {
        DoSaveRichtext();
        ProcessMessages();
        m_page->SetZoom(zoomIn ? zoom + 0.1f : zoom - 0.1f);
        SetCaption();
    }
    m_zoomBusy = false;
}

void TCalendarMain::ZoomSpinnerUpClick() { zoomStep(true); }
void TCalendarMain::ZoomSpinnerDownClick() { zoomStep(false); }

void TCalendarMain::SetToolMode(TLPanelState state)
{
    if (QAbstractButton* b = m_toolGroup->button(int(state)))
        b->setChecked(true);
    m_page->SetPanelState(state);
}

void TCalendarMain::PropertiesClick()
{
    // 1.
    if (m_iconsVisible)
        m_palette->hide();
    const int oldMonth = m_page->MainCalMonth();
    const int oldYear = m_page->MainCalYear();
    const int oldKind = m_page->LayoutKind();
    DoSaveRichtext();
    // 2. - 4. The preview page stands for the dialog's.
    TCalendarPanel32 preview;
    preview.SetZoom(PercentToZoom(m_propZoom));
    preview.CopySettingsFrom(*m_page);
    m_propertiesAccepted = false;
    bool accepted = false;
    if (m_propertiesRunner) {
        accepted = m_propertiesRunner(preview, m_newCalendar);
    } else if (m_newCalendar) {
        // Until the dialog exists a new calendar takes the defaults.
        preview.ResetPage();
        accepted = true;
    } else {
        ShowInformation(QStringLiteral("The calendar properties dialog is not available yet."));
    }
    m_propZoom = ZoomToPercent(preview.Zoom());
    // 5.
    if (accepted) {
        if (!preview.SameSettings(*m_page))
            SetModified(true);
        m_propertiesAccepted = true;
        m_page->CopySettingsFrom(preview);
        if (m_page->LayoutKind() != oldKind)
            m_page->ClearCells();
        else if ((m_page->MainCalMonth() != oldMonth || m_page->MainCalYear() != oldYear) &&
                 GridLayout())
            m_page->ClearCells();
    }
    // 6.
    m_newCalendar = false;
    m_pageWidget->update();
    CheckFloaterStatus();
    if (m_iconsVisible)
        m_palette->show();
    SetButtons();
    SavePreferences();
}

void TCalendarMain::FileNewClick()
{
    // 1.
    CheckSaveNeeded();
    ShowWaitCursor();
    DoSaveRichtext();
    RestoreCursor();
    // 2.
    m_newCalendar = true;
    PropertiesClick();
    // 3.
    if (!m_propertiesAccepted)
        return;
    // 4.
    SetModified(true);
    m_currentFile.clear();
    m_page->ClearCells();
    m_page->DeleteAllObjects();
    showPage(true);
    SetButtons();
    CheckFloaterStatus();
    setWindowTitle(QStringLiteral("Dayloom [untitled]"));
}

void TCalendarMain::EditRecurringDatesClick()
{
    // The palette makes way for the dialog and comes back after it.
    const bool paletteShown = m_palette->isShowing();
    if (paletteShown)
        m_palette->hide();
    EditRecurringDates(this);
    if (paletteShown)
        m_palette->show();
    SetButtons();
}

void TCalendarMain::UserTitleClick()
{
    UserTitleDialog dialog(m_page->UserTitle(), this);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_page->SetUserTitle(dialog.Title());
    SetModified(true);
}

void TCalendarMain::ClearAllCellsClick()
{
    DoSaveRichtext();
    m_page->ClearCells();
    m_pageWidget->update();
    SetModified(true);
}

void TCalendarMain::AboutClick()
{
    AboutBox box(this);
    CenterForm(&box);
    box.exec();
}

void TCalendarMain::ExitClick() { close(); }

// ---- closing -------------------------------------------------------------------

bool TCalendarMain::FormCloseQuery()
{
    CheckSaveNeeded();
    return true;
}

void TCalendarMain::FormClose()
{
    m_mainZoom = ZoomToPercent(m_page->Zoom());
    SavePreferences();
    SavePlacement(this);
    m_palette->hide();
    hide();
}

void TCalendarMain::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// ---- the application's message hook ------------------------------------------

void TCalendarMain::AppMessage(QWidget* form, QKeyEvent* key)
{
    // Key strokes go to the active window: only the main window's own count.
    if (!form || FormClassName(form) != FormClassName(this))
        return;
    if (key->key() == Qt::Key_PageDown)
        ZoomSpinnerUpClick();
    else if (key->key() == Qt::Key_PageUp)
        ZoomSpinnerDownClick();
    // Tab moves between day cells once the cell editor is here.
}

bool TCalendarMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // Every key stroke reaches its window object exactly once, before
        // any widget sees it.
        if (watched->isWindowType()) {
            QWidget* form = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->windowHandle() == watched)
                    form = w;
            AppMessage(form, static_cast<QKeyEvent*>(event));
        }
        break;
    case QEvent::ToolTip:
        if (!m_showHints)
            return true;
        break;
    case QEvent::MouseMove:
        if (watched == m_toolPanel) {
            const Qt::CursorShape c = ScreenCursor();
            if (c != Qt::DragMoveCursor && c != Qt::ArrowCursor)
                RestoreCursor();
        }
        break;
    case QEvent::Paint:
        if (watched == m_pageWidget)
            QTimer::singleShot(0, this, [this] { notifyFirstPaint(); });
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TCalendarMain::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    QTimer::singleShot(0, this, [this] { notifyFirstPaint(); });
}

void TCalendarMain::notifyFirstPaint()
{
    if (m_firstPaintSeen || m_loading || !isVisible())
        return;
    m_firstPaintSeen = true;
    Q_EMIT FirstPainted();
    if (m_quitAfterFirstPaint)
        QCoreApplication::quit();
}

}  // namespace dayloom
