// The progress line: a thread redraws it ten times a second, so that it also moves while a long
// library call runs.
#include "Progress.h"

#include <cstdio>

namespace vycli {

namespace {
constexpr auto kDelay = std::chrono::seconds(1);
constexpr auto kPeriod = std::chrono::milliseconds(100);
} // namespace

Progress::Progress(bool enabled) : enabled(enabled), start(std::chrono::steady_clock::now()) {
    if (enabled)
        worker = std::thread([this] { Run(); });
}

Progress::~Progress() {
    Stop();
}

void Progress::Stage(const std::string& what, std::size_t count) {
    if (!enabled)
        return;
    std::lock_guard<std::mutex> lock(mutex);
    stage = what;
    total = count;
    done = 0;
}

void Progress::Advance(std::size_t count) {
    done = count;
}

void Progress::Stop() {
    if (!worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    worker.join();
    if (shown)
        std::fputs("\r\033[K", stderr);
}

void Progress::Run() {
    std::unique_lock<std::mutex> lock(mutex);
    while (!wake.wait_for(lock, kPeriod, [this] { return stopping; })) {
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (elapsed < kDelay)
            continue;
        const double seconds = std::chrono::duration<double>(elapsed).count();
        if (total > 0)
            std::fprintf(stderr, "\r\033[Kvymath: %s %3.0f%%  %.1f s", stage.c_str(),
                         100.0 * static_cast<double>(done) / static_cast<double>(total), seconds);
        else
            std::fprintf(stderr, "\r\033[Kvymath: %s  %.1f s", stage.c_str(), seconds);
        std::fflush(stderr);
        shown = true;
    }
}

} // namespace vycli
