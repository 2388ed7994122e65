#include "undo/objectrecords.h"

#include <exception>

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"
#include "objects/tghandle.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace dayloom::ObjectRecords {

QByteArray Write(const TGBasePanel& page, const TGGraphicControl* object)
{
    QByteArray out;
    ValueWriter writer(&out);
    writer.SetRegistry(&page.Registry());
    writer.WriteRootComponent(object);
    writer.Flush();
    return out;
}

TGGraphicControl* Read(TGBasePanel& page, const QByteArray& record)
{
    ValueReader reader(record);
    reader.SetRegistry(&page.Registry());
    TGGraphicControl* object = nullptr;
    try {
        reader.ReadSignature();
        QObject* component = reader.ReadComponent(&page, &page);
        object = qobject_cast<TGGraphicControl*>(component);
        if (!object) {
            delete component;
            return nullptr;
        }
        page.AddObject(object);
    } catch (const std::exception&) {
        reader.FinishLoading();
        return nullptr;
    }
    reader.FinishLoading();
    return object;
}

QList<int> PlacesOf(const TGBasePanel& page, const QList<TGGraphicControl*>& objects)
{
    QList<int> places;
    places.reserve(objects.size());
    for (TGGraphicControl* o : objects)
        places << int(page.Objects().indexOf(o));
    return places;
}

TGGraphicControl* ObjectAt(const TGBasePanel& page, int place)
{
    return place >= 0 && place < page.Objects().size() ? page.Objects().at(place) : nullptr;
}

QList<TGGraphicControl*> ObjectsAt(const TGBasePanel& page, const QList<int>& places)
{
    QList<TGGraphicControl*> objects;
    objects.reserve(places.size());
    for (int p : places)
        if (TGGraphicControl* o = ObjectAt(page, p))
            objects << o;
    return objects;
}

void Arrange(TGBasePanel& page, const QList<TGGraphicControl*>& order)
{
    // Everything from the first difference on is brought to the front in turn.
    const QList<TGGraphicControl*> current = page.Objects();
    qsizetype first = 0;
    while (first < order.size() && first < current.size() && order[first] == current[first])
        ++first;
    for (qsizetype i = first; i < order.size(); ++i)
        page.BringObjectToFront(order[i]);
}

void MoveTo(TGBasePanel& page, TGGraphicControl* object, int place)
{
    QList<TGGraphicControl*> order = page.Objects();
    order.removeAll(object);
    order.insert(qBound(0, place, int(order.size())), object);
    Arrange(page, order);
}

QList<int> Selection(const TGBasePanel& page)
{
    return PlacesOf(page, page.Handle()->Selection());
}

void Select(TGBasePanel& page, const QList<int>& places)
{
    TGHandle* handle = page.Handle();
    handle->Clear();
    for (TGGraphicControl* o : ObjectsAt(page, places))
        handle->Add(o);
}

}  // namespace dayloom::ObjectRecords
