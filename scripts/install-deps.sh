#!/bin/sh
# Installs the Debian packages tarvexkit needs, and only those that are
# missing. Quiet and without effect when everything is already there.
set -eu

PACKAGES="g++ cmake pkg-config libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev \
libfreetype-dev libcairo2-dev libutfcpp-dev googletest libgtest-dev \
ttf-bitstream-vera xvfb xauth"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
