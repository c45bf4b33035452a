#include "dc/RDxPersist.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxLocalBOM.h"
#include "rd/RDxComponent.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b23, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}

// Maps and sets are written in key order, so the bytes follow the content alone.
void SaveStrings(RSeStream& s, const std::set<std::u16string>& v) {
    s.Write(uint32_t(v.size()));
    for (const std::u16string& t : v)
        s.Write(t);
}
void LoadStrings(RSeStream& s, std::set<std::u16string>& v) {
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5);
    v.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::u16string t;
        s.Read(t);
        v.insert(std::move(t));
    }
}
void SaveTexts(RSeStream& s, const std::map<std::u16string, std::u16string>& v) {
    s.Write(uint32_t(v.size()));
    for (const auto& [k, t] : v) {
        s.Write(k);
        s.Write(t);
    }
}
void LoadTexts(RSeStream& s, std::map<std::u16string, std::u16string>& v) {
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 10);
    v.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::u16string k, t;
        s.Read(k);
        s.Read(t);
        v[std::move(k)] = std::move(t);
    }
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxLocalBOM*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxLocalBOM>(u"DLxLocalBOM", &InitGuid, 1, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxLocalBOM* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxLocalBOM*>(nullptr));

RSeMetaType* DLxLocalBOM::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxLocalBOM::Load(RSeStream& s) {
    LoadMigrate(s);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 12);
    m_rowKeys.assign(n, RowKey());
    for (RowKey& k : m_rowKeys) {
        s.Read(k.type);
        s.Read(k.general);
        s.Read(k.custom);
    }
}

void DLxLocalBOM::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_scheme);
    s.Read(m_status);
    s.Read(m_rowKeyMode);
    s.Read(m_lastCustom);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5);
    m_customs.resize(n);
    if (n) s.Read(m_customs.data(), n);
    s.Read(n);
    s.CheckCount(n, 9);
    m_overrides.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::u16string key;
        s.Read(key);
        LoadTexts(s, m_overrides[key]);
    }
    LoadTexts(s, m_itemNumbers);
    s.Read(n);
    s.CheckCount(n, 7);
    m_expanded.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::u16string key;
        bool on = false;
        s.Read(key);
        s.Read(on);
        m_expanded[std::move(key)] = on;
    }
    LoadStrings(s, m_hidden);
    LoadStrings(s, m_propsInUse);
    RDxPersist::LoadRefs(s, m_annotations);
    RDxPersist::LoadRefs(s, m_components);
    s.Read(m_configuration);
}

void DLxLocalBOM::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_annotations, ctx);
    RDxPersist::FixRefs(m_components, ctx);
    m_configuration.FixAddress(ctx);
}

UTxResult DLxLocalBOM::PostRestore(RSeMetaContext& ctx) {
    const UTxResult base = RSeMetaType::PlainPostRestore(this, ctx);
    // Undo and redo also come here: a bill that has a model keeps it. A loaded one finds the
    // drawing's on first use rather than now, so that what runs after this step of the load
    // (the migrators) has put it in its final state.
    if (!m_assembly) {
        m_followsDrawing = true;
        m_restoreSeen = kNotYetDerived;
    }
    return base;
}

void DLxLocalBOM::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_scheme);
    s.Write(m_status);
    s.Write(m_rowKeyMode);
    s.Write(m_lastCustom);
    s.Write(uint32_t(m_customs.size()));
    for (int32_t c : m_customs)
        s.Write(c);
    s.Write(uint32_t(m_overrides.size()));
    for (const auto& [key, cells] : m_overrides) {
        s.Write(key);
        SaveTexts(s, cells);
    }
    SaveTexts(s, m_itemNumbers);
    s.Write(uint32_t(m_expanded.size()));
    for (const auto& [key, on] : m_expanded) {
        s.Write(key);
        s.Write(on);
    }
    SaveStrings(s, m_hidden);
    SaveStrings(s, m_propsInUse);
    RDxPersist::SaveRefs(s, m_annotations);
    RDxPersist::SaveRefs(s, m_components);
    s.Write(m_configuration);
    s.Write(uint32_t(m_rowKeys.size()));
    for (const RowKey& k : m_rowKeys) {
        s.Write(k.type);
        s.Write(k.general);
        s.Write(k.custom);
    }
}

UTxResult DLxLocalBOM::Clone(DLxLocalBOM* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_scheme = m_scheme;
    target->m_status = m_status;
    target->m_rowKeyMode = m_rowKeyMode;
    target->m_rowKeys = m_rowKeys;
    target->m_lastCustom = m_lastCustom;
    target->m_customs = m_customs;
    target->m_overrides = m_overrides;
    target->m_itemNumbers = m_itemNumbers;
    target->m_expanded = m_expanded;
    target->m_hidden = m_hidden;
    target->m_propsInUse = m_propsInUse;
    RDxPersist::CloneRefs(m_annotations, target->m_annotations, cc);
    RDxPersist::CloneRefs(m_components, target->m_components, cc);
    cc->CloneRef(m_configuration, target->m_configuration);
    return {};
}
