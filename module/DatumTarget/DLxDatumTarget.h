#pragma once
// A datum target on a sheet: a target shape on the part (a point, a line, a circular or a
// rectangular area, or only the leader's end), a balloon with the target's size and label, a
// leader from the balloon to the shape, and further balloons attached to the same target.
//
// It is a placed symbol: state 0 holds its style and layer (and the anchor position it last
// followed), state 1 its display list, leader 0 runs from the default balloon (its root) to the
// target (its one end, whose anchor hangs on the view's geometry). The symbol owns its shape
// and balloon records (DLxCTarget..., DLxCTargetBalloon).
//
// Balloon index: 0 the default balloon, n (1-based) the n-th attached balloon. Hot-point ids
// of its drawing: leader and shape vertices from 0, attached balloon i (0-based) at 1000 + i,
// alternate-unit texts at 2000 (default balloon) and 2001 + i, arrowheads at 4096 + i.
#include <cstdint>
#include <optional>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "du/DUxDatumTargetStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCTarget;
class DLxCTargetBalloon;
class DLxCTargetSubSym;
class DLxIntent;
class DUxDatumTargetStyle;
class DUxDatumTargetStyleWrapper;
class FBxLayerStyle;
class FWxSceneDoc;
class UCxTranscriptDataExchange;

class DLxDatumTarget : public DLxSymInstance {
public:
    static constexpr int32_t kLabelStringId = 8033;
    static constexpr int32_t kBalloonHotPoint = 1000;
    static constexpr int32_t kAltUnitHotPoint = 2000;
    static constexpr int32_t kArrowHeadHotPoint = 4096;
    // Property words of the drawn lists.
    static constexpr int32_t kShapeList = 0x2000;
    static constexpr int32_t kBalloonList = 0x3000;
    static constexpr int32_t kArrowHeadList = 0x8000;
    // A target carries at most this many balloons, the default one included.
    static constexpr int32_t kMaxBalloons = 18;
    // Vertices closer than this count as one (a degenerate area's second point).
    static constexpr double kEps = 1e-10;

    // In the fragment's segment, added to the fragment, with its default balloon at the
    // origin and the shape record of the type.
    DLxDatumTarget(RDxFragment* fragment, int32_t targetType);
    explicit DLxDatumTarget(const RSeStream* s);
    ~DLxDatumTarget() override;
    RSeMetaType* GetMeta() const override;
    static DLxDatumTarget* Create(RDxFragment* fragment, int32_t targetType);

    // ---- shape
    int32_t GetTargetType() const;
    // Keeps a record of the same type; otherwise replaces it (types other than 0, 2, 3, 4 make
    // a rectangular area).
    void SetTargetType(int32_t type);
    DLxCTarget* GetTargetShape() const;
    const WqGePoint3d& GetSecondTargetPoint() const { return m_secondTarget; }
    void SetSecondTargetPoint(const WqGePoint3d& p) { m_secondTarget = p; }
    // Gives the shape its size from the second point as placement does: a line ends there, a
    // circle passes through it, a rectangle has its corner there (degenerate sizes made tiny).
    void ApplySecondTargetPoint(double scale);
    const WqGePoint3d& GetTargetPoint() const { return m_targetPoint; }
    bool IsHiddenLeader() const { return m_hidden; }
    void SetHiddenLeader(bool on);

    // ---- balloons
    int32_t GetNumAttachedBalloons() const { return int32_t(m_balloons.size()); }
    // Null outside 0 .. number of attached balloons.
    DLxCTargetBalloon* GetBalloon(int32_t n) const;
    // A new balloon at the origin; null when the target already carries kMaxBalloons.
    DLxCTargetBalloon* AddBalloon(const WqGePoint3d& origin);
    // Removes balloon n (a removed default balloon is replaced by the first attached one) and
    // spaces the rest along the old direction; false, changing nothing, when there is no
    // attached balloon or n names none.
    bool RemoveBalloon(int32_t n);
    // The balloon's index; -1 when it is none of this target's.
    int32_t IndexOfBalloon(const DLxCTargetBalloon* balloon) const;
    int32_t FindNearestBalloon(const WqGePoint3d& point) const;
    // Attached balloon i goes to default origin + (i + 1) x 2 x balloon size along direction.
    void ArrangeBalloons(const WqGeVector3d& direction);
    void SetBalloonTexts(int32_t n, const UTxString16& size, const UTxString16& target);
    bool GetBalloonTexts(int32_t n, UTxString16& size, UTxString16& target) const;
    // The balloon radius its style gives.
    double GetBalloonSize() const;
    int32_t GetActiveBalloonIndex() const { return m_activeBalloon; }
    void SetActiveBalloonIndex(int32_t n) { m_activeBalloon = n; }
    bool IsBalloonAttached() const { return m_balloonAttached; }
    void SetBalloonAttached(bool on) { m_balloonAttached = on; }

    // ---- leader and vertices
    bool HasLeader() const;
    // The leader's points from the balloon end to the target end; empty without a leader.
    std::vector<WqGePoint3d> GetFirstLeaderPoints() const;
    // A leader through the points (balloon end first); replaces one the target had.
    void AddLeaderFromPoints(const std::vector<WqGePoint3d>& points);
    // Leader points, then the shape's grips; the default balloon origin without a leader.
    void CollectLeaderVertices(std::vector<WqGePoint3d>& points) const;
    int32_t GetNumLeaderVertices() const;
    // Moves a leader vertex (the balloons follow the leader's start), a shape grip, or else the
    // balloon end; an offset under kEps changes nothing.
    UTxResult MoveLeaderVertices(const std::vector<int32_t>& indices, const WqGeVector3d& offset);
    // The leader's end goes where the shape takes it from the leader's last bend.
    void AdjustLeaderEndPoint();
    // Leader vertex `index` to the intent's point; vertex 0 moves the balloons with it.
    void SetLeaderVertexFromIntent(int32_t index, const DLxIntent& intent);

    // ---- editing
    // Hidden-leader flag, active balloon and the values of balloons 0 .. n of this target from
    // the other's balloons of the same index (the other has at least as many).
    void CopyValuesFrom(const DLxDatumTarget& other);
    // A new target in the document's first sheet fragment (that of `fragment` when given) with
    // this one's type, leader and shape geometry, on the style and layer given; its balloons
    // keep their defaults.
    DLxDatumTarget* CreateInDocument(FWxSceneDoc* doc, RDxFragment* fragment,
                                     const RSeRef<DUxDatumTargetStyle>& style,
                                     const RSeRef<FBxLayerStyle>& layer) const;
    // The whole target under the key prefix (see the transcript of the placement requests).
    UTxResult Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix, bool required);
    void TransformBy(const WqGeMatrix3d& m);

    // ---- look
    std::optional<DUxDatumTargetStyleWrapper> StyleWrapper() const;
    DUxDatumTargetStyle* GetStyle() const;
    static const UTxString16& GetBrowserLabel();
    // The default balloon's origin.
    WqGePoint3d GetKeyPoint() const;
    WqGePoint3d GetSymbolOrigin() const;
    // Moves the default balloon (the leader does not follow).
    void SetSymbolOrigin(const WqGePoint3d& point);

    // The anchor the target hangs on (what the placement picked).
    DLxAnchorPoint* GetAnchor() const;

    // ---- host overrides
    DLxViewInstance* GetView() const override;
    void GetAnchors(std::vector<DLxAnchorPoint*>& anchors) const override;
    bool IsValid() const override;
    // Every anchor of a placed target is suppressed (false without a template or anchors).
    bool IsSuppressed() const;
    UTxResult Compute(RDxComputeContext& ctx) override;
    void AddToLayer(CleanUpDisposition disposition) override;
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override;
    // Anywhere on what it drew.
    bool HitTest(const WqGePoint3d& point, double tol) const override;
    void DeleteAndVacuumClean() override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxDatumTarget* target, RSeCloneCommander* cc) const;

protected:
    // Input 2 is the anchor; the leader follows it.
    int32_t GetLeaderIndex() const override { return 3; }

private:
    DLxCTargetBalloon* NewBalloon(const WqGePoint3d& origin);
    void DeleteRecords();
    // The target follows its anchor as the view moves.
    void FollowAnchor();
    void Prepare();

    RSeRef<DLxCTargetBalloon> m_defaultBalloon;
    RSeRef<DLxCTarget> m_shape;
    bool m_hidden = false;
    std::vector<RSeRef<DLxCTargetBalloon>> m_balloons;
    WqGePoint3d m_secondTarget;
    int32_t m_activeBalloon = 0;
    WqGePoint3d m_targetPoint;
    bool m_balloonAttached = false;
    mutable std::optional<DUxTextStyleWrapper> m_textStyle; // last answer of GetTextStyleWrapper
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDatumTarget*);
RSeMetaType* _GetMeta(const DLxDatumTarget*);
} // namespace RSe
