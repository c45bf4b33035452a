#include "dc/RSeTemplateMgr.h"

#include <cstdint>
#include <map>
#include <utility>

#include "dc/RDxTemplate.h"
#include "utx/UTxGUID.h"

namespace {
using Key = std::pair<UTxGUID, int32_t>;
// Never destroyed: templates that are static objects leave it during the process's exit, in
// whatever order the statics go.
std::map<Key, RDxTemplate*>& Templates() {
    static auto* templates = new std::map<Key, RDxTemplate*>();
    return *templates;
}
} // namespace

bool RSeTemplateMgr::Register(RDxTemplate* tmpl) {
    if (!tmpl || tmpl->GetVersion() < 0) return false;
    return Templates().emplace(Key(tmpl->GetGUID(), tmpl->GetVersion()), tmpl).second;
}

void RSeTemplateMgr::Unregister(RDxTemplate* tmpl) {
    if (!tmpl) return;
    auto& t = Templates();
    auto it = t.find(Key(tmpl->GetGUID(), tmpl->GetVersion()));
    if (it != t.end() && it->second == tmpl) t.erase(it);
}

RDxTemplate* RSeTemplateMgr::GetTemplate(const UTxGUID& guid, int32_t version) {
    auto& t = Templates();
    if (version >= 0) {
        auto it = t.find(Key(guid, version));
        return it == t.end() ? nullptr : it->second;
    }
    // One GUID's versions sit together in ascending order: the newest is the last of them.
    auto it = t.upper_bound(Key(guid, INT32_MAX));
    if (it == t.begin()) return nullptr;
    --it;
    return it->first.first == guid ? it->second : nullptr;
}
