#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "fw/FBxObjectNameKey.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

namespace {
void SketchGuid(UTxGUID& g) {
    g = UTxGUID(0x5c3e7a10, 0x41d211d4, 0xb7610060, 0xb0fbb690);
}
void InstanceGuid(UTxGUID& g) {
    g = UTxGUID(0x5c3e7a11, 0x41d211d4, 0xb7610060, 0xb0fbb690);
}

// Transcripts name a sketch by its name, which a user sees and a new drawing repeats.
class SketchKeyTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override {
        rest = static_cast<const DLxSketch&>(obj).GetName();
        return {};
    }
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc*,
                         RSeIDed*& out) const override {
        out = nullptr;
        if (db.GetSegmentCount() == 0) return {};
        db.GetSegment(0)->ForEachObject([&](RSeVMeta* o) {
            auto* sketch = dynamic_cast<DLxSketch*>(o);
            if (!out && sketch && sketch->GetName() == rest) out = sketch;
        });
        return {};
    }
} g_sketchKeys;

void Write(RSeStream& s, const WqGePoint3d& p) {
    s.Write(p.x);
    s.Write(p.y);
    s.Write(p.z);
}
void Read(RSeStream& s, WqGePoint3d& p) {
    s.Read(p.x);
    s.Read(p.y);
    s.Read(p.z);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSketch*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxSketch>(u"DLxSketch", &SketchGuid, 1, RSeMetaType::kClass,
                               RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSketch* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DLxSketchInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxSketchInstance>(
        u"DLxSketchInstance", &InstanceGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSketchInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

namespace {
struct Registration {
    Registration() {
        RSe::_InitMeta(static_cast<const DLxSketch*>(nullptr));
        RSe::_InitMeta(static_cast<const DLxSketchInstance*>(nullptr));
        FBxObjectNameKey::RegisterTranslator(u"DLxSketch", &g_sketchKeys);
    }
} g_registration;
} // namespace

RSeMetaType* DLxSketch::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DLxSketchInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxSketch::Load(RSeStream& s) {
    LoadFields(s, true);
}

void DLxSketch::LoadMigrate(RSeStream& s) {
    LoadFields(s, s.GetMetaContext().GetStoredVersion() >= 1);
}

void DLxSketch::LoadFields(RSeStream& s, bool withConnections) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_name);
    Read(s, m_insert);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 11 * 8);
    m_curves.assign(n, {});
    for (Curve& c : m_curves) {
        int32_t kind = 0;
        s.Read(kind);
        if (kind < Curve::kLine || kind > Curve::kCircle)
            RSe::ThrowDamaged(u"a sketch curve of unknown kind");
        c.kind = Curve::Kind(kind);
        Read(s, c.start);
        Read(s, c.end);
        Read(s, c.centre);
        s.Read(c.radius);
        s.Read(c.startAngle);
        s.Read(c.endAngle);
    }
    s.Read(n);
    s.CheckCount(n, 4 * 8);
    m_texts.assign(n, {});
    for (Text& t : m_texts) {
        s.Read(t.text);
        s.Read(t.prompt);
        Read(s, t.position);
        s.Read(t.height);
        s.Read(t.prompted);
    }
    s.Read(n);
    s.CheckCount(n, 6 * 8);
    m_images.assign(n, {});
    for (Image& i : m_images) {
        s.Read(i.name);
        Read(s, i.lowerLeft);
        Read(s, i.upperRight);
    }
    m_connections.clear();
    if (!withConnections) return;
    s.Read(n);
    s.CheckCount(n, 3 * 8);
    m_connections.assign(n, {});
    for (WqGePoint3d& p : m_connections)
        Read(s, p);
}

void DLxSketch::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_name);
    Write(s, m_insert);
    s.Write(uint32_t(m_curves.size()));
    for (const Curve& c : m_curves) {
        s.Write(int32_t(c.kind));
        Write(s, c.start);
        Write(s, c.end);
        Write(s, c.centre);
        s.Write(c.radius);
        s.Write(c.startAngle);
        s.Write(c.endAngle);
    }
    s.Write(uint32_t(m_texts.size()));
    for (const Text& t : m_texts) {
        s.Write(t.text);
        s.Write(t.prompt);
        Write(s, t.position);
        s.Write(t.height);
        s.Write(t.prompted);
    }
    s.Write(uint32_t(m_images.size()));
    for (const Image& i : m_images) {
        s.Write(i.name);
        Write(s, i.lowerLeft);
        Write(s, i.upperRight);
    }
    s.Write(uint32_t(m_connections.size()));
    for (const WqGePoint3d& p : m_connections)
        Write(s, p);
}

UTxResult DLxSketch::Clone(DLxSketch* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_name = m_name;
    target->m_insert = m_insert;
    target->m_curves = m_curves;
    target->m_texts = m_texts;
    target->m_images = m_images;
    target->m_connections = m_connections;
    return {};
}

void DLxSketchInstance::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_sketch);
    s.Read(m_sheet);
    s.Read(m_owner);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 4);
    m_texts.assign(n, {});
    for (UTxString16& t : m_texts)
        s.Read(t);
}

void DLxSketchInstance::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_sketch);
    s.Write(m_sheet);
    s.Write(m_owner);
    s.Write(uint32_t(m_texts.size()));
    for (const UTxString16& t : m_texts)
        s.Write(t);
}

void DLxSketchInstance::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_sketch.FixAddress(ctx);
    m_sheet.FixAddress(ctx);
    m_owner.FixAddress(ctx);
}

UTxResult DLxSketchInstance::Clone(DLxSketchInstance* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_sketch, target->m_sketch);
    cc->CloneRef(m_sheet, target->m_sheet);
    cc->CloneRef(m_owner, target->m_owner);
    target->m_texts = m_texts;
    return {};
}
