#include "Symbol/DLxGDTInstanceONKTranslator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"

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

bool Holds(const BBox& box, const WqGePoint3d& p) {
    return !box.isEmpty() && p.x >= box.min.x - kPickTolerance &&
           p.x <= box.max.x + kPickTolerance && p.y >= box.min.y - kPickTolerance &&
           p.y <= box.max.y + kPickTolerance;
}

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

DLxGDTInstance* DLxGDTInstanceONKTranslator::ObjectFromPoint(FWxSceneDoc* doc,
                                                            const WqGePoint3d& point) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return nullptr;
    for (DLxSheet* sheet : drawing->GetSheets())
        for (const RSeRef<RDxNode>& r : sheet->GetNodes()) {
            auto* inst = dynamic_cast<DLxGDTInstance*>(r.GetTarget());
            DLxGDTState* state = inst ? inst->GetGDTState() : nullptr;
            if (state && Holds(state->GetBoundingBox(), point)) return inst;
        }
    return nullptr;
}

void DLxGDTInstanceONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxGDTInstance", &g_translator);
}
