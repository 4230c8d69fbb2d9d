// Reference: moving loads by brute force.
#include "RefMoving.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ref {

namespace {

std::vector<MovingVertex> Mirrored(const std::vector<MovingVertex>& line) {
    std::vector<MovingVertex> out;
    for (auto it = line.rbegin(); it != line.rend(); ++it)
        out.push_back({-it->x, it->right, it->left, it->jump});
    return out;
}

} // namespace

double LineValue(const std::vector<MovingVertex>& line, double x, int side) {
    const MovingVertex& first = line.front();
    const MovingVertex& last = line.back();
    if (x < first.x || x > last.x)
        return 0.0;
    if (x == first.x)
        return side < 0 ? 0.0 : first.right;
    if (x == last.x)
        return side > 0 ? 0.0 : last.left;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const MovingVertex& a = line[i - 1];
        const MovingVertex& b = line[i];
        if (x == b.x)
            return side < 0 ? b.left : side > 0 ? b.right : b.jump ? std::nan("") : b.left;
        if (x < b.x)
            return a.right + (b.left - a.right) * (x - a.x) / (b.x - a.x);
    }
    return 0.0;
}

double MovingAt(const std::vector<MovingVertex>& line, const std::vector<double>& loads, double p,
                bool forward, const std::vector<double>& spacings, const std::vector<int>& sides) {
    double sum = 0.0, c = 0.0;
    for (std::size_t k = 0; k < loads.size(); ++k) {
        if (k > 0)
            c += spacings[k - 1];
        sum += loads[k] * LineValue(line, forward ? p - c : p + c, sides[k]);
    }
    return sum;
}

double MovingMax(const std::vector<MovingVertex>& line, const MovingTrain& train, double step) {
    const std::size_t axles = train.loads.size();
    if (axles == 0)
        return 0.0;
    // The values each spacing takes.
    double reach = line.back().x - line.front().x + step;
    for (const auto& s : train.spacings)
        reach += std::isinf(s.second) ? s.first : s.second;
    std::vector<std::vector<double>> values;
    for (const auto& s : train.spacings) {
        std::vector<double> v;
        const double top = std::isinf(s.second) ? s.first + reach : s.second;
        for (int i = 0; s.first + i * step < top; ++i)
            v.push_back(s.first + i * step);
        v.push_back(top);
        values.push_back(v);
    }
    // The groups: a new one after each variable spacing.
    std::vector<std::size_t> group(axles, 0);
    for (std::size_t k = 1; k < axles; ++k)
        group[k] = group[k - 1] + (train.spacings[k - 1].first < train.spacings[k - 1].second ? 1 : 0);
    const std::size_t groups = group.back() + 1;
    std::size_t combos = 1;
    for (std::size_t g = 0; g < groups; ++g)
        combos *= 3;
    double best = 0.0;
    std::vector<std::size_t> pick(train.spacings.size(), 0);
    std::vector<double> spacing(train.spacings.size()), offset(axles);
    std::vector<int> sides(axles), groupSide(groups);
    for (;;) {
        for (std::size_t k = 0; k < pick.size(); ++k)
            spacing[k] = values[k][pick[k]];
        for (std::size_t k = 1; k < axles; ++k)
            offset[k] = offset[k - 1] + spacing[k - 1];
        for (int dir = 0; dir < 2; ++dir) {
            if ((dir == 0 && !train.forward) || (dir == 1 && !train.backward))
                continue;
            const std::vector<MovingVertex> l = dir == 0 ? line : Mirrored(line);
            for (std::size_t combo = 0; combo < combos; ++combo) {
                std::size_t code = combo;
                for (std::size_t g = 0; g < groups; ++g) {
                    groupSide[g] = static_cast<int>(code % 3) - 1;
                    code /= 3;
                }
                bool allowed = true;
                for (std::size_t k = 0; k + 1 < axles; ++k) {
                    if (group[k] == group[k + 1])
                        continue;
                    const int ahead = groupSide[group[k]], behind = groupSide[group[k + 1]];
                    if (spacing[k] == train.spacings[k].first && behind > ahead)
                        allowed = false;
                    if (spacing[k] == train.spacings[k].second && behind < ahead)
                        allowed = false;
                }
                if (!allowed)
                    continue;
                for (std::size_t k = 0; k < axles; ++k)
                    sides[k] = groupSide[group[k]];
                for (const MovingVertex& v : l)
                    for (std::size_t k = 0; k < axles; ++k) {
                        const double e = MovingAt(l, train.loads, v.x + offset[k], true, spacing, sides);
                        if (e > best)
                            best = e;
                    }
            }
        }
        std::size_t k = 0;
        while (k < pick.size() && ++pick[k] == values[k].size())
            pick[k++] = 0;
        if (k == pick.size())
            break;
    }
    return best;
}

double LaneArea(const std::vector<MovingVertex>& line, double sign) {
    double area = 0.0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double x0 = line[i - 1].x, x1 = line[i].x;
        const double a = sign * line[i - 1].right, b = sign * line[i].left;
        // The positive part of a straight piece: the whole trapezium, or the triangle up to the zero.
        if (a >= 0 && b >= 0)
            area += (a + b) * (x1 - x0) / 2;
        else if (a > 0)
            area += a * a / (a - b) * (x1 - x0) / 2;
        else if (b > 0)
            area += b * b / (b - a) * (x1 - x0) / 2;
    }
    return area;
}

} // namespace ref
