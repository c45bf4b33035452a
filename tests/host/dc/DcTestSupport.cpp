#include "DcTestSupport.h"

#include "dc/RDxComputeContext.h"
#include "dc/RDxInstance.h"
#include "dc/RDxState.h"
#include "dc/RDxStateSet.h"
#include "rd/RDxInt.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "rse/UTxDiagnosis.h"

namespace {
void InitSumGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e101, 0x00010001, 0x80000000, 0x00000002);
}

int32_t SumOf(RDxState* s) {
    if (auto* i = dynamic_cast<RDxInt*>(s)) return i->GetValue();
    int32_t sum = 0;
    if (auto* set = dynamic_cast<RDxStateSet*>(s))
        for (uint32_t k = 0; k < set->GetCount(); ++k)
            sum += SumOf(set->GetState(k));
    return sum;
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const TstSumConstraint*) {
    static RSeMetaType* mt = RSeMakeMeta<TstSumConstraint>(
        u"TstSumConstraint", &InitSumGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RDxDirectedConstraint*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const TstSumConstraint* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_sumMeta = RSe::_InitMeta(static_cast<const TstSumConstraint*>(nullptr));

std::vector<std::string>& TstComputeLog() {
    static std::vector<std::string> log;
    return log;
}

RSeMetaType* TstSumConstraint::GetMeta() const {
    return RSe::_GetMeta(this);
}

void TstSumConstraint::SetMode(Mode mode) {
    RSe::PrepareWrite(this);
    m_mode = mode;
    MarkEdited(true);
}

UTxResult TstSumConstraint::Compute(RDxComputeContext&) {
    TstComputeLog().push_back(m_label);
    if (m_mode == kFails) return UTxResult(kTstErrSum, u"sum refused");
    if (m_mode == kFailsWithDiagnosis) {
        UTxResult r(kTstErrSum);
        UTxDiagnosis::Create(kTstErrSum, u"own finding")->AttachDiagnosisToResult(r);
        return r;
    }
    int32_t sum = 0;
    for (uint32_t i = 0; i < GetInputStateCount(); ++i)
        sum += SumOf(GetInputState(i));
    for (uint32_t i = 0; i < GetOutputStateCount(); ++i)
        if (auto* out = dynamic_cast<RDxInt*>(GetOutputState(i))) out->SetValue(sum);
    if (m_mode == kWarns) return UTxResult(kTstWarnSum);
    return {};
}

void TstSumConstraint::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    UTxString16 label;
    s.Read(label);
    m_label = UTx::ToUtf8(label);
    s.Read(m_mode);
}

void TstSumConstraint::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(UTx::MakeWideString(m_label));
    s.Write(m_mode);
}

UTxResult TstSumConstraint::Clone(TstSumConstraint* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_label = m_label;
    target->m_mode = m_mode;
    return {};
}

UTxResult TstScaleTemplate::ComputeInstance(RDxInstance& inst, RDxComputeContext& ctx) const {
    int32_t scale = 1;
    if (!ctx.GetInt(u"test.scale", scale)) scale = 1;
    const int32_t v = static_cast<RDxInt*>(inst.GetInputState(0))->GetValue() * scale;
    for (uint32_t i = 0; i < inst.GetOutputStateCount(); ++i)
        if (auto* out = dynamic_cast<RDxInt*>(inst.GetOutputState(i))) out->SetValue(v);
    return {};
}
