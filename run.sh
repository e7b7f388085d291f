#!/usr/bin/env bash
# Installs what is missing, builds the program and the helpers the README's
# next steps use (not the tests: ./test.sh builds everything), lays down a
# fresh database when none is there, and starts the program. Needs a display
# (X11 or Wayland).
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target gt430 gt430-newdb gt430-simulator gt430-report
./build/bin/gt430-newdb build/bin
exec ./build/bin/gt430
