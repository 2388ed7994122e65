#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "core/pagemapping.h"
#include "objects/menuentry.h"
#include "objects/tlpanelstate.h"

class QPainter;

namespace dayloom {

class ComponentRegistry;
class TFont;
class TGGraphicControl;
class TGHandle;

enum TGridSize : int { gs4x4 = 0, gs8x8 };

// The container of page objects: tool mode, the objects in child order (back
// to front), their selection handle, the rubber band, the object clipboard
// and the commands of the popup menus. It has no widget and no zoom of its
// own: a host widget shows it through a view (the mapping of the zoom it
// shows the page at), paints it, forwards mouse and keys (view pixels,
// millisecond timestamps) and follows SizeChanged / CursorRequested. Objects
// keep their page-pixel geometry whatever the view; what the user does on
// the view goes back into page pixels through it.
class TGBasePanel : public QObject {
    Q_OBJECT
public:
    explicit TGBasePanel(QObject* parent = nullptr);
    ~TGBasePanel() override;

    // ---- view and tool mode ------------------------------------------------
    // How the host shows the container (zoom 1 until it says otherwise). The
    // host sets it when its zoom changes; the selection follows.
    const PageMapping& View() const { return m_view; }
    void SetView(const PageMapping& view);
    // Set while a document is read: no change notifications.
    bool LoadingDocument() const { return m_loadingDocument; }
    void SetLoadingDocument(bool loading) { m_loadingDocument = loading; }

    bool Pointing() const { return m_pointing; }
    TLPanelState PanelState() const { return m_panelState; }
    // On change: stores it, Pointing() becomes true exactly for psPointing,
    // and the cursor for the mode is requested.
    virtual void SetPanelState(TLPanelState state);

    // Size of the container in page pixels, and as the view shows it.
    QSize Size() const { return m_size; }
    QSize ViewSize() const { return m_view.MapSize(m_size); }

    // ---- grid ------------------------------------------------------------------
    TGridSize GridSize() const { return m_gridSize; }
    void SetGridSize(TGridSize size);
    bool SnapToGrid() const;
    void SetSnapToGrid(bool snap);
    bool ShowGrid() const { return m_showGrid; }
    void SetShowGrid(bool show);
    bool DrawOutline() const { return m_drawOutline; }
    void SetDrawOutline(bool draw) { m_drawOutline = draw; }
    bool Printing() const { return m_printing; }
    void SetPrinting(bool printing) { m_printing = printing; }

    // The font the Font command starts from and the text tool copies.
    TFont* Font() const { return m_font; }

    // ---- objects ---------------------------------------------------------------
    // Page objects, back to front. The container takes ownership (as parent).
    const QList<TGGraphicControl*>& Objects() const { return m_objects; }
    void AddObject(TGGraphicControl* object);
    // Removes the object from the list (and the selection) and deletes it.
    void DeleteObject(TGGraphicControl* object);
    // Empties the selection, then destroys every page object.
    void DeleteAllObjects();
    bool HasObjects() const { return !m_objects.isEmpty(); }
    // Whether any page object is of the class (or derives from it), named
    // as documents name it ("TGSuperText") or with its namespace.
    bool HasObjectOfClass(const char* className) const;
    // True when any page object's view rectangle contains the view point.
    virtual bool ObjectAtPoint(QPoint point) const;
    // The front-most object containing the view point; null when none.
    TGGraphicControl* TopObjectAt(QPoint point) const;
    // Puts a new object on the container: parent, name "Special" + lowest
    // free number 1..1000, bounds drawn on the view (at least 10 x 15 there),
    // change.
    void PlaceObject(TGGraphicControl* object, const QRect& bounds);
    // "prefix" + the lowest number from..to no object (or the owner's name
    // registry) uses; empty when all are taken.
    QString UniqueName(const QString& prefix, int from, int to) const;
    // The owner's names: true when a name is taken. Without it the names of
    // the container's objects count.
    void SetNameInUse(std::function<bool(const QString&)> inUse) { m_nameInUse = std::move(inUse); }
    // The registry the clipboard and clone work files use (the global one
    // with the page objects registered by default).
    ComponentRegistry& Registry() const;
    void SetRegistry(ComponentRegistry* registry) { m_registry = registry; }

    // Moves objects below height - 10 / right of width - 20 (on the view)
    // back onto the page.
    void KeepObjectsOnPage();
    // Destroys objects below height - 10, right of width - 10 (on the view)
    // or smaller than 1.
    void RemoveObjectsOffPage();

    // ---- selection -------------------------------------------------------------
    TGHandle* Handle() const { return m_handle; }
    bool SelectionDisabled() const { return m_selectionDisabled; }
    void SetSelectionDisabled(bool disabled) { m_selectionDisabled = disabled; }
    // Selects what intersects the rectangle; with toggle (Shift) selected ones
    // that intersect are removed instead, without it the selection is replaced.
    void SelectInRect(const QRect& rect, bool toggle);
    void RequestHandleRefit();

    // ---- commands ----------------------------------------------------------------
    void BringToFront();
    void SendToBack();
    void AlignLefts();
    void AlignRights();
    void AlignTops();
    void AlignBottoms();
    void CenterVertically();
    void CenterHorizontally();
    void LockAll(bool locked);
    void MarkAllUnselectable(bool unselectable);
    void SelectAll();
    // The font dialog with the container's font; on OK ApplyFont on each
    // selected object.
    void ChooseFont();
    // The object clipboard: "Clipbrd.tmp" in the program folder.
    QString ClipboardPath() const;
    void CopySelection();
    void CutSelection();
    void DeleteSelection();
    // Ignored within 1000 ms of the previous paste; the first always runs.
    void Paste(qint64 now = -1);
    bool CanPaste() const;

    // Object-menu commands (on the whole selection when the object is in it).
    void BringObjectToFront(TGGraphicControl* object);
    void SendObjectToBack(TGGraphicControl* object);
    void CutObject(TGGraphicControl* object);
    void CopyObject(TGGraphicControl* object);
    void DeleteObjectCommand(TGGraphicControl* object);
    // Through a work file: the clone 25 px lower, in front, selected in place
    // of a selected source. Returns the clone.
    TGGraphicControl* Clone(TGGraphicControl* object);
    void CenterObjectVertically(TGGraphicControl* object);
    void CenterObjectHorizontally(TGGraphicControl* object);

    // ---- menus ---------------------------------------------------------------------
    // The container's popup menu with its enabled states set.
    MenuEntryList ContainerMenu();
    // Shows a menu at a container point (set by the host widget; tests may
    // run the actions).
    using MenuPresenter = std::function<void(const MenuEntryList& menu, QPoint containerPoint)>;
    void SetMenuPresenter(MenuPresenter presenter) { m_menuPresenter = std::move(presenter); }
    void ShowObjectMenu(TGGraphicControl* object, QPoint containerPoint);
    void ShowContainerMenu(QPoint containerPoint);

    // ---- input from the host (container pixels) --------------------------------------
    void MousePress(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time);
    void MouseMove(QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, qint64 time);
    void MouseRelease(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time);
    void MouseDoubleClick(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time);
    // True when the key was taken.
    bool KeyPress(int key, Qt::KeyboardModifiers modifiers);
    bool KeyRelease(int key, Qt::KeyboardModifiers modifiers);
    // The container's own mouse-down (rubber band, popup menu).
    void ContainerMouseDown(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time);

    // The rubber band while it is drawn (normalised); null otherwise.
    QRect RubberBand() const { return m_banding ? m_band.normalized() : QRect(); }
    bool Banding() const { return m_banding; }

    // ---- painting ------------------------------------------------------------------
    // Every object in child order onto a device: the one loop the screen,
    // export bitmaps and paper share.
    void PaintObjects(QPainter& painter, const PageMapping& mapping);
    // The grab squares of the selection (view pixels).
    void PaintHandles(QPainter& painter) const;
    // The drag outline and the rubber band, drawn over everything.
    void PaintOverlay(QPainter& painter) const;

    // ---- notifications ---------------------------------------------------------------
    // An object changed: LabelChangedEvent unless loading.
    void NotifyChange(QObject* sender);
    void RequestRepaint();
    // The page's own mouse cursor over the objects and the handle (not the
    // application-wide one); reported only when it changes.
    void RequestObjectCursor(Qt::CursorShape shape);

Q_SIGNALS:
    void RepaintRequested();
    void SizeChanged(QSize size);
    void CursorRequested(Qt::CursorShape shape);
    void ObjectCursorRequested(Qt::CursorShape shape);
    void LabelChangedEvent(QObject* sender);
    void DroppedObjectEvent(QRect rect);

protected:
    // Sets the container size (page pixels) and reports it when it changed.
    void SetSize(QSize size);
    // Creates an object of the tool's kind in the drawn rectangle (the page
    // overrides it); nothing here.
    virtual void CreateObjectInRect(const QRect& rect) { Q_UNUSED(rect); }

private:
    enum class Capture { None, Handle, Container };
    void objectMouseDown(TGGraphicControl* object, QPoint point, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers, qint64 time);
    // False when the work file could not be written.
    bool writeObjects(const QString& path, const QList<TGGraphicControl*>& objects) const;
    QList<TGGraphicControl*> readObjects(const QString& path);
    QList<TGGraphicControl*> targetsFor(TGGraphicControl* object) const;
    void deleteObjects(const QList<TGGraphicControl*>& objects);

    PageMapping m_view;
    bool m_loadingDocument = false;
    bool m_pointing = true;
    TLPanelState m_panelState = psPointing;
    QSize m_size;
    QList<TGGraphicControl*> m_objects;
    TGHandle* m_handle = nullptr;
    TFont* m_font = nullptr;
    TGridSize m_gridSize = gs8x8;
    bool m_showGrid = false;
    bool m_drawOutline = false;
    bool m_printing = false;
    bool m_selectionDisabled = false;
    std::optional<qint64> m_lastPaste;
    std::function<bool(const QString&)> m_nameInUse;
    ComponentRegistry* m_registry = nullptr;
    MenuPresenter m_menuPresenter;
    Capture m_capture = Capture::None;
    bool m_banding = false;
    QRect m_band;
    bool m_destroying = false;
    bool m_readingWorkFile = false;
    Qt::CursorShape m_objectCursor = Qt::ArrowCursor;
};

}  // namespace dayloom
