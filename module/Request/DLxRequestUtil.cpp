#include "Request/DLxRequestUtil.h"

#include <iterator>
#include <string_view>

#include "dc/RDxFragment.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxUtil.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"

UTxResult DLxRequestUtil::Script(FWxChangeRequest& request, FWxSceneDoc* doc,
                                 const char16_t* name) {
    UTxString16 line;
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    UTxResult r = mgr.BeginDocRequest(line, doc);
    if (r.Failed()) return r;
    r = mgr.PutDocRequestName(line, name);
    if (r.Failed()) return r;
    UCxTranscriptDataExchange tdx(line, r, doc, true);
    r = request.DoTranscriptDataExchange(tdx);
    if (r.Failed()) return r;
    r = mgr.EndDocRequest(line);
    if (!r.Failed()) r = mgr.WriteLine(line);
    return r;
}

UTxResult DLxRequestUtil::InitFromTranscript(FWxChangeRequest& request, FWxSceneDoc* doc,
                                             const UTxString16& line) {
    UTxString16 text = line;
    UTxResult r;
    UCxTranscriptDataExchange tdx(text, r, doc, false);
    UTxResult own = request.DoTranscriptDataExchange(tdx);
    return own.Failed() ? own : r;
}

UTxResult DLxRequestUtil::InitFromTranscriptWithoutDoc(FWxChangeRequest& request,
                                                       const UTxString16& line) {
    return InitFromTranscript(request, nullptr, line);
}

void DLxRequestUtil::ExchangeVersion(UCxTranscriptDataExchange& tdx, int32_t& version,
                                     int32_t current) {
    if (tdx.IsWriting()) {
        version = current;
        _TDX_Int(tdx, u"TDXVersion", version, true);
    } else {
        version = 0;
        _TDX_Int(tdx, u"TDXVersion", version, false);
    }
}

UTxString16 DLxRequestUtil::ElementKey(const char16_t* key, uint32_t i) {
    static const char16_t hex[] = u"0123456789abcdef";
    // Written back to front into room for the eight digits of any index, in one string.
    char16_t digits[8];
    char16_t* first = std::end(digits);
    do {
        *--first = hex[i & 0xF];
        i >>= 4;
    } while (i);
    const std::u16string_view name(key);
    UTxString16 out;
    out.reserve(name.size() + 1 + size_t(std::end(digits) - first));
    out += name;
    out += u'_';
    out.append(first, std::end(digits));
    return out;
}

UTxString16 DLxRequestUtil::CountKey(const char16_t* key) {
    return UTxString16(key) + u"_Count";
}

bool DLxRequestUtil::AllowRequestExecution(const FWxSceneDoc* doc) {
    return DLxUtil::AllowRequestExecution(doc);
}

RDxFragment* DLxRequestUtil::SheetFragmentFor(FWxSceneDoc* doc, DLxViewInstance* view) {
    // Finding the sheet changes nothing; what placing the symbol changes on it (its node list)
    // records itself, so the history keeps no image of the sheet with every symbol.
    RSeReadOnlyScope finding;
    if (view)
        if (RDxFragment* f = view->GetFragment().get()) return f;
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    const std::vector<DLxSheet*> sheets = drawing->GetSheets();
    return sheets.empty() ? nullptr : sheets.front();
}
