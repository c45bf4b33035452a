#include "Symbol/DLxGDTInstanceONKTranslator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"

namespace {
// Shortest text that reads back to the same double.
std::string Number(double v) {
    char buf[40];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, v);
        if (std::strtod(buf, nullptr) == v) break;
    }
    return buf;
}

constexpr double kPickTolerance = 1e-9;

const DLxGDTInstanceONKTranslator g_translator;
} // namespace

UTxResult DLxGDTInstanceONKTranslator::GetKey(const RSeIDed& obj, UTxString16& rest) const {
    auto* inst = dynamic_cast<const DLxGDTInstance*>(&obj);
    if (!inst) return UTxResult(kFBxErrNameKeyNone, u"not a feature control frame");
    const WqGePoint3d p = inst->GetKeyPoint();
    rest = UTx::MakeWideString(Number(p.x) + "," + Number(p.y));
    return {};
}

UTxResult DLxGDTInstanceONKTranslator::FindObject(const UTxString16& rest, RSeDatabase&,
                                                  FWxSceneDoc* doc, RSeIDed*& out) const {
    const std::string text = UTx::ToUtf8(rest);
    const size_t comma = text.find(',');
    char* end = nullptr;
    const double x = std::strtod(text.c_str(), &end);
    const bool xOk = comma != std::string::npos && end == text.c_str() + comma;
    const double y = xOk ? std::strtod(text.c_str() + comma + 1, &end) : 0.0;
    if (!xOk || *end != '\0' || comma + 1 == text.size())
        return UTxResult(kFBxErrNameKeyMalformed, u"not a point x,y: " + rest);
    out = ObjectFromPoint(doc, WqGePoint3d(x, y, 0));
    return {};
}

SmartPtr<DLxGDTSelection>
DLxGDTInstanceONKTranslator::SelectionFromPoint(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxGDTFilter(DLxGDTFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, point, set, filter, kPickTolerance);
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* frame = dynamic_cast<DLxGDTSelection*>(sel.get()))
            return SmartPtr<DLxGDTSelection>(frame);
    return nullptr;
}

DLxGDTInstance* DLxGDTInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                             const WqGePoint3d& point) {
    SmartPtr<DLxGDTSelection> sel = SelectionFromPoint(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxGDTInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxGDTInstance", &g_translator);
}
