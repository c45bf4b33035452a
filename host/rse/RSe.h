#pragma once
// Free functions of the object store.
class RSeSegment;
class RSeDatabase;
class RSeVMeta;
class RSeDatabaseInterfaces;

namespace RSe {
RSeSegment* SegmentOf(const RSeVMeta* obj);
// The first segment of a database.
RSeSegment* SegmentOf(RSeDatabase* db);
RSeDatabase* DatabaseOf(const RSeVMeta* obj);
RSeDatabase* DatabaseOf(const RSeSegment* segment);
// The process's transient segments, never saved: a plain one and one whose changes are
// transacted with the document's.
RSeSegment* TransientSegment(bool transacted = false);
RSeDatabaseInterfaces* InterfaceSet(RSeDatabase* db);
} // namespace RSe
