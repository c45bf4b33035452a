#include "du/DUxLineStyle.h"

#include <map>
#include <tuple>

#include "fw/FWxSceneDoc.h"
#include "rse/RSeIDed.h"
#include "utx/UTxGUID.h"

namespace {
// Keyed by the document's serial: a later document at the same address is another one.
std::map<std::tuple<uint64_t, int32_t, UTxGUID>, DUxLineStyle>& Styles() {
    static std::map<std::tuple<uint64_t, int32_t, UTxGUID>, DUxLineStyle> m;
    return m;
}

std::map<std::pair<uint64_t, uint32_t>, DUxLineStyle>& Overloads() {
    static std::map<std::pair<uint64_t, uint32_t>, DUxLineStyle> m;
    return m;
}
} // namespace

DUxLineStyle DUxLineStyleUtil::GetStyle(FWxSceneDoc* doc, int32_t id, const UTxGUID& standard) {
    if (!doc) return {};
    const auto it = Styles().find({doc->GetSerial(), id, standard});
    return it == Styles().end() ? DUxLineStyle() : it->second;
}

void DUxLineStyleUtil::SetStyle(FWxSceneDoc* doc, int32_t id, const UTxGUID& standard,
                                const DUxLineStyle& style) {
    if (doc) Styles()[{doc->GetSerial(), id, standard}] = style;
}

bool DUxLineStyleUtil::GetOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc,
                                              DUxLineStyle& style) {
    if (!object || !doc) return false;
    const auto it = Overloads().find({doc->GetSerial(), object->GetId()});
    if (it == Overloads().end()) return false;
    style = it->second;
    return true;
}

void DUxLineStyleUtil::SetOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc,
                                              const DUxLineStyle& style) {
    if (object && doc) Overloads()[{doc->GetSerial(), object->GetId()}] = style;
}

void DUxLineStyleUtil::ClearOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc) {
    if (object && doc) Overloads().erase({doc->GetSerial(), object->GetId()});
}

void DUxLineStyleUtil::ForgetDocument(FWxSceneDoc* doc) {
    if (!doc) return;
    const uint64_t serial = doc->GetSerial();
    std::erase_if(Styles(), [&](const auto& e) { return std::get<0>(e.first) == serial; });
    std::erase_if(Overloads(), [&](const auto& e) { return e.first.first == serial; });
}
