#pragma once
// What every standard class's factory does: make the object in the segment, let the kinds that
// have services make them, and give it the standard's factory values when it may take them.
#include "du/DUxCategoryDefault.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeRef.h"

class FWxSceneDoc;
class RSeSegment;
class UTxGUID;

template <class T>
RSeRef<DUxCategoryDefault> DLxMakeStandardDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                  int32_t category, const UTxGUID& standard) {
    if (!segment) return {};
    T* obj =
        new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment) T(doc, category, standard);
    if constexpr (requires { obj->CreateTargetServices(); }) {
        if (obj->CreateTargetServices().Failed()) return {};
    }
    if constexpr (requires { obj->CanSetFactoryDefaults(); }) {
        if (!obj->CanSetFactoryDefaults()) return {};
    }
    obj->setFactoryDefaults();
    return RSeRef<DUxCategoryDefault>(obj);
}
