#!/usr/bin/env bash
# Installs what is missing, checks that every source keeps the layout of
# .clang-format, builds, runs every test headless, runs them all
# again built with the address and undefined-behaviour sanitizers, then builds
# the fuzz target over framing and decoding (clang, sanitizers) and runs it for
# a bounded number of inputs.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh --tests
# A source out of the layout fails at once, naming the file and the line.
find app bench core employees fuzz link platform reports tests tools \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --no-tests=error -j"$(nproc)"

# The same suite under the sanitizers, in a build of its own: any report (a
# bad address, undefined behaviour, a leak) ends the test program with a
# failure, and so the run.
cmake -S . -B build-asan -DGT430_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$(nproc)"

cmake -S . -B build-fuzz -DGT430_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j"$(nproc)"
# A crash, an out-of-bounds read or a hang (-timeout, seconds per input) fails the run.
./build-fuzz/bin/gt430-fuzz-receive -runs=50000 -max_len=512 -timeout=10 -max_total_time=120 \
  -artifact_prefix=build-fuzz/ -print_final_stats=1
