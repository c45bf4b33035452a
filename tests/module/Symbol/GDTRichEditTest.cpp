#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Symbol/DLxGDTRichEditCtrl.h"
#include "Symbol/DLxGDTSymText.h"

namespace {

// Every symbol glyph, typed in the symbol font between ordinary text, survives storing and
// reading back; the braces are escaped in the stored form.
TEST(GDTSymText, EverySymbolRoundTrips) {
    for (int code = 1; code <= 30; ++code) {
        SCOPED_TRACE(code);
        const std::u16string glyph = DLxGDTSymbolGlyph(code);
        ASSERT_FALSE(glyph.empty());
        // A button inserts the last character of a two-character glyph.
        const char16_t ch = glyph.back();
        const std::vector<DLxGDTTextChar> chars = {
            {u'A', false}, {ch, true}, {u'{', false}, {u'}', false}, {ch, true}};
        const std::u16string stored = DLxEncodeGDTText(chars);
        EXPECT_EQ(DLxDecodeGDTText(stored), chars);
    }
    EXPECT_TRUE(DLxGDTSymbolGlyph(0).empty());
    EXPECT_TRUE(DLxGDTSymbolGlyph(31).empty());
}

TEST(GDTSymText, StoredFormAndDamagedInput) {
    EXPECT_EQ(DLxEncodeGDTText({{u'0', false}, {u'n', true}, {u'{', true}}),
              u"0{\\FKvGDT.TTF;n}{\\FKvGDT.TTF;\\{}");
    struct Case {
        std::u16string stored;
        std::vector<DLxGDTTextChar> chars;
    };
    const Case cases[] = {
        {u"{\\FKvGDT.TTF;}x", {{u'x', false}}},                     // empty switch skipped
        {u"{\\FKvGDT.TTF;", {}},                                     // cut short
        {u"{\\FKvGDT", {{u'{', false}, {u'\\', false}, {u'F', false}, {u'K', false},
                        {u'v', false}, {u'G', false}, {u'D', false}, {u'T', false}}},
        {u"{\\FKvGDT.TTF;\\", {{u'\\', true}}},
        {u"a{b}", {{u'a', false}, {u'{', false}, {u'b', false}, {u'}', false}}},
    };
    for (const Case& c : cases) EXPECT_EQ(DLxDecodeGDTText(c.stored), c.chars);
}

TEST(GDTRichEdit, TypingUsesDialogFontAndObeysLimit) {
    DLxGDTEditParent parent;
    parent.textFace = u"Arial";
    parent.bold = true;
    CGDTRichEditCtrl ctrl(&parent);
    ctrl.PreSubclassWindow();
    EXPECT_EQ(ctrl.EventMask(), 0x3C0007u);
    ctrl.OnChar(u'a');
    ctrl.OnChar(u'b');
    ctrl.SetSel(1, 1);
    ctrl.OnChar(u'x');
    EXPECT_EQ(ctrl.Text(), u"axb");
    EXPECT_EQ(ctrl.SelStart(), 2);
    EXPECT_EQ(ctrl.Chars()[1].format.face, u"Arial");
    EXPECT_TRUE(ctrl.Chars()[1].format.bold);
    EXPECT_TRUE(parent.notify);  // the flag comes back after format changes

    ctrl.OnChar(u'z', /*ctrl=*/true);  // shortcuts insert nothing
    ctrl.OnChar(u'\r');
    EXPECT_EQ(ctrl.Text(), u"axb");
    ctrl.OnChar(8);
    EXPECT_EQ(ctrl.Text(), u"ab");

    EXPECT_EQ(ctrl.SetTextLimit(3), 256);
    ctrl.SetSel(-1, -1);
    ctrl.OnChar(u'c');
    ctrl.OnChar(u'd');  // full: nothing goes in
    EXPECT_EQ(ctrl.Text(), u"abc");
    ctrl.SetSel(0, -1);  // typing over the whole text replaces it
    ctrl.OnChar(u'q');
    EXPECT_EQ(ctrl.Text(), u"q");

    // Lowering the limit cuts the text and clamps the selection.
    ctrl.InsertText(u"rs", u"Arial", false, false, 0, 1);
    ctrl.SetSel(1, -1);
    ctrl.SetTextLimit(2);
    EXPECT_EQ(ctrl.Text(), u"qr");
    EXPECT_EQ(ctrl.SelEnd(), 2);
    EXPECT_EQ(ctrl.WindowLimit(), 2);
}

TEST(GDTRichEdit, FullControlAcceptsNoTypingAndPasteKeepsWhatFits) {
    CGDTRichEditCtrl ctrl;
    ctrl.InsertText(std::u16string(256, u'x'), u"System", false, false, 0, 1);
    ctrl.SetSel(-1, -1);
    ctrl.OnChar(u'y');
    EXPECT_EQ(ctrl.Text().size(), 256u);

    std::vector<DLxGDTFormattedChar> clipboard;
    CGDTRichEditCtrl a, b;
    a.SetClipboard(&clipboard);
    b.SetClipboard(&clipboard);
    EXPECT_FALSE(b.IsMenuItemEnabled(CGDTRichEditCtrl::kPaste));
    a.InsertText(u"0.05", u"System", false, false, 0, 1);
    a.InsertText(u"m", u"KvGDT", false, false, 0, 1);
    EXPECT_FALSE(a.IsMenuItemEnabled(CGDTRichEditCtrl::kCopy));
    a.OnMenuCommand(CGDTRichEditCtrl::kSelectAll);
    EXPECT_FALSE(a.IsMenuItemEnabled(CGDTRichEditCtrl::kSelectAll));
    a.OnMenuCommand(CGDTRichEditCtrl::kCut);
    EXPECT_EQ(a.Text(), u"");
    b.SetTextLimit(3);
    b.InsertText(u"1", u"System", false, false, 0, 1);
    b.OnMenuCommand(CGDTRichEditCtrl::kPaste);
    EXPECT_EQ(b.Text(), u"10.");
    a.OnMenuCommand(CGDTRichEditCtrl::kUndo);  // undo of the cut
    EXPECT_EQ(a.Text(), u"0.05m");
    EXPECT_EQ(a.Chars()[4].format.face, u"KvGDT");
}

// Ordinary text takes the character set of an East Asian user locale; the symbol fonts never do.
TEST(GDTRichEdit, CharacterSetFollowsLocaleAndFace) {
    struct Case {
        DLxUserLocale locale;
        const char16_t* face;
        uint8_t charset;
    };
    const Case cases[] = {
        {{0x11, 1}, u"Arial", 128}, {{0x11, 1}, u"KvGDT", 2}, {{0x11, 1}, u"BqGDT", 1},
        {{0x12, 1}, u"Arial", 129}, {{0x04, 2}, u"Arial", 134}, {{0x04, 1}, u"Arial", 136},
        {{0x09, 1}, u"Arial", 1},   {{0x09, 1}, u"KvGDT", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face, c.face + std::u16string(c.face).size()));
        CGDTRichEditCtrl ctrl(nullptr, c.locale);
        ctrl.InsertText(u"a", c.face, false, false, 0, CGDTRichEditCtrl::kDefaultCharset);
        EXPECT_EQ(ctrl.Chars()[0].format.charset, c.charset);
    }
}

TEST(GDTRichEdit, DisabledShowsGreyOnButtonFace) {
    CGDTRichEditCtrl ctrl;
    ctrl.InsertText(u"ab", u"System", false, false, 0, 1);
    ctrl.OnEnable(false);
    EXPECT_EQ(ctrl.BackgroundColour(), CGDTRichEditCtrl::kButtonFaceColour);
    for (const auto& c : ctrl.Chars()) EXPECT_EQ(c.format.colour, CGDTRichEditCtrl::kGreyTextColour);
    ctrl.OnEnable(true);
    EXPECT_EQ(ctrl.BackgroundColour(), CGDTRichEditCtrl::kWindowColour);
    for (const auto& c : ctrl.Chars()) EXPECT_EQ(c.format.colour, CGDTRichEditCtrl::kWindowTextColour);
}

}  // namespace
