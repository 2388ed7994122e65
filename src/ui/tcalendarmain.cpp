#include "ui/tcalendarmain.h"

#include <cmath>
#include <memory>
#include <utility>

#include <QTextDocument>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QWindow>

#include "core/screen.h"
#include "core/zoom.h"
#include "page/recurringfill.h"
#include "page/borderpicture.h"
#include "page/documentpage.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "print/pictureexport.h"
#include "print/reportprinter.h"
#include "ui/printcommands.h"
#include "richtext/richtextformat.h"
#include "richtext/twprtfstorage.h"
#include "stream/inifile.h"
#include "ui/aboutbox.h"
#include "ui/calendarpagewidget.h"
#include "ui/celltexteditor.h"
#include "ui/fontcolordialog.h"
#include "ui/icalendarcommands.h"
#include "ui/iconlistbox.h"
#include "ui/tfloatingpalette.h"
#include "dates/recurringlistfile.h"
#include "stream/preferences.h"
#include "ui/placement.h"
#include "ui/properties/tcalendarproperties.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/richtexttoolbar.h"
#include "ui/tconfigurationinfo.h"
#include "ui/toolglyphs.h"
#include "ui/tooltipdelaystyle.h"
#include "ui/uiutil.h"
#include "ui/objects/objectdialoginstall.h"
#include "ui/usertitledialog.h"
#include "ui/documenttyperegistration.h"
#include "ui/tmrufilelist.h"
#include "undo/cellchange.h"
#include "undo/editrecorder.h"

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
    // The shared rich-text renderer, the border picture and the page's
    // description, as the command line sets them up too.
    PrepareDocumentPage(this, *m_page);
    // Every change is a step on the undo stack: the modified flag follows
    // the stack. A change of an object outside a recorded command (none of
    // the window's) leaves the document modified for good.
    m_undoStack = new QUndoStack(this);
    m_recorder = new EditRecorder(m_page, m_undoStack, this);
    connect(m_undoStack, &QUndoStack::indexChanged, this, [this] {
        RefreshModified();
        updateUndoActions();
    });
    connect(m_undoStack, &QUndoStack::cleanChanged, this, [this] { RefreshModified(); });
    connect(m_recorder, &EditRecorder::HistoryLost, this, [this] {
        RefreshModified();
        updateUndoActions();
    });
    // An object was placed with a drawing tool: Selection tool down (the
    // placing is a step of its own).
    connect(m_page, &TGBasePanel::DroppedObjectEvent, this, [this] {
        if (QAbstractButton* b = m_toolGroup ? m_toolGroup->button(psPointing) : nullptr)
            b->setChecked(true);
    });
    InstallObjectDialogs(this);
    connect(m_page, &TCalendarPanel32::ClickedInCellEvent, this, &TCalendarMain::ClickedInCellEvent);

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
    // The history is cleared when the children go, after this window has
    // stopped being one: it must not report back any more.
    m_undoStack->disconnect(this);
    m_recorder->disconnect(this);
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
    m_newAction = add(m_fileMenu, QStringLiteral("&New "), [this] { FileNewClick(); });
    m_openAction = add(m_fileMenu, QStringLiteral("&Open"), [this] { FileOpenClick(); });
    m_fileMenu->addSeparator();
    m_saveAction = add(m_fileMenu, QStringLiteral("&Save "), [this] { FileSaveClick(); });
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAsAction = add(m_fileMenu, QStringLiteral("Save &As..."), [this] { FileSaveAsClick(); });
    m_saveBitmapAction =
        add(m_fileMenu, QStringLiteral("Save As Bitmap File"), [this] { SaveAsBitmapClick(); });
    m_saveJpgAction = add(m_fileMenu, QStringLiteral("Save As JPG File"), [this] { SaveAsJpgClick(); });
    m_savePdfAction = add(m_fileMenu, QStringLiteral("Save As PDF File"), [this] { SaveAsPdfClick(); });
    m_savePngAction = add(m_fileMenu, QStringLiteral("Save As PNG File"), [this] { SaveAsPngClick(); });
    m_exportIcsAction = add(m_fileMenu, QStringLiteral("Export Cell Texts as iCalendar..."),
                            [this] { ExportICalendarCommand(*this); });
    m_fileMenu->addSeparator();
    m_propertiesAction = add(m_fileMenu, QStringLiteral("&Properties"), [this] { PropertiesClick(); });
    m_userTitleAction =
        add(m_fileMenu, QStringLiteral("User Defined Title"), [this] { UserTitleClick(); });
    m_cancelChangesAction =
        add(m_fileMenu, QStringLiteral("&Cancel Changes"), [this] { CancelChangesClick(); });
    m_clearCellsAction = add(m_fileMenu, QStringLiteral("Clear &All Cell Contents"),
                             [this] { ClearAllCellsClick(); });
    m_defaultFontAction = add(m_fileMenu, QStringLiteral("&Default Editor Font"),
                              [this] { DefaultEditorFontClick(); });
    m_fileMenu->addSeparator();
    m_fillRecurringAction = add(m_fileMenu, QStringLiteral("Fill Calendar with Recurring Dates"),
                                [this] { FillRecurringClick(); });
    m_importIcsAction = add(m_fileMenu, QStringLiteral("Import iCalendar File..."),
                            [this] { ImportICalendarCommand(*this); });
    m_editRecurringAction = add(m_fileMenu, QStringLiteral("Edit Recurring Dates"),
                                [this] { EditRecurringDatesClick(); });
    m_fileMenu->addSeparator();
    m_printAction = add(m_fileMenu, QStringLiteral("P&rint Calendar"), [this] { PrintClick(); });
    m_printSetupAction = add(m_fileMenu, QStringLiteral("Print Set&up"), [this] { PrintSetupClick(); });
    m_fileMenu->addSeparator();
    m_exitAction = add(m_fileMenu, QStringLiteral("E&xit"), [this] { ExitClick(); });

    m_editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_editMenu->setObjectName(QStringLiteral("EditMenu"));
    m_undoAction = add(m_editMenu, QStringLiteral("&Undo"), [this] { UndoClick(); });
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = add(m_editMenu, QStringLiteral("&Redo"), [this] { RedoClick(); });
    m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)});

    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpMenu->setObjectName(QStringLiteral("HelpMenu"));
    m_contentsAction = add(m_helpMenu, QStringLiteral("&Contents"), [] { ShowHelpContents(); });
    m_aboutAction = add(m_helpMenu, QStringLiteral("&About"), [this] { AboutClick(); });
    m_helpMenu->addSeparator();
    m_configAction = add(m_helpMenu, QStringLiteral("Configuration Information"),
                         [this] { ConfigurationInfoClick(); });
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
    connect(m_printButton, &QToolButton::clicked, this, [this] { PrintClick(); });
    row->addWidget(m_printButton);
    m_undoButton = toolButton("UndoButton", QStringLiteral("Undo"), QStringLiteral("Undo"));
    connect(m_undoButton, &QToolButton::clicked, this, [this] { UndoClick(); });
    row->addWidget(m_undoButton);
    m_redoButton = toolButton("RedoButton", QStringLiteral("Redo"), QStringLiteral("Redo"));
    connect(m_redoButton, &QToolButton::clicked, this, [this] { RedoClick(); });
    row->addWidget(m_redoButton);

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
    for (const ToolSpec& desc : kTools) {
        QToolButton* b = toolButton(desc.name, QString::fromLatin1(desc.glyph),
                                    QString::fromLatin1(desc.hint));
        b->setCheckable(true);
        b->setAutoRaise(true);
        m_toolGroup->addButton(b, int(desc.state));
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
    // Save while Save is enabled, else Save As.
    connect(m_saveButton, &QPushButton::clicked, this, [this] {
        if (m_saveAction->isEnabled())
            FileSaveClick();
        else
            FileSaveAsClick();
    });
    row->addWidget(m_saveButton);
    m_cancelButton = new QPushButton(QStringLiteral("&Cancel"), panel);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setToolTip(QStringLiteral("Cancel all changes"));
    m_cancelButton->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { CancelChangesClick(); });
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
    m_pageWidget->SetEditRecorder(m_recorder);
    m_pageWidget->move(5, 5);
    m_pageWidget->hide();
    m_pageWidget->installEventFilter(this);
    connect(m_page, &TGBasePanel::SizeChanged, this, [this] { layoutScrollContents(); });

    m_cellEditor = new CellTextEditor(m_scrollContents);
    m_cellEditor->hide();
    m_cellEditor->installEventFilter(this);
    connect(m_cellEditor, &QTextEdit::textChanged, this, [this] {
        if (m_changeTracking) {
            m_cellTyped = true;
            SetModified(true);
        }
    });
    // Pictures dragged over the page are taken only inside a day cell.
    m_pageWidget->setAcceptDrops(true);

    m_scrollBox->setWidget(m_scrollContents);
    layoutScrollContents();
}

void TCalendarMain::layoutScrollContents()
{
    const QSize page = m_pageWidget->PageSize();
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
    m_pageWidget->SetZoom(Zoom::FromPercent(m_mainZoom));
    m_page->SetCalendarLayout(LOFullCalendarLS);
    // 4.
    m_mruList = new TMRUFileList(this);
    m_mruList->SetFileMenu(m_fileMenu);
    m_mruList->SetRemoveOnClick(true);
    m_mruList->SetMaximum(5);
    m_mruList->SetOnMRUItemClick(
        [this](QObject*, const QString& fileName) { OpenCalendarFile(fileName); });
    m_mruList->SetAutoSaveName(IniFileName());
    m_mruList->SetAutoSaveKey(QStringLiteral("MRU"));
    m_mruList->SetAutoSave(false);
    m_mruList->Load();
    m_steps << QStringLiteral("recent files");
    // 5.
    m_showHintsAction->setChecked(m_showHints);
    ToolTipDelayStyle::Install(1200);
    qApp->installEventFilter(this);
    // 6.
    if (MigrateOldRecurringDates(ProgramDir()))
        m_steps << QStringLiteral("recurring dates converted");
    // 7. A window that has never been placed shows the whole page.
    if (HasStoredPlacement(this))
        RestorePlacement(this);
    else
        placeFirstWindow();
    // The icon palette comes after the main window. Hiding it by any means
    // refreshes the icon tool button's caption.
    m_palette = new TFloatingPalette(this);
    connect(m_palette, &TFloatingPalette::shownChanged, this, [this] {
        if (m_iconToolButton)
            SetButtons();
    });
}

QSize TCalendarMain::FirstWindowSize() const
{
    // The page the first activation resets to, at the stored zoom.
    TCalendarPanel32 reset;
    reset.ResetPage();
    const QSize page = PageMapping::Screen(Zoom::FromPercent(m_mainZoom), ScreenPPI()).MapSize(reset.Size());
    // The scroll box holds the page 5 pixels in from each side.
    const int frame = 2 * m_scrollBox->frameWidth();
    const int width = qMax(page.width() + 10 + frame, m_toolPanel->sizeHint().width());
    const int height = menuBar()->sizeHint().height() + m_richToolBar->minimumHeight() +
                       m_toolPanel->minimumHeight() + page.height() + 10 + frame;
    return QSize(width, height);
}

void TCalendarMain::placeFirstWindow()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect bounds = FirstWindowBounds(FirstWindowSize(), available);
    resize(bounds.size());
    move(bounds.topLeft());
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
    m_palette->ShowLibrary(m_iconFile);
    m_steps << QStringLiteral("icon library");
}

void TCalendarMain::openFromCommandLineOrRecent()
{
    // 5. and 6.: the document named on the command line (".DLF" appended
    // when missing), else the most recent document.
    if (!m_arguments.isEmpty()) {
        QString name = m_arguments.first();
        if (!name.toUpper().contains(QLatin1String(".DLF")))
            name += QStringLiteral(".DLF");
        if (QFileInfo::exists(name)) {
            m_steps << QStringLiteral("open ") + name;
            OpenCalendarFile(QFileInfo(name).absoluteFilePath());
        }
        return;
    }
    m_steps << QStringLiteral("open most recent");
    if (m_mruList->Count() > 0 && QFileInfo::exists(m_mruList->Items().constFirst()))
        OpenCalendarFile(m_mruList->Items().constFirst());
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
    // 2.
    m_printerAvailable = CheckPrinterAvailable();
    // 3. The help pages are looked up when a topic is asked for.
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

void TCalendarMain::RefreshModified()
{
    SetModified(!m_undoStack->isClean() || (m_editingCell && m_cellEditor->TextChanged()));
}

void TCalendarMain::updateUndoActions()
{
    if (!m_undoAction || !m_undoButton)
        return;
    // The cell editor has its own undo while its text differs from the
    // cell's; an open editor with the cell's own text (as after a fill, which
    // opens the current cell again) leaves undo to the page.
    const bool usable = PageShown() && !editorHasOwnChanges();
    const bool canUndo = usable && m_undoStack->canUndo();
    const bool canRedo = usable && m_undoStack->canRedo();
    const QString undo = canUndo ? QStringLiteral("Undo ") + m_undoStack->undoText() : QStringLiteral("Undo");
    const QString redo = canRedo ? QStringLiteral("Redo ") + m_undoStack->redoText() : QStringLiteral("Redo");
    m_undoAction->setEnabled(canUndo);
    m_redoAction->setEnabled(canRedo);
    m_undoAction->setText(QLatin1Char('&') + undo);
    m_redoAction->setText(QLatin1Char('&') + redo);
    m_undoButton->setEnabled(canUndo);
    m_redoButton->setEnabled(canRedo);
    m_undoButton->setToolTip(undo);
    m_redoButton->setToolTip(redo);
}

bool TCalendarMain::editorHasOwnChanges() const
{
    return m_editingCell && m_cellEditor->TextChanged();
}

void TCalendarMain::UndoClick()
{
    if (editorHasOwnChanges() || !PageShown() || !m_undoStack->canUndo())
        return;
    // An untouched editor closes first: the step may change its cell.
    DoSaveRichtext();
    m_recorder->Undo();
    afterUndoStep();
}

void TCalendarMain::RedoClick()
{
    if (editorHasOwnChanges() || !PageShown() || !m_undoStack->canRedo())
        return;
    DoSaveRichtext();
    m_recorder->Redo();
    afterUndoStep();
}

void TCalendarMain::afterUndoStep()
{
    // A step may have changed the layout (the properties) or the cells.
    m_pageWidget->update();
    CheckFloaterStatus();
    SetButtons();
}

int TCalendarMain::cellOfStore(const TWPRtfStorage* store) const
{
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k)
        if (m_page->CellStore(k) == store)
            return k;
    return 0;
}

void TCalendarMain::SetButtons()
{
    const bool shown = PageShown();
    const bool grid = GridLayout();
    const bool hasFile = !m_currentFile.isEmpty();

    m_fillRecurringAction->setEnabled(grid);
    // Only a month page has a cell for every day of its month.
    m_importIcsAction->setEnabled(grid && m_page->LayoutKind() == 0);
    m_exportIcsAction->setEnabled(m_importIcsAction->isEnabled());
    m_userTitleAction->setEnabled(grid);
    m_iconToolButton->setEnabled(grid);
    m_clearCellsAction->setEnabled(grid);

    m_saveAction->setEnabled(hasFile);
    m_richToolBar->setEnabled(shown && m_cellEditor->hasFocus());

    for (QAction* a : {m_saveAsAction, m_propertiesAction, m_printSetupAction, m_saveBitmapAction,
                       m_saveJpgAction, m_savePdfAction, m_savePngAction})
        a->setEnabled(shown);
    m_propertiesButton->setEnabled(shown);
    m_zoomIn->setEnabled(shown);
    m_zoomOut->setEnabled(shown);

    m_printAction->setEnabled(shown && m_printerAvailable);
    m_printButton->setEnabled(m_printAction->isEnabled());
    m_cancelChangesAction->setEnabled(shown && hasFile);

    updateUndoActions();
    m_saveButton->setVisible(m_modified);
    m_cancelButton->setVisible(m_modified && hasFile);
    m_iconToolButton->setText(m_palette && m_palette->isShowing() ? QStringLiteral("Hide Icon Tool")
                                                     : QStringLiteral("Show Icon Tool"));
}

void TCalendarMain::SetCaption()
{
    if (m_currentFile.isEmpty())
        setWindowTitle(QStringLiteral("Dayloom"));
    else
        setWindowTitle(QStringLiteral("Dayloom  [") + QFileInfo(m_currentFile).fileName() +
                       QStringLiteral("]"));
    m_zoomCaption->setText(m_pageWidget->PageZoom().Caption());
    ProcessMessages();
}

void TCalendarMain::DoSaveRichtext()
{
    if (!m_editingCell || !m_editedCellText)
        return;
    // An untouched text goes back as it came: copying it would only cost a
    // new rendering of the cell.
    const bool changed = m_cellEditor->TextChanged();
    if (changed) {
        // The commit is a step with the cell's text before and after.
        const int cell = cellOfStore(m_editedCellText);
        const QByteArray before = CellTexts::Text(*m_page, cell);
        m_cellEditor->StoreInto(*m_editedCellText);
        m_recorder->RecordCellText(cell, before, CellTexts::Text(*m_page, cell));
        m_pageWidget->update();
    }
    m_changeTracking = false;
    m_cellEditor->hide();
    m_editingCell = false;
    m_richToolBar->Attach(nullptr);
    m_richToolBar->setEnabled(false);
    // Typing showed the document modified; the step (or none, for a text
    // typed or undone back to what it was) decides now.
    if (std::exchange(m_cellTyped, false) || changed)
        RefreshModified();
    updateUndoActions();
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
        m_steps << QStringLiteral("save");
        // A save that failed (or a Save As given up) leaves the document
        // modified: its changes are not saved.
        const bool saved =
            m_currentFile.isEmpty() ? FileSaveAsClick() : SaveCalendarFile(m_currentFile);
        if (saved)
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
    TColor color = m_defaultFontColor;
    const bool ok = m_fontChooser ? m_fontChooser(font, color) : ChooseFontAndColor(font, color, this);
    if (ok) {
        m_defaultFont = font;
        m_defaultFontColor = color;
        SavePreferences();
    }
    SetDefaultFontNow();
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
    const Zoom zoom = m_pageWidget->PageZoom();
    if (zoomIn ? zoom.CanStepIn() : zoom.CanStepOut()) {
        DoSaveRichtext();
        ProcessMessages();
        m_pageWidget->SetZoom(zoomIn ? zoom.StepIn() : zoom.StepOut());
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
    // 2. - 4. The dialog edits a preview page of its own; a test runner gets
    // a bare preview page instead.
    std::unique_ptr<TCalendarProperties> dialog;
    std::unique_ptr<TCalendarPanel32> runnerPreview;
    if (!m_propertiesRunner) {
        dialog = std::make_unique<TCalendarProperties>(this);
        CenterForm(dialog.get());
    } else {
        runnerPreview = std::make_unique<TCalendarPanel32>();
    }
    TCalendarPanel32& preview = dialog ? *dialog->ExampleCalendar() : *runnerPreview;
    if (dialog) {
        dialog->SetPreviewZoom(Zoom::FromPercent(m_propZoom));
        if (m_newCalendar) {
            dialog->SetNewCalendar(true);
            dialog->SetPageHasCellText(false);
            dialog->SetPageHasObjects(false);
        } else if (PageShown()) {
            dialog->SetPageLayoutKind(oldKind);
            dialog->SetPageHasCellText(m_page->HasCellText());
            dialog->SetPageHasObjects(m_page->HasObjects());
        }
    }
    BorderPicture::Attach(preview);  // the preview shows the border picture too
    preview.CopySettingsFrom(*m_page);
    m_propertiesAccepted = false;
    bool accepted = false;
    if (dialog)
        accepted = dialog->exec() == QDialog::Accepted;
    else
        accepted = m_propertiesRunner(preview, m_newCalendar);
    if (dialog)
        m_propZoom = dialog->PreviewZoom().StepPercent();
    // 5.
    if (accepted) {
        // One step: the settings and the cells the new layout or month empties.
        m_propertiesAccepted = true;
        m_recorder->RecordSettings(QStringLiteral("Properties"), [&] {
            m_page->CopySettingsFrom(preview);
            if (m_page->LayoutKind() != oldKind)
                m_page->ClearCells();
            else if ((m_page->MainCalMonth() != oldMonth || m_page->MainCalYear() != oldYear) &&
                     GridLayout())
                m_page->ClearCells();
        });
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
    // 4. A new document has no steps, and no saved state to go back to.
    m_currentFile.clear();
    m_partlyReadFile.clear();
    m_page->ClearCells();
    m_page->DeleteAllObjects();
    m_undoStack->clear();
    m_undoStack->resetClean();
    SetModified(true);
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
    const QString before = m_page->UserTitle();
    m_page->SetUserTitle(dialog.Title());
    m_recorder->RecordUserTitle(before, m_page->UserTitle());
}

void TCalendarMain::ClearAllCellsClick()
{
    DoSaveRichtext();
    m_recorder->RecordCells(QStringLiteral("Clear All Cell Contents"), [this] { m_page->ClearCells(); });
    m_pageWidget->update();
}

// ---- documents ------------------------------------------------------------------

void TCalendarMain::FileOpenClick()
{
    // 1.
    DoSaveRichtext();
    CheckSaveNeeded();
    // 2.
    FileDialogSpec desc;
    desc.title = QStringLiteral("Open Calendar File");
    desc.filter = QStringLiteral("Calendar File (*.DLF *.dlf)");
    desc.defaultSuffix = QStringLiteral("DLF");
    desc.directory = StartFolder(FolderKind::Documents, m_currentFile);
    const QString path = m_openChooser ? m_openChooser(desc) : RunOpenFileDialog(desc, this);
    if (path.isEmpty())
        return;
    WriteLastFolder(FolderKind::Documents, QFileInfo(path).absolutePath());
    // 3.
    if (QLatin1Char('.') + QFileInfo(path).suffix().toUpper() != QLatin1String(".DLF")) {
        ShowInformation(QStringLiteral("Must be a Calendar file (*.DLF)"));
        return;
    }
    OpenCalendarFile(path);
}

void TCalendarMain::OpenCalendarFile(const QString& fileName)
{
    // A copy: the name may be CurrentFile itself, which step 2 clears.
    const QString path = fileName;
    // 1.
    m_page->SetSuppressPainting(true);
    // 2.
    m_loading = true;
    m_currentFile.clear();
    m_partlyReadFile.clear();
    DoSaveRichtext();
    DocumentLoadResult loaded;
    if (!QFileInfo::exists(path)) {
        // 3.
        ShowInformation(QStringLiteral("File ") + path + QStringLiteral(" no longer exists"));
    } else {
        // 4.
        try {
            ShowWaitCursor();
            m_page->SetLoadingDocument(true);
            loaded = ReadDocumentInto(*m_page, path, this);
            RestoreCursor();
            m_currentFile = path;
            m_mruList->Add(path);
            m_mruList->Save();
            setWindowTitle(QStringLiteral("Dayloom [") + QFileInfo(path).fileName() +
                           QStringLiteral("]"));
        } catch (const std::exception&) {
            // 5. What was read before the fault goes with the reset.
            m_currentFile.clear();
            m_page->ClearCells();
            m_page->DeleteAllObjects();
            m_page->ResetPage();
            loaded = {};
            ShowInformation(UnableToOpenText(path));
            RestoreCursor();
        }
    }
    // 6. The steps belonged to the document that went.
    ProcessMessages();
    m_loading = false;
    showPage(!m_currentFile.isEmpty());
    m_pageWidget->update();
    m_undoStack->clear();
    SetModified(false);
    SetButtons();
    CheckFloaterStatus();
    RestoreCursor();
    SetCaption();
    m_page->SetSuppressPainting(false);
    m_pageWidget->update();
    ProcessMessages();
    m_page->SetLoadingDocument(false);
    // The objects that wait for the end of loading (floating calendars)
    // paint now.
    m_pageWidget->update();
    // Told once the page shows what was read.
    if (!m_currentFile.isEmpty() && loaded.Partial()) {
        m_partlyReadFile = m_currentFile;
        ShowMessage(QMessageBox::Warning, QStringLiteral("Warning"),
                    PartialReadText(loaded.ObjectsRead));
    }
}

bool TCalendarMain::SaveCalendarFile(const QString& fileName)
{
    const QString path = fileName;
    const bool overPartlyRead =
        !m_partlyReadFile.isEmpty() && QFileInfo(path) == QFileInfo(m_partlyReadFile);
    if (overPartlyRead && !AskYesNo(PartialSaveQuestion(), QStringLiteral("Save")))
        return false;
    // 1.
    m_page->SetSuppressPainting(true);
    // 2.
    bool saved = false;
    try {
        ShowWaitCursor();
        DoSaveRichtext();
        CalendarDocument::SaveToFile(*m_page, path);
        RestoreCursor();
        if (overPartlyRead)
            m_partlyReadFile.clear();
        m_currentFile = path;
        // Only a written document is a state to come back to unmodified.
        m_undoStack->setClean();
        SetModified(false);
        saved = true;
    } catch (const std::exception&) {
        RestoreCursor();
        ShowError(QStringLiteral("Unable to save ") + path +
                  QStringLiteral(".\rThe calendar was not saved."));
    }
    // 3.
    m_page->SetSuppressPainting(false);
    m_pageWidget->update();
    // 4.
    ProcessMessages();
    SetButtons();
    SetCaption();
    return saved;
}

void TCalendarMain::FileSaveClick()
{
    if (!m_currentFile.isEmpty())
        SaveCalendarFile(m_currentFile);
}

bool TCalendarMain::FileSaveAsClick()
{
    // 1., 2.
    FileDialogSpec desc;
    desc.title = QStringLiteral("Save Calendar File");
    desc.filter = QStringLiteral("Calendar File (*.DLF *.dlf)");
    desc.defaultSuffix = QStringLiteral("DLF");
    desc.directory = StartFolder(FolderKind::Documents, m_currentFile);
    if (m_currentFile.isEmpty())
        desc.proposedName = m_page->GetMonthName(m_page->MainCalMonth()).left(3) +
                            QString::number(m_page->MainCalYear()) + QStringLiteral(".DLF");
    else
        desc.proposedName = QFileInfo(m_currentFile).fileName();
    const QString path = m_saveChooser ? m_saveChooser(desc) : RunSaveFileDialog(desc, this);
    if (!path.isEmpty())
        WriteLastFolder(FolderKind::Documents, QFileInfo(path).absolutePath());
    // 3.
    bool saved = false;
    if (!path.isEmpty() && SaveCalendarFile(path)) {
        saved = true;
        SetModified(false);
        m_mruList->Add(path);
        m_mruList->Save();
    }
    // 4.
    SetButtons();
    return saved;
}

namespace {

// The two picture commands differ only in these.
struct PictureCommand {
    const char* Extension;  // "BMP" or "JPG"
    const char* Filter;
    bool Jpeg;
};

void savePictureCommand(TCalendarMain& window, TCalendarPanel32& page, const QString& currentFile,
                        const FileChooser& chooser, const PictureCommand& command)
{
    const QString ext = QString::fromLatin1(command.Extension);
    FileDialogSpec desc;
    desc.title = QStringLiteral("Save Calendar As Bitmap");
    desc.filter = QString::fromLatin1(command.Filter);
    desc.defaultSuffix = ext;
    desc.directory = StartFolder(FolderKind::Exports, currentFile);
    if (currentFile.isEmpty())
        desc.proposedName = page.GetMonthName(page.MainCalMonth()).left(3) +
                            QString::number(page.MainCalYear()) + QLatin1Char('.') + ext;
    else
        desc.proposedName = QFileInfo(currentFile).completeBaseName() + QLatin1Char('.') + ext;
    const QString path = chooser ? chooser(desc) : RunSaveFileDialog(desc, &window);
    if (path.isEmpty())
        return;
    WriteLastFolder(FolderKind::Exports, QFileInfo(path).absolutePath());
    if (window.SaveCalendarToBitmap(path, command.Jpeg)) {
        const int percent = window.PageWidget()->PageZoom().RoundedPercent();
        ShowInformation(QStringLiteral("Saved as ") + path + QStringLiteral("\r\r") +
                        QStringLiteral("Note: the calendar has been saved at its\r") +
                        QStringLiteral("current magnification level of ") +
                        QString::number(percent) + QStringLiteral("%"));
    } else {
        ShowInformation(QStringLiteral("Unable to save ") + path + QStringLiteral("\r\r") +
                        QStringLiteral("Possible reasons include:\r") +
                        QStringLiteral(" -Not enough available memory\r") +
                        QStringLiteral(" -Not enough disk space\r") +
                        QStringLiteral(" -Invalid file name"));
    }
}

}  // namespace

void TCalendarMain::SaveAsBitmapClick()
{
    savePictureCommand(*this, *m_page, m_currentFile, m_saveChooser,
                       {"BMP", "Bitmap File (*.BMP *.bmp)", false});
}

void TCalendarMain::SaveAsJpgClick()
{
    savePictureCommand(*this, *m_page, m_currentFile, m_saveChooser,
                       {"JPG", "JPG File (*.JPG *.jpg)", true});
}

void TCalendarMain::SaveAsPdfClick()
{
    SavePdfCommand(*this, m_saveChooser);
}

void TCalendarMain::SaveAsPngClick()
{
    SavePngCommand(*this, m_saveChooser);
}

ReportPrinter& TCalendarMain::Report()
{
    if (!m_report)
        m_report = MakeReport();
    return *m_report;
}

void TCalendarMain::PrintClick()
{
    if (!m_printAction->isEnabled())
        return;
    m_printed = false;
    m_printed = PrintCalendarCommand(*this, Report());
}

void TCalendarMain::PrintSetupClick()
{
    if (!m_printSetupAction->isEnabled())
        return;
    PrintSetupCommand(*this, Report());
}

bool TCalendarMain::SaveCalendarToBitmap(const QString& fileName, bool asJpeg)
{
    // The cell being edited belongs in the picture.
    DoSaveRichtext();
    ShowWaitCursor();
    m_pageWidget->update();
    ProcessMessages();
    const bool saved = PictureExport::SaveCalendarToBitmap(
        *m_page, fileName, asJpeg ? PictureExport::Jpeg : PictureExport::Bitmap, m_pageWidget->PageZoom());
    m_page->SetSuppressPainting(false);
    m_pageWidget->update();
    RestoreCursor();
    ProcessMessages();
    SetButtons();
    SetCaption();
    return saved;
}

void TCalendarMain::CancelChangesClick()
{
    if (!AskYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    if (!m_currentFile.isEmpty())
        OpenCalendarFile(m_currentFile);
    ProcessMessages();
    // A new document keeps its content and loses its steps.
    m_undoStack->clear();
    SetModified(false);
}

void TCalendarMain::AssociateDLFfileswithDayloom1Click()
{
    const QString program = QCoreApplication::applicationFilePath();
    QString error;
    if (DocumentTypeRegistration::Register(QStringLiteral(".DLF"), program, &error))
        ShowInformation(QStringLiteral("You should now be able to open .DLF files by clicking on them"));
    else if (!error.isEmpty())
        ShowError(error);
}

void TCalendarMain::AboutClick()
{
    AboutBox box(this);
    CenterForm(&box);
    box.exec();
}

void TCalendarMain::ConfigurationInfoClick()
{
    ConfigurationSettings settings;
    settings.MainZoom = m_mainZoom;
    settings.PropZoom = m_propZoom;
    settings.DefaultFontName = m_defaultFont.family();
    settings.DefaultFontSize = m_defaultFont.pointSize();
    settings.DefaultFontBold = m_defaultFont.bold();
    settings.DefaultFontItalic = m_defaultFont.italic();
    settings.DefaultFontUnderline = m_defaultFont.underline();
    settings.DefaultFontColor = m_defaultFontColor;
    settings.IconFile = m_iconFile;
    settings.IconsVisible = m_iconsVisible;
    settings.ShowHints = m_showHints;
    TConfigurationInfo info(settings, this);
    info.Run();
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
    m_mainZoom = m_pageWidget->PageZoom().StepPercent();
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

bool TCalendarMain::AppMessage(QWidget* form, QKeyEvent* key)
{
    // Key strokes go to the active window: only the main window's own count.
    if (!form || FormClassName(form) != FormClassName(this))
        return false;
    if (key->key() == Qt::Key_PageDown)
        ZoomSpinnerUpClick();
    else if (key->key() == Qt::Key_PageUp)
        ZoomSpinnerDownClick();
    // Tab and Shift+Tab move the cell editor to the next or previous cell;
    // the editor never sees the key, even where there is no cell to go to.
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && m_cellEditor->isVisible() && m_cellEditor->hasFocus()) {
        const bool back =
            key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        if (back)
            m_page->CellClickPrevious(m_currentCell);
        else
            m_page->CellClickNext(m_currentCell);
        return true;
    }
    return false;
}

// ---- the cell editor -------------------------------------------------------------

void TCalendarMain::ClickedInCellEvent(TRect, TRect, int iCell, int, TWPRtfStorage* rtfstorage)
{
    if (!rtfstorage)
        return;
    // The cell where the page widget shows it.
    const TRect rFree = m_pageWidget->CellRecord(iCell).rFree;
    // 1.
    m_currentCell = iCell;
    m_changeTracking = false;
    DoSaveRichtext();
    m_editedCellText = rtfstorage;
    m_editingCell = true;
    // 2. and 3. The editor lies over the text rectangle, one pixel in.
    const int w = rFree.Right - rFree.Left + 1;
    const int h = rFree.Bottom - rFree.Top + 1;
    m_cellEditor->Load(*rtfstorage, w, h, m_pageWidget->PageZoom().Factor());
    // Undo goes to the page again when the editor's own changes are undone.
    connect(m_cellEditor->document(), &QTextDocument::modificationChanged, this, [this] { updateUndoActions(); });
    m_cellEditor->setGeometry(m_pageWidget->x() + rFree.Left + 1, m_pageWidget->y() + rFree.Top + 1,
                              qMax(1, w), qMax(1, h));
    m_cellEditor->show();
    m_cellEditor->raise();
    m_cellEditor->setFocus(Qt::MouseFocusReason);
    m_changeTracking = true;
    updateUndoActions();
    // 5. when the focus arrives (at once when the window is active).
    if (m_cellEditor->hasFocus())
        CellEditorFocused();
}

void TCalendarMain::CellEditorFocused()
{
    if (!m_editingCell)
        return;
    m_richToolBar->Attach(m_cellEditor);
    m_richToolBar->setEnabled(PageShown());
    if (m_cellEditor->IsTextEmpty()) {
        // Typing attributes are no change of the text: the document stays as
        // it was until the first key.
        const bool tracking = m_changeTracking;
        const bool changed = m_cellEditor->TextChanged();
        m_changeTracking = false;
        SetDefaultFontNow();
        m_cellEditor->document()->setModified(changed);
        m_changeTracking = tracking;
    }
}

void TCalendarMain::SetDefaultFontNow()
{
    int style = 0;
    if (m_defaultFont.bold())
        style |= 1;
    if (m_defaultFont.italic())
        style |= 2;
    if (m_defaultFont.underline())
        style |= 4;
    if (m_defaultFont.strikeOut())
        style |= 8;
    const QTextCharFormat format = EditorTypingFormat(
        m_defaultFont.family(), m_defaultFont.pointSize(), style, m_defaultFontColor);
    QTextCharFormat typing = m_cellEditor->currentCharFormat();
    typing.merge(format);
    m_cellEditor->setCurrentCharFormat(typing);
}

bool TCalendarMain::PageDragOver(QPoint pos, const QMimeData* data) const
{
    return data && data->hasImage() && GridLayout() && m_pageWidget->IsPointInCell(pos);
}

bool TCalendarMain::PageDragDrop(QPoint pos, const QMimeData* data)
{
    if (!PageDragOver(pos, data))
        return false;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        return false;
    DoSaveRichtext();
    m_pageWidget->CellClickAtPoint(pos);
    if (m_editingCell && m_cellEditor->isVisible() && m_cellEditor->InsertImage(image))
        SetModified(true);
    m_currentCell = m_pageWidget->CellAtPoint(pos);
    return true;
}

bool TCalendarMain::pageDragEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (PageDragOver(e->position().toPoint(), e->mimeData()))
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        if (PageDragDrop(e->position().toPoint(), e->mimeData()))
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    default:
        return false;
    }
}

QTextCharFormat TCalendarMain::DefaultCellFormat() const
{
    int style = 0;
    style |= m_defaultFont.bold() ? 1 : 0;
    style |= m_defaultFont.italic() ? 2 : 0;
    style |= m_defaultFont.underline() ? 4 : 0;
    style |= m_defaultFont.strikeOut() ? 8 : 0;
    // The default editor font as it is (no colour table: that is the
    // editor's typing rule).
    return CharFormatFor(m_defaultFont.family(), m_defaultFont.pointSize(), style,
                         ToQColor(m_defaultFontColor));
}

void TCalendarMain::FillRecurringClick()
{
    const bool paletteShown = m_palette->isShowing();
    if (paletteShown)
        m_palette->hide();
    const std::optional<QList<RecurringMatch>> chosen =
        ChooseRecurringDatesForMonth(this, m_page->MainCalYear(), m_page->MainCalMonth());
    if (chosen) {
        // The open cell's text is a step of its own, before the fill.
        DoSaveRichtext();
        int put = 0;
        m_recorder->RecordCells(QStringLiteral("Fill Calendar with Recurring Dates"), [&] {
            put = FillCellsWithRecurringDates(*m_page, *chosen, DefaultCellFormat(),
                                              [this] { DoSaveRichtext(); });
        });
        if (put > 0) {
            m_pageWidget->update();
            // The current cell is current again.
            if (m_currentCell > 0)
                m_page->CellClick(m_currentCell);
        }
    }
    if (paletteShown)
        m_palette->show();
    SetButtons();
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
            if (AppMessage(form, static_cast<QKeyEvent*>(event)))
                return true;
        }
        break;
    case QEvent::FocusIn:
        if (watched == m_cellEditor)
            CellEditorFocused();
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == m_pageWidget && pageDragEvent(event))
            return true;
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
