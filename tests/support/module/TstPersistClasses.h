#pragma once
// Stored test classes for the module's shared persistence routines (DLxPersistUtil): counted
// writes, vectors of every element kind, maps keyed by stored objects and embedded objects.
#include <vector>

#include "BofM/DLxPersistUtil.h"
#include "TstStoredClasses.h"

// An object embedded by value in TstPersistNode.
class TstEmbedded : public RSeVMeta {
public:
    TstEmbedded() = default;
    explicit TstEmbedded(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;
    void Load(RSeStream& s);
    void Save(RSeStream& s) const;

    int32_t m_code = 0;
};

// A record element of a vector.
struct TstPair {
    int32_t a = 0;
    UTxString16 b;
    void Save(RSeStream& s) const { s << a << b; }
    void Load(RSeStream& s) {
        s.Read(a);
        s.Read(b);
    }
    bool operator==(const TstPair&) const = default;
};

// A node whose own fields go through the module's routines; version 0.
class TstPersistNode : public TstNode {
public:
    TstPersistNode() = default;
    explicit TstPersistNode(const RSeStream* s) : TstNode(s) {}
    RSeMetaType* GetMeta() const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(TstPersistNode* target, RSeCloneCommander* cc) const;
    UTxResult PostClone(TstPersistNode* source, RSeCloneCommander* cc);

    std::vector<int32_t> m_reserved; // its stored capacity comes back too
    std::vector<std::vector<int32_t>> m_nested;
    std::vector<TstPair> m_pairs;
    DLxStoredMap<TstNode, UTxString16> m_textMap;
    DLxStoredMap<TstNode, TstValue*> m_valueMap;
    TstEmbedded m_embedded;
};

namespace RSe {
RSeMetaType* _InitMeta(const TstEmbedded*);
RSeMetaType* _GetMeta(const TstEmbedded*);
RSeMetaType* _InitMeta(const TstPersistNode*);
RSeMetaType* _GetMeta(const TstPersistNode*);
} // namespace RSe

// TstFillNode, and the node's own containers: `peer` keys a map entry when given.
void TstFillPersistNode(TstPersistNode* n, TstNode* peer, int seed);
