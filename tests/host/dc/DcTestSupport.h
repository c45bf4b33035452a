#pragma once
// Stored classes and fixtures for the document kernel's tests.
#include <string>
#include <vector>

#include "dc/RDxDirectedConstraint.h"
#include "dc/RDxTemplate.h"
#include "rse/RSeSegment.h"
#include "utx/UTxResult.h"

// Writes the sum of its integer inputs (a set input counts its integer members) to its integer
// outputs, and logs its label when it computes. It can be told to fail or warn.
class TstSumConstraint : public RDxDirectedConstraint {
public:
    enum Mode : int32_t { kWorks, kFails, kFailsWithDiagnosis, kWarns };

    TstSumConstraint() = default;
    explicit TstSumConstraint(const RSeStream* s) : RDxDirectedConstraint(s) {}
    RSeMetaType* GetMeta() const override;

    const std::string& GetLabel() const { return m_label; }
    void SetLabel(std::string label) { m_label = std::move(label); }
    void SetMode(Mode mode);

    UTxResult Compute(RDxComputeContext& ctx) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(TstSumConstraint* target, RSeCloneCommander* cc) const;

private:
    std::string m_label;
    int32_t m_mode = kWorks;
};

namespace RSe {
RSeMetaType* _InitMeta(const TstSumConstraint*);
RSeMetaType* _GetMeta(const TstSumConstraint*);
} // namespace RSe

// The codes the constraint fails and warns with.
constexpr UTxResultCode kTstErrSum = UTxResult::MakeCode(UTxSeverityError, 0x7E, 1);
constexpr UTxResultCode kTstWarnSum = UTxResult::MakeCode(UTxSeverityWarning, 0x7E, 2);

// Writes its one input times the pass's "test.scale" (1 when absent) to its outputs.
class TstScaleTemplate : public RDxTemplate {
public:
    using RDxTemplate::RDxTemplate;
    int32_t GetInputCount() const override { return 1; }
    UTxResult ComputeInstance(RDxInstance& inst, RDxComputeContext& ctx) const override;
};
inline const UTxGUID kTstScaleGuid(0x51a7e201, 0x00010001, 0x80000000, 0x00000002);

// Labels of the constraints in the order they computed.
std::vector<std::string>& TstComputeLog();

template <class T> T* TstMake(RSeSegment* seg) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T();
}
