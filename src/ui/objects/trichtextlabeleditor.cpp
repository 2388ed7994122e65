#include "ui/objects/trichtextlabeleditor.h"

#include <cmath>

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/screen.h"
#include "richtext/richtextformat.h"
#include "richtext/twprtfstorage.h"
#include "ui/richtexttoolbar.h"
#include "ui/uiutil.h"

namespace dayloom {

TRichTextLabelEditor::TRichTextLabelEditor(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("RichTextLabelEditor"));
    setWindowTitle(QStringLiteral("Rich Text Editor"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    resize(601, 343);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_toolBar = new RichTextToolBar(RichTextToolBar::LabelEditorCommands(), this);
    m_zoomIn = new QToolButton(this);
    m_zoomIn->setText(QStringLiteral("+"));
    m_zoomIn->setToolTip(QStringLiteral("Zoom In"));
    m_zoomOut = new QToolButton(this);
    m_zoomOut->setText(QStringLiteral("-"));
    m_zoomOut->setToolTip(QStringLiteral("Zoom Out"));
    top->addWidget(m_toolBar);
    top->addWidget(m_zoomIn);
    top->addWidget(m_zoomOut);
    top->addStretch();
    column->addLayout(top);

    m_scroll = new QScrollArea(this);
    m_panel = new QFrame;
    m_panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_panel->setAutoFillBackground(true);
    SetPanelColor(Qt::white);
    auto* inner = new QVBoxLayout(m_panel);
    inner->setContentsMargins(0, 0, 0, 0);
    m_editor = new QTextEdit(m_panel);
    m_editor->setFrameStyle(QFrame::NoFrame);
    m_editor->setLineWrapMode(QTextEdit::WidgetWidth);
    m_editor->setTabChangesFocus(false);
    m_editor->setAcceptRichText(true);
    m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->viewport()->setAutoFillBackground(false);
    m_editor->setStyleSheet(QStringLiteral("QTextEdit { background: transparent; }"));
    m_editor->document()->setDocumentMargin(0);
    inner->addWidget(m_editor);
    m_panel->hide();
    m_scroll->setWidget(m_panel);
    column->addWidget(m_scroll, 1);
    m_toolBar->Attach(m_editor);
    // The tool bar acts on the editor whatever has the focus in the dialog.
    m_toolBar->setEnabled(true);

    column->addLayout(HelpOkCancelBar(this, 40013));
    connect(m_zoomIn, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomIn);
    connect(m_zoomOut, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomOut);
}

TRichTextLabelEditor::~TRichTextLabelEditor()
{
    m_toolBar->Attach(nullptr);
}

void TRichTextLabelEditor::SetText(const TWPRtfStorage& text)
{
    QTextDocument* doc = text.Document().clone(m_editor);
    m_editor->setDocument(doc);
    doc->setDocumentMargin(0);
    m_textZoom = 100;
    m_toolBar->SetTextZoom(100);
    scaleText();
}

void TRichTextLabelEditor::TakeText(TWPRtfStorage& into) const
{
    QTextDocument* doc = m_editor->document();
    if (m_textZoom == 100) {
        into.AssignDocument(*doc);
        return;
    }
    // Back to 100 % for the store, then to the zoom again for the editor;
    // the store writes sizes rounded, so the round trip leaves no trace.
    const qreal factor = m_textZoom / 100.0;
    auto scaleDefaultFont = [doc](qreal f) {
        QFont font = doc->defaultFont();
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * f);
        doc->setDefaultFont(font);
    };
    const bool modified = doc->isModified();
    ScaleDocument(*doc, 1.0 / factor);
    scaleDefaultFont(1.0 / factor);
    into.AssignDocument(*doc);
    ScaleDocument(*doc, factor);
    scaleDefaultFont(factor);
    doc->clearUndoRedoStacks();  // undoing a scaling would leave the sizes wrong
    doc->setModified(modified);
}

void TRichTextLabelEditor::SetPanelSize(QSize size)
{
    m_panel->resize(size);
    layoutText();
}

QSize TRichTextLabelEditor::PanelSize() const
{
    return m_panel->size();
}

void TRichTextLabelEditor::SetPanelColor(const QColor& color)
{
    QPalette pal = m_panel->palette();
    pal.setColor(QPalette::Window, color);
    m_panel->setPalette(pal);
}

void TRichTextLabelEditor::SetPageWidthTwips(int twips)
{
    m_pageWidthTwips = twips;
    layoutText();
}

void TRichTextLabelEditor::SetZoom(int percent)
{
    m_zoom = qBound(10, percent, 500);
    layoutText();
}

void TRichTextLabelEditor::ZoomIn()
{
    if (m_zoom >= 100)
        return;
    m_zoom += 10;
    resizePanel();
}

void TRichTextLabelEditor::ZoomOut()
{
    if (m_zoom <= 50)
        return;
    m_zoom -= 10;
    resizePanel();
}

void TRichTextLabelEditor::Activate()
{
    m_panel->show();
    m_baseSize = m_panel->size();
    m_baseZoom = m_zoom;
    m_activated = true;
    m_editor->setFocus();
    QTextCursor c = m_editor->textCursor();
    c.movePosition(QTextCursor::Start);
    m_editor->setTextCursor(c);
}

void TRichTextLabelEditor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated)
        Activate();
}

void TRichTextLabelEditor::resizePanel()
{
    if (m_baseZoom <= 0 || !m_activated) {
        layoutText();
        return;
    }
    auto scaled = [this](int v) { return int(std::nearbyint(double(m_zoom) * v / m_baseZoom)); };
    m_panel->resize(scaled(m_baseSize.width()), scaled(m_baseSize.height()));
    layoutText();
}

void TRichTextLabelEditor::layoutText()
{
    scaleText();
    // Break lines where the page does: the layout page in pixels at the
    // zoom the text is shown at.
    if (m_pageWidthTwips > 0)
        m_editor->document()->setTextWidth(m_pageWidthTwips * ScreenPPI() / 1440.0 * m_textZoom / 100.0);
}

void TRichTextLabelEditor::scaleText()
{
    if (m_textZoom == m_zoom || m_textZoom <= 0)
        return;
    QTextDocument* doc = m_editor->document();
    const qreal factor = qreal(m_zoom) / m_textZoom;
    const bool modified = doc->isModified();
    ScaleDocument(*doc, factor);
    QFont font = doc->defaultFont();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * factor);
        doc->setDefaultFont(font);
    }
    doc->clearUndoRedoStacks();  // undoing a scaling would leave the sizes wrong
    doc->setModified(modified);
    m_textZoom = m_zoom;
    m_toolBar->SetTextZoom(m_textZoom);
}

}  // namespace dayloom
