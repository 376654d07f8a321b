# Cross-compiles the 64-bit Windows DLLs with MinGW-w64 (the Debian/Ubuntu
# g++-mingw-w64-x86-64-posix compilers, whose threads are POSIX threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CCLP_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CCLP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CCLP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CCLP_MINGW_TRIPLE}-windres)
# The target's binutils, named so that host tools are never used by mistake.
set(CMAKE_AR ${CCLP_MINGW_TRIPLE}-ar CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${CCLP_MINGW_TRIPLE}-ranlib CACHE FILEPATH "Archive indexer")
set(CMAKE_NM ${CCLP_MINGW_TRIPLE}-nm CACHE FILEPATH "Symbol lister")
set(CMAKE_OBJDUMP ${CCLP_MINGW_TRIPLE}-objdump CACHE FILEPATH "Object dumper")
set(CMAKE_STRIP ${CCLP_MINGW_TRIPLE}-strip CACHE FILEPATH "Stripper")

set(CMAKE_FIND_ROOT_PATH /usr/${CCLP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A Windows machine has no MinGW runtime DLLs: link libgcc, libstdc++ and
# winpthread (which the driver adds as -lpthread) statically into every DLL
# and executable. -static only makes the driver's -l libraries resolve to
# static archives: the project's DLLs are still linked through their import
# libraries, and the system DLLs through MinGW's import archives.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# MinGW's own C99 printf family instead of msvcrt's, whatever the toolchain's
# default: values print as on Linux ("1e+10", "inf", %zu, %lld, %Lf).
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
