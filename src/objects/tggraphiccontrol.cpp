#include "objects/tggraphiccontrol.h"

#include <cmath>

#include <QPainter>

#include "core/screen.h"
#include "core/tcolor.h"
#include "core/tfont.h"
#include "objects/tgbasepanel.h"
#include "objects/tghandle.h"

namespace dayloom {

TGGraphicControl::TGGraphicControl(QObject* parent) : QObject(parent) {}

TGGraphicControl::~TGGraphicControl() = default;

void TGGraphicControl::SetBounds(const QRect& bounds)
{
    if (bounds == m_bounds)
        return;
    m_bounds = bounds;
    if (!m_loading)
        BoundsChanged();
}

void TGGraphicControl::BoundsChanged()
{
    if (m_busy)
        return;
    m_busy = true;
    if (m_bounds != m_lastBounds) {
        m_lastBounds = m_bounds;
        ReportChange();
        if (TGBasePanel* c = Container())
            c->RequestHandleRefit();
    }
    Repaint();
    m_busy = false;
}

void TGGraphicControl::SetLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    ReportChange();
}

void TGGraphicControl::SetUnselectable(bool unselectable)
{
    if (unselectable == m_unselectable)
        return;
    m_unselectable = unselectable;
    ReportChange();
}

QRect TGGraphicControl::DeviceRect(const PageMapping& mapping) const
{
    return mapping.MapObject(m_bounds);
}

PageMapping TGGraphicControl::View() const
{
    if (const TGBasePanel* c = Container())
        return c->View();
    return PageMapping::Screen(Zoom(), ScreenPPI());
}

QRect TGGraphicControl::ViewRect() const
{
    return DeviceRect(View());
}

void TGGraphicControl::SetViewRect(const QRect& rect)
{
    const PageMapping view = View();
    // A size the object adjusts on the view (a label's) counts from what
    // the view shows.
    const QRect shown = DeviceRect(view);
    const QRect mapped = view.MapObject(m_bounds);
    QRect edit = rect;
    if (rect.width() == shown.width())
        edit.setWidth(mapped.width());
    if (rect.height() == shown.height())
        edit.setHeight(mapped.height());
    SetBounds(view.UnmapObjectEdit(edit, m_bounds));
}

TGBasePanel* TGGraphicControl::Container() const
{
    return qobject_cast<TGBasePanel*>(parent());
}

bool TGGraphicControl::Selected() const
{
    const TGBasePanel* c = Container();
    return c && c->Handle()->Contains(this);
}

void TGGraphicControl::Paint(QPainter& painter, const PageMapping& mapping)
{
    if (mapping.OnPaper) {
        const PageMapping recording = mapping.Recording();
        const QRect r = DeviceRect(recording);
        if (r.width() < 1 || r.height() < 1)
            return;
        const QRectF target = mapping.MapExact(r);
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / r.width(), target.height() / r.height());
        if (ClipToBoundsOnPaper())
            painter.setClipRect(QRect(0, 0, r.width(), r.height()), Qt::IntersectClip);
        PaintObject(painter, recording, r.size());
        painter.restore();
        return;
    }
    const QRect r = DeviceRect(mapping);
    painter.save();
    painter.translate(r.left() + mapping.OffsetX, r.top() + mapping.OffsetY);
    PaintObject(painter, mapping, r.size());
    painter.restore();
}

void TGGraphicControl::DrawHandles(QPainter& painter) const
{
    const TGBasePanel* c = Container();
    if (!c)
        return;
    const TGHandle* h = c->Handle();
    if (!h->Contains(this))
        return;
    const QRect v = ViewRect();
    const bool single = h->Count() == 1;
    const QColor fill = ToQColor(single ? h->Color() : h->SecondaryColor());
    // O: the bounds grown by 2 on every side, right and bottom outside.
    const int ol = v.left() - 2, ot = v.top() - 2, orr = v.left() + v.width() + 2, ob = v.top() + v.height() + 2;
    const int ow = orr - ol, oh = ob - ot;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    auto square = [&](int x, int y) { painter.drawRect(QRect(x, y, 5, 5)); };
    square(ol, ot);
    square(orr - 5, ot);
    square(ol, ob - 5);
    square(orr - 5, ob - 5);
    if (single) {
        const int mx = ol + int(std::trunc(0.5 * ow)) - 2;
        const int my = ot + int(std::trunc(0.5 * oh)) - 2;
        square(mx, ot);
        square(mx, ob - 5);
        square(ol, my);
        square(orr - 5, my);
    }
    painter.restore();
}

MenuEntryList TGGraphicControl::PopupMenu()
{
    MenuEntryList m;
    auto item = [this, &m](const char* caption, void (TGBasePanel::*command)(TGGraphicControl*)) {
        m << MenuEntry::Item(QString::fromLatin1(caption), [this, command] {
            if (TGBasePanel* c = Container())
                (c->*command)(this);
        });
    };
    item("Bring To Front", &TGBasePanel::BringObjectToFront);
    item("Send To Back", &TGBasePanel::SendObjectToBack);
    item("Cut", &TGBasePanel::CutObject);
    item("Copy", &TGBasePanel::CopyObject);
    item("Delete", &TGBasePanel::DeleteObjectCommand);
    m << MenuEntry::Item(QStringLiteral("Clone"), [this] {
        if (TGBasePanel* c = Container())
            c->Clone(this);
    });
    m << MenuEntry::Separator();
    MenuEntry locked = MenuEntry::CheckItem(QStringLiteral("Locked"), [this] { SetLocked(!Locked()); });
    locked.checked = m_locked;
    m << locked;
    m << MenuEntry::Item(QStringLiteral("Unselectable"), [this] {
        SetUnselectable(true);
        if (TGBasePanel* c = Container())
            c->Handle()->Remove(this);
    });
    m << MenuEntry::Separator();
    item("Center Vertically", &TGBasePanel::CenterObjectVertically);
    item("Center Horizontally", &TGBasePanel::CenterObjectHorizontally);
    AppendMenuItems(m);
    UpdateMenu(m);
    return m;
}

QFont TGGraphicControl::ZoomedFont(const TFont& font, const PageMapping& mapping)
{
    QFont f = font.ToQFont(1.0);
    int points = font.Size();
    if (mapping.FontZoom != 1.0)
        points = int(std::trunc(double(points) * mapping.FontZoom));
    points = qMax(1, qAbs(points));
    f.setPixelSize(qMax(1, int(std::lround(points * mapping.FontPPI / 72.0))));
    return f;
}

void TGGraphicControl::ReportChange()
{
    if (m_loading)
        return;
    Q_EMIT Changed();
    if (TGBasePanel* c = Container())
        c->NotifyChange(this);
}

void TGGraphicControl::Repaint() const
{
    if (TGBasePanel* c = Container())
        c->RequestRepaint();
}

void TGGraphicControl::Loading()
{
    m_loading = true;
}

void TGGraphicControl::Loaded()
{
    m_loading = false;
    m_lastBounds = m_bounds;
    SetupAfterLoading();
}

}  // namespace dayloom
