#pragma once
#include "rse/RSeRef.h"
#include "rse/RSeVMeta.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class RSeStream;
class RSeMetaContext;
class RSeCloneCommander;

// A finding about an object, kept apart from the result that reported it so that it can be
// listed, shown and cleared later. Diagnoses live in the transient segment: a document never
// saves them.
class UTxDiagnosis : public RSeVMeta {
public:
    UTxDiagnosis() = default;
    explicit UTxDiagnosis(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    // A new diagnosis in the transient segment. The caller (or whoever it hands the diagnosis
    // to) deletes it.
    static UTxDiagnosis* Create(UTxResultCode code, UTxString16 text,
                                const RSeIDed* subject = nullptr);
    // The same, from a result: its code and message.
    static UTxDiagnosis* Create(const UTxResult& result, const RSeIDed* subject = nullptr);

    UTxResultCode GetCode() const { return m_code; }
    void SetCode(UTxResultCode code) { m_code = code; }
    const UTxString16& GetText() const { return m_text; }
    void SetText(UTxString16 text) { m_text = std::move(text); }
    // The object the diagnosis is about; null when it is about none or that object has gone.
    const RSeRef<RSeIDed>& GetSubject() const { return m_subject; }
    void SetSubject(const RSeIDed* subject) { m_subject = subject; }

    void AttachDiagnosisToResult(UTxResult& result) { result.AttachDiagnosis(this); }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(UTxDiagnosis* target, RSeCloneCommander* cc) const;

private:
    UTxResultCode m_code = 0;
    UTxString16 m_text;
    RSeRef<RSeIDed> m_subject;
};

namespace RSe {
RSeMetaType* _InitMeta(const UTxDiagnosis*);
RSeMetaType* _GetMeta(const UTxDiagnosis*);
} // namespace RSe
