#include "rse/RSeMetaType.h"

#include <cassert>
#include <memory>
#include <unordered_map>

#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeStream.h"
#include "rse/RSeVMeta.h"

namespace {
struct Registry {
    std::unordered_map<UTxString16, RSeMetaType*> byName;
    std::unordered_map<UTxGUID, RSeMetaType*, UTxGUIDHash> byGuid;
};
Registry& GetRegistry() {
    static Registry r;
    return r;
}
} // namespace

RSeMetaType::RSeMetaType(const char16_t* name, uint32_t size, const UTxGUID* owner,
                         void (*guidInit)(UTxGUID&), uint16_t version, uint32_t flags, uint16_t,
                         RSeMetaType* base, uint32_t, int32_t hasBase, bool, const char16_t*,
                         const char16_t*)
    : m_name(name ? name : u""), m_size(size), m_version(version), m_flags(flags),
      m_base(hasBase ? base : nullptr) {
    if (owner) {
        m_owner = *owner;
        m_hasOwner = true;
    }
    if (guidInit) guidInit(m_guid);
}

RSeMetaType::RSeMetaType(const RSeMetaType& other, uint16_t)
    : m_name(other.m_name), m_size(other.m_size), m_owner(other.m_owner),
      m_hasOwner(other.m_hasOwner), m_guid(other.m_guid), m_version(other.m_version),
      m_flags(other.m_flags), m_base(other.m_base), m_embedded(other.m_embedded),
      m_classMeta(const_cast<RSeMetaType&>(other).GetClassMeta()), m_load(other.m_load),
      m_fixPtrs(other.m_fixPtrs), m_postRestore(other.m_postRestore), m_ownSave(other.m_ownSave) {}

RSeMetaType::~RSeMetaType() {
    for (auto& [v, mt] : m_versionMetas)
        delete mt;
}

void RSeMetaType::Register() {
    Registry& r = GetRegistry();
    // Two classes under one name or GUID would make stored documents ambiguous.
    assert(!r.byName.count(m_name) && "meta type registered twice under one name");
    r.byName.emplace(m_name, this);
    if (!m_guid.IsNil()) r.byGuid.emplace(m_guid, this);
}

RSeMetaType* RSeMetaType::Find(const UTxString16& name) {
    Registry& r = GetRegistry();
    auto it = r.byName.find(name);
    return it == r.byName.end() ? nullptr : it->second;
}

RSeMetaType* RSeMetaType::FindByGUID(const UTxGUID& guid) {
    Registry& r = GetRegistry();
    auto it = r.byGuid.find(guid);
    return it == r.byGuid.end() ? nullptr : it->second;
}

bool RSeMetaType::IsKindOf(const RSeMetaType* other) const {
    if (!other) return false;
    const RSeMetaType* target = other->GetClassMeta();
    for (const RSeMetaType* mt = GetClassMeta(); mt; mt = mt->m_base)
        if (mt->GetClassMeta() == target) return true;
    return false;
}

RSeMetaType* RSeMetaType::GetVersionMeta(uint16_t storedVersion) {
    RSeMetaType* cls = GetClassMeta();
    if (storedVersion == cls->m_version) return cls;
    auto it = cls->m_versionMetas.find(storedVersion);
    if (it != cls->m_versionMetas.end()) return it->second;
    RSeMetaType* mt = cls->CreateVersionMeta(storedVersion, uint16_t(cls->m_versionMetas.size()));
    cls->m_versionMetas.emplace(storedVersion, mt);
    return mt;
}

void RSeMetaType::AddFormerForm(const UTxGUID& guid, uint16_t storedVersion, uint16_t asVersion) {
    RSeMetaType* cls = GetClassMeta();
    // A former form is older than every stored version: never the current one, never newer.
    assert(guid != cls->m_guid && asVersion != cls->m_version &&
           "a former form is neither the class's GUID nor its current version");
    cls->m_formerForms.push_back({guid, storedVersion, asVersion});
}

bool RSeMetaType::FindFormerForm(const UTxGUID& guid, uint16_t storedVersion,
                                 uint16_t& asVersion) const {
    for (const FormerForm& f : GetClassMeta()->m_formerForms)
        if (f.guid == guid && f.storedVersion == storedVersion) {
            asVersion = f.asVersion;
            return true;
        }
    return false;
}

RSeMetaType* RSeMetaType::CreateVersionMeta(uint16_t storedVersion, uint16_t index) {
    auto* mt = new RSeMetaType(*this, index);
    mt->AddFlags(kVersionMeta);
    mt->SetVersion(storedVersion);
    return mt;
}

RSeVMeta* RSeMetaType::Construct(RSeSegment*) {
    return nullptr;
}

uint32_t RSeMetaType::Construct(RSeSegment* segment, uint32_t n, RSeVMeta** out) {
    // One at a time, each in its own memory; they are listed as they are made.
    for (uint32_t i = 0; i < n; ++i) {
        out[i] = Construct(segment);
        if (!out[i]) {
            while (i-- > 0)
                delete out[i];
            return 0;
        }
    }
    return n;
}
void RSeMetaType::SeedPtrs(RSeVMeta*, RSeAddrMap&, uint32_t) {}

void RSeMetaType::Save(const RSeVMeta* obj, RSeStream& stream) {
    if (m_base && !m_base->SavePartIsEmpty()) m_base->_Save(obj, stream);
}

UTxResult RSeMetaType::Clone(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc) {
    return m_base ? m_base->_Clone(src, dst, cc) : UTxResult();
}

UTxResult RSeMetaType::PostClone(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc) {
    return m_base ? m_base->_PostClone(dst, src, cc) : UTxResult();
}

RSeMetaType* RSeMetaType::LoadSide(RSeMetaContext& ctx) {
    if (!ctx.IsLoading()) return this;
    if (IsVersionMeta()) return this;
    RSeMetaType* active = GetClassMeta()->m_activeLoad;
    if (!active) RSe::ThrowDamaged(u"the class " + m_name + u" is read but not declared");
    return active;
}

bool RSeMetaType::LoadPartIsEmpty(RSeMetaContext& ctx, bool fix) {
    const RSeMetaType* mt = this;
    if (ctx.IsLoading() && !IsVersionMeta()) {
        mt = GetClassMeta()->m_activeLoad;
        if (!mt) return false; // the call must run, and fail
    }
    if (mt->m_base) return false;
    return fix ? mt->m_fixPtrs == &PlainFixPtrs : mt->m_load == &PlainLoad;
}

bool RSeMetaType::ChainIsPlain(bool restore) const {
    for (const RSeMetaType* mt = this;;) {
        if (restore ? mt->m_postRestore != &PlainPostRestore : mt->m_fixPtrs != &PlainFixPtrs)
            return false;
        const RSeMetaType* base = mt->m_base;
        if (!base) return true;
        // The base's part is run by the meta type that reads the base in this load; without
        // one the call itself must run, and fail.
        mt = base->IsVersionMeta() ? base : base->GetClassMeta()->m_activeLoad;
        if (!mt) return false;
    }
}

namespace {
struct ContextScope {
    RSeMetaContext& ctx;
    ContextScope(RSeMetaContext& c, RSeMetaType* mt) : ctx(c) { ctx.Push(mt); }
    ~ContextScope() { ctx.Pop(); }
};
} // namespace

void RSeMetaType::_Load(RSeVMeta* obj, RSeStream& stream) {
    RSeMetaContext& ctx = stream.GetMetaContext();
    RSeMetaType* mt = LoadSide(ctx);
    ContextScope scope(ctx, mt);
    mt->m_load(obj, stream);
}

void RSeMetaType::_Save(const RSeVMeta* obj, RSeStream& stream) {
    ContextScope scope(stream.GetMetaContext(), this);
    Save(obj, stream);
}

void RSeMetaType::_vFixPtrs(RSeVMeta* obj, RSeMetaContext& ctx) {
    RSeMetaType* mt = LoadSide(ctx);
    ContextScope scope(ctx, mt);
    mt->m_fixPtrs(obj, ctx);
}

UTxResult RSeMetaType::_vPostRestore(RSeVMeta* obj, RSeMetaContext& ctx) {
    RSeMetaType* mt = LoadSide(ctx);
    ContextScope scope(ctx, mt);
    return mt->m_postRestore(obj, ctx);
}

UTxResult RSeMetaType::_Clone(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc) {
    ContextScope scope(cc->GetMetaContext(), this);
    return Clone(src, dst, cc);
}

UTxResult RSeMetaType::_PostClone(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc) {
    ContextScope scope(cc->GetMetaContext(), this);
    return PostClone(dst, src, cc);
}

void RSeMetaType::PlainLoad(RSeVMeta* obj, RSeStream& stream) {
    RSeMetaType* base = stream.GetMetaContext().GetBaseMT();
    if (base && !base->LoadPartIsEmpty(stream.GetMetaContext(), false)) base->_Load(obj, stream);
}

void RSeMetaType::PlainSave(const RSeVMeta* obj, RSeStream& stream) {
    RSeMetaType* base = stream.GetMetaContext().GetBaseMT();
    if (base && !base->SavePartIsEmpty()) base->_Save(obj, stream);
}

UTxResult RSeMetaType::PlainClone(const RSeVMeta* src, RSeVMeta* dst, RSeCloneCommander* cc) {
    if (RSeMetaType* base = cc->GetMetaContext().GetBaseMT()) return base->_Clone(src, dst, cc);
    return {};
}

UTxResult RSeMetaType::PlainPostClone(RSeVMeta* dst, const RSeVMeta* src, RSeCloneCommander* cc) {
    if (RSeMetaType* base = cc->GetMetaContext().GetBaseMT()) return base->_PostClone(dst, src, cc);
    return {};
}

void RSeMetaType::PlainFixPtrs(RSeVMeta* obj, RSeMetaContext& ctx) {
    RSeMetaType* base = ctx.GetBaseMT();
    if (base && !base->LoadPartIsEmpty(ctx, true)) base->_vFixPtrs(obj, ctx);
}

UTxResult RSeMetaType::PlainPostRestore(RSeVMeta* obj, RSeMetaContext& ctx) {
    if (RSeMetaType* base = ctx.GetBaseMT()) return base->_vPostRestore(obj, ctx);
    return {};
}

void RSeMetaContext::BadHandleIndex() {
    RSe::ThrowDamaged(u"a stored reference names an object index beyond the document");
}

void RSeMetaContext::FixPointer(void*& p) const {
    const uintptr_t v = reinterpret_cast<uintptr_t>(p);
    if (!v) return;
    if (v > m_valueCount)
        RSe::ThrowDamaged(u"a stored value pointer names an object beyond the document");
    p = m_values[v - 1];
}

namespace RSe {
RSeMetaType* _GetMeta(const void*) {
    static RSeMetaType voidMeta(u"void", 0, nullptr, nullptr, 0, 0, 0, nullptr, 0, 0, false,
                                nullptr, nullptr);
    return &voidMeta;
}
RSeMetaType* MetaTypeOf(const RSeVMeta* obj) {
    return obj ? obj->GetMeta() : nullptr;
}
} // namespace RSe
