#pragma once
// What the host hands the commands that answer its routed copy and paste (as the extra data of
// the command message): the copy record asks for the selected objects as clipboard data, the
// paste record offers clipboard data to paste. A handler that takes the job sets the handled
// (accepted) flag and answers true.
#include <cstdint>

#include "WinHandles.h"
#include "fw/FWxSelection.h"
#include "fw/SmartPtr.h"

class COleDataObject;

struct FWxCopyRecord {
    static constexpr int32_t kQuery = 128; // may the selection be copied?
    static constexpr int32_t kRender = 4;  // hand out the data
    static constexpr int32_t kGlobalMedium = 2;

    FWxSelectionSet* selectionSet = nullptr; // what is selected, in selection order
    bool handled = false;
    uint16_t format = 0;     // the data's clipboard format
    HGLOBAL data = nullptr;  // the data; the caller owns it
    int32_t reserved = 0;
    int32_t medium = 0;
    int32_t operation = 0;
};

struct FWxPasteRecord {
    static constexpr int32_t kPaste = 8;
    static constexpr int32_t kEffectCopy = 4;

    COleDataObject* dataObject = nullptr;
    int32_t queryAnswer = 0;
    bool perform = false; // false: only asks whether a paste is possible
    bool accepted = false;
    SmartPtr<FWxSelection> target; // where to paste; null when the host names nothing
    int32_t queryEffect = 0;
    int32_t operation = 0;
};
