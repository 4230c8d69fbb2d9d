// vymath.FunctionSet, vymath.envelope and vymath.combine; the envelopes are the analysis layer's.
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

// (lower, upper) of the copies by the analysis layer, the GIL released, and with `cases` the index in
// `copies` of the governing function of each stored point (-1 where none).
py::tuple EnvelopeOfCopies(const Copies& copies, bool cases, const std::string& method) {
    const vymath::analysis::EnvelopeMethod how = MethodOf(method);
    std::vector<const Function*> p;
    for (const auto& c : copies)
        p.push_back(c.get());
    vymath::analysis::EnvelopeFunctions e;
    {
        py::gil_scoped_release release;
        e = vymath::analysis::EnvelopeFunctionsOf(p, how);
    }
    if (!cases)
        return py::make_tuple(std::move(e.lower), std::move(e.upper));
    return py::make_tuple(std::move(e.lower), std::move(e.upper), IntArray(e.lowerGoverning),
                          IntArray(e.upperGoverning));
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

    py::tuple Envelop(bool cases, const std::string& method) const {
        if (members.empty())
            throw py::value_error("the set is empty: no envelope");
        return EnvelopeOfCopies(CopiesOf(Pointers()), cases, method);
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

py::tuple EnvelopeOf(py::handle functions, bool cases, const std::string& method) {
    Copies copies = CopiesOf(AsFunctions(functions));
    if (copies.empty())
        throw py::value_error("functions: no function to envelope");
    return EnvelopeOfCopies(copies, cases, method);
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

vymath::analysis::EnvelopeMethod MethodOf(const std::string& method) {
    if (method == "exact")
        return vymath::analysis::EnvelopeMethod::Exact;
    if (method == "fold")
        return vymath::analysis::EnvelopeMethod::Fold;
    throw py::value_error("method must be \"exact\" or \"fold\", got \"" + method + "\"");
}

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
        .def("envelope", &FunctionSet::Envelop, "cases"_a = false, "method"_a = "exact",
             "(lower, upper), the envelopes of the members as vymath.envelope forms them; with cases=True "
             "also the position of the governing member of each stored point of lower and upper.")
        .def("__repr__",
             [](const FunctionSet& s) { return "FunctionSet(" + std::to_string(s.Size()) + " functions)"; });

    m.def("envelope", &EnvelopeOf, "functions"_a, "cases"_a = false, "method"_a = "exact",
          "(lower, upper), the lower and upper envelopes of the functions; with cases=True also the index in "
          "`functions` of the governing function of each stored point of lower and upper.\n\n"
          "method=\"exact\" (the default): between points the least and the greatest function, every "
          "crossing placed; cases name the function governing the stretch that starts at the point (at the "
          "last point, the stretch that ends there), -1 only where no function is defined (the ordinate is "
          "then +-DBL_MAX). method=\"fold\": the set's folded EnvelopMaxMin; cases name the first function "
          "through the point within 1e-10, -1 also where the fold interpolated. A function equal in value to "
          "an earlier one never governs; a single function is both envelopes. ValueError for a closed curve "
          "with the exact method.");
    m.def("combine", &Combine, "functions"_a, "factors"_a,
          "The load combination sum(factors[k] * functions[k]) on the merged abscissas, a new Function1D.");
}

} // namespace vymath_py
