/// @file
/// Export macro of the VyMath library.
///
/// The library is built with hidden symbols; every exported class carries VYMATH_API as a whole.
/// VYMATH_BUILDING is defined while the library itself is compiled; VYMATH_STATIC for a static build.
#ifndef VYMATH_EXPORT_H
#define VYMATH_EXPORT_H

#if defined(VYMATH_STATIC)
#define VYMATH_API
#elif defined(_WIN32) || defined(__CYGWIN__)
#if defined(VYMATH_BUILDING)
#define VYMATH_API __declspec(dllexport)
#else
#define VYMATH_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define VYMATH_API __attribute__((visibility("default")))
#else
#define VYMATH_API
#endif

#endif // VYMATH_EXPORT_H
