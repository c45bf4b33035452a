#pragma once
// What every change request of the module shares: the way it writes itself to the transcript
// and reads itself back, references exchanged as transcript arguments, the module's own layout
// of vectors ("<key>_Count", then "<key>_<i in lower-case hex>") and the record version key.
#include <cstdint>
#include <string>
#include <vector>

#include "fw/FWxTranscriptMgr.h"
#include "rse/RSeRef.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxResult.h"

class DLxIntent;
class DLxViewInstance;
class FWxChangeRequest;
class FWxSceneDoc;
class RDxFragment;
class RDxNode;

class DLxRequestUtil {
public:
    // Script: begin the line, put the registered name, exchange the keys, end and write it.
    static UTxResult Script(FWxChangeRequest& request, FWxSceneDoc* doc, const char16_t* name);
    // InitFromTranscript, with the document and without it.
    static UTxResult InitFromTranscript(FWxChangeRequest& request, FWxSceneDoc* doc,
                                        const UTxString16& line);
    static UTxResult InitFromTranscriptWithoutDoc(FWxChangeRequest& request,
                                                  const UTxString16& line);

    // "TDXVersion": written as `current`; a record without it is version 0.
    static void ExchangeVersion(UCxTranscriptDataExchange& tdx, int32_t& version, int32_t current);

    // The key of element i of a vector: key, "_" and i in lower-case hexadecimal.
    static UTxString16 ElementKey(const char16_t* key, uint32_t i);
    static UTxString16 CountKey(const char16_t* key);

    // DLxUtil::AllowRequestExecution for requests whose headers name the intent (whose helpers
    // share the DLxUtil name).
    static bool AllowRequestExecution(const FWxSceneDoc* doc);

    // The sheet a new symbol goes on: that of the view it was picked in (an intent's), else
    // the document's first; null for a document without sheets.
    static RDxFragment* SheetFragmentFor(FWxSceneDoc* doc, DLxViewInstance* view);
    // The sheet a new symbol picked by `intent` goes on: that of the intent's view, else the
    // document's first; null for a document without sheets.
    static RDxFragment* SheetFor(FWxSceneDoc* doc, const DLxIntent& intent);
    // Recomputes a changed symbol's sheet as a user's change (its landings settle over up to
    // three passes). A symbol that cannot be drawn fully is still placed: a failed compute is
    // success, and the pass's diagnoses say why.
    static UTxResult RecomputeChanged(RDxNode* symbol);
};

// A reference exchanged directly. Does nothing (and answers true) once the exchange holds an
// error. Writing puts the reference only when `required` is set. Reading leaves the reference
// as it is and answers false when the key is absent and not required; otherwise it reads the
// object, and keeps it when it is a T, else null.
template <class T>
bool TranscriptRSeRefArgument(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<T>& ref,
                              bool required) {
    if (tdx.HasFailed()) return true;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (tdx.IsWriting()) {
        if (required) tdx.GetResult() = mgr.PutRSeRef(tdx.GetLine(), key, ref);
        return true;
    }
    if (!required && !mgr.ArgumentExists(tdx.GetLine(), key)) return false;
    RSeRefBase read;
    tdx.GetResult() = mgr.GetRSeRef(tdx.GetLine(), key, tdx.GetDocument(), read);
    ref = RSeRef<T>(read);
    return true;
}

// A vector that has no exchange function of its own: the count under "<key>_Count", then each
// element under its own key with `exchangeOne(tdx, elementKey, element, required)`.
template <class T, class F>
void DLxTranscriptVector(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<T>& v,
                         bool required, F exchangeOne) {
    if (tdx.HasFailed()) return;
    uint32_t count = uint32_t(v.size());
    const UTxString16 countKey = DLxRequestUtil::CountKey(key);
    if (!_TDX_Int(tdx, countKey.c_str(), count, required)) return;
    if (tdx.IsReading()) {
        // A count beyond what the line can hold is a damaged record, not a reason to allocate.
        if (count > tdx.GetLine().size()) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, countKey,
                                                 u"more elements than the line holds"));
            return;
        }
        v.resize(count);
    }
    for (uint32_t i = 0; i < count && !tdx.HasFailed(); ++i) {
        const UTxString16 elementKey = DLxRequestUtil::ElementKey(key, i);
        if constexpr (std::is_same_v<T, bool>) {
            bool e = v[i];
            exchangeOne(tdx, elementKey.c_str(), e, required);
            v[i] = e;
        } else {
            exchangeOne(tdx, elementKey.c_str(), v[i], required);
        }
    }
}

// An object exchanged as its reference string (its name key, as a quoted string), only while
// the exchange holds no error. Reading resolves the string, whose result becomes the
// exchange's, and keeps the object only when it is a T, else null.
template <class T>
void DLxTranscriptRefString(UCxTranscriptDataExchange& tdx, const char16_t* key, UTxString16& text,
                            RSeRef<T>& ref) {
    if (tdx.HasFailed()) return;
    if (!_TDX_String(tdx, key, text, true) || tdx.IsWriting() || tdx.HasFailed()) return;
    RSeRefBase read;
    tdx.GetResult() = tdx.GetTranscriptMgr().RefFromString(tdx.GetDocument(), text, read);
    ref = RSeRef<T>(read);
}
