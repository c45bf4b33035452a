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

bool DLxGeneralNoteONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* found = dynamic_cast<const DLxGeneralNote*>(&obj);
    if (found) key = found->GetKeyPoint();
    return found;
}

const char16_t* DLxGeneralNoteONKTranslator::NotOfTheKind() const {
    return u"not a general note";
}

RSeIDed* DLxGeneralNoteONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return ObjectFromPoint(doc, point);
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
