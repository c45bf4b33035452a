#include "GeneralNote/DLxGeneralNoteONKTranslator.h"

#include "GeneralNote/DLxGeneralNote.h"
#include "GeneralNote/DLxGeneralNoteFilter.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"

namespace {
constexpr double kPickTolerance = 1e-9;

const DLxGeneralNoteONKTranslator g_translator;
} // namespace

UTxResult DLxGeneralNoteONKTranslator::GetKey(const RSeIDed& obj, UTxString16& rest) const {
    auto* note = dynamic_cast<const DLxGeneralNote*>(&obj);
    if (!note) return UTxResult(kFBxErrNameKeyNone, u"not a general note");
    rest = FBxObjectNameKey::PointRest(note->GetKeyPoint());
    return {};
}

UTxResult DLxGeneralNoteONKTranslator::FindObject(const UTxString16& rest, RSeDatabase&,
                                                  FWxSceneDoc* doc, RSeIDed*& out) const {
    WqGePoint3d point;
    if (UTxResult r = FBxObjectNameKey::ReadPointRest(rest, point); r.Failed()) return r;
    out = ObjectFromPoint(doc, point);
    return {};
}

DLxGeneralNote* DLxGeneralNoteONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                             const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Add(new DLxGeneralNoteFilter(DLxGeneralNoteFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* picked = dynamic_cast<DLxGeneralNoteSelection*>(sel.get()))
            if (DLxGeneralNote* note = picked->GetGeneralNote()) return note;
    return nullptr;
}

void DLxGeneralNoteONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxGeneralNote", &g_translator);
}
