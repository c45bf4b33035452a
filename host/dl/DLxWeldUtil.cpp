#include "dl/DLxWeldUtil.h"

#include "dl/DLxModelWeld.h"
#include "dl/DLxViewEdge.h"
#include "dl/DLxViewInstance.h"

namespace DLxWeldUtil {

const DLxModelWeld* GetWeldSymbolState(const DLxViewInstance* view, int32_t feature,
                                       int32_t& other, bool& arrow) {
    if (!view || feature <= 0) return nullptr;
    const DLxModelWeld* own = view->FindModelWeld(feature);
    if (own && !own->subWeldings.empty()) {
        other = own->other;
        arrow = true;
        return own;
    }
    for (const DLxModelWeld& w : view->GetModelWelds())
        if (w.other == feature && w.id != feature && !w.subWeldings.empty()) {
            other = w.id;
            arrow = false;
            return &w;
        }
    return nullptr;
}

bool BelongToSameWeldFeature(const DLxViewInstance* view, int32_t a, int32_t b) {
    if (a <= 0 || b <= 0) return false;
    if (a == b) return true;
    if (!view) return false;
    const DLxModelWeld* wa = view->FindModelWeld(a);
    const DLxModelWeld* wb = view->FindModelWeld(b);
    return (wa && wa->other == b) || (wb && wb->other == a);
}

bool BelongToSameCosmeticFeature(int32_t feature, const DLxEdgeWeldData& data) {
    return feature > 0 && data.weld == feature;
}

} // namespace DLxWeldUtil
