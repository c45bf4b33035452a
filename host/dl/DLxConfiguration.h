#pragma once
// One configuration of the model a bill of materials lists (the model as one family-table
// member shows it): its bill, its structure (through its tag manager), its root, its status
// and the annotations placed from it. A bill has one configuration, made on first asking.
#include <cstdint>
#include <string>
#include <vector>

#include "dc/RDxObject.h"
#include "rse/RSeRef.h"

class DLxAnnotationUpdateState;
class DLxLocalBOM;
class DLxStructureNode;
class DLxTagManager;
class RDxComponent;
struct DLxAssemblyData;

class DLxConfiguration : public RDxObject {
public:
    // Status bits: 0x4 a change of the configuration is pending.
    static constexpr uint32_t kPending = 0x4;

    DLxConfiguration() = default;
    explicit DLxConfiguration(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // In the bill's segment.
    static DLxConfiguration* Create(DLxLocalBOM* bom, const std::u16string& memberName);

    DLxLocalBOM* GetLocalBOM() const;
    // The model the configuration shows; null while its bill has none attached.
    const DLxAssemblyData* GetUFRxInstance() const;
    const std::u16string& GetMemberName() const { return m_member; }
    // Its tag manager, made (in the configuration's segment) when `create`.
    DLxTagManager* GetTagManager(bool create);
    DLxStructureNode* GetRootStructureNode();
    RDxComponent* GetRootComponent();
    uint32_t GetStatus() const { return m_status; }
    void SetStatus(uint32_t status);
    // The update states of the annotations placed from its bill, and forgetting one.
    std::vector<DLxAnnotationUpdateState*> GetAllAnnotations() const;
    bool PurgeAnnotation(const RSeIDed* annotation);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxConfiguration* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxLocalBOM> m_bom;
    RSeRef<DLxTagManager> m_tagManager;
    std::u16string m_member;
    uint32_t m_status = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxConfiguration*);
RSeMetaType* _GetMeta(const DLxConfiguration*);
} // namespace RSe
