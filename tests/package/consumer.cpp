// Uses the installed VyMath headers and library; exits with 0 when everything matches.
#include <vymath/vymath.h>

#include <cstdio>
#include <cstring>

#if defined(VYMATH_STATIC) != VYMATH_EXPECT_STATIC
#error "VYMATH_STATIC does not match the installed library flavour"
#endif

static_assert(VYMATH_VERSION ==
                  VYMATH_VERSION_MAJOR * 10000 + VYMATH_VERSION_MINOR * 100 + VYMATH_VERSION_PATCH,
              "inconsistent version macros");

int main() {
    if (std::strcmp(VYMATH_VERSION_STRING, VYMATH_EXPECT_VERSION) != 0) {
        std::printf("version %s, expected %s\n", VYMATH_VERSION_STRING, VYMATH_EXPECT_VERSION);
        return 1;
    }
    CVyMathFunction1D m(0.0, 10.0, 0);
    m.Set(5.0, 125.0);
    CVyMathFunction1D copy(m);
    double left = 0.0;
    double right = 0.0;
    // Halfway up and halfway down the triangle: 62.5 both times.
    if (!copy.GetOrdinate(2.5, left) || !copy.GetOrdinate(7.5, right) || left != 62.5 || right != 62.5) {
        std::printf("wrong ordinates %g %g\n", left, right);
        return 1;
    }
    std::printf("VyMath %s: f(2.5) = %g, f(7.5) = %g\n", VYMATH_VERSION_STRING, left, right);
    return 0;
}
