// Storage of the item-number ranges, version 0: the single ids, then the range bounds (two
// vectors of texts).
#include "BofM/DLxPartListItemIdRanges.h"
#include "BofM/DLxPersistUtil.h"
#include "rse/RSeMeta.h"

namespace {
// {0d564eb9-8b0e-11d2-8bc8-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x0D564EB9, 0x8B0E11D2, 0x8BC80800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListItemIdRanges*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListItemIdRanges>(
        u"DLxPartListItemIdRanges", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListItemIdRanges* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListItemIdRanges::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListItemIdRanges::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    DLxPersistUtil::ReadVector(s, m_singleIds);
    DLxPersistUtil::ReadVector(s, m_rangeBounds);
}

void DLxPartListItemIdRanges::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    DLxPersistUtil::WriteVector(s, m_singleIds);
    DLxPersistUtil::WriteVector(s, m_rangeBounds);
}

UTxResult DLxPartListItemIdRanges::Clone(DLxPartListItemIdRanges* target,
                                         RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_singleIds = m_singleIds;
    target->m_rangeBounds = m_rangeBounds;
    return {};
}
