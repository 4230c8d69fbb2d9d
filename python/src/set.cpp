// vymath.FunctionSet, vymath.envelope and vymath.combine.
//
// CVyMathSetFunction1D keeps raw pointers to functions it does not own. FunctionSet holds a reference
// to the Python object of each member, so no member is freed while it is in the set. The long
// operations run with the GIL released on private copies of the functions: another thread may change
// or drop the originals meanwhile without the operation reading freed memory.
#include "bindings.h"

#include <memory>

using namespace pybind11::literals;

namespace vymath_py {

namespace {

using Copies = std::vector<std::unique_ptr<Function>>;

// Copies of the functions, taken while the GIL is held.
Copies CopiesOf(const std::vector<Function*>& functions) {
    Copies copies;
    for (const Function* f : functions)
        copies.push_back(std::make_unique<Function>(*f));
    return copies;
}

struct Envelope {
    Function lower, upper;
    std::vector<int> lowerCase, upperCase;
};

// The envelopes of set's members, the GIL released when `release` (the members are then copies).
Envelope Run(const CVyMathSetFunction1D& set, bool cases, bool release) {
    Envelope e;
    std::unique_ptr<py::gil_scoped_release> unlocked;
    if (release)
        unlocked = std::make_unique<py::gil_scoped_release>();
    if (cases)
        set.EnvelopMaxMin(e.lower, e.upper, e.lowerCase, e.upperCase);
    else
        set.EnvelopMaxMin(e.lower, e.upper);
    return e;
}

// (lower, upper), and the governing cases as arrays when asked for, each position mapped through
// `index` (the caller's numbering of the set's members); -1 stays -1.
py::tuple Result(Envelope& e, bool cases, const std::vector<int>& index) {
    if (!cases)
        return py::make_tuple(std::move(e.lower), std::move(e.upper));
    for (std::vector<int>* c : {&e.lowerCase, &e.upperCase})
        for (int& k : *c)
            k = k < 0 ? k : index[static_cast<std::size_t>(k)];
    return py::make_tuple(std::move(e.lower), std::move(e.upper), IntArray(e.lowerCase),
                          IntArray(e.upperCase));
}

class FunctionSet {
public:
    void Add(py::object f) {
        Function& fn = AsFunction("f", f);
        const int before = set.GetNumber();
        set.AddFunction(&fn);
        if (set.GetNumber() > before) // appended; a member equal in value keeps its place
            members.push_back(std::move(f));
    }

    void Remove(py::handle f) {
        Function& fn = AsFunction("f", f);
        const std::vector<Function*> before = Pointers();
        set.RemoveFunction(&fn);
        std::size_t k = 0;
        while (k + 1 < before.size() && set.GetElem(static_cast<int>(k)) == before[k])
            ++k;
        if (set.GetNumber() == static_cast<int>(before.size()))
            throw py::value_error("f: no member of the set equals it");
        members.erase(members.begin() + static_cast<std::ptrdiff_t>(k));
    }

    bool Contains(py::handle f) const {
        return py::isinstance<Function>(f) && set.FindFunction(&f.cast<Function&>());
    }

    std::size_t Size() const { return members.size(); }

    py::iterator Iterate() const {
        py::list snapshot;
        for (const py::object& f : members)
            snapshot.append(f);
        return py::iter(snapshot);
    }

    py::tuple Envelop(bool cases) {
        if (members.empty())
            throw py::value_error("the set is empty: no envelope");
        Copies copies = CopiesOf(Pointers());
        // The same set over the copies: the range is taken from this set, the members in the same order.
        CVyMathSetFunction1D work;
        work = set;
        work.RemoveAllFunctions();
        for (const auto& c : copies)
            work.AddFunction(c.get());
        double a, b, wa, wb;
        set.GetFullRange(a, b);
        work.GetFullRange(wa, wb);
        // A member changed since it was added (another range, or now equal to another member) is
        // enveloped in place, with the GIL held.
        const bool same = a == wa && b == wb && work.GetNumber() == set.GetNumber();
        Envelope e = Run(same ? work : set, cases, same);
        std::vector<int> index(members.size());
        for (std::size_t k = 0; k < index.size(); ++k)
            index[k] = static_cast<int>(k);
        return Result(e, cases, index);
    }

private:
    std::vector<Function*> Pointers() const {
        std::vector<Function*> p;
        for (int k = 0; k < set.GetNumber(); ++k)
            p.push_back(set.GetElem(k));
        return p;
    }

    CVyMathSetFunction1D set;
    std::vector<py::object> members; // the Python objects of set's members, in the same order
};

py::tuple EnvelopeOf(py::handle functions, bool cases) {
    Copies copies = CopiesOf(AsFunctions(functions));
    if (copies.empty())
        throw py::value_error("functions: no function to envelope");
    CVyMathSetFunction1D work;
    std::vector<int>
        index; // the input position of each member (a function equal to an earlier one is skipped)
    for (std::size_t k = 0; k < copies.size(); ++k) {
        const int before = work.GetNumber();
        work.AddFunction(copies[k].get());
        if (work.GetNumber() > before)
            index.push_back(static_cast<int>(k));
    }
    Envelope e = Run(work, cases, true);
    return Result(e, cases, index);
}

Function Combine(py::handle functions, py::handle factorValues) {
    const std::vector<Function*> members = AsFunctions(functions);
    const DoubleArray f = RealVector("factors", factorValues);
    if (static_cast<py::ssize_t>(members.size()) != f.size())
        throw py::value_error("functions and factors differ in length: " + std::to_string(members.size()) +
                              " and " + std::to_string(f.size()));
    std::vector<double> factors(f.data(), f.data() + f.size());
    for (std::size_t k = 0; k < factors.size(); ++k)
        RequireFinite(("factors[" + std::to_string(k) + "]").c_str(), factors[k]);
    const Copies copies = CopiesOf(members);
    std::vector<const Function*> p;
    for (const auto& c : copies)
        p.push_back(c.get());
    Function result;
    Function::InfoCombine code;
    {
        py::gil_scoped_release release;
        code = Function::Combine(p, factors, result);
    }
    switch (code) {
    case Function::CombineDone:
        return result;
    case Function::CombineNoMembers:
        throw py::value_error("functions: no function given");
    case Function::CombineNoCommonDomain:
        throw py::value_error("functions: the domains do not overlap, or a function has no point");
    default:
        throw py::value_error("functions: not combined (code " + std::to_string(code) + ")");
    }
}

} // namespace

void BindSet(py::module_& m) {
    py::class_<FunctionSet>(m, "FunctionSet", R"(An ordered set of Function1D (CVyMathSetFunction1D).

Members are kept in insertion order and compared by value: a function equal to a member is not added
again. The set holds a reference to each member, which stays alive while it is in the set.)")
        .def(py::init([](py::handle functions) {
                 FunctionSet s;
                 for (py::handle f : py::iter(functions))
                     s.Add(py::reinterpret_borrow<py::object>(f));
                 return s;
             }),
             "functions"_a = py::tuple(), "A set of the functions, added in order.")
        .def("add", &FunctionSet::Add, "f"_a, "Appends f unless a member equals it in value.")
        .def("remove", &FunctionSet::Remove, "f"_a,
             "Removes the first member equal to f in value; ValueError when there is none.")
        .def("__contains__", &FunctionSet::Contains, "f"_a, "Some member equals f in value.")
        .def("__len__", &FunctionSet::Size, "The number of members.")
        .def("__iter__", &FunctionSet::Iterate, "The members in order.")
        .def("envelope", &FunctionSet::Envelop, "cases"_a = false,
             "(lower, upper), the envelopes of the members; with cases=True also the position of the "
             "governing member of each stored point of lower and upper (-1 where none). With a single "
             "member, upper only gets the set's range (as in the library).")
        .def("__repr__",
             [](const FunctionSet& s) { return "FunctionSet(" + std::to_string(s.Size()) + " functions)"; });

    m.def("envelope", &EnvelopeOf, "functions"_a, "cases"_a = false,
          "(lower, upper), the envelopes of the functions; with cases=True also the index in `functions` of "
          "the governing function of each stored point of lower and upper (-1 where none). A function equal "
          "in value to an earlier one takes no part. As in the library, with a single function lower is a "
          "copy of it and upper only gets its domain.");
    m.def("combine", &Combine, "functions"_a, "factors"_a,
          "The load combination sum(factors[k] * functions[k]) on the merged abscissas, a new Function1D.");
}

} // namespace vymath_py
