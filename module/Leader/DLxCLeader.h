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

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxCLeaderGeneral* target, RSeCloneCommander* cc) const;

    // ---- editing. Points and offsets are projected onto the owner's plane (through its
    // origin, normal to its Z axis; the XY plane without an owner). While notify owner is set
    // the owner hears of root moves (NotifyRootMoved).
    void SetNotifyOwner(bool on) { m_notifyOwner = on; }
    // Creates the root when there is none. Refused with kBusyNotifying while a report runs.
    virtual UTxResult SetRootPoint(const WqGePoint3d& point);
    // A new root at the point; the old root hangs below it.
    UTxResult PrependVertex(const WqGePoint3d& point);
    // Each point prepended in turn, the owner told once of the whole move: p0 .. pn give the
    // chain pn (root) down to p0. Stops at the first failure, keeping what was added.
    UTxResult AddVertices(const std::vector<WqGePoint3d>& points);
    // Moves the vertex at the first index by the offset; a vertex dropped onto another merges
    // with it or is put back (see the .cpp).
    virtual UTxResult MoveVertices(const std::vector<int32_t>& indices, const WqGeVector3d& offset);
    // Stores the landing; refused with kBusyNotifying while a report runs.
    virtual UTxResult SetLandingVector(const WqGeVector3d& landing);
    // Tells the owner that the root moved by `offset` (DLxSymbol::MoveToLeader).
    UTxResult NotifyRootMoved(const WqGeVector3d& offset);
    UTxResult NotifyLandingChanged(const WqGeVector3d& offset);

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
    // Moving vertex 1 moves the symbol with it.
    UTxResult MoveVertices(const std::vector<int32_t>& indices, const WqGeVector3d& offset) override;
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

    // Moves the root node so that root plus landing lands on the point; the owner is told.
    UTxResult SetRootPoint(const WqGePoint3d& point) override;
    // Vertex 0 (the landing end) changes the landing; vertex i moves node i - 1. Without
    // displayed leaders any drag moves the root node.
    UTxResult MoveVertices(const std::vector<int32_t>& indices, const WqGeVector3d& offset) override;
    // The landing runs along the owner's X axis, forwards or backwards, whichever is nearer.
    UTxResult SetLandingVector(const WqGeVector3d& landing) override;
};

class DLxCLeaderDatumId : public DLxCLeaderLand {
public:
    using DLxCLeaderLand::DLxCLeaderLand;
    RSeMetaType* GetMeta() const override;
};

class DLxCLeaderFeatId : public DLxCLeaderDatumId {
public:
    using DLxCLeaderDatumId::DLxCLeaderDatumId;
    RSeMetaType* GetMeta() const override;
};

class DLxCLeaderFCF : public DLxCLeaderLand {
public:
    using DLxCLeaderLand::DLxCLeaderLand;
    RSeMetaType* GetMeta() const override;
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
