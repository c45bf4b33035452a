#include "dl/DLxSheet.h"
#include "fw/FBxObjectNameKey.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b01, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}

// Transcripts name a sheet by its name, which a user sees and a new document repeats.
class SheetKeyTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override {
        rest = static_cast<const DLxSheet&>(obj).GetName();
        return {};
    }
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc*,
                         RSeIDed*& out) const override {
        out = nullptr;
        for (uint32_t i = 0; i < db.GetSegmentCount() && !out; ++i)
            if (auto* sheet = dynamic_cast<DLxSheet*>(db.GetSegment(i)->GetRootObject()))
                if (sheet->GetName() == rest) out = sheet;
        return {};
    }
} g_sheetKeys;
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSheet*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxSheet>(u"DLxSheet", &InitGuid, 0, RSeMetaType::kClass,
                              RSe::_InitMeta(static_cast<const RDxFragment*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSheet* p) {
    return _InitMeta(p);
}
} // namespace RSe

namespace {
struct Registration {
    Registration() {
        RSe::_InitMeta(static_cast<const DLxSheet*>(nullptr));
        FBxObjectNameKey::RegisterTranslator(u"DLxSheet", &g_sheetKeys);
    }
} g_registration;
} // namespace

RSeMetaType* DLxSheet::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxSheet::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_name);
    s.Read(m_width);
    s.Read(m_height);
}

void DLxSheet::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_name);
    s.Write(m_width);
    s.Write(m_height);
}

UTxResult DLxSheet::Clone(DLxSheet* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_name = m_name;
    target->m_width = m_width;
    target->m_height = m_height;
    return {};
}
