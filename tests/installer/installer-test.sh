#!/usr/bin/env bash
# The installer as a user runs it, silently, in a Wine prefix of its own: it must put the six
# files into the program-files folder with a Start-menu entry and an uninstall entry; the
# installed wizard, started from the Start menu, must show its main window; the uninstaller
# must take away what was installed and leave the user's settings, log and databases alone.
# Also: the zip holds the same six files. ctest runs this with MW_SETUP, MW_ZIP, MW_BIN (the
# program folder of the build) and MW_WORK (a folder for the prefix) set.
set -eu -o pipefail

: "${MW_SETUP:?}" "${MW_ZIP:?}" "${MW_BIN:?}" "${MW_WORK:?}"
root=$(cd "$(dirname "$0")/../.." && pwd)
files=(Mirrowick.exe Pellora.NotesAddr.exe Pellora.NotesDate.exe Pellora.NotesTask.exe
  Pellora.NotesNote.exe Mirrowick.chm)
title="Mirrowick - Remove Duplicates in Lotus Notes Contacts and Calendar"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
step() { echo "== $*"; }

# ---- The zip
step "The zip holds the six files as built"
rm -rf "$MW_WORK"
mkdir -p "$MW_WORK/unzipped"
(cd "$MW_WORK/unzipped" && cmake -E tar xf "$MW_ZIP")
listed=$(cd "$MW_WORK/unzipped" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')
expected=$(printf '%s\n' "${files[@]}" | sort | tr '\n' ' ')
[ "$listed" = "$expected" ] || fail "the zip holds: $listed"
for f in "${files[@]}"; do
  cmp -s "$MW_WORK/unzipped/$f" "$MW_BIN/$f" || fail "$f in the zip differs from the build"
done

# ---- A prefix of its own: its own server, so that waiting for it waits for every program in
# it (an NSIS uninstaller copies itself away and returns at once; the copy does the work).
export WINEPREFIX="$MW_WORK/prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" >/dev/null 2>&1 || true
}
trap cleanup EXIT

step "A fresh Wine prefix"
mkdir -p "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Pellora/Mirrowick"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Mirrowick"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirrowick'
work="$drive_c/ProgramData/pellora/Mirrowick"
docs="$drive_c/users/$(whoami)/Documents"

# ---- Install
step "Installing silently"
cp "$MW_SETUP" "$drive_c/setup.exe"
wine 'C:\setup.exe' /S || fail "the installer returned $?"
wineserver -w
for f in "${files[@]}"; do
  [ -f "$installed/$f" ] || fail "$f was not installed"
  cmp -s "$installed/$f" "$MW_BIN/$f" || fail "the installed $f differs from the build"
done
[ -f "$installed/Uninstall.exe" ] || fail "no uninstaller"
[ -f "$menu/Mirrowick.lnk" ] || fail "no Start-menu entry"
wine reg query "$uninstall_key" /v DisplayName 2>/dev/null | grep -q 'Mirrowick' ||
  fail "no uninstall entry"

# ---- Start the installed wizard from its Start-menu entry
step "Starting the wizard from the Start menu"
wine start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Mirrowick\Mirrowick.lnk'
wine "$MW_BIN/ShotDriver.exe" wait "$title" || fail "the installed wizard's window did not show"
wine "$MW_BIN/ShotDriver.exe" close "$title"
wine "$MW_BIN/ShotDriver.exe" gone "$title" || fail "the wizard did not close"
wineserver -w
[ -f "$work/pellora.ini" ] || fail "the wizard wrote no settings file"

# ---- The user's own files, as a run of the wizard leaves them
printf '[Mirrowick]\r\nAppFlag=2\r\n' >"$work/pellora.ini"
printf '[2026/12/11 10:00:00][Main.cpp            (1   )][00024][   ] - a line\r\n' >"$work/appdebug.log"
mkdir -p "$docs"
cp "$root/demo/contacts.vcf" "$docs/contacts.vcf"
# Settings kept next to the program, where the wizard falls back when it has no working folder.
printf '[Mirrowick]\r\nAppFlag=8\r\n' >"$installed/pellora.ini"
user_files=("$work/pellora.ini" "$work/appdebug.log" "$docs/contacts.vcf" "$installed/pellora.ini")
sums=$(md5sum "${user_files[@]}")

# ---- Uninstall
step "Uninstalling silently"
wine 'C:\Program Files\Pellora\Mirrowick\Uninstall.exe' /S || fail "the uninstaller returned $?"
wineserver -w
for f in "${files[@]}" Uninstall.exe; do
  [ ! -e "$installed/$f" ] || fail "$f is still there"
done
[ ! -e "$menu" ] || fail "the Start-menu entry is still there"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstall entry is still there"; fi
[ "$(md5sum "${user_files[@]}")" = "$sums" ] || fail "the user's files changed"
[ "$(ls "$installed")" = "pellora.ini" ] || fail "the program folder holds: $(ls "$installed")"
wineserver -w
echo "installer test passed"
