#include "du/DUxLineStyle.h"

#include "du/DUxLineStyleTable.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "utx/UTxGUID.h"

namespace {
// A cache, not state: where the document's table is. Lines are drawn often and the first
// segment holds many objects, so it is looked for once; the reference answers null once undo
// takes the table away and finds it again when redo brings it back. Only SetStyle and
// SetOverloadedLineStyle make a table, and they note it here.
struct LineStyles : FWxDocData {
    RSeRef<DUxLineStyleTable> table;
    bool searched = false;
};
const char kLineStylesKey = 0;

std::unique_ptr<FWxDocData> MakeLineStyles(FWxSceneDoc*) {
    return std::make_unique<LineStyles>();
}

LineStyles& CacheOf(FWxSceneDoc* doc) {
    return static_cast<LineStyles&>(doc->GetData(&kLineStylesKey, &MakeLineStyles));
}

const DUxLineStyleTable* FindTable(FWxSceneDoc* doc) {
    if (!doc || !doc->GetRSeDb()) return nullptr;
    LineStyles& cache = CacheOf(doc);
    if (!cache.searched) {
        cache.searched = true;
        const RSeMetaType* kind = RSe::_GetMeta(static_cast<const DUxLineStyleTable*>(nullptr));
        RSe::SegmentOf(doc->GetRSeDb())->ForEachObject([&](RSeVMeta* o) {
            if (cache.table.IsNull() && o->GetMeta() == kind)
                cache.table = RSeRef<DUxLineStyleTable>(static_cast<DUxLineStyleTable*>(o));
        });
    }
    // Drawing reads it: an open transaction need not record it.
    return cache.table.Read();
}

DUxLineStyleTable* TableToChange(FWxSceneDoc* doc) {
    FindTable(doc);
    LineStyles& cache = CacheOf(doc);
    if (DUxLineStyleTable* table = cache.table.get()) return table;
    auto* table = new (RSe::_GetMeta(static_cast<const DUxLineStyleTable*>(nullptr)),
                       RSe::SegmentOf(doc->GetRSeDb())) DUxLineStyleTable();
    cache.table = RSeRef<DUxLineStyleTable>(table);
    return table;
}
} // namespace

DUxLineStyle DUxLineStyleUtil::GetStyle(FWxSceneDoc* doc, int32_t id, const UTxGUID& standard) {
    const DUxLineStyleTable* table = FindTable(doc);
    const DUxLineStyle* style = table ? table->FindStyle(id, standard) : nullptr;
    return style ? *style : DUxLineStyle();
}

void DUxLineStyleUtil::SetStyle(FWxSceneDoc* doc, int32_t id, const UTxGUID& standard,
                                const DUxLineStyle& style) {
    if (doc && doc->GetRSeDb()) TableToChange(doc)->SetStyle(id, standard, style);
}

bool DUxLineStyleUtil::GetOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc,
                                              DUxLineStyle& style) {
    if (!object) return false;
    const DUxLineStyleTable* table = FindTable(doc);
    const DUxLineStyle* own = table ? table->FindOverload(object->GetId()) : nullptr;
    if (!own) return false;
    style = *own;
    return true;
}

void DUxLineStyleUtil::SetOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc,
                                              const DUxLineStyle& style) {
    if (object && doc && doc->GetRSeDb())
        TableToChange(doc)->SetOverload(object->GetId(), style);
}

void DUxLineStyleUtil::ClearOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc) {
    if (!object || !doc || !doc->GetRSeDb()) return;
    // Nothing to clear needs no table.
    if (FindTable(doc)) TableToChange(doc)->ClearOverload(object->GetId());
}
