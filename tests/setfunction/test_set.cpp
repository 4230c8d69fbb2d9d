#include "TestSupport.h"

namespace {

using Set = CVyMathSetFunction1D;
using Ptrs = std::vector<F*>;
using St = std::tuple<Ptrs, P, F*>; // members in order, recorded range, member under the cursor

// A function on [a, b] with one interior point, so that functions differ in value.
auto L = [](double a, double b, double y) { return MakeFunction({{a, 0}, {(a + b) / 2, y}, {b, 0}}, a, b); };

// The members met, as their numbers (the middle ordinate), '-' for none.
std::string Trail(std::initializer_list<F*> fs) {
    std::string t;
    for (F* f : fs)
        t += f ? char('0' + PointsOf(*f)[1].second) : '-';
    return t;
}

St State(Set& s) {
    St st{{}, {1, 1}, s.GetCurrentFunction()};
    for (int i = 0; i < s.GetNumber(); ++i)
        std::get<0>(st).push_back(s.GetElem(i));
    s.GetFullRange(std::get<1>(st).first, std::get<1>(st).second);
    return st;
}

Set Of(const Ptrs& fs) {
    Set s;
    for (F* f : fs)
        s.AddFunction(f);
    return s;
}

TEST(SetContainer, EmptySetAndTolerances) {
    Set e;
    F f1 = L(0, 1, 1), f2 = L(0, 1, 2), f3 = L(0, 1, 3);
    f1.SetXtolerance(1e-3);
    f2.SetXtolerance(1e-3 + 5e-11); // within 1e-10: does not count as larger
    f3.SetYtolerance(0.5);
    Set s = Of({&f1, &f2, &f3});
    EXPECT_EQ(State(e), St({}, P(0, 0), nullptr));
    EXPECT_EQ(Trail({e.GetFirstElem(), e.GetNextFunction(), e.GetPreviousFunction()}), "---");
    // The largest member tolerances; 1e-5 for an empty set.
    EXPECT_EQ(std::make_tuple(e.GetXtolerance(), e.GetYtolerance(), s.GetXtolerance(), s.GetYtolerance()),
              std::make_tuple(1e-5, 1e-5, 1e-3, 0.5));
}

TEST(SetContainer, RangeWidensBeyondEachFunctionsToleranceOnly) {
    F f1 = L(0, 10, 1), f2 = L(-5, 5, 2), f3 = L(-5.000001, 12, 3);
    Set s = Of({&f1, &f2, &f3});
    s.RemoveFunction(&f1); // removal never shrinks the range; the cursor goes to the next member
    EXPECT_EQ(State(s), St({&f2, &f3}, P(-5, 12), &f2));
    s.RemoveAllFunctions();
    EXPECT_EQ(State(s), St({}, P(-5, 12), nullptr));
    s.AddFunction(&f1); // the first function added to an empty set sets it afresh
    EXPECT_EQ(std::get<1>(State(s)), P(0, 10));
}

TEST(SetContainer, MembershipIsByValue) {
    F f1 = L(0, 10, 1), f2 = L(0, 10, 2), twin(f1), prefix = MakeFunction({{0, 0}, {5, 2}}, 0, 10);
    Set s = Of({&f1, &f2, &twin});
    s.AddFunction(nullptr); // null pointers are refused without effect
    s.RemoveFunction(nullptr);
    s.SetCurrentFunction(nullptr);
    EXPECT_EQ(State(s), St({&f1, &f2}, P(0, 10), &f1)); // the cursor goes to the equal member
    s.RemoveFunction(&twin);                            // removes f1, the member equal to it
    EXPECT_EQ(std::get<0>(State(s)), Ptrs{&f2});
    // A function whose points are a prefix of a member's is another function, both ways.
    EXPECT_FALSE(s.FindFunction(&prefix) || Of({&prefix}).FindFunction(&f2) || s.FindFunction(nullptr));
}

TEST(SetContainer, CursorWalk) {
    F f1 = L(0, 1, 1), f2 = L(0, 1, 2), f3 = L(0, 1, 3), f4 = L(0, 1, 4), stranger = L(0, 1, 9);
    Set s = Of({&f1, &f2, &f3});
    // Current, next from the end (the last), first, next up to the end and beyond (the last again),
    // previous down to the start, current there, previous from the start.
    EXPECT_EQ(Trail({s.GetCurrentFunction(), s.GetNextFunction(), s.GetFirstElem(), s.GetNextFunction(),
                     s.GetNextFunction(), s.GetNextFunction(), s.GetNextFunction(), s.GetPreviousFunction(),
                     s.GetPreviousFunction(), s.GetPreviousFunction(), s.GetCurrentFunction(),
                     s.GetPreviousFunction()}),
              "-3123-321---");
    s.SetCurrentFunction(&f2);
    s.SetCurrentFunction(&stranger); // from a member to the end
    EXPECT_EQ(s.GetCurrentFunction(), nullptr);
    s.GetNextFunction();
    s.AddFunction(&f4); // a cursor on a member moves one forward, here onto the new one
    EXPECT_EQ(Trail({s.GetCurrentFunction(), s.GetElem(-1), s.GetElem(4), s.GetElem(0)}), "4--1");
}

TEST(SetContainer, GetFunctionLeavesTheLastMemberTried) {
    F f1 = L(0, 10, 1), f2 = L(0, 10, 2), *out = nullptr;
    EXPECT_FALSE(Set().GetFunction(5, 2, &out) || out);
    const Set s = Of({&f1, &f2});
    // Both pass at (0, 0): the first wins. Within 1e-10 (5e-11) or not (2e-10).
    const std::tuple<double, double, bool, F*> cases[] = {
        {0, 0, true, &f1}, {5, 2 + 5e-11, true, &f2}, {5, 2 + 2e-10, false, &f2}, {50, 0, false, &f2}};
    for (const auto& [x, y, found, last] : cases) {
        EXPECT_EQ(s.GetFunction(x, y, &out), found) << x << ", " << y;
        EXPECT_EQ(out, last) << x << ", " << y;
    }
    EXPECT_TRUE(s.GetFunction(5, 2, nullptr));
}

TEST(SetContainer, AssignmentAddsAndEqualityComparesPointers) {
    F f1 = L(0, 10, 1), f2 = L(0, 10, 2), f3 = L(-3, 4, 3), twin(f1);
    Set s = Of({&f1, &f2}), t = Of({&f3, &f1}), a = Of({&f1, &f2}), b = Of({&f2, &f1}), c = Of({&twin, &f2});
    s = t; // not emptied first, duplicates skipped, t's range widened by each function added
    Set copy(s);
    EXPECT_EQ(State(s), St({&f1, &f2, &f3}, P(-3, 10), &f1));
    EXPECT_EQ(State(copy), State(s));
    EXPECT_TRUE(a == a && !(a == b) && !(a == c)); // other order; other pointer, equal in value
    // A member's domain changed after it was added: the copy's range is recomputed, this one's not.
    f2.SetDomain(0, 8);
    EXPECT_TRUE(a == a);
    f1.SetDomain(0, 8);
    EXPECT_FALSE(a == a);
}

} // namespace
