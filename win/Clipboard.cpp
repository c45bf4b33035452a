#include "Clipboard.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "GlobalMemory.h"

namespace {

constexpr uint32_t c_firstRegisteredFormat = 0xC000;
constexpr uint32_t c_lastRegisteredFormat = 0xFFFF;

struct FormatNames {
    std::map<std::u16string, uint32_t> byFoldedName;
    std::vector<std::u16string> names; // as first registered, indexed from 0xC000
};

FormatNames& Formats() {
    static FormatNames formats;
    return formats;
}

// Names compare without regard to case; ASCII folding covers the names code registers.
std::u16string Fold(std::u16string name) {
    for (char16_t& c : name) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return name;
}

struct ClipboardState {
    bool open = false;
    HWND opener = nullptr;
    HWND owner = nullptr;
    std::vector<std::pair<uint32_t, HANDLE>> data; // in the order it was set

    ClipboardState() = default;
    ClipboardState(const ClipboardState&) = delete;
    ClipboardState& operator=(const ClipboardState&) = delete;
    // Whatever is still on the clipboard at exit goes with it.
    ~ClipboardState() { FreeData(); }

    void FreeData() {
        for (const auto& entry : data)
            GlobalFree(entry.second);
        data.clear();
    }
    std::vector<std::pair<uint32_t, HANDLE>>::iterator Find(uint32_t format) {
        return std::find_if(data.begin(), data.end(),
                            [format](const auto& entry) { return entry.first == format; });
    }
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

} // namespace

uint32_t RegisterClipboardFormatW(const char16_t* lpszFormat) {
    if (!lpszFormat || !*lpszFormat) return 0;
    FormatNames& formats = Formats();
    std::u16string name(lpszFormat);
    std::u16string folded = Fold(name);
    auto it = formats.byFoldedName.find(folded);
    if (it != formats.byFoldedName.end()) return it->second;
    const uint32_t format = c_firstRegisteredFormat + static_cast<uint32_t>(formats.names.size());
    if (format > c_lastRegisteredFormat) return 0;
    formats.names.push_back(std::move(name));
    formats.byFoldedName.emplace(std::move(folded), format);
    return format;
}

int32_t GetClipboardFormatNameW(uint32_t format, char16_t* lpszFormatName, int32_t cchMaxCount) {
    const FormatNames& formats = Formats();
    if (!lpszFormatName || cchMaxCount <= 0 || format < c_firstRegisteredFormat) return 0;
    const size_t index = format - c_firstRegisteredFormat;
    if (index >= formats.names.size()) return 0;
    const std::u16string& name = formats.names[index];
    const size_t count = std::min(name.size(), static_cast<size_t>(cchMaxCount) - 1);
    std::copy_n(name.data(), count, lpszFormatName);
    lpszFormatName[count] = u'\0';
    return static_cast<int32_t>(count);
}

bool OpenClipboard(HWND hWndNewOwner) {
    ClipboardState& state = State();
    if (state.open) return false;
    state.open = true;
    state.opener = hWndNewOwner;
    return true;
}

bool CloseClipboard() {
    ClipboardState& state = State();
    if (!state.open) return false;
    state.open = false;
    state.opener = nullptr;
    return true;
}

bool EmptyClipboard() {
    ClipboardState& state = State();
    if (!state.open) return false;
    state.FreeData();
    state.owner = state.opener;
    return true;
}

HWND GetClipboardOwner() {
    return State().owner;
}

HWND GetOpenClipboardWindow() {
    const ClipboardState& state = State();
    return state.open ? state.opener : nullptr;
}

bool IsClipboardFormatAvailable(uint32_t format) {
    ClipboardState& state = State();
    return state.Find(format) != state.data.end();
}

int32_t CountClipboardFormats() {
    return static_cast<int32_t>(State().data.size());
}

HANDLE SetClipboardData(uint32_t uFormat, HANDLE hMem) {
    ClipboardState& state = State();
    // No delayed rendering: the data must be there when it is set.
    if (!state.open || uFormat == 0 || GlobalFlags(hMem) == GMEM_INVALID_HANDLE) return nullptr;
    auto it = state.Find(uFormat);
    if (it != state.data.end() && it->second == hMem) return hMem;
    // One block under two formats would be freed twice.
    const bool heldElsewhere =
        std::any_of(state.data.begin(), state.data.end(),
                    [hMem](const auto& entry) { return entry.second == hMem; });
    if (heldElsewhere) return nullptr;
    if (it != state.data.end()) {
        GlobalFree(it->second);
        it->second = hMem;
    } else {
        state.data.emplace_back(uFormat, hMem);
    }
    return hMem;
}

HANDLE GetClipboardData(uint32_t uFormat) {
    ClipboardState& state = State();
    if (!state.open) return nullptr;
    auto it = state.Find(uFormat);
    return it == state.data.end() ? nullptr : it->second;
}

void WinClipboardResetForTests() {
    ClipboardState& state = State();
    state.FreeData();
    state.open = false;
    state.opener = nullptr;
    state.owner = nullptr;
}
