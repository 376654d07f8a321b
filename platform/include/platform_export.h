/* Export macro shared by the sibling stand-in libraries. Each library defines
 * <NAME>_BUILDING while it is compiled, so that its own header exports and
 * every other user imports. */
#ifndef PLATFORM_EXPORT_H
#define PLATFORM_EXPORT_H

#if defined(_WIN32)
#  define PLATFORM_EXPORT __declspec(dllexport)
#  define PLATFORM_IMPORT __declspec(dllimport)
#elif defined(__GNUC__)
#  define PLATFORM_EXPORT __attribute__((visibility("default")))
#  define PLATFORM_IMPORT
#else
#  define PLATFORM_EXPORT
#  define PLATFORM_IMPORT
#endif

#endif
