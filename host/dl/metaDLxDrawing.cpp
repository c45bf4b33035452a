#include "dl/DLxDrawing.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b10, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxDrawing*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxDrawing>(
        u"DLxDrawing", &InitGuid, 0, 0xF18, RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDrawing* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxDrawing*>(nullptr));

RSeMetaType* DLxDrawing::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxDrawing::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_standard);
}

void DLxDrawing::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_standard);
}

UTxResult DLxDrawing::Clone(DLxDrawing* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_standard = m_standard;
    return {};
}
