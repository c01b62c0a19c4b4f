#!/bin/sh
# Installs what is missing, builds, and runs every test headless.
#   scripts/test.sh             normal build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UBSan build in build-asan/
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy

if [ "${1:-}" = "--sanitize" ]; then
  scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTARVEX_SANITIZE=ON
  export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:exitcode=23"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
  # Mesa's software rasteriser in the main thread: the leak checker stops
  # every thread at exit, and rasteriser threads winding down then can crash it.
  export LP_NUM_THREADS=0
  cd build-asan
else
  scripts/build.sh build
  cd build
fi
ctest --output-on-failure -j "$(nproc)"
