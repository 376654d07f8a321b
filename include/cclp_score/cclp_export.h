/* The one export macro of the scoring module. */
#ifndef CCLP_EXPORT_H
#define CCLP_EXPORT_H

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

#ifdef __cplusplus
#  define CCLP_EXTERN_C_BEGIN extern "C" {
#  define CCLP_EXTERN_C_END }
#else
#  define CCLP_EXTERN_C_BEGIN
#  define CCLP_EXTERN_C_END
#endif

#endif
