#!/usr/bin/env bash
# Builds both configurations and runs every test: the portable logic natively
# on Linux, then the Windows build under Wine. Exits non-zero on any failure.
# With $CI set, compiler warnings are errors.
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
source scripts/packages.sh

qov_ensure_packages

werror=OFF
[[ -n ${CI:-} ]] && werror=ON

echo "== Linux build and unit tests"
cmake --preset linux -DQOV_WERROR=$werror
cmake --build --preset linux -j2
ctest --preset linux

echo "== Linux unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset linux-asan -DQOV_WERROR=$werror
cmake --build --preset linux-asan -j2
ctest --preset linux-asan

echo "== Windows build and tests under Wine"
cmake --preset mingw -DQOV_WERROR=$werror
cmake --build --preset mingw -j2
# The installer test installs the package built here.
cmake --build --preset mingw --target package
ctest --preset mingw
