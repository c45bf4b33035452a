#pragma once
// A sketched symbol placed on a sheet: a placed symbol whose state is a DLxCallOutState showing
// one placement of a sketch definition, with one leader. The sketch's reference point (its
// insertion point or its geometric centre) goes where the leader attaches; the sketch is scaled
// and turned about it, its images only moved. Unless self-clipping is off (symbol flag
// kNoSelfClippingFlag) each branch of the leader stops at the symbol's outline; with clip
// others the symbol's box also clips the lines of other annotations.
#include <cstdint>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCallOutState;
class DLxSketchInstance;
class DUxLeaderStyle;
class FBxLayerStyle;
class FWxStyle;
class RDxFragment;

class DLxCallOutInstance : public DLxSymInstance {
public:
    static constexpr int32_t kObjectType = 0x7008000;
    // The arrowhead service new sketched symbols take unless told otherwise.
    static constexpr uint32_t kDefaultArrowId = 28029;
    // How SetSketchInstance treats the placement: replace the old one and register the new one
    // with its sheet, replace only, or set and register.
    enum ERegisterType : int32_t { kReplaceAndRegister = 0, kReplaceOnly = 1, kSetAndRegister = 2 };

    DLxCallOutInstance(RDxFragment* fragment, DLxCallOutState* state);
    explicit DLxCallOutInstance(const RSeStream* s);
    ~DLxCallOutInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new symbol in the fragment showing the placement, with one leader through `points`
    // (its end first, the symbol at the last) and its arrowhead: `arrowId`, or for any other
    // id than kDefaultArrowId the leader style's arrowhead when the style has one. The leader
    // style and layer apply when given. The placement names the symbol as its owner.
    static DLxCallOutInstance* CreateInstance(RDxFragment* fragment, DLxSketchInstance* sketch,
                                              const std::vector<WqGePoint3d>& points,
                                              uint32_t arrowId,
                                              const RSeRef<FWxStyle>& standard,
                                              const RSeRef<DUxLeaderStyle>& leaderStyle,
                                              const RSeRef<FBxLayerStyle>& layer,
                                              bool leaderVisible);

    DLxCallOutState* GetCallOutState() const;
    DLxSketchInstance* GetSketchInstance() const;
    // A null placement does nothing; see ERegisterType.
    void SetSketchInstance(DLxSketchInstance* sketch, ERegisterType type);

    void SetDisableSelfClippingFlag(bool on);
    bool IsDisableSelfClippingFlagOn() const { return IsSymFlagOn(kNoSelfClippingFlag); }
    bool EmblemClipOthers() const { return m_clipOthers; }
    void SetEmblemClipOthers(bool on);
    // A preview shows a hidden leader dashed instead of leaving it out. Not stored.
    bool GetTemporarySymbol() const { return m_temporary; }
    void SetTemporarySymbol(bool on) { m_temporary = on; }
    // Set while a drag of the symbol's box runs (not stored).
    bool IsBeingDragged() const { return m_beingDragged; }
    void SetBeingDragged(bool on) { m_beingDragged = on; }

    int32_t GetObjectType() const { return kObjectType; }
    static const UTxString16& GetBrowserLabel();
    // The centre of the placed symbol (of its graphics while the state has no box).
    WqGePoint3d GetKeyPoint() const;
    // The sheet the placement lies on; null without one.
    RDxFragment* GetSheet() const;

    UTxResult Compute(RDxComputeContext& ctx) override;
    void GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override { return nullptr; }
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    bool PostLeaderGenGraphics(SMxDisplayList& list, SMxDisplayList& leaderList,
                               int32_t index) override;
    void SetDisplayLeaders(bool on) override;
    void TransformInstance(SMxChildItem* symbol, SMxChildItem* text, SMxChildItem* leader,
                           void* sceneNode, const WqGeVector3d& centre, const WqGeVector3d& attach,
                           const WqGeVector3d& offset, double angle) override;
    void Cleanup(std::vector<DUxArrowHeadBox>& boxes, bool flag) override;
    using DLxSymInstance::Cleanup;
    bool GetNoLeaderSymAttachment(WqGePoint3d& attach, WqGeVector3d& direction,
                                  DUxLeaderNodeTree::ELandingPos& pos, int32_t& index) override;
    void GetAttachPointIfNoLeader(WqGePoint3d& p) const override;
    bool CanDeleteLeader() const override;
    bool CanApplySymbolTreatments() override;
    // The placement goes with the symbol, and so does its browser entry.
    void DeleteAndVacuumClean() override;

    // The leader stops at the symbol's outline: each branch at the first of its segments,
    // from its end towards the symbol, that crosses a curve or text box of the symbol graphics.
    void ClipLeaderAtOutline(SMxDisplayList& leaderList) const;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult PostRestore(RSeMetaContext& ctx);
    // A symbol stored at version 0 still holds its leader in the intermediate form: it is
    // queued for DLxUpdateLeaderStateMigrator (context of this class, 0).
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxCallOutInstance* target, RSeCloneCommander* cc) const;

private:
    bool m_clipOthers = true;
    bool m_temporary = false;
    bool m_beingDragged = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCallOutInstance*);
RSeMetaType* _GetMeta(const DLxCallOutInstance*);
} // namespace RSe
