#include "dc/RDxTemplate.h"

#include "dc/RSeTemplateMgr.h"

RDxTemplate::RDxTemplate(const UTxGUID& guid, int32_t version, UTxString16 name)
    : m_guid(guid), m_version(version), m_name(std::move(name)) {}

RDxTemplate::~RDxTemplate() {
    RSeTemplateMgr::Unregister(this);
}

UTxResult RDxTemplate::ComputeInstance(RDxInstance&, RDxComputeContext&) const {
    return {};
}
