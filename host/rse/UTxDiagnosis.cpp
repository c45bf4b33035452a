#include "rse/UTxDiagnosis.h"

#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeIDed.h"
#include "rse/RSeMeta.h"

namespace {
void InitDiagnosisGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0a30, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const UTxDiagnosis*) {
    static RSeMetaType* mt = RSeMakeMeta<UTxDiagnosis>(u"UTxDiagnosis", &InitDiagnosisGuid, 0,
                                                       RSeMetaType::kDiagnosisClass, nullptr);
    return mt;
}
RSeMetaType* _GetMeta(const UTxDiagnosis* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_diagnosisMeta =
    RSe::_InitMeta(static_cast<const UTxDiagnosis*>(nullptr));

RSeMetaType* UTxDiagnosis::GetMeta() const {
    return RSe::_GetMeta(this);
}

UTxDiagnosis* UTxDiagnosis::Create(UTxResultCode code, UTxString16 text, const RSeIDed* subject) {
    auto* d = new (RSe::_GetMeta(static_cast<const UTxDiagnosis*>(nullptr)),
                   RSe::TransientSegment()) UTxDiagnosis();
    d->m_code = code;
    d->m_text = std::move(text);
    d->m_subject = subject;
    return d;
}

UTxDiagnosis* UTxDiagnosis::Create(const UTxResult& result, const RSeIDed* subject) {
    return Create(result.GetCode(), result.GetMessage(), subject);
}

void UTxDiagnosis::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_code);
    s.Read(m_text);
    s.Read(m_subject);
}

void UTxDiagnosis::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_code);
    s.Write(m_text);
    s.Write(m_subject);
}

void UTxDiagnosis::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_subject.FixAddress(ctx);
}

UTxResult UTxDiagnosis::Clone(UTxDiagnosis* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_code = m_code;
    target->m_text = m_text;
    cc->CloneRef(m_subject, target->m_subject);
    return {};
}
