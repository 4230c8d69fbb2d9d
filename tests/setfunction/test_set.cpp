#include "TestAccess.h"

#include <gtest/gtest.h>

namespace {

using F = CVyMathFunction1D;
using Set = CVyMathSetFunction1D;

// A function on [a, b] with one interior point, so that functions differ in value.
F Line(double a, double b, double y) {
    F f(a, b, 0);
    f.Set((a + b) / 2, y);
    return f;
}

std::vector<F*> Members(const Set& s) {
    std::vector<F*> out;
    for (int i = 0; i < s.GetNumber(); ++i)
        out.push_back(s.GetElem(i));
    return out;
}

TEST(SetContainer, NewSetIsEmpty) {
    Set s;
    EXPECT_EQ(s.GetNumber(), 0);
    double a = 1, b = 1;
    s.GetFullRange(a, b);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(b, 0.0);
    EXPECT_EQ(s.GetXtolerance(), 1e-5);
    EXPECT_EQ(s.GetYtolerance(), 1e-5);
    EXPECT_EQ(s.GetFirstElem(), nullptr);
    EXPECT_EQ(s.GetNextFunction(), nullptr);
    EXPECT_EQ(s.GetPreviousFunction(), nullptr);
    EXPECT_EQ(s.GetCurrentFunction(), nullptr);
    EXPECT_EQ(s.GetElem(0), nullptr);
}

TEST(SetContainer, RangeWidensBeyondEachFunctionsToleranceOnly) {
    F f1 = Line(0, 10, 1), f2 = Line(-5, 5, 2), f3 = Line(-5.000001, 12, 3);
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    double a, b;
    s.GetFullRange(a, b);
    EXPECT_EQ(a, -5);
    EXPECT_EQ(b, 10);
    s.AddFunction(&f3);
    s.GetFullRange(a, b);
    EXPECT_EQ(a, -5);
    EXPECT_EQ(b, 12);
    // Removing members never shrinks the range; neither does emptying the set.
    s.RemoveFunction(&f3);
    s.RemoveAllFunctions();
    EXPECT_EQ(s.GetNumber(), 0);
    s.GetFullRange(a, b);
    EXPECT_EQ(b, 12);
    // The first function added to an empty set sets the range afresh.
    s.AddFunction(&f1);
    s.GetFullRange(a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 10);
}

TEST(SetContainer, MembershipIsByValue) {
    F f1 = Line(0, 10, 1), f2 = Line(0, 10, 2);
    F twin(f1); // another object, equal in value
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    s.AddFunction(&twin);
    EXPECT_EQ(s.GetNumber(), 2);
    EXPECT_EQ(s.GetCurrentFunction(), &f1); // the cursor goes to the equal member
    EXPECT_TRUE(s.FindFunction(&twin));
    F other = Line(0, 10, 3);
    EXPECT_FALSE(s.FindFunction(&other));
    s.RemoveFunction(&twin); // removes f1, the member equal to it
    EXPECT_EQ(Members(s), std::vector<F*>{&f2});
    // A function whose points are a prefix of a member's is another function, and the other way round.
    F prefix = MakeFunction({{0, 0}, {5, 2}}, 0, 10);
    EXPECT_FALSE(s.FindFunction(&prefix));
    Set p;
    p.AddFunction(&prefix);
    EXPECT_FALSE(p.FindFunction(&f2));
}

TEST(SetContainer, CursorWalk) {
    F f1 = Line(0, 1, 1), f2 = Line(0, 1, 2), f3 = Line(0, 1, 3);
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    s.AddFunction(&f3);
    EXPECT_EQ(s.GetCurrentFunction(), nullptr); // adding leaves the cursor at the end
    EXPECT_EQ(s.GetNextFunction(), &f3);        // from the end onto the last member
    EXPECT_EQ(s.GetFirstElem(), &f1);
    EXPECT_EQ(s.GetNextFunction(), &f2);
    EXPECT_EQ(s.GetNextFunction(), &f3);
    EXPECT_EQ(s.GetNextFunction(), nullptr);
    EXPECT_EQ(s.GetNextFunction(), &f3);
    EXPECT_EQ(s.GetPreviousFunction(), &f2);
    EXPECT_EQ(s.GetPreviousFunction(), &f1);
    EXPECT_EQ(s.GetPreviousFunction(), nullptr); // from the first member to the end
    EXPECT_EQ(s.GetCurrentFunction(), nullptr);
    EXPECT_EQ(s.GetPreviousFunction(), nullptr); // at the end it stays
    EXPECT_EQ(s.GetCurrentFunction(), nullptr);
    s.SetCurrentFunction(&f2);
    EXPECT_EQ(s.GetCurrentFunction(), &f2);
    F stranger = Line(0, 1, 9);
    s.SetCurrentFunction(&stranger);
    EXPECT_EQ(s.GetCurrentFunction(), nullptr);
}

TEST(SetContainer, AddingMovesACursorOnAMemberForward) {
    F f1 = Line(0, 1, 1), f2 = Line(0, 1, 2), f3 = Line(0, 1, 3);
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    s.GetFirstElem();
    s.AddFunction(&f3);
    EXPECT_EQ(s.GetCurrentFunction(), &f2);
    s.GetNextFunction(); // on f3, the last member
    F f4 = Line(0, 1, 4);
    s.AddFunction(&f4);
    EXPECT_EQ(s.GetCurrentFunction(), &f4);
}

TEST(SetContainer, ElementsByPositionAndRemoval) {
    F f1 = Line(0, 10, 1), f2 = Line(-5, 20, 2);
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    EXPECT_EQ(s.GetElem(-1), nullptr);
    EXPECT_EQ(s.GetElem(2), nullptr);
    EXPECT_EQ(s.GetElem(0), &f1);
    s.RemoveFunction(&f1);
    EXPECT_EQ(s.GetCurrentFunction(), &f2);
    double a, b;
    s.GetFullRange(a, b);
    EXPECT_EQ(a, -5);
    EXPECT_EQ(b, 20);
    s.RemoveFunction(&f2);
    EXPECT_EQ(s.GetCurrentFunction(), nullptr);
}

TEST(SetContainer, GetFunctionLeavesTheLastMemberTried) {
    F f1 = Line(0, 10, 1), f2 = Line(0, 10, 2);
    Set s;
    F* out = nullptr;
    EXPECT_FALSE(s.GetFunction(5, 2, &out));
    EXPECT_EQ(out, nullptr);
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    EXPECT_TRUE(s.GetFunction(5, 1, &out));
    EXPECT_EQ(out, &f1);
    EXPECT_TRUE(s.GetFunction(0, 0, &out)); // both pass through (0, 0): the first member wins
    EXPECT_EQ(out, &f1);
    EXPECT_TRUE(s.GetFunction(5, 2 + 5e-11, &out));
    EXPECT_EQ(out, &f2);
    EXPECT_FALSE(s.GetFunction(5, 2 + 2e-10, &out));
    EXPECT_EQ(out, &f2);
    EXPECT_FALSE(s.GetFunction(50, 0, &out)); // outside every domain
    EXPECT_TRUE(s.GetFunction(5, 2, nullptr));
}

TEST(SetContainer, TolerancesAreTheLargestOfTheMembers) {
    F f1 = Line(0, 1, 1), f2 = Line(0, 1, 2), f3 = Line(0, 1, 3);
    f1.SetXtolerance(1e-3);
    f2.SetXtolerance(1e-3 + 5e-11); // within 1e-10: does not count as larger
    f3.SetYtolerance(0.5);
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    s.AddFunction(&f3);
    EXPECT_EQ(s.GetXtolerance(), 1e-3);
    EXPECT_EQ(s.GetYtolerance(), 0.5);
}

TEST(SetContainer, AssignmentAddsToTheMembersAlreadyThere) {
    F f1 = Line(0, 10, 1), f2 = Line(0, 10, 2), f3 = Line(-3, 4, 3);
    Set s, t;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    t.AddFunction(&f3);
    t.AddFunction(&f1);
    const Set& r = (s = t);
    EXPECT_EQ(&r, &s);
    EXPECT_EQ(Members(s), (std::vector<F*>{&f1, &f2, &f3}));
    EXPECT_EQ(s.GetCurrentFunction(), &f1); // cursor on the first member
    double a, b;
    s.GetFullRange(a, b); // t's range, widened by each function added
    EXPECT_EQ(a, -3);
    EXPECT_EQ(b, 10);
    s = s;
    EXPECT_EQ(s.GetNumber(), 3);
    Set copy(s);
    EXPECT_EQ(Members(copy), Members(s));
}

TEST(SetContainer, EqualityByPointersOrderAndExactRange) {
    F f1 = Line(0, 10, 1), f2 = Line(0, 10, 2);
    F twin(f1);
    Set s, t, u;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    t.AddFunction(&f2);
    t.AddFunction(&f1);
    u.AddFunction(&twin);
    u.AddFunction(&f2);
    EXPECT_TRUE(s == s);
    EXPECT_FALSE(s == t); // other order
    EXPECT_FALSE(s == u); // other pointer, equal in value
    // A member whose domain changed after it was added: the copy's range is recomputed, this one's not.
    f2.SetDomain(0, 8);
    EXPECT_TRUE(s == s);
    f1.SetDomain(0, 8);
    EXPECT_FALSE(s == s);
}

TEST(SetContainer, NullPointersAreRefused) {
    F f1 = Line(0, 10, 1);
    Set s;
    s.AddFunction(nullptr);
    EXPECT_EQ(s.GetNumber(), 0);
    s.AddFunction(&f1);
    s.GetFirstElem();
    EXPECT_FALSE(s.FindFunction(nullptr));
    s.RemoveFunction(nullptr);
    s.SetCurrentFunction(nullptr);
    EXPECT_EQ(s.GetNumber(), 1);
    EXPECT_EQ(s.GetCurrentFunction(), &f1);
}

} // namespace
