#!/bin/sh
# Runs the automation script shown in README.md (its first ```demo block)
# against the demo, so the README's example cannot rot.
#   readme-script.sh DEMO_EXECUTABLE BUILD_DIR README
set -u
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
awk '/^```demo$/ { inside = 1; next } inside && /^```$/ { exit } inside { print }' "$3" > "$tmp/readme.demo"
[ -s "$tmp/readme.demo" ] || { echo "README.md shows no demo script"; exit 1; }
sh "$(dirname "$0")/run-script.sh" "$1" "$2" "$tmp/readme.demo"
