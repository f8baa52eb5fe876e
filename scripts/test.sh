#!/usr/bin/env bash
# Builds both configurations and runs every test: the core natively
# on Linux, then the Windows build under Wine. Exits non-zero on any failure.
# With $CI set, compiler warnings are errors and the run must change nothing
# that git tracks or would add.
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

# On a clean checkout (CI), whatever the build and the tests wrote must be
# ignored by git and no tracked file may change: output that git would see
# ends up committed sooner or later.
if [[ -n ${CI:-} ]] && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "== Build and test output stays out of the repository"
  left=$(git status --porcelain --untracked-files=all)
  if [[ -n $left ]]; then
    echo "The build or the tests changed or left files that git would see:" >&2
    echo "$left" >&2
    exit 1
  fi
fi
