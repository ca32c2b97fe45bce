#!/usr/bin/env bash
# Configures and builds Kelvora into ./build (Release with debug info).
# A compiler cache, where installed, makes rebuilds of other checkouts cheap.
set -euo pipefail
cd "$(dirname "$0")/.."
if command -v ccache >/dev/null 2>&1 && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
