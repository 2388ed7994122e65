#include "ui/celltexteditor.h"

#include <cmath>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "core/screen.h"
#include "core/zoom.h"
#include "richtext/richtextformat.h"
#include "richtext/twprtfstorage.h"

namespace dayloom {

CellTextEditor::CellTextEditor(QWidget* parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("CellEditor"));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    // The layout width is set on the document itself (Load); the editor's own
    // width must never re-wrap it.
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setLineWrapColumnOrWidth(100);
    QPalette white = palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    setPalette(white);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] { fitScrollRanges(); });
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { fitScrollRanges(); });
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        restartBlink();
        viewport()->update();
    });
    connect(this, &QTextEdit::selectionChanged, viewport(), qOverload<>(&QWidget::update));
}

int CellTextEditor::PageTwipsFor(int pixels)
{
    return PixelsToTwips(pixels, ScreenPPI());
}

int CellTextEditor::LayoutWidthTwipsFor(int width, float zoom)
{
    // The page's cell painter lays text out on the unzoomed width of the text
    // rectangle and scales the result; this is its arithmetic.
    const double scale = zoom > 0 ? double(zoom) : 1.0;
    return PixelsToTwips(double(width) / scale, ScreenPPI());
}

void CellTextEditor::Load(const TWPRtfStorage& text, int width, int height, float zoom)
{
    m_pageWidthTwips = PageTwipsFor(width);
    m_pageHeightTwips = PageTwipsFor(height);
    m_zoomPercent = qMax(1, Zoom(zoom).TruncatedPercent());
    m_layoutWidthTwips = LayoutWidthTwipsFor(width, zoom);

    QTextDocument* doc = text.Document().clone(this);
    doc->setDocumentMargin(0);
    doc->setUndoRedoEnabled(true);
    // Documents loaded here belong to the editor; its first one belongs to
    // the editor's text control, which frees it when it is replaced.
    QTextDocument* old = document();
    const bool ownsOld = old && old->parent() == this;
    const qreal layoutWidth = qMax<qreal>(1.0, TwipsToPixels(m_layoutWidthTwips));
    setLineWrapColumnOrWidth(qMax(1, int(layoutWidth)));
    setDocument(doc);
    if (ownsOld)
        delete old;
    // Exactly the renderer's width (fractional pixels), after the editor's
    // own relayout has set its whole-pixel one.
    doc->setTextWidth(layoutWidth);
    // A cursor one pixel wide on the screen whatever the zoom.
    doc->documentLayout()->setProperty("cursorWidth", qMax(1, int(std::ceil(1.0 / scale()))));
    doc->setModified(false);
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    fitScrollRanges();
    viewport()->update();
}

bool CellTextEditor::TextChanged() const { return document()->isModified(); }

void CellTextEditor::StoreInto(TWPRtfStorage& store) const { store.AssignDocument(*document()); }

bool CellTextEditor::IsTextEmpty() const { return document()->isEmpty(); }

bool CellTextEditor::InsertImage(const QImage& image)
{
    QTextCursor cursor = textCursor();
    if (!InsertPicture(cursor, image))
        return false;
    setTextCursor(cursor);
    return true;
}

void CellTextEditor::fitScrollRanges()
{
    // The editor's own ranges are in unscaled pixels against the unscaled
    // viewport; the scaled view shows viewport / scale of the text. Nothing
    // scrolls sideways, and downwards only what the scaled view cannot show.
    if (m_fittingRanges)
        return;
    m_fittingRanges = true;
    const qreal textHeight = document()->documentLayout()->documentSize().height();
    const int vmax = qMax(0, int(std::ceil(textHeight - viewport()->height() / scale())));
    if (verticalScrollBar()->maximum() != vmax || verticalScrollBar()->minimum() != 0)
        verticalScrollBar()->setRange(0, vmax);
    if (horizontalScrollBar()->maximum() != 0)
        horizontalScrollBar()->setRange(0, 0);
    m_fittingRanges = false;
}

void CellTextEditor::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const qreal s = scale();
    const QPointF offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    p.scale(s, s);
    p.translate(-offset);

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.palette.setColor(QPalette::Text, Qt::black);
    context.cursorPosition =
        hasFocus() && m_cursorOn && !isReadOnly() ? textCursor().position() : -1;
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        QAbstractTextDocumentLayout::Selection selection;
        selection.cursor = cursor;
        selection.format.setBackground(palette().brush(QPalette::Highlight));
        selection.format.setForeground(palette().brush(QPalette::HighlightedText));
        context.selections << selection;
    }
    context.clip = QRectF(offset, QSizeF(viewport()->size()) / s);
    document()->documentLayout()->draw(&p, context);

    // The editor asks for repaints of unscaled rectangles, which lie
    // elsewhere in the scaled view: follow any partial update with a whole one.
    if (event->region().boundingRect() != viewport()->rect())
        viewport()->update();
}

namespace {

QMouseEvent scaledMouse(const QMouseEvent* e, qreal s)
{
    return QMouseEvent(e->type(), e->position() / s, e->scenePosition(), e->globalPosition(),
                       e->button(), e->buttons(), e->modifiers(), e->pointingDevice());
}

}  // namespace

void CellTextEditor::mousePressEvent(QMouseEvent* event)
{
    QMouseEvent scaled = scaledMouse(event, scale());
    QTextEdit::mousePressEvent(&scaled);
    event->setAccepted(scaled.isAccepted());
    restartBlink();
}

void CellTextEditor::mouseMoveEvent(QMouseEvent* event)
{
    QMouseEvent scaled = scaledMouse(event, scale());
    QTextEdit::mouseMoveEvent(&scaled);
    event->setAccepted(scaled.isAccepted());
}

void CellTextEditor::mouseReleaseEvent(QMouseEvent* event)
{
    QMouseEvent scaled = scaledMouse(event, scale());
    QTextEdit::mouseReleaseEvent(&scaled);
    event->setAccepted(scaled.isAccepted());
}

void CellTextEditor::mouseDoubleClickEvent(QMouseEvent* event)
{
    QMouseEvent scaled = scaledMouse(event, scale());
    QTextEdit::mouseDoubleClickEvent(&scaled);
    event->setAccepted(scaled.isAccepted());
}

void CellTextEditor::keyPressEvent(QKeyEvent* event)
{
    restartBlink();
    // Ctrl+A selects the whole text and goes no further.
    if (event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier) &&
        !(event->modifiers() & (Qt::AltModifier | Qt::ShiftModifier))) {
        selectAll();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void CellTextEditor::focusInEvent(QFocusEvent* event)
{
    QTextEdit::focusInEvent(event);
    restartBlink();
}

void CellTextEditor::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    m_blink.stop();
    viewport()->update();
}

void CellTextEditor::restartBlink()
{
    m_cursorOn = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash >= 2)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
    viewport()->update();
}

void CellTextEditor::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_cursorOn = !m_cursorOn;
        viewport()->update();
        return;
    }
    QTextEdit::timerEvent(event);
}

void CellTextEditor::dragEnterEvent(QDragEnterEvent* event)
{
    QDragEnterEvent scaled(event->position().toPoint() / scale(), event->possibleActions(),
                           event->mimeData(), event->buttons(), event->modifiers());
    QTextEdit::dragEnterEvent(&scaled);
    event->setDropAction(scaled.dropAction());
    event->setAccepted(scaled.isAccepted());
}

void CellTextEditor::dragMoveEvent(QDragMoveEvent* event)
{
    QDragMoveEvent scaled(event->position().toPoint() / scale(), event->possibleActions(),
                          event->mimeData(), event->buttons(), event->modifiers());
    QTextEdit::dragMoveEvent(&scaled);
    event->setDropAction(scaled.dropAction());
    event->setAccepted(scaled.isAccepted());
    viewport()->update();
}

void CellTextEditor::dropEvent(QDropEvent* event)
{
    QDropEvent scaled(event->position() / scale(), event->possibleActions(), event->mimeData(),
                      event->buttons(), event->modifiers());
    QTextEdit::dropEvent(&scaled);
    event->setDropAction(scaled.dropAction());
    event->setAccepted(scaled.isAccepted());
}

bool CellTextEditor::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void CellTextEditor::insertFromMimeData(const QMimeData* source)
{
    if (source->hasImage()) {
        InsertImage(qvariant_cast<QImage>(source->imageData()));
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

}  // namespace dayloom
