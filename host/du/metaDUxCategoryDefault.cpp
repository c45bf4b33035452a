#include "du/DUxCategoryDefault.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0c03, 0x3c4e11d2, 0x9a110800, 0x09db0203);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxCategoryDefault*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxCategoryDefault>(u"DUxCategoryDefault", &InitGuid, 0, RSeMetaType::kClass,
                                        RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxCategoryDefault* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxCategoryDefault*>(nullptr));

RSeMetaType* DUxCategoryDefault::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxCategoryDefault::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_category);
    s.Read(m_standard);
}

void DUxCategoryDefault::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_category);
    s.Write(m_standard);
}

UTxResult DUxCategoryDefault::Clone(DUxCategoryDefault* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_doc = m_doc;
    t->m_category = m_category;
    t->m_standard = m_standard;
    return {};
}
