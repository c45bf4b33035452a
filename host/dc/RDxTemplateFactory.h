#pragma once
// Templates made on demand: a factory registered under a template GUID and name makes the
// template when the host first needs it. A primitive template computes its instances with a
// plain function.
#include <cstdint>
#include <vector>

#include "dc/RDxTemplate.h"

class RSeSegment;

using RDxPrimitiveComputeFn = UTxResult (*)(RDxInstance& instance, RDxComputeContext& ctx);

class RDxPrimitiveTemplate : public RDxTemplate {
public:
    // `flags` are kept for the host; `data` is extra data the template carries (none here).
    RDxPrimitiveTemplate(RDxPrimitiveComputeFn compute, const UTxGUID& guid,
                         const UTxString16& name, int32_t flags, const void* data);
    int32_t GetFlags() const { return m_flags; }
    UTxResult ComputeInstance(RDxInstance& instance, RDxComputeContext& ctx) const override;

private:
    RDxPrimitiveComputeFn m_compute;
    int32_t m_flags;
};

using RDxTemplateCreateFn = RDxTemplate* (*)(RSeSegment* segment);

// Constructing one registers it; destroying it withdraws it.
class RDxTemplateFactory {
public:
    RDxTemplateFactory(const UTxGUID& guid, const UTxString16& name, RDxTemplateCreateFn fn,
                       int32_t flags);
    ~RDxTemplateFactory();
    RDxTemplateFactory(const RDxTemplateFactory&) = delete;
    RDxTemplateFactory& operator=(const RDxTemplateFactory&) = delete;

    const UTxGUID& GetGUID() const { return m_guid; }
    const UTxString16& GetName() const { return m_name; }
    int32_t GetFlags() const { return m_flags; }
    RDxTemplateCreateFn GetFunction() const { return m_fn; }
    // The latest live factory of the GUID; null when none.
    static const RDxTemplateFactory* Find(const UTxGUID& guid);

private:
    UTxGUID m_guid;
    UTxString16 m_name;
    RDxTemplateCreateFn m_fn;
    int32_t m_flags;
};
