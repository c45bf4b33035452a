#pragma once
// A leader text placed on a sheet: a formatted text at the end of a leader (a second leader
// mirrors the first). Its state is a DUxLeaderTextState; its look comes from a dimension style:
// with a landing the text sits beside the landing's end, a text gap away, its reference line
// (the underline, else the middle of its top or bottom line) level with the landing; without
// one it follows the leader's first segment, turned along it. Underlines go to the leader's
// list, stretched to the side the leader comes from, so that they are drawn as leader lines.
#include <cstdint>
#include <optional>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxDimensionStyle;
class DUxLeaderTextState;
class DUxStandardStyle;
class FBxLayerStyle;
class FWxSceneDoc;
class RDxFragment;
class RDxString;

class DLxLeaderTextInstance : public DLxSymInstance {
public:
    static constexpr int32_t kObjectType = 0x07007F00;
    static constexpr int32_t kLabelStringId = 8151;
    // The landing a leader text's leader is drawn with unless the user drags a longer one.
    static constexpr double kDefaultLandingLength = 0.25;
    // The layout of texts placed by this generation (symbol flag): texts of older documents
    // keep the older placement until edited.
    static constexpr uint32_t kCurrentLayoutFlag = kLeaderTextEditedFlag;
    // Attachment code of a leader text's string: the middle of its block.
    static constexpr int32_t kStringAttachment = 7;

    DLxLeaderTextInstance(RDxFragment* fragment, DUxLeaderTextState* state);
    explicit DLxLeaderTextInstance(const RSeStream* s);
    ~DLxLeaderTextInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new leader text in the fragment on `text` (a string of the fragment's segment, which
    // the instance then owns): one leader from its end (the first point) through the other
    // points to its root (the last point), with an arrowhead of `arrowId`; always horizontal.
    // The dimension style and layer are the state's own when given. The text position is not
    // used: the compute places the text from the leader; the standard style is accepted for
    // the host's sake (the document's standard applies). Null without a fragment or a text
    // of its segment.
    static DLxLeaderTextInstance* CreateInstance(RDxFragment* fragment, RDxString* text,
                                                 const std::vector<WqGePoint3d>& points,
                                                 const WqGePoint3d& textPosition, uint32_t arrowId,
                                                 const RSeRef<DUxStandardStyle>& standard,
                                                 const RSeRef<DUxDimensionStyle>& style,
                                                 const RSeRef<FBxLayerStyle>& layer);
    // Gives the string the look of the style's text style (the document's leader-text style
    // when null): font and height, the layer's colour, no turn, attached at its middle.
    // Nothing without a string or a document.
    static void ApplyDimStyleToString(FWxSceneDoc* doc, RDxString* text,
                                      const DUxDimensionStyle* style);

    DUxLeaderTextState* GetLeaderTextState() const;
    int32_t GetObjectType() const { return kObjectType; }
    static const char* GetInternalName() { return "LeaderText"; }
    static const UTxString16& GetBrowserLabel();
    // The key point: the centre of the placed text (of its graphics when the state has no box).
    WqGePoint3d GetKeyPoint() const;

    // The text, whatever the index.
    RDxString* GetTextItem(int32_t index) const;
    void SetTextItem(int32_t index, RDxString* text);

    UTxResult Compute(RDxComputeContext& ctx) override;
    // The corners of the placed text as last drawn; false before the first drawing.
    bool GetEmblemBoundingBox(std::vector<WqGePoint3d>& points, int32_t) const override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override;
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    // The point of the text that meets the landing's end: the side facing the landing.
    WqGeVector3d GetAttachPointOffset(const BBox& box) const override;
    void TransformInstance(SMxChildItem* symbol, SMxChildItem* text, SMxChildItem* leader,
                           void* sceneNode, const WqGeVector3d& centre, const WqGeVector3d& attach,
                           const WqGeVector3d& offset, double angle) override;
    // A second leader mirrors the first about the middle of the text.
    void AdjustLeaderRoots(const BBox& box) override;
    // Records the corners of the placed text.
    void ReplaceSymTextDisplayListByDimText(RDxComputeContext* ctx, SMxDisplayList* text,
                                            SMxDisplayList* second) override;
    // The text's own colour when the user set one (colour-set true), else whether it follows
    // its layer when the user chose that; otherwise the outputs stay as given.
    void GetTextColor(bool& ownColor, SMxColor& color, bool& byLayerSet,
                      bool& byLayer) const override;
    // The text's underlines lie across its own box: they are clipped by other annotations'
    // boxes only.
    void Cleanup(std::vector<DUxArrowHeadBox>& boxes, SMxDisplayList& list, bool flag) override;
    using DLxSymInstance::Cleanup;

    void Load(RSeStream& s);
    // Versions 0 to 3: the placed-symbol part only.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxLeaderTextInstance* target, RSeCloneCommander* cc) const;

private:
    // The landing as the style wants it, unless the layout is fixed.
    void ApplyLanding();
    // A sheet-wide restyle of the text by the change type of the compute.
    void Restyle(RDxComputeContext& ctx);

    std::vector<WqGePoint3d> m_outline;                     // not stored
    mutable std::optional<DUxTextStyleWrapper> m_textStyle; // last answer of GetTextStyleWrapper
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxLeaderTextInstance*);
RSeMetaType* _GetMeta(const DLxLeaderTextInstance*);
} // namespace RSe
