#!/usr/bin/env bash
# Installs what is needed, builds and starts Kelvora. Without a data folder
# argument the program uses the folder of the executable, which the first
# start fills with the delivered feed database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installieren.sh
bash scripts/bauen.sh
exec build/src/kelvora "$@"
