// Storage of the feature-control-frame state and its lines.
//
// DLxGDTStateLine, version 0: the base part, the references to datum A, datum B, datum C,
// symbol, tolerance A and tolerance B, then the framed flag.
//
// DLxGDTState (after the DUxSymState part):
//   version 2: the datum identifier reference, the line vector, the rotation angle (radians);
//   version 1: the same without the rotation angle, which came with the rotate request (the
//              frame loads unturned);
//   version 0: the datum identifier reference, then exactly two lines kept inside the state's
//              own record, each as six references and the framed flag (as the line stores them,
//              without a base part). They become line objects of their own when loaded.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxGDTState.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
// {b1cf069e-b2b8-4107-bb51-a64a0ebc941b}
void LineGuid(UTxGUID& g) {
    g = UTxGUID(0xB1CF069E, 0xB2B84107, 0xBB51A64A, 0x0EBC941B);
}
// {502678e7-9b54-11d4-abae-0010b547d27d}
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x502678E7, 0x9B5411D4, 0xABAE0010, 0xB547D27D);
}

constexpr int32_t kVersionZeroLines = 2;

// The copy of an owned object in a clone: the clone commander's when it copies the object too,
// else a copy of the object and of what it owns, made for the target alone. Owners delete what
// they own, so two owners must never share it.
template <class T> void CloneOwned(RSeCloneCommander* cc, const RSeRef<T>& src, RSeRef<T>& dst) {
    cc->CloneRef(src, dst);
    RSeIDed* obj = src.GetTarget();
    if (!obj || dst.GetTarget() != obj || !cc->GetTargetSegment()) return;
    std::vector<RSeVMeta*> set{obj};
    if (auto* line = dynamic_cast<const DLxGDTStateLine*>(obj)) line->GetOwnedObjects(set);
    RSeCloneCommander own(cc->GetTargetSegment());
    own.Clone(set);
    dst.SetTarget(dynamic_cast<RSeIDed*>(own.CloneOf(obj)));
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxGDTStateLine*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxGDTStateLine>(u"DLxGDTStateLine", &LineGuid, 0, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxGDTStateLine* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxGDTState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxGDTState>(u"DLxGDTState", &StateGuid, 2, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxGDTState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_lineMeta = RSe::_InitMeta(static_cast<const DLxGDTStateLine*>(nullptr));
static RSeMetaType* const s_stateMeta = RSe::_InitMeta(static_cast<const DLxGDTState*>(nullptr));

RSeMetaType* DLxGDTStateLine::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxGDTState::GetMeta() const {
    return RSe::_GetMeta(this);
}

// ---- lines

void DLxGDTStateLine::ReadFields(RSeStream& s) {
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_datumA);
    s.Read(m_datumB);
    s.Read(m_datumC);
    s.Read(m_symbol);
    s.Read(m_toleranceA);
    s.Read(m_toleranceB);
    s.Read(m_framed);
}

RSeRefBase* DLxGDTStateLine::StoredRef(int32_t k) {
    RSeRefBase* refs[6] = {&m_datumA, &m_datumB,     &m_datumC,
                           &m_symbol, &m_toleranceA, &m_toleranceB};
    return refs[k];
}

void DLxGDTStateLine::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    ReadFields(s);
}

void DLxGDTStateLine::LoadMigrate(RSeStream& s) {
    ReadFields(s);
}

void DLxGDTStateLine::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_datumA);
    s.Write(m_datumB);
    s.Write(m_datumC);
    s.Write(m_symbol);
    s.Write(m_toleranceA);
    s.Write(m_toleranceB);
    s << m_framed;
}

void DLxGDTStateLine::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    FixPtrsMigrate(ctx);
}

void DLxGDTStateLine::FixPtrsMigrate(RSeMetaContext& ctx) {
    m_datumA.FixAddress(ctx);
    m_datumB.FixAddress(ctx);
    m_datumC.FixAddress(ctx);
    m_symbol.FixAddress(ctx);
    m_toleranceA.FixAddress(ctx);
    m_toleranceB.FixAddress(ctx);
}

UTxResult DLxGDTStateLine::Clone(DLxGDTStateLine* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    CloneOwned(cc, m_datumA, target->m_datumA);
    CloneOwned(cc, m_datumB, target->m_datumB);
    CloneOwned(cc, m_datumC, target->m_datumC);
    CloneOwned(cc, m_symbol, target->m_symbol);
    CloneOwned(cc, m_toleranceA, target->m_toleranceA);
    CloneOwned(cc, m_toleranceB, target->m_toleranceB);
    target->m_framed = m_framed;
    target->m_width = m_width;
    return {};
}

// ---- the state

void DLxGDTState::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_datumIdentifier);
    DLxPersistUtil::ReadVector(s, m_lines);
    s.Read(m_rotationAngle);
}

void DLxGDTState::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 1) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_datumIdentifier);
    m_rotationAngle = 0.0;
    if (version == 1) {
        DLxPersistUtil::ReadVector(s, m_lines);
        return;
    }
    // Version 0 kept two lines' values in its own record, the k-th value of line 0 then the k-th
    // of line 1; it always offered a third, empty line.
    m_lines.clear();
    RSeMetaType* lineMeta = RSe::_GetMeta(static_cast<const DLxGDTStateLine*>(nullptr));
    for (int32_t i = 0; i < kVersionZeroLines; ++i)
        m_lines.emplace_back(new (lineMeta, s.GetSegment()) DLxGDTStateLine(true));
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        for (int32_t k = 0; k < 6; ++k)
            for (int32_t i = 0; i < kVersionZeroLines; ++i)
                s.Read(*GetLine(i)->StoredRef(k));
    }
    m_lines.emplace_back(new (lineMeta, s.GetSegment()) DLxGDTStateLine());
}

void DLxGDTState::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_datumIdentifier);
    DLxPersistUtil::WriteVector(s, m_lines);
    s << m_rotationAngle;
}

void DLxGDTState::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_datumIdentifier.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_lines, ctx);
}

void DLxGDTState::FixPtrsMigrate(RSeMetaContext& ctx) {
    if (DLxPersistUtil::StoredVersion(ctx) != 0) {
        FixPtrs(ctx);
        return;
    }
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_datumIdentifier.FixAddress(ctx);
    for (int32_t i = 0; i < kVersionZeroLines && i < GetNumberOfLines(); ++i)
        if (DLxGDTStateLine* line = GetLine(i)) line->FixPtrsMigrate(ctx);
}

// A loaded frame has its datum identifier and every line with its six values; a document
// that lost any of them is damaged.
UTxResult DLxGDTState::CheckLoaded(RSeMetaContext& ctx) const {
    if (!ctx.IsLoading()) return {};
    if (!m_datumIdentifier.HasTarget())
        RSe::ThrowDamaged(u"a feature control frame has no datum identifier value");
    for (const RSeRef<DLxGDTStateLine>& r : m_lines) {
        const auto* line = static_cast<const DLxGDTStateLine*>(r.GetTarget());
        if (!line) RSe::ThrowDamaged(u"a feature control frame lost one of its lines");
        std::vector<RSeVMeta*> values;
        line->GetOwnedObjects(values);
        if (values.size() != 6 || !line->RefSymbol() || !line->ToleranceA() ||
            !line->ToleranceB() || !line->DatumA() || !line->DatumB() || !line->DatumC())
            RSe::ThrowDamaged(u"a feature control frame line lost one of its values");
    }
    return {};
}

UTxResult DLxGDTState::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return CheckLoaded(ctx);
}

UTxResult DLxGDTState::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return CheckLoaded(ctx);
}

UTxResult DLxGDTState::Clone(DLxGDTState* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    CloneOwned(cc, m_datumIdentifier, target->m_datumIdentifier);
    target->m_lines.resize(m_lines.size());
    for (size_t i = 0; i < m_lines.size(); ++i)
        CloneOwned(cc, m_lines[i], target->m_lines[i]);
    target->m_rotationAngle = m_rotationAngle;
    target->m_attachOffset = m_attachOffset;
    target->m_datumIdentifierWidth = m_datumIdentifierWidth;
    return {};
}
