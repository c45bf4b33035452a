#include "WinMessageBox.h"

#include <deque>

namespace {
struct Boxes {
    std::deque<int32_t> answers;
    std::vector<WinMessageBoxes::Shown> shown;
};
Boxes& TheBoxes() {
    static Boxes s_boxes;
    return s_boxes;
}

int32_t DefaultAnswer(uint32_t type) {
    switch (type & 0xF) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL;
    }
}
} // namespace

int32_t MessageBoxW(HWND, const char16_t* lpText, const char16_t* lpCaption, uint32_t uType) {
    Boxes& b = TheBoxes();
    int32_t answer = DefaultAnswer(uType);
    if (!b.answers.empty()) {
        answer = b.answers.front();
        b.answers.pop_front();
    }
    b.shown.push_back({lpText ? lpText : u"", lpCaption ? lpCaption : u"", uType, answer});
    return answer;
}

namespace WinMessageBoxes {
void QueueAnswer(int32_t answer) {
    TheBoxes().answers.push_back(answer);
}
size_t PendingAnswers() {
    return TheBoxes().answers.size();
}
const std::vector<Shown>& GetShown() {
    return TheBoxes().shown;
}
void Reset() {
    TheBoxes().answers.clear();
    TheBoxes().shown.clear();
}
} // namespace WinMessageBoxes
