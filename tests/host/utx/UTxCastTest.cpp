// UTx::Cast answers what dynamic_cast answers, however the questions of one pair of classes
// alternate between dynamic types, including a T that lies away from the start of the object.
#include <gtest/gtest.h>

#include "utx/UTxCast.h"

namespace {

struct Base {
    virtual ~Base() = default;
    int base = 0;
};
struct Leaf : Base {
    int leaf = 1;
};
struct Other : Base {};
// Mixed after a base of its own, so that a Mixin found from a Base is not at the Base's address.
struct Mixin {
    virtual ~Mixin() = default;
    double mixin = 2.0;
};
struct Joined : Base, Mixin {};
struct Deeper : Joined {};

TEST(UTxCast, AnswersAsDynamicCastWhateverTheOrderOfTypes) {
    Leaf leaf;
    Other other;
    Joined joined;
    Deeper deeper;
    Base plain;
    Base* const objects[] = {&leaf,   &other, &joined, &leaf,  &deeper, &plain,
                             &joined, &other, &deeper, &plain, &leaf,   &leaf};
    // Twice through, so that every type is asked about both first and when remembered.
    for (int round = 0; round < 2; ++round)
        for (Base* p : objects) {
            SCOPED_TRACE(typeid(*p).name());
            EXPECT_EQ(UTx::Cast<Leaf>(p), dynamic_cast<Leaf*>(p));
            EXPECT_EQ(UTx::Cast<Mixin>(p), dynamic_cast<Mixin*>(p));
            EXPECT_EQ(UTx::Cast<Joined>(p), dynamic_cast<Joined*>(p));
            const Base* constant = p;
            EXPECT_EQ(UTx::Cast<const Mixin>(constant), dynamic_cast<const Mixin*>(constant));
        }
    EXPECT_NE(static_cast<void*>(UTx::Cast<Mixin>(static_cast<Base*>(&deeper))),
              static_cast<void*>(static_cast<Base*>(&deeper)));
    EXPECT_EQ(UTx::Cast<Leaf>(static_cast<Base*>(nullptr)), nullptr);
}

} // namespace
