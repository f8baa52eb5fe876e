#!/usr/bin/env bash
# Takes the project's screenshots into docs/: QOV's main window listing a few
# ordinary windows, both pages of the settings dialog, the add-title dialog
# and the About box. Builds qov.exe and the driver that opens the dialogs,
# runs everything in an Xvfb of its own and a Wine virtual desktop, and crops
# each picture to its window.
#
#   scripts/screenshots.sh
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
source scripts/packages.sh
source scripts/xvfb.sh

qov_ensure_packages

cmake --preset mingw >/dev/null
cmake --build --preset mingw --target qov qov_drive -j2

# A prefix of its own, so a test run in the build's prefix cannot end it.
work=$root/build/mingw/screenshots
scripts/wine-prefix.sh "$work"
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8

desktop=QOV,1024x768
qov=build/mingw/qov.exe
drive_exe=build/mingw/tools/qov_drive.exe
docs=$root/docs
mkdir -p "$docs"

cleanup() {
  wineserver -k 2>/dev/null || true
  qov_stop_own_display
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# Always a display of our own: the pictures must not depend on the caller's screen.
unset DISPLAY
qov_ensure_display

in_desktop() { wine explorer "/desktop=$desktop" "$@" 2>/dev/null; }

# Runs one verb of the driver; the virtual desktop hides its exit status, so
# a failure shows as missing output.
drive() { in_desktop "$drive_exe" "$@" | tr -d '\r'; }

# Waits for a window and saves the screen cropped to it.
shoot() {
  local caption=$1 file=$2 rect
  rect=$(drive wait "$caption" | grep -E '^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$' || true)
  if [[ -z $rect ]]; then
    echo "screenshots: no window \"$caption\"" >&2
    exit 1
  fi
  sleep 1  # let it finish painting
  import -window root -crop "$rect" +repage "$docs/$file"
  echo "saved docs/$file ($rect)"
}

main_caption="V O V"
settings_caption="V O V　＜設定＞"
add_caption="V O V　＜項目追加＞"
about_caption="QOV　＜バージョン情報＞"

# Start from the default settings every time.
in_desktop reg delete 'HKCU\Software\Tamarind Desk\QOV' /f >/dev/null 2>&1 || true

# A few ordinary windows for QOV to list, each started once the one before
# shows, so the newest-first order of the list is always the same.
for program in notepad:"Untitled - Notepad" regedit:"Registry Editor" winecfg:"Wine configuration"; do
  in_desktop "${program%%:*}" &
  drive wait "${program#*:}" >/dev/null
done
in_desktop "$qov" &
shoot "$main_caption" screenshot.png

drive command 400 # 設定 (IDM_SETTINGS)
shoot "$settings_caption" settings-general.png

drive tab "$settings_caption" 2
drive click "$settings_caption" "追加"
drive type "$add_caption" "Notepad"
shoot "$add_caption" add-title.png
drive click "$add_caption" "追加"
sleep 1
shoot "$settings_caption" settings-excluded.png
drive click "$settings_caption" "キャンセル"

drive command 501 # バージョン情報 (IDM_ABOUT)
shoot "$about_caption" about.png
