#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "COleDataObject.h"
#include "Clipboard.h"
#include "GlobalMemory.h"

namespace {

// Windows are only compared, never reached through.
HWND TstWindow(uintptr_t id) {
    return reinterpret_cast<HWND>(id);
}

HGLOBAL MakeBlock(const std::string& bytes) {
    HGLOBAL h = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

std::string ReadBlock(HGLOBAL h) {
    const auto* p = static_cast<const char*>(GlobalLock(h));
    std::string bytes(p, GlobalSize(h));
    GlobalUnlock(h);
    return bytes;
}

class ClipboardTest : public testing::Test {
protected:
    void SetUp() override { WinClipboardResetForTests(); }
    void TearDown() override { WinClipboardResetForTests(); }

    // Opens, empties, sets each format and closes, as a copy command does.
    void Put(HWND owner, std::initializer_list<std::pair<uint32_t, std::string>> items) {
        ASSERT_TRUE(OpenClipboard(owner));
        ASSERT_TRUE(EmptyClipboard());
        for (const auto& [format, bytes] : items) {
            HGLOBAL h = MakeBlock(bytes);
            ASSERT_EQ(SetClipboardData(format, h), h);
        }
        ASSERT_TRUE(CloseClipboard());
    }
};

TEST(GlobalMemory, LocksSizesAndFrees) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 5);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 5u);
    EXPECT_EQ(GlobalFlags(h), 0u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(p[i], 0) << "byte " << i;
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalFlags(h), 2u);
    EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h)) << "unlocking an unlocked block";
    EXPECT_EQ(GlobalFlags(h), 0u);
    EXPECT_EQ(GlobalFree(h), nullptr);

    // A fixed block is its own pointer; an empty block is still a block.
    HGLOBAL fixed = GlobalAlloc(GPTR, 3);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    static_cast<char*>(fixed)[2] = 'x';
    EXPECT_EQ(ReadBlock(fixed), std::string("\0\0x", 3));
    HGLOBAL empty = GlobalAlloc(GHND, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
    EXPECT_EQ(GlobalFree(empty), nullptr);

    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalFlags(nullptr), GMEM_INVALID_HANDLE);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(ClipboardFormats, RegistrationIsStableAndDistinct) {
    const uint32_t symbol = RegisterClipboardFormatW(u"Tst Symbol Format");
    const uint32_t table = RegisterClipboardFormatW(u"Tst Table Format");
    EXPECT_GE(symbol, 0xC000u);
    EXPECT_GE(table, 0xC000u);
    EXPECT_NE(symbol, table);
    EXPECT_EQ(RegisterClipboardFormatW(u"Tst Symbol Format"), symbol);
    EXPECT_EQ(RegisterClipboardFormatW(u"TST SYMBOL FORMAT"), symbol) << "names ignore case";
    EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
    EXPECT_EQ(RegisterClipboardFormatW(nullptr), 0u);

    // Resetting the clipboard keeps the numbers code may have kept.
    WinClipboardResetForTests();
    EXPECT_EQ(RegisterClipboardFormatW(u"Tst Table Format"), table);

    char16_t name[32];
    EXPECT_EQ(GetClipboardFormatNameW(symbol, name, 32), 17);
    EXPECT_EQ(std::u16string(name), u"Tst Symbol Format") << "the first spelling is kept";
    EXPECT_EQ(GetClipboardFormatNameW(symbol, name, 4), 3);
    EXPECT_EQ(std::u16string(name), u"Tst");
    EXPECT_EQ(GetClipboardFormatNameW(symbol, name, 0), 0);
    EXPECT_EQ(GetClipboardFormatNameW(CF_UNICODETEXT, name, 32), 0);
    EXPECT_EQ(GetClipboardFormatNameW(0xFFFF, name, 32), 0);
}

TEST_F(ClipboardTest, RoundTripsDataAndOwner) {
    const uint32_t format = RegisterClipboardFormatW(u"Tst Round Trip");
    const HWND copier = TstWindow(0x100);
    const HWND paster = TstWindow(0x200);

    ASSERT_TRUE(OpenClipboard(copier));
    EXPECT_EQ(GetOpenClipboardWindow(), copier);
    EXPECT_EQ(GetClipboardOwner(), nullptr) << "opening alone does not take ownership";
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), copier);
    HGLOBAL h = MakeBlock("symbol data");
    EXPECT_EQ(SetClipboardData(format, h), h);
    HGLOBAL text = MakeBlock("text");
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, text), text);
    ASSERT_TRUE(CloseClipboard());

    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(GetClipboardOwner(), copier) << "ownership outlives the open";
    EXPECT_TRUE(IsClipboardFormatAvailable(format));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(CountClipboardFormats(), 2);

    ASSERT_TRUE(OpenClipboard(paster));
    EXPECT_EQ(GetClipboardData(format), h);
    EXPECT_EQ(ReadBlock(GetClipboardData(format)), "symbol data");
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardOwner(), copier) << "reading does not take ownership";
}

TEST_F(ClipboardTest, OnlyOneOpenAtATime) {
    ASSERT_TRUE(OpenClipboard(TstWindow(1)));
    EXPECT_FALSE(OpenClipboard(TstWindow(2)));
    EXPECT_FALSE(OpenClipboard(TstWindow(1))) << "not even by the window that has it";
    EXPECT_EQ(GetOpenClipboardWindow(), TstWindow(1));
    ASSERT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_TRUE(OpenClipboard(TstWindow(2)));
    EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, ChangesNeedTheClipboardOpen) {
    const uint32_t format = RegisterClipboardFormatW(u"Tst Closed");
    Put(TstWindow(1), {{format, "kept"}});

    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(format), nullptr);
    HGLOBAL h = MakeBlock("refused");
    EXPECT_EQ(SetClipboardData(format, h), nullptr);
    EXPECT_EQ(ReadBlock(h), "refused") << "a refused block stays the caller's";
    EXPECT_EQ(GlobalFree(h), nullptr);

    EXPECT_TRUE(IsClipboardFormatAvailable(format));
    EXPECT_EQ(GetClipboardOwner(), TstWindow(1));
}

TEST_F(ClipboardTest, ReplacesEmptiesAndRefusesOneBlockTwice) {
    const uint32_t first = RegisterClipboardFormatW(u"Tst First");
    const uint32_t second = RegisterClipboardFormatW(u"Tst Second");
    ASSERT_TRUE(OpenClipboard(TstWindow(1)));
    ASSERT_TRUE(EmptyClipboard());

    // The replaced block is freed by the clipboard; a leak here shows up under the sanitizers.
    HGLOBAL a = MakeBlock("a");
    HGLOBAL b = MakeBlock("b");
    ASSERT_EQ(SetClipboardData(first, a), a);
    ASSERT_EQ(SetClipboardData(first, b), b);
    EXPECT_EQ(SetClipboardData(first, b), b) << "setting the same block again is harmless";
    EXPECT_EQ(CountClipboardFormats(), 1);
    EXPECT_EQ(ReadBlock(GetClipboardData(first)), "b");

    EXPECT_EQ(SetClipboardData(second, b), nullptr) << "one block under two formats";
    EXPECT_EQ(SetClipboardData(second, nullptr), nullptr);
    HGLOBAL c = MakeBlock("c");
    EXPECT_EQ(SetClipboardData(0, c), nullptr);
    EXPECT_EQ(GlobalFree(c), nullptr);
    EXPECT_FALSE(IsClipboardFormatAvailable(second));

    // Emptying frees everything and hands ownership to whoever opened the clipboard now.
    ASSERT_TRUE(CloseClipboard());
    ASSERT_TRUE(OpenClipboard(TstWindow(2)));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), TstWindow(2));
    EXPECT_EQ(CountClipboardFormats(), 0);
    EXPECT_FALSE(IsClipboardFormatAvailable(first));
    EXPECT_EQ(GetClipboardData(first), nullptr);
    ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, ResetForgetsEverything) {
    const uint32_t format = RegisterClipboardFormatW(u"Tst Reset");
    Put(TstWindow(1), {{format, "left behind"}});
    ASSERT_TRUE(OpenClipboard(TstWindow(3)));

    WinClipboardResetForTests();
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_EQ(CountClipboardFormats(), 0);
    EXPECT_TRUE(OpenClipboard(TstWindow(4))) << "reset closes the clipboard";
    // Whatever is still set here is freed by the reset in TearDown.
    HGLOBAL h = MakeBlock("left for teardown");
    EXPECT_EQ(SetClipboardData(format, h), h);
}

TEST_F(ClipboardTest, OleDataObjectReadsCopies) {
    const uint32_t format = RegisterClipboardFormatW(u"Tst Ole");
    Put(TstWindow(1), {{format, "payload"}});

    COleDataObject data;
    EXPECT_FALSE(data.IsDataAvailable(format)) << "nothing attached yet";
    EXPECT_EQ(data.GetGlobalData(format), nullptr);

    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(format));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(data.GetGlobalData(CF_TEXT), nullptr);

    HGLOBAL copy = data.GetGlobalData(format);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(ReadBlock(copy), "payload");
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr) << "a closed clipboard is left closed";
    static_cast<char*>(GlobalLock(copy))[0] = 'P';
    GlobalUnlock(copy);
    EXPECT_EQ(GlobalFree(copy), nullptr);

    // Reading while the caller holds the clipboard open leaves it open, and sees the original.
    ASSERT_TRUE(OpenClipboard(TstWindow(2)));
    HANDLE original = GetClipboardData(format);
    copy = data.GetGlobalData(format);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    EXPECT_EQ(ReadBlock(copy), "payload");
    EXPECT_EQ(GetOpenClipboardWindow(), TstWindow(2));
    ASSERT_TRUE(CloseClipboard());

    // The copy outlives the clipboard's data.
    WinClipboardResetForTests();
    EXPECT_FALSE(data.IsDataAvailable(format));
    EXPECT_EQ(ReadBlock(copy), "payload");
    EXPECT_EQ(GlobalFree(copy), nullptr);

    Put(TstWindow(1), {{format, "again"}});
    data.Release();
    EXPECT_FALSE(data.IsDataAvailable(format));
    EXPECT_EQ(data.GetGlobalData(format), nullptr);
}

} // namespace
