#include "fw/FWxUtil.h"

#include "fw/FWxTranscriptMgr.h"

FWxTranscriptMgr& FWxUtil::GetTranscriptMgr() {
    return FWxTranscriptMgr::Get();
}
