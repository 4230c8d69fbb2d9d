// Reference: Function set container, cursor navigation and lookup.
#include "RefSetFunction1D.h"

#include "RefInternal.h"

#include <iterator>

namespace {

constexpr double kDefaultTolerance = 1e-5;

// m == f in value: m's operator== applied to a copy of f.
bool SameValue(RefFunction1D* m, RefFunction1D* f) {
    return *m == *f;
}

} // namespace

RefSetFunction1D::RefSetFunction1D() : current(functions.end()), rangeMin(0.0), rangeMax(0.0) {}

RefSetFunction1D::RefSetFunction1D(const RefSetFunction1D& other)
    : current(functions.end()), rangeMin(0.0), rangeMax(0.0) {
    *this = other;
}

RefSetFunction1D::~RefSetFunction1D() = default;

const RefSetFunction1D& RefSetFunction1D::operator=(const RefSetFunction1D& other) {
    if (this == &other)
        return *this;
    rangeMin = other.rangeMin;
    rangeMax = other.rangeMax;
    for (RefFunction1D* f : other.functions)
        AddFunction(f);
    current = functions.begin();
    return *this;
}

bool RefSetFunction1D::operator==(RefSetFunction1D other) {
    return functions.size() == other.functions.size() && rangeMin == other.rangeMin &&
           rangeMax == other.rangeMax && functions == other.functions;
}

RefSetFunction1D::List::iterator RefSetFunction1D::FindByValue(RefFunction1D* f) {
    const auto found = static_cast<const RefSetFunction1D&>(*this).FindByValue(f);
    return functions.erase(found, found); // the same position as a mutable iterator; erases nothing
}

RefSetFunction1D::List::const_iterator RefSetFunction1D::FindByValue(RefFunction1D* f) const {
    auto it = functions.begin();
    while (it != functions.end() && !SameValue(*it, f))
        ++it;
    return it;
}

void RefSetFunction1D::AddFunction(RefFunction1D* f) {
    if (f == nullptr)
        return;
    if (!functions.empty()) {
        const auto found = FindByValue(f);
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
        if (ref::Smaller(a, rangeMin, t))
            rangeMin = a;
        if (ref::Greater(b, rangeMax, t))
            rangeMax = b;
    }
}

void RefSetFunction1D::RemoveFunction(RefFunction1D* f) {
    if (f == nullptr || functions.empty())
        return;
    const auto found = FindByValue(f);
    if (found != functions.end())
        current = functions.erase(found);
}

void RefSetFunction1D::RemoveAllFunctions() {
    functions.clear();
    current = functions.end();
}

bool RefSetFunction1D::FindFunction(RefFunction1D* f) const {
    return f != nullptr && FindByValue(f) != functions.end();
}

void RefSetFunction1D::SetCurrentFunction(RefFunction1D* f) {
    if (f == nullptr || functions.empty())
        return;
    current = FindByValue(f);
}

RefFunction1D* RefSetFunction1D::GetFirstElem() {
    if (functions.empty())
        return nullptr;
    current = functions.begin();
    return *current;
}

RefFunction1D* RefSetFunction1D::GetNextFunction() {
    if (functions.empty())
        return nullptr;
    if (current == functions.end()) {
        current = std::prev(functions.end());
        return *current;
    }
    ++current;
    return current == functions.end() ? nullptr : *current;
}

RefFunction1D* RefSetFunction1D::GetPreviousFunction() {
    if (functions.empty() || current == functions.end())
        return nullptr;
    if (current == functions.begin()) {
        current = functions.end();
        return nullptr;
    }
    --current;
    return *current;
}

RefFunction1D* RefSetFunction1D::GetCurrentFunction() {
    return current == functions.end() ? nullptr : *current;
}

RefFunction1D* RefSetFunction1D::GetElem(int position) const {
    if (position < 0 || position >= GetNumber())
        return nullptr;
    return *std::next(functions.begin(), position);
}

int RefSetFunction1D::GetNumber() const {
    return static_cast<int>(functions.size());
}

bool RefSetFunction1D::GetFunction(const double& x, const double& y, RefFunction1D** out) const {
    for (RefFunction1D* m : functions) {
        if (out != nullptr)
            *out = m;
        double v;
        if (m->GetOrdinate(x, v) && ref::Equal(v, y, 1e-10))
            return true;
    }
    return false;
}

void RefSetFunction1D::GetFullRange(double& rangeMin_, double& rangeMax_) {
    rangeMin_ = rangeMin;
    rangeMax_ = rangeMax;
}

namespace {

// The largest tolerance among the members, a later one counting when above by more than 1e-10.
template <typename Tolerance>
double LargestTolerance(const std::list<RefFunction1D*>& functions, Tolerance tolerance) {
    if (functions.empty())
        return kDefaultTolerance;
    double largest = tolerance(*functions.front());
    for (RefFunction1D* m : functions) {
        const double t = tolerance(*m);
        if (ref::Greater(t, largest, 1e-10))
            largest = t;
    }
    return largest;
}

} // namespace

double RefSetFunction1D::GetXtolerance() {
    return LargestTolerance(functions, [](RefFunction1D& f) { return f.GetXtolerance(); });
}

double RefSetFunction1D::GetYtolerance() {
    return LargestTolerance(functions, [](RefFunction1D& f) { return f.GetYtolerance(); });
}
