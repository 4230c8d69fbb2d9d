#include "vymath/CVyMathException.h"
#include "vymath/CVyMathFunction2D.h"
#include "vymath/CVyMathMat33.h"
#include "vymath/CVyMathTensorSym2D.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Throws e by value and returns the message seen by a handler for the base type.
template <class E>
std::wstring CaughtAsBase(const E& e) {
    try {
        throw E(e);
    } catch (const CVyMathException& caught) {
        return caught.Message();
    }
    return L"not caught";
}

TEST(Exceptions, NestedStructsCarryTheirExactMessages) {
    EXPECT_EQ(CVyMathMat33::InvalidateIndex().Message(), L"CVyMathMat33::operator(i,j) => out of range");
    EXPECT_EQ(CVyMathMat33::InvalidateDeterminant().Message(), L"Determinant of matrix is nul");
    EXPECT_EQ(CVyMathTensorSym2D::NoSolution().Message(), L"Determinant is null");
    EXPECT_EQ(CVyMathTensorSym2D::InvalidateData().Message(), L"GetComponent : index out of range");
    EXPECT_EQ(CVyMathTensorSym2D::InvalidateBase().Message(), L"Bases are differents");
}

TEST(Exceptions, EachNestedStructIsCaughtAsTheBase) {
    EXPECT_EQ(CaughtAsBase(CVyMathMat33::InvalidateIndex()), L"CVyMathMat33::operator(i,j) => out of range");
    EXPECT_EQ(CaughtAsBase(CVyMathMat33::InvalidateDeterminant()), L"Determinant of matrix is nul");
    EXPECT_EQ(CaughtAsBase(CVyMathTensorSym2D::NoSolution()), L"Determinant is null");
    EXPECT_EQ(CaughtAsBase(CVyMathTensorSym2D::InvalidateData()), L"GetComponent : index out of range");
    EXPECT_EQ(CaughtAsBase(CVyMathTensorSym2D::InvalidateBase()), L"Bases are differents");

    // Thrown by the library itself and caught by type across the library boundary.
    CVyMathMat33 m;
    EXPECT_THROW(m.GetMat(3, 0), CVyMathMat33::InvalidateIndex);
    CVyMathTensorSym2D t;
    try {
        t.GetComponent(6);
        ADD_FAILURE() << "no exception";
    } catch (const CVyMathException& e) {
        EXPECT_EQ(e.Message(), L"GetComponent : index out of range");
        EXPECT_NE(dynamic_cast<const CVyMathTensorSym2D::InvalidateData*>(&e), nullptr);
    }
}

TEST(Exceptions, CopiesKeepTheMessage) {
    const CVyMathException original(L"wide \u00e9 message");
    const CVyMathException copy(original);
    EXPECT_EQ(copy.Message(), L"wide \u00e9 message");
    EXPECT_EQ(original.Message(), copy.Message());

    // A by-value copy of the caught base keeps the nested struct's message.
    try {
        throw CVyMathTensorSym2D::InvalidateBase();
    } catch (const CVyMathException& caught) {
        const CVyMathException byValue(caught);
        EXPECT_EQ(byValue.Message(), L"Bases are differents");
    }
    const CVyMathTensorSym2D::NoSolution nested;
    const CVyMathTensorSym2D::NoSolution nestedCopy(nested);
    EXPECT_EQ(nestedCopy.Message(), L"Determinant is null");
}

TEST(Function2D, AssignmentReturnsTheLeftOperand) {
    CVyMathFunction2D a;
    const CVyMathFunction2D b(a);
    const CVyMathFunction2D& r = (a = b);
    EXPECT_EQ(&r, &a);
}

} // namespace
