#pragma once
// Framework utilities.
class FWxTranscriptMgr;

class FWxUtil {
public:
    // The application's transcript manager.
    static FWxTranscriptMgr& GetTranscriptMgr();
};
