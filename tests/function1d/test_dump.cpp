#include "TestSupport.h"

namespace {

// The dump of f and the number of flushes it made.
std::pair<std::string, int> Dump(CVyMathFunction1D f) {
    SyncCounter buf;
    std::ostream os(&buf);
    EXPECT_EQ(&(os << f), &os);
    return {buf.str(), buf.syncs};
}

TEST(Dump, ExactBytesFlushesAndTheStreamsOwnFormatting) {
    EXPECT_EQ(Dump(MakeFunction({{0, 1}, {2, 3}}, 0, 2)),
              std::make_pair(std::string("\n\tLa fonction  [ \n\n\t\t\t   x= 0  and f(x)= 1, \n\t\t\t\t\n"
                                         "\n\t\t\t   x= 2  and f(x)= 3, \n\t\t\t\t\n\n\t\t\t ]\n"),
                             10));
    EXPECT_EQ(Dump(MakeFunction({}, 0, 1)), std::make_pair(std::string("\n\ttheVector is empty.\n"), 2));
    // The default function's sentinels are listed like any other point.
    EXPECT_EQ(Dump(CVyMathFunction1D()).first,
              "\n\tLa fonction  [ \n\n\t\t\t   x= -1.79769e+308  and f(x)= 0, \n\t\t\t\t\n"
              "\n\t\t\t   x= 1.79769e+308  and f(x)= 0, \n\t\t\t\t\n\n\t\t\t ]\n");

    // The stream's own formatting, left as it was.
    CVyMathFunction1D f = MakeFunction({{0.5, -1}}, 0, 1);
    std::ostringstream os;
    os.setf(std::ios::scientific | std::ios::showpos);
    os.precision(2);
    const auto flags = os.flags();
    os << f;
    EXPECT_EQ(os.str(),
              "\n\tLa fonction  [ \n\n\t\t\t   x= +5.00e-01  and f(x)= -1.00e+00, \n\t\t\t\t\n\n\t\t\t ]\n");
    EXPECT_EQ(os.flags(), flags);
    EXPECT_EQ(os.precision(), 2);
}

} // namespace
