#!/usr/bin/env bash
# Installs the Debian packages the program needs, when missing; with --tests
# also those only its tests need.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev libqt6sql6-sqlite qt6-svg-dev libqt6svg6
  # the Qt platform plugin for Wayland desktops
  qt6-wayland
  libsqlite3-dev
  # the print system's library: printouts go to its queues and it tells whether they were taken
  libcups2-dev
  libgl-dev libfontconfig-dev
  # Qt's own German texts (standard buttons and dialogs)
  qt6-translations-l10n
  # the faces metric-compatible with Arial, Times New Roman and Courier New
  fonts-liberation
  poppler-utils
  # the benchmark; clang with libFuzzer and the sanitizer runtimes for the fuzz build
  libbenchmark-dev clang libclang-rt-14-dev
)
if [ "${1:-}" = "--tests" ]; then
  # a print system and its PDF printer, which the printing tests start in a folder of their own;
  # the formatter whose layout the sources keep (clang-format 14, as Debian 12 has it)
  packages+=(cups cups-pdf clang-format)
  # a headless Wayland compositor, which the Wayland test starts on its own
  packages+=(weston)
fi

# One query for all of them: nothing to do costs a fraction of a second.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  if ! grep -qx "$p ii " <<<"$installed"; then
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
