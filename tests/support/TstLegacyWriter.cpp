#include "TstLegacyWriter.h"

#include <gtest/gtest.h>

#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeVMeta.h"

using namespace TstLegacy;

TstLegacyWriter::TstLegacyWriter(const char16_t* kind, uint16_t kindVersion,
                                 uint16_t symbolVersion, uint32_t fragment)
    : m_symbolVersion(symbolVersion), m_fragment(fragment) {
    w.AddEmblemClasses();
    w.AddClass(u"DLxSymbol", symbolVersion);
    m_kind = w.AddClass(kind, kindVersion);
    w.BeginSegment(u"Sheet");
}

RSeStream& TstLegacyWriter::BeginSymbol(uint32_t leaderCode, uint32_t leaderCount,
                                        bool displayLeaders) {
    RSeStream& s = w.BeginRecord(m_kind, 1);
    w.EmblemPart(s, m_fragment ? &m_fragment : nullptr, inputs);
    WriteLongs(s, kArrowheadVertices);
    if (!leaders.empty() && leaderCount == 0) {
        WriteRefs(s, leaders);
    } else {
        s.Write(leaderCode); // leader records
        s.Write(leaderCount);
    }
    if (leaderCount) {
        s.Write(leaderCount);
        s.WriteNoTypeMark();
    }
    s.Write(displayLeaders);
    s.Write(int16_t(3)); // arrowhead index base
    RSeSaveData(s, StoredMatrix());
    s.Write(int32_t(2)); // orientation
    w.RefValue(0);       // reserved reference
    RSeSaveData(s, kOrigin);
    RSeSaveData(s, kXAxis);
    RSeSaveData(s, kYAxis);
    RSeSaveData(s, kZAxis);
    s.Write(kArrowType);
    if (arrowhead) // arrowhead state
        w.Ref(arrowhead);
    else
        w.RefValue(0);
    if (m_symbolVersion >= 1) RSeSaveData(s, kAttachDirection);
    return s;
}

void TstLegacyWriter::WriteLongs(RSeStream& s, const std::vector<int32_t>& v) {
    s.Write(RSeTypeCode::kVector);
    s.Write(uint32_t(v.size()));
    if (v.empty()) return;
    s.Write(uint32_t(v.size()));
    s.WriteNoTypeMark();
    for (int32_t e : v)
        s.Write(e);
}

void TstLegacyWriter::WriteRefs(RSeStream& s, const std::vector<uint32_t>& indices) {
    s.Write(RSeTypeCode::kVector);
    s.Write(uint32_t(indices.size()));
    if (indices.empty()) return;
    s.Write(uint32_t(indices.size()));
    s.WriteNoTypeMark();
    for (uint32_t i : indices)
        w.Ref(i);
}

void TstLegacyWriter::WriteStringValue(uint32_t id, const std::u16string& text,
                                       DUxValue::EVisibility vis) {
    if (!m_valueMeta) {
        w.AddClass(u"DUxValue", RSeMetaType::Find(u"DUxValue")->GetVersion());
        m_valueMeta =
            w.AddClass(u"DUxStringValue", RSeMetaType::Find(u"DUxStringValue")->GetVersion());
    }
    RSeStream& s = w.BeginRecord(m_valueMeta, id);
    s.Write(int32_t(vis));
    s.Write(UTxString16(text));
    w.EndRecord();
}

void TstLegacyWriter::WriteFragment(uint32_t id, const std::vector<uint32_t>& others) {
    RSeStream& s = w.BeginRecord(w.AddClass(u"RDxFragment", 0), id);
    s.Write(uint32_t(0)); // object: flags, sick
    s.Write(false);
    s.Write(uint32_t(1 + others.size()));
    w.Ref(0);
    for (uint32_t i : others)
        w.Ref(i);
    s.Write(int32_t(1));
    w.EndRecord();
}

void TstLegacyWriter::WriteCurrent(const RSeVMeta* obj, uint32_t id,
                                   std::initializer_list<const char16_t*> chain) {
    uint32_t meta = 0;
    for (const char16_t* name : chain)
        meta = w.MetaIndex(RSeMetaType::Find(name));
    RSeStream& s = w.BeginRecord(meta, id);
    obj->GetMeta()->_Save(obj, s);
    w.EndRecord();
}

void TstLegacyWriter::WriteChainLeader(std::initializer_list<const char16_t*> chain, uint32_t id,
                                       const WqGeVector3d& landing,
                                       const std::vector<WqGePoint3d>& points) {
    uint32_t leaderMeta = 0;
    for (const char16_t* name : chain)
        leaderMeta = w.MetaIndex(RSeMetaType::Find(name));
    if (m_nodeMeta == UINT32_MAX) m_nodeMeta = w.AddClass(u"DLxCLeaderNode", 0);
    RSeStream& l = w.BeginRecord(leaderMeta, id);
    l.Write(int32_t(16)); // arrow type
    l.Write(int16_t(-1)); // tag
    for (double c : {landing.x, landing.y, landing.z})
        l.Write(c);
    l.Write(0.0); // gap
    if (points.empty()) w.RefValue(0);
    else w.Ref(id); // the root node, stored next
    w.Ref(0);       // owner: the symbol
    w.EndRecord();
    // Ids are indices plus one: the leader is at index id - 1, node i at id + i.
    for (uint32_t i = 0; i < points.size(); ++i) {
        RSeStream& n = w.BeginRecord(m_nodeMeta, id + 1 + i);
        for (double c : {points[i].x, points[i].y, points[i].z})
            n.Write(c);
        w.Ref(id - 1);
        if (i == 0) w.RefValue(0);
        else w.Ref(id + i - 1);
        WriteRefs(n, i + 1 < points.size() ? std::vector<uint32_t>{id + i + 1}
                                           : std::vector<uint32_t>{});
        w.EndRecord();
    }
}

uint32_t TstLegacyWriter::Class(const char16_t* name) {
    return w.MetaIndex(RSeMetaType::Find(name));
}


void TstLegacyWriter::WriteLeaderWithAttachment(const char16_t* kind, uint32_t first, uint32_t fragment,
                                                const WqGeVector3d& landing) {
    // The class and its bases, at their current versions.
    for (RSeMetaType* mt = RSeMetaType::Find(kind); mt; mt = mt->GetBase())
        Class(mt->GetName().c_str());
    RSeStream& l = w.BeginRecord(Class(kind), first + 1);
    l.Write(int32_t(16));
    l.Write(int16_t(-1));
    for (double c : {landing.x, landing.y, landing.z})
        l.Write(c);
    l.Write(0.0);
    w.Ref(first + 1); // root node
    w.Ref(0);         // owner
    w.EndRecord();

    const uint32_t nodeMeta = Class(u"DLxCLeaderNode");
    struct Node {
        WqGePoint3d point;
        int32_t parent; // offset from `first`, -1 for none
        std::vector<uint32_t> children;
    } nodes[] = {
        {{10, 20, 0}, -1, {first + 2}},
        {{6, 12, 0}, 1, {first + 3, first + 4}},
        {{5, 5, 0}, 2, {}},
        {{8, 4, 0}, 2, {}},
    };
    for (uint32_t i = 0; i < 4; ++i) {
        RSeStream& n = w.BeginRecord(nodeMeta, first + 2 + i);
        for (double c : {nodes[i].point.x, nodes[i].point.y, nodes[i].point.z})
            n.Write(c);
        w.Ref(first);
        if (nodes[i].parent < 0)
            w.RefValue(0);
        else
            w.Ref(first + uint32_t(nodes[i].parent));
        WriteRefs(n, nodes[i].children);
        w.EndRecord();
    }

    for (const char16_t* name : {u"RDxState", u"RDxStateSet", u"DLxAnchorPoint"})
        Class(name);
    RSeStream& set = w.BeginRecord(Class(u"DLxAttachingPointStateSet"), first + 6);
    w.NodePart(set, &fragment);
    set.Write(uint32_t(1));
    w.Ref(first + 6);
    w.EndRecord();

    RSeStream& a = w.BeginRecord(Class(u"DLxSymAttachingPoint"), first + 7);
    w.NodePart(a, &fragment);
    RSeSaveData(a, WqGePoint3d(5, 5, 0));
    w.RefValue(0); // view
    w.RefValue(0); // geometry
    a.Write(0.0);
    a.Write(false);
    a.Write(int32_t(0));
    RSeSaveData(a, WqGePoint3d(5, 5, 0)); // location
    w.EndRecord();

    RSeStream& h = w.BeginRecord(Class(u"DUxArrowHeadState"), first + 8);
    w.NodePart(h, &fragment);
    h.Write(uint32_t(28031));
    w.EndRecord();
}

void TstLegacyWriter::Attach(uint32_t first) {
    leaders = {first};
    inputs = {0, 0, 0, 0, first + 5};
    arrowhead = first + 7;
}

std::vector<uint32_t> TstLegacyWriter::AttachmentNodes(uint32_t first) {
    return {first + 5, first + 6, first + 7};
}


std::unique_ptr<RSeDatabase> TstLoadDocument(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return db;
}

std::vector<uint8_t> TstExpectStableSave(RSeDatabase& db) {
    std::vector<uint8_t> first, second;
    EXPECT_FALSE(db.SaveToBuffer(first).Failed());
    std::unique_ptr<RSeDatabase> again = TstLoadDocument(first);
    if (!again) return first;
    EXPECT_FALSE(again->SaveToBuffer(second).Failed());
    EXPECT_EQ(first, second);
    return first;
}
