#!/usr/bin/env bash
# Installs the Debian packages Kelvora needs to build, run and test.
set -euo pipefail
pakete=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libqt6sql6-sqlite libsqlite3-dev libcurl4-openssl-dev
        coinor-libclp-dev qtkeychain-qt6-dev qt6-charts-dev python3 python3-pyftpdlib python3-openssl xvfb xauth poppler-utils
        fonts-liberation2 ca-certificates)
fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${fehlend[@]}"
fi
