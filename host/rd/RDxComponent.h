#pragma once
// A component of the model (a part document or a sub-assembly) as stored objects refer to it:
// its id in the model, kind, name and path, and the properties a parts list reads, kept as
// they were when the bill of materials made it (the bill refreshes them from the model).
#include <cstdint>
#include <map>
#include <string>

#include "dc/RDxObject.h"

class RDxComponent : public RDxObject {
public:
    enum Kind : int32_t { kPart = 1, kAssembly = 2 };

    RDxComponent() = default;
    explicit RDxComponent(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetComponentId() const { return m_component; }
    Kind GetKind() const { return m_kind; }
    const std::u16string& GetName() const { return m_name; }
    const std::u16string& GetPath() const { return m_path; }
    // A property by the bill's column key ("PartNumber", "User:Finish"); empty when unknown.
    std::u16string GetProperty(const std::u16string& key) const;
    const std::map<std::u16string, std::u16string>& GetProperties() const { return m_props; }

    // Takes everything at once, recording the object only when something differs.
    void Set(int32_t component, Kind kind, const std::u16string& name, const std::u16string& path,
             const std::map<std::u16string, std::u16string>& properties);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxComponent* target, RSeCloneCommander* cc) const;

private:
    int32_t m_component = 0;
    Kind m_kind = kPart;
    std::u16string m_name;
    std::u16string m_path;
    std::map<std::u16string, std::u16string> m_props;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxComponent*);
RSeMetaType* _GetMeta(const RDxComponent*);
} // namespace RSe
