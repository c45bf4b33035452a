#pragma once
// A test's own edit of a document run as one request (one transaction, one undo step) that
// journals nothing: for fixtures that build what no request of the module makes.
#include <functional>
#include <utility>

#include "fw/FWxChangeRequest.h"

class TstFnRequest : public FWxChangeRequest {
public:
    explicit TstFnRequest(std::function<void()> run) : m_run(std::move(run)) {}
    UTxResult _Execute(FWxSceneDoc*) override {
        m_run();
        return {};
    }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }

private:
    std::function<void()> m_run;
};
