#!/bin/sh
# Installs what is missing, builds, and starts the demonstration.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
cd build
# Without a display the window would exist nowhere to be seen.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  cat >&2 <<'EOF_MSG'
There is no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the
demo's window could not be seen. The demo is built in build/. To run it
headless, driven by an automation script (see "Scripting the demo" in
README.md; the command `capture FILE` writes a picture of the window):

  cd build && SDL_VIDEODRIVER=offscreen GUI_DEMO_QUIT_AT_END=1 \
      GUI_DEMO_SCRIPT=../tests/scripts/menu_edit_undo.demo ./tarvexkit-demo; echo $?

scripts/screenshots.sh writes pictures of the demo into docs/.
EOF_MSG
  exit 1
fi
exec ./tarvexkit-demo "$@"
