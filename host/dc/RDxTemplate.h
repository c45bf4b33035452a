#pragma once
#include <cstdint>

#include "utx/UTxGUID.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class RDxInstance;
class RDxComputeContext;

// What the instances of one kind have in common: how many inputs they take and how they are
// computed. Templates belong to the program, not to documents: they register once per process
// with RSeTemplateMgr, and an instance names its template by GUID and version.
class RDxTemplate {
public:
    RDxTemplate(const UTxGUID& guid, int32_t version, UTxString16 name = {});
    RDxTemplate(const RDxTemplate&) = delete;
    RDxTemplate& operator=(const RDxTemplate&) = delete;
    // Leaves the registry, so that no lookup finds a template that has gone.
    virtual ~RDxTemplate();

    const UTxGUID& GetGUID() const { return m_guid; }
    int32_t GetVersion() const { return m_version; }
    const UTxString16& GetName() const { return m_name; }

    // How many input states an instance takes; negative when any number will do.
    virtual int32_t GetInputCount() const { return -1; }
    // Computes one instance whose inputs are all present and as many as GetInputCount asks.
    // The default has nothing to do.
    virtual UTxResult ComputeInstance(RDxInstance& instance, RDxComputeContext& ctx) const;

private:
    UTxGUID m_guid;
    int32_t m_version;
    UTxString16 m_name;
};
