#pragma once
// Writes document files by hand, record by record, so that tests can build the exact layouts
// older versions stored, or damaged ones.
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "rse/RSeStream.h"
#include "utx/UTxGUID.h"

class TstDocWriter : public RSeSaveSite {
public:
    // Declares a class in the meta table; the GUID is the registered one unless given.
    uint32_t AddClass(const UTxString16& name, uint16_t version);
    uint32_t AddClass(const UTxString16& name, const UTxGUID& guid, uint16_t version);
    void BeginSegment(const UTxString16& name);
    // The stream that writes the record's payload, until EndRecord.
    RSeStream& BeginRecord(uint32_t metaIndex, uint32_t id);
    void EndRecord();
    // A reference to the object stored at `index` (over all segments), or a raw stored value.
    void Ref(uint32_t index) { RefValue(2 * index + 1); }
    void RefValue(uint32_t value);
    std::vector<uint8_t> Finish(uint32_t nextId = 0);

    // The classes an emblem's record starts with, declared at version 0, and that start itself:
    // an emblem without states or dependencies, in the fragment stored at `fragment` (none when
    // null). The emblem's own classes follow.
    void AddEmblemClasses();
    void EmblemPart(RSeStream& s, const uint32_t* fragment = nullptr);
    // The same with input states: references to the objects stored at `inputs`, 0 for none.
    void EmblemPart(RSeStream& s, const uint32_t* fragment, const std::vector<uint32_t>& inputs);
    // The node part every stored state and instance starts with (object flags, sick, fragment,
    // edited, birthday, no dependencies).
    void NodePart(RSeStream& s, const uint32_t* fragment);
    // A document of one object (id 1) of class `mt` stored at `version`: the meta table declares
    // its bases at their current versions, and the record holds the base part as `prototype`
    // saves it today, then what `own` writes for the class itself.
    static std::vector<uint8_t> OneRecord(RSeMetaType* mt, uint16_t version,
                                          const RSeVMeta* prototype,
                                          const std::function<void(RSeStream&)>& own);
    // A saved document as an older release would have stored it: class `name` declared at
    // `version`, and each of its records without its last `dropTail` bytes (the fields that
    // version did not have, when they are the record's last). Empty when the file does not
    // declare the class or a record is shorter.
    static std::vector<uint8_t> AsOlder(const std::vector<uint8_t>& file, const UTxString16& name,
                                        uint16_t version, size_t dropTail);
    // The version a document file declares for class `name`, if it declares the class.
    static std::optional<uint16_t> DeclaredVersion(const std::vector<uint8_t>& file,
                                                   const UTxString16& name);

    uint32_t ObjectIndex(const RSeVMeta*) override { return UINT32_MAX; }
    uint32_t MetaIndex(const RSeMetaType* mt) override;

private:
    struct Class {
        UTxString16 name;
        UTxGUID guid;
        uint16_t version;
    };
    struct Record {
        uint32_t meta;
        uint32_t id;
        std::vector<uint8_t> bytes;
    };
    struct Segment {
        UTxString16 name;
        std::vector<Record> records;
    };
    std::vector<Class> m_classes;
    std::vector<Segment> m_segments;
    std::unique_ptr<RSeStream> m_stream;
};
