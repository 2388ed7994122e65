#pragma once

#include <QByteArray>
#include <QList>

#include "objects/pageobjectclasses.h"
#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"
#include "stream/componentregistry.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace dayloom::test {

// The screen at a zoom, at the tests' 96 pixels per inch.
inline PageMapping At(float zoom)
{
    return PageMapping::Screen(Zoom(zoom), 96);
}

// Paints an object at (0, 0) at a zoom (1 by default), at its size there.
inline void PaintAtOrigin(TGGraphicControl& object, QPainter& painter, float zoom = 1.0f)
{
    const PageMapping m = At(zoom);
    object.PaintObject(painter, m, object.DeviceRect(m).size());
}

inline ComponentRegistry& ObjectRegistry()
{
    ComponentRegistry& r = ComponentRegistry::Global();
    RegisterPageObjectClasses(r);
    return r;
}

// The object list as a document stores it: list begin, root records, end.
inline QByteArray WriteObjectList(const QList<TGGraphicControl*>& objects)
{
    QByteArray bytes;
    ValueWriter w(&bytes);
    w.SetRegistry(&ObjectRegistry());
    w.WriteListBegin();
    for (const TGGraphicControl* o : objects)
        w.WriteRootComponent(o);
    w.WriteListEnd();
    w.Flush();
    return bytes;
}

inline QList<TGGraphicControl*> ReadObjectList(const QByteArray& bytes, TGBasePanel& into)
{
    QList<TGGraphicControl*> read;
    ValueReader r(bytes);
    r.SetRegistry(&ObjectRegistry());
    r.ReadListBegin();
    r.ReadComponents(&into, &into, [&](QObject* c) {
        auto* o = qobject_cast<TGGraphicControl*>(c);
        into.AddObject(o);
        read << o;
    });
    return read;
}

}  // namespace dayloom::test
