#pragma once

#include <memory>

#include "core/tcolor.h"
#include "objects/objecttypes.h"
#include "objects/tggraphiccontrol.h"

namespace dayloom {

class MasterRichTextRenderer;
class RtfTextContainer;
class TWPRtfStorage;

// A free text box holding formatted text (RTF), painted by the owner's
// shared renderer and laid out on a page width that stays the same at
// every zoom.
class TGPRichBaseLabel : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGPRichBaseLabel(QObject* parent = nullptr);
    ~TGPRichBaseLabel() override;

    // The formatted text; the setter copies the whole document, repaints and
    // reports a change.
    const TWPRtfStorage& RTFText() const { return *m_store; }
    void SetRTFText(const TWPRtfStorage& text);
    RtfTextContainer* RTFTextContainer() const { return m_container; }

    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    TColor BGColor() const { return m_bgColor; }
    void SetBGColor(TColor color);

    // Finds the owner's shared renderer; ENoMasterWPRich when there is none.
    void Setup();
    MasterRichTextRenderer* Master() const { return m_master; }

    // The layout page in twips on a device: the label's size there divided
    // by the zoom, at the page's pixels per inch; it stays the same at every
    // zoom. Without a mapping, on the container's view.
    int PageWidthTwips(const PageMapping& mapping) const;
    int PageHeightTwips(const PageMapping& mapping) const;
    int PageWidthTwips() const { return PageWidthTwips(View()); }
    int PageHeightTwips() const { return PageHeightTwips(View()); }
    // The zoom percentage the text is drawn at on the view.
    int ZoomPercent() const { return View().ViewZoom().TruncatedPercent(); }

    // The editor dialog; on OK the text is replaced.
    void EditRichText();
    void ShowBackgroundColorDialog();

    bool DoubleClickAction() override;
    void PaintObject(QPainter& painter, const PageMapping& mapping, QSize size) override;
    void UpdateMenu(MenuEntryList& menu) override;

protected:
    void AppendMenuItems(MenuEntryList& menu) override;
    void SetupAfterLoading() override;

private:
    std::unique_ptr<TWPRtfStorage> m_store;
    RtfTextContainer* m_container;
    MasterRichTextRenderer* m_master = nullptr;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_transparent = true;
    TColor m_bgColor = 0xFFFFFF;
};

}  // namespace dayloom
