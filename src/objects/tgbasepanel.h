#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>

#include "objects/tlpanelstate.h"

namespace dayloom {

class TGGraphicControl;

// The container of page objects: zoom factor, tool mode and the list of
// objects in child order (back to front). The calendar page derives from it.
// It is a model without a widget; a host widget paints it, forwards the mouse
// and follows SizeChanged / CursorRequested.
class TGBasePanel : public QObject {
    Q_OBJECT
public:
    explicit TGBasePanel(QObject* parent = nullptr);
    ~TGBasePanel() override;

    // Zoom factor, 1.0 = one page pixel per screen pixel.
    float Zoom() const { return m_zoom; }
    // Nothing when zoom equals the current factor; otherwise the container's
    // size and every object are rescaled and ZoomChanged() runs.
    virtual void SetZoom(float zoom);
    bool Scaling() const { return m_scaling; }

    bool Pointing() const { return m_pointing; }
    TLPanelState PanelState() const { return m_panelState; }
    // On change: stores it, Pointing() becomes true exactly for psPointing,
    // and the cursor for the mode is requested.
    virtual void SetPanelState(TLPanelState state);

    // Size of the container in its own pixels.
    QSize Size() const { return m_size; }

    // Page objects, back to front. The container takes ownership (as parent).
    const QList<TGGraphicControl*>& Objects() const { return m_objects; }
    void AddObject(TGGraphicControl* object);
    // Removes the object from the list and deletes it.
    void DeleteObject(TGGraphicControl* object);
    void DeleteAllObjects();
    bool HasObjects() const { return !m_objects.isEmpty(); }
    // Whether any page object is of the class (or derives from it), e.g.
    // "dayloom::TGSuperText".
    bool HasObjectOfClass(const char* className) const;
    // True when any page object's bounds contain the point.
    virtual bool ObjectAtPoint(QPoint point) const;

Q_SIGNALS:
    void RepaintRequested();
    void SizeChanged(QSize size);
    void CursorRequested(Qt::CursorShape shape);
    void LabelChangedEvent();

protected:
    // Sets the container size and reports it when it changed.
    void SetSize(QSize size);
    // Runs after the factor has changed (objects already rescaled).
    virtual void ZoomChanged() {}
    // False when a derived container computes its own size from the zoom.
    virtual bool SizeFollowsZoom() const { return true; }

private:
    float m_zoom = 1.0f;
    bool m_scaling = false;
    bool m_pointing = true;
    TLPanelState m_panelState = psPointing;
    QSize m_size;
    QList<TGGraphicControl*> m_objects;
};

}  // namespace dayloom
