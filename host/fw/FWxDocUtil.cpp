#include "fw/FWxDocUtil.h"

#include <unordered_map>

#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"

namespace {
std::unordered_map<const RSeDatabase*, FWxSceneDoc*>& Registry() {
    static std::unordered_map<const RSeDatabase*, FWxSceneDoc*> documents;
    return documents;
}
} // namespace

FWxSceneDoc* FWxDocUtil::DocumentOf(const RSeVMeta* obj) {
    return DocumentOf(RSe::DatabaseOf(obj));
}

FWxSceneDoc* FWxDocUtil::DocumentOf(const RSeDatabase* db) {
    if (!db) return nullptr;
    auto& documents = Registry();
    auto it = documents.find(db);
    return it == documents.end() ? nullptr : it->second;
}

FWxSceneDoc* FWxDocUtil::DocumentOfSerial(uint64_t serial) {
    for (const auto& [db, doc] : Registry())
        if (doc && doc->GetSerial() == serial) return doc;
    return nullptr;
}

void FWxDocUtil::RegisterDocument(const RSeDatabase* db, FWxSceneDoc* doc) {
    if (db) Registry()[db] = doc;
}

void FWxDocUtil::UnregisterDocument(const RSeDatabase* db, const FWxSceneDoc* doc) {
    auto& documents = Registry();
    auto it = documents.find(db);
    // Only its own entry: the database may have passed to another document meanwhile.
    if (it != documents.end() && it->second == doc) documents.erase(it);
}
