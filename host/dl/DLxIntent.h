#pragma once
// Where a user placed something: a point on an edge of a view (view, edge id, parameter) or a
// free point on the sheet (with the view it was placed in, when any). An anchor takes it over
// with DLxUtil::SetAnchorFromIntent; a transcript carries it under its key (the view, or null)
// and three keys after it: "<key>_Edge", "<key>_Param" and "<key>_Point".
#include <cstdint>

#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class DLxAnchorPoint;
class DLxViewInstance;
class FWxSceneDoc;
class UCxTranscriptDataExchange;

class DLxIntent {
public:
    DLxIntent() = default;
    // On edge `edgeId` of the view at `param` (0 at its start, 1 at its end).
    static DLxIntent OnEdge(DLxViewInstance* view, int32_t edgeId, double param);
    // Free at a sheet point, belonging to `view` when given.
    static DLxIntent Free(const WqGePoint3d& point, DLxViewInstance* view = nullptr);

    DLxViewInstance* GetView() const;
    int32_t GetEdgeId() const { return m_edge; }
    double GetParameter() const { return m_param; }
    const WqGePoint3d& GetPoint() const { return m_point; }
    bool IsOnEdge() const { return m_edge != 0 && m_view.HasTarget(); }

    bool operator==(const DLxIntent& o) const;

private:
    RSeRef<DLxViewInstance> m_view;
    int32_t m_edge = 0;
    double m_param = 0.0;
    WqGePoint3d m_point;
};

namespace DLxUtil {
// Puts the anchor where the intent says: on the edge (failing with 0x200B0324 when the view has
// no such edge, the anchor unchanged) or free at the point.
UTxResult SetAnchorFromIntent(FWxSceneDoc* doc, const DLxIntent& intent, DLxAnchorPoint* anchor);
} // namespace DLxUtil

namespace DLxTDXUtil {
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, DLxIntent& value,
                bool required);
} // namespace DLxTDXUtil
