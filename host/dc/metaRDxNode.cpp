#include "dc/RDxNode.h"

#include <string>

#include "dc/RDxFragment.h"
#include "dc/RDxPersist.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "utx/UTxString16.h"

namespace {
void InitNodeGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a11, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RDxNode*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RDxNode>(u"RDxNode", &InitNodeGuid, 0, RSeMetaType::kAbstractClass,
                             RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const RDxNode* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_nodeMeta = RSe::_InitMeta(static_cast<const RDxNode*>(nullptr));

RSeMetaType* RDxNode::GetMeta() const {
    return RSe::_GetMeta(this);
}

void RDxNode::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_fragment);
    s.Read(m_edited);
    s.Read(m_birthday);
    RDxPersist::LoadRefs(s, m_dependencies);
}

void RDxNode::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_fragment);
    s.Write(m_edited);
    s.Write(m_birthday);
    RDxPersist::SaveRefs(s, m_dependencies);
}

void RDxNode::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_fragment.FixAddress(ctx);
    // The fragment checks its loaded node list against this count (RDxFragment::PostRestore).
    if (ctx.IsLoading())
        if (RSeIDed* target = m_fragment.GetTarget()) {
            auto* fragment = dynamic_cast<RDxFragment*>(target);
            if (!fragment)
                RSe::ThrowDamaged(u"object #" + UTx::MakeWideString(std::to_string(GetId())) +
                                  u" names as its fragment an object that is not one");
            ++fragment->m_loadClaims;
        }
    RDxPersist::FixRefs(m_dependencies, ctx);
}

UTxResult RDxNode::Clone(RDxNode* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    // A node belongs to a fragment only when the fragment is copied along with it: the
    // original fragment does not list the copy.
    RSeIDed* fragmentCopy = cc->CloneOf(m_fragment);
    target->m_fragment = RSeRef<RDxFragment>(RSeRefBase(fragmentCopy));
    target->m_edited = m_edited;
    target->m_birthday = m_birthday;
    RDxPersist::CloneRefs(m_dependencies, target->m_dependencies, cc);
    return {};
}
