// Decodes the input into matrices and tensors and runs their whole interface, the Jacobi solver on
// small symmetric matrices included. Checks that a throwing operation leaves its object unchanged,
// that the owned basis is never null, and that only the library's own errors leave an operation.
#include "FuzzCommon.h"
#include "foundation/Access.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace {

using M = CVyMathMat33;
using T = CVyMathTensorSym2D;
using fuzz::Check;

M Matrix(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return M(in.ConsumeBool());
    case 1: {
        double a[3], b[3];
        for (int i = 0; i < 3; ++i) {
            a[i] = fuzz::Value(in);
            b[i] = fuzz::Value(in);
        }
        return M(a, b);
    }
    default: {
        double v[9];
        for (double& x : v)
            x = in.ConsumeBool() ? fuzz::Value(in) : static_cast<double>(in.ConsumeIntegralInRange(-2, 2));
        M m;
        m.SetMat(v);
        return m;
    }
    }
}

T Tensor(FuzzedDataProvider& in) {
    double c[6];
    for (double& x : c)
        x = in.ConsumeBool() ? fuzz::Value(in) : static_cast<double>(in.ConsumeIntegralInRange(-3, 3));
    M basis = in.ConsumeBool() ? M() : Matrix(in);
    return T(c, in.ConsumeIntegralInRange(0, 5) == 0 ? nullptr : &basis);
}

bool SameBits(const T& a, const T& b) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double x = a(i, j), y = b(i, j);
            if (std::memcmp(&x, &y, sizeof x) != 0)
                return false;
        }
    const M *pa = &a.GetBasis(), *pb = &b.GetBasis();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double x = pa->GetMat(i, j), y = pb->GetMat(i, j);
            if (std::memcmp(&x, &y, sizeof x) != 0)
                return false;
        }
    return true;
}

void Jacobi(FuzzedDataProvider& in, T& t) {
    const int n = in.ConsumeIntegralInRange(0, 5);
    std::vector<std::vector<double>> a(6, std::vector<double>(6)), v(6, std::vector<double>(6));
    for (int p = 1; p <= 5; ++p)
        for (int q = p; q <= 5; ++q)
            a[p][q] = a[q][p] = in.ConsumeBool() ? fuzz::Value(in) : in.ConsumeIntegralInRange(-4, 4);
    std::vector<double*> ap, vp;
    for (int p = 0; p < 6; ++p) {
        ap.push_back(a[p].data());
        vp.push_back(v[p].data());
    }
    std::vector<double> d(6);
    int nrot = -1;
    try {
        vymath::detail::Access::Jacobi(t, ap.data(), n, d.data(), vp.data(), &nrot);
        Check(nrot >= 0, "rotation count set");
    } catch (const T::NoSolution&) {
    }
}

void Step(FuzzedDataProvider& in, T& t, T& u, M& m) {
    const T before = t;
    try {
        switch (in.ConsumeIntegralInRange(0, 24)) {
        case 0:
            t += u;
            break;
        case 1:
            t -= u;
            break;
        case 2:
            t = t + u;
            break;
        case 3:
            t = u - t;
            break;
        case 4: {
            M p = t * u;
            p = t * m;
            break;
        }
        case 5:
            t *= fuzz::Value(in);
            break;
        case 6:
            t = t * fuzz::Value(in);
            break;
        case 7:
            t.GetTransformTensor(m, u);
            break;
        case 8:
            t.Rotation_Tensor(fuzz::Value(in));
            break;
        case 9:
            t.InertiaTensor(fuzz::Value(in), fuzz::Value(in), fuzz::Value(in), fuzz::Value(in));
            break;
        case 10:
            t.GetComponent(in.ConsumeIntegralInRange(-2, 7));
            t(in.ConsumeIntegralInRange(-1, 3), in.ConsumeIntegralInRange(-1, 3));
            break;
        case 11:
            t.SetBasis(in.ConsumeBool() ? &m : &t.GetBasis());
            break;
        case 12: {
            const T& self = t;
            t = self;
            t = u;
            break;
        }
        case 13:
            t.FirstInvariant();
            t.SecondInvariant();
            t.ThirstInvariant();
            t.IsDegenerate();
            t.IsPlane();
            t.IsUnit();
            t.IsSpherical();
            break;
        case 14: {
            double d1[3], d2[3], d3[3];
            t.GetPrincipalDirection(d1, d2, d3);
            break;
        }
        case 15: {
            T p = t.GetPrincipalStress();
            p = t.DeviatoricStressTensor();
            break;
        }
        case 16: {
            const double axis[3] = {fuzz::Value(in), fuzz::Value(in), fuzz::Value(in)};
            t.IsRevolution(axis);
            t.PrincipalAngleTensor();
            vymath::detail::Access::Hydrostatic(t);
            vymath::detail::Access::OctahedralShear(t);
            break;
        }
        case 17:
            t.IsInverse(u);
            Check((t == u) == !(t != u), "== and != disagree");
            break;
        case 18: {
            std::ostringstream os;
            os << t;
            break;
        }
        case 19:
            Jacobi(in, t);
            break;
        case 20: {
            M inv = m.GetInverse();
            inv *= m;
            break;
        }
        case 21: {
            M* c = m.Clone();
            M* s = m.CloneSame();
            *c *= *s;
            m = *c - *s + m.GetTranspose() * 0.5;
            delete c;
            delete s;
            break;
        }
        case 22: {
            m(in.ConsumeIntegralInRange(-1, 3), in.ConsumeIntegralInRange(-1, 3)) = fuzz::Value(in);
            break;
        }
        case 23:
            m = Matrix(in);
            m *= m;
            m /= fuzz::Value(in);
            m.IsMatID();
            break;
        default:
            u = Tensor(in);
            break;
        }
    } catch (const CVyMathException&) {
        Check(SameBits(before, t), "a throwing operation leaves the tensor unchanged");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    T t = Tensor(in), u = Tensor(in);
    M m = Matrix(in);
    for (int op = 0; op < 48 && in.remaining_bytes() > 0; ++op)
        Step(in, t, u, m);
    return 0;
}
