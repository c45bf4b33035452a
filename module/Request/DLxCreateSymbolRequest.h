#pragma once
// The datum-target placement and edit requests: DLxCreateSymbolRequest ("CreateDatumTarget")
// places a new datum target built from a transient one that a placement prepared, anchored
// where the user picked; DLxSymbolEditRequest ("EditDatumTarget") copies the balloon values
// and hidden-leader flag of an edited transient copy into a placed datum target. Both journal
// the whole transient target under "TransientDatumTarget"; a replayed request owns the
// transient target it reads (and its transient fragment) and deletes them with itself.
#include <cstdint>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxDatumTarget;
class DUxDatumTargetStyle;
class FBxLayerStyle;
class RDxFragment;

class DLxCreateSymbolRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateSymbolRequest)
public:
    static constexpr const char16_t* kTranscriptName = u"CreateDatumTarget";
    // For replay.
    DLxCreateSymbolRequest();
    // The transient target stays the caller's.
    DLxCreateSymbolRequest(DLxDatumTarget* transient, const DLxIntent& intent,
                           const RSeRef<DUxDatumTargetStyle>& style,
                           const RSeRef<FBxLayerStyle>& layer);
    ~DLxCreateSymbolRequest() override;

    DLxDatumTarget* GetTransient() const { return m_transient; }
    const RSeRef<DLxDatumTarget>& GetCreated() const { return m_created; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    DLxDatumTarget* m_transient = nullptr;
    RSeRef<DLxDatumTarget> m_created;
    DLxIntent m_intent;
    bool m_fromTranscript = false;
    RSeRef<DUxDatumTargetStyle> m_style;
    RSeRef<FBxLayerStyle> m_layer;
    RDxFragment* m_ownFragment = nullptr;
};

class DLxSymbolEditRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxSymbolEditRequest)
public:
    static constexpr const char16_t* kTranscriptName = u"EditDatumTarget";
    DLxSymbolEditRequest();
    DLxSymbolEditRequest(const RSeRef<DLxDatumTarget>& placed, DLxDatumTarget* transient);
    ~DLxSymbolEditRequest() override;

    // Set when the edited balloon was just attached: its attach request journals it, so the
    // next Script writes nothing (and clears the flag).
    void SetSkipScript(bool on) { m_skipScript = on; }
    bool GetSkipScript() const { return m_skipScript; }
    const RSeRef<DLxDatumTarget>& GetPlaced() const { return m_placed; }
    DLxDatumTarget* GetTransient() const { return m_transient; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxDatumTarget> m_placed;
    DLxDatumTarget* m_transient = nullptr;
    bool m_fromTranscript = false;
    bool m_skipScript = false;
    UTxString16 m_placedText;
    RDxFragment* m_ownFragment = nullptr;
};

// Shared by the datum-target requests.
namespace DLxDatumTargetRequestUtil {
// A transient fragment with a transient datum target of type 0 on it, both in the transient
// segment.
DLxDatumTarget* MakeTransient(RDxFragment*& fragment);
void DeleteTransient(DLxDatumTarget*& target, RDxFragment*& fragment);
// A transient copy of a placed target, as an edit starts from: its type, leader, shape and
// balloons through its transcript form. Null when the copy could not be read back.
DLxDatumTarget* MakeTransientCopy(const DLxDatumTarget& from, FWxSceneDoc* doc,
                                  RDxFragment*& fragment);
// The datum target under `key`. Writing puts `before` (the key text the target had when the
// request found it, so that a replay finds it there) or, without one, the reference now.
// Reading resolves the key; a key that names nothing or an object of another kind reads as no
// target and keeps its text in `before` for the refusal.
void ExchangeTarget(UCxTranscriptDataExchange& tdx, const char16_t* key,
                    RSeRef<DLxDatumTarget>& target, UTxString16& before);
// A refusal (0xE009033C) naming the key when there is no target.
UTxResult CheckTarget(const RSeRef<DLxDatumTarget>& target, const char16_t* key,
                      const UTxString16& text);
// Recomputes a changed target as a user's change.
UTxResult Recompute(DLxDatumTarget* target);
// The key text a target has now.
UTxString16 KeyText(const RSeRef<DLxDatumTarget>& target);
} // namespace DLxDatumTargetRequestUtil
