// Decodes the input into operations on a function set over a small pool of functions: adding,
// removing, walking, lookups and envelopes. Checks the cursor walk against the member count, that
// membership stays free of value duplicates, and that envelopes hold no NaN.
#include "FuzzCommon.h"
#include "foundation/Access.h"

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

namespace {

using F = CVyMathFunction1D;
using Set = CVyMathSetFunction1D;
using fuzz::Check;

constexpr int kPool = 5;

F MakeMember(FuzzedDataProvider& in) {
    F f(in.ConsumeFloatingPointInRange(-10.0, 0.0), in.ConsumeFloatingPointInRange(0.0, 10.0), 0);
    if (in.ConsumeBool())
        f = F();
    const int n = in.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < n; ++i) {
        if (in.ConsumeIntegralInRange(0, 5) == 0)
            f.Set(fuzz::Value(in), fuzz::Value(in), fuzz::Value(in));
        else
            f.Set(fuzz::Value(in), fuzz::Value(in));
    }
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        f.SetXtolerance(fuzz::Tolerance(in));
    return f;
}

void CheckFunction(const F& f) {
    for (const F::Point& p : f.GetPoints())
        Check(!std::isnan(p.x) && std::isfinite(p.y), "envelope points are numbers");
}

void CheckWalk(Set& s) {
    int count = 0;
    for (F* f = s.GetFirstElem(); f != nullptr; f = s.GetNextFunction()) {
        Check(f == s.GetElem(count), "walk follows insertion order");
        ++count;
        Check(count <= s.GetNumber(), "walk ends");
    }
    Check(count == s.GetNumber(), "walk visits every member");
    Check(s.GetCurrentFunction() == nullptr, "walk ends at the end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<F> pool;
    for (int i = 0; i < kPool; ++i)
        pool.push_back(MakeMember(in));
    Set s;
    for (int op = 0; op < 48 && in.remaining_bytes() > 0; ++op) {
        F* f =
            in.ConsumeIntegralInRange(0, 9) == 0 ? nullptr : &pool[in.ConsumeIntegralInRange(0, kPool - 1)];
        switch (in.ConsumeIntegralInRange(0, 12)) {
        case 0: {
            const int before = s.GetNumber();
            const bool known = s.FindFunction(f);
            s.AddFunction(f);
            Check(s.GetNumber() == before + ((known || f == nullptr) ? 0 : 1),
                  "add grows by one unless known");
            break;
        }
        case 1: {
            const int before = s.GetNumber();
            const bool known = s.FindFunction(f);
            s.RemoveFunction(f);
            Check(s.GetNumber() == before - (known ? 1 : 0), "remove shrinks by one when known");
            break;
        }
        case 2:
            s.RemoveAllFunctions();
            Check(s.GetNumber() == 0, "emptied");
            break;
        case 3:
            s.SetCurrentFunction(f);
            break;
        case 4:
            s.GetNextFunction();
            s.GetPreviousFunction();
            s.GetCurrentFunction();
            break;
        case 5:
            CheckWalk(s);
            break;
        case 6: {
            F* out = nullptr;
            s.GetFunction(fuzz::Value(in), fuzz::Value(in), in.ConsumeBool() ? &out : nullptr);
            break;
        }
        case 7: {
            double a, b;
            s.GetFullRange(a, b);
            s.GetXtolerance();
            s.GetYtolerance();
            s.GetElem(in.ConsumeIntegralInRange(-1, 6));
            break;
        }
        case 8: {
            F lower, upper, lowerGoverned, upperGoverned;
            std::vector<int> lc, uc;
            const bool governed = s.EnvelopMaxMin(lowerGoverned, upperGoverned, lc, uc);
            if (s.EnvelopMaxMin(lower, upper)) {
                CheckFunction(lower);
                CheckFunction(upper);
                Check(governed, "the governing form envelopes what EnvelopMaxMin does");
                // The same envelopes bit for bit, and each point's member attains it (or none does).
                for (auto [e, g, cases] :
                     {std::tuple<F*, F*, std::vector<int>*>{&lower, &lowerGoverned, &lc},
                      std::tuple<F*, F*, std::vector<int>*>{&upper, &upperGoverned, &uc}}) {
                    const auto a = e->GetPoints(), b = g->GetPoints();
                    Check(a.size() == b.size() && cases->size() == a.size(), "one governing entry a point");
                    Check(std::memcmp(a.data(), b.data(), a.size() * sizeof(F::Point)) == 0,
                          "the governing form's envelopes are EnvelopMaxMin's bit for bit");
                    for (std::size_t i = 0; i < a.size(); ++i) {
                        const int k = (*cases)[i];
                        for (int m = 0; m < (k < 0 ? s.GetNumber() : k + 1); ++m) {
                            double v;
                            const bool attains =
                                s.GetElem(m)->GetOrdinate(a[i].x, v) && CVyMath::Equal(v, a[i].y, 1e-10);
                            Check(attains == (m == k), "the first member attaining the point governs it");
                        }
                    }
                }
            } else {
                Check(s.GetNumber() == 0, "only an empty set has no envelope");
            }
            break;
        }
        case 9: {
            F lower, upper;
            F* g = &pool[in.ConsumeIntegralInRange(0, kPool - 1)];
            s.EnveloppeMaxMin(f, g, in.ConsumeBool() ? &lower : nullptr, in.ConsumeBool() ? &upper : nullptr);
            CheckFunction(lower);
            CheckFunction(upper);
            break;
        }
        case 10: {
            Set copy(s);
            Check(copy.GetNumber() <= s.GetNumber(), "a copy holds no more members");
            Set other;
            other.AddFunction(f);
            other = s;
            break;
        }
        case 11:
            vymath::detail::Access::MinimalStep(s);
            break;
        default:
            pool[in.ConsumeIntegralInRange(0, kPool - 1)].Set(fuzz::Value(in), fuzz::Value(in));
            break;
        }
    }
    return 0;
}
