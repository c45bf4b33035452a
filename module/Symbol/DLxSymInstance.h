#pragma once
// Base of every placed symbol: an emblem whose input states are the symbol state (0), the
// display-list state (1) and its leaders (2 onward). It draws its leaders, its body and its
// texts, follows its anchors, and answers the protocol through which requests, manipulators
// and the host talk to any symbol kind.
#include <cstdint>
#include <list>
#include <vector>

#include "dl/DLxEmblem.h"
#include "du/DUxAddToLayerInterface.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxObjectStyleInterface.h"
#include "ge/BBox.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "utx/UTxResult.h"

class DLxAnchorPoint;
class DLxViewInstance;
class DUxArrowHeadBox;
class DUxArrowHeadState;
struct DUxArrowHeadTemplate;
class DUxDisplayListState;
class DUxGeometryProxy;
class DUxLeaderNode;
class DUxSymState;
class RDxTemplate;
class SMxChildItem;
class SMxColor;
class SMxDisplayList;
struct DUxLineStyle;

class DLxSymInstance : public DLxEmblem,
                       public DUxObjectStyleInterface,
                       public DUxAddToLayerInterface {
public:
    // The part of a weld symbol's landing that the symbol itself covers.
    static constexpr double DLxMIN_LANDING_LENGTH = 0.25;
    // Nearer than this (sheet units) to its anchor geometry, a symbol sits on it without leaders.
    static constexpr double kSnapToGeometryDistance = 0.25;
    // Symbol flags.
    static constexpr uint32_t kAboveOrLeftFlag = 0x00000001;
    static constexpr uint32_t kNoSelfClippingFlag = 0x00000002;
    static constexpr uint32_t kLeaderReplacedFlag = 0x00010000;
    static constexpr uint32_t kLeaderTextEditedFlag = 0x00020000;
    // Dimension type codes whose symbols stay horizontal.
    static constexpr int32_t kHorizontalDimTypeFirst = 0x1001;
    static constexpr int32_t kHorizontalDimTypeLast = 0x1004;
    // Warning filed for a symbol with an invalid anchor (library 11, code 1001).
    static constexpr UTxResultCode kInvalidAnchorWarning = 0xA00B03E9;
    // Item id extra of the anchor hot point of a symbol without leaders.
    static constexpr int32_t kNoLeaderAnchorHotPoint = 5;

    // Made in the fragment's segment and added to it; without a state a default one is made.
    DLxSymInstance(RDxFragment* fragment, DUxSymState* state);
    // The annotation template every placed symbol (and the module's other emblems) is an
    // instance of; null when no factory makes it.
    static RDxTemplate* GetSymbolTemplate();
    static const UTxGUID& GetSymbolTemplateGuid();
    explicit DLxSymInstance(const RSeStream* s);
    ~DLxSymInstance() override;
    RSeMetaType* GetMeta() const override;

    // ---- flags and plain fields
    void SetSymFlag(uint32_t bits);
    void UnsetSymFlag(uint32_t bits);
    void ClearSymFlags();
    bool IsSymFlagOn(uint32_t bits) const { return (m_symFlags & bits) != 0; }
    uint64_t GetSymFlags() const { return m_symFlags; }
    bool AlwaysHorizontal() const { return m_alwaysHorizontal; }
    void SetAlwaysHorizontal(bool on);
    int32_t GetAlignment() const { return m_alignment; }
    void SetAlignment(int32_t alignment);
    int32_t GetOutlineType() const { return m_outlineType; }
    void SetOutlineType(int32_t type);
    bool IsReverseSide() const { return m_reverseSide; }

    // ---- the state list
    DUxSymState* GetSymState() const;
    // Deletes the state it replaces.
    void SetSymState(DUxSymState* state);
    DUxDisplayListState* GetDisplayListState() const;
    // The symbol's own display list; null without its state.
    SMxDisplayList* GetDisplayList() const;
    const SMxDisplayList* GetSheetDisplayList() const override { return GetDisplayList(); }
    // A pick hits the symbol's body (its placed box), not the reach of its leaders.
    bool HitTest(const WqGePoint3d& point, double tol) const override;
    void SetDisplayList(const SMxDisplayList& list);

    DUxLeaderNodeTree* GetLeader(int32_t i) const;
    int32_t GetNumLeaders() const;
    // Replaces an existing leader only; never appends.
    void SetLeader(DUxLeaderNodeTree* tree, int32_t i);
    void SwapLeaders(int32_t a, int32_t b);
    void AppendLeader(DUxLeaderNodeTree* tree);
    // Deletes the tree; later leaders move down.
    void RemoveLeader(int32_t i);
    // More than one node; false for a leader that does not exist.
    bool IsActiveLeader(int32_t i) const;
    int32_t GetNumberOfActiveLeaders() const;

    // Arrowhead index first, leader index second.
    DUxArrowHeadState* GetArrowHeadState(int32_t arrow, int32_t leader) const;
    const DUxArrowHeadTemplate* GetArrowHeadRef(int32_t arrow, int32_t leader) const;
    void SetArrowHeadRef(const DUxArrowHeadTemplate* tmpl, int32_t arrow, int32_t leader);
    void GetArrowHeadIndexes(std::vector<int32_t>& indexes, int32_t leader) const;

    WqGePoint3d GetSymbolOrigin() const;
    // The pens of the symbol's own lines and of its leaders: what the document gives this
    // symbol, else the document's style of symbol (leader) lines under the ANSI standard.
    DUxLineStyle GetSymbolLineStyle() const;
    DUxLineStyle GetLeaderLineStyle() const;
    void AdjustLeaderLanding(const WqGePoint3d&, int32_t) {}

    // ---- placement
    void MoveSymbolBox(const WqGePoint3d& target, int32_t leader) {
        MoveSymbolBox(target, leader, target);
    }
    // Moves the roots of all leaders with the symbol (two active leaders or more): the common
    // root (GetCommonLeaderRoot, else the middle of the box) goes to p.
    void AdjustLeaderRoot(const WqGePoint3d& p, int32_t);
    bool GetEndPointsOfExtensionLineIfNoLeader(WqGePoint3d& start, WqGePoint3d& end,
                                               const WqGeVector3d& offset);
    // The first anchor: branch 0 of leader 0.
    DLxAnchorPoint* GetFirstAnchor() const;

    // ---- host overrides
    UTxResult Compute(RDxComputeContext& ctx) override;
    void CollectDependencies(std::vector<RDxNode*>& out) const override;
    void GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) override;
    int32_t GetNumberOfBoxes() const override { return 1; }
    // Styles the drawn lists: the layer over all, then the leader style on the leader list, the
    // symbol's own style (and the texts' colour on its texts) on the symbol list, and the texts'
    // colour, layer or text style on the text list. Disposition 1 cleans what an earlier
    // styling left first.
    void AddToLayer(CleanUpDisposition disposition) override;

    virtual bool IsValid() const;
    virtual bool IsDead() const;
    virtual bool IsSuppressed() const;
    virtual bool NeedsUpdate() const;
    virtual bool GetEmblemBoundingBox(std::vector<WqGePoint3d>& points, int32_t) const;
    virtual bool EmblemBelongsToView(const DLxViewInstance* view) const;
    virtual bool BelongsExclusivelyToViewSet(const std::vector<DLxViewInstance*>& views) const;
    virtual DLxViewInstance* GetView() const;
    virtual void GetAllViews(std::list<DLxViewInstance*>& views) const;
    virtual void GetAnchors(std::vector<DLxAnchorPoint*>& anchors) const;
    virtual bool GetAllParentInstances(std::vector<DUxAnnotationInstance*>& parents) const;
    virtual bool CanInferToDimensions() const { return true; }
    virtual bool CanClipCrossHatch() const { return true; }
    virtual bool IncludeInDimCleanupClipping() const;

    // ---- the symbol protocol
    // The leader's look; over the symbol's state when the kind keeps per-object values there.
    virtual SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const = 0;
    virtual const DUxTextStyleWrapper* GetTextStyleWrapper() const = 0;
    virtual bool PostLeaderGenGraphics(SMxDisplayList&, SMxDisplayList&, int32_t) { return true; }
    virtual bool DisplayLeaders() const { return m_displayLeaders; }
    virtual void SetDisplayLeaders(bool on);
    virtual bool DisplayLeadersByUser() const { return true; }
    virtual bool GetSickAnchors(std::vector<DLxAnchorPoint*>& anchors) const;
    virtual bool AllowFreeAnchors() const { return true; }
    // Places the symbol and text lists: rotation by `angle` about `centre`, then a move by
    // (attach - centre + offset). The leader list and the node are not touched.
    virtual void TransformInstance(SMxChildItem* symbol, SMxChildItem* text, SMxChildItem* leader,
                                   void* sceneNode, const WqGeVector3d& centre,
                                   const WqGeVector3d& attach, const WqGeVector3d& offset,
                                   double angle);
    virtual WqGeVector3d GetAttachPointOffset(const BBox& box) const;
    virtual bool IsOnLeader(WqGePoint3d& p, int32_t leader) const;
    virtual bool SetLandingEndPoint(WqGePoint3d& p, int32_t leader);
    virtual bool GetLandingEndPoint(WqGePoint3d& p, int32_t leader) const;
    virtual bool AdjustLandingAttachPoint(WqGePoint3d&, int32_t) { return false; }
    virtual void AdjustAnchorPoints() {}
    virtual bool IsOnAnyLeader(WqGePoint3d& p, int32_t& leader) const;
    virtual DUxLeaderNode* AddLeaderVertex(const WqGePoint3d& p, int32_t leader);
    virtual void Cleanup(std::vector<DUxArrowHeadBox>& boxes, SMxDisplayList& list, bool flag);
    virtual void Cleanup(std::vector<DUxArrowHeadBox>& boxes, bool flag);
    virtual bool GetNoLeaderSymAttachment(WqGePoint3d& attach, WqGeVector3d& direction,
                                          DUxLeaderNodeTree::ELandingPos& pos, int32_t& index);
    virtual void AdjustLeaderRoots(const BBox&) {}
    // Where several active leaders meet: kinds that join them elsewhere than the middle of the
    // symbol's box set `point` and answer true.
    virtual bool GetCommonLeaderRoot(WqGePoint3d&) const { return false; }
    virtual void MoveSymbolBox(const WqGePoint3d& target, int32_t leader, const WqGePoint3d& box);
    virtual BBox GetGraphicsBoundingBox(const SMxDisplayList* first,
                                        const SMxDisplayList* second) const;
    virtual bool SkipAlwaysHorizontalOverride() const { return false; }
    virtual bool CanConnectAddedLeaderToPrimaryAnchor() { return true; }
    virtual void GetAttachPointIfNoLeader(WqGePoint3d& p) const;
    virtual bool UsesFullStyleInformation() const { return true; }
    virtual void GetTextColor(bool& ownColor, SMxColor&, bool& byLayer, bool&) const {
        ownColor = false;
        byLayer = false;
    }
    // The warning kInvalidAnchorWarning with a DLxDiagEmblemInvalidAnchorPoint naming this
    // symbol and the anchors (the first one first), also filed with the fragment; success for
    // no anchors.
    virtual UTxResult AddDiagnosis(std::vector<DLxAnchorPoint*>& anchors);
    // Marks a symbol with sick anchors as the drawing says: the sick colour and a marker at each
    // sick anchor, the object's health and, when its fragment collects them, the diagnosis.
    virtual UTxResult ApplySickness();
    virtual bool CanApplySymbolTreatments() { return true; }
    virtual bool SupportsExtensionLine() const { return true; }
    virtual void AdjustAttachPointForHiddenLeader(WqGePoint3d&, WqGeVector3d&,
                                                  DUxLeaderNodeTree::ELandingPos&, double) {}
    virtual void ReplaceSymTextDisplayListByDimText(RDxComputeContext*, SMxDisplayList*,
                                                    SMxDisplayList*) {}
    virtual bool CanDrawArrowHead() const { return true; }
    virtual bool CanDrawRootHotPoints() const { return true; }
    virtual bool CanTextBeDrawnUpsideDown() const { return true; }
    virtual bool CanAttachLeaderToRoot() const { return true; }
    virtual bool CanDeleteLeader() const { return true; }
    virtual bool CanDeleteSelectedLeader(int32_t, int32_t) const { return true; }
    virtual bool CanConnectAddedLeaderToLeaderRootNode() { return false; }
    virtual bool CanConnectToCenterMarkLeg() { return true; }

    void Load(RSeStream& s);
    // Versions 0 to 6; those up to 4 queue the symbol for the repair of old documents.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    // Before version 4 leader trees had no terminal-node generator: each gets one.
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxSymInstance* target, RSeCloneCommander* cc) const;

    // Deletes the symbol with its states and leaders. Kinds that owe something to others when
    // they go settle it first, while their states still say what.
    virtual void DeleteAndVacuumClean();

protected:
    virtual int32_t GetLeaderIndex() const { return 2; }
    // Which side of its attached edge the symbol lies on (the normal's side when false).
    void SetReverseSide(bool on);
    // The box of the symbol and text lists of the last drawing.
    BBox GetSymbolBoundingBoxFromGraphics() const;

private:
    // The steps of Compute, in order.
    struct ComputePass;
    // Non-finite nodes go to their anchors; true when every anchor lies in a removed part of a
    // broken view, so that nothing is drawn.
    bool RepairLeaderNodes();
    // Leader 0 follows the first anchor's moves and its view's scale.
    void FollowFirstAnchor(ComputePass& pass);
    // Clears the list and marks the symbol's health.
    UTxResult StartDrawing(ComputePass& pass, bool valid);
    // The leader list, and where the symbol attaches: leader 0's landing or its geometry.
    void PlaceAttachPoint(ComputePass& pass);
    // The symbol and its texts placed and turned, its box, the other leaders and the cleanup.
    void DrawSymbol(ComputePass& pass);

    // Where the root of `tree` goes: a leader of one node gets a node inserted above its end.
    void PlaceRoot(DUxLeaderNodeTree* tree, const WqGePoint3d& point);
    void UpdateSideFlag(const WqGeVector3d& d);
    // Snaps to the curve near `q` or takes the target; then the side from the box.
    void MoveSymbolBoxHasAnchorGeometry(DUxLeaderNodeTree* tree, DUxGeometryProxy* proxy,
                                        const WqGePoint3d& target, const WqGePoint3d& box,
                                        const WqGeVector3d& offset, const WqGePoint3d& q);
    // Every leader's anchors in order, nulls included for ends without one.
    template <class F> void ForEachBranchAnchor(F f) const;

    int32_t m_outlineType = 0;
    uint32_t m_symFlags = 0;
    bool m_displayLeaders = true;
    bool m_reverseSide = true;
    bool m_alwaysHorizontal = false;
    int32_t m_alignment = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxSymInstance*);
RSeMetaType* _GetMeta(const DLxSymInstance*);
} // namespace RSe
