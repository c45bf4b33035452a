// The weld dialog's owner-drawn controls on their own: when a click flips them, how they draw
// their state, and what the contour combo answers.
#include <gtest/gtest.h>

#include <vector>

#include "WinResourceTable.h"
#include "Welding/DLxWeldBitmapButton.h"
#include "Welding/DLxWeldComboBox.h"

namespace {
namespace OD = DLxOwnerDraw;

const KorvuResBitmap kPicture = {7711, 32, 16, nullptr};

TEST(WeldArrowButton, OnlyAPressReleasedOverItFlipsIt) {
    CWeldArrowButton b(8187, 40, 20);
    b.SetTogglesLook(true);
    std::vector<int32_t> clicks;
    b.onClicked = [&](int32_t id) { clicks.push_back(id); };

    b.OnLButtonDown(5, 5);
    b.OnLButtonUp(60, 5); // released outside
    EXPECT_FALSE(b.GetState());
    EXPECT_FALSE(b.IsDrawnPressed());
    EXPECT_FALSE(b.IsMouseDown());
    // Pressed elsewhere and released over it: no click, so no flip either.
    b.OnLButtonUp(5, 5);
    EXPECT_FALSE(b.GetState());
    EXPECT_TRUE(clicks.empty());

    b.OnLButtonDown(5, 5);
    b.OnLButtonUp(39, 19);
    EXPECT_TRUE(b.GetState());
    EXPECT_TRUE(b.IsDrawnPressed());
    EXPECT_EQ(clicks, std::vector<int32_t>{8187});

    // Without "toggles look" a click flips the state and leaves the look.
    CWeldArrowButton plain(8186, 40, 20);
    plain.OnLButtonDown(1, 1);
    plain.OnLButtonUp(1, 1);
    EXPECT_TRUE(plain.GetState());
    EXPECT_FALSE(plain.IsDrawnPressed());
}

TEST(WeldArrowButton, DrawsItsBitmapCentredAndPressedDownRight) {
    CWeldArrowButton b(8187, 40, 20);
    EXPECT_EQ(b.DrawItem(0, false).image, 0u);
    b.SetBitmap(&kPicture);
    struct Case {
        int32_t state;
        uint32_t itemState;
        bool themed;
        bool pushed;
        int32_t x, y;
    };
    const Case cases[] = {
        {0, 0, false, false, 4, 2},
        {1, 0, false, true, 6, 4},
        {0, OD::kSelected, false, true, 6, 4},
        // A themed background shows the look only; the picture still moves under the press.
        {0, OD::kSelected, true, false, 6, 4},
        {1, 0, true, true, 6, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state * 100 + int32_t(c.itemState) * 10 + c.themed);
        EXPECT_TRUE(b.SetState(c.state));
        EXPECT_EQ(b.GetState(), c.state != 0);
        const DLxWeldDrawing d = b.DrawItem(c.itemState, c.themed);
        EXPECT_EQ(d.pushed, c.pushed);
        EXPECT_EQ(d.image, 7711u);
        EXPECT_EQ(d.imageX, c.x);
        EXPECT_EQ(d.imageY, c.y);
        EXPECT_EQ(d.transparent, 0xFFFFFFu);
        EXPECT_EQ(d.focusInset, -1);
    }
    EXPECT_EQ(b.DrawItem(OD::kFocus, false).focusInset, 3);
}

TEST(WeldArrowButton, HandsARightPressToItsParentInTheParentsCoordinates) {
    CWeldArrowButton b(8187, 20, 20);
    b.MoveWindow(208, 8, 20, 20);
    std::vector<int32_t> posted;
    b.postToParent = [&](uint32_t msg, uint32_t flags, int32_t x, int32_t y) {
        posted = {int32_t(msg), int32_t(flags), x, y};
    };
    b.OnRButtonDown(0x0008, 3, 4);
    EXPECT_EQ(posted, (std::vector<int32_t>{0x0204, 0x0008, 211, 12}));
}

TEST(WeldToggleButton, FlipsOnAMouseClickAndDrawsItsIcons) {
    CWeldToggleButton t(7828, 30, 14);
    t.OnLButtonUp(2, 2); // no press before
    EXPECT_FALSE(t.GetState());
    EXPECT_FALSE(t.WasClickedByMouse());
    t.OnLButtonDown(2, 2);
    t.OnLButtonUp(2, 2);
    EXPECT_TRUE(t.GetState());
    EXPECT_TRUE(t.IsDrawnPressed());
    EXPECT_TRUE(t.WasClickedByMouse());

    struct Case {
        bool pressedLook;
        uint32_t itemState;
        uint32_t pressedIcon, disabledIcon;
        uint32_t icon;
        int32_t at;
    };
    const Case cases[] = {
        {false, 0, 2, 3, 1, 0},
        {false, OD::kDisabled, 2, 3, 3, 0},
        {false, OD::kDisabled, 2, 0, 1, 0},
        // Exactly selected with focus draws pressed; selected alone does not.
        {false, OD::kSelected | OD::kFocus, 2, 3, 2, 2},
        {false, OD::kSelected, 2, 3, 1, 0},
        {true, 0, 2, 3, 2, 2},
        {true, 0, 0, 3, 1, 2},
        {true, OD::kDisabled, 2, 3, 3, 2},
        {true, OD::kDisabled, 2, 0, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int32_t(&c - cases));
        CWeldToggleButton b(8196, 30, 14);
        b.SetIcons(1, c.pressedIcon, c.disabledIcon);
        b.SetState(c.pressedLook);
        const DLxWeldDrawing d = b.DrawItem(c.itemState, false);
        EXPECT_EQ(d.image, c.icon);
        EXPECT_EQ(d.imageX, c.at);
        EXPECT_EQ(d.imageY, c.at);
    }
}

TEST(WeldComboBox, SelectsByIdAndDrawsItsPictures) {
    DLxWeldComboBox c(7576);
    EXPECT_EQ(c.GetSelectedId(), 0);
    EXPECT_EQ(c.DrawItem(-1, 0, 0, 0).image, 0u);
    c.AddEntry(&kPicture, 3);
    c.AddEntry(nullptr, 0);
    EXPECT_EQ(c.GetSelectedId(), 0);
    EXPECT_FALSE(c.SelectId(2));
    EXPECT_EQ(c.GetCurSel(), -1);
    EXPECT_TRUE(c.SelectId(3));
    EXPECT_EQ(c.GetSelectedId(), 3);

    const DLxWeldComboDrawing selected = c.DrawItem(0, 10, 32, OD::kSelected | OD::kFocus);
    EXPECT_EQ(selected.background, DLxWeldComboBox::kColorHighlight);
    EXPECT_EQ(selected.line, DLxWeldComboBox::kColorHighlightText);
    EXPECT_TRUE(selected.focusRect);
    EXPECT_TRUE(selected.inverted);
    EXPECT_EQ(selected.transparent, 0x000000u);
    EXPECT_EQ(selected.imageX, 15);
    EXPECT_EQ(selected.imageY, 32);

    const DLxWeldComboDrawing disabled = c.DrawItem(0, 0, 0, OD::kDisabled);
    EXPECT_EQ(disabled.background, DLxWeldComboBox::kColorDisabledBack);
    EXPECT_EQ(disabled.line, DLxWeldComboBox::kColorGrayText);
    EXPECT_FALSE(disabled.inverted);
    EXPECT_EQ(disabled.transparent, 0xFFFFFFu);
    EXPECT_EQ(c.DrawItem(0, 0, 0, 0).background, DLxWeldComboBox::kColorWindow);

    c.ResetContent();
    EXPECT_EQ(c.GetSelectedId(), 0);
    EXPECT_EQ(c.GetCount(), 0);
}

} // namespace
