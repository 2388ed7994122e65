#include "objects/tgbasepanel.h"

#include <cmath>

#include <QFile>
#include <QPainter>

#include "core/fileaccess.h"
#include "core/readerror.h"
#include "core/screen.h"
#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/pageobjectclasses.h"
#include "objects/tggraphiccontrol.h"
#include "objects/tghandle.h"
#include "stream/componentregistry.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace dayloom {

namespace {

constexpr qint64 kPasteInterval = 1000;

// The band includes its right and bottom edge; object bounds do not.
bool touchesBand(const QRect& object, const QRect& band)
{
    const int l = band.left(), t = band.top(), r = band.left() + band.width(), b = band.top() + band.height();
    return object.left() <= r && object.left() + object.width() > l && object.top() <= b &&
           object.top() + object.height() > t;
}

}  // namespace

TGBasePanel::TGBasePanel(QObject* parent)
    : QObject(parent), m_view(PageMapping::Screen(Zoom(), ScreenPPI()))
{
    m_handle = new TGHandle(this);
    m_font = new TFont(this);
    m_handle->SetGridX(8);
    m_handle->SetGridY(8);
    m_handle->SetSnapToGrid(false);
}

TGBasePanel::~TGBasePanel()
{
    // Objects are children and go with the container; drop the lists first
    // so nothing looks at half-destroyed entries.
    m_destroying = true;
    m_objects.clear();
}

ComponentRegistry& TGBasePanel::Registry() const
{
    if (m_registry)
        return *m_registry;
    ComponentRegistry& global = ComponentRegistry::Global();
    RegisterPageObjectClasses(global);
    return global;
}

void TGBasePanel::SetView(const PageMapping& view)
{
    if (view == m_view)
        return;
    m_view = view;
    m_handle->Refit();
    Q_EMIT RepaintRequested();
}

void TGBasePanel::SetPanelState(TLPanelState state)
{
    if (state == m_panelState)
        return;
    m_panelState = state;
    m_pointing = state == psPointing;
    Q_EMIT CursorRequested(m_pointing ? Qt::ArrowCursor : Qt::DragMoveCursor);
}

// ---- grid ------------------------------------------------------------------------

void TGBasePanel::SetGridSize(TGridSize size)
{
    if (size != gs4x4 && size != gs8x8)
        return;
    m_gridSize = size;
    const int step = size == gs4x4 ? 4 : 8;
    const bool snap = m_handle->SnapToGrid();
    m_handle->SetGridX(step);
    m_handle->SetGridY(step);
    m_handle->SetSnapToGrid(snap || m_handle->StepX() > 1);
}

bool TGBasePanel::SnapToGrid() const
{
    return m_handle->SnapToGrid();
}

void TGBasePanel::SetSnapToGrid(bool snap)
{
    if (snap) {
        const int step = m_gridSize == gs4x4 ? 4 : 8;
        m_handle->SetGridX(step);
        m_handle->SetGridY(step);
    }
    m_handle->SetSnapToGrid(snap);
}

void TGBasePanel::SetShowGrid(bool show)
{
    if (show == m_showGrid)
        return;
    m_showGrid = show;
    RequestRepaint();
}

// ---- objects ----------------------------------------------------------------------

void TGBasePanel::AddObject(TGGraphicControl* object)
{
    if (!object || m_objects.contains(object))
        return;
    object->setParent(this);
    m_objects.append(object);
    connect(object, &QObject::destroyed, this, [this](QObject* o) {
        m_objects.removeIf([o](TGGraphicControl* c) { return static_cast<QObject*>(c) == o; });
        m_handle->Forget(o);
    });
    RequestRepaint();
}

void TGBasePanel::DeleteObject(TGGraphicControl* object)
{
    if (!m_objects.removeAll(object))
        return;
    m_handle->Remove(object);
    delete object;
    RequestRepaint();
}

void TGBasePanel::DeleteAllObjects()
{
    m_handle->Clear();
    const QList<TGGraphicControl*> objects = m_objects;
    m_objects.clear();
    qDeleteAll(objects);
    RequestRepaint();
}

bool TGBasePanel::HasObjectOfClass(const char* className) const
{
    // The class as documents name it ("TGSuperText") or as C++ does
    // ("dayloom::TGSuperText").
    const QByteArray wanted(className);
    for (const TGGraphicControl* o : m_objects)
        for (const QMetaObject* m = o->metaObject(); m; m = m->superClass()) {
            const QByteArray name(m->className());
            if (name == wanted || name.mid(name.lastIndexOf(':') + 1) == wanted)
                return true;
        }
    return false;
}

bool TGBasePanel::ObjectAtPoint(QPoint point) const
{
    return TopObjectAt(point) != nullptr;
}

TGGraphicControl* TGBasePanel::TopObjectAt(QPoint point) const
{
    for (auto it = m_objects.crbegin(); it != m_objects.crend(); ++it)
        if ((*it)->ViewRect().contains(point))
            return *it;
    return nullptr;
}

QString TGBasePanel::UniqueName(const QString& prefix, int from, int to) const
{
    for (int n = from; n <= to; ++n) {
        const QString name = prefix + QString::number(n);
        bool taken = false;
        if (m_nameInUse)
            taken = m_nameInUse(name);
        if (!taken)
            for (const TGGraphicControl* o : m_objects)
                if (o->objectName().compare(name, Qt::CaseInsensitive) == 0) {
                    taken = true;
                    break;
                }
        if (!taken)
            return name;
    }
    return QString();
}

void TGBasePanel::PlaceObject(TGGraphicControl* object, const QRect& bounds)
{
    object->setObjectName(UniqueName(QStringLiteral("Special"), 1, 1000));
    object->setParent(this);
    object->SetBounds(
        m_view.UnmapObject(QRect(bounds.left(), bounds.top(), qMax(bounds.width(), 10), qMax(bounds.height(), 15))));
    AddObject(object);
    NotifyChange(object);
}

void TGBasePanel::KeepObjectsOnPage()
{
    m_handle->Clear();
    const QSize size = ViewSize();
    const int w = size.width(), h = size.height();
    for (TGGraphicControl* o : m_objects) {
        QRect b = o->ViewRect();
        if (b.top() > h - 10)
            b.moveTop(h - 10);
        if (b.left() > w - 20)
            b.moveLeft(w - 20);
        o->SetViewRect(b);
    }
    RequestRepaint();
}

void TGBasePanel::RemoveObjectsOffPage()
{
    m_handle->Clear();
    const QSize size = ViewSize();
    const int w = size.width(), h = size.height();
    QList<TGGraphicControl*> doomed;
    for (TGGraphicControl* o : m_objects) {
        const QRect b = o->ViewRect();
        if (b.top() > h - 10 || b.left() > w - 10 || b.width() < 1 || b.height() < 1)
            doomed << o;
    }
    for (TGGraphicControl* o : doomed)
        DeleteObject(o);
}

// ---- selection --------------------------------------------------------------------

void TGBasePanel::SelectInRect(const QRect& rect, bool toggle)
{
    if (!toggle)
        m_handle->Clear();
    for (TGGraphicControl* o : m_objects) {
        if (!touchesBand(o->ViewRect(), rect))
            continue;
        if (toggle && m_handle->Contains(o))
            m_handle->Remove(o);
        else
            m_handle->Add(o);
    }
}

void TGBasePanel::RequestHandleRefit()
{
    m_handle->RequestRefit();
}

// ---- commands ---------------------------------------------------------------------

void TGBasePanel::BringToFront()
{
    for (TGGraphicControl* o : m_handle->Selection())
        BringObjectToFront(o);
}

void TGBasePanel::SendToBack()
{
    const QList<TGGraphicControl*> selection = m_handle->Selection();
    for (auto it = selection.crbegin(); it != selection.crend(); ++it) {
        NotifyChange(*it);
        m_objects.removeAll(*it);
        m_objects.prepend(*it);
    }
    m_handle->Clear();
    RequestRepaint();
}

// The alignment commands work on what the view shows: the edges line up on
// the screen, and each moved edge goes back into page pixels.
namespace {

struct Shown {
    TGGraphicControl* object;
    QRect rect;
};

QList<Shown> shown(const QList<TGGraphicControl*>& objects)
{
    QList<Shown> out;
    for (TGGraphicControl* o : objects)
        out.append({o, o->ViewRect()});
    return out;
}

}  // namespace

void TGBasePanel::AlignLefts()
{
    const QList<Shown> s = shown(m_handle->Selection());
    if (s.isEmpty())
        return;
    int left = s.first().rect.left();
    for (const Shown& o : s)
        left = qMin(left, o.rect.left());
    for (const Shown& o : s)
        o.object->SetViewRect(QRect(left, o.rect.top(), o.rect.width(), o.rect.height()));
}

void TGBasePanel::AlignRights()
{
    const QList<Shown> s = shown(m_handle->Selection());
    if (s.isEmpty())
        return;
    int right = s.first().rect.left() + s.first().rect.width();
    for (const Shown& o : s)
        right = qMax(right, o.rect.left() + o.rect.width());
    for (const Shown& o : s)
        o.object->SetViewRect(QRect(right - o.rect.width(), o.rect.top(), o.rect.width(), o.rect.height()));
}

void TGBasePanel::AlignTops()
{
    const QList<Shown> s = shown(m_handle->Selection());
    if (s.isEmpty())
        return;
    int top = s.first().rect.top();
    for (const Shown& o : s)
        top = qMin(top, o.rect.top());
    for (const Shown& o : s)
        o.object->SetViewRect(QRect(o.rect.left(), top, o.rect.width(), o.rect.height()));
}

void TGBasePanel::AlignBottoms()
{
    const QList<Shown> s = shown(m_handle->Selection());
    if (s.isEmpty())
        return;
    int bottom = s.first().rect.top() + s.first().rect.height();
    for (const Shown& o : s)
        bottom = qMax(bottom, o.rect.top() + o.rect.height());
    for (const Shown& o : s)
        o.object->SetViewRect(QRect(o.rect.left(), bottom - o.rect.height(), o.rect.width(), o.rect.height()));
}

void TGBasePanel::CenterVertically()
{
    for (TGGraphicControl* o : m_handle->Selection())
        CenterObjectVertically(o);
    RequestRepaint();
}

void TGBasePanel::CenterHorizontally()
{
    for (TGGraphicControl* o : m_handle->Selection())
        CenterObjectHorizontally(o);
    RequestRepaint();
}

void TGBasePanel::LockAll(bool locked)
{
    for (TGGraphicControl* o : m_objects)
        o->SetLocked(locked);
}

void TGBasePanel::MarkAllUnselectable(bool unselectable)
{
    for (TGGraphicControl* o : m_objects)
        o->SetUnselectable(unselectable);
}

void TGBasePanel::SelectAll()
{
    m_handle->Clear();
    for (TGGraphicControl* o : m_objects)
        m_handle->Add(o);
}

void TGBasePanel::ChooseFont()
{
    TFont font;
    font.Assign(*m_font);
    if (ObjectDialogs().chooseFont && ObjectDialogs().chooseFont(font)) {
        m_font->Assign(font);
        for (TGGraphicControl* o : m_handle->Selection())
            o->ApplyFont(font);
    }
    RequestRepaint();
}

QString TGBasePanel::ClipboardPath() const
{
    return ProgramDir() + QStringLiteral("Clipbrd.tmp");
}

bool TGBasePanel::writeObjects(const QString& path, const QList<TGGraphicControl*>& objects) const
{
    QByteArray bytes;
    try {
        ValueWriter writer(&bytes);
        writer.SetRegistry(&Registry());
        writer.WriteListBegin();
        for (const TGGraphicControl* o : objects)
            writer.WriteRootComponent(o);
        writer.WriteListEnd();
        writer.Flush();
    } catch (const std::exception&) {
        return false;
    }
    return SaveFileContents(path, bytes);
}

QList<TGGraphicControl*> TGBasePanel::readObjects(const QString& path)
{
    QList<TGGraphicControl*> read;
    // One change is reported for the whole paste or clone, by the caller.
    const bool wasReading = std::exchange(m_readingWorkFile, true);
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{m_readingWorkFile, wasReading};
    QByteArray data;
    if (ReadInputFile(path, InputKind::Document, &data) != InputFault::None)
        return read;
    ValueReader reader(data);
    reader.SetRegistry(&Registry());
    reader.SetNameHandler([this](QObject*, QString& name) {
        name = UniqueName(QStringLiteral("Component"), 0, 1000);
    });
    try {
        reader.ReadListBegin();
        reader.ReadComponents(this, this, [this, &read](QObject* component) {
            if (auto* o = qobject_cast<TGGraphicControl*>(component)) {
                AddObject(o);
                read << o;
            } else {
                delete component;
            }
        });
    } catch (const ReadError&) {
        // A damaged work file yields what was read before the damage.
    }
    return read;
}

void TGBasePanel::CopySelection()
{
    if (m_handle->Selection().isEmpty())
        return;
    writeObjects(ClipboardPath(), m_handle->Selection());
}

void TGBasePanel::CutSelection()
{
    // The objects stay when they could not be put on the clipboard.
    if (m_handle->Selection().isEmpty() || !writeObjects(ClipboardPath(), m_handle->Selection()))
        return;
    DeleteSelection();
}

void TGBasePanel::deleteObjects(const QList<TGGraphicControl*>& objects)
{
    for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
        m_handle->Remove(*it);
        NotifyChange(*it);
        DeleteObject(*it);
    }
}

void TGBasePanel::DeleteSelection()
{
    deleteObjects(m_handle->Selection());
}

void TGBasePanel::Paste(qint64 now)
{
    if (now < 0)
        now = TickCount();
    if (m_lastPaste && now - *m_lastPaste < kPasteInterval)
        return;
    m_lastPaste = now;
    if (!QFile::exists(ClipboardPath()))
        return;
    const QList<TGGraphicControl*> pasted = readObjects(ClipboardPath());
    RequestRepaint();
    if (!pasted.isEmpty())
        NotifyChange(pasted.last());
}

bool TGBasePanel::CanPaste() const
{
    return QFile::exists(ClipboardPath());
}

QList<TGGraphicControl*> TGBasePanel::targetsFor(TGGraphicControl* object) const
{
    if (m_handle->Contains(object))
        return m_handle->Selection();
    return {object};
}

void TGBasePanel::BringObjectToFront(TGGraphicControl* object)
{
    if (!m_objects.contains(object))
        return;
    NotifyChange(object);
    m_objects.removeAll(object);
    m_objects.append(object);
    RequestRepaint();
}

void TGBasePanel::SendObjectToBack(TGGraphicControl* object)
{
    if (!m_objects.contains(object))
        return;
    NotifyChange(object);
    m_objects.removeAll(object);
    m_objects.prepend(object);
    m_handle->Clear();
    RequestRepaint();
}

void TGBasePanel::CutObject(TGGraphicControl* object)
{
    const QList<TGGraphicControl*> targets = targetsFor(object);
    if (!writeObjects(ClipboardPath(), targets))
        return;  // keep the objects when they could not be saved
    deleteObjects(targets);
}

void TGBasePanel::CopyObject(TGGraphicControl* object)
{
    writeObjects(ClipboardPath(), targetsFor(object));
}

void TGBasePanel::DeleteObjectCommand(TGGraphicControl* object)
{
    deleteObjects(targetsFor(object));
}

TGGraphicControl* TGBasePanel::Clone(TGGraphicControl* object)
{
    if (!m_objects.contains(object))
        return nullptr;
    const QString work = ProgramDir() + QStringLiteral("TempFile.tmp");
    QList<TGGraphicControl*> read;
    if (writeObjects(work, {object})) {
        read = readObjects(work);
        QFile::remove(work);
    }
    if (read.isEmpty())
        return nullptr;
    TGGraphicControl* clone = read.last();
    // 25 pixels lower on the view.
    clone->SetViewRect(clone->ViewRect().translated(0, 25));
    BringObjectToFront(clone);
    if (m_handle->Contains(object)) {
        m_handle->Remove(object);
        m_handle->Add(clone);
    }
    RequestRepaint();
    NotifyChange(clone);
    return clone;
}

void TGBasePanel::CenterObjectVertically(TGGraphicControl* object)
{
    const QRect r = object->ViewRect();
    object->SetViewRect(QRect(r.left(), ViewSize().height() / 2 - r.height() / 2, r.width(), r.height()));
    RequestRepaint();
}

void TGBasePanel::CenterObjectHorizontally(TGGraphicControl* object)
{
    const QRect r = object->ViewRect();
    object->SetViewRect(QRect(ViewSize().width() / 2 - r.width() / 2, r.top(), r.width(), r.height()));
    RequestRepaint();
}

// ---- menus ---------------------------------------------------------------------------

MenuEntryList TGBasePanel::ContainerMenu()
{
    const bool any = !m_handle->Selection().isEmpty();
    MenuEntryList m;
    auto add = [&m](const char* caption, bool enabled, std::function<void()> action) {
        MenuEntry item = MenuEntry::Item(QString::fromLatin1(caption), std::move(action));
        item.enabled = enabled;
        m << item;
    };
    auto sep = [&m] { m << MenuEntry::Separator(); };
    add("Bring To Front", any, [this] { BringToFront(); });
    add("Send To Back", any, [this] { SendToBack(); });
    sep();
    add("Cut", any, [this] { CutSelection(); });
    add("Copy", any, [this] { CopySelection(); });
    add("Paste", CanPaste(), [this] { Paste(); });
    sep();
    add("Delete", any, [this] { DeleteSelection(); });
    sep();
    add("Align Left", any, [this] { AlignLefts(); });
    add("Align Right", any, [this] { AlignRights(); });
    add("Align Tops", any, [this] { AlignTops(); });
    add("Align Bottoms", any, [this] { AlignBottoms(); });
    sep();
    add("Center Vertically", any, [this] { CenterVertically(); });
    add("Center Horizontally", any, [this] { CenterHorizontally(); });
    sep();
    add("Lock All", true, [this] { LockAll(true); });
    add("Unlock All", true, [this] { LockAll(false); });
    sep();
    add("Mark All Selectable", true, [this] { MarkAllUnselectable(false); });
    add("Mark All Unselectable", true, [this] { MarkAllUnselectable(true); });
    add("Select All", true, [this] { SelectAll(); });
    sep();
    add("Font", any, [this] { ChooseFont(); });
    return m;
}

void TGBasePanel::ShowObjectMenu(TGGraphicControl* object, QPoint containerPoint)
{
    if (m_menuPresenter && object)
        m_menuPresenter(object->PopupMenu(), containerPoint);
}

void TGBasePanel::ShowContainerMenu(QPoint containerPoint)
{
    if (m_menuPresenter)
        m_menuPresenter(ContainerMenu(), containerPoint);
}

// ---- input -------------------------------------------------------------------------------

void TGBasePanel::MousePress(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time)
{
    m_capture = Capture::None;
    if (m_handle->Visible() && m_handle->Bounds().contains(point)) {
        m_capture = Capture::Handle;
        m_handle->MouseDown(point - m_handle->Bounds().topLeft(), button, modifiers, time);
        return;
    }
    if (TGGraphicControl* o = TopObjectAt(point)) {
        objectMouseDown(o, point, button, modifiers, time);
        return;
    }
    ContainerMouseDown(point, button, modifiers, time);
}

void TGBasePanel::objectMouseDown(TGGraphicControl* object, QPoint point, Qt::MouseButton button,
                                  Qt::KeyboardModifiers modifiers, qint64 time)
{
    if (!m_pointing || object->Unselectable() || m_selectionDisabled) {
        ContainerMouseDown(point, button, modifiers, time);
        return;
    }
    if (!(modifiers & Qt::ShiftModifier))
        m_handle->Clear();
    m_handle->Add(object);
    if (button == Qt::RightButton) {
        if (m_handle->Count() == 1)
            ShowObjectMenu(object, point);
        return;
    }
    if (button == Qt::LeftButton) {
        m_capture = Capture::Handle;
        m_handle->TakePress(point - m_handle->Bounds().topLeft(), time);
    }
}

void TGBasePanel::ContainerMouseDown(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers, qint64)
{
    m_band = QRect(point, point);
    if (button == Qt::RightButton) {
        ShowContainerMenu(point);
        return;
    }
    if (button == Qt::LeftButton) {
        m_banding = true;
        m_capture = Capture::Container;
        Q_EMIT CursorRequested(Qt::PointingHandCursor);
    }
}

void TGBasePanel::MouseMove(QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers, qint64 time)
{
    switch (m_capture) {
    case Capture::Handle:
        m_handle->MouseMove(point - m_handle->Bounds().topLeft(), buttons, time);
        return;
    case Capture::Container:
        if (m_banding && m_band.bottomRight() != point) {
            m_band.setBottomRight(point);
            RequestRepaint();
        }
        return;
    case Capture::None:
        if (m_handle->Visible() && m_handle->Bounds().contains(point))
            m_handle->MouseMove(point - m_handle->Bounds().topLeft(), buttons, time);
        else
            RequestObjectCursor(Qt::ArrowCursor);
        return;
    }
}

void TGBasePanel::MouseRelease(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time)
{
    const Capture capture = std::exchange(m_capture, Capture::None);
    if (capture == Capture::Handle) {
        m_handle->MouseUp(point - m_handle->Bounds().topLeft(), button, time);
        return;
    }
    if (capture != Capture::Container || !m_banding)
        return;
    m_band.setBottomRight(point);
    const QRect band = m_band.normalized();
    // Right and bottom edges lie outside: a drag of n pixels is n wide.
    const QRect rect(band.left(), band.top(), band.width() - 1, band.height() - 1);
    m_banding = false;
    RequestRepaint();
    if (m_pointing) {
        SelectInRect(rect, modifiers & Qt::ShiftModifier);
        Q_EMIT CursorRequested(Qt::ArrowCursor);
    } else {
        CreateObjectInRect(rect);
        Q_EMIT DroppedObjectEvent(rect);
    }
}

void TGBasePanel::MouseDoubleClick(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                   qint64 time)
{
    if (button == Qt::LeftButton && m_handle->Visible() && m_handle->Bounds().contains(point)) {
        m_capture = Capture::None;
        m_handle->DoubleClick(point - m_handle->Bounds().topLeft());
        return;
    }
    MousePress(point, button, modifiers, time);
}

bool TGBasePanel::KeyPress(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (ctrl && key == Qt::Key_C) {
        CopySelection();
        return true;
    }
    if (ctrl && key == Qt::Key_V) {
        Paste();
        return true;
    }
    if (ctrl && key == Qt::Key_X) {
        CutSelection();
        return true;
    }
    if (key == Qt::Key_Delete) {
        DeleteSelection();
        return true;
    }
    return m_handle->KeyDown(key, modifiers);
}

bool TGBasePanel::KeyRelease(int key, Qt::KeyboardModifiers)
{
    return m_handle->KeyUp(key);
}

// ---- painting ------------------------------------------------------------------------------

void TGBasePanel::PaintObjects(QPainter& painter, const PageMapping& mapping)
{
    for (TGGraphicControl* o : m_objects) {
        painter.save();
        o->Paint(painter, mapping);
        painter.restore();
    }
}

void TGBasePanel::PaintHandles(QPainter& painter) const
{
    m_handle->Paint(painter);
}

void TGBasePanel::PaintOverlay(QPainter& painter) const
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter.setPen(pen);
    const QRect outline = m_handle->Outline();
    if (!outline.isNull())
        painter.drawRect(outline.adjusted(0, 0, -1, -1));
    if (m_banding)
        painter.drawRect(m_band.normalized().adjusted(0, 0, -1, -1));
    painter.restore();
}

// ---- notifications ------------------------------------------------------------------------------

void TGBasePanel::NotifyChange(QObject* sender)
{
    if (m_loadingDocument || m_destroying || m_readingWorkFile)
        return;
    Q_EMIT LabelChangedEvent(sender);
}

void TGBasePanel::RequestRepaint()
{
    if (!m_destroying)
        Q_EMIT RepaintRequested();
}

void TGBasePanel::RequestObjectCursor(Qt::CursorShape shape)
{
    if (shape == m_objectCursor)
        return;
    m_objectCursor = shape;
    Q_EMIT ObjectCursorRequested(shape);
}

void TGBasePanel::SetSize(QSize size)
{
    if (size == m_size)
        return;
    m_size = size;
    Q_EMIT SizeChanged(size);
}

}  // namespace dayloom
