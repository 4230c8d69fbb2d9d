/// @file
/// Export macro of the analysis layer.
///
/// vymath::analysis is built with hidden symbols; VYMATH_ANALYSIS_API marks what it exports: its API and
/// nothing else. VYMATH_ANALYSIS_BUILDING is defined while the layer itself is compiled;
/// VYMATH_ANALYSIS_STATIC for a static build.
#ifndef VYMATH_ANALYSIS_EXPORT_H
#define VYMATH_ANALYSIS_EXPORT_H

#if defined(VYMATH_ANALYSIS_STATIC)
#define VYMATH_ANALYSIS_API
#elif defined(_WIN32) || defined(__CYGWIN__)
#if defined(VYMATH_ANALYSIS_BUILDING)
#define VYMATH_ANALYSIS_API __declspec(dllexport)
#else
#define VYMATH_ANALYSIS_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define VYMATH_ANALYSIS_API __attribute__((visibility("default")))
#else
#define VYMATH_ANALYSIS_API
#endif

#endif // VYMATH_ANALYSIS_EXPORT_H
