#pragma once
// Writes documents holding symbols of the older generation, record by record as older
// releases stored them: the symbol first (id 1), then what it owns and the fragment it lies in.
// Every symbol stores the same older-symbol part (TstLegacy values below).
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "TstDocWriter.h"
#include "du/DUxValue.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class RSeDatabase;
class RSeVMeta;

// Loads a document file; a failed load fails the test (and answers null).
std::unique_ptr<RSeDatabase> TstLoadDocument(const std::vector<uint8_t>& bytes);
// Saves, loads that and saves again: the two saves must agree. Answers the first save.
std::vector<uint8_t> TstExpectStableSave(RSeDatabase& db);

namespace TstLegacy {
// The values every test symbol stores in its older-symbol part.
inline const WqGePoint3d kOrigin(12.5, -4.0, 0.0);
inline const WqGeVector3d kXAxis(0.0, 1.0, 0.0), kYAxis(-1.0, 0.0, 0.0), kZAxis(0.0, 0.0, 1.0);
inline const WqGeVector3d kAttachDirection(0.0, -1.0, 0.0);
inline const std::vector<int32_t> kArrowheadVertices{2, 5, -1};
constexpr int32_t kArrowType = 13;
inline WqGeMatrix3d StoredMatrix() {
    return WqGeMatrix3d::translation(WqGeVector3d(1.0, 2.0, 3.0));
}
} // namespace TstLegacy

class TstLegacyWriter {
public:
    // `fragment`: the index the fragment holding the symbol will be stored at (WriteFragment),
    // or 0 for a symbol in no fragment.
    TstLegacyWriter(const char16_t* kind, uint16_t kindVersion, uint16_t symbolVersion,
                    uint32_t fragment = 0);

    // The symbol's record up to its kind's own part, with the leader records at `leaders` (set
    // before) and the leaders shown or not. A damaged leader list is written when asked for:
    // its container code and a count with no elements behind it.
    RSeStream& BeginSymbol(uint32_t leaderCode = RSeTypeCode::kVector, uint32_t leaderCount = 0,
                           bool displayLeaders = false);

    void WriteLongs(RSeStream& s, const std::vector<int32_t>& v);
    // A vector of references to the objects stored at `indices`.
    void WriteRefs(RSeStream& s, const std::vector<uint32_t>& indices);
    // A string value record (id), its text and visibility.
    void WriteStringValue(uint32_t id, const std::u16string& text, DUxValue::EVisibility vis);
    // The fragment that holds the symbol and the nodes stored at `others`.
    void WriteFragment(uint32_t id, const std::vector<uint32_t>& others = {});
    // A current object's record (id), saved by its own meta type.
    void WriteCurrent(const RSeVMeta* obj, uint32_t id,
                      std::initializer_list<const char16_t*> chain);
    // A leader record (id) of the last class of `chain` (its bases first), owned by the symbol,
    // and its nodes (the next ids) in a chain from the root at points[0] to the last point.
    void WriteChainLeader(std::initializer_list<const char16_t*> chain, uint32_t id,
                          const WqGeVector3d& landing, const std::vector<WqGePoint3d>& points);

    // A class at its current version, declared once.
    uint32_t Class(const char16_t* name);
    // A leader of class `kind` stored at index `first` (id first + 1), with the symbol's
    // attachment and arrowhead after it, each record at the next index:
    //   the record: landing `landing`, its root node next;
    //   root (10,20) - inner (6,12) - ends (5,5) and (8,4);
    //   an attaching-point set holding one free attaching point at (5,5);
    //   an arrowhead state of service 28031.
    // The symbol lists the leader, has the set as its state 4 and the arrowhead as its own
    // (Attach); the fragment at `fragment` must list the set, the point and the arrowhead
    // (AttachmentNodes).
    void WriteLeaderWithAttachment(const char16_t* kind, uint32_t first, uint32_t fragment,
                                   const WqGeVector3d& landing);
    // What WriteLeaderWithAttachment adds to the symbol and its fragment.
    void Attach(uint32_t first);
    static std::vector<uint32_t> AttachmentNodes(uint32_t first);

    TstDocWriter w;
    // Indices of the leader records the symbol lists, of its input states (0 for none) and of
    // its arrowhead state (0 for none).
    std::vector<uint32_t> leaders;
    std::vector<uint32_t> inputs;
    uint32_t arrowhead = 0;

private:
    uint16_t m_symbolVersion;
    uint32_t m_fragment;
    uint32_t m_kind = 0;
    uint32_t m_valueMeta = 0;
    uint32_t m_nodeMeta = UINT32_MAX;
};
