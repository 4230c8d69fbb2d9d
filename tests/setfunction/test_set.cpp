#include "TestAccess.h"

#include <gtest/gtest.h>

namespace {

using F = CVyMathFunction1D;
using Set = CVyMathSetFunction1D;
using Ptrs = std::vector<F*>;
using P = std::pair<double, double>;

// A function on [a, b] with one interior point, so that functions differ in value.
F Line(double a, double b, double y) {
    F f(a, b, 0);
    f.Set((a + b) / 2, y);
    return f;
}

Ptrs Members(const Set& s) {
    Ptrs out;
    for (int i = 0; i < s.GetNumber(); ++i)
        out.push_back(s.GetElem(i));
    return out;
}

P Range(Set& s) {
    double a = 1, b = 1;
    s.GetFullRange(a, b);
    return {a, b};
}

Set Of(const Ptrs& fs) {
    Set s;
    for (F* f : fs)
        s.AddFunction(f);
    return s;
}

TEST(SetContainer, NewSetAndNullPointers) {
    Set s;
    EXPECT_EQ(s.GetNumber(), 0);
    EXPECT_EQ(Range(s), P(0, 0));
    EXPECT_EQ(s.GetXtolerance(), 1e-5);
    EXPECT_EQ(s.GetYtolerance(), 1e-5);
    EXPECT_EQ(Ptrs({s.GetFirstElem(), s.GetNextFunction(), s.GetPreviousFunction(), s.GetCurrentFunction(),
                    s.GetElem(0)}),
              Ptrs(5, nullptr));
    F f1 = Line(0, 10, 1);
    s.AddFunction(nullptr);
    s.AddFunction(&f1);
    s.GetFirstElem();
    EXPECT_FALSE(s.FindFunction(nullptr));
    s.RemoveFunction(nullptr);
    s.SetCurrentFunction(nullptr);
    EXPECT_EQ(Members(s), Ptrs{&f1});
    EXPECT_EQ(s.GetCurrentFunction(), &f1);
}

TEST(SetContainer, RangeWidensBeyondEachFunctionsToleranceOnly) {
    F f1 = Line(0, 10, 1), f2 = Line(-5, 5, 2), f3 = Line(-5.000001, 12, 3);
    Set s = Of({&f1, &f2});
    EXPECT_EQ(Range(s), P(-5, 10));
    s.AddFunction(&f3);
    EXPECT_EQ(Range(s), P(-5, 12));
    s.RemoveFunction(&f1); // removal never shrinks the range; the cursor goes to the next member
    EXPECT_EQ(s.GetCurrentFunction(), &f2);
    s.RemoveAllFunctions();
    EXPECT_EQ(Range(s), P(-5, 12));
    s.AddFunction(&f1); // the first function added to an empty set sets it afresh
    EXPECT_EQ(Range(s), P(0, 10));
}

TEST(SetContainer, MembershipIsByValue) {
    F f1 = Line(0, 10, 1), f2 = Line(0, 10, 2), twin(f1), other = Line(0, 10, 3);
    Set s = Of({&f1, &f2, &twin});
    EXPECT_EQ(s.GetNumber(), 2);
    EXPECT_EQ(s.GetCurrentFunction(), &f1); // the cursor goes to the equal member
    EXPECT_TRUE(s.FindFunction(&twin));
    EXPECT_FALSE(s.FindFunction(&other));
    s.RemoveFunction(&twin); // removes f1, the member equal to it
    EXPECT_EQ(Members(s), Ptrs{&f2});
    // A function whose points are a prefix of a member's is another function, both ways.
    F prefix = MakeFunction({{0, 0}, {5, 2}}, 0, 10);
    EXPECT_FALSE(s.FindFunction(&prefix));
    EXPECT_FALSE(Of({&prefix}).FindFunction(&f2));
}

TEST(SetContainer, CursorWalk) {
    F f1 = Line(0, 1, 1), f2 = Line(0, 1, 2), f3 = Line(0, 1, 3), f4 = Line(0, 1, 4),
      stranger = Line(0, 1, 9);
    Set s = Of({&f1, &f2, &f3});
    EXPECT_EQ(s.GetCurrentFunction(), nullptr); // adding leaves the cursor at the end
    const Ptrs walk = {s.GetNextFunction(),     s.GetFirstElem(),        s.GetNextFunction(),
                       s.GetNextFunction(),     s.GetNextFunction(),     s.GetNextFunction(),
                       s.GetPreviousFunction(), s.GetPreviousFunction(), s.GetPreviousFunction(),
                       s.GetCurrentFunction(),  s.GetPreviousFunction(), s.GetCurrentFunction()};
    EXPECT_EQ(walk, (Ptrs{&f3, &f1, &f2, &f3, nullptr, &f3, &f2, &f1, nullptr, nullptr, nullptr, nullptr}));
    s.SetCurrentFunction(&f2);
    EXPECT_EQ(s.GetCurrentFunction(), &f2);
    s.SetCurrentFunction(&stranger);
    EXPECT_EQ(s.GetCurrentFunction(), nullptr);
    // Adding moves a cursor on a member one forward (from the last member onto the new one).
    s.GetFirstElem();
    s.RemoveFunction(&f3);
    s.GetFirstElem();
    s.AddFunction(&f3);
    EXPECT_EQ(s.GetCurrentFunction(), &f2);
    s.GetNextFunction();
    s.AddFunction(&f4);
    EXPECT_EQ(s.GetCurrentFunction(), &f4);
    EXPECT_EQ(Ptrs({s.GetElem(-1), s.GetElem(4), s.GetElem(0)}), (Ptrs{nullptr, nullptr, &f1}));
}

TEST(SetContainer, GetFunctionLeavesTheLastMemberTried) {
    F f1 = Line(0, 10, 1), f2 = Line(0, 10, 2);
    Set s;
    F* out = nullptr;
    EXPECT_FALSE(s.GetFunction(5, 2, &out));
    EXPECT_EQ(out, nullptr);
    s = Of({&f1, &f2});
    const struct {
        double x, y;
        bool found;
        F* out;
    } cases[] = {{5, 1, true, &f1},
                 {0, 0, true, &f1}, // both pass: the first wins
                 {5, 2 + 5e-11, true, &f2},
                 {5, 2 + 2e-10, false, &f2},
                 {50, 0, false, &f2}};
    for (const auto& c : cases) {
        EXPECT_EQ(s.GetFunction(c.x, c.y, &out), c.found) << c.x << " " << c.y;
        EXPECT_EQ(out, c.out);
    }
    EXPECT_TRUE(s.GetFunction(5, 2, nullptr));
}

TEST(SetContainer, TolerancesAreTheLargestOfTheMembers) {
    F f1 = Line(0, 1, 1), f2 = Line(0, 1, 2), f3 = Line(0, 1, 3);
    f1.SetXtolerance(1e-3);
    f2.SetXtolerance(1e-3 + 5e-11); // within 1e-10: does not count as larger
    f3.SetYtolerance(0.5);
    Set s = Of({&f1, &f2, &f3});
    EXPECT_EQ(s.GetXtolerance(), 1e-3);
    EXPECT_EQ(s.GetYtolerance(), 0.5);
}

TEST(SetContainer, AssignmentAddsAndEqualityComparesPointers) {
    F f1 = Line(0, 10, 1), f2 = Line(0, 10, 2), f3 = Line(-3, 4, 3), twin(f1);
    Set s = Of({&f1, &f2}), t = Of({&f3, &f1});
    EXPECT_EQ(&(s = t), &s);
    EXPECT_EQ(Members(s), (Ptrs{&f1, &f2, &f3}));
    EXPECT_EQ(s.GetCurrentFunction(), &f1); // cursor on the first member
    EXPECT_EQ(Range(s), P(-3, 10));         // t's range, widened by each function added
    s = s;
    EXPECT_EQ(Members(Set(s)), Members(s));
    Set a = Of({&f1, &f2}), b = Of({&f2, &f1}), c = Of({&twin, &f2});
    EXPECT_TRUE(a == a);
    EXPECT_FALSE(a == b); // other order
    EXPECT_FALSE(a == c); // other pointer, equal in value
    // A member's domain changed after it was added: the copy's range is recomputed, this one's not.
    f2.SetDomain(0, 8);
    EXPECT_TRUE(a == a);
    f1.SetDomain(0, 8);
    EXPECT_FALSE(a == a);
}

} // namespace
