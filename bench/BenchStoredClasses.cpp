#include "BenchStoredClasses.h"

#include "rse/RSeMeta.h"

namespace {
void BenchGuid(UTxGUID& g) {
    g = UTxGUID(0xbe4c0001, 0x00010001, 0x80000000, 0x00000001);
}
} // namespace

RSeMetaType* BenchMeta() {
    static RSeMetaType* mt = RSeMakeMeta<BenchNode>(
        u"BenchNode", &BenchGuid, 0, RSeMetaType::kClass, RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}

RSeMetaType* BenchNode::GetMeta() const {
    return BenchMeta();
}

void BenchNode::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_value);
    s.Read(m_weight);
    s.Read(m_next);
    DLxPersistUtil::ReadVector(s, m_links);
    DLxPersistUtil::ReadVector(s, m_codes);
}

void BenchNode::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_next.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_links, ctx);
}

void BenchNode::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_value << m_weight;
    s.Write(m_next);
    DLxPersistUtil::WriteVector(s, m_links);
    DLxPersistUtil::WriteVector(s, m_codes);
}
