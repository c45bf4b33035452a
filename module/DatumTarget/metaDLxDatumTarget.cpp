#include "BofM/DLxPersistUtil.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "Standard/DLxCTarget.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeErrors.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x06B0ABA0, 0xA8BE11D1, 0xBABD00A0, 0x76A03A3C);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxDatumTarget*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxDatumTarget>(u"DLxDatumTarget", &InitGuid, 1, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const DLxSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDatumTarget* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxDatumTarget*>(nullptr));

RSeMetaType* DLxDatumTarget::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The placed-symbol part, then the default balloon, the target shape, the attached balloons
// and the hidden-leader flag. The second target point, the active balloon, the target point
// and the balloon-attached flag live only in memory.
void DLxDatumTarget::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 1) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_defaultBalloon);
    s.Read(m_shape);
    DLxPersistUtil::ReadVector(s, m_balloons);
    s.Read(m_hidden);
}

void DLxDatumTarget::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_defaultBalloon);
    s.Write(m_shape);
    DLxPersistUtil::WriteVector(s, m_balloons);
    s << m_hidden;
}

void DLxDatumTarget::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_defaultBalloon.FixAddress(ctx);
    m_shape.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_balloons, ctx);
}

UTxResult DLxDatumTarget::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    // A target without its default balloon or shape (a damaged file) cannot be drawn.
    if (!m_defaultBalloon.HasTarget() || !m_shape.HasTarget())
        RSe::ThrowDamaged(u"a datum target without its balloon or shape");
    m_activeBalloon = 0;
    m_balloonAttached = false;
    return {};
}

UTxResult DLxDatumTarget::Clone(DLxDatumTarget* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_defaultBalloon, t->m_defaultBalloon);
    DLxPersistUtil::CloneOwned(cc, m_shape, t->m_shape);
    t->m_balloons.resize(m_balloons.size());
    for (size_t i = 0; i < m_balloons.size(); ++i)
        DLxPersistUtil::CloneOwned(cc, m_balloons[i], t->m_balloons[i]);
    t->m_hidden = m_hidden;
    t->m_activeBalloon = m_activeBalloon;
    t->m_targetPoint = m_targetPoint;
    t->m_balloonAttached = m_balloonAttached;
    return {};
}
