/* The one export macro of the geometry tools. */
#ifndef CGEOM_EXPORT_H
#define CGEOM_EXPORT_H

#if defined(_WIN32)
#  if defined(CGEOM_BUILDING)
#    define CGEOM_API __declspec(dllexport)
#  else
#    define CGEOM_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define CGEOM_API __attribute__((visibility("default")))
#else
#  define CGEOM_API
#endif

#endif
