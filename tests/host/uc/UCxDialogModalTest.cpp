// A modal run of a host dialog: the runner plays the user and the first OK or Cancel decides
// the result; a runner that leaves the dialog open, or none at all, answers Cancel. The window
// exists only during the run.
#include <gtest/gtest.h>

#include <vector>

#include "uc/UCxDialog.h"


TEST(UCxDialogModal, TheFirstOkOrCancelDecidesTheResult) {
    const struct {
        const char* name;
        std::vector<int32_t> clicks;
        int32_t result;
    } cases[] = {
        {"OK", {UCxDialog::kIdOK}, UCxDialog::kIdOK},
        {"Cancel then OK", {UCxDialog::kIdCancel, UCxDialog::kIdOK}, UCxDialog::kIdCancel},
        {"left open", {}, UCxDialog::kIdCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool hadWindow = false;
        UCxDialog::SetModalRunner([&](UCxDialog& d) {
            hadWindow = d.HasWindow();
            for (int32_t id : c.clicks) d.ClickButton(id);
        });
        UCxDialog dialog(100, nullptr);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_TRUE(hadWindow);
        EXPECT_FALSE(dialog.HasWindow());
    }
    UCxDialog::SetModalRunner(nullptr);
    UCxDialog unanswered(100, nullptr);
    EXPECT_EQ(unanswered.DoModal(), UCxDialog::kIdCancel);
}
