#pragma once
// The leader records of the older symbol generation: a landing, a gap, an arrow type, a tag
// number and a tree of DLxCLeaderNode vertices from the root at the symbol to the leader ends.
// Documents of earlier versions hold them; upgrades turn them into leader node trees.
//
// Vertices are the nodes in depth-first pre-order from the root (vertex 0). A landing leader
// (DLxCLeaderLand and below) counts the far end of its landing, root point plus landing vector,
// as vertex 0, and node i as vertex i + 1.
#include <cstdint>
#include <memory>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class DLxCLeaderNode;
class DLxCLeaderNodeIterator;
class DLxSymbol;
class RSeCloneCommander;
class RSeMetaContext;
class RSeSegment;
class WqGeMatrix3d;

class DLxCLeader : public RSeIDed {
public:
    DLxCLeader() = default;
    explicit DLxCLeader(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    // Result codes of the records' operations.
    static constexpr UTxResultCode kNotSupported = 0x200B0320;
    static constexpr UTxResultCode kBusyNotifying = 0x200B0321;
    static constexpr UTxResultCode kNoNode = 0x200B0322;
    static constexpr UTxResultCode kRefused = 0x200B0323;
    static constexpr UTxResultCode kNoValue = 0x200B0324;

    // Deletes the record with its node tree. Null does nothing.
    static void Delete(DLxCLeader* leader);

    virtual int32_t GetArrowType() const = 0;
    virtual WqGePoint3d GetRootPoint() const = 0;
    virtual WqGeVector3d GetLandingVector() const = 0;
    virtual int32_t GetNumVertices() const = 0;
    virtual int32_t GetNumInnerVertices() const = 0;
    virtual void CollectVertices(std::vector<WqGePoint3d>& points) const = 0;
    virtual UTxResult TransformBy(const WqGeMatrix3d& m) = 0;
    virtual DLxCLeaderNode* GetRootNode() const = 0;
};

class DLxCLeaderGeneral : public DLxCLeader {
public:
    static constexpr int32_t kDefaultArrowType = 16;

    DLxCLeaderGeneral() = default;
    explicit DLxCLeaderGeneral(const RSeRef<DLxSymbol>& owner) : m_owner(owner) {}
    explicit DLxCLeaderGeneral(const RSeStream* s) : DLxCLeader(s) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetArrowType() const override { return m_arrowType; }
    UTxResult SetArrowType(int32_t type);
    // kNoValue while unset (negative).
    UTxResult GetTagNumber(int16_t& tag) const;
    UTxResult SetTagNumber(int16_t tag);
    // The gap was never honoured through these two: they answer kNotSupported, as always.
    UTxResult GetGapLength(double& gap) const;
    UTxResult SetGapLength(double gap);
    bool GetNotifyOwner() const { return m_notifyOwner; }
    bool IsNotifying() const { return m_notifying; }

    // The root node's point; the origin without a root.
    WqGePoint3d GetRootPoint() const override;
    WqGeVector3d GetLandingVector() const override { return m_landing; }
    int32_t GetNumVertices() const override;
    // Nodes that have children.
    int32_t GetNumInnerVertices() const override;
    void CollectVertices(std::vector<WqGePoint3d>& points) const override;
    // Pre-order: `counter` goes up by one before each node; each end appends its value.
    void CollectEndVertexNumbers(int32_t& counter, std::vector<int32_t>& numbers) const;
    // Gap (as the x of (gap, 0, 0) transformed), a landing longer than 1e-10 and every node.
    // Refused with kRefused while a report to the owner runs.
    UTxResult TransformBy(const WqGeMatrix3d& m) override;
    DLxCLeaderNode* GetRootNode() const override;
    // The record owns the new root. The old tree is the caller's: it is not deleted.
    void SetRootNode(DLxCLeaderNode* root);
    // A cursor on the root; null without a root.
    std::unique_ptr<DLxCLeaderNodeIterator> CreateNodeIterator();
    const RSeRef<DLxSymbol>& GetOwner() const { return m_owner; }
    void SetOwner(const RSeRef<DLxSymbol>& owner);

    // Edits that report to the owner symbol. Points and offsets are taken into the owner's
    // plane (moved along its Z axis) where the edit says so.
    //
    // The root moves there (a root node is made when there is none); reported when the
    // owner is told of changes. Refused with kBusyNotifying while a report runs.
    virtual UTxResult SetRootPoint(const WqGePoint3d& point);
    // Stores the landing; reported when the owner is told of changes. Answers kNotSupported
    // (as it always has) or kBusyNotifying while a report runs.
    virtual UTxResult SetLandingVector(const WqGeVector3d& landing);
    // A new root at the projected point, above the old one; the owner hears of the
    // unprojected point's offset from the old root.
    UTxResult PrependVertex(const WqGePoint3d& point);
    // Prepends the points in order (so the last becomes the root), then reports the last
    // point's offset from the old root (the owner's origin without one). The first failure
    // ends it, keeping what was added.
    virtual UTxResult AddVertices(const std::vector<WqGePoint3d>& points);
    // A root with exactly one child gives way to it; kNoNode otherwise.
    UTxResult RemoveRootVertex();
    // Moves the vertex of the first index (the others are not used) by the projected offset.
    // A vertex dropped on another merges with it where the tree allows, else the move is
    // undone; ends dropped on each other stay so and the owner is not told.
    virtual UTxResult MoveVertices(const std::vector<int32_t>& indices,
                                   const WqGeVector3d& offset);
    // Reports to the owner (MoveToLeader, OnLandingChanged), with `notifying` set meanwhile;
    // the owner's answer, success without an owner.
    UTxResult NotifyRootMoved(const WqGeVector3d& offset);
    UTxResult NotifyLandingChanged(const WqGeVector3d& offset);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxCLeaderGeneral* target, RSeCloneCommander* cc) const;

    void SetNotifyOwner(bool on) { m_notifyOwner = on; }

protected:
    friend class DLxCLeader;
    WqGePoint3d OntoPlane(const WqGePoint3d& p) const;
    WqGeVector3d OntoPlane(const WqGeVector3d& v) const;
    // Tells the owner of a moved root or a changed landing, refusing re-entry meanwhile.
    UTxResult Report(bool landing, const WqGeVector3d& offset);
    // The move of the general record, on the node at pre-order position indices[0].
    UTxResult MoveNode(const std::vector<int32_t>& indices, const WqGeVector3d& offset);
    bool m_notifyOwner = true;
    bool m_notifying = false;
    int32_t m_arrowType = kDefaultArrowType;
    int16_t m_tag = -1;
    WqGeVector3d m_landing;
    double m_gap = 0.0;
    RSeRef<DLxCLeaderNode> m_root;
    RSeRef<DLxSymbol> m_owner;
};

class DLxCLeaderWelding : public DLxCLeaderGeneral {
public:
    using DLxCLeaderGeneral::DLxCLeaderGeneral;
    RSeMetaType* GetMeta() const override;
    // Moving vertex 1 reports the offset as a root move as well.
    UTxResult MoveVertices(const std::vector<int32_t>& indices,
                           const WqGeVector3d& offset) override;
};

// The far end of the landing is a vertex of its own.
class DLxCLeaderLand : public DLxCLeaderGeneral {
public:
    using DLxCLeaderGeneral::DLxCLeaderGeneral;
    RSeMetaType* GetMeta() const override;

    // Root node point plus landing; the origin without a root.
    WqGePoint3d GetRootPoint() const override;
    int32_t GetNumVertices() const override;
    int32_t GetNumInnerVertices() const override;
    // The landing end first, then the nodes; nothing without a root.
    void CollectVertices(std::vector<WqGePoint3d>& points) const override;
    UTxResult QueryLandingVector(WqGeVector3d& landing) const;
    // The same cursor as CreateNodeIterator.
    std::unique_ptr<DLxCLeaderNodeIterator> CreateVertexIterator();

    // The landing end moves to the point, the root node with it; always reported. kNoNode
    // without a root.
    UTxResult SetRootPoint(const WqGePoint3d& point) override;
    // The landing runs along the owner's X axis, on the side nearer the request.
    UTxResult SetLandingVector(const WqGeVector3d& landing) override;
    // Vertex 0 is the landing end: moving it changes the landing. With leaders hidden any
    // drag moves the root node.
    UTxResult MoveVertices(const std::vector<int32_t>& indices,
                           const WqGeVector3d& offset) override;

protected:
    // Step 1 of the landing rules: a root whose landing already is the request.
    bool IsLandingUnchanged(const WqGeVector3d& landing) const;
};

class DLxCLeaderDatumId : public DLxCLeaderLand {
public:
    using DLxCLeaderLand::DLxCLeaderLand;
    RSeMetaType* GetMeta() const override;
    // With leaders shown, the landing snaps to the nearest of the owner's X, Y, -X, -Y; the
    // owner hears of the landing end's move.
    UTxResult SetLandingVector(const WqGeVector3d& landing) override;

protected:
    // The landing the request gives: the projection, snapped as the kind wants.
    virtual WqGeVector3d SnapLanding(const WqGeVector3d& projected) const;
};

class DLxCLeaderFeatId : public DLxCLeaderDatumId {
public:
    using DLxCLeaderDatumId::DLxCLeaderDatumId;
    RSeMetaType* GetMeta() const override;

protected:
    // Only up the owner's Y axis; any other request gives no landing.
    WqGeVector3d SnapLanding(const WqGeVector3d& projected) const override;
};

class DLxCLeaderFCF : public DLxCLeaderLand {
public:
    using DLxCLeaderLand::DLxCLeaderLand;
    RSeMetaType* GetMeta() const override;
    // The old root is the base of the report only for an owner of at most two leaders; the
    // report goes only to an owner that is told of changes.
    UTxResult AddVertices(const std::vector<WqGePoint3d>& points) override;
};

class DLxCLeaderDatumTgt : public DLxCLeaderWelding {
public:
    using DLxCLeaderWelding::DLxCLeaderWelding;
    RSeMetaType* GetMeta() const override;
    // Datum target leaders always carry the flag 1.
    UTxResult QueryLeaderFlag(int16_t& flag) const;
};

class DLxCLeaderBalloon : public DLxCLeaderWelding {
public:
    using DLxCLeaderWelding::DLxCLeaderWelding;
    RSeMetaType* GetMeta() const override;
    void StoreArrowType(int32_t type);
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCLeader*);
RSeMetaType* _GetMeta(const DLxCLeader*);
RSeMetaType* _InitMeta(const DLxCLeaderGeneral*);
RSeMetaType* _GetMeta(const DLxCLeaderGeneral*);
RSeMetaType* _InitMeta(const DLxCLeaderWelding*);
RSeMetaType* _GetMeta(const DLxCLeaderWelding*);
RSeMetaType* _InitMeta(const DLxCLeaderLand*);
RSeMetaType* _GetMeta(const DLxCLeaderLand*);
RSeMetaType* _InitMeta(const DLxCLeaderDatumId*);
RSeMetaType* _GetMeta(const DLxCLeaderDatumId*);
RSeMetaType* _InitMeta(const DLxCLeaderFeatId*);
RSeMetaType* _GetMeta(const DLxCLeaderFeatId*);
RSeMetaType* _InitMeta(const DLxCLeaderFCF*);
RSeMetaType* _GetMeta(const DLxCLeaderFCF*);
RSeMetaType* _InitMeta(const DLxCLeaderDatumTgt*);
RSeMetaType* _GetMeta(const DLxCLeaderDatumTgt*);
RSeMetaType* _InitMeta(const DLxCLeaderBalloon*);
RSeMetaType* _GetMeta(const DLxCLeaderBalloon*);
} // namespace RSe
