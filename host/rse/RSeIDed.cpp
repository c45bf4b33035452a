#include "rse/RSeIDed.h"

#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

RSeIDed::RSeIDed() {
    if (RSeSegment* seg = GetSegment())
        if (RSeDatabase* db = seg->GetDatabase()) m_handle = db->AttachObject(this);
}

RSeIDed::~RSeIDed() {
    if (m_handle) {
        m_handle->type = nullptr;
        if (m_handle->db)
            m_handle->db->DetachObject(m_handle);
        else
            m_handle->obj = nullptr;
    }
}

RSeMetaType* RSeIDed::GetMeta() const {
    return RSe::_GetMeta(this);
}

namespace {
void InitIDedGuid(UTxGUID& g) {
    g = UTxGUID(0x4b6f7276, 0x49440001, 0x8000c0de, 0x00000001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const RSeIDed*) {
    static RSeMetaType* mt =
        RSeMakeMeta<RSeIDed>(u"RSeIDed", &InitIDedGuid, 0, RSeMetaType::kAbstractClass, nullptr);
    return mt;
}
RSeMetaType* _GetMeta(const RSeIDed* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_idedMeta = RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr));
