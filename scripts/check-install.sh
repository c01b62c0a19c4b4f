#!/bin/sh
# Installs the toolkit from build/ into a temporary prefix and builds the
# hello example against the installed files only, once through CMake's
# find_package and once through pkg-config; both programs then run headless
# through their script. Run after scripts/test.sh.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"

cmake --install build --prefix "$prefix" >/dev/null

# A separate CMake project that knows only the installed package.
cmake -S examples/hello -B "$tmp/with-cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/with-cmake" -j "$(nproc)" >/dev/null

# The same program built by hand with pkg-config.
PKG_CONFIG_PATH="$prefix/lib/pkgconfig:$prefix/lib/x86_64-linux-gnu/pkgconfig" \
  sh -c 'c++ -o "$1" "$2" $(pkg-config --cflags --libs tarvexkit)' sh "$tmp/hello-pc" examples/hello/hello.cpp

# Each runs its script from an empty folder, far from the build.
mkdir "$tmp/run"
for program in "$tmp/with-cmake/hello" "$tmp/hello-pc"; do
  (cd "$tmp/run" && SDL_VIDEODRIVER=offscreen GUI_DEMO_QUIT_AT_END=1 \
     GUI_DEMO_SCRIPT="$root/examples/hello/hello.demo" timeout 60 "$program" >"$tmp/out.txt" 2>&1) || {
    echo "installed hello failed: $program"; cat "$tmp/out.txt"; exit 1; }
  if grep -q "Schriftart" "$tmp/out.txt"; then echo "installed hello found no font"; cat "$tmp/out.txt"; exit 1; fi
done
# Another project that takes the source tree in with add_subdirectory gets
# the library alone: no tests, benchmarks, demo or examples.
mkdir "$tmp/outer"
cat > "$tmp/outer/CMakeLists.txt" <<EOF_OUTER
cmake_minimum_required(VERSION 3.25)
project(outer LANGUAGES C CXX)
add_subdirectory("$root" tarvexkit)
add_executable(app "$root/examples/hello/hello.cpp")
target_link_libraries(app PRIVATE tarvexkit::tarvexkit)
if(TARGET tarvexkit-demo OR TARGET tests_core OR TARGET ListCtrlBench OR TARGET hello)
  message(FATAL_ERROR "a subproject must build the library only")
endif()
EOF_OUTER
cmake -S "$tmp/outer" -B "$tmp/outer/build" >/dev/null

echo "installed package works with find_package and with pkg-config; add_subdirectory configures"
