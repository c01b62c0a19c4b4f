#!/bin/sh
# Installs what is missing, builds, and starts the demonstration.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
cd build
exec ./tarvexkit-demo "$@"
