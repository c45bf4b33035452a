#include "dl/DLxAssemblyCheck.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingAssembly.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "utx/UTxString16.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0ba1, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}

// Smallest stored sizes, for checking counts before anything is made of them: a tagged
// integer or count is 5 bytes, a boolean 2, a double 9, an empty string 5.
constexpr size_t kStringBytes = 5;
constexpr size_t kComponentBytes =
    2 * 5 + 6 * kStringBytes + 9 + 3 * 2 + 5 + 5 + 2 + 5 + kStringBytes;
constexpr size_t kOccurrenceBytes = 4 * 5;

void SaveStrings(RSeStream& s, const std::vector<std::u16string>& list) {
    s.Write(uint32_t(list.size()));
    for (const std::u16string& v : list)
        s.Write(v);
}
void LoadStrings(RSeStream& s, std::vector<std::u16string>& list) {
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, kStringBytes);
    list.assign(n, {});
    for (std::u16string& v : list)
        s.Read(v);
}

void SaveComponent(RSeStream& s, const DLxAssemblyComponent& c) {
    s.Write(c.id);
    s.Write(int32_t(c.kind));
    s.Write(c.name);
    s.Write(c.path);
    s.Write(c.partNumber);
    s.Write(c.description);
    s.Write(c.material);
    s.Write(c.vendor);
    s.Write(c.mass);
    s.Write(c.hasMass);
    s.Write(c.purchased);
    s.Write(c.standardPart);
    s.Write(uint32_t(c.userProperties.size()));
    for (const DLxAssemblyProperty& p : c.userProperties) {
        s.Write(p.name);
        s.Write(p.value);
    }
    SaveStrings(s, c.representations);
    s.Write(c.isFactory);
    SaveStrings(s, c.factoryMembers);
    s.Write(c.activeMember);
}

void LoadComponent(RSeStream& s, DLxAssemblyComponent& c) {
    int32_t kind = 0;
    s.Read(c.id);
    s.Read(kind);
    // Checked whole by DLxAssemblyCheck once everything is read.
    c.kind = DLxAssemblyComponent::Kind(kind);
    s.Read(c.name);
    s.Read(c.path);
    s.Read(c.partNumber);
    s.Read(c.description);
    s.Read(c.material);
    s.Read(c.vendor);
    s.Read(c.mass);
    s.Read(c.hasMass);
    s.Read(c.purchased);
    s.Read(c.standardPart);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 2 * kStringBytes);
    c.userProperties.assign(n, {});
    for (DLxAssemblyProperty& p : c.userProperties) {
        s.Read(p.name);
        s.Read(p.value);
    }
    LoadStrings(s, c.representations);
    s.Read(c.isFactory);
    LoadStrings(s, c.factoryMembers);
    s.Read(c.activeMember);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxDrawingAssembly*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxDrawingAssembly>(u"DLxDrawingAssembly", &InitGuid, 0, RSeMetaType::kClass,
                                        RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDrawingAssembly* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxDrawingAssembly*>(nullptr));

RSeMetaType* DLxDrawingAssembly::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxDrawingAssembly::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    DLxAssemblyData& d = *m_data;
    d = DLxAssemblyData();
    s.Read(d.root);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, kComponentBytes);
    d.components.assign(n, {});
    for (DLxAssemblyComponent& c : d.components)
        LoadComponent(s, c);
    s.Read(n);
    s.CheckCount(n, kOccurrenceBytes);
    d.occurrences.assign(n, {});
    for (DLxAssemblyOccurrence& o : d.occurrences) {
        s.Read(o.id);
        s.Read(o.parent);
        s.Read(o.component);
        s.Read(o.quantity);
    }
    DLxAssemblyBOMScheme& scheme = d.scheme;
    s.Read(scheme.structuredEnabled);
    s.Read(scheme.partsOnlyEnabled);
    s.Read(scheme.structuredAllLevels);
    s.Read(scheme.structuredFormat);
    s.Read(scheme.structuredDelimiter);
    s.Read(scheme.partsOnlyFormat);
    s.Read(scheme.updatePending);
    // What reads the assembly (the structure, the bill of materials) relies on its soundness.
    const DLxAssemblyFault fault = DLxAssemblyCheck::Check(d);
    if (!fault.Empty())
        RSe::ThrowDamaged(u"the drawing's assembly is not sound: " +
                          UTx::MakeWideString(fault.path + ": " + fault.what));
}

void DLxDrawingAssembly::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    const DLxAssemblyData& d = *m_data;
    s.Write(d.root);
    s.Write(uint32_t(d.components.size()));
    for (const DLxAssemblyComponent& c : d.components)
        SaveComponent(s, c);
    s.Write(uint32_t(d.occurrences.size()));
    for (const DLxAssemblyOccurrence& o : d.occurrences) {
        s.Write(o.id);
        s.Write(o.parent);
        s.Write(o.component);
        s.Write(o.quantity);
    }
    const DLxAssemblyBOMScheme& scheme = d.scheme;
    s.Write(scheme.structuredEnabled);
    s.Write(scheme.partsOnlyEnabled);
    s.Write(scheme.structuredAllLevels);
    s.Write(scheme.structuredFormat);
    s.Write(scheme.structuredDelimiter);
    s.Write(scheme.partsOnlyFormat);
    s.Write(scheme.updatePending);
}

UTxResult DLxDrawingAssembly::Clone(DLxDrawingAssembly* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    *target->m_data = *m_data;
    return {};
}
