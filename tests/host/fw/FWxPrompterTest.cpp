// Prompters: found by name while they exist; each keeps the text it shows.
#include <gtest/gtest.h>

#include "fw/FWxPrompter.h"

namespace {

TEST(FWxPrompter, RegisteredByNameKeepingTheLastPrompt) {
    {
        FWxPrompter weld(u"TstWeldPrompter");
        FWxPrompter note(u"TstNotePrompter");
        ASSERT_EQ(FWxPrompter::Find(u"TstWeldPrompter"), &weld);
        ASSERT_EQ(FWxPrompter::Find(u"TstNotePrompter"), &note);
        EXPECT_EQ(FWxPrompter::Find(u"TstNone"), nullptr);

        EXPECT_EQ(weld.GetPrompt(), u"");
        weld.SetPrompt(u"Pick a weld bead");
        weld.SetPrompt(u"Pick the arrow side");
        EXPECT_EQ(FWxPrompter::Find(u"TstWeldPrompter")->GetPrompt(), u"Pick the arrow side");
        EXPECT_EQ(note.GetPrompt(), u"");
        weld.Clear();
        EXPECT_EQ(weld.GetPrompt(), u"");

        {
            FWxPrompter again(u"TstWeldPrompter");
            EXPECT_FALSE(again.IsRegistered());
        }
        EXPECT_EQ(FWxPrompter::Find(u"TstWeldPrompter"), &weld);
    }
    EXPECT_EQ(FWxPrompter::Find(u"TstWeldPrompter"), nullptr);
}

} // namespace
