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
    w.EmblemPart(s, m_fragment ? &m_fragment : nullptr);
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
    w.RefValue(0); // arrowhead state
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

void TstLegacyWriter::WriteFragment(uint32_t id) {
    RSeStream& s = w.BeginRecord(w.AddClass(u"RDxFragment", 0), id);
    s.Write(uint32_t(0)); // object: flags, sick
    s.Write(false);
    s.Write(uint32_t(1));
    w.Ref(0);
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
