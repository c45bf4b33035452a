// A context menu being built: entries found at any depth are removed and checked, insertions
// past the end append, and a menu resource no library holds adds nothing.
#include <gtest/gtest.h>

#include "fw/FWxMenuContext.h"

TEST(FWxMenuContext, EditsEntriesAtAnyDepth) {
    FWxMenuContext menu;
    menu.AppendItem(10, u"Ten");
    menu.AppendSeparator();
    menu.InsertEntry(0, FWxMenuEntry::Popup(u"Sub", {FWxMenuEntry::Item(20, u"Twenty"),
                                                     FWxMenuEntry::Item(21, u"Twenty-one")}));
    menu.InsertEntry(99, FWxMenuEntry::Item(30, u"Thirty"));
    ASSERT_EQ(menu.GetEntries().size(), 4u);
    EXPECT_EQ(menu.GetEntries()[0].kind, FWxMenuEntry::Kind::Popup);
    EXPECT_EQ(menu.GetEntries()[3].id, 30);

    EXPECT_TRUE(menu.CheckItem(21, true));
    ASSERT_NE(menu.FindItem(21), nullptr);
    EXPECT_TRUE(menu.FindItem(21)->checked);
    EXPECT_TRUE(menu.RemoveItem(20));
    EXPECT_EQ(menu.FindItem(20), nullptr);
    ASSERT_EQ(menu.GetEntries()[0].children.size(), 1u);
    // Separators and pop-ups carry id 0 and are never taken for an item.
    EXPECT_FALSE(menu.RemoveItem(0));
    EXPECT_FALSE(menu.CheckItem(99, true));
    EXPECT_EQ(menu.GetEntries().size(), 4u);
}

TEST(FWxMenuContext, AnUnknownMenuResourceAddsNothing) {
    FWxMenuContext menu;
    EXPECT_FALSE(menu.AppendMenuResource(987654, true, nullptr, true));
    EXPECT_FALSE(menu.AppendMenuResource(-1, true, nullptr, true));
    EXPECT_TRUE(menu.GetEntries().empty());
    EXPECT_TRUE(menu.GetAppendedResources().empty());
}
