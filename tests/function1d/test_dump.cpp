#include "TestAccess.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// A string buffer that counts flushes.
struct SyncCounter : std::stringbuf {
    int syncs = 0;
    int sync() override {
        ++syncs;
        return std::stringbuf::sync();
    }
};

int Lines(const std::string& s) {
    int n = 0;
    for (char c : s)
        n += c == '\n';
    return n;
}

TEST(Dump, EveryPointByteForByteWithAFlushAtEachNewline) {
    CVyMathFunction1D f = MakeFunction({{0, 1}, {2, 3}}, 0, 2);
    SyncCounter buf;
    std::ostream os(&buf);
    std::ostream& result = (os << f);
    EXPECT_EQ(&result, &os);
    const std::string expected = "\n"
                                 "\tLa fonction  [ \n"
                                 "\n"
                                 "\t\t\t   x= 0  and f(x)= 1, \n"
                                 "\t\t\t\t\n"
                                 "\n"
                                 "\t\t\t   x= 2  and f(x)= 3, \n"
                                 "\t\t\t\t\n"
                                 "\n"
                                 "\t\t\t ]\n";
    EXPECT_EQ(buf.str(), expected);
    EXPECT_EQ(Lines(buf.str()), 10);
    EXPECT_EQ(buf.syncs, 10);
}

TEST(Dump, EmptyFunction) {
    CVyMathFunction1D f = MakeFunction({}, 0, 1);
    SyncCounter buf;
    std::ostream os(&buf);
    os << f;
    EXPECT_EQ(buf.str(), "\n\ttheVector is empty.\n");
    EXPECT_EQ(buf.syncs, 2);
}

TEST(Dump, UsesTheStreamsFormattingAndLeavesItUnchanged) {
    CVyMathFunction1D f = MakeFunction({{0.5, -1}}, 0, 1);
    std::ostringstream os;
    os.setf(std::ios::scientific | std::ios::showpos);
    os.precision(2);
    const auto flags = os.flags();
    os << f;
    EXPECT_NE(os.str().find("\n\t\t\t   x= +5.00e-01  and f(x)= -1.00e+00, \n"), std::string::npos);
    EXPECT_EQ(os.flags(), flags);
    EXPECT_EQ(os.precision(), 2);
    EXPECT_EQ(Lines(os.str()), 7);

    // The default function's sentinels are listed like any other point.
    CVyMathFunction1D zero;
    std::ostringstream plain;
    plain << zero;
    EXPECT_NE(plain.str().find("\n\t\t\t   x= -1.79769e+308  and f(x)= 0, \n\t\t\t\t\n"), std::string::npos);
    EXPECT_NE(plain.str().find("\n\t\t\t   x= 1.79769e+308  and f(x)= 0, \n"), std::string::npos);
    EXPECT_EQ(Lines(plain.str()), 10);
}

} // namespace
