#include "TstPersistClasses.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

namespace {
void EmbeddedGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e002, 0x00010001, 0x80000000, 0x00000001);
}
void PersistNodeGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e007, 0x00010001, 0x80000000, 0x00000001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const TstEmbedded*) {
    static RSeMetaType* mt =
        RSeMakeMeta<TstEmbedded>(u"TstEmbedded", &EmbeddedGuid, 0, RSeMetaType::kValueClass, nullptr);
    return mt;
}
RSeMetaType* _GetMeta(const TstEmbedded* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const TstPersistNode*) {
    static RSeMetaType* mt =
        RSeMakeMeta<TstPersistNode>(u"TstPersistNode", &PersistNodeGuid, 0, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const TstNode*>(nullptr)),
                                    RSe::_InitMeta(static_cast<const TstEmbedded*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const TstPersistNode* p) {
    return _InitMeta(p);
}
} // namespace RSe

// Register at load time, as a persistence unit does.
static RSeMetaType* const s_metas[] = {
    RSe::_InitMeta(static_cast<const TstEmbedded*>(nullptr)),
    RSe::_InitMeta(static_cast<const TstPersistNode*>(nullptr)),
};

RSeMetaType* TstEmbedded::GetMeta() const {
    return RSe::_GetMeta(this);
}
void TstEmbedded::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_code);
}
void TstEmbedded::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_code;
}

RSeMetaType* TstPersistNode::GetMeta() const {
    return RSe::_GetMeta(this);
}

void TstPersistNode::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    DLxPersistUtil::WriteVector(s, m_reserved);
    DLxPersistUtil::WriteVector(s, m_nested);
    DLxPersistUtil::WriteVector(s, m_pairs);
    m_textMap.Save(s);
    m_valueMap.Save(s);
    DLxPersistUtil::SaveEmbedded(s, m_embedded, RSe::_GetMeta(&m_embedded));
}

void TstPersistNode::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    DLxPersistUtil::ReadVector(s, m_reserved);
    DLxPersistUtil::ReadVector(s, m_nested);
    DLxPersistUtil::ReadVector(s, m_pairs);
    m_textMap.Load(s);
    m_valueMap.Load(s);
    DLxPersistUtil::LoadEmbedded(s, m_embedded, RSe::_GetMeta(&m_embedded));
}

void TstPersistNode::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_textMap.FixPtrs(ctx);
    m_valueMap.FixPtrs(ctx);
}

UTxResult TstPersistNode::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    m_textMap.PostRestore();
    m_valueMap.PostRestore();
    return {};
}

UTxResult TstPersistNode::Clone(TstPersistNode* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_reserved = m_reserved;
    t->m_nested = m_nested;
    t->m_pairs = m_pairs;
    m_textMap.Clone(t->m_textMap, cc);
    m_valueMap.Clone(t->m_valueMap, cc);
    t->m_embedded.m_code = m_embedded.m_code;
    return {};
}

UTxResult TstPersistNode::PostClone(TstPersistNode* source, RSeCloneCommander* cc) {
    DLxPersistUtil::PostCloneBase(this, source, cc);
    m_textMap.PostClone();
    m_valueMap.PostClone();
    return {};
}

void TstFillPersistNode(TstPersistNode* n, TstNode* peer, int seed) {
    TstFillNode(n, peer, seed);
    n->m_reserved = {1, -2, 3};
    n->m_reserved.reserve(7);
    n->m_nested = {{}, {4, 5}};
    n->m_pairs = {{1, u"one"}, {2, u"two"}};
    if (peer) n->m_textMap.Get()[RSeRef<TstNode>(peer)] = u"peer";
    n->m_textMap.Get()[RSeRef<TstNode>(n)] = u"self";
    if (RSeSegment* seg = n->GetSegment()) {
        auto* v = TstNew<TstValue>(seg);
        v->m_weight = -1;
        v->m_label = u"mapped";
        n->m_valueMap.Get()[RSeRef<TstNode>(n)] = v;
    }
    n->m_embedded.m_code = 4000 + seed;
}
