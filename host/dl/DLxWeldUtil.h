#pragma once
// Lookups of the model's welds as a drawing view knows them (DLxModelWeld), for weld symbols
// that follow the model.
#include <cstdint>

class DLxViewInstance;
struct DLxEdgeWeldData;
struct DLxModelWeld;

namespace DLxWeldUtil {

// The weld whose symbol shows weld `feature`: the feature's own when it keeps one (`arrow`
// true, `other` its paired weld or 0), else that of the weld naming it as its other side
// (`arrow` false, `other` that weld's id). Null, changing nothing, when there is none.
const DLxModelWeld* GetWeldSymbolState(const DLxViewInstance* view, int32_t feature,
                                       int32_t& other, bool& arrow);
// Whether two features are one weld: the same feature, or the two sides of one symbol.
bool BelongToSameWeldFeature(const DLxViewInstance* view, int32_t a, int32_t b);
// Whether cosmetic weld data is of the feature.
bool BelongToSameCosmeticFeature(int32_t feature, const DLxEdgeWeldData& data);

} // namespace DLxWeldUtil
