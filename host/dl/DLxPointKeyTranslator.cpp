#include "dl/DLxPointKeyTranslator.h"

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxSheet.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeDatabase.h"

UTxResult DLxPointKeyTranslator::GetKey(const RSeIDed& obj, UTxString16& rest) const {
    WqGePoint3d key;
    if (!KeyPoint(obj, key)) return UTxResult(kFBxErrNameKeyNone, NotOfTheKind());
    rest = FBxObjectNameKey::PointRest(key, obj.GetId());
    return {};
}

UTxResult DLxPointKeyTranslator::FindObject(const UTxString16& rest, RSeDatabase&,
                                            FWxSceneDoc* doc, RSeIDed*& out) const {
    WqGePoint3d point;
    uint32_t id = 0;
    if (UTxResult r = FBxObjectNameKey::ReadPointRest(rest, point, &id); r.Failed()) return r;
    out = FindByKeyPoint(doc, point, id);
    if (!out) out = Pick(doc, point);
    return {};
}

RSeIDed* DLxPointKeyTranslator::FindByKeyPoint(FWxSceneDoc* doc, const WqGePoint3d& point,
                                               uint32_t id) const {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    const auto at = [&](RSeIDed* obj) -> RSeIDed* {
        WqGePoint3d key;
        return obj && KeyPoint(*obj, key) && key.x == point.x && key.y == point.y ? obj : nullptr;
    };
    if (id)
        if (RSeIDed* obj = at(drawing->GetRSeDb()->FindObject(id))) return obj;
    for (DLxSheet* sheet : drawing->GetSheets())
        for (const RSeRef<RDxNode>& node : sheet->GetNodes())
            if (RSeIDed* obj = at(dynamic_cast<DLxEmblem*>(node.GetTarget()))) return obj;
    return nullptr;
}
