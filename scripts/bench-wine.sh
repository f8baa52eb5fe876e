#!/usr/bin/env bash
# Runs the benchmarks under Wine (bench/wine) in the mingw build's prefix and
# a Wine virtual desktop, in an Xvfb of their own when there is no display.
# Prints the figures; fails only when the benchmark program cannot run.
#
#   scripts/bench-wine.sh [refresh] [respond] [idle]     (all three by default)
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
source scripts/xvfb.sh

build_dir=$root/build/mingw
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target qov_bench_wine qov -j2
scripts/wine-prefix.sh "$build_dir"

export WINEPREFIX=$build_dir/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QOV_EXE=$build_dir/qov.exe

cleanup() {
  wineserver -k 2>/dev/null || true
  qov_stop_own_display
}
trap cleanup EXIT
trap 'exit 143' TERM INT

qov_ensure_display
# The prefix's own wineserver, found by the prefix in its environment; its
# CPU time shows what the refresh costs the server.
start_server_and_find_it() {
  wineserver -p 2>/dev/null || true
  local proc
  for proc in /proc/[0-9]*; do
    [[ $(cat "$proc/comm" 2>/dev/null) == wineserver* ]] || continue
    if tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      export QOV_WINESERVER_PID=${proc#/proc/}
      return
    fi
  done
}
start_server_and_find_it

echo "wineserver pid: ${QOV_WINESERVER_PID:-not found}"
echo "qov_bench_wine $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(wine --version)"
wine explorer /desktop=qovbench,1024x768 "$build_dir/bench/wine/qov_bench_wine.exe" "$@" 2>/dev/null &
wait $! || true
