#include "TstDocWriter.h"

#include <cstring>

#include "rse/RSeMetaType.h"

namespace {
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    const size_t at = out.size();
    out.resize(at + 4);
    std::memcpy(out.data() + at, &v, 4);
}
void PutString(std::vector<uint8_t>& out, const UTxString16& s) {
    PutU32(out, uint32_t(s.size()));
    const size_t at = out.size();
    out.resize(at + 2 * s.size());
    if (!s.empty()) std::memcpy(out.data() + at, s.data(), 2 * s.size());
}
} // namespace

uint32_t TstDocWriter::AddClass(const UTxString16& name, uint16_t version) {
    RSeMetaType* mt = RSeMetaType::Find(name);
    return AddClass(name, mt ? mt->GetGUID() : UTxGUID(), version);
}

uint32_t TstDocWriter::AddClass(const UTxString16& name, const UTxGUID& guid, uint16_t version) {
    m_classes.push_back({name, guid, version});
    return uint32_t(m_classes.size() - 1);
}

uint32_t TstDocWriter::MetaIndex(const RSeMetaType* mt) {
    for (uint32_t i = 0; i < m_classes.size(); ++i)
        if (m_classes[i].name == mt->GetName()) return i;
    return AddClass(mt->GetName(), mt->GetGUID(), mt->GetVersion());
}

void TstDocWriter::BeginSegment(const UTxString16& name) {
    m_segments.push_back({name, {}});
}

RSeStream& TstDocWriter::BeginRecord(uint32_t metaIndex, uint32_t id) {
    if (m_segments.empty()) BeginSegment(u"Segment");
    m_segments.back().records.push_back({metaIndex, id, {}});
    m_stream = std::make_unique<RSeStream>(&m_segments.back().records.back().bytes, this);
    return *m_stream;
}

void TstDocWriter::EndRecord() {
    m_stream.reset();
}

void TstDocWriter::RefValue(uint32_t value) {
    std::vector<uint8_t>& b = m_segments.back().records.back().bytes;
    b.push_back(uint8_t(RSeTag::Ref));
    PutU32(b, value);
}

std::vector<uint8_t> TstDocWriter::Finish(uint32_t nextId) {
    std::vector<uint8_t> out = {'K', 'O', 'R', 'V', 'U', 'D', 'O', 'C'};
    PutU32(out, 1);
    PutU32(out, nextId);
    PutU32(out, uint32_t(m_classes.size()));
    for (const Class& c : m_classes) {
        PutString(out, c.name);
        for (int w = 0; w < 4; ++w)
            PutU32(out, c.guid.Word(w));
        out.push_back(uint8_t(c.version));
        out.push_back(uint8_t(c.version >> 8));
        out.push_back(0);
        out.push_back(0);
    }
    PutU32(out, uint32_t(m_segments.size()));
    for (const Segment& s : m_segments) {
        PutString(out, s.name);
        PutU32(out, uint32_t(s.records.size()));
        for (const Record& r : s.records) {
            PutU32(out, r.meta);
            PutU32(out, r.id);
            PutU32(out, uint32_t(r.bytes.size()));
            out.insert(out.end(), r.bytes.begin(), r.bytes.end());
        }
    }
    out.insert(out.end(), {'E', 'N', 'D', '.'});
    return out;
}

void TstDocWriter::AddEmblemClasses() {
    for (const char16_t* base :
         {u"RSeIDed", u"RDxObject", u"RDxNode", u"RDxConstraint", u"RDxDirectedConstraint",
          u"RDxInstance", u"DUxAnnotationInstance", u"DUxEmblem", u"DLxEmblem"})
        AddClass(base, 0);
}

void TstDocWriter::EmblemPart(RSeStream& s, const uint32_t* fragment) {
    EmblemPart(s, fragment, {});
}

void TstDocWriter::NodePart(RSeStream& s, const uint32_t* fragment) {
    s.Write(uint32_t(0)); // object: flags, sick
    s.Write(false);
    if (fragment) // node: fragment, edited, birthday, no dependencies
        Ref(*fragment);
    else
        RefValue(0);
    s.Write(true);
    s.Write(int32_t(0));
    s.Write(uint32_t(0));
}

void TstDocWriter::EmblemPart(RSeStream& s, const uint32_t* fragment,
                              const std::vector<uint32_t>& inputs) {
    NodePart(s, fragment);
    s.Write(uint32_t(inputs.size())); // constraint: inputs, no outputs
    for (uint32_t input : inputs)
        if (input)
            Ref(input);
        else
            RefValue(0);
    s.Write(uint32_t(0));
    s.Write(UTxGUID()); // instance: template
    s.Write(int32_t(0));
}

std::vector<uint8_t> TstDocWriter::OneRecord(RSeMetaType* mt, uint16_t version,
                                             const RSeVMeta* prototype,
                                             const std::function<void(RSeStream&)>& own) {
    TstDocWriter w;
    std::vector<RSeMetaType*> chain;
    for (RSeMetaType* b = mt->GetBase(); b; b = b->GetBase())
        chain.insert(chain.begin(), b);
    for (RSeMetaType* b : chain)
        w.AddClass(b->GetName(), b->GetGUID(), b->GetVersion());
    const uint32_t index = w.AddClass(mt->GetName(), mt->GetGUID(), version);
    w.BeginSegment(u"Sheet");
    RSeStream& s = w.BeginRecord(index, 1);
    if (mt->GetBase()) mt->GetBase()->_Save(prototype, s);
    own(s);
    w.EndRecord();
    return w.Finish(2);
}

std::optional<uint16_t> TstDocWriter::DeclaredVersion(const std::vector<uint8_t>& file,
                                                      const UTxString16& name) {
    size_t at = 16;
    auto u32 = [&](uint32_t& v) {
        if (at + 4 > file.size()) return false;
        std::memcpy(&v, file.data() + at, 4);
        at += 4;
        return true;
    };
    uint32_t count = 0;
    if (!u32(count)) return std::nullopt;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        if (!u32(length) || at + 2 * size_t(length) + 20 > file.size()) return std::nullopt;
        UTxString16 text(length, u'\0');
        if (length) std::memcpy(text.data(), file.data() + at, 2 * size_t(length));
        at += 2 * size_t(length) + 16;
        const uint16_t version = uint16_t(file[at] | (file[at + 1] << 8));
        at += 4;
        if (text == name) return version;
    }
    return std::nullopt;
}

std::vector<uint8_t> TstDocWriter::AsOlder(const std::vector<uint8_t>& file,
                                           const UTxString16& name, uint16_t version,
                                           size_t dropTail) {
    if (file.size() < 16) return {};
    size_t at = 16;
    auto u32 = [&](uint32_t& v) {
        if (at + 4 > file.size()) return false;
        std::memcpy(&v, file.data() + at, 4);
        at += 4;
        return true;
    };
    auto text = [&](UTxString16& s) {
        uint32_t length = 0;
        if (!u32(length) || at + 2 * size_t(length) > file.size()) return false;
        s.assign(length, u'\0');
        if (length) std::memcpy(s.data(), file.data() + at, 2 * size_t(length));
        at += 2 * size_t(length);
        return true;
    };
    TstDocWriter w;
    uint32_t metas = 0, target = UINT32_MAX;
    if (!u32(metas)) return {};
    for (uint32_t i = 0; i < metas; ++i) {
        UTxString16 className;
        uint32_t words[4];
        if (!text(className) || !u32(words[0]) || !u32(words[1]) || !u32(words[2]) ||
            !u32(words[3]) || at + 4 > file.size())
            return {};
        uint16_t stored = uint16_t(file[at] | (file[at + 1] << 8));
        at += 4;
        if (className == name) {
            target = i;
            stored = version;
        }
        w.AddClass(className, UTxGUID(words[0], words[1], words[2], words[3]), stored);
    }
    if (target == UINT32_MAX) return {};
    uint32_t segments = 0;
    if (!u32(segments)) return {};
    for (uint32_t s = 0; s < segments; ++s) {
        UTxString16 segmentName;
        uint32_t records = 0;
        if (!text(segmentName) || !u32(records)) return {};
        w.BeginSegment(segmentName);
        for (uint32_t r = 0; r < records; ++r) {
            uint32_t meta = 0, key = 0, length = 0;
            if (!u32(meta) || !u32(key) || !u32(length) || at + length > file.size()) return {};
            if (meta == target && length < dropTail) return {};
            const size_t kept = meta == target ? length - dropTail : length;
            w.m_segments.back().records.push_back(
                {meta, key,
                 std::vector<uint8_t>(file.begin() + long(at), file.begin() + long(at + kept))});
            at += length;
        }
    }
    uint32_t nextId = 0;
    std::memcpy(&nextId, file.data() + 12, 4);
    return w.Finish(nextId);
}
