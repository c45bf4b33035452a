#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCTarget.h"
#include "dc/RDxObject.h"
#include "du/DUxSymUnitAttr.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

// Records (all version 0). Sub-symbol: target type, origin, owner. Point: point style. Line:
// style value, end point, ratio. Circular area: radius. Rectangular area: rotation, width,
// height. Balloon: size text, target text, connection type, orientation type, alternate-unit
// angle, alternate text outside, alternate-unit position (its unit attributes are handed over
// for each drawing and not kept).
#define DLX_TARGET_META(Cls, Base, w0, w1, w2, w3)                                                 \
    namespace {                                                                                    \
    void Cls##_Guid(UTxGUID& g) {                                                                  \
        g = UTxGUID(w0, w1, w2, w3);                                                               \
    }                                                                                              \
    }                                                                                              \
    namespace RSe {                                                                                \
    RSeMetaType* _InitMeta(const Cls*) {                                                           \
        static RSeMetaType* mt =                                                                   \
            RSeMakeMeta<Cls>(u## #Cls, &Cls##_Guid, 0, RSeMetaType::kClass,                        \
                             RSe::_InitMeta(static_cast<const Base*>(nullptr)));                   \
        return mt;                                                                                 \
    }                                                                                              \
    RSeMetaType* _GetMeta(const Cls* p) {                                                          \
        return _InitMeta(p);                                                                       \
    }                                                                                              \
    }                                                                                              \
    RSeMetaType* Cls::GetMeta() const {                                                            \
        return RSe::_GetMeta(this);                                                                \
    }                                                                                              \
    static RSeMetaType* const s_meta_##Cls = RSe::_InitMeta(static_cast<const Cls*>(nullptr));

DLX_TARGET_META(DLxCTargetSubSym, RSeIDed, 0x0a7e1c01, 0xa8be11d1, 0xbabd00a0, 0x76a03a3c)
DLX_TARGET_META(DLxCTarget, DLxCTargetSubSym, 0x0a7e1c02, 0xa8be11d1, 0xbabd00a0, 0x76a03a3c)
DLX_TARGET_META(DLxCTargetPoint, DLxCTarget, 0x0a7e1c03, 0xa8be11d1, 0xbabd00a0, 0x76a03a3c)
DLX_TARGET_META(DLxCTargetLine, DLxCTarget, 0x0a7e1c04, 0xa8be11d1, 0xbabd00a0, 0x76a03a3c)
DLX_TARGET_META(DLxCTargetCircularArea, DLxCTarget, 0x0a7e1c05, 0xa8be11d1, 0xbabd00a0,
                0x76a03a3c)
DLX_TARGET_META(DLxCTargetRectangularArea, DLxCTarget, 0x0a7e1c06, 0xa8be11d1, 0xbabd00a0,
                0x76a03a3c)
DLX_TARGET_META(DLxCTargetBalloon, DLxCTargetSubSym, 0x0a7e1c07, 0xa8be11d1, 0xbabd00a0,
                0x76a03a3c)

void DLxCTargetSubSym::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_type);
    RSeLoadData(s, m_origin);
    s.Read(m_owner);
}

void DLxCTargetSubSym::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_type;
    RSeSaveData(s, m_origin);
    s.Write(m_owner);
}

void DLxCTargetSubSym::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_owner.FixAddress(ctx);
}

UTxResult DLxCTargetSubSym::Clone(DLxCTargetSubSym* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_type = m_type;
    t->m_origin = m_origin;
    cc->CloneRef(m_owner, t->m_owner);
    return {};
}

void DLxCTargetPoint::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_pointStyle);
}

void DLxCTargetPoint::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_pointStyle;
}

UTxResult DLxCTargetPoint::Clone(DLxCTargetPoint* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_pointStyle = m_pointStyle;
    return {};
}

void DLxCTargetLine::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_styleValue);
    RSeLoadData(s, m_end);
    s.Read(m_ratio);
}

void DLxCTargetLine::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_styleValue;
    RSeSaveData(s, m_end);
    s << m_ratio;
}

UTxResult DLxCTargetLine::Clone(DLxCTargetLine* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_styleValue = m_styleValue;
    t->m_end = m_end;
    t->m_ratio = m_ratio;
    return {};
}

void DLxCTargetCircularArea::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_radius);
}

void DLxCTargetCircularArea::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_radius;
}

UTxResult DLxCTargetCircularArea::Clone(DLxCTargetCircularArea* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_radius = m_radius;
    return {};
}

void DLxCTargetRectangularArea::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_rotation);
    s.Read(m_width);
    s.Read(m_height);
}

void DLxCTargetRectangularArea::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_rotation << m_width << m_height;
}

UTxResult DLxCTargetRectangularArea::Clone(DLxCTargetRectangularArea* t,
                                           RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_rotation = m_rotation;
    t->m_width = m_width;
    t->m_height = m_height;
    return {};
}

void DLxCTargetBalloon::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_size);
    s.Read(m_target);
    s.Read(m_connection);
    s.Read(m_orientation);
    s.Read(m_altAngle);
    s.Read(m_altOutside);
    RSeLoadData(s, m_altPosition);
}

void DLxCTargetBalloon::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_size << m_target << m_connection << m_orientation << m_altAngle << m_altOutside;
    RSeSaveData(s, m_altPosition);
}

UTxResult DLxCTargetBalloon::Clone(DLxCTargetBalloon* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_size = m_size;
    t->m_target = m_target;
    t->m_connection = m_connection;
    t->m_orientation = m_orientation;
    t->m_altAngle = m_altAngle;
    t->m_altOutside = m_altOutside;
    t->m_altPosition = m_altPosition;
    return {};
}
