/* The one export macro of the edge finder. */
#ifndef CEDGE_EXPORT_H
#define CEDGE_EXPORT_H

#if defined(_WIN32)
#  if defined(CEDGE_BUILDING)
#    define CEDGE_API __declspec(dllexport)
#  else
#    define CEDGE_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define CEDGE_API __attribute__((visibility("default")))
#else
#  define CEDGE_API
#endif

#endif
