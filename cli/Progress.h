// A progress line on standard error for long runs: shown only when standard error is a terminal,
// and only once the run has taken a second; cleared when the run ends.
#ifndef VYMATH_CLI_PROGRESS_H
#define VYMATH_CLI_PROGRESS_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

namespace vycli {

class Progress {
public:
    // enabled false: every call does nothing (standard error is not a terminal).
    explicit Progress(bool enabled);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // A new stage; total > 0 shows "done of total" as a percentage.
    void Stage(const std::string& what, std::size_t total = 0);
    void Advance(std::size_t done);
    // Clears the line and ends the display (before anything else goes to standard error).
    void Stop();

private:
    void Run();

    bool enabled;
    std::chrono::steady_clock::time_point start;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    bool shown = false;
    std::string stage;
    std::size_t total = 0;
    std::atomic<std::size_t> done{0};
    std::thread worker;
};

} // namespace vycli

#endif // VYMATH_CLI_PROGRESS_H
