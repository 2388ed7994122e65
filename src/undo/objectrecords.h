#pragma once

#include <QByteArray>
#include <QList>

namespace dayloom {

class TGBasePanel;
class TGGraphicControl;

// The small vocabulary the edit steps share: an object as its stream record
// (class, name and every stored property, the way a document stores it),
// objects and the selection named by their places in the page's child order
// (the order a document stores them in). A step is undone exactly in the
// state it left, so places stay valid where pointers would not: an object
// taken off the page and put back is a new object.
namespace ObjectRecords {

// The object's record, as a document writes it.
QByteArray Write(const TGBasePanel& page, const TGGraphicControl* object);
// A new object read from a record, appended to the page in front of the
// others, with the name the record holds. Null when the record cannot be read.
TGGraphicControl* Read(TGBasePanel& page, const QByteArray& record);

// The place of each object in the page's child order (-1 when absent).
QList<int> PlacesOf(const TGBasePanel& page, const QList<TGGraphicControl*>& objects);
// The objects at those places (places out of range are skipped).
QList<TGGraphicControl*> ObjectsAt(const TGBasePanel& page, const QList<int>& places);
TGGraphicControl* ObjectAt(const TGBasePanel& page, int place);

// Puts the page's objects into this order (the same objects, back to front)
// through the page's own layering operation.
void Arrange(TGBasePanel& page, const QList<TGGraphicControl*>& order);
// Moves an object (in front after Read) to a place.
void MoveTo(TGBasePanel& page, TGGraphicControl* object, int place);

// The selection as places, and a selection made of places.
QList<int> Selection(const TGBasePanel& page);
void Select(TGBasePanel& page, const QList<int>& places);

}  // namespace ObjectRecords

}  // namespace dayloom
