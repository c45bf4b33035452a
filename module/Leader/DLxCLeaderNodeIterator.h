#pragma once
// A cursor over the node tree of an older leader record: steps along the first-child chain from
// its start node, or along the tree's ends, and edits the tree around its current node.
#include <cstdint>
#include <memory>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"

class DLxCLeaderGeneral;
class DLxCLeaderNode;
class WqGeMatrix3d;

class DLxCLeaderNodeIterator {
public:
    virtual ~DLxCLeaderNodeIterator() = default;
    // Ends only: the ends of the start node's tree in pre-order. Otherwise: the start node, its
    // first child, that node's first child and so on. Null when there is nothing to step over.
    virtual DLxCLeaderNode* Start(bool endsOnly) = 0;
    // One entry on or back; at either end of the list the walk is done and current stays.
    virtual void Step(bool backwards) = 0;
    virtual bool MoveToParent() = 0;
    virtual bool IsDone() const = 0;
    virtual UTxResult MoveToPoint(const WqGePoint3d& point) = 0;
    virtual UTxResult MoveToNearest(const WqGePoint3d& point) = 0;
    virtual UTxResult MoveToIndex(int32_t index) = 0;
    virtual bool IsEnd() const = 0;
    virtual std::unique_ptr<DLxCLeaderNodeIterator> CreateChildIterator(int32_t index) const = 0;
    virtual int32_t GetNumChildren() const = 0;
    virtual UTxResult Detach() = 0;
    virtual UTxResult AppendVertices(const std::vector<WqGePoint3d>& points) = 0;
    virtual UTxResult DetachFromParent() = 0;
    virtual UTxResult InsertVertexBefore(const WqGePoint3d& point) = 0;
    virtual UTxResult DeleteVertex() = 0;
    virtual WqGePoint3d GetPoint() const = 0;
    virtual UTxResult SetPoint(const WqGePoint3d& point) = 0;
    virtual UTxResult TransformBy(const WqGeMatrix3d& m) = 0;
    virtual DLxCLeaderNode* GetCurrentNode() const = 0;
};

class DLxCLeaderNodeIteratorImp : public DLxCLeaderNodeIterator {
public:
    // `record`, when given, is the record whose root the start node is: deleting the start node
    // hands the record its new root.
    DLxCLeaderNodeIteratorImp(DLxCLeaderNode* start, DLxCLeaderGeneral* record);

    DLxCLeaderNode* Start(bool endsOnly) override;
    void Step(bool backwards) override;
    bool MoveToParent() override;
    bool IsDone() const override { return m_done; }
    UTxResult MoveToPoint(const WqGePoint3d& point) override;
    UTxResult MoveToNearest(const WqGePoint3d& point) override;
    UTxResult MoveToIndex(int32_t index) override;
    bool IsEnd() const override;
    std::unique_ptr<DLxCLeaderNodeIterator> CreateChildIterator(int32_t index) const override;
    int32_t GetNumChildren() const override;
    UTxResult Detach() override { return DetachFromParent(); }
    UTxResult AppendVertices(const std::vector<WqGePoint3d>& points) override;
    UTxResult DetachFromParent() override;
    UTxResult InsertVertexBefore(const WqGePoint3d& point) override;
    UTxResult DeleteVertex() override;
    WqGePoint3d GetPoint() const override;
    UTxResult SetPoint(const WqGePoint3d& point) override;
    UTxResult TransformBy(const WqGeMatrix3d& m) override;
    DLxCLeaderNode* GetCurrentNode() const override;

private:
    std::vector<DLxCLeaderNode*> PreOrderFromStart() const;
    void DropFromList(const DLxCLeaderNode* node);

    bool m_endsOnly = false;
    RSeRef<DLxCLeaderNode> m_start;
    RSeRef<DLxCLeaderNode> m_current;
    std::vector<RSeRef<DLxCLeaderNode>> m_list;
    size_t m_index = 0;
    bool m_done = false;
    RSeRef<DLxCLeaderGeneral> m_record;
};
