#include "BofM/DLxPersistUtil.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/DLxSymInstance.h"
#include "dc/RDxFragment.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegmentMigrator.h"

namespace {
// {2ed478de-370c-11d4-b761-0060b0fbb682}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x2ed478de, 0x370c11d4, 0xb7610060, 0xb0fbb682);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSymInstance*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxSymInstance>(u"DLxSymInstance", &InitGuid, 7, RSeMetaType::kAbstractClass,
                                    RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSymInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxSymInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxSymInstance::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 7) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_displayLeaders);
    s.Read(m_reverseSide);
    s.Read(m_alwaysHorizontal);
    s.Read(m_alignment);
    s.Read(m_outlineType);
    s.Read(m_symFlags);
}

// Older layouts: 0 nothing; 1 display leaders; 2 the three flags and the alignment; 3 and 4 as 2
// and a GUID, which is dropped; 5 as 3 and the outline type; 6 as 2 and the outline type. No
// older version stored the symbol flags.
void DLxSymInstance::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    const uint16_t v = DLxPersistUtil::StoredVersion(s);
    m_outlineType = 0;
    m_symFlags = 0;
    m_displayLeaders = m_reverseSide = m_alwaysHorizontal = true;
    m_alignment = 0;
    if (v > 6) return;
    if (v >= 1) s.Read(m_displayLeaders);
    if (v >= 2) {
        s.Read(m_reverseSide);
        s.Read(m_alwaysHorizontal);
        s.Read(m_alignment);
    }
    if (v >= 3 && v <= 5) {
        UTxGUID dropped;
        s.Read(dropped);
    }
    if (v >= 5) s.Read(m_outlineType);
    if (v <= 4)
        if (RSeSegmentMigrationContextRSeRef* ctx = RSe::SegmentMigrationContextRSeRef(
                GetSegment(), RSe::_GetMeta(static_cast<const DLxSymInstance*>(nullptr)), 4, true))
            ctx->Add(RSeRef<RSeIDed>(this));
}

UTxResult DLxSymInstance::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) >= 4) return {};
    for (uint32_t i = 0; i < GetInputStateCount(); ++i) {
        auto* tree = dynamic_cast<DUxLeaderNodeTree*>(GetInputState(i));
        if (!tree || tree->GetTerminalNodeGenerator()) continue;
        RDxFragment* fragment = GetFragment().get();
        if (!fragment || fragment->GetSegment() != GetSegment()) continue;
        tree->SetTerminalNodeGenerator(DLxTerminalNodeGenerator::Create(fragment));
    }
    return {};
}

void DLxSymInstance::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_displayLeaders << m_reverseSide << m_alwaysHorizontal << m_alignment << m_outlineType
      << m_symFlags;
}

UTxResult DLxSymInstance::Clone(DLxSymInstance* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_outlineType = m_outlineType;
    target->m_symFlags = m_symFlags;
    target->m_displayLeaders = m_displayLeaders;
    target->m_reverseSide = m_reverseSide;
    target->m_alwaysHorizontal = m_alwaysHorizontal;
    target->m_alignment = m_alignment;
    return {};
}
