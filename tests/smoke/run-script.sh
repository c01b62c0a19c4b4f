#!/bin/sh
# Runs the demo headless with one automation script and checks the outcome.
#   run-script.sh DEMO_EXECUTABLE BUILD_DIR SCRIPT
# Directives in the script's comment lines (the script parser ignores them):
#   #! status N          expected exit status (default 0)
#   #! env NAME=VALUE    extra environment; @TMP@ is a fresh temporary folder
#   #! output TEXT       TEXT must appear in what the demo writes (stdout+stderr)
#   #! file PATH REGEX   the file must hold a line matching the extended regex
#   #! gate SECONDS      start with a start-gate file, remove it after SECONDS
#                        and check that the run had not finished before that
#   #! prepare PATH      make PATH before the run: a folder when it ends in
#                        '/', else an empty file (parents are made too)
#   #! xvfb              run on an X server of its own (xvfb-run) with the
#                        x11 video driver; exit 77 (skipped) without xvfb-run
# @TMP@ in the script's own lines stands for the same folder.
set -u
demo="$1"
build="$2"
script="$3"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

directives() { sed -n "s/^#! $1 //p" "$script" | sed "s|@TMP@|$tmp|g"; }

x11=""
if grep -q '^#! xvfb' "$script"; then
    if ! command -v xvfb-run >/dev/null 2>&1; then
        echo "skipped: xvfb-run is not installed (Debian package xvfb)"
        exit 77
    fi
    x11=1
fi

expected=$(directives status | tail -n 1)
expected=${expected:-0}

while IFS= read -r path; do
    case "$path" in
    "") ;;
    */) mkdir -p "$path" ;;
    *) mkdir -p "$(dirname "$path")" && : >"$path" ;;
    esac
done <<EOF_PREPARE
$(directives prepare)
EOF_PREPARE
sed "s|@TMP@|$tmp|g" "$script" >"$tmp/script.demo"

if [ -n "$x11" ]; then export SDL_VIDEODRIVER=x11; else export SDL_VIDEODRIVER=offscreen; fi
export GUI_DEMO_QUIT_AT_END=1
export GUI_DEMO_SCRIPT="$tmp/script.demo"
unset GUI_DEMO_TRACE GUI_DEMO_SCENES GUI_DEMO_START_GATE GUI_DEMO_WINDOW_ID_FILE
while IFS= read -r assignment; do
    [ -n "$assignment" ] && export "$assignment"
done <<EOF_ENV
$(directives env)
EOF_ENV

gate=$(directives gate | tail -n 1)
if [ -n "$gate" ]; then
    export GUI_DEMO_START_GATE="$tmp/gate"
    touch "$GUI_DEMO_START_GATE"
fi

cd "$build" || exit 2
if [ -n "$x11" ]; then
    timeout 60 xvfb-run -a -s "-screen 0 1920x1080x24" "$demo" >"$tmp/out.txt" 2>&1 &
else
    timeout 60 "$demo" >"$tmp/out.txt" 2>&1 &
fi
pid=$!
if [ -n "$gate" ]; then
    sleep "$gate"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "the run did not wait for its start gate"; cat "$tmp/out.txt"; exit 1
    fi
    rm -f "$GUI_DEMO_START_GATE"
fi
wait "$pid"
status=$?

fail() { echo "$1"; echo "--- demo output ---"; cat "$tmp/out.txt"; exit 1; }

[ "$status" -eq "$expected" ] || fail "exit status $status, expected $expected"
while IFS= read -r text; do
    [ -z "$text" ] && continue
    grep -qF -- "$text" "$tmp/out.txt" || fail "output lacks: $text"
done <<EOF_OUT
$(directives output)
EOF_OUT
while IFS= read -r spec; do
    [ -z "$spec" ] && continue
    path=${spec%% *}
    regex=${spec#* }
    [ -f "$path" ] || fail "file $path was not written"
    grep -qE -- "$regex" "$path" || { echo "--- $path ---"; cat "$path"; fail "$path lacks a line matching: $regex"; }
done <<EOF_FILE
$(directives file)
EOF_FILE
echo "script $(basename "$script") passed"
