#include "DatumId/DLxDatumIdSymbol.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "DatumId/DLxCId.h"
#include "Leader/DLxCLeader.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr double kZeroLength = 1e-10;

double AngleBetween(const WqGeVector3d& a, const WqGeVector3d& b) {
    const double la = a.length(), lb = b.length();
    if (la < kZeroLength || lb < kZeroLength) return M_PI;
    return std::acos(std::clamp(a.dotProduct(b) / (la * lb), -1.0, 1.0));
}
} // namespace

DLxDatumIdSymbol::DLxDatumIdSymbol(const RSeStream* s) : DLxSymbol(s) {}

// The symbol owns its data record.
DLxDatumIdSymbol::~DLxDatumIdSymbol() {
    if (RSeIDed* record = m_record.GetTarget()) RSe::DeleteObject(record);
}

WqGePoint3d DLxDatumIdSymbol::GetSymbolOrigin() const {
    const DLxCId* record = m_record.Read();
    return record ? record->GetOrigin() : WqGePoint3d();
}

UTxString16 DLxDatumIdSymbol::GetText() const {
    const DLxCId* record = m_record.Read();
    return record ? record->GetText() : UTxString16();
}

int32_t DLxDatumIdSymbol::GetDirectionCode() const {
    const DLxCLeader* leader = GetLeader(0);
    if (!leader || !GetDisplayLeaders()) return DLxCId::kUp;
    WqGeVector3d way = leader->GetLandingVector();
    if (way.length() < kZeroLength) {
        const std::vector<WqGePoint3d> points = GetFirstLeaderPoints();
        way = points.size() >= 2 ? points[0] - points[1] : WqGeVector3d(0, 0, 0);
    }
    if (way.length() <= kZeroLength) return DLxCId::kUp;
    const struct {
        WqGeVector3d axis;
        int32_t code;
    } axes[] = {{GetXAxis(), DLxCId::kRight},
                {GetYAxis(), DLxCId::kUp},
                {-GetXAxis(), DLxCId::kLeft},
                {-GetYAxis(), DLxCId::kDown}};
    int32_t code = DLxCId::kUp;
    double best = 0;
    for (size_t i = 0; i < std::size(axes); ++i) {
        const double angle = AngleBetween(way, axes[i].axis);
        if (i == 0 || angle < best) {
            best = angle;
            code = axes[i].code;
        }
    }
    return code;
}
