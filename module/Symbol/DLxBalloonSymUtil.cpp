#include "Symbol/DLxBalloonSymUtil.h"

#include <cmath>
#include <memory>
#include <vector>

#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxSymInstance.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxStructureNode.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/WqGeVector3d.h"

namespace {
// cos 3 degrees: a segment closer than that to an axis is straightened onto it.
constexpr double kStraight = 0.998629;

bool ItemText(const DLxCBalloonRow& row, UTxString16& out) {
    if (!row) return false;
    DUxStyleFormatColumnPropertyID item;
    item.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    item.SetPropertyID(u"1");
    DLxLocalBOMColumn column;
    std::u16string text;
    if (DLxLocalBOMColumn::FromPropertyID(item, column)) row->GetCellText(column, text);
    out = text;
    return true;
}
} // namespace

namespace DLxBalloonSymUtil {

DLxCBalloonRow GetBOMRow(const RSeRef<DLxLocalBOM>& bom, const DLxLocalBOMCookie& cookie) {
    DLxCBalloonRow found;
    DLxLocalBOM* bill = bom.get();
    if (!cookie.IsValid() || !bill) return found;
    found.query = std::make_unique<DLxLocalBOMQuery>(bill, nullptr, 1, true);
    found.row = found.query->VisibleRowByCookie(cookie);
    return found;
}

DLxCBalloonRow GetBOMRow(const RSeRef<DLxLocalBOM>& bom, const RSeRef<DLxStructureNode>& node) {
    DLxCBalloonRow found;
    DLxLocalBOM* bill = bom.get();
    const DLxStructureNode* n = node.Read();
    if (!bill || !n) return found;
    if (!n->IsRoot())
        found.query = std::make_unique<DLxLocalBOMQuery>(bill, n->GetRDxPassivePath(),
                                                         DLxLocalBOMQuery::GetMemberName(n), true);
    else
        found.query = std::make_unique<DLxLocalBOMQuery>(bill, nullptr, 0, true);
    if (found.query->Execute(false) && found.query->RowCount() > 0)
        found.row = found.query->RowAt(0);
    return found;
}

bool GetComponentTag(const RSeRef<DLxLocalBOM>& bom, const RSeRef<DLxStructureNode>& node,
                     UTxString16& out) {
    return ItemText(GetBOMRow(bom, node), out);
}

bool GetComponentTag(const RSeRef<DLxLocalBOM>& bom, const DLxLocalBOMCookie& cookie,
                     UTxString16& out) {
    return ItemText(GetBOMRow(bom, cookie), out);
}

bool GetBalloonTag(const RSeRef<DLxBalloonSymState>& state, const RSeRef<DLxCBalloon>& entry,
                   UTxString16& out) {
    const DLxBalloonSymState* s = state.Read();
    const DLxCBalloon* e = entry.Read();
    if (!s || !e || !s->GetLocalBOM()) return false;
    if (e->GetStructureNode())
        return ItemText(GetBOMRow(s->GetLocalBOM(), e->GetStructureNode()), out);
    return ItemText(GetBOMRow(s->GetLocalBOM(), e->GetCookie()), out);
}

DLxBomStdInfo::EDirection CalcBalloonDirection(DUxLeaderNodeTree* leader, bool straighten) {
    DUxLeaderNode* root = leader ? leader->GetRoot() : nullptr;
    if (!root) return DLxBomStdInfo::kRight;
    const WqGePoint3d r = root->GetPoint();
    DUxLeaderNode* child = nullptr;
    for (const RSeRef<DUxLeaderNode>& c : root->GetChildren())
        if ((child = c.get())) break;
    const WqGePoint3d c = child ? child->GetPoint() : r;
    const WqGeVector3d v(r.x - c.x, r.y - c.y, 0.0);
    const double length = v.length();
    const double x = v.dotProduct(WqGeVector3d::kXAxis);
    if (length > 0 && straighten) {
        const double y = v.dotProduct(WqGeVector3d::kYAxis);
        if (std::abs(x) / length > kStraight)
            root->SetPoint(c + x * WqGeVector3d::kXAxis);
        else if (std::abs(y) / length > kStraight)
            root->SetPoint(c + y * WqGeVector3d::kYAxis);
    }
    return x >= 0 ? DLxBomStdInfo::kRight : DLxBomStdInfo::kLeft;
}

DLxBomStdInfo::EDirection CalcBalloonDirection(const RSeRef<DLxBalloonSymInstance>& balloon,
                                               bool straighten) {
    const DLxBalloonSymInstance* instance = balloon.Read();
    return CalcBalloonDirection(instance ? instance->GetLeader(0) : nullptr, straighten);
}

void GetBalloonCookies(const RSeRef<DLxLocalBOM>& bom, std::set<DLxLocalBOMCookie>& out) {
    out.clear();
    const DLxLocalBOM* bill = bom.Read();
    if (!bill) return;
    for (const DLxAnnotationUpdateState* state : bill->GetAnnotationStates()) {
        const auto* balloon = dynamic_cast<const DLxBalloonSymInstance*>(state->GetAnnotation());
        if (!balloon) continue;
        std::vector<RSeRef<DLxCBalloon>> entries;
        balloon->GetAllBalloons(&entries);
        for (const RSeRef<DLxCBalloon>& ref : entries) {
            const DLxCBalloon* entry = ref.Read();
            if (!entry) continue;
            DLxLocalBOMCookie cookie = entry->GetCookie();
            if (entry->GetStructureNode()) {
                const DLxCBalloonRow row = GetBOMRow(bom, entry->GetStructureNode());
                cookie = row ? row->Cookie() : DLxLocalBOMCookie();
            }
            if (cookie.IsValid()) out.insert(cookie);
        }
    }
}

} // namespace DLxBalloonSymUtil
