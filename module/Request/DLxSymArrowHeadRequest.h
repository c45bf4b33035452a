#pragma once
// Arrowheads of leader ends, changed by pointing an arrowhead state at another arrowhead
// service: any annotation instance's own arrowhead state by its place among the instance's
// input states (DLxArrowHeadRequest, "ArrowHeadRequest", which the host builds), or the
// arrowhead of one end of one leader of a placed symbol (DLxSymArrowHeadRequest,
// "AddArrowHead", made when the user picks an arrowhead for an end).
#include <cstdint>

#include "dl/DLxTDXUtil.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxSymInstance;
class RDxInstance;

class DLxArrowHeadRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxArrowHeadRequest)
public:
    DLxArrowHeadRequest();
    // State `stateIndex` of `instance` takes the arrowhead service `arrowHead`.
    DLxArrowHeadRequest(const RSeRef<RDxInstance>& instance, uint32_t stateIndex,
                        uint32_t arrowHead);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    uint32_t m_arrowHead = 0;
    uint32_t m_stateIndex = 0;
    RSeRef<RDxInstance> m_instance;
    UTxString16 m_instanceText;
};

class DLxSymArrowHeadRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxSymArrowHeadRequest)
public:
    DLxSymArrowHeadRequest();
    // Arrowhead `arrow` (the end's branch index) of leader `leader` takes the service
    // `arrowHead`; `version` is how the record writes the arrowhead.
    DLxSymArrowHeadRequest(const RSeRef<DLxSymInstance>& symbol, uint32_t arrowHead,
                           int32_t arrow, int32_t leader,
                           DLxTDXUtil::eTranscriptRequestVersion version =
                               DLxTDXUtil::eTranscriptRequestVersion1);

    DLxTDXUtil::eTranscriptRequestVersion GetVersion() const { return m_version; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    // A record without "ArrowHeadRequestVersion" is of version 0.
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxSymInstance> m_symbol;
    int32_t m_arrow = 0;
    int32_t m_leader = 0;
    uint32_t m_arrowHead = 0;
    DLxTDXUtil::eTranscriptRequestVersion m_version = DLxTDXUtil::eTranscriptRequestVersion1;
    UTxString16 m_symbolText;
};
