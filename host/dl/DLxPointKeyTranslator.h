#pragma once
// Names a placed object in a transcript by a point of the sheet and its id ("<class>#x,y#id",
// FBxObjectNameKey::PointRest). The point is what a user reads; the id tells apart objects that
// lie over one another or share the point, where a pick would find the first. Finding: the
// object with the id when its key point is exactly the point, else the first object of the kind
// (the document's sheets and their nodes in order) whose key point it exactly is, else the first
// a pick at the point finds (a key typed by hand).
#include "fw/FBxObjectNameKey.h"

class DLxEmblem;
class WqGePoint3d;

class DLxPointKeyTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const final;
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc* doc,
                         RSeIDed*& out) const final;

    // The first object of the kind whose key point is exactly `point`, the one with `id` first.
    RSeIDed* FindByKeyPoint(FWxSceneDoc* doc, const WqGePoint3d& point, uint32_t id) const;

protected:
    // Whether `obj` is of the kind and can be named, and its key point.
    virtual bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const = 0;
    // What GetKey answers for an object that KeyPoint refuses.
    virtual const char16_t* NotOfTheKind() const = 0;
    // The object of the kind a pick at `point` finds; null when none.
    virtual RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const = 0;
};
