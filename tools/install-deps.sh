#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, when missing.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev libqt6sql6-sqlite qt6-serialport-dev qt6-svg-dev libqt6svg6
  libsqlite3-dev
  libgl-dev
  poppler-utils
  # the benchmark; clang with libFuzzer and the sanitizer runtimes for the fuzz build
  libbenchmark-dev clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
