#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer (LeakSanitizer
# included) and UndefinedBehaviorSanitizer in build-asan/ and runs every test
# headless. A report stops the test program that made it at once, so any
# report fails the run: the faults these find (freed or out-of-bounds memory,
# leaks, undefined arithmetic) are the ones no assertion sees.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(pwd)/tools/setup.sh"
FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$FLAGS" \
  "-DCMAKE_EXE_LINKER_FLAGS=$FLAGS" >/dev/null
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" "$@"
