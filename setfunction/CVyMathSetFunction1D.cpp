// Function set container, cursor navigation and lookup.
#include "vymath/CVyMathSetFunction1D.h"

#include "vymath/CVyMath.h"

#include "foundation/VyMathInternal.h"
#include "function1d/Storage.h"
#include "setfunction/Lookup.h"

#include <iterator>

using vymath::detail::Tolerant;

using vymath::detail::FindByValue;

namespace {

constexpr double kDefaultTolerance = 1e-5;

} // namespace

CVyMathSetFunction1D::CVyMathSetFunction1D() : current(functions.end()), rangeMin(0.0), rangeMax(0.0) {}

CVyMathSetFunction1D::CVyMathSetFunction1D(const CVyMathSetFunction1D& other)
    : current(functions.end()), rangeMin(0.0), rangeMax(0.0) {
    *this = other;
}

CVyMathSetFunction1D::~CVyMathSetFunction1D() = default;

const CVyMathSetFunction1D& CVyMathSetFunction1D::operator=(const CVyMathSetFunction1D& other) {
    if (this == &other)
        return *this;
    rangeMin = other.rangeMin;
    rangeMax = other.rangeMax;
    for (CVyMathFunction1D* f : other.functions)
        AddFunction(f);
    current = functions.begin();
    return *this;
}

bool CVyMathSetFunction1D::operator==(CVyMathSetFunction1D other) {
    return functions.size() == other.functions.size() && rangeMin == other.rangeMin &&
           rangeMax == other.rangeMax && functions == other.functions;
}

vymath::detail::Access::Members::iterator vymath::detail::FindByValue(CVyMathSetFunction1D& s,
                                                                      CVyMathFunction1D* f) {
    const auto found = FindByValue(static_cast<const CVyMathSetFunction1D&>(s), f);
    // The same position as a mutable iterator; erases nothing.
    return Access::Functions(s).erase(found, found);
}

vymath::detail::Access::Members::const_iterator vymath::detail::FindByValue(const CVyMathSetFunction1D& s,
                                                                            CVyMathFunction1D* f) {
    const Access::Members& functions = Access::Functions(s);
    auto it = functions.begin();
    while (it != functions.end() && !SameValue(**it, *f))
        ++it;
    return it;
}

void CVyMathSetFunction1D::AddFunction(CVyMathFunction1D* f) {
    if (f == nullptr)
        return;
    if (!functions.empty()) {
        const auto found = FindByValue(*this, f);
        if (found != functions.end()) {
            current = found;
            return;
        }
    }
    functions.push_back(f);
    if (current != functions.end())
        ++current;
    double a, b;
    f->GetFullRange(a, b);
    const double t = f->GetXtolerance();
    if (functions.size() == 1) {
        rangeMin = a;
        rangeMax = b;
    } else {
        if (Tolerant::Smaller(a, rangeMin, t))
            rangeMin = a;
        if (Tolerant::Greater(b, rangeMax, t))
            rangeMax = b;
    }
}

void CVyMathSetFunction1D::RemoveFunction(CVyMathFunction1D* f) {
    if (f == nullptr || functions.empty())
        return;
    const auto found = FindByValue(*this, f);
    if (found != functions.end())
        current = functions.erase(found);
}

void CVyMathSetFunction1D::RemoveAllFunctions() {
    functions.clear();
    current = functions.end();
}

bool CVyMathSetFunction1D::FindFunction(CVyMathFunction1D* f) const {
    return f != nullptr && FindByValue(*this, f) != functions.end();
}

void CVyMathSetFunction1D::SetCurrentFunction(CVyMathFunction1D* f) {
    if (f == nullptr || functions.empty())
        return;
    current = FindByValue(*this, f);
}

CVyMathFunction1D* CVyMathSetFunction1D::GetFirstElem() {
    if (functions.empty())
        return nullptr;
    current = functions.begin();
    return *current;
}

CVyMathFunction1D* CVyMathSetFunction1D::GetNextFunction() {
    if (functions.empty())
        return nullptr;
    if (current == functions.end()) {
        current = std::prev(functions.end());
        return *current;
    }
    ++current;
    return current == functions.end() ? nullptr : *current;
}

CVyMathFunction1D* CVyMathSetFunction1D::GetPreviousFunction() {
    if (functions.empty() || current == functions.end())
        return nullptr;
    if (current == functions.begin()) {
        current = functions.end();
        return nullptr;
    }
    --current;
    return *current;
}

CVyMathFunction1D* CVyMathSetFunction1D::GetCurrentFunction() {
    return current == functions.end() ? nullptr : *current;
}

CVyMathFunction1D* CVyMathSetFunction1D::GetElem(int position) const {
    if (position < 0 || position >= GetNumber())
        return nullptr;
    return *std::next(functions.begin(), position);
}

int CVyMathSetFunction1D::GetNumber() const {
    return static_cast<int>(functions.size());
}

bool CVyMathSetFunction1D::GetFunction(const double& x, const double& y, CVyMathFunction1D** out) const {
    for (CVyMathFunction1D* m : functions) {
        if (out != nullptr)
            *out = m;
        double v;
        if (m->GetOrdinate(x, v) && Tolerant::Equal(v, y, 1e-10))
            return true;
    }
    return false;
}

void CVyMathSetFunction1D::GetFullRange(double& rangeMin_, double& rangeMax_) {
    rangeMin_ = rangeMin;
    rangeMax_ = rangeMax;
}

namespace {

// The largest tolerance among the members, a later one counting when above by more than 1e-10.
template <typename Tolerance>
double LargestTolerance(const std::list<CVyMathFunction1D*>& functions, Tolerance tolerance) {
    if (functions.empty())
        return kDefaultTolerance;
    double largest = tolerance(*functions.front());
    for (CVyMathFunction1D* m : functions) {
        const double t = tolerance(*m);
        if (Tolerant::Greater(t, largest, 1e-10))
            largest = t;
    }
    return largest;
}

} // namespace

double CVyMathSetFunction1D::GetXtolerance() {
    return LargestTolerance(functions, [](CVyMathFunction1D& f) { return f.GetXtolerance(); });
}

double CVyMathSetFunction1D::GetYtolerance() {
    return LargestTolerance(functions, [](CVyMathFunction1D& f) { return f.GetYtolerance(); });
}
