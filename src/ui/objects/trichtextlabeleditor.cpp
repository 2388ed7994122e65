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
    m_toolBar = new RichTextToolBar(this);
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

    auto* bar = new QHBoxLayout;
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    bar->addWidget(help);
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(cancel);
    column->addLayout(bar);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(40013); });
    connect(m_zoomIn, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomIn);
    connect(m_zoomOut, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomOut);
}

TRichTextLabelEditor::~TRichTextLabelEditor()
{
    m_toolBar->Attach(nullptr);
}

void TRichTextLabelEditor::SetText(const TWPRtfStorage& text)
{
    std::unique_ptr<QTextDocument> copy(text.Document().clone());
    m_editor->setDocument(copy.release());
    m_editor->document()->setParent(m_editor);
    m_editor->document()->setDocumentMargin(0);
    layoutText();
}

void TRichTextLabelEditor::TakeText(TWPRtfStorage& into) const
{
    into.AssignDocument(*m_editor->document());
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
    // Break lines where the page does: the layout page in pixels at 100 %.
    if (m_pageWidthTwips > 0)
        m_editor->document()->setTextWidth(m_pageWidthTwips * ScreenPPI() / 1440.0);
}

}  // namespace dayloom
