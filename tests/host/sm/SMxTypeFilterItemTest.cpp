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

TEST(SMxTypeFilterItem, OwnerKeepsTheLastReference) {
    bool destroyed = false;
    auto* filter = new CountedFilter(-7, destroyed);
    EXPECT_EQ(filter->GetRefCount(), 1); // the creator's
    EXPECT_EQ(filter->GetType(), -7);

    const SMxTypeFilterItem* owner = filter; // as an owner would hold it
    owner->AddRef();
    EXPECT_EQ(filter->Release(), 1); // the creator lets go
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(owner->GetRefCount(), 1);
    EXPECT_EQ(owner->GetFilterName(), "CountedFilter");

    EXPECT_EQ(owner->Release(), 0);
    EXPECT_TRUE(destroyed);
}

TEST(SMxTypeFilterItem, BaseNameForDiagnostics) {
    auto* filter = new SMxTypeFilterItem(0x7FFFFFFF);
    EXPECT_EQ(filter->GetFilterName(), "SMxTypeFilterItem");
    EXPECT_EQ(filter->GetType(), 0x7FFFFFFF);
    filter->Release();
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
