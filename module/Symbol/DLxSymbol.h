#pragma once
// The older generation of symbols. Documents of earlier releases hold their balloons, weld
// symbols, leader texts and feature control frames as kinds of DLxSymbol; they are loaded and
// then rebuilt as placed symbols by the named migrators, so here the class is what such a
// symbol stored: its leader records, arrowheads, coordinate system and arrow type.
//
// The states of a legacy symbol are the input states of its instance part, addressed by index:
// 0 its display list, 1 the origin, 2 the leader vertex points, 3 an integer variable, 4 and 5
// the attaching points (anchors) of leaders 0 and 1.
#include <cstdint>
#include <vector>

#include "dl/DLxEmblem.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"

class DLxAttachingPointStateSet;
class DLxCLeader;
class DLxCLeaderGeneral;
class DLxSymAttachingPoint;
class DUxArrowHeadState;
class RSeCloneCommander;
class WqGePlane;

// One straight piece of a drawn leader, from `a` to `b`.
struct DLxLeaderSegment {
    WqGePoint3d a;
    WqGePoint3d b;
};

class DLxSymbol : public DLxEmblem {
public:
    // Kind codes answered by GetSymbolType.
    enum SymbolType : int32_t {
        kPlainSymbol = 0,
        kWeldSymbol = 1,
        kDatumTargetSymbol = 3,
        kDatumIdSymbol = 4,
        kBalloonSymbol = 5,
        kFeatureIdSymbol = 6,
        kLeaderTextSymbol = 7,
    };
    // Input-state indices.
    enum StateIndex : uint32_t {
        kDisplayListState = 0,
        kOriginState = 1,
        kVertexState = 2,
        kVariableState = 3,
        kFirstAttachingPointState = 4,
    };
    static constexpr int32_t kDefaultArrowType = 16;
    static constexpr int32_t kDefaultOrientation = 1;

    explicit DLxSymbol(const RSeStream* s);
    ~DLxSymbol() override;
    RSeMetaType* GetMeta() const override;

    virtual int32_t GetSymbolType() const { return kPlainSymbol; }

    int32_t GetArrowType() const { return m_arrowType; }
    const RSeRef<RSeIDed>& GetArrowheadState() const { return m_arrowheadState; }
    int32_t GetOrientation() const { return m_orientation; }
    const WqGePoint3d& GetOrigin() const { return m_origin; }
    const WqGeVector3d& GetXAxis() const { return m_xAxis; }
    const WqGeVector3d& GetYAxis() const { return m_yAxis; }
    const WqGeVector3d& GetZAxis() const { return m_zAxis; }
    const WqGeVector3d& GetAttachDirection() const { return m_attachDirection; }
    const WqGeMatrix3d& GetMatrix() const { return m_matrix; }
    bool GetDisplayLeaders() const { return m_displayLeaders; }
    int16_t GetArrowheadIndexBase() const { return m_arrowheadIndexBase; }
    const std::vector<int32_t>& GetArrowheadVertexIndices() const { return m_arrowheadVertices; }
    double GetScale() const { return 1.0; }

    // The arrowhead template that an arrow type draws with.
    static uint32_t ArrowTemplateOf(int32_t arrowType);

    // Deletes the symbol with its states, the attaching points in its sets and its arrowhead
    // state (and, through its destructor, the leader records).
    void DeleteAndVacuumClean();

    // The leader records, in order; the symbol owns them.
    int32_t GetNumLeaders() const { return int32_t(m_leaders.size()); }
    DLxCLeader* GetLeader(int16_t index) const;
    // The node points of the first leader, root first in the order of its nodes (a landing
    // leader's landing end is not one of them); empty without a leader.
    std::vector<WqGePoint3d> GetFirstLeaderPoints() const;

    // ---- leader editing
    void SetDisplayLeaders(bool on);
    void SetArrowheadVertexIndices(const std::vector<int32_t>& indices);
    // The arrowhead state all leaders draw with; null without one.
    DUxArrowHeadState* GetArrowheadStateObject() const;
    void SetArrowheadState(RSeIDed* state);
    // A new record of the kind's leader class in the symbol's segment, owned by the symbol but
    // not yet in the leader list; null when the symbol is in no segment.
    virtual DLxCLeaderGeneral* CreateLeaderRecord();
    // A new leader through the points (see DLxCLeaderGeneral::AddVertices) appended to the
    // list; DLxCLeader::kNotSupported when the symbol had a leader already (it is added all
    // the same); kNoNode, adding nothing, when no record can be made.
    virtual UTxResult AddLeader(const std::vector<WqGePoint3d>& points);
    // Deletes leader `index`; kRefused when there is none.
    UTxResult RemoveLeader(int16_t index);
    // The vertices of all leaders, leader after leader, each as its record collects them.
    std::vector<WqGePoint3d> GetAllLeaderVertices() const;
    // Each index counts over all leaders; every leader moves the indices that fall in its
    // range by the offset projected onto the symbol plane. An offset under 1e-10 does nothing.
    UTxResult MoveLeaderVertices(const std::vector<int32_t>& indices, const WqGeVector3d& offset);
    // Whether the point is exactly the tip of an arrowhead past vertex 0.
    bool IsArrowTip(const WqGePoint3d& point) const;
    // The leader's line pieces: the landing (when it has length) first, then every node to
    // child segment in pre-order. With `trim`, pieces that start or end at the first vertex of
    // all leaders give up the leader's gap at their first point (and go when not longer).
    std::vector<DLxLeaderSegment> CreateLeaderSegments(const DLxCLeader* leader, bool trim) const;
    // The foot of the perpendicular from the point on the nearest drawn leader piece closer
    // than `tol`; false when none is.
    bool HitTestLeaders(const WqGePoint3d& point, double tol, WqGePoint3d& foot) const;
    // Hooks the kinds fill in: where the symbol sits, its editor, and what it does when a
    // leader's root or landing moved. Nothing here.
    virtual void SetPosition(const WqGePoint3d&) {}
    virtual void Edit() {}
    virtual UTxResult MoveToLeader(const WqGeVector3d&, DLxCLeader*) { return {}; }
    virtual UTxResult OnLandingChanged(const WqGeVector3d&, DLxCLeader*) { return {}; }

    // The plane of the symbol: through its origin, spanned by its X and Y axes.
    WqGePlane GetPlane() const;
    // `point` moved along the Z axis into the plane.
    WqGePoint3d ProjectOntoSymbolPlane(const WqGePoint3d& point) const;
    // `v` projected orthogonally onto the plane whose normal is the Z axis.
    WqGeVector3d ProjectOntoSymbolPlane(const WqGeVector3d& v) const;

    // The attaching-point set of leader i (state 4 + i); null when the state is missing or of
    // another class.
    DLxAttachingPointStateSet* GetAttachingPoints(int32_t leader) const;
    // The first attaching point of leader 0; null without one.
    DLxSymAttachingPoint* GetFirstAttachingPoint() const;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    // Records point back at their symbol; a restore or a copy points them at this one.
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxSymbol* target, RSeCloneCommander* cc) const;

protected:
    // Queues a symbol of an older stored version of its kind for that kind's migrator: the
    // context (kind's meta type, `number`) of the symbol's segment.
    void QueueForUpgrade(uint16_t number = 1);

private:
    void AdoptLeaders();
    void ReadFields(RSeStream& s, bool withAttachDirection);

    std::vector<int32_t> m_arrowheadVertices;
    std::vector<RSeRef<DLxCLeader>> m_leaders;
    bool m_displayLeaders = true;
    int16_t m_arrowheadIndexBase = 0;
    WqGeMatrix3d m_matrix;
    int32_t m_orientation = kDefaultOrientation;
    RSeRef<RSeIDed> m_reserved;
    WqGePoint3d m_origin;
    WqGeVector3d m_xAxis{1, 0, 0};
    WqGeVector3d m_yAxis{0, 1, 0};
    WqGeVector3d m_zAxis{0, 0, 1};
    int32_t m_arrowType = kDefaultArrowType;
    RSeRef<RSeIDed> m_arrowheadState;
    WqGeVector3d m_attachDirection{0, 0, 0};
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxSymbol*);
RSeMetaType* _GetMeta(const DLxSymbol*);
} // namespace RSe
