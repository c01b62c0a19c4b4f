#!/bin/sh
# Plays random input against the demo (scripts/soak-script.awk) for a while and
# fails on a sanitizer report, a crash, a hang or an unexpected run error.
#   scripts/soak.sh [SECONDS] [SEED]     default 60 s, seed from the clock
# Uses the sanitizer build in build-asan (scripts/test.sh --sanitize); set
# SOAK_BUILD to use another build folder. The resident memory of the demo is
# sampled every second; the samples go to SOAK_BUILD/soak/rss.txt and a
# summary is printed at the end. Scripts, output and samples of the last run
# stay in SOAK_BUILD/soak/.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
seconds="${1:-60}"
seed="${2:-$(date +%s)}"
build="${SOAK_BUILD:-build-asan}"
demo="$build/tarvexkit-demo"
[ -x "$demo" ] || { echo "soak: $demo missing (scripts/test.sh --sanitize builds it)"; exit 2; }
work="$build/soak"
rm -rf "$work"
mkdir -p "$work"
# An absolute path: the demo runs in the build folder.
work=$(cd "$work" && pwd)

export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
export GUI_DEMO_QUIT_AT_END=1
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:exitcode=23"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export LP_NUM_THREADS=0
unset GUI_DEMO_SCENES GUI_DEMO_START_GATE GUI_DEMO_WINDOW_ID_FILE

sanitizer_report() { grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: [A-Za-z]+Sanitizer' "$1"; }

# Where the menu titles are: a traced probe run moves onto each and reports
# the pointer.
menus="file edit dialogs help"
probe="$work/probe.demo"
: > "$probe"
for m in $menus; do printf 'move_to %s 0\nwait 0\n' "$m" >> "$probe"; done
echo finish >> "$probe"
(cd "$build" && GUI_DEMO_TRACE=1 GUI_DEMO_SCRIPT="$probe" timeout 120 ./tarvexkit-demo) > "$work/probe.txt" 2>&1
status=$?
if [ "$status" -ne 0 ] || sanitizer_report "$work/probe.txt"; then
    cat "$work/probe.txt"; echo "soak: the probe run failed (status $status)"; exit 1
fi
: > "$work/titles.txt"
n=0
for m in $menus; do
    n=$((n + 1))
    # The n-th "wait 0" follows the move onto the n-th title.
    xy=$(grep -F ": wait 0 |" "$work/probe.txt" | sed -n "${n}s/.*| Cursor \([0-9-]*\),\([0-9-]*\) auf .*/\1 \2/p")
    [ -n "$xy" ] || { cat "$work/probe.txt"; echo "soak: no position for menu $m"; exit 1; }
    echo "$m $xy" >> "$work/titles.txt"
done

# Run errors the random input may cause without any fault of the program: a
# pop-up it opened hides what the next block wants to reach.
expected_error='nicht erreichbar.*offenes Popup'

start=$(date +%s)
end=$((start + seconds))
run=0
failed=0
: > "$work/rss.txt"
while [ "$(date +%s)" -lt "$end" ] && [ "$failed" -eq 0 ]; do
    run=$((run + 1))
    left=$((end - $(date +%s)))
    script="$work/run$run.demo"
    awk -v seed="$seed" -v seconds="$left" -f scripts/soak-script.awk "$work/titles.txt" > "$script"
    echo "soak run $run: seed $seed, $left s of script ($(grep -vc '^#' "$script") steps)"
    out="$work/run$run.txt"
    (cd "$build" && GUI_DEMO_SCRIPT="$script" exec ./tarvexkit-demo) > "$out" 2>&1 &
    pid=$!
    # Wall-clock guard: a sanitizer build runs slower than the script's time.
    limit=$(( $(date +%s) + left * 4 + 60 ))
    while kill -0 "$pid" 2>/dev/null; do
        rss=$(sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null)
        [ -n "$rss" ] && echo "$run $(( $(date +%s) - start )) $rss" >> "$work/rss.txt"
        if [ "$(date +%s)" -gt "$limit" ]; then
            kill "$pid"; echo "soak: run $run hung, stopped"; failed=1
        fi
        sleep 1
    done
    wait "$pid"
    status=$?
    if sanitizer_report "$out"; then
        echo "soak: sanitizer report in run $run"; failed=1
    elif [ "$status" -eq 1 ] && grep -q "^.*Demo-Fehler in " "$out"; then
        err=$(grep "Demo-Fehler in " "$out" | tail -n 1)
        if echo "$err" | grep -qE "$expected_error"; then
            echo "soak: run $run ended early as random input may make it: $err"
        else
            echo "soak: unexpected run error: $err"; failed=1
        fi
    elif [ "$status" -ne 0 ]; then
        echo "soak: run $run exited with status $status"; failed=1
    fi
    if [ "$failed" -ne 0 ]; then
        echo "--- script $script, output:"; tail -n 80 "$out"
    fi
    seed=$((seed + 1))
done

# Resident memory per run: the first sample after ten seconds of warm-up
# against the last one.
awk '{ if (!($1 in first) && $2 >= 10) first[$1] = $3; last[$1] = $3; peak[$1] = $3 > peak[$1] ? $3 : peak[$1] }
     END { for (r in last) printf "soak run %s: resident memory %s kB after warm-up, %s kB at the end, peak %s kB\n",
                                r, (r in first) ? first[r] : "-", last[r], peak[r] }' "$work/rss.txt"
if [ "$failed" -ne 0 ]; then echo "soak FAILED"; exit 1; fi
echo "soak: $run run(s) over $(( $(date +%s) - start )) s, no sanitizer report, crash or unexpected error"
