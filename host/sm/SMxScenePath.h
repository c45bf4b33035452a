#pragma once
// Scene nodes and the paths through them. The scene of a drawing is a tree: under each sheet's
// annotation node, one emblem node per annotation that has drawn. A node is named by what it
// shows (its tag) and its class; a path lists nodes from the top down, as a pick or a
// highlight reaches an annotation through its sheet.
#include <cstddef>
#include <vector>

class RSeIDed;

struct SMxSceneNode {
    enum Kind {
        kAnnotationInstanceNode, // a sheet's node, the parent of its annotations' nodes
        kEmblemNode,             // an annotation's own node: its display list on the sheet
    };
    const RSeIDed* tag = nullptr;
    Kind kind = kEmblemNode;
    bool operator==(const SMxSceneNode&) const = default;
};

class SMxScenePath {
public:
    void Push(const SMxSceneNode& node) { m_nodes.push_back(node); }
    size_t Size() const { return m_nodes.size(); }
    bool IsEmpty() const { return m_nodes.empty(); }
    const SMxSceneNode& operator[](size_t i) const { return m_nodes[i]; }

private:
    std::vector<SMxSceneNode> m_nodes;
};
