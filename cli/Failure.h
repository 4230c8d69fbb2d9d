// The error that ends a run: a one-line message (without the program's name) and the exit status.
#ifndef VYMATH_CLI_FAILURE_H
#define VYMATH_CLI_FAILURE_H

#include <stdexcept>
#include <string>

namespace vycli {

constexpr int kDataError = 1;  // the input cannot be read, or its contents are wrong
constexpr int kUsageError = 2; // the command line is wrong

class Failure : public std::runtime_error {
public:
    Failure(int status, const std::string& message) : std::runtime_error(message), status(status) {}
    int Status() const { return status; }

private:
    int status;
};

[[noreturn]] inline void DataError(const std::string& message) {
    throw Failure(kDataError, message);
}
[[noreturn]] inline void UsageError(const std::string& message) {
    throw Failure(kUsageError, message);
}

} // namespace vycli

#endif // VYMATH_CLI_FAILURE_H
