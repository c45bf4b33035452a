#include "dc/RDxInstance.h"

#include <string>

#include "dc/RDxErrors.h"
#include "dc/RDxTemplate.h"
#include "dc/RSeTemplateMgr.h"
#include "rse/RSeTransaction.h"

namespace {
UTxString16 Number(int64_t v) {
    return UTx::MakeWideString(std::to_string(v));
}
} // namespace

void RDxInstance::SetTemplate(const RDxTemplate* tmpl) {
    if (tmpl)
        SetTemplateId(tmpl->GetGUID(), tmpl->GetVersion());
    else
        SetTemplateId(UTxGUID(), 0);
}

void RDxInstance::SetTemplateId(const UTxGUID& guid, int32_t version) {
    if (m_templateGuid == guid && m_templateVersion == version) return;
    RSe::PrepareWrite(this);
    m_templateGuid = guid;
    m_templateVersion = version;
    MarkEdited(true);
}

RDxTemplate* RDxInstance::GetTemplate() const {
    return m_templateGuid.IsNil() ? nullptr
                                  : RSeTemplateMgr::GetTemplate(m_templateGuid, m_templateVersion);
}

UTxResult RDxInstance::Compute(RDxComputeContext& ctx) {
    RDxTemplate* tmpl = GetTemplate();
    if (!tmpl)
        return UTxResult(kRDxErrNoTemplate,
                         m_templateGuid.ToString16() + u" version " + Number(m_templateVersion));
    const int32_t wanted = tmpl->GetInputCount();
    if (wanted >= 0 && uint32_t(wanted) != GetInputStateCount())
        return UTxResult(kRDxErrInputCount, tmpl->GetName() + u" takes " + Number(wanted) +
                                                u", the instance has " +
                                                Number(GetInputStateCount()));
    for (uint32_t i = 0; i < GetInputStateCount(); ++i)
        if (!GetInputStates()[i].HasTarget())
            return UTxResult(kRDxErrMissingInput, u"input " + Number(i));
    return tmpl->ComputeInstance(*this, ctx);
}
