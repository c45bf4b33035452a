#pragma once
// The inference machinery of a placement, in its least form: a context of sheet lines that a
// placed object snaps to (DLxContext), a recognizer that finds what lies near an intent
// (DLxRecognizer), and the helpers that fill a context (DLxInferUtil).
//
// Recognition: each line of the context offers its end points within the intent's tolerance
// of where the intent looks (an end-point inference, at the end point) and its nearest point
// within the tolerance (an on-curve inference, at that point); each point of the context
// within the tolerance is a connection-point inference. The intent keeps the nearest of each
// type.
#include <cstdint>
#include <vector>

#include "ge/WqGePoint3d.h"

class DLxIntent;
class DLxSheet;
class DLxViewInstance;

class DLxContext {
public:
    struct Line {
        WqGePoint3d start;
        WqGePoint3d end;
    };
    void AddLine(const WqGePoint3d& start, const WqGePoint3d& end) { m_lines.push_back({start, end}); }
    const std::vector<Line>& GetLines() const { return m_lines; }
    // Connection points of sketched symbols: a point within the tolerance is a
    // connection-point inference, at the point.
    void AddPoint(const WqGePoint3d& p) { m_points.push_back(p); }
    const std::vector<WqGePoint3d>& GetPoints() const { return m_points; }
    void Clear() {
        m_lines.clear();
        m_points.clear();
    }

private:
    std::vector<Line> m_lines;
    std::vector<WqGePoint3d> m_points;
};

class DLxRecognizer {
public:
    explicit DLxRecognizer(const DLxContext& context) : m_context(context) {}
    void Recognize(DLxIntent& intent) const;

private:
    const DLxContext& m_context;
};

namespace DLxInferUtil {
constexpr int32_t kInferEndPoint = 1;
constexpr int32_t kInferOnCurve = 2;
constexpr int32_t kInferConnectionPoint = 22;
constexpr int32_t kCursorPlain = 5720;
constexpr int32_t kCursorEndPoint = 5721;
constexpr int32_t kCursorOnCurve = 5722;
int32_t CursorOf(int32_t type);
// What a table placed on a sheet snaps to, in the order tried: corners first, then lines.
void GetCommonTablesInferenceTypes(std::vector<int32_t>& types);
// The lines of the sheet's border and of its title block (DLxSheet::GetBorder and
// GetTitleBlock): the border's four sides, the title block's top and left sides.
void ExtendContextWithDLBorderTitleBlock(DLxContext& context, const DLxSheet* sheet);
// The nearest edge of the views within `tol` of q (an end within `tol` wins over the points
// between; of equal distances the first found): `intent` becomes that edge at its parameter,
// with the point it infers and an end-point or on-curve inference. False, `intent` unchanged,
// when no edge is that near.
bool InferOnViewEdges(const std::vector<DLxViewInstance*>& views, const WqGePoint3d& q, double tol,
                      DLxIntent& intent);
} // namespace DLxInferUtil
