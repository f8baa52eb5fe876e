#!/usr/bin/env bash
# Creates the Wine prefix of a build folder, once: BUILD_DIR/wineprefix.
# Safe to call from several tests at the same time; later calls return at once.
#
#   scripts/wine-prefix.sh BUILD_DIR
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi

build_dir=$(realpath -m "$1")
prefix=$build_dir/wineprefix
ready_stamp=$prefix/.qov-ready
mkdir -p "$build_dir"

exec 9>"$build_dir/wineprefix.lock"
flock 9
[[ -f $ready_stamp ]] && exit 0

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The prefix is built without a display: nothing of it must stay bound to one.
unset DISPLAY

rm -rf "$prefix"
echo "Creating Wine prefix $prefix"
wineboot -i >/dev/null 2>&1

# Japanese only renders when the UI fonts map to an installed CJK font. The
# names are not all ASCII, so the file is UTF-16LE with a byte-order mark, the
# form regedit reads without guessing a code page.
font="Noto Sans CJK JP"
reg_file=$build_dir/font-substitutes.reg
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
  for name in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS UI Gothic" "ＭＳ Ｐゴシック" "Segoe UI"; do
    printf '"%s"="%s"\r\n' "$name" "$font"
  done
  # Latin-only labels sized for Arial (the About box) fit only in a font of
  # Arial's widths; the CJK font is wider and their last words would wrap away.
  printf '"Arial"="Liberation Sans"\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg_file"

wine regedit /S "Z:${reg_file//\//\\}" >/dev/null 2>&1

# Title-bar buttons are glyphs of Marlett. Wine ships the font but this build
# does not find it in its data folder, and the buttons then show the letters
# 0, 1 and r; from the prefix's own font folder it is found.
marlett=/usr/share/wine/fonts/marlett.ttf
[[ -f $marlett ]] && cp "$marlett" "$prefix/drive_c/windows/Fonts/"
wineserver -w
touch "$ready_stamp"
