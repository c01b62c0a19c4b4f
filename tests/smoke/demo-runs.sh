#!/bin/sh
# The demo keeps running headless until it is interrupted, then ends cleanly;
# started from any folder it finds its font beside the executable; without
# any font it says so on standard error and runs on all the same.
#   demo-runs.sh DEMO_EXECUTABLE BUILD_DIR
set -u
demo="$1"
build="$2"
export SDL_VIDEODRIVER=offscreen

run_for_two_seconds() { # dir, stderr file
    start=$(date +%s%N)
    (cd "$1" && timeout --preserve-status -s INT 2 "$demo" 2>"$2" >/dev/null)
    rc=$?
    elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ "$rc" -ne 0 ]; then echo "demo in $1 ended with status $rc"; cat "$2"; exit 1; fi
    if [ "$elapsed_ms" -lt 1900 ]; then echo "demo in $1 ended by itself after $elapsed_ms ms"; exit 1; fi
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

run_for_two_seconds "$build" "$tmp/with-font.err"
if grep -q "Schriftart" "$tmp/with-font.err"; then echo "font not found in $build"; exit 1; fi

run_for_two_seconds / "$tmp/from-root.err"
if grep -q "Schriftart" "$tmp/from-root.err"; then echo "font not found when started from /"; exit 1; fi

mkdir "$tmp/empty"
(export TARVEXKIT_FONT="$tmp/empty/none.ttf"; run_for_two_seconds "$tmp/empty" "$tmp/no-font.err") || exit 1
if ! grep -q "^Schriftart konnte nicht geladen werden: " "$tmp/no-font.err"; then
    echo "missing font was not reported:"; cat "$tmp/no-font.err"; exit 1
fi
echo "demo ran headless with and without its font"
