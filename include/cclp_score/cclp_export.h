/** @file
 * The one export macro of the scoring module, and the C linkage of its
 * declarations for C++ callers. */
#ifndef CCLP_EXPORT_H
#define CCLP_EXPORT_H

/** @def CCLP_API
 * Marks a function the module exports: dllexport while the module is built,
 * dllimport for its callers on Windows, default visibility elsewhere. */
#if defined(_WIN32)
#  if defined(CCLP_SCORE_BUILDING)
#    define CCLP_API __declspec(dllexport)
#  else
#    define CCLP_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define CCLP_API __attribute__((visibility("default")))
#else
#  define CCLP_API
#endif

/** @def CCLP_EXTERN_C_BEGIN
 * Opens C linkage (extern "C" {) when a C++ compiler reads the headers. */
/** @def CCLP_EXTERN_C_END
 * Closes what CCLP_EXTERN_C_BEGIN opened. */
#ifdef __cplusplus
#  define CCLP_EXTERN_C_BEGIN extern "C" {
#  define CCLP_EXTERN_C_END }
#else
#  define CCLP_EXTERN_C_BEGIN
#  define CCLP_EXTERN_C_END
#endif

#endif
