// Storage of the legacy symbol base, after the emblem part:
//   version 1: the arrowhead vertex indices (vector of longs), the leader records (vector of
//              references), display leaders (bool), the arrowhead index base (short), the
//              matrix, the orientation (long), a reserved reference, the origin (point), the
//              X, Y and Z axes (vectors), the arrow type (long), the arrowhead state
//              (reference), the attach direction (vector);
//   version 0: the same without the attach direction, which loads as the zero vector.
// The class has no objects of its own: its kinds store it as their base part and queue their
// older versions for upgrade (QueueForUpgrade).
#include "BofM/DLxPersistUtil.h"
#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "rse/RSeCloneCommander.h"
#include "Symbol/DLxSymbol.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeSegmentMigrator.h"

namespace {
// {6e656962-b79e-11d1-b53f-00aa00405997}
void SymbolGuid(UTxGUID& g) {
    g = UTxGUID(0x6e656962, 0xb79e11d1, 0xb53f00aa, 0x00405997);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSymbol*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxSymbol>(u"DLxSymbol", &SymbolGuid, 1, RSeMetaType::kAbstractClass,
                               RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSymbol* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxSymbol::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxSymbol::ReadFields(RSeStream& s, bool withAttachDirection) {
    DLxPersistUtil::ReadVector(s, m_arrowheadVertices);
    DLxPersistUtil::ReadVector(s, m_leaders);
    s.Read(m_displayLeaders);
    s.Read(m_arrowheadIndexBase);
    RSeLoadData(s, m_matrix);
    s.Read(m_orientation);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_reserved);
    }
    RSeLoadData(s, m_origin);
    RSeLoadData(s, m_xAxis);
    RSeLoadData(s, m_yAxis);
    RSeLoadData(s, m_zAxis);
    s.Read(m_arrowType);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_arrowheadState);
    }
    m_attachDirection = WqGeVector3d(0, 0, 0);
    if (withAttachDirection) RSeLoadData(s, m_attachDirection);
}

void DLxSymbol::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    ReadFields(s, true);
}

void DLxSymbol::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    ReadFields(s, false);
}

void DLxSymbol::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    DLxPersistUtil::WriteVector(s, m_arrowheadVertices);
    DLxPersistUtil::WriteVector(s, m_leaders);
    s << m_displayLeaders << m_arrowheadIndexBase;
    RSeSaveData(s, m_matrix);
    s << m_orientation;
    s.Write(m_reserved);
    RSeSaveData(s, m_origin);
    RSeSaveData(s, m_xAxis);
    RSeSaveData(s, m_yAxis);
    RSeSaveData(s, m_zAxis);
    s << m_arrowType;
    s.Write(m_arrowheadState);
    RSeSaveData(s, m_attachDirection);
}

void DLxSymbol::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    DLxPersistUtil::FixVector(m_leaders, ctx);
    m_arrowheadState.FixAddress(ctx);
    m_reserved.FixAddress(ctx);
}

UTxResult DLxSymbol::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    AdoptLeaders();
    return {};
}

namespace {
// A record is copied with its node tree, so that the copy's nodes are its own.
void CloneLeaderRecord(RSeCloneCommander* cc, const RSeRef<DLxCLeader>& src,
                       RSeRef<DLxCLeader>& dst) {
    cc->CloneRef(src, dst);
    DLxCLeader* record = static_cast<DLxCLeader*>(src.GetTarget());
    if (!record || dst.GetTarget() != record || !cc->GetTargetSegment()) return;
    std::vector<RSeVMeta*> sources{record};
    std::vector<DLxCLeaderNode*> nodes;
    if (const DLxCLeaderNode* root = record->GetRootNode()) root->CollectPreOrder(nodes);
    sources.insert(sources.end(), nodes.begin(), nodes.end());
    RSeCloneCommander own(cc->GetTargetSegment());
    if (own.Clone(sources).Failed()) {
        dst.Clear();
        return;
    }
    dst.SetTarget(dynamic_cast<RSeIDed*>(own.CloneOf(record)));
}
} // namespace

// Each copy owns its own leader records; the reserved reference is not carried over.
UTxResult DLxSymbol::Clone(DLxSymbol* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_arrowheadVertices = m_arrowheadVertices;
    t->m_leaders.resize(m_leaders.size());
    for (size_t i = 0; i < m_leaders.size(); ++i)
        CloneLeaderRecord(cc, m_leaders[i], t->m_leaders[i]);
    t->m_displayLeaders = m_displayLeaders;
    t->m_arrowheadIndexBase = m_arrowheadIndexBase;
    t->m_matrix = m_matrix;
    t->m_orientation = m_orientation;
    t->m_origin = m_origin;
    t->m_xAxis = m_xAxis;
    t->m_yAxis = m_yAxis;
    t->m_zAxis = m_zAxis;
    t->m_arrowType = m_arrowType;
    cc->CloneRef(m_arrowheadState, t->m_arrowheadState);
    t->m_attachDirection = m_attachDirection;
    // The copied records still name this symbol as their owner.
    t->AdoptLeaders();
    return {};
}

void DLxSymbol::QueueForUpgrade(uint16_t number) {
    if (RSeSegmentMigrationContextRSeRef* queue =
            RSe::SegmentMigrationContextRSeRef(GetSegment(), GetMeta(), number, true))
        queue->Add(RSeRef<RSeIDed>(this));
}
