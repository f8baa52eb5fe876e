#!/usr/bin/env bash
# Runs the benchmarks under Wine (bench/wine) in a mingw build's prefix and
# a Wine virtual desktop, in an Xvfb of their own when there is no display.
# Prints the figures; fails only when the benchmark program cannot run.
#
#   scripts/bench-wine.sh [refresh] [respond] [idle]     (these three by default)
#                         [latency] [churn] [watch] [start]
# A benchmark named NAME:DETECT stores DETECT (Auto, Events, Scan) as QOV's
# "Detect" first (watch: qovc's --detect word), e.g. idle:Events latency:Events.
#
# QOV_BUILD      build folder (default build/mingw, the mingw preset's; any other
#                is configured with the MinGW toolchain when it has no cache yet)
# QOV_OLD_BUILD  build folder of another version, already built, with its qov.exe
#                (and qovc.exe for watch): each benchmark runs with that qov.exe
#                and then with this build's, driven both times by this build's
#                benchmark program, in the same prefix and desktop
# QOV_ROUNDS     runs of each benchmark (default 1)
# QOV_QUIET_LOAD before each run, wait (30 s steps, 25 min at most) until the
#                1-minute load average is below this
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
source scripts/xvfb.sh

build_dir=$(realpath -m "${QOV_BUILD:-build/mingw}")
if [[ $build_dir == "$root/build/mingw" ]]; then
  cmake --preset mingw >/dev/null
elif [[ ! -f $build_dir/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$build_dir" --target qov_bench_wine qov qovc -j2
builds=("$build_dir")
if [[ -n ${QOV_OLD_BUILD:-} ]]; then
  old_dir=$(realpath "$QOV_OLD_BUILD")
  [[ -f $old_dir/qov.exe ]] || { echo "missing $old_dir/qov.exe" >&2; exit 2; }
  builds=("$old_dir" "$build_dir")
fi
benchmarks=("$@")
((${#benchmarks[@]})) || benchmarks=(refresh respond idle)
scripts/wine-prefix.sh "$build_dir"

export WINEPREFIX=$build_dir/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

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
    if { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      export QOV_WINESERVER_PID=${proc#/proc/}
      return
    fi
  done
}
start_server_and_find_it

# Other work on the machine shows in every figure.
wait_until_quiet() {
  [[ -n ${QOV_QUIET_LOAD:-} ]] || return 0
  local load waited
  for ((waited = 0; ; waited += 30)); do
    load=$(cut -d' ' -f1 /proc/loadavg)
    awk -v load="$load" -v limit="$QOV_QUIET_LOAD" 'BEGIN { exit !(load < limit) }' && break
    if ((waited >= 1500)); then
      echo "load average still $load after 25 min: measuring anyway"
      return 0
    fi
    sleep 30
  done
  echo "load average $load"
}

echo "wineserver pid: ${QOV_WINESERVER_PID:-not found}"
echo "qov_bench_wine $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(wine --version)"
for benchmark in "${benchmarks[@]}"; do
  for ((round = 1; round <= ${QOV_ROUNDS:-1}; round++)); do
    for dir in "${builds[@]}"; do
      wait_until_quiet
      echo "#### $benchmark, round $round: $dir ($(date -u '+%H:%M:%S UTC'))"
      QOV_EXE=$dir/qov.exe wine explorer /desktop=qovbench,1024x768 \
        "$build_dir/bench/wine/qov_bench_wine.exe" "$benchmark" 2>/dev/null &
      wait $! || true
    done
  done
done
