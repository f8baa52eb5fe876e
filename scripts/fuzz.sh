#!/usr/bin/env bash
# Builds the settings fuzzer with clang's libFuzzer, ASan and UBSan and runs
# it for N seconds (default 30). Needs clang++ and its fuzzer runtime
# (Debian: clang, libclang-rt-14-dev).
#   scripts/fuzz.sh [seconds]
# Inputs that break a rule are written to build/fuzz/ as crash-* files;
# replay one with: build/fuzz/settings_load_fuzzer build/fuzz/crash-...
set -euo pipefail

seconds="${1:-30}"
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/fuzz"
mkdir -p "$out/corpus"

sources=(
  "$root"/src/window_model/*.cpp
  "$root"/src/settings/*.cpp
  "$root"/src/main_window/*.cpp
  "$root"/src/platform/sim/*.cpp
  "$root"/tests/unit/settings_round_trip.cpp
  "$root"/tests/fuzz/settings_load_fuzzer.cpp
)

clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" -I"$root/tests" \
  "${sources[@]}" -o "$out/settings_load_fuzzer"

cd "$out"
# 70000 bytes leaves room for a value of 64 KB written out in full.
UBSAN_OPTIONS=print_stacktrace=1 ./settings_load_fuzzer \
  -max_total_time="$seconds" -max_len=70000 -timeout=20 -rss_limit_mb=4096 \
  -print_final_stats=1 corpus
