#!/usr/bin/env bash
# Runs a Windows test program under Wine, in the build folder's prefix and a
# Wine virtual desktop, and exits with the program's own result.
#
#   scripts/wine-test.sh BUILD_DIR EXE [ARGS...]
#
# `wine explorer /desktop=...` always exits 0, so the program writes its exit
# code to the file named by QOV_RESULT_FILE; no file means it never finished.
set -euo pipefail

if (($# < 2)); then
  echo "usage: $0 BUILD_DIR EXE [ARGS...]" >&2
  exit 2
fi

here=$(dirname "$(realpath "$0")")
build_dir=$(realpath -m "$1")
exe=$(realpath "$2")
shift 2

source "$here/xvfb.sh"
"$here/wine-prefix.sh" "$build_dir"

export WINEPREFIX=$build_dir/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work_dir=$(mktemp -d)
result_file=$work_dir/result
cleanup() {
  wineserver -k 2>/dev/null || true
  qov_stop_own_display
  rm -rf "$work_dir"
}
trap cleanup EXIT
# ctest ends a test that runs too long with SIGTERM: clean up then as well.
trap 'exit 143' TERM INT

qov_ensure_display
# A Windows path, so the program needs no knowledge of the drive mapping.
export QOV_RESULT_FILE="Z:${result_file//\//\\}"

# In the background, so a signal is handled at once rather than after Wine ends.
wine explorer /desktop=qovtest,1024x768 "$exe" "$@" 2>/dev/null &
wait $! || true
wineserver -w 2>/dev/null || true

if [[ ! -s $result_file ]]; then
  echo "FAILED: $(basename "$exe") wrote no result (crashed or never finished)" >&2
  exit 1
fi
code=$(tr -dc '0-9' <"$result_file")
exit "${code:-1}"
