#pragma once

#include <functional>
#include <memory>

#include <QFont>
#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QTextCharFormat>

#include "core/tcolor.h"
#include "core/trect.h"
#include "objects/tlpanelstate.h"
#include "ui/celltexteditor.h"
#include "ui/filechooser.h"

class QAbstractButton;
class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QMimeData;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;
class QUndoStack;

namespace dayloom {

class CalendarPageWidget;
class ReportPrinter;
class TFloatingPalette;
class RichTextToolBar;
class TCalendarPanel32;
class TWPRtfStorage;
class TMRUFileList;
class EditRecorder;

// The main window: tool bars, menus, the page in its scroll box and the
// in-place cell editor; the rules for which commands are enabled; zooming;
// preferences and window placement.
class TCalendarMain : public QMainWindow {
    Q_OBJECT
public:
    // The command-line arguments after the program name (the first one names
    // a document to open at start-up).
    explicit TCalendarMain(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TCalendarMain() override;

    TCalendarPanel32* CalendarPanel() const { return m_page; }
    CalendarPageWidget* PageWidget() const { return m_pageWidget; }
    TFloatingPalette* FloatingPalette() const { return m_palette; }
    QMenu* FileMenu() const { return m_fileMenu; }
    QMenu* HelpMenu() const { return m_helpMenu; }
    QMenu* EditMenu() const { return m_editMenu; }
    // Every change of the document is one step here; the document counts
    // as modified exactly when the stack is away from its clean state (the
    // last successful write) or the cell editor holds uncommitted text.
    QUndoStack* UndoStack() const { return m_undoStack; }
    // What turns the page's commands into steps (the page widget and the
    // commands that change cells or settings go through it).
    dayloom::EditRecorder* Recorder() const { return m_recorder; }
    QAction* UndoAction() const { return m_undoAction; }
    QAction* RedoAction() const { return m_redoAction; }
    CellTextEditor* CellEditor() const { return m_cellEditor; }
    RichTextToolBar* RichToolBar() const { return m_richToolBar; }
    QLabel* ZoomCaption() const { return m_zoomCaption; }

    // The state fields the rules read.
    QString CurrentFile() const { return m_currentFile; }
    bool Modified() const { return m_modified; }
    bool Loading() const { return m_loading; }
    bool PrinterAvailable() const { return m_printerAvailable; }
    bool IconsVisible() const { return m_iconsVisible; }
    bool ShowHints() const { return m_showHints; }
    bool ZoomBusy() const { return m_zoomBusy; }
    bool EditingCell() const { return m_editingCell; }
    int CurrentCell() const { return m_currentCell; }
    bool ChangeTracking() const { return m_changeTracking; }
    TWPRtfStorage* EditedCellText() const { return m_editedCellText; }
    int MainZoom() const { return m_mainZoom; }
    int PropZoom() const { return m_propZoom; }
    QString IconFile() const { return m_iconFile; }
    QFont DefaultEditorFont() const { return m_defaultFont; }
    TColor DefaultFontColor() const { return m_defaultFontColor; }

    // The size the window takes when no placement is stored: room for the
    // whole page of the first reset at MainZoom below the tool bars.
    QSize FirstWindowSize() const;

    // Page shown, and page shown with a layout that has day cells.
    bool PageShown() const;
    bool GridLayout() const;

    // Stores the flag shown by the caption, the Save button and the question
    // on closing; the undo stack's clean state does not move with it.
    void SetModified(bool modified);
    // The modified flag from the stack's clean state and the cell editor.
    void RefreshModified();
    void SetButtons();
    void SetCaption();
    void DoSaveRichtext();
    void CheckFloaterStatus();
    // Asks "Save changes?" for a modified document; never cancels.
    void CheckSaveNeeded();
    void LoadPreferences();
    void SavePreferences();

    // The commands.
    // Edit > Undo / Redo (and their tool buttons): nothing while a cell is
    // edited in place, where the editor's own undo works.
    void UndoClick();
    void RedoClick();
    void ZoomSpinnerUpClick();
    void ZoomSpinnerDownClick();
    void FileNewClick();
    void PropertiesClick();
    void UserTitleClick();
    void EditRecurringDatesClick();
    void ClearAllCellsClick();
    // The document commands.
    void FileOpenClick();
    void FileSaveClick();
    // True when the document was written.
    bool FileSaveAsClick();
    void CancelChangesClick();
    // A document whose object list could not be read to its end opens with
    // the objects before the damage and a warning.
    void OpenCalendarFile(const QString& path);
    // True when the document was written; a failure is reported and leaves
    // CurrentFile and Modified as they were. The first save over a document
    // that was read only in part asks first; No writes nothing.
    bool SaveCalendarFile(const QString& path);
    // The file last opened when it was read only in part, until it is saved over.
    QString PartlyReadFile() const { return m_partlyReadFile; }
    // Registers .DLF documents with the desktop (no menu item reaches it).
    void AssociateDLFfileswithDayloom1Click();
    TMRUFileList* MRUFileList() const { return m_mruList; }
    void DefaultEditorFontClick();
    void FillRecurringClick();
    // The format of texts the commands put into empty cells: the default
    // editor font with its colour.
    QTextCharFormat DefaultCellFormat() const;
    // "Save As Bitmap File" and "Save As JPG File": the page at the current
    // zoom, inside its margins, through the save-file chooser.
    void SaveAsBitmapClick();
    void SaveAsJpgClick();
    // True when this picture was written to fileName; the document's
    // modified state stays as it was.
    bool SaveCalendarToBitmap(const QString& fileName, bool asJpeg);
    // "Save As PDF File": what printing draws, at true paper size, for the
    // months or planner pages asked for. "Save As PNG File": the page at the
    // screen's resolution and zoom or at 150, 300 or 600 dots per inch.
    void SaveAsPdfClick();
    void SaveAsPngClick();
    // "P&rint Calendar" (and the Print button) and "Print Set&up".
    void PrintClick();
    void PrintSetupClick();
    // The report layer the print commands run on, made at first use and
    // kept, so that the printer chosen in one job is there in the next.
    ReportPrinter& Report();
    // The page's drag-over and drop handlers: pictures are taken only inside
    // a day cell; a drop opens the cell and inserts the picture.
    bool PageDragOver(QPoint pos, const QMimeData* data) const;
    bool PageDragDrop(QPoint pos, const QMimeData* data);
    // Applies the default editor font to the cell editor's typing attributes.
    void SetDefaultFontNow();
    void ShowIconToolClick();
    void ShowHintsClick();
    void AboutClick();
    // Help > "Configuration Information".
    void ConfigurationInfoClick();
    void ExitClick();
    void SetToolMode(TLPanelState state);

    // Steps that arrive with later pieces of the program; public so that
    // tests can see that they are reached in order.
    QStringList StartupSteps() const { return m_steps; }

    // The test seam for the properties dialog: a runner set here replaces the
    // dialog, gets a bare preview page (the page's settings copied in) and
    // says whether it was accepted. Without one the real dialog runs.
    using PropertiesRunner = std::function<bool(TCalendarPanel32& preview, bool newCalendar)>;
    void SetPropertiesRunner(PropertiesRunner runner) { m_propertiesRunner = std::move(runner); }

    // The font-and-colour dialog as a replaceable step (tests answer it).
    using FontChooser = std::function<bool(QFont& font, TColor& color)>;
    void SetFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }
    // The open and save dialogs as replaceable steps (tests answer them).
    void SetOpenFileChooser(FileChooser chooser) { m_openChooser = std::move(chooser); }
    void SetSaveFileChooser(FileChooser chooser) { m_saveChooser = std::move(chooser); }

    // The hidden option for the start-up measurement: quit after the page or
    // the window has painted for the first time.
    void SetQuitAfterFirstPaint(bool quit) { m_quitAfterFirstPaint = quit; }

Q_SIGNALS:
    void FirstPainted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildMenus();
    void buildToolPanel(QWidget* panel);
    void buildScrollBox();
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    // True when the key stroke was handled and goes no further.
    bool AppMessage(QWidget* form, QKeyEvent* key);
    // The cell editor.
    void ClickedInCellEvent(TRect rTotal, TRect rFree, int iCell, int iDay,
                            TWPRtfStorage* rtfstorage);
    void CellEditorFocused();
    bool pageDragEvent(QEvent* event);
    void zoomStep(bool zoomIn);
    void openFromCommandLineOrRecent();
    void loadIconLibrary();
    void showPage(bool show);
    void layoutScrollContents();
    void placeFirstWindow();
    void notifyFirstPaint();
    void updateUndoActions();
    // True while the open cell editor holds text that differs from its cell.
    bool editorHasOwnChanges() const;
    void afterUndoStep();
    // The number (1..42) of the cell whose store this is; 0 when none.
    int cellOfStore(const TWPRtfStorage* store) const;

    QStringList m_arguments;
    QStringList m_steps;

    // State.
    QString m_currentFile;
    QString m_partlyReadFile;
    bool m_modified = true;  // so that FormCreate's SetModified(false) runs SetButtons
    bool m_loading = false;
    bool m_newCalendar = false;
    bool m_printerAvailable = false;
    bool m_changeTracking = false;
    bool m_editingCell = false;
    // Text was typed (or dropped) into the open cell since it was opened.
    bool m_cellTyped = false;
    TWPRtfStorage* m_editedCellText = nullptr;
    int m_currentCell = 0;
    int m_mainZoom = 60;
    int m_propZoom = 30;
    int m_copyLoops = 1;
    bool m_iconsVisible = true;
    bool m_showHints = true;
    bool m_zoomBusy = false;
    bool m_printed = false;
    bool m_propertiesAccepted = false;
    QFont m_defaultFont;  // the default-font dialog's font
    TColor m_defaultFontColor = clBlack;
    QString m_iconFile;
    bool m_quitAfterFirstPaint = false;
    bool m_firstPaintSeen = false;
    bool m_activated = false;

    // Parts.
    TCalendarPanel32* m_page = nullptr;
    CalendarPageWidget* m_pageWidget = nullptr;
    TFloatingPalette* m_palette = nullptr;
    PropertiesRunner m_propertiesRunner;
    FontChooser m_fontChooser;
    FileChooser m_openChooser;
    FileChooser m_saveChooser;
    TMRUFileList* m_mruList = nullptr;
    std::unique_ptr<ReportPrinter> m_report;
    QUndoStack* m_undoStack = nullptr;
    EditRecorder* m_recorder = nullptr;

    // Controls.
    RichTextToolBar* m_richToolBar = nullptr;
    QWidget* m_toolPanel = nullptr;
    QToolButton* m_zoomIn = nullptr;
    QToolButton* m_zoomOut = nullptr;
    QLabel* m_zoomCaption = nullptr;
    QToolButton* m_propertiesButton = nullptr;
    QToolButton* m_printButton = nullptr;
    QToolButton* m_undoButton = nullptr;
    QToolButton* m_redoButton = nullptr;
    QPushButton* m_iconToolButton = nullptr;
    QButtonGroup* m_toolGroup = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QTextEdit* m_masterRichText = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    QWidget* m_scrollContents = nullptr;
    CellTextEditor* m_cellEditor = nullptr;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_newAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_saveBitmapAction = nullptr;
    QAction* m_saveJpgAction = nullptr;
    QAction* m_savePdfAction = nullptr;
    QAction* m_savePngAction = nullptr;
    QAction* m_propertiesAction = nullptr;
    QAction* m_userTitleAction = nullptr;
    QAction* m_cancelChangesAction = nullptr;
    QAction* m_clearCellsAction = nullptr;
    QAction* m_defaultFontAction = nullptr;
    QAction* m_fillRecurringAction = nullptr;
    QAction* m_importIcsAction = nullptr;
    QAction* m_exportIcsAction = nullptr;
    QAction* m_editRecurringAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_printSetupAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_contentsAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_configAction = nullptr;
    QAction* m_supportAction = nullptr;
    QAction* m_faqAction = nullptr;
    QAction* m_showHintsAction = nullptr;
};

}  // namespace dayloom
