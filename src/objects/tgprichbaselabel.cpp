#include "objects/tgprichbaselabel.h"

#include <cmath>

#include <QPainter>
#include <QPointer>

#include "core/zoom.h"
#include "objects/enomasterwprich.h"
#include "objects/masterrichtextrenderer.h"
#include "objects/objectdialogs.h"
#include "objects/rtftextcontainer.h"
#include "richtext/twprtfstorage.h"

namespace dayloom {

TGPRichBaseLabel::TGPRichBaseLabel(QObject* parent)
    : TGGraphicControl(parent), m_store(std::make_unique<TWPRtfStorage>())
{
    m_container = new RtfTextContainer(m_store.get(), this);
    m_container->setObjectName(QStringLiteral("RTFText"));
    m_container->SetOnRead([this] { Repaint(); });
    SetBounds(QRect(0, 0, 190, 33));
}

TGPRichBaseLabel::~TGPRichBaseLabel()
{
    delete m_container;
    m_container = nullptr;
}

void TGPRichBaseLabel::SetRTFText(const TWPRtfStorage& text)
{
    if (&text != m_store.get())
        m_store->Assign(text);
    Repaint();
    ReportChange();
}

void TGPRichBaseLabel::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle || style < bsNone || style > bsSingle)
        return;
    m_borderStyle = style;
    Repaint();
    ReportChange();
}

void TGPRichBaseLabel::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Repaint();
}

void TGPRichBaseLabel::SetBGColor(TColor color)
{
    if (color == m_bgColor)
        return;
    m_bgColor = color;
    Repaint();
    ReportChange();
}

void TGPRichBaseLabel::Setup()
{
    m_master = MasterRichTextRenderer::Find(this);
    if (!m_master)
        throw ENoMasterWPRich();
}

void TGPRichBaseLabel::SetupAfterLoading()
{
    m_master = MasterRichTextRenderer::Find(this);
}

int TGPRichBaseLabel::PageWidthTwips(const PageMapping& mapping) const
{
    return PixelsToTwips(DeviceRect(mapping).width() / double(mapping.ObjectZoom), mapping.PagePPI);
}

int TGPRichBaseLabel::PageHeightTwips(const PageMapping& mapping) const
{
    return PixelsToTwips(DeviceRect(mapping).height() / double(mapping.ObjectZoom), mapping.PagePPI);
}

void TGPRichBaseLabel::PaintObject(QPainter& painter, const PageMapping& mapping, QSize size)
{
    if (!m_master)
        m_master = MasterRichTextRenderer::Find(this);
    if (!m_master || size.width() <= 0 || size.height() <= 0)
        return;
    const QRect r(QPoint(0, 0), size);
    if (!m_transparent)
        painter.fillRect(r, ToQColor(m_bgColor));
    if (!m_store->IsEmpty())
        m_master->Renderer().Paint(*m_store, painter, r, PageWidthTwips(mapping),
                                   mapping.ViewZoom().TruncatedPercent());
    if (m_borderStyle == bsSingle) {
        painter.save();
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(0, 0, size.width() - 1, size.height() - 1));
        painter.restore();
    }
}

void TGPRichBaseLabel::EditRichText()
{
    if (!ObjectDialogs().editRichText)
        return;
    QPointer<TGPRichBaseLabel> self(this);
    if (ObjectDialogs().editRichText(*this) && self)
        Repaint();
}

void TGPRichBaseLabel::ShowBackgroundColorDialog()
{
    TColor color = m_bgColor;
    if (ObjectDialogs().chooseColor && ObjectDialogs().chooseColor(color)) {
        SetBGColor(color);
        SetTransparent(false);
        Repaint();
    }
}

bool TGPRichBaseLabel::DoubleClickAction()
{
    EditRichText();
    return true;
}

void TGPRichBaseLabel::AppendMenuItems(MenuEntryList& m)
{
    m << MenuEntry::Separator();
    m << MenuEntry::CheckItem(QStringLiteral("Transparent"), [this] { SetTransparent(!Transparent()); });
    m << MenuEntry::Item(QStringLiteral("Background Color"), [this] { ShowBackgroundColorDialog(); });
    m << MenuEntry::CheckItem(QStringLiteral("Border"),
                              [this] { SetBorderStyle(BorderStyle() == bsSingle ? bsNone : bsSingle); });
    m << MenuEntry::Item(QStringLiteral("Edit"), [this] { EditRichText(); });
}

void TGPRichBaseLabel::UpdateMenu(MenuEntryList& m)
{
    CheckMenuItem(m, QStringLiteral("Transparent"), m_transparent);
    CheckMenuItem(m, QStringLiteral("Border"), m_borderStyle == bsSingle);
}

}  // namespace dayloom
