#pragma once
// Drags a sketched symbol by the hot points of its box. The node id of a box pick (item kind 4)
// says which: 0 to 3 are the corners, which scale the symbol about its pivot (the root of its
// first leader, or its origin without leaders); 4 turns it about the pivot; 5 moves it by its
// insertion point, 6 by the middle of its sketch and 7 by one of its sketch's connection
// points. A move snaps to the view edges, to the sheet's border and title block and to the
// connection points of the sheet's other sketched symbols; without such a snap, the symbol's
// own connection points snap onto the others'. Every other pick drags as any symbol's leader.
// The document changes only when the drag's request runs: an edit of the scale or the turn,
// or the move of the symbol.
#include <cstdint>
#include <vector>

#include "Leader/DLxMoveSymLeaderNodeManipulator.h"
#include "dl/DLxContext.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class DLxCallOutInstance;
class DLxCallOutState;

class DLxMoveCallOutNodeManipulator : public DLxMoveSymLeaderNodeManipulator {
public:
    // Box hot points (the node id of a box pick).
    enum EHotPoint : int32_t {
        kScaleFirst = 0,
        kScaleLast = 3,
        kRotate = 4,
        kMoveByInsertPoint = 5,
        kMoveByCentre = 6,
        kMoveByConnection = 7,
    };
    // Cursors and prompts (resource ids).
    static constexpr int32_t kScaleCursorA = 6261;
    static constexpr int32_t kScaleCursorB = 6260;
    static constexpr int32_t kRotateCursor = 6022;
    static constexpr int32_t kScalePrompt = 6239;
    static constexpr int32_t kRotatePrompt = 6238;
    static constexpr int32_t kMovePrompt = 6226;
    static constexpr int32_t kConnectionPrompt = 5696;

    // `arrowhead` is not used: a sketched symbol's arrowheads are edited elsewhere.
    DLxMoveCallOutNodeManipulator(const RSeRef<DLxSymInstance>& symbol, int32_t kind,
                                  int32_t leader, int32_t arrowhead, int32_t node,
                                  FWxSelection* selection, FWxSceneDoc* doc = nullptr);

    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    bool EndDrag(const WqGePoint3d& point) override;
    void CancelDrag() override;
    int32_t GetPromptCursor() const override;
    int32_t GetPromptText() const override;
    std::string GetManipulatorName() const override { return "DLxMoveCallOutNodeManipulator"; }

    // The box hot point this drag works by (several selected symbols always move by their
    // insertion points); -1 for a pick that is not of the box.
    int32_t GetHotPoint() const;
    double GetNewScale() const { return m_newScale; }
    double GetNewRotation() const { return m_newRotation; }
    const WqGePoint3d& GetPivot() const { return m_pivot; }
    // The symbol's connection points, each from where its reference point sits.
    const std::vector<WqGeVector3d>& GetConnectionOffsets() const { return m_connections; }

private:
    bool IsBoxDrag() const;
    DLxCallOutInstance* StoredCallOut() const;
    DLxCallOutState* WorkingState() const;
    // Where the move's target snaps: to what the context and the views offer, else the own
    // connection points onto the others'.
    void SnapMove(WqGePoint3d& target);

    WqGePoint3d m_pivot;
    double m_referenceLength = 0.0;
    double m_newScale = 1.0;
    double m_newRotation = 0.0;
    WqGePoint3d m_start;
    double m_startRotation = 0.0;
    bool m_centre = false;
    WqGeVector3d m_centreOffset;
    std::vector<WqGeVector3d> m_connections;
    // The border, title block and the other symbols' connection points, filled at each step.
    DLxContext m_context;
    bool m_boxDragging = false;
};
