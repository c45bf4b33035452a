// Storage of the legacy weld symbol, after the legacy symbol part: the sub-weldings (vector of
// references). Versions 0 and 1 share this layout; a symbol of version 0 is queued for the weld
// upgrade.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxWeldSymbol.h"
#include "rse/RSeMeta.h"

namespace {
// {91da7221-b7a0-11d1-b53f-00aa00405997}
void WeldSymbolGuid(UTxGUID& g) {
    g = UTxGUID(0x91da7221, 0xb7a011d1, 0xb53f00aa, 0x00405997);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxWeldSymbol*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxWeldSymbol>(u"DLxWeldSymbol", &WeldSymbolGuid, 1, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const DLxSymbol*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxWeldSymbol* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxWeldSymbol::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxWeldSymbol::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    DLxPersistUtil::ReadVector(s, m_subWeldings);
}

void DLxWeldSymbol::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    DLxPersistUtil::WriteVector(s, m_subWeldings);
}

void DLxWeldSymbol::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    DLxPersistUtil::FixVector(m_subWeldings, ctx);
}

UTxResult DLxWeldSymbol::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0) QueueForUpgrade();
    return {};
}

UTxResult DLxWeldSymbol::Clone(DLxWeldSymbol* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwnedVector(m_subWeldings, t->m_subWeldings, cc);
    return {};
}
