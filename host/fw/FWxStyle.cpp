#include "fw/FWxStyle.h"

#include <map>

#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeMetaType.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeTransaction.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b01, 0x3c4e11d2, 0x9a110800, 0x09db0101);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const FWxStyle*) {
    static RSeMetaType* mt =
        RSeMakeMeta<FWxStyle>(u"FWxStyle", &InitGuid, 0, RSeMetaType::kClass,
                              RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const FWxStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr));

RSeMetaType* FWxStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void FWxStyle::SetStyleName(const UTxString16& name) {
    if (m_name == name) return;
    RSe::PrepareWrite(this);
    m_name = name;
}

void FWxStyle::SetStyleDescription(const UTxString16& description) {
    if (m_description == description) return;
    RSe::PrepareWrite(this);
    m_description = description;
}

void FWxStyle::MarkEdited(int32_t count) {
    RSe::PrepareWrite(this);
    m_edits += count;
}

void FWxStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_name);
    s.Read(m_description);
    s.Read(m_edits);
}

void FWxStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_name);
    s.Write(m_description);
    s.Write(m_edits);
}

UTxResult FWxStyle::Clone(FWxStyle* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_name = m_name;
    target->m_description = m_description;
    target->m_edits = m_edits;
    return {};
}

void FWxStyle::CleanStyleEdits() {
    if (m_edits == 0) return;
    RSe::PrepareWrite(this);
    m_edits = 0;
}

bool FWxStyle::IsCached() const {
    const RSeSegment* segment = RSe::SegmentOf(this);
    return segment && RSe::DatabaseOf(segment) && segment != RSe::TransientSegment(false) &&
           segment != RSe::TransientSegment(true);
}

bool FWxStyle::RepairStyleName(UTxString16& name) {
    UTxString16 repaired;
    for (char16_t c : name)
        if (c >= 0x20 && c != 0x7F) repaired.push_back(c);
    const auto space = [](char16_t c) { return c == u' ' || c == 0xA0 || c == 0x3000; };
    while (!repaired.empty() && space(repaired.back()))
        repaired.pop_back();
    size_t first = 0;
    while (first < repaired.size() && space(repaired[first]))
        ++first;
    repaired.erase(0, first);
    if (repaired.empty()) repaired = u"Style";
    if (repaired == name) return false;
    name = std::move(repaired);
    return true;
}

UTxString16 FWxStyle::GetStyleReference(const RSeRef<FWxStyle>& style) {
    return FWxUtil::GetTranscriptMgr().StringFromRef(style);
}

namespace {
std::map<UTxString16, const RSeMetaType*>& Kinds() {
    static std::map<UTxString16, const RSeMetaType*> kinds;
    return kinds;
}
} // namespace

void FWxStylesCollection::RegisterKind(const UTxString16& name, const RSeMetaType* kind) {
    Kinds()[name] = kind;
}

const RSeMetaType* FWxStylesCollection::FindKind(const UTxString16& name) {
    auto it = Kinds().find(name);
    return it == Kinds().end() ? nullptr : it->second;
}

std::vector<RSeRef<FWxStyle>> FWxStylesCollection::GetStyles() const {
    std::vector<RSeRef<FWxStyle>> out;
    if (!m_doc) return out;
    for (FWxStyle* s : m_doc->GetStyles())
        if (s->GetMeta()->IsKindOf(m_kind)) out.emplace_back(s);
    return out;
}

RSeRef<FWxStyle> FWxStylesCollection::Find(const UTxString16& name) const {
    return RSeRef<FWxStyle>(m_doc ? m_doc->FindStyle(m_kind, name) : nullptr);
}

RSeRef<FWxStyle> FWxStylesCollection::AddStyle(const RSeRef<FWxStyle>& style) {
    FWxStyle* s = style.get();
    if (!m_doc || !s || !s->GetMeta()->IsKindOf(m_kind)) return {};
    return m_doc->AddStyle(s) ? style : RSeRef<FWxStyle>();
}

RSeRef<FWxStyle> FWxStylesCollection::RenameStyle(const UTxString16& from, const UTxString16& to) {
    RSeRef<FWxStyle> style = Find(from);
    FWxStyle* s = style.get();
    if (!s) return {};
    if (from == to) return style;
    if (Find(to).HasTarget()) return {};
    s->SetStyleName(to);
    return style;
}
