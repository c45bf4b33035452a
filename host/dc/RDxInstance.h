#pragma once
#include <cstdint>

#include "dc/RDxDirectedConstraint.h"
#include "utx/UTxGUID.h"

class RDxTemplate;

// A placed instance of a template: its ordered input states are the constraint's inputs, and
// its template computes it. The instance stores only the template's GUID and version and finds
// the template again through RSeTemplateMgr, so a document loads without its templates.
class RDxInstance : public RDxDirectedConstraint {
public:
    RDxInstance() = default;
    explicit RDxInstance(const RSeStream* s) : RDxDirectedConstraint(s) {}
    RSeMetaType* GetMeta() const override;

    // Binds the instance to a template (to none when null) and marks it edited.
    void SetTemplate(const RDxTemplate* tmpl);
    void SetTemplateId(const UTxGUID& guid, int32_t version);
    const UTxGUID& GetTemplateGUID() const { return m_templateGuid; }
    int32_t GetTemplateVersion() const { return m_templateVersion; }
    // The registered template, or null when this process has none under that GUID and version.
    RDxTemplate* GetTemplate() const;

    // Fails when the template is missing, the number of inputs is not the template's, or an
    // input has gone; otherwise the template computes the instance.
    UTxResult Compute(RDxComputeContext& ctx) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxInstance* target, RSeCloneCommander* cc) const;

private:
    UTxGUID m_templateGuid;
    int32_t m_templateVersion = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxInstance*);
RSeMetaType* _GetMeta(const RDxInstance*);
} // namespace RSe
