#include "TestSupport.h"

namespace {

// E carries `message`, is caught as the base (and as itself), and keeps the message when copied.
template <class E>
void ExpectError(const std::wstring& message) {
    const E original;
    EXPECT_EQ(E(original).Message(), message);
    try {
        throw E();
    } catch (const CVyMathException& caught) {
        EXPECT_EQ(caught.Message(), message);
        EXPECT_EQ(CVyMathException(caught).Message(), message);
        EXPECT_NE(dynamic_cast<const E*>(&caught), nullptr);
    }
}

TEST(Exceptions, NestedStructsCarryExactMessagesAndAreCaughtAsTheBase) {
    ExpectError<CVyMathMat33::InvalidateIndex>(L"CVyMathMat33::operator(i,j) => out of range");
    ExpectError<CVyMathMat33::InvalidateDeterminant>(L"Determinant of matrix is nul");
    ExpectError<CVyMathTensorSym2D::NoSolution>(L"Determinant is null");
    ExpectError<CVyMathTensorSym2D::InvalidateData>(L"GetComponent : index out of range");
    ExpectError<CVyMathTensorSym2D::InvalidateBase>(L"Bases are differents");
    const CVyMathException wide(L"wide \u00e9 message");
    EXPECT_EQ(CVyMathException(wide).Message(), L"wide \u00e9 message");
}

} // namespace
