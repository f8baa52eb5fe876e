#!/usr/bin/env bash
# Installs QOV with its installer in a Wine prefix of its own, starts the
# installed program, uninstalls it again and checks what each step left.
#
#   scripts/test-installer.sh BUILD_DIR INSTALLER START_AND_CLOSE VERSION
#
# START_AND_CLOSE is the helper that starts a program and waits for its main
# window ("V O V"). INSTALLER is the 32-bit program the NSIS of Windows users
# also makes; Wine here runs 64-bit programs only, so the steps below run its
# 64-bit twin, made by makensis from the same script CPack left in BUILD_DIR.
# The user's settings, a value seeded under
# HKEY_CURRENT_USER\Software\Tamarind Desk\QOV before installing, must survive
# the uninstall. The prefix is made afresh on every run, so what the
# uninstaller leaves behind can only be its own.
set -euo pipefail

if (($# != 4)); then
  echo "usage: $0 BUILD_DIR INSTALLER START_AND_CLOSE VERSION" >&2
  exit 2
fi

here=$(dirname "$(realpath "$0")")
build_dir=$(realpath -m "$1")
installer=$(realpath -m "$2")
start_and_close=$(realpath -m "$3")
version=$4

if [[ ! -f $installer ]]; then
  echo "FAILED: no installer at $installer (cmake --build --preset mingw --target package)" >&2
  exit 1
fi

# The machine type in the PE header: 0x14c is a 32-bit x86 program.
pe_machine() {
  local header
  header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' '
}
if [[ $(pe_machine "$installer") != 014c ]]; then
  echo "FAILED: $installer is not a 32-bit installer, which Windows users' NSIS makes" >&2
  exit 1
fi

source "$here/xvfb.sh"

test_dir=$build_dir/installer-test
rm -rf "$test_dir"
"$here/wine-prefix.sh" "$test_dir"
export WINEPREFIX=$test_dir/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The twin differs only in its stub: the script is the one of INSTALLER.
installer64=$test_dir/QOV-amd64-unicode.exe
makensis -V1 -DQOV_INSTALLER_TARGET=amd64-unicode "$build_dir/_CPack_Packages/win64/NSIS/project.nsi" \
  "-XOutFile $installer64" >/dev/null

work_dir=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  qov_stop_own_display
  rm -rf "$work_dir"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

drive_c=$WINEPREFIX/drive_c
install_dir=$drive_c/Program\ Files/QOV
start_menus=("$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
             "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs)
# Named by CPACK_PACKAGE_INSTALL_REGISTRY_KEY in cmake/Package.cmake.
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QOV Installation'
settings_key='HKCU\Software\Tamarind Desk\QOV'

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# The installer and the uninstaller are silent and need no display; the
# wineserver is let go after each so the next step starts from a quiet prefix.
wine_quiet() {
  local status=0
  (unset DISPLAY; wine "$@" 2>/dev/null) || status=$?
  wineserver -w
  return "$status"
}

# Prints the path of a Start-menu shortcut in the common or the user's menu.
find_shortcut() {
  local menu
  for menu in "${start_menus[@]}"; do
    [[ -e $menu/$1 ]] && { echo "$menu/$1"; return 0; }
  done
  return 1
}

# Reads one value from the registry, as `reg query` prints it.
registry_value() {
  (unset DISPLAY; wine reg query "$1" /v "$2" 2>/dev/null) | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

registry_key_exists() {
  (unset DISPLAY; wine reg query "$1" >/dev/null 2>&1)
}

expect_value() {
  local actual
  actual=$(registry_value "$1" "$2")
  if [[ $actual == "$3" ]]; then pass "$2 is \"$3\""; else fail "$2 is \"$actual\", not \"$3\""; fi
}

echo "== The user's settings from an earlier use"
wine_quiet reg add "$settings_key" /v InstallerTest /t REG_SZ /d kept /f >/dev/null

echo "== Silent install"
wine_quiet "$installer64" /S || fail "the installer exited with an error"
for file in qov.exe qovc.exe Uninstall.exe README.md LICENSE help/qov-help.html help/screenshot.png; do
  if [[ -f $install_dir/$file ]]; then pass "$file installed"; else fail "$file not in Program Files\\QOV"; fi
done
for shortcut in QOV Uninstall; do
  if path=$(find_shortcut "QOV/$shortcut.lnk"); then
    pass "Start-menu shortcut $shortcut"
  else
    fail "no Start-menu shortcut QOV\\$shortcut.lnk"
  fi
done
# A shortcut holds its target's full path as plain text among binary fields.
if path=$(find_shortcut QOV/QOV.lnk) && grep -aqF 'C:\Program Files\QOV\qov.exe' "$path"; then
  pass "the QOV shortcut starts C:\\Program Files\\QOV\\qov.exe"
else
  fail "the QOV shortcut does not start C:\\Program Files\\QOV\\qov.exe"
fi
echo "-- Add/Remove Programs entry"
expect_value "$uninstall_key" DisplayName QOV
expect_value "$uninstall_key" Publisher "Tamarind Desk"
expect_value "$uninstall_key" DisplayVersion "$version"
expect_value "$uninstall_key" UninstallString '"C:\Program Files\QOV\Uninstall.exe"'

echo "== The installed program starts and shows its window"
qov_ensure_display
result_file=$work_dir/result
export QOV_RESULT_FILE="Z:${result_file//\//\\}"
wine explorer /desktop=qovinstall,1024x768 "$start_and_close" \
  'C:\Program Files\QOV\qov.exe' "V O V" &
wait $! || true
wineserver -w 2>/dev/null || true
qov_stop_own_display
if [[ $(tr -dc '0-9' <"$result_file" 2>/dev/null) == 0 ]]; then
  pass "qov.exe showed \"V O V\" and ended when it was closed"
else
  fail "qov.exe did not show its \"V O V\" window and end when closed"
fi

echo "== While QOV runs, the installer and the uninstaller refuse to go on"
# A refused installer does not even run the uninstaller of the copy it would
# replace: README.md keeps a date no install would give it.
touch -d 2001-01-01 "$install_dir/README.md"
rm -f "$result_file"
qov_ensure_display
wine explorer /desktop=qovinstall,1024x768 "$start_and_close" 'C:\Program Files\QOV\qov.exe' "V O V" \
  "\"Z:${installer64//\//\\}\" /S" \
  '"C:\Program Files\QOV\Uninstall.exe" /S _?=C:\Program Files\QOV' &
wait $! || true
wineserver -w 2>/dev/null || true
qov_stop_own_display
mapfile -t results < <(tr -d '\r' <"$result_file" 2>/dev/null)
[[ ${results[0]:-} == 0 ]] || fail "qov.exe did not show its window and end when closed around the refusals"
for step in 1:installer 2:uninstaller; do
  code=${results[${step%%:*}]:-none}
  if [[ $code =~ ^[1-9][0-9]*$ ]]; then
    pass "the silent ${step#*:} refused with exit code $code while QOV ran"
  else
    fail "the silent ${step#*:} ended with \"$code\" while QOV ran, not an error"
  fi
done
for file in qov.exe qovc.exe Uninstall.exe README.md; do
  [[ -f $install_dir/$file ]] || fail "$file was removed while QOV ran"
done
if [[ $(date -r "$install_dir/README.md" +%Y) == 2001 ]]; then
  pass "nothing was replaced while QOV ran"
else
  fail "files were replaced while QOV ran"
fi

echo "== Once QOV is closed, an install over the installed copy goes through"
wine_quiet "$installer64" /S || fail "the installer exited with an error over the installed copy"
if [[ -f $install_dir/qov.exe && $(date -r "$install_dir/README.md" +%Y) != 2001 ]]; then
  pass "the installed copy was replaced"
else
  fail "the installed copy was not replaced"
fi

echo "== Silent uninstall"
# The uninstaller copies itself to the temporary folder and returns at once;
# wine_quiet waits for the copy as well.
wine_quiet "$install_dir/Uninstall.exe" /S || fail "the uninstaller exited with an error"
if [[ -e $install_dir ]]; then
  fail "Program Files\\QOV is still there: $(ls -A "$install_dir" | tr '\n' ' ')"
else
  pass "Program Files\\QOV removed"
fi
if path=$(find_shortcut QOV); then
  fail "the Start-menu folder is still there: $(ls -A "$path" | tr '\n' ' ')"
else
  pass "Start-menu folder and shortcuts removed"
fi
if registry_key_exists "$uninstall_key"; then
  fail "the Add/Remove Programs entry is still registered"
else
  pass "Add/Remove Programs entry removed"
fi
# The installer's own record lives under the vendor's key in HKLM.
if registry_key_exists 'HKLM\Software\Tamarind Desk'; then
  fail "HKLM\\Software\\Tamarind Desk is still there"
else
  pass "HKLM\\Software\\Tamarind Desk removed"
fi
expect_value "$settings_key" InstallerTest kept

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "All installer checks passed"
