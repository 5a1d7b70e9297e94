#!/usr/bin/env bash
# Walks Mirrowick.exe through steps 0 to 2 for all four kinds of data under Xvfb, in Wine's
# virtual desktop, and saves a screenshot of each step, of the options dialog, of the wait
# window and of a failed load into $MW_BUILD/screenshots. Needs the Windows build (tools/test.sh
# or cmake --build build/win). The helper programs are the test suite's stand-in (probe), which
# this script tells what to do through the working folder, as the store tests do.
set -eu -o pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export MW_BUILD="${MW_BUILD:-$root/build}"
bin="$MW_BUILD/win/bin"
shots="$MW_BUILD/screenshots"
app="$MW_BUILD/screenshots/app"
for f in "$bin/Mirrowick.exe" "$bin/ShotDriver.exe" "$MW_BUILD/win/tests/probe.exe"; do
  [ -f "$f" ] || { echo "missing $f: build the Windows build first" >&2; exit 1; }
done

# A Wine prefix of its own, so that the registry values set here never reach the tests.
rm -rf "$shots"
mkdir -p "$app"
. "$root/tools/wine-env.sh"
MW_BUILD="$shots" mw_wine_start
trap 'mw_wine_stop' EXIT
cp "$bin/Mirrowick.exe" "$app/"
for h in Pellora.NotesAddr Pellora.NotesDate Pellora.NotesTask Pellora.NotesNote; do
  cp "$MW_BUILD/win/tests/probe.exe" "$app/$h.exe"
done

title="Mirrowick - Remove Duplicates in Lotus Notes Contacts and Calendar"
drive() { wine "$bin/ShotDriver.exe" "$@"; }
shot() { sleep 0.6; import -window root "$shots/$1.png"; echo "  $1.png"; }

# A Lotus Notes installation as the registry tells it, with a data folder holding a notebook.
notes="$WINEPREFIX/drive_c/Notes"
mkdir -p "$notes/Data"
: >"$notes/Data/notebook.nsf"
wine reg add 'HKLM\SOFTWARE\Lotus\Notes' /v Path /d 'C:\Notes\' /f >/dev/null 2>&1
wine reg add 'HKCU\SOFTWARE\Lotus\Notes\Installer' /v DATADIR /d 'C:\Notes\Data' /f >/dev/null 2>&1

work="$WINEPREFIX/drive_c/ProgramData/pellora/Mirrowick"
mkdir -p "$work"
rm -f "$work/pellora.ini" "$work"/probe-*.txt
# An exchange file without records: a load that succeeds.
printf '\0\0\0\0' >"$work/empty.dat"

# Starts the program with a fresh settings file and waits for its window.
start() {
  rm -f "$work/pellora.ini"
  wine "$app/Mirrowick.exe" &
  program=$!
  drive wait "$title"
}
stop() {
  drive close "$title"
  drive gone "$title"
  wait "$program" || true
}

echo "== Screenshots into $shots"
start
shot step0-source
drive click "$title" "Customize Duplicate Checking Rules"
drive wait "Set Mirrowick Options"
shot options-dialog
drive click "Set Mirrowick Options" "&Cancel"
drive gone "Set Mirrowick Options"

# Contacts: the registered default, then a load whose helper takes a while and reports its
# progress in the status file, then fails.
drive click "$title" "&Next  >"
shot step1-contacts
drive click "$title" "&Next  >"
shot step2-access
printf 'sleep=4000\nerror=The password is not correct for the ID file C:\\Notes\\Data\\user.id.\n' \
  >"$work/probe-Pellora.NotesAddr.txt"
drive click "$title" "&Next  >"
sleep 1.2
printf 'Reading contact 17 of 40 ...\r\n' >"$work/LNAddrStatus.dat"
sleep 1.2
shot step2-wait-window
drive wait "Error"
shot step2-load-failed
drive click "Error" "OK"

# Put right, the load succeeds and the wizard moves on.
printf 'copy=C:\\ProgramData\\pellora\\Mirrowick\\empty.dat\n' >"$work/probe-Pellora.NotesAddr.txt"
drive click "$title" "&Next  >"
sleep 1
shot step3-after-load
stop

# The other kinds at step 1.
for kind in Calendar Tasks Notebook; do
  start
  drive click "$title" "$kind"
  drive click "$title" "&Next  >"
  shot "step1-$(echo "$kind" | tr 'A-Z' 'a-z')"
  if [ "$kind" = Calendar ]; then
    drive settext "$title" 0 'PRIMARY1/COMPANY1!!mail/jdoe.nsf'
    drive click "$title" "&Next  >"
    shot step2-access-calendar
  fi
  if [ "$kind" = Notebook ]; then
    drive click "$title" "Remote Notebook Database (If you are not sure about this, please check with your Domino Admin)"
    shot step1-notebook-remote
    drive click "$title" "&Next  >"
    drive wait "Error"
    shot step1-notebook-empty-name
    drive click "Error" "OK"
  fi
  stop
done
rm -rf "$app" "$shots/win"
echo "done"
