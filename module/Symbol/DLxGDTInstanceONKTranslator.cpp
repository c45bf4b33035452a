#include "Symbol/DLxGDTInstanceONKTranslator.h"

#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxGDTInstanceONKTranslator g_translator;

bool KeyPoint(const DLxEmblem& emblem, WqGePoint3d& key) {
    auto* frame = dynamic_cast<const DLxGDTInstance*>(&emblem);
    if (frame) key = frame->GetKeyPoint();
    return frame;
}
} // namespace

UTxResult DLxGDTInstanceONKTranslator::GetKey(const RSeIDed& obj, UTxString16& rest) const {
    auto* inst = dynamic_cast<const DLxGDTInstance*>(&obj);
    if (!inst) return UTxResult(kFBxErrNameKeyNone, u"not a feature control frame");
    const WqGePoint3d p = inst->GetKeyPoint();
    rest = FBxObjectNameKey::PointRest(p, inst->GetId());
    return {};
}

UTxResult DLxGDTInstanceONKTranslator::FindObject(const UTxString16& rest, RSeDatabase&,
                                                  FWxSceneDoc* doc, RSeIDed*& out) const {
    WqGePoint3d point;
    uint32_t id = 0;
    if (UTxResult r = FBxObjectNameKey::ReadPointRest(rest, point, &id); r.Failed()) return r;
    // A key this program wrote names its frame exactly; a point typed by hand is picked at.
    if (DLxEmblem* exact = DLxTDXUtil::FindByKeyPoint(doc, point, id, &KeyPoint))
        out = exact;
    else
        out = ObjectFromPoint(doc, point);
    return {};
}

SmartPtr<DLxGDTSelection>
DLxGDTInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxGDTFilter(DLxGDTFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* frame = dynamic_cast<DLxGDTSelection*>(sel.get()))
            return SmartPtr<DLxGDTSelection>(frame);
    return nullptr;
}

DLxGDTInstance* DLxGDTInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                             const WqGePoint3d& point) {
    SmartPtr<DLxGDTSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxGDTInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxGDTInstance", &g_translator);
}
