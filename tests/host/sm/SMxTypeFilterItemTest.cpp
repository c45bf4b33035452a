#include "sm/SMxTypeFilterItem.h"
#include "ge/WqGePoint3d.h"
#include "sm/SMxManipulator.h"

#include <gtest/gtest.h>

namespace {

class CountedFilter : public SMxTypeFilterItem {
public:
    CountedFilter(int32_t type, bool& destroyed) : SMxTypeFilterItem(type), mDestroyed(destroyed) {}
    ~CountedFilter() override { mDestroyed = true; }
    std::string GetFilterName() const override { return "CountedFilter"; }

private:
    bool& mDestroyed;
};

TEST(SMxTypeFilterItem, TheLastOwnerDeletesIt) {
    bool destroyed = false;
    SmartPtr<SMxTypeFilterItem> kept;
    {
        SmartPtr<SMxTypeFilterItem> wrapper(new CountedFilter(-7, destroyed));
        kept = wrapper; // as a select command keeps it
        EXPECT_EQ(kept->GetRefCount(), 2);
    }
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(kept->GetRefCount(), 1);
    EXPECT_EQ(kept->GetType(), -7);
    EXPECT_EQ(kept->GetFilterName(), "CountedFilter");
    kept.reset();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(SmartPtr<SMxTypeFilterItem>(new SMxTypeFilterItem(1))->GetFilterName(),
              "SMxTypeFilterItem");
}

TEST(SMxManipulator, DefaultHooksAcceptEveryStep) {
    SMxManipulator manipulator;
    const WqGePoint3d p{1, 2, 3};
    EXPECT_TRUE(manipulator.StartDrag(p));
    EXPECT_TRUE(manipulator.Drag(p));
    EXPECT_TRUE(manipulator.EndDrag(p));
    manipulator.CancelDrag();
    EXPECT_EQ(manipulator.GetManipulatorName(), "SMxManipulator");
}

} // namespace
