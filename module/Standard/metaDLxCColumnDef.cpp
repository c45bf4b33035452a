#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCColumnDef.h"
#include "rse/RSeMeta.h"

namespace {
void ColumnDefGuid(UTxGUID& g) {
    g = UTxGUID(0xa2e573e6, 0x9f6d11d2, 0xb2e80060, 0xb0fbe8cf);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCColumnDef*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxCColumnDef>(u"DLxCColumnDef", &ColumnDefGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCColumnDef* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCColumnDef::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Record: name, column number (16-bit), width, first and second integer.
void DLxCColumnDef::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_name);
    s.Read(m_column);
    s.Read(m_width);
    s.Read(m_first);
    s.Read(m_second);
}

void DLxCColumnDef::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_name << m_column << m_width << m_first << m_second;
}

UTxResult DLxCColumnDef::Clone(DLxCColumnDef* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_name = m_name;
    t->m_column = m_column;
    t->m_width = m_width;
    t->m_first = m_first;
    t->m_second = m_second;
    return {};
}
