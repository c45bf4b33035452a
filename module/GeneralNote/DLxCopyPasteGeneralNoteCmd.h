#pragma once
// Copy and paste of general notes through the clipboard, under the private format
// "PELMARIX_DL_GENERALNOTE_DATA" (dl/DLxCopyPasteGeneralNoteData.h). The host routes its copy
// (35834) and paste (33001) commands here with its copy or paste record as the extra data.
//
// Copy takes only a selection of general notes and nothing else. Paste changes nothing yet: it
// parks a "PasteGeneralNote" request and starts the note-location command (44140), whose click
// gives the request its anchor point and runs it.
#include <cstdint>

#include "fw/FWxDocCmd.h"
#include "fw/SmartPtr.h"

class DLxPasteGeneralNoteRequest;
struct FWxCopyRecord;
struct FWxPasteRecord;

class DLxCopyPasteGeneralNoteCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCopyCommand = 35834;
    static constexpr int32_t kPasteCommand = 33001;

    explicit DLxCopyPasteGeneralNoteCmd(FWxSceneDoc* doc);
    ~DLxCopyPasteGeneralNoteCmd() override;

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    bool OnCopyGeneralNotes(FWxCopyRecord* record);
    bool OnPasteGeneralNotes(FWxPasteRecord* record);

    uint32_t GetClipboardFormat() const { return m_format; }

    // The paste waiting for its location: the latest one parked, kept until the next.
    static const SmartPtr<DLxPasteGeneralNoteRequest>& GetParkedRequest();
    static void ParkRequest(const SmartPtr<DLxPasteGeneralNoteRequest>& request);

private:
    uint32_t m_format;
};
