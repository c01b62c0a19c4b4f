#!/bin/sh
# Builds the libFuzzer targets (HTML parser, HTML layout, Base64 text decoder,
# hex parser, automation script parser)
# with clang under ASan + UBSan and runs each for a bounded number of inputs
# from its seed corpus.
#   scripts/fuzz.sh [RUNS]    default 100000 inputs each
# New inputs go to a scratch corpus in build-fuzz/, the seeds stay untouched.
set -eu
cd "$(dirname "$0")/.."
runs="${1:-100000}"
out=build-fuzz
mkdir -p "$out"

# clang with its libFuzzer runtime, installed when missing.
missing=""
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

CXX="${FUZZ_CXX:-clang++}"
flags="-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. $(pkg-config --cflags sdl2)"

build() { # name, sources...
    name="$1"
    shift
    # shellcheck disable=SC2086
    "$CXX" $flags -o "$out/$name" "$@"
}

build html-parser-fuzz tests/html/fuzz/HtmlParserFuzz.cpp html/HtmlParser.cpp
# The layout needs the Vera font (TARVEXKIT_FONT, Debian's copy or build/data/fonts).
build html-layout-fuzz tests/html/fuzz/HtmlLayoutFuzz.cpp html/HtmlLayout.cpp html/HtmlFonts.cpp \
    html/HtmlText.cpp html/HtmlParser.cpp -I/usr/include/utf8cpp $(pkg-config --cflags --libs SDL2_ttf)
build base64-decode-fuzz tests/support/fuzz/Base64DecodeFuzz.cpp support/Base64.cpp
build parse-hex-fuzz tests/support/fuzz/ParseHexFuzz.cpp support/TextUtil.cpp
# The script parser shares its command table with the runner, which reaches
# into the whole toolkit: the library is built once with the same sanitizers.
cmake -S . -B "$out/lib" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER="$CXX" \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
    -DTARVEXKIT_BUILD_DEMO=OFF -DTARVEXKIT_BUILD_TESTS=OFF -DTARVEXKIT_BUILD_BENCH=OFF \
    -DTARVEXKIT_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$out/lib" --target tarvexkit -j "$(nproc)" >/dev/null
# shellcheck disable=SC2046
build script-parser-fuzz tests/automation/fuzz/DemoScriptParserFuzz.cpp "$out/lib/libtarvexkit.a" \
    $(pkg-config --libs sdl2 SDL2_ttf SDL2_image freetype2 cairo)

run() { # name, seed corpus
    work="$out/$1-corpus"
    mkdir -p "$work"
    echo "== $1: $runs inputs"
    "$out/$1" "$work" "$2" -runs="$runs" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
        2>"$out/$1.log" || { tail -n 60 "$out/$1.log"; echo "$1 FAILED"; exit 1; }
    grep -E 'stat::number_of_executed_units|Done' "$out/$1.log" | tail -n 2
}

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
run html-parser-fuzz tests/html/fuzz/corpus
run html-layout-fuzz tests/html/fuzz/corpus
run base64-decode-fuzz tests/support/fuzz/base64-corpus
run parse-hex-fuzz tests/support/fuzz/hex-corpus
run script-parser-fuzz tests/scripts
echo "fuzzing: no crash, leak, sanitizer report or hang"
