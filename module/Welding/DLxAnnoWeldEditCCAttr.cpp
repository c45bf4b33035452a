#include "Welding/DLxAnnoWeldEditCCAttr.h"

#include "Welding/DLxAnnoWeldInstance.h"
#include "dc/RDxComputeContext.h"

namespace {
constexpr char16_t kChangeType[] = u"DLxAnnoWeldEditCCAttr.ChangeType";
constexpr char16_t kManipIndex[] = u"DLxAnnoWeldEditCCAttr.ManipIndex";
constexpr char16_t kAnnoWeld[] = u"DLxAnnoWeldEditCCAttr.AnnoWeld";
} // namespace

void DLxAnnoWeldEditCCAttr::AddTo(RDxComputeContext& ctx) const {
    ctx.SetInt(kChangeType, int32_t(m_changeType));
    ctx.SetInt(kManipIndex, m_manipIndex);
    ctx.SetObject(kAnnoWeld, m_weld.get());
}

std::optional<DLxAnnoWeldEditCCAttr> DLxAnnoWeldEditCCAttr::Find(const RDxComputeContext& ctx) {
    int32_t type = 0;
    if (!ctx.GetInt(kChangeType, type)) return std::nullopt;
    DLxAnnoWeldEditCCAttr attr;
    attr.m_changeType = EChangeType(type);
    ctx.GetInt(kManipIndex, attr.m_manipIndex);
    attr.m_weld = RSeRef<DLxAnnoWeldInstance>(ctx.GetObjectAs<DLxAnnoWeldInstance>(kAnnoWeld));
    return attr;
}
