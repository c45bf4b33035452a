#pragma once
// What a drawing puts on the clipboard when general notes are copied, under the clipboard
// format "PELMARIX_DL_GENERALNOTE_DATA": the running session, the document and the sheet the
// notes came from, and the notes by id.
//
// Block layout, little-endian, kHeaderSize bytes then 4 bytes per note:
//   0  u32 magic "DDGN"      4  u32 note count
//   8  u64 session           16 u64 document serial (FWxSceneDoc::GetSerial)
//   24 u32 sheet id          28 u32 reserved 0       32 u32 reserved 0
//   36 u32 note ids, in copy order
// The notes are named by id, never by address: a block outlives neither its session (another
// session's ids mean nothing here) nor its document (once the document is closed the notes
// read back as none).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "WinHandles.h"
#include "rse/RSeRef.h"

class DLxSheet;
class FWxSceneDoc;

constexpr const char16_t* kDLxGeneralNoteClipboardFormat = u"PELMARIX_DL_GENERALNOTE_DATA";

class DLxCopyPasteGeneralNoteData {
public:
    static constexpr uint32_t kMagic = 0x4E474444; // "DDGN"
    static constexpr size_t kHeaderSize = 36;
    static constexpr size_t kSessionOffset = 8;

    // The data of notes copied from `sheet` of `doc`.
    DLxCopyPasteGeneralNoteData(FWxSceneDoc* doc, const RSeRefBase& sheet);

    std::vector<RSeRefBase>& GetNotes() { return m_notes; }
    const std::vector<RSeRefBase>& GetNotes() const { return m_notes; }
    // The sheet the notes were copied from; null once it is gone.
    const RSeRefBase& GetInstance() const { return m_sheet; }

    // A movable block of the layout above, which the caller owns; null when it cannot be had.
    HGLOBAL ToBlock() const;
    // The data of a block of `size` bytes; none when it is not such a block. The notes and
    // the sheet are looked up in their document, which must still be open.
    static std::optional<DLxCopyPasteGeneralNoteData> FromBlock(const void* block, size_t size);

    // Made in the session that reads it.
    bool SamePelmarixSession() const;
    bool SamePelmarixDocument(const FWxSceneDoc* doc) const;

    // This session's token: differs between runs of the program.
    static uint64_t CurrentSession();

private:
    DLxCopyPasteGeneralNoteData() = default;

    uint64_t m_session = 0;
    uint64_t m_document = 0;
    RSeRefBase m_sheet;
    std::vector<RSeRefBase> m_notes;
};
