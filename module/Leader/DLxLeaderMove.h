#pragma once
// Drags one leader vertex of an older symbol. The vertex follows the cursor on the preview
// copy; an inner vertex snaps onto the horizontal or vertical through a neighbour, or onto the
// line through both neighbours, and the root onto the horizontal or vertical through the next
// vertex, when it comes within 3 degrees of it. EndDrag attaches one "LeaderMove" for the
// stored symbol carrying the dragged vertex's move; a cancelled drag changes nothing.
//
// Vertex index k names the node at pre-order position k of leader 0; for the symbol kinds 0,
// 2 and 7 indices 0 and 1 name no node, 2 names the root and k >= 3 the node at k - 2.
#include <cstdint>
#include <vector>

#include "dl/DLxInstanceManipulator.h"
#include "dl/DLxIntent.h"
#include "dl/DLxTransientDrawObject.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"

class DLxCLeaderNode;
class DLxSymbol;

class DLxLeaderMove : public DLxInstanceManipulator {
public:
    static constexpr int32_t kDragCursor = 8044;
    static constexpr int32_t kTipCursor = 13026;
    static constexpr int32_t kVertexPrompt = 8155;
    static constexpr int32_t kTipPrompt = 13038;
    // cos 3 degrees: a piece nearer than this to an axis or line snaps onto it.
    static constexpr double kSnapCosine = 0.998629;

    DLxLeaderMove(const RSeRef<DLxSymbol>& symbol, int32_t vertexIndex, const WqGePoint3d& picked,
                  FWxSelection* selection, FWxSceneDoc* doc = nullptr);
    ~DLxLeaderMove() override;

    // Refused when the document permits no change now, or the index names no node of leader 0.
    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    bool EndDrag(const WqGePoint3d& point) override;
    void CancelDrag() override;
    bool PostRequest() override;
    // A double click away from an arrow tip opens the symbol's editor.
    bool StartDialog() override;
    int32_t GetPromptCursor() const override;
    int32_t GetPromptText() const override;
    std::string GetManipulatorName() const override { return "DLxLeaderMove"; }

    DLxSymbol* GetStoredSymbol() const;
    // Whether the pick was on an arrow tip of the stored symbol.
    bool IsArrowTip() const;
    const WqGeVector3d& GetDragOffset() const { return m_offset; }
    const WqGePoint3d& GetCurrentPoint() const { return m_current; }
    // The copy's leaders as the drag left them.
    const DLxTransientDrawObject& GetLeaderPreview() const { return m_preview; }

private:
    // The dragged node's pre-order position in leader 0; negative for none.
    int32_t NodePosition() const;
    // The preview copy shares the stored records' node trees: each copied record gets a tree
    // of its own, so that the drag never reaches the stored nodes.
    void CopyPreviewTrees();
    void DropPreviewTrees();
    void DrawLeaders(const DLxSymbol* clone);

    int32_t m_index;
    WqGePoint3d m_current;
    WqGeVector3d m_offset;
    WqGePoint3d m_startVertex;
    WqGePoint3d m_picked;
    WqGePoint3d m_first;
    DLxIntent m_intent;
    int32_t m_cursor = kDragCursor;
    std::vector<RSeRef<DLxCLeaderNode>> m_previewRoots;
    DLxTransientDrawObject m_preview;
};
