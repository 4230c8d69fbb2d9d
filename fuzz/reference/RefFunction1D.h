// Reference: a literal, deliberately simple transcription of the function class as the library
// computed it before its fast paths, kept as the test oracle of the differential fuzz target.
// Same interface, same results; the state is public for comparison.
#ifndef VYMATH_FUZZ_REFFUNCTION1D_H
#define VYMATH_FUZZ_REFFUNCTION1D_H

#include <cstddef>
#include <list>
#include <ostream>
#include <vector>

class CVyMathPolynom;

class RefFunction1D {
public:
    struct Point {
        double x;
        double y;
    };

    class PointList {
    public:
        PointList();
        PointList(const PointList& other);
        PointList& operator=(const PointList& other);
        virtual ~PointList();

        void AddPoint(const Point& p);
        void ResetCursor();
        bool GetNext(double& x, double& y);
        bool GetLast(double& x, double& y);

    public:
        std::list<Point> points;
        std::list<Point>::iterator cursor;
    };

    enum InfoInsertPoint { InsertDone = 0, InsertConflict = 1, InsertExists = 2, InsertRefused = 3 };

    enum InfoCombine {
        CombineDone = 0,
        CombineNoMembers = 1,     // no function given
        CombineCountMismatch = 2, // members and factors of different counts
        CombineNullMember = 3,    // a member pointer is null
        CombineBadFactor = 4,     // a factor is NaN or infinite
        CombineNoCommonDomain =
            5 // the domains do not overlap (by more than Xtolerance), or a member has no point
    };

    enum InfoGetList {
        ListAsStored = 0,    // copied as stored
        ListFiniteEnds = 1,  // replaced by a point a tenth of the inner span beyond the outermost inner point
        ListOmitOpenEnds = 2 // left out
    };

    RefFunction1D();
    RefFunction1D(double xmin, double xmax, int forceJumps);
    RefFunction1D(CVyMathPolynom& p, double x0, double x1, int n);
    RefFunction1D(double (*f)(double), double x0, double x1, int n);
    RefFunction1D(const RefFunction1D& g, double x0, double x1, int n);
    RefFunction1D(const RefFunction1D& g, double length);
    RefFunction1D(const double& amplitude, const double& pulsation, const double& phase, double xmin,
                  double xmax, double step);
    RefFunction1D(const RefFunction1D& other);
    const RefFunction1D& operator=(const RefFunction1D& other);
    virtual ~RefFunction1D();

    void SetXtolerance(double t);
    void SetYtolerance(double t);
    double GetXtolerance();
    double GetYtolerance();
    void GetFullRange(double& xmin, double& xmax) const;
    int GetNumberElement() const;
    bool Find(double x);
    void Find(double x, int& lo, int& hi) const;
    bool GetOrdinate(double x, double& y) const;
    std::size_t GetOrdinates(const double* x, double* y, std::size_t n) const;

    InfoInsertPoint Set(double x, double y);
    InfoInsertPoint Set(double x, double yLeft, double yRight);
    InfoInsertPoint SetConstant(double x1, double x2, double y);
    InfoInsertPoint SetUniqueAbscissa(double x, double y, double offset);
    InfoInsertPoint SetUniqueAbscissaAtIndex(double x, double y, double offset, int index);
    void SetDomain(double a, double b);
    void Clear(bool all);
    bool Replace(double x, double y);
    bool IsDefined(double x);

    bool Remove(double x);
    void GetListPoint(PointList& list, InfoGetList mode);
    void ShiftOnX(double dx);
    void ScaleOnX(double kx);
    void ScaleOnY(double ky);
    void Scale(double kx, double ky);
    void RevertValues();
    void CloseCurve();
    void Merge(RefFunction1D* g);
    void Concat(RefFunction1D* g);
    RefFunction1D& operator+=(RefFunction1D& g);
    RefFunction1D operator+=(const double& value);
    const RefFunction1D& operator*=(const double& k);
    RefFunction1D operator*(const double& k);
    bool operator==(RefFunction1D other);
    bool operator!=(const RefFunction1D& other);

    bool IsOnCurve(double x, double y, double tol);
    bool IsDiscontinued(double x);
    bool IsConstant(void);
    bool IsLinear(double x1, double x2) const;
    bool IsSymetric(double x1, double x2) const;
    void Slope(double x, double* const slopes) const;
    bool GetNearAbscissas(double x, double& xLeft, double& xRight, double* tol);
    bool FindUniqueAbscissa(double x, double& y);
    bool FindMultipleOrdinates(double x, double& y1, double& y2);

    double RootBissection(double (*f)(double), double x1, double x2, double xacc);
    double RootBissection(double x1, double x2, double xacc);
    double RootBissectionUniqueAbscisse(double x1, double x2, double xacc);
    void GetAllZero(PointList& zeros, double xacc);
    void GetAllZeroInteractionCurves(PointList& zeros, double xacc);

    void Extrema(PointList& list) const;
    void LocalMinMax(PointList& minima, PointList& maxima) const;
    void GlobalMinMax(PointList& minima, PointList& maxima) const;
    void ValuesGlobalMinMax(double& vmin, double& vmax) const;
    void OnlyExtrema(PointList& candidates, PointList& result) const;
    void ExtremaInteractionCurves(PointList& list) const;
    void ValuesGlobalMinMaxInteractionCurves(double& vmin, double& vmax);
    bool AngularPoint(void);

    int GetIntersectionAbscissas(RefFunction1D* other, PointList& result);
    void EnvelopeMaxMin(RefFunction1D& upper, RefFunction1D& lower) const;

    static InfoCombine Combine(const std::vector<const RefFunction1D*>& members,
                               const std::vector<double>& factors, RefFunction1D& result);

    double Qtrap(double a, double b) const;
    double QtrapXFunc(double a, double b) const;
    int GetResultantAndMoment(double& resultant, double& moment);
    int GetExcentricityAndResultant(double& excentricity, double& resultant);
    double Excentricity() const;

    CVyMathPolynom ApproxPolynomiale(int degree);
    void PolynomInterpol(double* const xa, double* const ya, int n, double x, double* y, double* dy);

    friend std::basic_ostream<char>& operator<<(std::basic_ostream<char>& os, RefFunction1D& f);

public:
    double Trapzd(const RefFunction1D& f, double a, double b, int n) const;
    double Trapzd(const RefFunction1D& f, double a, double b, int n, double& estimate) const;
    void LuDecomp(double** a, int n, int* indx);
    void LuBackSubstitution(double** a, int n, int* indx, double* const b);
    void Spline(double* const x, double* const y, int n, double yp1, double ypn, double* const y2);

    bool DefinedAt(double x) const;
    bool ConstantOrdinates() const;
    bool BisectOrdinates(double x1, double x2, double xacc, double& root) const;
    double OrdinateAtStored(double x) const;
    std::size_t LocateInsertion(double x, bool& found) const;

    std::vector<Point> points;
    double xmin;
    double xmax;
    double Xtolerance;
    double Ytolerance;
    std::vector<double> jumpAbscissas;
    int forceJumps;
};

// a with b's ordinates added index by index (abscissas not compared).
RefFunction1D operator+(RefFunction1D& a, RefFunction1D& b);
// b minus a, on a's abscissas: the second operand minus the first.
RefFunction1D operator-(RefFunction1D& a, RefFunction1D& b);
// Writes the stored points as an indented, bracketed list, one per line, each newline a std::endl
// (a flush); "\ttheVector is empty." for no points. Sets no flag or precision on the stream.
std::basic_ostream<char>& operator<<(std::basic_ostream<char>& os, RefFunction1D& f);

#endif // VYMATH_FUZZ_REFFUNCTION1D_H
