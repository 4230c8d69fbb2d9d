// Reference: the function set and its envelopes as the library computed them before its fast
// paths; the test oracle of the differential fuzz target.
#ifndef VYMATH_FUZZ_REFSETFUNCTION1D_H
#define VYMATH_FUZZ_REFSETFUNCTION1D_H

#include "RefFunction1D.h"

#include <list>
#include <vector>

class RefSetFunction1D {
public:
    RefSetFunction1D();
    RefSetFunction1D(const RefSetFunction1D& other);
    virtual ~RefSetFunction1D();
    const RefSetFunction1D& operator=(const RefSetFunction1D& other);
    bool operator==(RefSetFunction1D other);

    void AddFunction(RefFunction1D* f);
    void RemoveFunction(RefFunction1D* f);
    void RemoveAllFunctions();
    bool FindFunction(RefFunction1D* f) const;
    void SetCurrentFunction(RefFunction1D* f);

    RefFunction1D* GetFirstElem();
    RefFunction1D* GetNextFunction();
    RefFunction1D* GetPreviousFunction();
    RefFunction1D* GetCurrentFunction();
    RefFunction1D* GetElem(int position) const;
    int GetNumber() const;
    bool GetFunction(const double& x, const double& y, RefFunction1D** out) const;
    void GetFullRange(double& rangeMin, double& rangeMax);
    double GetXtolerance();
    double GetYtolerance();

    void EnveloppeMaxMin(RefFunction1D* f1, RefFunction1D* f2, RefFunction1D* lower,
                         RefFunction1D* upper) const;
    bool EnvelopMaxMin(RefFunction1D& lower, RefFunction1D& upper) const;
    bool EnvelopMaxMin(RefFunction1D& lower, RefFunction1D& upper, std::vector<int>& lowerCase,
                       std::vector<int>& upperCase) const;

public:
    double FindMinimalStep() const;

    using List = std::list<RefFunction1D*>;

    List::iterator FindByValue(RefFunction1D* f);
    List::const_iterator FindByValue(RefFunction1D* f) const;

    List functions;
    List::iterator current;
    double rangeMin;
    double rangeMax;
};

#endif // VYMATH_FUZZ_REFSETFUNCTION1D_H
