#!/bin/sh
# Builds the demo and writes the README's pictures into docs/: the main
# window, an open menu and a dialog. Runs headless.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build >/dev/null
mkdir -p docs
docs=$(pwd)/docs
script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat > "$script" <<EOF_SCRIPT
# Let the animations run a moment, then take the pictures.
wait 1
capture $docs/main-window.png
move_to dialogs 0.3
click
capture $docs/menu.png
key Escape
key F4
wait_window Caption 2
window Caption
capture $docs/dialog.png
key Return
wait_window_closed Caption 2
EOF_SCRIPT
cd build
SDL_VIDEODRIVER=offscreen GUI_DEMO_QUIT_AT_END=1 GUI_DEMO_SCRIPT="$script" ./tarvexkit-demo >/dev/null
echo "pictures written to docs/"
ls "$docs"
