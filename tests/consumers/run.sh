#!/usr/bin/env bash
# Uses the module as an application team would: installs the built trees into
# temporary prefixes, builds the C and C++ consumer projects against them
# through find_package and through pkg-config, runs them, and packs the
# release archives.
#
#   tests/consumers/run.sh
#
# Needs the build trees of the `default` and `windows` presets, built (as
# .ci/run does before calling this). The Windows leg builds the C consumer
# with the MinGW toolchain, and the MSVC-ABI consumer with clang and lld-link
# against the MSVC import libraries, and runs them under Wine, in the Wine
# prefix of the Windows build tree.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
consumers="$root/tests/consumers"
linux_build="$root/build/default"
windows_build="$root/build/windows"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
# check <name> <command...>: runs one leg, its output in $work/<name>.log,
# shown when it fails.
check() {
  local name="$1" status=0
  shift
  # A subshell of its own, so that the leg stops at its first failing step.
  (set -e; "$@") >"$work/$name.log" 2>&1 || status=$?
  if ((status == 0)); then
    echo "ok     $name"
    passed=$((passed + 1))
  else
    echo "FAILED $name"
    sed 's/^/    /' "$work/$name.log"
    failed=$((failed + 1))
  fi
}

# consumer <c|cxx> <build dir> <cmake arguments...>: configures, builds and
# runs one consumer program.
consumer() {
  local language="$1" build="$2"
  shift 2
  cmake -S "$consumers/$language" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$build"
  "$build/${language}_consumer"
}

with_find_package() { # <prefix path> <language> <build dir>
  local prefixes="$1"
  shift
  consumer "$1" "$2" -DCMAKE_PREFIX_PATH="$prefixes"
}

with_pkg_config() { # <pkg-config path> <language> <build dir>
  PKG_CONFIG_PATH="$1" consumer "$2" "$3" -DCONSUMER_USE_PKG_CONFIG=ON
}

# windows_consumer <project> <toolchain> <prefix> <build dir>: a consumer
# project built for Windows with cmake/toolchains/<toolchain>.cmake against
# the Windows install tree, run under Wine; its DLLs are copied beside it by
# its build.
windows_consumer() {
  local project="$1" toolchain="$2" prefix="$3" build="$4" wine status=0
  wine="$(sed -n 's/^CCLP_WINE:FILEPATH=//p' "$windows_build/CMakeCache.txt")"
  cmake -S "$consumers/$project" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    --toolchain "$root/cmake/toolchains/$toolchain.cmake" \
    -Dcclp_score_DIR="$prefix/lib/cmake/cclp_score"
  cmake --build "$build"
  # Output to a file: Wine's services would hold a pipe open.
  env --unset=DISPLAY --unset=WAYLAND_DISPLAY WINEPREFIX="$windows_build/wine" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" "$build/${project}_consumer.exe" >"$build/run.log" 2>&1 </dev/null \
    || status=$?
  cat "$build/run.log"
  return "$status"
}

no_stand_ins_in() { # <prefix>
  local found
  found="$(find "$1" -name '*csys_runtime*' -o -name '*cclp_siblings*')"
  [[ -z "$found" ]] || { echo "stand-in files among the module's:"; echo "$found"; return 1; }
}

# Without the siblings, or targets for them, the package says what it lacks.
missing_siblings_reported() { # <module prefix> <build dir>
  if cmake -S "$consumers/c" -B "$2" -G Ninja -DCMAKE_PREFIX_PATH="$1" >"$2.log" 2>&1; then
    echo "found cclp_score without its siblings"
    return 1
  fi
  grep "needs imported targets for its sibling libraries" "$2.log"
  grep "cclp_caliper\." "$2.log"
}

# pack <build dir> <generator> <archive>: makes the release archive and
# checks that it holds what a user needs.
pack() {
  local build="$1" generator="$2" archive="$3"
  shift 3
  rm -f "$build/packages/$archive"
  (cd "$build" && cpack -G "$generator")
  local listing top="${archive%.tar.gz}"
  top="${top%.zip}"
  listing="$(cmake -E tar tf "$build/packages/$archive")"
  for file in "$@"; do
    grep -qxF "$top/$file" <<<"$listing" || { echo "$archive lacks $file"; return 1; }
  done
}

# unpack <archive> <folder>: unpacks a release archive and prints the path
# of its top folder.
unpack() {
  local archive="$1" into="$2" top
  top="$(basename "${archive%.tar.gz}")"
  mkdir -p "$into"
  (cd "$into" && cmake -E tar xf "$archive")
  echo "$into/${top%.zip}"
}

# The Linux archive unpacked anywhere, used through pkg-config from a plain
# compiler command line, as a Makefile would.
unpacked_with_cc() {
  local top
  top="$(unpack "$1" "$2")"
  export PKG_CONFIG_PATH="$top/lib/pkgconfig"
  # shellcheck disable=SC2046
  cc -std=c99 -Wall -Wextra -pedantic -Werror \
    -DPACKAGE_VERSION="\"$(pkg-config --modversion cclp_score)\"" \
    "$consumers/c/main.c" "$consumers/score_pair.c" \
    $(pkg-config --cflags --libs cclp_score) -Wl,-rpath,"$top/lib" -o "$2/c_consumer"
  "$2/c_consumer"
}

unpacked_windows_consumer() { # <project> <toolchain> <archive> <folder>
  windows_consumer "$1" "$2" "$(unpack "$3" "$4")" "$4/build"
}

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$linux_build/CMakeCache.txt")"

echo "== Linux: one prefix with every component =="
linux="$work/linux"
cmake --install "$linux_build" --prefix "$linux" >"$work/install-linux.log"
for language in c cxx; do
  check "linux-$language-find_package" with_find_package "$linux" $language "$work/$language-find"
  check "linux-$language-pkg-config" with_pkg_config "$linux/lib/pkgconfig" $language "$work/$language-pc"
done

echo "== Linux: the module without the sibling stand-ins, which live elsewhere =="
module="$work/module" siblings="$work/siblings"
for component in runtime development; do
  cmake --install "$linux_build" --prefix "$module" --component $component >>"$work/install-split.log"
done
cmake --install "$linux_build" --prefix "$siblings" --component siblings >>"$work/install-split.log"
check "module-alone-has-no-stand-ins" no_stand_ins_in "$module"
check "module-alone-reports-missing-siblings" missing_siblings_reported "$module" "$work/alone"
# The siblings play libraries installed elsewhere on the system, where the
# loader finds them by its search path.
loader_path="$siblings/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
LD_LIBRARY_PATH="$loader_path" check "split-c-find_package" \
  with_find_package "$module;$siblings" c "$work/split-find"
LD_LIBRARY_PATH="$loader_path" check "split-c-own-sibling-targets" \
  consumer c "$work/split-own" -DCMAKE_PREFIX_PATH="$module" \
  -DCMAKE_PROJECT_INCLUDE="$consumers/own_siblings.cmake" -DSIBLINGS_PREFIX="$siblings"
LD_LIBRARY_PATH="$loader_path" check "split-c-pkg-config" \
  with_pkg_config "$module/lib/pkgconfig:$siblings/lib/pkgconfig" c "$work/split-pc"

echo "== Windows: the C consumers, MinGW and MSVC ABI, under Wine =="
windows="$work/windows"
cmake --install "$windows_build" --prefix "$windows" >"$work/install-windows.log"
check "windows-c-find_package" windows_consumer c mingw-w64-x86_64 "$windows" "$work/c-windows"
check "windows-msvc-abi-c-find_package" windows_consumer msvc clang-msvc-x86_64 "$windows" \
  "$work/msvc-windows"

echo "== release archives =="
tarball="cclp_score-$version-Linux.tar.gz"
zip="cclp_score-$version-win64.zip"
check "archive-linux" pack "$linux_build" TGZ "$tarball" \
  "lib/libcclp_score.so.$version" lib/libcclp_score.so.0 include/cclp_score/cclp_score.h \
  include/cclp_score/cclp_version.h lib/cmake/cclp_score/cclp_scoreConfig.cmake lib/pkgconfig/cclp_score.pc share/doc/cclp_score/LICENSE
check "archive-windows" pack "$windows_build" ZIP "$zip" \
  bin/cclp_score.dll bin/csys_runtime.dll lib/cclp_score.dll.a lib/cclp_score.lib \
  lib/csys_runtime.dll.a lib/csys_runtime.lib include/cclp_score/cclp_score.h \
  include/cclp_siblings/cclp_caliper.h lib/cmake/cclp_score/cclp_scoreConfig.cmake \
  share/doc/cclp_score/README.md share/doc/cclp_score/LICENSE
check "unpacked-linux-archive-c-cc-pkg-config" unpacked_with_cc "$linux_build/packages/$tarball" \
  "$work/unpacked-linux"
check "unpacked-windows-archive-c-find_package" unpacked_windows_consumer c mingw-w64-x86_64 \
  "$windows_build/packages/$zip" "$work/unpacked-windows"
check "unpacked-windows-archive-msvc-abi-c-find_package" unpacked_windows_consumer msvc \
  clang-msvc-x86_64 "$windows_build/packages/$zip" "$work/unpacked-windows-msvc"
echo "archives: $linux_build/packages/$tarball"
echo "          $windows_build/packages/$zip"

echo "consumers: $passed passed, $failed failed"
((failed == 0))
