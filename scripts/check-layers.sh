#!/bin/sh
# Fails when a folder includes a folder that stands below it in the README's
# folder table: the table lists the layers from the bottom up, and each
# folder may use only the folders listed above it.
set -eu
cd "$(dirname "$0")/.."

# The folder names of the table, in its order.
layers=$(sed -n '/^## Where things live/,/^## /p' README.md |
  sed -n 's/^| `\([a-z]*\)\/` |.*/\1/p')
[ -n "$layers" ] || { echo "check-layers: no folder table in README.md" >&2; exit 1; }

status=0
rank=0
for dir in $layers; do
  rank=$((rank + 1))
  eval "rank_$dir=$rank"
done
for dir in $layers; do
  [ -d "$dir" ] || continue
  eval "mine=\$rank_$dir"
  for file in "$dir"/*.h "$dir"/*.cpp; do
    [ -f "$file" ] || continue
    for used in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/.*/\1/p' "$file" | sort -u); do
      eval "theirs=\${rank_$used:-}"
      [ -n "$theirs" ] || continue
      if [ "$theirs" -gt "$mine" ]; then
        echo "check-layers: $file includes $used/, which stands above $dir/" >&2
        status=1
      fi
    done
  done
done
exit $status
