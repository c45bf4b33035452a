#pragma once
// The small balloon text dialog of datum targets: the size text (edit 7901) and the target
// label (edit 7900, at most four characters) of one balloon. Each change is sent at once to the
// command that opened it (notification 3534 with both texts), which shows it on its preview.
#include <cstdint>

#include "CDialog.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxDatumTarget;
class FWxCommand;

// What notification 3534 carries.
struct DLxDatumBlTexts {
    UTxString16 size;
    UTxString16 target;
};

class DLxDatumBl : public CDialog {
public:
    static constexpr uint32_t kTemplateId = 7664;
    static constexpr int32_t kSizeEdit = 7901;
    static constexpr int32_t kTargetEdit = 7900;
    static constexpr int32_t kTextsChanged = 3534;
    static constexpr size_t kTargetTextLimit = 4;

    DLxDatumBl(const RSeRef<DLxDatumTarget>& target, int32_t balloon, FWxCommand* commandTarget);

    // Fills both edits from the balloon's texts.
    bool OnInitDialog() override;
    // What the user typed into an edit; the label edit keeps its first four characters.
    void SetEditText(int32_t id, const UTxString16& text);
    const UTxString16& GetEditText(int32_t id) const;

private:
    RSeRef<DLxDatumTarget> m_target;
    int32_t m_balloon;
    FWxCommand* m_commandTarget;
    DLxDatumBlTexts m_texts;
};
