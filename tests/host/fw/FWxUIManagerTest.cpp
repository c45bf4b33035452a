// Context-menu commands: registered by libraries as they load, refused on a taken id or name.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "fw/FWxUIManager.h"

namespace {

using Init = FWxUIManager::CtxMenuCommandInitializer;

// Ids far above those of any library linked into the tests.
constexpr int32_t kBase = 0x7FFF0000;

std::vector<int32_t> OurIds() {
    std::vector<int32_t> ids;
    for (const FWxUIManager::CtxMenuCommand& c : FWxUIManager::Get().GetCtxMenuCommands())
        if (c.id >= kBase) ids.push_back(c.id);
    return ids;
}

TEST(FWxUIManager, CommandsRegisterInOrderAndRefuseDuplicates) {
    FWxUIManager& mgr = FWxUIManager::Get();
    const size_t refusalsBefore = mgr.GetRefusals().size();
    {
        Init first(kBase + 3, "TstCtxFirst", 1);
        Init wide(kBase + 1, u"TstCtxWide\u00e9", 2);
        auto narrow = std::make_unique<Init>(kBase + 2, "TstCtxNarrow\xc3\xa9", 3);
        EXPECT_TRUE(first.IsRegistered() && wide.IsRegistered() && narrow->IsRegistered());
        EXPECT_EQ(OurIds(), (std::vector<int32_t>{kBase + 3, kBase + 1, kBase + 2}));

        const FWxUIManager::CtxMenuCommand* byId = mgr.FindCtxMenuCommand(kBase + 2);
        ASSERT_NE(byId, nullptr);
        EXPECT_EQ(byId->name, u"TstCtxNarrow\u00e9"); // narrow names are UTF-8
        EXPECT_EQ(byId->classification, 3);
        const FWxUIManager::CtxMenuCommand* byName = mgr.FindCtxMenuCommand(u"TstCtxWide\u00e9");
        ASSERT_NE(byName, nullptr);
        EXPECT_EQ(byName->id, kBase + 1);
        EXPECT_EQ(mgr.FindCtxMenuCommand(u"TstCtxNone"), nullptr);

        struct Case {
            int32_t id;
            const char* name;
            UTxResultCode code;
        };
        const Case refused[] = {
            {kBase + 3, "TstCtxOther", kFWxErrCtxMenuDuplicateId},
            {kBase + 9, "TstCtxFirst", kFWxErrCtxMenuDuplicateName},
            {kBase + 3, "TstCtxFirst", kFWxErrCtxMenuDuplicateId}, // the same row twice
        };
        for (const Case& c : refused) {
            Init dup(c.id, c.name, 1);
            EXPECT_FALSE(dup.IsRegistered()) << c.name;
            ASSERT_FALSE(mgr.GetRefusals().empty());
            EXPECT_EQ(mgr.GetRefusals().back().GetCode(), c.code) << c.name;
        }
        EXPECT_EQ(mgr.GetRefusals().size(), refusalsBefore + std::size(refused));
        EXPECT_NE(mgr.GetRefusals()[refusalsBefore].GetMessageUtf8().find("TstCtxOther"),
                  std::string::npos);
        // The refused ones took nothing with them.
        EXPECT_EQ(OurIds(), (std::vector<int32_t>{kBase + 3, kBase + 1, kBase + 2}));
        EXPECT_EQ(mgr.FindCtxMenuCommand(kBase + 3)->name, u"TstCtxFirst");

        // A command that leaves frees its id and name, and the others keep their order.
        narrow.reset();
        EXPECT_EQ(mgr.FindCtxMenuCommand(kBase + 2), nullptr);
        Init reused(kBase + 2, "TstCtxNarrow\xc3\xa9", 1);
        EXPECT_TRUE(reused.IsRegistered());
        EXPECT_EQ(OurIds(), (std::vector<int32_t>{kBase + 3, kBase + 1, kBase + 2}));
    }
    EXPECT_TRUE(OurIds().empty());
}

} // namespace
