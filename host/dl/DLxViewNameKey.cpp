// Transcripts name a view by its sheet's name and its own, "<sheet>/<view>", which a user sees
// and a drawing made again from the same model repeats (ids would too, but say nothing).
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FBxObjectNameKey.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {
class ViewKeyTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override {
        const auto& view = static_cast<const DLxViewInstance&>(obj);
        auto* sheet = dynamic_cast<DLxSheet*>(view.GetFragment().GetTarget());
        if (!sheet) return UTxResult(kFBxErrNameKeyNone, u"the view is on no sheet");
        rest = sheet->GetName() + u"/" + view.GetName();
        return {};
    }
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc*,
                         RSeIDed*& out) const override {
        out = nullptr;
        if (rest.find(u'/') == UTxString16::npos)
            return UTxResult(kFBxErrNameKeyMalformed, u"not <sheet>/<view>: " + rest);
        for (uint32_t i = 0; i < db.GetSegmentCount() && !out; ++i) {
            auto* sheet = dynamic_cast<DLxSheet*>(db.GetSegment(i)->GetRootObject());
            if (!sheet) continue;
            const UTxString16 prefix = sheet->GetName() + u"/";
            if (rest.compare(0, prefix.size(), prefix) != 0) continue;
            const UTxString16 viewName = rest.substr(prefix.size());
            for (const RSeRef<RDxNode>& r : sheet->GetNodes())
                if (auto* view = dynamic_cast<DLxViewInstance*>(r.GetTarget()))
                    if (view->GetName() == viewName) {
                        out = view;
                        break;
                    }
        }
        return {};
    }
} g_viewKeys;

struct Register {
    Register() { FBxObjectNameKey::RegisterTranslator(u"DLxViewInstance", &g_viewKeys); }
} g_register;
} // namespace
