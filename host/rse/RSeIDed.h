#pragma once
#include "rse/RSeRef.h"
#include "rse/RSeVMeta.h"

class RSeDatabase;
class RSeStream;
class RSeMetaContext;
class RSeCloneCommander;
class UTxResult;

// An identified object: it has an id in its database and can be the target of RSeRef.
// Objects outside any segment have no id and cannot be referred to.
class RSeIDed : public RSeVMeta {
public:
    RSeIDed();
    explicit RSeIDed(const RSeStream*) : RSeIDed() {}
    ~RSeIDed() override;

    RSeMetaType* GetMeta() const override;

    uint32_t GetId() const { return m_handle ? m_handle->id : 0; }
    RSeDatabase* GetDatabase() const { return m_handle ? m_handle->db : nullptr; }
    RSeHandle* GetHandle() const { return m_handle; }

private:
    friend class RSeRefBase;
    friend class RSeDatabase;
    RSeHandle* m_handle = nullptr;
};

namespace RSe {
RSeMetaType* _InitMeta(const RSeIDed*);
RSeMetaType* _GetMeta(const RSeIDed*);
} // namespace RSe
