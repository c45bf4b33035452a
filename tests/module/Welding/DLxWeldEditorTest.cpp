// A double-click on a weld symbol posts the host's weld edit command once and changes nothing;
// on anything else the weld editor declines.
#include <gtest/gtest.h>

#include <vector>

#include "Leader/DLxWeldEditor.h"
#include "WeldTestDoc.h"

using namespace weldtest;

TEST(WeldEditor, PostsTheEditCommandForAWeldSymbolOnly) {
    WeldDoc d;
    ASSERT_FALSE(d.Create().Failed());
    const std::vector<uint8_t> before = d.Bytes();

    DLxWeldEditor onView(RSeRef<DLxViewInstance>(d.view), nullptr);
    EXPECT_FALSE(onView.StartDialog());
    EXPECT_TRUE(d.doc->GetPostedCommands().empty());

    DLxWeldEditor editor(RSeRef<DLxWeldInstance>(d.Weld()), nullptr);
    EXPECT_TRUE(editor.StartDialog());
    EXPECT_EQ(d.doc->GetPostedCommands(), std::vector<int32_t>{DLxWeldEditor::kEditCommand});
    EXPECT_EQ(editor.GetClonedInstance(), nullptr);
    EXPECT_EQ(d.Bytes(), before);
}
