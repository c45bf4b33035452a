#include "du/DUxStandard.h"

#include <memory>
#include <utility>

#include "du/DUxCategoryDefault.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

DUxStandard::DUxStandard(FWxSceneDoc* doc, const UTxGUID& guid)
    : m_doc(doc), m_guid(guid),
      // inch drawings letter smaller than metric ones
      m_textHeight(guid == DUxStandardGUID::GetANSIGuid() ? 0.12 : 3.5) {}

RSeRef<DUxCategoryDefault> DUxStandard::GetCategoryDefault(FWxSceneDoc* doc, int32_t category) {
    RSeRef<DUxCategoryDefault>& slot = m_defaults[category];
    if (slot.HasTarget()) return slot;
    if (!doc || !doc->GetRSeDb()) return {};
    // A loaded document already holds its objects: adopt the one of this category.
    RSeDatabase* db = doc->GetRSeDb();
    for (uint32_t i = 0; i < db->GetSegmentCount() && slot.IsNull(); ++i)
        db->GetSegment(i)->ForEachObject([&](RSeVMeta* o) {
            auto* d = dynamic_cast<DUxCategoryDefault*>(o);
            if (slot.IsNull() && d && d->GetCategoryId() == category &&
                d->GetStandardGUID() == m_guid) {
                d->SetDocument(doc);
                slot = RSeRef<DUxCategoryDefault>(d);
            }
        });
    if (slot.HasTarget()) return slot;
    const DUxCategoryDefaultFactory* f = DUxCategoryDefaultFactory::Find(category, m_guid);
    if (!f) return {};
    slot = f->GetFunction()(doc, RSe::SegmentOf(doc->GetRSeDb()), category, m_guid);
    return slot;
}

namespace {
std::map<std::pair<uint64_t, UTxGUID>, std::unique_ptr<DUxStandard>>& Standards() {
    static std::map<std::pair<uint64_t, UTxGUID>, std::unique_ptr<DUxStandard>> m;
    return m;
}
} // namespace

DUxStandard* DUxStandardUtil::GetStandard(FWxSceneDoc* doc, const UTxGUID& guid) {
    // keyed by the document's serial: a later document at the same address is another one
    auto& slot = Standards()[{doc ? doc->GetSerial() : 0, guid}];
    if (!slot) slot = std::make_unique<DUxStandard>(doc, guid);
    return slot.get();
}

RSeRef<DUxCategoryDefault>
DUxStandardUtil::GetCategoryDefault(FWxSceneDoc* doc, const UTxGUID& guid, int32_t category) {
    return GetStandard(doc, guid)->GetCategoryDefault(doc, category);
}

double DUxStandardUtil::GetTextHeight(FWxSceneDoc* doc, const UTxGUID& guid) {
    return GetStandard(doc, guid)->GetTextHeight();
}

int32_t DUxStandardUtil::GetFontID(FWxSceneDoc* doc, const UTxGUID& guid) {
    return GetStandard(doc, guid)->GetFontID();
}

void DUxStandardUtil::ForgetDocument(FWxSceneDoc* doc) {
    auto& m = Standards();
    for (auto it = m.begin(); it != m.end();)
        it = doc && it->first.first == doc->GetSerial() ? m.erase(it) : std::next(it);
}

const UTxGUID& DUxStandardGUID::GetANSIGuid() {
    static const UTxGUID g(0x5e1c0a01, 0x06cc11d3, 0xbf270010, 0x4bb54a0b);
    return g;
}
const UTxGUID& DUxStandardGUID::GetBSIGuid() {
    static const UTxGUID g(0x5e1c0a02, 0x06cc11d3, 0xbf270010, 0x4bb54a0b);
    return g;
}
const UTxGUID& DUxStandardGUID::GetDINGuid() {
    static const UTxGUID g(0x5e1c0a03, 0x06cc11d3, 0xbf270010, 0x4bb54a0b);
    return g;
}
// The host's own GB GUID differs from the one the drafting defaults register GB under.
const UTxGUID& DUxStandardGUID::GetGBGuid() {
    static const UTxGUID g(0x5e1c0a04, 0x06cc11d3, 0xbf270010, 0x4bb54a0b);
    return g;
}
const UTxGUID& DUxStandardGUID::GetISOGuid() {
    static const UTxGUID g(0x5e1c0a05, 0x06cc11d3, 0xbf270010, 0x4bb54a0b);
    return g;
}
const UTxGUID& DUxStandardGUID::GetJISGuid() {
    static const UTxGUID g(0x5e1c0a06, 0x06cc11d3, 0xbf270010, 0x4bb54a0b);
    return g;
}
