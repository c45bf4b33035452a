#include "dc/RDxFragment.h"

#include <string>
#include <unordered_set>
#include <utility>

#include "dc/RDxNode.h"
#include "dc/RDxPersist.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxString16.h"

namespace {
void InitFragmentGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a17, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxFragment*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxFragment>(u"RDxFragment", &InitFragmentGuid, 0, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxFragment* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_fragmentMeta = RSe::_InitMeta(static_cast<const RDxFragment*>(nullptr));

RSeMetaType* RDxFragment::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The diagnoses are not part of the record: they belong to the session, not the document. A
// transaction's image leaves the node list and the last birthday out: their changes are
// recorded one by one.
void RDxFragment::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    if (RSe::InTxnImage()) return;
    RDxPersist::LoadRefs(s, m_nodes);
    s.Read(m_lastBirthday);
}

void RDxFragment::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    if (RSe::InTxnImage()) return;
    RDxPersist::SaveRefs(s, m_nodes);
    s.Write(m_lastBirthday);
}

void RDxFragment::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    if (RSe::InTxnImage()) return;
    RDxPersist::FixRefs(m_nodes, ctx);
    RenumberKeys();
}

UTxResult RDxFragment::PostRestore(RSeMetaContext& ctx) {
    const uint32_t claims = std::exchange(m_loadClaims, 0);
    UTxResult r = RSeMetaType::PlainPostRestore(this, ctx);
    if (r.Failed() || !ctx.IsLoading() || RSe::InTxnImage()) return r;
    // A node listed twice would be computed twice a pass, and one left out never.
    std::unordered_set<const RSeHandle*> listed;
    listed.reserve(m_nodes.size());
    for (const RSeRef<RDxNode>& ref : m_nodes) {
        const RDxNode* node = ref.Read();
        if (!node) continue;
        const UTxString16 which = u"object #" + UTx::MakeWideString(std::to_string(node->GetId()));
        if (!listed.insert(ref.GetHandle()).second)
            RSe::ThrowDamaged(u"the fragment's node list names " + which + u" twice");
        if (node->m_fragment.GetTarget() != this)
            RSe::ThrowDamaged(u"the fragment's node list names " + which +
                              u", which belongs to another fragment");
    }
    if (claims != listed.size())
        RSe::ThrowDamaged(u"the fragment's node list leaves out " +
                          UTx::MakeWideString(std::to_string(claims - listed.size())) +
                          u" of its nodes");
    return r;
}

UTxResult RDxFragment::Clone(RDxFragment* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    // The copy holds only the nodes copied along with it: the others stay with this fragment.
    if (!target->m_nodes.empty()) target->EraseNodes(0, uint32_t(target->m_nodes.size()));
    std::vector<RSeHandle*> copies;
    std::vector<uint64_t> keys;
    for (const RSeRef<RDxNode>& r : m_nodes)
        if (RSeIDed* copy = cc->CloneOf(r)) {
            copies.push_back(copy->GetHandle());
            keys.push_back(keys.size() + 1);
        }
    target->InsertNodes(0, copies, keys);
    target->ForgetIndex();
    target->SetLastBirthday(m_lastBirthday);
    return {};
}
