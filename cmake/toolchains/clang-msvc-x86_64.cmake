# Builds 64-bit Windows programs for the MSVC ABI, as Visual Studio does, with
# clang for the x86_64-pc-windows-msvc target and lld-link (Debian's clang-14,
# lld-14 and llvm-14). Neither the MSVC C runtime nor the Windows SDK's
# libraries are here: a program built with this file links only the import
# libraries it names (see tests/consumers/msvc, which makes its own for
# kernel32) and brings its own entry point.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CCLP_MSVC_TRIPLE x86_64-pc-windows-msvc)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_C_COMPILER_TARGET ${CCLP_MSVC_TRIPLE})
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET ${CCLP_MSVC_TRIPLE})
set(CMAKE_RC_COMPILER llvm-rc-14)

# Without a C runtime, CMake's test programs cannot link: compile them only.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# Nor are the Windows SDK's import libraries that CMake links by default here.
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every C program")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every C++ program")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
