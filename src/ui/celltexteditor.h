#pragma once

#include <QBasicTimer>
#include <QTextEdit>

class QMimeData;

namespace dayloom {

class TWPRtfStorage;

// The in-place editor of a day cell. The text is laid out exactly as the
// page paints cell text: on the cell's unzoomed width, at 100 %, and shown
// scaled by the zoom percentage, so that lines break where they break on the
// painted page. Mouse and drop positions are mapped back to the unscaled
// text, and the text scrolls only as far as the scaled view needs.
class CellTextEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit CellTextEditor(QWidget* parent = nullptr);

    // Loads a copy of the store's text for a text rectangle of width x height
    // control pixels on a page shown at zoom. Sets the page size in twips
    // (width / PPI x 1440 by height / PPI x 1440, rounded), zero margins and
    // the zoom percentage trunc(zoom x 100); the document counts as unchanged.
    void Load(const TWPRtfStorage& text, int width, int height, float zoom);

    int PageWidthTwips() const { return m_pageWidthTwips; }
    int PageHeightTwips() const { return m_pageHeightTwips; }
    int ZoomPercent() const { return m_zoomPercent; }
    // The width the text is laid out on at 100 %: the page's cell painter's.
    int LayoutWidthTwips() const { return m_layoutWidthTwips; }
    static int LayoutWidthTwipsFor(int width, float zoom);
    static int PageTwipsFor(int pixels);

    // The text was changed (typed, formatted, a picture inserted) since Load.
    bool TextChanged() const;
    // Copies the editor's text into a store.
    void StoreInto(TWPRtfStorage& store) const;
    bool IsTextEmpty() const;
    // Inserts a picture at the cursor at its own size.
    bool InsertImage(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    qreal scale() const { return m_zoomPercent / 100.0; }
    void forwardMouse(QMouseEvent* event, void (QTextEdit::*handler)(QMouseEvent*));
    void fitScrollRanges();
    void restartBlink();

    int m_pageWidthTwips = 0;
    int m_pageHeightTwips = 0;
    int m_layoutWidthTwips = 0;
    int m_zoomPercent = 100;
    bool m_cursorOn = true;
    bool m_fittingRanges = false;
    QBasicTimer m_blink;
};

}  // namespace dayloom
