// Members in parallel: what every run of the model shares. Not installed.
#ifndef VYMATH_ANALYSIS_MEMBERS_H
#define VYMATH_ANALYSIS_MEMBERS_H

#include "vymath/analysis/Analysis.h"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <vector>

namespace vymath {
namespace analysis {

// Runs one(m) for every m < n, in parallel, into results[m]; rethrows the first error in order (items
// after a failed one need not run).
template <class Result, class One>
std::vector<Result> ForEach(std::size_t n, const RunOptions& options, One one) {
    std::vector<Result> results(n);
    std::vector<std::exception_ptr> errors(n);
    std::atomic<std::size_t> firstError{n};
    std::atomic<std::size_t> done{0};
    std::mutex progressLock;
    const auto run = [&](std::size_t m) {
        if (m > firstError.load())
            return;
        try {
            results[m] = one(m);
        } catch (...) {
            errors[m] = std::current_exception();
            std::size_t seen = firstError.load();
            while (m < seen && !firstError.compare_exchange_weak(seen, m)) {
            }
        }
        const std::size_t count = ++done;
        if (options.progress) {
            std::lock_guard<std::mutex> lock(progressLock);
            options.progress(count, n);
        }
    };
    const int threads =
        options.threads > 0 ? static_cast<int>(options.threads) : tbb::info::default_concurrency();
    if (threads == 1) {
        for (std::size_t m = 0; m < n; ++m)
            run(m);
    } else {
        tbb::task_arena arena(threads);
        arena.execute([&] {
            tbb::parallel_for(tbb::blocked_range<std::size_t>(0, n),
                              [&](const tbb::blocked_range<std::size_t>& r) {
                                  for (std::size_t m = r.begin(); m != r.end(); ++m)
                                      run(m);
                              });
        });
    }
    for (std::size_t m = 0; m < n; ++m)
        if (errors[m])
            std::rethrow_exception(errors[m]);
    return results;
}

// The same for every member of the model.
template <class Result, class One>
std::vector<Result> ForEachMember(const Model& model, const RunOptions& options, One one) {
    return ForEach<Result>(model.Size(), options, one);
}

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_MEMBERS_H
