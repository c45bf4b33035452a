#include "dl/DLxCopyPasteGeneralNoteData.h"

#include <chrono>
#include <cstring>
#include <unistd.h>

#include "GlobalMemory.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeDatabase.h"

namespace {
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}
void Put64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        p[i] = uint8_t(v >> (8 * i));
}
uint32_t Get32(const uint8_t* p) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
uint64_t Get64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
} // namespace

DLxCopyPasteGeneralNoteData::DLxCopyPasteGeneralNoteData(FWxSceneDoc* doc, const RSeRefBase& sheet)
    : m_session(CurrentSession()), m_document(doc ? doc->GetSerial() : 0), m_sheet(sheet) {}

uint64_t DLxCopyPasteGeneralNoteData::CurrentSession() {
    static const uint64_t session = [] {
        const uint64_t now = uint64_t(
            std::chrono::high_resolution_clock::now().time_since_epoch().count());
        uint64_t s = (now * 0x9E3779B97F4A7C15ull) ^ (uint64_t(getpid()) << 32);
        return s ? s : 1;
    }();
    return session;
}

HGLOBAL DLxCopyPasteGeneralNoteData::ToBlock() const {
    const size_t size = kHeaderSize + 4 * m_notes.size();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    auto* p = static_cast<uint8_t*>(GlobalLock(block));
    Put32(p, kMagic);
    Put32(p + 4, uint32_t(m_notes.size()));
    Put64(p + kSessionOffset, m_session);
    Put64(p + 16, m_document);
    Put32(p + 24, m_sheet.GetId());
    for (size_t i = 0; i < m_notes.size(); ++i)
        Put32(p + kHeaderSize + 4 * i, m_notes[i].GetId());
    GlobalUnlock(block);
    return block;
}

std::optional<DLxCopyPasteGeneralNoteData>
DLxCopyPasteGeneralNoteData::FromBlock(const void* block, size_t size) {
    if (!block || size < kHeaderSize) return std::nullopt;
    const auto* p = static_cast<const uint8_t*>(block);
    if (Get32(p) != kMagic) return std::nullopt;
    const uint32_t count = Get32(p + 4);
    if (count > (size - kHeaderSize) / 4) return std::nullopt;
    DLxCopyPasteGeneralNoteData data;
    data.m_session = Get64(p + kSessionOffset);
    data.m_document = Get64(p + 16);
    // Ids mean something only in the session and the document that wrote them.
    FWxSceneDoc* doc =
        data.SamePelmarixSession() ? FWxDocUtil::DocumentOfSerial(data.m_document) : nullptr;
    RSeDatabase* db = doc ? doc->GetRSeDb() : nullptr;
    auto find = [db](uint32_t id) { return RSeRefBase(db && id ? db->FindObject(id) : nullptr); };
    data.m_sheet = find(Get32(p + 24));
    for (uint32_t i = 0; i < count; ++i)
        data.m_notes.push_back(find(Get32(p + kHeaderSize + 4 * i)));
    return data;
}

bool DLxCopyPasteGeneralNoteData::SamePelmarixSession() const {
    return m_session == CurrentSession();
}

bool DLxCopyPasteGeneralNoteData::SamePelmarixDocument(const FWxSceneDoc* doc) const {
    return doc && SamePelmarixSession() && m_document == doc->GetSerial();
}
