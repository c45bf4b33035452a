#pragma once
// A 2D weld symbol placed on a sheet: a placed symbol whose state is a DUxWeldState and whose
// one leader runs from the weld (its arrow) to the root of the reference line. The state draws
// the reference lines from the root; the symbol keeps their direction in step with the leader
// (the line runs away from the arrow), applies the weld edit records, and keeps the ids of the
// model weld features shown on its arrow and other sides.
#include <cstdint>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

struct DUxWeldContent;
class DUxWeldState;
class DUxWeldStyle;
struct DLxEdgeWeldData;
struct DLxModelWeld;
struct DLxViewEdge;
class DLxViewInstance;
class FBxLayerStyle;
class FBxObjectEditRecord;
using FBxObjectEditRecordList = std::vector<FBxObjectEditRecord>;
class RDxFragment;

class DLxWeldInstance : public DLxSymInstance {
public:
    // No model weld feature.
    static constexpr uint32_t kNoFeature = 0xFFFFFFFF;
    // A pick this near the root of the reference line is not on the leader.
    static constexpr double kRootPickTolerance = 0.1;

    DLxWeldInstance(RDxFragment* fragment, DUxWeldState* state);
    explicit DLxWeldInstance(const RSeStream* s);
    ~DLxWeldInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new weld symbol in the fragment: a weld state with one sub-welding (a fillet weld on
    // the arrow side) under the look of `standard`, one leader through `points` (its end
    // first, the root last) with the default arrowhead, on the layer when given; always
    // horizontal, no feature ids.
    // The weld style given becomes the symbol's own; without one the drawing's applies. The
    // symbol takes its identification line, arrow side and prefix choice from that style, or
    // from `standard`'s rule when the drawing has no weld style.
    static DLxWeldInstance* CreateInstance(RDxFragment* fragment, std::vector<WqGePoint3d>& points,
                                           const RSeRef<DUxWeldStyle>& weldStyle,
                                           const RSeRef<FBxLayerStyle>& layerStyle,
                                           const UTxString16& standard);

    DUxWeldState* GetWeldState() const;
    bool IsRecovered() const;
    uint32_t GetArrowID() const { return m_arrowID; }
    uint32_t GetOtherID() const { return m_otherID; }
    void SetArrowID(uint32_t id);
    void SetOtherID(uint32_t id);

    // The root of leader 0 (r) and its first child (d): 0 without leader 0 (r and d untouched),
    // 1 for a root without children, 2 otherwise.
    int32_t GetReferencePoints(WqGePoint3d& r, WqGePoint3d& d) const;
    // The end of a landing of `length` from `root` along the reference line's direction.
    bool GetWeldAttachPoint(const WqGePoint3d& root, double length, WqGePoint3d& q,
                            WqGeVector3d& v) const;
    // The reference line runs away from the arrow: orientation 0 (to the left) when leader k
    // leaves its root to the right, else 1.
    void SetSymbolOrientation(int32_t leader);
    // Replays weld edit records onto the state, in order; records that name nothing change
    // nothing. Check a list first with CheckEditRecords.
    UTxResult ApplyEditRecords(const FBxObjectEditRecordList& records);
    // The same onto a weld symbol's content (one with no sub-welding is left alone).
    static void ApplyEditRecords(DUxWeldContent& content, const FBxObjectEditRecordList& records);
    // Whether a list can be applied to a symbol of `subWeldings` sub-weldings: every index
    // names a sub-welding (an insertion position for "AddSubWeld"), no record edits a deleted
    // current sub-welding, and one sub-welding at least remains. Refusal text otherwise.
    static UTxString16 CheckEditRecords(const FBxObjectEditRecordList& records, int32_t subWeldings);

    // Association with the model's welds. A symbol points at a weld feature either through an
    // edge of its bead, or (a cosmetic weld, which has no bead) through the part edge the weld
    // lies along, at a parameter within the weld's stretches of that edge.
    //
    // The weld feature whose bead edge the first anchor lies on; null when none.
    const DLxModelWeld* GetAnchorModelWeld() const;
    // For a recovered symbol, the id of the weld feature under the first anchor (a cosmetic
    // symbol's: the first cosmetic weld of the edge); kNoFeature otherwise.
    uint32_t GetFeatureIdFromAnchorEdgeProxy() const;
    // A recovered symbol whose first anchor lies on a part edge carrying cosmetic welds (not on
    // a bead).
    bool UsesCosmeticWeldData() const;
    // The edge under the anchor of end `terminal` of leader `leader`, when it belongs to the
    // symbol's welds (ArrowID or OtherID: by its bead, or for a cosmetic symbol by a cosmetic
    // weld along it); null otherwise, and always for a symbol that is not recovered.
    const DLxViewEdge* GetAnchorEdgeProxy(int32_t leader, int32_t terminal) const;
    // The cosmetic weld of the symbol's edge whose stretch holds the anchor (the last such);
    // null when none.
    const DLxEdgeWeldData* GetCosmeticEdgeAuxWeldData(int32_t leader, int32_t terminal) const;
    // An edge of the view carrying a cosmetic weld of ArrowID (else OtherID); false when none.
    bool FindCosmeticWeldEdge(DLxViewInstance* view, const DLxEdgeWeldData*& data,
                              const DLxViewEdge*& edge) const;
    // Takes the weld symbol the model keeps for `weld`: its sub-weldings (sides swapped for a
    // reversed weld, primary prefixes dropped unless the symbol keeps recovered prefixes, the
    // arrow side where this symbol's standard puts it), keeping the orientation; the symbol is
    // then recovered.
    void UpdatefromWeldState(const DLxModelWeld& weld);
    // A symbol on a model weld (a bead edge, or a cosmetic weld's stretch of a part edge) takes
    // the symbol the model keeps for it and the ids of the welds on its arrow side and other
    // side; false, changing nothing, when the first anchor lies on no weld.
    bool RecoverFromModelWeld();
    // After a view update: a recovered symbol whose anchors lost their edges puts each anchor
    // back on an edge of its welds (the middle of a bead edge, or the middle of a cosmetic
    // weld's first stretch). A valid symbol is left alone.
    void RelinkModelWeldAnchors();
    // What the view update hook runs: relinks and recomputes every recovered weld symbol
    // anchored in the view. Answers how many were relinked.
    static int32_t RelinkViewWeldSymbols(DLxViewInstance* view);

    // The key point: the root, or the middle of the root and its first child.
    bool GetKeyPoint(WqGePoint3d& p) const;
    static const UTxString16& GetBrowserLabel();

    UTxResult Compute(RDxComputeContext& ctx) override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override;
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    WqGeVector3d GetAttachPointOffset(const BBox& box) const override;
    bool IsOnLeader(WqGePoint3d& p, int32_t leader) const override;
    bool AdjustLandingAttachPoint(WqGePoint3d&, int32_t) override { return false; }
    bool CanDrawRootHotPoints() const override;
    void GetAttachPointIfNoLeader(WqGePoint3d& p) const override;
    // With several sub-weldings the root and its direct children hold the stack; they stay.
    bool CanDeleteSelectedLeader(int32_t leader, int32_t nodeId) const override;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxWeldInstance* target, RSeCloneCommander* cc) const;

private:
    void RelinkCosmeticWeldAnchors();
    // Sets ArrowID and OtherID from a model lookup of `feature`.
    void TakeFeatureIds(int32_t feature, int32_t other, bool arrow);

    uint32_t m_arrowID = kNoFeature;
    uint32_t m_otherID = kNoFeature;
    // Last answer of GetTextStyleWrapper, which hands out a pointer.
    mutable SmartPtr<DUxTextStyleWrapper> m_textStyle;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxWeldInstance*);
RSeMetaType* _GetMeta(const DLxWeldInstance*);
} // namespace RSe
