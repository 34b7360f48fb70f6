#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need. Does nothing when
# they are all present already.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc tdsodbc
  qt6-translations-l10n fonts-noto-cjk fonts-liberation2 fonts-wqy-zenhei poppler-utils
  libzip-dev libexpat1-dev libsodium-dev libsqlite3-dev libpq-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  postgresql unicode-data bzip2 cups-daemon cups-client
  dpkg-dev file
)
missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
