#include "dl/DLxAnnotationUpdateState.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b21, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxAnnoUpdateData*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxAnnoUpdateData>(
        u"DLxAnnoUpdateData", &InitGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxAnnoUpdateData* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxBalloonUpdateData*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxBalloonUpdateData>(
        u"DLxBalloonUpdateData", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxAnnoUpdateData*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxBalloonUpdateData* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxPartListUpdateData*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListUpdateData>(
        u"DLxPartListUpdateData", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxAnnoUpdateData*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListUpdateData* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxAnnotationUpdateState*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxAnnotationUpdateState>(
        u"DLxAnnotationUpdateState", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxAnnotationUpdateState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_data = RSe::_InitMeta(static_cast<const DLxAnnoUpdateData*>(nullptr));
static RSeMetaType* const s_balloon =
    RSe::_InitMeta(static_cast<const DLxBalloonUpdateData*>(nullptr));
static RSeMetaType* const s_partList =
    RSe::_InitMeta(static_cast<const DLxPartListUpdateData*>(nullptr));
static RSeMetaType* const s_state =
    RSe::_InitMeta(static_cast<const DLxAnnotationUpdateState*>(nullptr));

RSeMetaType* DLxAnnoUpdateData::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxBalloonUpdateData::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxPartListUpdateData::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxAnnotationUpdateState::GetMeta() const {
    return RSe::_GetMeta(this);
}

namespace {
void SaveIds(RSeStream& s, const std::vector<int32_t>& v) {
    s.Write(uint32_t(v.size()));
    for (int32_t id : v)
        s.Write(id);
}
void LoadIds(RSeStream& s, std::vector<int32_t>& v) {
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5);
    v.resize(n);
    if (n) s.Read(v.data(), n);
}
} // namespace

void DLxBalloonUpdateData::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 10);
    m_items.assign(n, {});
    for (Item& item : m_items) {
        std::vector<int32_t> path, items;
        LoadIds(s, path);
        LoadIds(s, items);
        item.cookie = DLxLocalBOMCookie();
        for (size_t i = 0; i < items.size(); ++i)
            if (i == 0)
                item.cookie = DLxLocalBOMCookie(path, items[0]);
            else
                item.cookie.Add(items[i]);
        LoadIds(s, item.path);
    }
    s.Read(m_visible);
}

void DLxBalloonUpdateData::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(uint32_t(m_items.size()));
    for (const Item& item : m_items) {
        SaveIds(s, item.cookie.path());
        SaveIds(s, item.cookie.items());
        SaveIds(s, item.path);
    }
    s.Write(m_visible);
}

UTxResult DLxBalloonUpdateData::Clone(DLxBalloonUpdateData* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_items = m_items;
    target->m_visible = m_visible;
    return {};
}

// Record after the base: the interest in balloon changes (bool).
void DLxPartListUpdateData::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_balloons);
}

void DLxPartListUpdateData::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_balloons);
}

UTxResult DLxPartListUpdateData::Clone(DLxPartListUpdateData* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_balloons = m_balloons;
    return {};
}

void DLxAnnotationUpdateState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_annotation);
    s.Read(m_sheet);
    s.Read(m_data);
    s.Read(m_dirty);
    s.Read(m_type);
    s.Read(m_status);
}

void DLxAnnotationUpdateState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_annotation);
    s.Write(m_sheet);
    s.Write(m_data);
    s.Write(m_dirty);
    s.Write(m_type);
    s.Write(m_status);
}

void DLxAnnotationUpdateState::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_annotation.FixAddress(ctx);
    m_sheet.FixAddress(ctx);
    m_data.FixAddress(ctx);
}

UTxResult DLxAnnotationUpdateState::Clone(DLxAnnotationUpdateState* target,
                                          RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_annotation, target->m_annotation);
    cc->CloneRef(m_sheet, target->m_sheet);
    cc->CloneRef(m_data, target->m_data);
    target->m_dirty = m_dirty;
    target->m_type = m_type;
    target->m_status = m_status;
    return {};
}
