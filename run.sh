#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the embedded database (created in
# the user's data folder at the first start). Without a display it runs offscreen.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh florist
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "no display found: running offscreen (QT_QPA_PLATFORM=offscreen)"
  export QT_QPA_PLATFORM=offscreen
fi
exec ./build/src/florist "$@"
