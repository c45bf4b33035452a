#pragma once
// States of a placed symbol: DUxSymState holds the symbol's values (its origin on the sheet, the
// scale it was laid out at, its box around the origin and the outline drawn around it);
// DUxDisplayListState holds the symbol's own display list, which is derived and not stored.
#include <cstdint>
#include <memory>

#include "dc/RDxState.h"
#include "ge/BBox.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxGUID.h"

class DUxSymUnitAttr;
class FWxStyle;
class SMxDisplayList;

// The leader-style values a symbol holds as its own, against those of its kind's style
// (DUxLeaderStyleWrapper reads and writes them). A bit of `mask` says which value is set.
struct DUxLeaderStyleOverrides {
    enum EField : uint32_t {
        kArrowHead = 1,
        kArrowHeadSize = 2,
        kAllAroundDiameter = 4,
        kOvershoot = 8,
        kLeaderStyle = 16,
        kAllFields = 31,
    };
    uint32_t mask = 0;
    uint32_t arrowHead = 0;
    double arrowHeadSize = 0.0;
    double allAroundDiameter = 0.0;
    double overshoot = 0.0;
    // The leader style whose pen the leader takes.
    RSeRef<FWxStyle> leaderStyle;

    bool Has(EField f) const { return (mask & f) != 0; }
    bool operator==(const DUxLeaderStyleOverrides&) const = default;
};

class DUxSymState : public RDxState {
public:
    enum EOutlineType : int32_t { kNoOutline = 0, kBoxOutline = 1 };

    DUxSymState() = default;
    explicit DUxSymState(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to the fragment.
    static DUxSymState* Create(RDxFragment* fragment);

    const WqGePoint3d& GetOrigin() const { return m_origin; }
    void SetOrigin(const WqGePoint3d& origin);
    double GetScale() const { return m_scale; }
    void SetScale(double scale);
    // Relative to the origin; empty until the symbol has a size.
    const BBox& GetBoundingBox() const { return m_box; }
    void SetBoundingBox(const BBox& box);
    // The style the symbol takes its look from (a document style of its kind); without one the
    // document's style for the kind applies.
    FWxStyle* GetStyle() const;
    void SetStyle(const FWxStyle* style);
    // The layer the symbol is on (a document layer style); null for none.
    FWxStyle* GetLayerStyle() const;
    void SetLayerStyle(const FWxStyle* layer);
    // The symbol's own leader-style values; setting equal values changes nothing.
    const DUxLeaderStyleOverrides& GetLeaderStyleOverrides() const { return m_leaderOverrides; }
    void SetLeaderStyleOverrides(const DUxLeaderStyleOverrides& overrides);
    // Subclasses lay out stacks of symbols (balloons) instead of one box.
    virtual bool GetUseStackingBehavior() const { return false; }
    // The shape of the symbol's outline as its kind draws it; a circle's clipping outline is
    // the circle through the box's left and right sides. Kinds answer their own shape.
    static constexpr int32_t kCircleShape = 1;
    virtual int32_t GetOutlineShape() const { return 0; }
    // How the symbol's numbers are shown: with the standard's notation (the unit attributes of
    // its style) or with unit attributes of its own; none by default (numbers as typed).
    virtual bool GetUseStandardsNotation() const { return false; }
    virtual const DUxSymUnitAttr* GetUnitAttributes() const { return nullptr; }

    // Draws the symbol's body into `symbolList` and its texts into `textList`, placed at the
    // origin. The base draws only the outline: for kBoxOutline the box as a closed polyline with
    // item id 9 (the symbol's body); a symbol without a box draws nothing.
    virtual void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList,
                             int32_t landingPos, const UTxGUID& standard, bool upright,
                             int32_t outlineType);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DUxSymState* target, RSeCloneCommander* cc) const;

private:
    void LoadFields(RSeStream& s);

    WqGePoint3d m_origin;
    double m_scale = 1.0;
    BBox m_box;
    RSeRef<FWxStyle> m_style;
    RSeRef<FWxStyle> m_layerStyle;
    DUxLeaderStyleOverrides m_leaderOverrides;
};

class DUxDisplayListState : public RDxState {
public:
    DUxDisplayListState();
    explicit DUxDisplayListState(const RSeStream* s);
    ~DUxDisplayListState() override;
    RSeMetaType* GetMeta() const override;

    static DUxDisplayListState* Create(RDxFragment* fragment);

    // Empty until the owner draws; a loaded state is empty until the owner draws again.
    SMxDisplayList& GetDisplayList() { return *m_list; }
    const SMxDisplayList& GetDisplayList() const { return *m_list; }
    // Replaces the list's content.
    void SetDisplayList(const SMxDisplayList& list);

private:
    std::unique_ptr<SMxDisplayList> m_list;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxSymState*);
RSeMetaType* _GetMeta(const DUxSymState*);
RSeMetaType* _InitMeta(const DUxDisplayListState*);
RSeMetaType* _GetMeta(const DUxDisplayListState*);
} // namespace RSe
