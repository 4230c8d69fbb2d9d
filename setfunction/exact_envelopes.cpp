// The exact envelopes of a function set: a balanced tournament of pairwise merges. Each envelope is a
// sequence of pieces over the set's range, each piece owned by one segment of one member (or a gap), and
// a merge is one walk over the breakpoints of its two inputs. The points are written at the end, from the
// final pieces and the abscissas where a member's domain starts or ends.
#include "vymath/CVyMathSetFunction1D.h"

#include "foundation/Access.h"
#include "function1d/Lagrange.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {

using vymath::detail::LagrangeLine;

constexpr double kOutputTolerance = 1e-9; // the abscissa tolerance of the outputs, as the fold gives them
// The least distance between two output points: twice the tolerance, since GetOrdinate takes a point that
// lies exactly one tolerance above another (after rounding) as lying before it, and would then evaluate the
// output off its own point.
constexpr double kSpacing = 2.0 * kOutputTolerance;
constexpr double kTieRelative = 1e-10; // values within 1e-10 max(1, |y|) are tied

// The owner of a piece: the member's position in the high half, its segment (left point) in the low half.
using Label = std::uint64_t;
constexpr Label kGap = ~Label{0};

Label MakeLabel(std::size_t member, std::size_t segment) {
    return (static_cast<Label>(member) << 32) | static_cast<Label>(segment);
}
std::size_t MemberOf(Label l) {
    return static_cast<std::size_t>(l >> 32);
}
std::size_t SegmentOf(Label l) {
    return static_cast<std::size_t>(l & 0xFFFFFFFFu);
}

struct Member {
    const double* x;
    const double* y;
    std::size_t n;
};

bool Tied(double a, double b) {
    return std::fabs(a - b) <= kTieRelative * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

// Contiguous pieces over [lo, hi]: owners[k] owns (breaks[k], breaks[k + 1]), k < count.
struct Pieces {
    std::unique_ptr<double[]> breaks; // uninitialised storage: a merge writes what it reads
    std::unique_ptr<Label[]> owners;
    std::size_t count = 0;
};

// The pieces of one member over [lo, hi], read in place: a gap before its first point, its segments of
// nonzero width (clipped to the range), a gap after its last point.
class MemberPieces {
public:
    MemberPieces(const Member& m, std::size_t position, double lo, double hi)
        : m(m), position(position), hi(hi) {
        const std::size_t n = m.n;
        if (n < 2 || !(m.x[0] < m.x[n - 1]) || m.x[n - 1] <= lo || m.x[0] >= hi) {
            Gap(hi);
        } else if (m.x[0] > lo) {
            s = kNone;
            Gap(m.x[0]);
        } else {
            s = static_cast<std::size_t>(std::upper_bound(m.x, m.x + n, lo) - m.x) -
                1; // x[s] <= lo < x[s + 1]
            Segment();
        }
    }
    double End() const { return end; }
    Label Owner() const { return owner; }
    std::size_t Size() const { return m.n + 1; } // at most this many pieces
    // The next piece: after the leading gap the first segment of nonzero width, else the one after s.
    void Next() {
        std::size_t t = s == kNone ? 0 : s + 1;
        while (t + 1 < m.n && m.x[t] == m.x[t + 1])
            ++t;
        if (t + 1 < m.n) {
            s = t;
            Segment();
        } else {
            Gap(hi);
        }
    }

private:
    static constexpr std::size_t kNone = ~std::size_t{0};
    void Gap(double e) {
        end = e;
        owner = kGap;
    }
    void Segment() {
        end = std::min(m.x[s + 1], hi);
        owner = MakeLabel(position, s);
    }
    const Member& m;
    std::size_t position;
    double hi;
    std::size_t s = kNone;
    double end = 0.0;
    Label owner = kGap;
};

// No member anywhere: one gap over the whole range.
class NoPieces {
public:
    explicit NoPieces(double hi) : hi(hi) {}
    double End() const { return hi; }
    Label Owner() const { return kGap; }
    std::size_t Size() const { return 1; }
    void Next() {}

private:
    double hi;
};

class PiecesReader {
public:
    explicit PiecesReader(const Pieces& p) : end(p.breaks.get() + 1), owner(p.owners.get()), size(p.count) {}
    double End() const { return *end; }
    Label Owner() const { return *owner; }
    std::size_t Size() const { return size; }
    void Next() {
        ++end;
        ++owner;
    }

private:
    const double* end;
    const Label* owner;
    std::size_t size;
};

// Where a member's domain starts or ends, or it has two points at one abscissa.
struct Special {
    double x;
    std::size_t member;
};

// One envelope, lower or upper, of the members over [lo, hi].
class Envelope {
public:
    Envelope(const std::vector<Member>& members, double lo, double hi, bool upper)
        : members(members), lo(lo), hi(hi), upper(upper), placeholder(upper ? -DBL_MAX : DBL_MAX) {}

    void Compute(const std::vector<Special>& specials, std::vector<CVyMathFunction1D::Point>& points,
                 std::vector<int>& cases) {
        if (hi - lo >= kSpacing) {
            const Pieces pieces = Tournament(0, members.size());
            Emit(pieces, specials);
        } else {
            Single();
        }
        points.clear();
        cases.clear();
        points.reserve(out.size());
        cases.reserve(out.size());
        for (const Out& o : out) {
            points.push_back({o.x, o.y});
            cases.push_back(o.member);
        }
    }

private:
    // The winner on (L, c) and on (c, R) of the stretch where two segments are both straight.
    struct Contest {
        Label left, right;
        double at; // the crossing; +inf where there is none
    };
    struct Out {
        double x, y;
        int member;
        Label source; // the segment the point lies on; kGap for a point value and the placeholder
    };

    bool Better(double a, double b) const { return upper ? a > b : a < b; }

    double SegmentValue(Label l, double x) const {
        const Member& m = members[MemberOf(l)];
        const std::size_t s = SegmentOf(l);
        if (x == m.x[s])
            return m.y[s];
        if (x == m.x[s + 1])
            return m.y[s + 1];
        return LagrangeLine(m.x[s], m.y[s], m.x[s + 1], m.y[s + 1], x);
    }

    // The member's value at x (within its points): the best of its stored ordinates at x, or its segment's.
    double PointValue(std::size_t member, double x) const {
        const Member& m = members[member];
        const double* b = std::lower_bound(m.x, m.x + m.n, x);
        const double* e = std::upper_bound(b, m.x + m.n, x);
        if (b == e) {
            const std::size_t s = static_cast<std::size_t>(b - m.x) - 1;
            return LagrangeLine(m.x[s], m.y[s], m.x[s + 1], m.y[s + 1], x);
        }
        double v = m.y[b - m.x];
        for (const double* p = b + 1; p != e; ++p)
            if (Better(m.y[p - m.x], v))
                v = m.y[p - m.x];
        return v;
    }

    Contest Compare(Label a, Label b) const {
        const Member& ma = members[MemberOf(a)];
        const Member& mb = members[MemberOf(b)];
        const std::size_t sa = SegmentOf(a), sb = SegmentOf(b);
        constexpr double kNever = std::numeric_limits<double>::infinity();
        const double L = std::max(ma.x[sa], mb.x[sb]), R = std::min(ma.x[sa + 1], mb.x[sb + 1]);
        const double aL = SegmentValue(a, L), bL = SegmentValue(b, L);
        const double aR = SegmentValue(a, R), bR = SegmentValue(b, R);
        const bool tiedL = Tied(aL, bL), tiedR = Tied(aR, bR);
        if (tiedL && tiedR) {
            const Label first = MemberOf(a) < MemberOf(b) ? a : b;
            return {first, first, kNever};
        }
        const bool aLeft = Better(aL, bL), aRight = Better(aR, bR);
        if (tiedL || (!tiedR && aLeft == aRight)) {
            const Label w = (tiedL ? aRight : aLeft) ? a : b;
            return {w, w, kNever};
        }
        if (tiedR) {
            const Label w = aLeft ? a : b;
            return {w, w, kNever};
        }
        // Opposite sides at the two ends: the zero of the difference, in wide arithmetic (the ends may be
        // open-end sentinels, the differences beyond the double range).
        using W = long double;
        const W dL = static_cast<W>(aL) - static_cast<W>(bL), dR = static_cast<W>(aR) - static_cast<W>(bR);
        const double c = static_cast<double>(static_cast<W>(L) +
                                             (static_cast<W>(R) - static_cast<W>(L)) * (dL / (dL - dR)));
        return {aLeft ? a : b, aLeft ? b : a, std::min(std::max(c, L), R)};
    }

    // The winner of two segments whose ordinate ranges are apart by twice the tie tolerance: the values
    // at both ends of their common stretch (each within its segment's range, to a few units of 2^-64)
    // are then apart beyond a tie and on the same side, as Compare would find. False otherwise.
    bool Apart(Label a, Label b, Label& winner) const {
        const Member& ma = members[MemberOf(a)];
        const Member& mb = members[MemberOf(b)];
        const std::size_t sa = SegmentOf(a), sb = SegmentOf(b);
        const double a0 = ma.y[sa], a1 = ma.y[sa + 1], b0 = mb.y[sb], b1 = mb.y[sb + 1];
        const double margin = 2.0 * kTieRelative *
                              std::max(std::max(1.0, std::max(std::fabs(a0), std::fabs(a1))),
                                       std::max(std::fabs(b0), std::fabs(b1)));
        if (std::min(a0, a1) - std::max(b0, b1) > margin) {
            winner = upper ? a : b;
            return true;
        }
        if (std::min(b0, b1) - std::max(a0, a1) > margin) {
            winner = upper ? b : a;
            return true;
        }
        return false;
    }

    // One walk over the breakpoints of a and b; each step appends at most two pieces.
    template <class A, class B>
    void Merge(A a, B b, Pieces& out) const {
        const std::size_t room = 2 * (a.Size() + b.Size()) + 2;
        out.breaks.reset(new double[room + 1]);
        out.owners.reset(new Label[room]);
        double* breaks = out.breaks.get();
        Label* owners = out.owners.get();
        std::size_t n = 0;
        breaks[0] = lo;
        const auto append = [&](double end, Label owner) {
            if (n > 0 && owners[n - 1] == owner) {
                breaks[n] = end;
            } else {
                owners[n++] = owner;
                breaks[n] = end;
            }
        };
        double from = lo;
        for (;;) {
            const double ea = a.End(), eb = b.End(), to = std::min(ea, eb);
            const Label oa = a.Owner(), ob = b.Owner();
            Label winner;
            if (oa == kGap) {
                append(to, ob);
            } else if (ob == kGap) {
                append(to, oa);
            } else if (Apart(oa, ob, winner)) {
                append(to, winner);
            } else {
                const Contest contest = Compare(oa, ob);
                if (!(contest.at < to)) {
                    append(to, contest.left);
                } else if (!(contest.at > from)) {
                    append(to, contest.right);
                } else {
                    append(contest.at, contest.left);
                    append(to, contest.right);
                }
            }
            if (!(to < hi))
                break;
            from = to;
            if (ea == to)
                a.Next();
            if (eb == to)
                b.Next();
        }
        out.count = n;
    }

    MemberPieces Leaf(std::size_t position) const {
        return MemberPieces(members[position], position, lo, hi);
    }

    // The envelope of the members at positions [first, last), split at the middle.
    Pieces Tournament(std::size_t first, std::size_t last) const {
        Pieces out;
        const std::size_t mid = first + (last - first) / 2;
        if (last - first == 1) {
            Merge(Leaf(first), NoPieces(hi), out);
        } else if (last - first == 2) {
            Merge(Leaf(first), Leaf(mid), out);
        } else if (mid - first == 1) {
            const Pieces right = Tournament(mid, last);
            Merge(Leaf(first), PiecesReader(right), out);
        } else {
            const Pieces left = Tournament(first, mid);
            const Pieces right = Tournament(mid, last);
            Merge(PiecesReader(left), PiecesReader(right), out);
        }
        return out;
    }

    // The best of the candidates at x, in position order: a later one wins only beyond a tie.
    bool Best(std::vector<std::size_t>& candidates, double x, std::size_t& member, double& value) const {
        if (candidates.empty())
            return false;
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        member = candidates[0];
        value = PointValue(member, x);
        for (std::size_t k = 1; k < candidates.size(); ++k) {
            const double v = PointValue(candidates[k], x);
            if (Better(v, value) && !Tied(v, value)) {
                member = candidates[k];
                value = v;
            }
        }
        return true;
    }

    // Appends a point of the member owning `source` (kGap: a point value, or the placeholder with member
    // -1). Points keep the tolerance between them without losing a steep feature: a point closer than
    // it after the previous point moves that one back to the tolerance before it, along the stretch that
    // leads there (dropped where that stretch is a step or too short, and then the point before is tried);
    // after the range's first point, which stays, the new point moves forward along its own line. A
    // step's outer point before x is left out when it would fall that close to the previous point.
    void Add(double x, double y, int member, Label source, bool outerBefore = false) {
        if (outerBefore && x - out.back().x < kSpacing)
            return;
        while (!out.empty() && x - out.back().x < kSpacing) {
            if (out.size() == 1) {
                x = StepFrom(out.front().x, 1.0);
                if (source != kGap)
                    y = SegmentValue(source, x);
                break;
            }
            const Out& before = out[out.size() - 2];
            const double back = StepFrom(x, -1.0);
            if ((before.source != kGap || before.member < 0) && back - before.x >= kSpacing) {
                out.back() = {back, before.source == kGap ? before.y : SegmentValue(before.source, back),
                              before.member, before.source};
                break;
            }
            out.pop_back();
        }
        out.push_back({x, y, member, source});
    }

    // The abscissa a step's outer point takes: x -+ the spacing, moved outwards until not within it.
    static double StepFrom(double x, double direction) {
        double s = x + direction * kSpacing;
        while (std::fabs(x - s) < kSpacing)
            s = std::nextafter(s, direction * std::numeric_limits<double>::infinity());
        return s;
    }

    double ValueOf(Label l, double x) const { return l == kGap ? placeholder : SegmentValue(l, x); }
    static int CaseOf(Label l) { return l == kGap ? -1 : static_cast<int>(MemberOf(l)); }

    // The points at x, between the piece owned by `left` and the piece owned by `right` (absent before the
    // range's first and after its last point), with the members whose domain starts or ends at x.
    void Junction(double x, Label left, Label right, bool hasLeft, bool hasRight, const Special* sb,
                  const Special* se) {
        if (sb == se && hasLeft && hasRight && left != kGap && right != kGap) {
            const double r = SegmentValue(right, x);
            if (Tied(SegmentValue(left, x), r)) { // continuous at x (else a crossing rounded onto x)
                if (left != right)
                    Add(x, r, CaseOf(right), right);
                return;
            }
        }
        std::vector<std::size_t>& candidates = scratch;
        candidates.clear();
        if (hasLeft && left != kGap)
            candidates.push_back(MemberOf(left));
        if (hasRight && right != kGap)
            candidates.push_back(MemberOf(right));
        for (const Special* s = sb; s != se; ++s)
            candidates.push_back(s->member);
        std::size_t best = 0;
        double v = 0.0;
        if (!Best(candidates, x, best, v)) { // no member at x: a gap goes on
            if (!hasLeft || !hasRight)
                Add(x, placeholder, -1, kGap);
            return;
        }
        const int bestCase = static_cast<int>(best);
        const bool withLeft = hasLeft && left != kGap && Tied(SegmentValue(left, x), v);
        const bool withRight = hasRight && right != kGap && Tied(SegmentValue(right, x), v);
        if (withLeft && withRight) {
            if (left != right)
                Add(x, SegmentValue(right, x), CaseOf(right), right);
            return;
        }
        if (hasLeft && !withLeft) {
            const double before = StepFrom(x, -1.0);
            Add(before, ValueOf(left, before), CaseOf(left), left, true);
        }
        if (hasLeft && !hasRight) { // the range's last point
            if (withLeft)
                Add(x, SegmentValue(left, x), CaseOf(left), left);
            else
                Add(x, v, bestCase, kGap);
            return;
        }
        if (withRight) {
            Add(x, SegmentValue(right, x), CaseOf(right), right);
        } else {
            Add(x, v, bestCase, kGap);
            const double after = StepFrom(x, 1.0);
            Add(after, ValueOf(right, after), CaseOf(right), right);
        }
    }

    void Emit(const Pieces& pieces, const std::vector<Special>& specials) {
        std::size_t si = 0;
        const auto at = [&](double x) {
            const std::size_t b = si;
            while (si < specials.size() && specials[si].x == x)
                ++si;
            return std::make_pair(specials.data() + b, specials.data() + si);
        };
        const std::size_t n = pieces.count;
        out.reserve(n + 3 * specials.size() + 2);
        auto s = at(lo);
        Junction(lo, kGap, pieces.owners[0], false, true, s.first, s.second);
        for (std::size_t k = 0; k < n; ++k) {
            const double end = pieces.breaks[k + 1];
            while (si < specials.size() && specials[si].x < end) {
                s = at(specials[si].x);
                Junction(s.first->x, pieces.owners[k], pieces.owners[k], true, true, s.first, s.second);
            }
            s = at(end);
            if (k + 1 < n)
                Junction(end, pieces.owners[k], pieces.owners[k + 1], true, true, s.first, s.second);
            else
                Junction(end, pieces.owners[k], kGap, true, false, s.first, s.second);
        }
    }

    // A range of one abscissa: the best member defined there, or the placeholder.
    void Single() {
        std::vector<std::size_t> candidates;
        for (std::size_t k = 0; k < members.size(); ++k)
            if (members[k].n > 0 && members[k].x[0] <= lo && lo <= members[k].x[members[k].n - 1])
                candidates.push_back(k);
        std::size_t best = 0;
        double v = 0.0;
        if (Best(candidates, lo, best, v))
            out.push_back({lo, v, static_cast<int>(best), kGap});
        else
            out.push_back({lo, placeholder, -1, kGap});
    }

    const std::vector<Member>& members;
    const double lo, hi;
    const bool upper;
    const double placeholder;
    std::vector<Out> out;
    std::vector<std::size_t> scratch;
};

// The abscissas within [lo, hi] where a member's domain starts or ends, or where it has two points,
// sorted by abscissa and member.
std::vector<Special> Specials(const std::vector<Member>& members, double lo, double hi) {
    std::vector<Special> specials;
    for (std::size_t k = 0; k < members.size(); ++k) {
        const Member& m = members[k];
        const auto add = [&](double x) {
            if (lo <= x && x <= hi)
                specials.push_back({x, k});
        };
        if (m.n == 0)
            continue;
        add(m.x[0]);
        for (std::size_t i = 0; i + 1 < m.n; ++i)
            if (m.x[i] == m.x[i + 1])
                add(m.x[i]);
        add(m.x[m.n - 1]);
    }
    std::sort(specials.begin(), specials.end(), [](const Special& a, const Special& b) {
        return a.x < b.x || (a.x == b.x && a.member < b.member);
    });
    specials.erase(
        std::unique(specials.begin(), specials.end(),
                    [](const Special& a, const Special& b) { return a.x == b.x && a.member == b.member; }),
        specials.end());
    return specials;
}

} // namespace

bool CVyMathSetFunction1D::ExactEnvelopes(CVyMathFunction1D& lower, CVyMathFunction1D& upper,
                                          std::vector<int>& lowerCase, std::vector<int>& upperCase) const {
    if (functions.empty() || !(rangeMin <= rangeMax))
        return false;
    std::vector<Member> members;
    members.reserve(functions.size());
    for (const CVyMathFunction1D* f : functions) {
        const auto& p = vymath::detail::Access::Points(*f);
        if (!p.Sorted())
            return false;
        members.push_back({p.X(), p.Y(), p.size()});
    }
    const std::vector<Special> specials = Specials(members, rangeMin, rangeMax);
    std::vector<CVyMathFunction1D::Point> points[2];
    std::vector<int> cases[2];
    for (int k = 0; k < 2; ++k)
        Envelope(members, rangeMin, rangeMax, k == 1).Compute(specials, points[k], cases[k]);

    CVyMathFunction1D* outputs[2] = {&lower, &upper};
    for (int k = 0; k < 2; ++k) { // the range as the domain, the tolerance, then the points
        CVyMathFunction1D result(rangeMin, rangeMax, 0);
        result.SetXtolerance(kOutputTolerance);
        vymath::detail::Access::SetPoints(result, points[k]);
        *outputs[k] = result;
    }
    lowerCase = std::move(cases[0]);
    upperCase = std::move(cases[1]);
    return true;
}
