#pragma once
// A feature control frame placed on a sheet: a placed symbol whose state is a DLxGDTState and
// whose two leaders are leader trees. It keeps the landings in step with the frame's turn and
// with the style's leader-at-corner rule, tells the leaders where on the frame they meet it,
// and gives other annotations the boxes of its lines as arrowhead targets.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxGDTState;
class FBxLayerStyle;
class FWxStyle;
class RDxFragment;

class DLxGDTInstance : public DLxSymInstance {
public:
    // Object type code of frames.
    static constexpr int32_t kObjectType = 0x700A600;
    // State flags: the leaders were last set up for corner attachment; the side a corner
    // landing lies on.
    static constexpr uint32_t kCornerSetUpFlag = 0x8000000;
    static constexpr uint32_t kCornerSideFlag = 0x10000000;
    // Instance flag with which the host marks an upgraded frame as current.
    static constexpr uint32_t kUpgradedFlag = 0x10;

    DLxGDTInstance(RDxFragment* fragment, DLxGDTState* state);
    explicit DLxGDTInstance(const RSeStream* s);
    ~DLxGDTInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new frame in the fragment: three state lines, two leaders (the first through `points`,
    // its end first, with arrowheads of `arrowType`), the frame style and layer style when
    // given (on that layer); always horizontal. The standard style is accepted for the host's
    // sake (the document's standard applies).
    static DLxGDTInstance* CreateInstance(RDxFragment* fragment, std::vector<WqGePoint3d>& points,
                                          uint32_t arrowType,
                                          const RSeRef<DUxFeatureControlFrameStyle>& frameStyle,
                                          const RSeRef<FBxLayerStyle>& layerStyle,
                                          const RSeRef<FWxStyle>& standardStyle);

    DLxGDTState* GetGDTState() const;
    // 1 for frames made by CreateInstance; 0 for frames upgraded from older versions until the
    // host marks them (kUpgradedFlag) or an edit sets it.
    bool GetAttachmentRule() const { return m_attachmentRule; }
    void SetAttachmentRule(bool on);

    int32_t GetObjectType() const { return kObjectType; }
    // The frame's label, loaded once.
    static const UTxString16& GetBrowserLabel();
    // The key point: the centre of the placed frame (of its graphics when the state has no
    // box).
    WqGePoint3d GetKeyPoint() const;

    // The corners of the frame: P0 top left (the world origin unless `atFrame`), P1 at the end
    // of line 0, P2 bottom left, P3 at the end of the last line. False without a box.
    bool GetFrameCorners(WqGePoint3d corners[4], bool atFrame, WqGeVector3d* width = nullptr,
                         WqGeVector3d* height = nullptr) const;
    // Where leader `leader` meets the frame under the corner rule; `outPoint` (when given) is
    // the point off the corner along the leader and `outSet` tells whether it was set.
    WqGePoint3d GetCornerAttachPoint(int32_t leader, bool useSecondLeader,
                                     WqGePoint3d* outPoint = nullptr, bool* outSet = nullptr) const;

    UTxResult Compute(RDxComputeContext& ctx) override;
    void GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override;
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    void TransformInstance(SMxChildItem* symbol, SMxChildItem* text, SMxChildItem* leader,
                           void* sceneNode, const WqGeVector3d& centre, const WqGeVector3d& attach,
                           const WqGeVector3d& offset, double angle) override;
    WqGeVector3d GetAttachPointOffset(const BBox& box) const override;
    bool SetLandingEndPoint(WqGePoint3d& p, int32_t leader) override;
    bool GetNoLeaderSymAttachment(WqGePoint3d& attach, WqGeVector3d& direction,
                                  DUxLeaderNodeTree::ELandingPos& pos, int32_t& index) override;
    void AdjustLeaderRoots(const BBox& box) override;
    // Leaders set up for a corner share leader 0's root.
    bool GetCommonLeaderRoot(WqGePoint3d& point) const override;
    void GetAttachPointIfNoLeader(WqGePoint3d& p) const override;
    bool CanConnectAddedLeaderToPrimaryAnchor() override;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxGDTInstance* target, RSeCloneCommander* cc) const;

private:
    std::unique_ptr<DUxFeatureControlFrameStyleWrapper> StyleWrapper() const;
    bool CornerStyle() const;
    double RotationAngle() const;

    bool m_attachmentRule = false;
    mutable std::optional<DUxTextStyleWrapper> m_textStyle; // last answer of GetTextStyleWrapper
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxGDTInstance*);
RSeMetaType* _GetMeta(const DLxGDTInstance*);
} // namespace RSe
