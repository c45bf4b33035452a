#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCBalloon.h"
#include "dl/DLxStructureNode.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void BalloonGuid(UTxGUID& g) {
    g = UTxGUID(0xe9ce739f, 0x5e2111d2, 0x9b9d0060, 0xb087bcec);
}

// A cookie: its path, then its items (one for a single row, several for a grouped one).
void SaveCookie(RSeStream& s, const DLxLocalBOMCookie& cookie) {
    const std::vector<int32_t> path = cookie.path();
    const std::vector<int32_t> items = cookie.items();
    DLxPersistUtil::WriteVector(s, path);
    DLxPersistUtil::WriteVector(s, items);
}

DLxLocalBOMCookie LoadCookie(RSeStream& s) {
    std::vector<int32_t> path, items;
    DLxPersistUtil::ReadVector(s, path);
    DLxPersistUtil::ReadVector(s, items);
    if (items.empty()) return {};
    DLxLocalBOMCookie cookie(path, items.front());
    for (size_t i = 1; i < items.size(); ++i)
        cookie.Add(items[i]);
    return cookie;
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCBalloon*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxCBalloon>(u"DLxCBalloon", &BalloonGuid, 12, RSeMetaType::kClass,
                                 RSe::_InitMeta(static_cast<const DLxCTableCallout*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCBalloon* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCBalloon::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Overrides: a map of (property, text) in key order, each property as its set, id, heading
// and member.
void DLxCBalloon::ReadOverrides(RSeStream& s) {
    RSeTypeCode code;
    s.Read(code);
    if (code.code != RSeTypeCode::kMap) RSe::ThrowDamaged(u"a balloon's overrides are no map");
    uint32_t n = 0;
    s.Read(n);
    m_overrides.clear();
    if (!n) return;
    s.CheckCount(n, 20);
    s.ReadNoTypeMark();
    s.ReadNoTypeMark();
    for (uint32_t i = 0; i < n; ++i) {
        DUxStyleFormatColumnPropertyID property;
        property.Load(s);
        UTxString16 member, text;
        s.Read(member);
        s.Read(text);
        property.SetMemberID(member);
        m_overrides[property] = text;
    }
}

// Record (version 12), after the callout's: structure node, cookie, overrides.
void DLxCBalloon::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_node);
    }
    m_cookie = LoadCookie(s);
    ReadOverrides(s);
}

// Before version 12 the callout level stored nothing and the balloon kept the callout's values
// in its own record. Versions up to 6 also kept the row of the older parts-list model and up to
// 5 the balloon's kind (and from 3 its item columns): the upgrades that would take them are not
// in this program, so they are read past.
void DLxCBalloon::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    DLxPersistUtil::LoadBase(this, s);
    ClearMeasures();
    if (version > 12) return;
    RSeIRefAllocDisable guard(s.GetSegment());
    RSeRef<RSeIDed> oldRow;
    bool oldRowFlag = false;
    int32_t kind = 0;
    s.Read(m_index);
    if (version <= 6) s.Read(oldRow);
    s.Read(m_direction);
    RSeLoadData(s, m_origin);
    if (version <= 5) s.Read(kind);
    if (version <= 6) s.Read(oldRowFlag);
    if (version >= 2) {
        s.Read(m_overrideText);
        s.Read(m_sketchInstance);
    }
    if (version >= 3 && version <= 5) {
        std::vector<RSeRef<RSeIDed>> itemColumns;
        DLxPersistUtil::ReadVector(s, itemColumns);
    }
    // Version 0 wrote the stack direction 4 as 1.
    if (version == 0 && m_direction == 1) m_direction = 4;
    if (version <= 6) return;
    s.Read(m_node);
    m_cookie = LoadCookie(s);
    if (version >= 9) {
        ReadOverrides(s);
        return;
    }
    // Versions 7 and 8 counted their overrides. Version 8 named each property by a stored
    // property-id object, which this program never stores: none designates one and each is
    // dropped. Version 7's older property records cannot be read here at all.
    m_overrides.clear();
    int32_t n = 0;
    s.Read(n);
    if (n < 0) RSe::ThrowDamaged(u"a balloon's override count is negative");
    if (version == 7 && n) RSe::ThrowDamaged(u"a balloon of version 7 holds older property ids");
    s.CheckCount(uint32_t(n), 8);
    for (int32_t i = 0; i < n; ++i) {
        RSeRef<RSeIDed> property;
        UTxString16 text;
        s.Read(property);
        s.Read(text);
    }
}

void DLxCBalloon::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_node);
    SaveCookie(s, m_cookie);
    s << RSeTypeCode::kMap << uint32_t(m_overrides.size());
    if (m_overrides.empty()) return;
    s.WriteNoTypeMark();
    s.WriteNoTypeMark();
    for (const auto& [property, text] : m_overrides) {
        property.Save(s);
        s << property.GetMemberID() << text;
    }
}

void DLxCBalloon::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_node.FixAddress(ctx);
}

// The callout's level resolves the override text and sketch instance the older record held.
void DLxCBalloon::FixPtrsMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) > 6) m_node.FixAddress(ctx);
}

// A copy in a transient segment (a preview) keeps the node it numbers; a copy elsewhere takes
// the clone commander's.
UTxResult DLxCBalloon::Clone(DLxCBalloon* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    if (RSe::SegmentOf(t) == RSe::TransientSegment())
        t->m_node = m_node;
    else
        cc->CloneRef(m_node, t->m_node);
    t->m_cookie = m_cookie;
    t->m_overrides = m_overrides;
    return {};
}
