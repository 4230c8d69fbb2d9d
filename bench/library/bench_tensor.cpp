// The tensor and matrix operations beside Eigen's fixed-size 3x3 ones, where Eigen is found.
#include <vymath/vymath.h>

#include <benchmark/benchmark.h>

#ifdef VYMATH_BENCH_EIGEN
#include <Eigen/Dense>
#endif

#include <cmath>

namespace {

const double kStress[6] = {12.0, -3.5, 7.25, 1.5, -2.0, 4.0}; // T00, T01, T11, T02, T12, T22

CVyMathMat33 Rotation(double a) {
    const double c0[3] = {std::cos(a), std::sin(a), 0.0}, c1[3] = {-std::sin(a), std::cos(a), 0.0},
                 c2[3] = {0.0, 0.0, 1.0};
    return CVyMathMat33(c0, c1, c2);
}

void BM_Tensor_PrincipalStress(benchmark::State& state) {
    CVyMathTensorSym2D t(kStress, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.GetPrincipalStress());
}
BENCHMARK(BM_Tensor_PrincipalStress);

void BM_Tensor_ChangeOfBasis(benchmark::State& state) {
    CVyMathTensorSym2D t(kStress, nullptr), out;
    const CVyMathMat33 p = Rotation(0.3);
    for (auto _ : state) {
        t.GetTransformTensor(p, out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Tensor_ChangeOfBasis);

void BM_Mat33_Product(benchmark::State& state) {
    CVyMathMat33 a = Rotation(0.3), b = Rotation(0.7);
    for (auto _ : state) {
        CVyMathMat33 c(a);
        c *= b;
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_Mat33_Product);

void BM_Mat33_Inverse(benchmark::State& state) {
    const CVyMathMat33 a = Rotation(0.3);
    for (auto _ : state)
        benchmark::DoNotOptimize(a.GetInverse());
}
BENCHMARK(BM_Mat33_Inverse);

#ifdef VYMATH_BENCH_EIGEN
Eigen::Matrix3d StressMatrix() {
    Eigen::Matrix3d m;
    m << kStress[0], kStress[1], kStress[3], kStress[1], kStress[2], kStress[4], kStress[3], kStress[4],
        kStress[5];
    return m;
}

Eigen::Matrix3d EigenRotation(double a) {
    return Eigen::AngleAxisd(a, Eigen::Vector3d::UnitZ()).toRotationMatrix();
}

void BM_Eigen_PrincipalStress(benchmark::State& state) {
    const Eigen::Matrix3d m = StressMatrix();
    for (auto _ : state) {
        Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver;
        solver.computeDirect(m, Eigen::EigenvaluesOnly);
        benchmark::DoNotOptimize(solver.eigenvalues());
    }
}
BENCHMARK(BM_Eigen_PrincipalStress);

void BM_Eigen_ChangeOfBasis(benchmark::State& state) {
    const Eigen::Matrix3d m = StressMatrix(), p = EigenRotation(0.3);
    for (auto _ : state) {
        Eigen::Matrix3d out = p * m * p.inverse();
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Eigen_ChangeOfBasis);

void BM_Eigen_Product(benchmark::State& state) {
    const Eigen::Matrix3d a = EigenRotation(0.3), b = EigenRotation(0.7);
    for (auto _ : state) {
        Eigen::Matrix3d c = a * b;
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_Eigen_Product);

void BM_Eigen_Inverse(benchmark::State& state) {
    const Eigen::Matrix3d a = EigenRotation(0.3);
    for (auto _ : state) {
        Eigen::Matrix3d c = a.inverse();
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_Eigen_Inverse);
#endif

} // namespace

BENCHMARK_MAIN();
