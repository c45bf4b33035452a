#include "du/DUxStandard.h"

#include <memory>

#include "du/DUxCategoryDefault.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {
// Inch drawings letter smaller than metric ones.
double TextHeightOf(const UTxGUID& guid) {
    return guid == DUxStandardGUID::GetANSIGuid() ? 0.12 : 3.5;
}
} // namespace

DUxStandard::DUxStandard(FWxSceneDoc* doc, const UTxGUID& guid)
    : m_doc(doc), m_guid(guid), m_textHeight(TextHeightOf(guid)) {}

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
// A cache, not state: what it holds follows from the GUIDs, and the category objects it
// remembers are the document's stored objects, found again by reference (a reference answers
// null once undo takes its object away, and the object is then looked for or made anew).
struct Standards : FWxDocData {
    std::map<UTxGUID, std::unique_ptr<DUxStandard>> byGuid;
};
const char kStandardsKey = 0;

std::unique_ptr<FWxDocData> MakeStandards(FWxSceneDoc*) {
    return std::make_unique<Standards>();
}
} // namespace

DUxStandard* DUxStandardUtil::GetStandard(FWxSceneDoc* doc, const UTxGUID& guid) {
    if (!doc) return nullptr;
    auto& standards = static_cast<Standards&>(doc->GetData(&kStandardsKey, &MakeStandards));
    std::unique_ptr<DUxStandard>& slot = standards.byGuid[guid];
    if (!slot) slot = std::make_unique<DUxStandard>(doc, guid);
    return slot.get();
}

RSeRef<DUxCategoryDefault>
DUxStandardUtil::GetCategoryDefault(FWxSceneDoc* doc, const UTxGUID& guid, int32_t category) {
    DUxStandard* standard = GetStandard(doc, guid);
    return standard ? standard->GetCategoryDefault(doc, category) : RSeRef<DUxCategoryDefault>();
}

double DUxStandardUtil::GetTextHeight(FWxSceneDoc* doc, const UTxGUID& guid) {
    DUxStandard* standard = GetStandard(doc, guid);
    return standard ? standard->GetTextHeight() : TextHeightOf(guid);
}

int32_t DUxStandardUtil::GetFontID(FWxSceneDoc* doc, const UTxGUID& guid) {
    DUxStandard* standard = GetStandard(doc, guid);
    return standard ? standard->GetFontID() : DUxStandard(nullptr, guid).GetFontID();
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
