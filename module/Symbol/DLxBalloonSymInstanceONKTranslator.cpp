#include "Symbol/DLxBalloonSymInstanceONKTranslator.h"

#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxSymSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxBalloonSymInstanceONKTranslator g_translator;
} // namespace

UTxResult DLxBalloonSymInstanceONKTranslator::GetKey(const RSeIDed& obj, UTxString16& rest) const {
    auto* inst = dynamic_cast<const DLxBalloonSymInstance*>(&obj);
    if (!inst) return UTxResult(kFBxErrNameKeyNone, u"not a balloon");
    rest = FBxObjectNameKey::PointRest(inst->GetKeyPoint());
    return {};
}

UTxResult DLxBalloonSymInstanceONKTranslator::FindObject(const UTxString16& rest, RSeDatabase&,
                                                         FWxSceneDoc* doc, RSeIDed*& out) const {
    WqGePoint3d point;
    if (UTxResult r = FBxObjectNameKey::ReadPointRest(rest, point); r.Failed()) return r;
    out = ObjectFromPoint(doc, point);
    return {};
}

SmartPtr<DLxSymSelection>
DLxBalloonSymInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxBalloonSymFilter(DLxBalloonSymFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    // The filter admits balloons only; a selection of any other symbol is passed over.
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* symbol = dynamic_cast<DLxSymSelection*>(sel.get()))
            if (dynamic_cast<DLxBalloonSymInstance*>(symbol->GetSymbol()))
                return SmartPtr<DLxSymSelection>(symbol);
    return nullptr;
}

DLxBalloonSymInstance* DLxBalloonSymInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                                           const WqGePoint3d& point) {
    SmartPtr<DLxSymSelection> sel = SelectionFromPoint(doc, point);
    return sel ? dynamic_cast<DLxBalloonSymInstance*>(sel->GetSymbol()) : nullptr;
}

void DLxBalloonSymInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxBalloonSymInstance", &g_translator);
}
