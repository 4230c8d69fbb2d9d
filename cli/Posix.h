// The POSIX calls of the tool (isatty, lstat, mkstemp, write, close): Linux, the BSDs and macOS have them.
#ifndef VYMATH_CLI_POSIX_H
#define VYMATH_CLI_POSIX_H

#if !defined(__unix__) && !defined(__APPLE__)
#error "The vymath tool needs POSIX (isatty, lstat, mkstemp); configure with -DVYMATH_BUILD_CLI=OFF elsewhere"
#endif

#include <sys/stat.h>
#include <unistd.h>

#endif // VYMATH_CLI_POSIX_H
