#pragma once
// Where a user placed something: a point on an edge of a view (view, edge id, parameter) or a
// free point on the sheet (with the view it was placed in, when any). An anchor takes it over
// with DLxUtil::SetAnchorFromIntent; a transcript carries it under its key (the view, or null)
// and three keys after it: "<key>_Edge", "<key>_Param" and "<key>_Point".
#include <cstdint>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class DLxAnchorPoint;
class DLxViewInstance;
class FWxSceneDoc;
class UCxTranscriptDataExchange;

// What the inference machinery recognised near a point: a kind (DLxInferUtil's types) and the
// point it infers.
struct DLxInference {
    int32_t type = 0;
    WqGePoint3d point;
};

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

    // Placement equality: view, edge, parameter and point (inferences aside).
    bool operator==(const DLxIntent& o) const;

    // An intent the recognizer (DLxRecognizer) looks at: around `at` within `tol`, for the
    // listed inference types (every type without a list). The point starts at `at` and may be
    // set apart from where the recognizer looks.
    DLxIntent(const WqGePoint3d& at, double tol, const std::vector<int32_t>* types);
    void SetPoint(const WqGePoint3d& point) { m_point = point; }
    const WqGePoint3d& GetPickPoint() const { return m_pick; }
    double GetTolerance() const { return m_tol; }
    bool WantsType(int32_t type) const;
    // Keeps the nearer inference of each type.
    void AddInference(const DLxInference& inference);
    bool HasInferences() const { return !m_inferences.empty(); }
    // Null when nothing of that type was recognised.
    const DLxInference* GetInference(int32_t type) const;
    // The cursor of the first inference recognised (DLxInferUtil), the plain one without.
    int32_t GetCursorShape() const;

private:
    RSeRef<DLxViewInstance> m_view;
    int32_t m_edge = 0;
    double m_param = 0.0;
    WqGePoint3d m_point;
    WqGePoint3d m_pick;
    double m_tol = 0.0;
    std::vector<int32_t> m_types;
    bool m_allTypes = true;
    std::vector<DLxInference> m_inferences;
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
