#pragma once
// Which document an object belongs to: the document whose database holds it.
#include <cstdint>

class FWxSceneDoc;
class RSeDatabase;
class RSeVMeta;

class FWxDocUtil {
public:
    // Null for an object outside any segment or of a database without a document (the
    // transient segments).
    static FWxSceneDoc* DocumentOf(const RSeVMeta* obj);
    static FWxSceneDoc* DocumentOf(const RSeDatabase* db);
    // The open document with this serial (FWxSceneDoc::GetSerial); null once it is closed.
    static FWxSceneDoc* DocumentOfSerial(uint64_t serial);

    // A document enters its database here when it is made and leaves when it goes.
    static void RegisterDocument(const RSeDatabase* db, FWxSceneDoc* doc);
    static void UnregisterDocument(const RSeDatabase* db, const FWxSceneDoc* doc);
};
