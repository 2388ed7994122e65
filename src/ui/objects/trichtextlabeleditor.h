#pragma once

#include <QDialog>

class QFrame;
class QScrollArea;
class QTextEdit;
class QToolButton;

namespace dayloom {

class RichTextToolBar;
class TWPRtfStorage;

// "Rich Text Editor": the rich-text editor of a rich-text label, on a panel
// of the label's size, with the formatting tool bar and two zoom buttons.
class TRichTextLabelEditor : public QDialog {
    Q_OBJECT
public:
    explicit TRichTextLabelEditor(QWidget* parent = nullptr);
    ~TRichTextLabelEditor() override;

    void SetText(const TWPRtfStorage& text);
    // The edited text as a store.
    void TakeText(TWPRtfStorage& into) const;

    // The editing panel's size (the label's on-screen size plus one pixel).
    void SetPanelSize(QSize size);
    QSize PanelSize() const;
    void SetPanelColor(const QColor& color);
    // Line breaking happens at this page width.
    void SetPageWidthTwips(int twips);
    int Zoom() const { return m_zoom; }
    void SetZoom(int percent);
    // 10 more up to 100 / 10 less down to 50; the panel follows.
    void ZoomIn();
    void ZoomOut();
    // Remembers the panel size and the zoom as the base of the zoom buttons
    // (done when the dialog is shown).
    void Activate();

    QTextEdit* Editor() const { return m_editor; }
    RichTextToolBar* ToolBar() const { return m_toolBar; }
    QToolButton* ZoomInButton() const { return m_zoomIn; }
    QToolButton* ZoomOutButton() const { return m_zoomOut; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void resizePanel();
    void layoutText();
    // Brings the shown text to m_zoom: the editor holds a copy of the text
    // scaled by the zoom, taken back to 100 % by TakeText.
    void scaleText();

    RichTextToolBar* m_toolBar;
    QToolButton* m_zoomIn;
    QToolButton* m_zoomOut;
    QScrollArea* m_scroll;
    QFrame* m_panel;
    QTextEdit* m_editor;
    int m_zoom = 100;
    int m_textZoom = 100;  // the zoom the editor's document is scaled to
    int m_baseZoom = 100;
    QSize m_baseSize;
    int m_pageWidthTwips = 0;
    bool m_activated = false;
};

}  // namespace dayloom
