#!/usr/bin/env bash
# Walks Mirrowick.exe through steps 0 to 2 for all four kinds of data under Xvfb, in Wine's
# virtual desktop, with the real helper programs on the demo databases, and saves a screenshot
# of each step, of the options dialog, of a failed load and of the wait window into
# $MW_BUILD/screenshots. Exits non-zero when a step does not come as it should (each load must
# reach step 3). Needs the Windows build (tools/test.sh or cmake --build build/win).
#
# The wait window is shown with the test suite's stand-in helper (probe), told to take a few
# seconds: the real helpers load the demo databases faster than a screenshot can be taken.
set -eu -o pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export MW_BUILD="${MW_BUILD:-$root/build}"
# The Windows build; ctest names it, as its own binary folder.
win="${MW_WIN_BUILD:-$MW_BUILD/win}"
bin="$win/bin"
shots="$MW_BUILD/screenshots"
slow="$shots/slow-app"
for f in "$bin/Mirrowick.exe" "$bin/ShotDriver.exe" "$bin/Pellora.NotesAddr.exe" \
  "$win/tests/probe.exe"; do
  [ -f "$f" ] || { echo "missing $f: build the Windows build first" >&2; exit 1; }
done

# A Wine prefix of its own, so that the registry values set here never reach the tests.
rm -rf "$shots"
mkdir -p "$slow"
. "$root/tools/wine-env.sh"
MW_BUILD="$shots" mw_wine_start
trap 'mw_wine_stop' EXIT

cp "$bin/Mirrowick.exe" "$slow/"
for h in Pellora.NotesAddr Pellora.NotesDate Pellora.NotesTask Pellora.NotesNote; do
  cp "$win/tests/probe.exe" "$slow/$h.exe"
done

title="Mirrowick - Remove Duplicates in Lotus Notes Contacts and Calendar"
next="&Next  >"
loaded="Please select the duplicate items that you want to delete."
drive() { wine "$bin/ShotDriver.exe" "$@"; }
shot() { sleep 0.6; import -window root "$shots/$1.png"; echo "  $1.png"; }

# A Lotus Notes installation as the registry tells it, with a data folder holding a notebook;
# the demo databases as the user's exported files.
mkdir -p "$WINEPREFIX/drive_c/Notes/Data" "$WINEPREFIX/drive_c/demo"
: >"$WINEPREFIX/drive_c/Notes/Data/notebook.nsf"
cp "$root"/demo/*.vcf "$root"/demo/*.ics "$WINEPREFIX/drive_c/demo/"
wine reg add 'HKLM\SOFTWARE\Lotus\Notes' /v Path /d 'C:\Notes\' /f >/dev/null 2>&1
wine reg add 'HKCU\SOFTWARE\Lotus\Notes\Installer' /v DATADIR /d 'C:\Notes\Data' /f >/dev/null 2>&1

work="$WINEPREFIX/drive_c/ProgramData/pellora/Mirrowick"
mkdir -p "$work"

# Starts a program with a fresh settings file and waits for its window.
start() {
  rm -f "$work/pellora.ini" "$work"/probe-*.txt
  wine "$1/Mirrowick.exe" &
  program=$!
  drive wait "$title"
}
stop() {
  drive close "$title"
  drive gone "$title"
  wait "$program" || true
}
# From the database page: names the file, moves to the access page and loads.
load() {
  drive settext "$title" 0 "$1"
  drive click "$title" "$next"
  drive expect "$title" "Please specify the user and password options."
  shot "step2-access-$2"
  drive click "$title" "$next"
  drive expect "$title" "$loaded"
  shot "step3-$2-loaded"
}

echo "== Screenshots into $shots"
start "$bin"
shot step0-source
drive click "$title" "Customize Duplicate Checking Rules"
drive wait "Set Mirrowick Options"
shot options-dialog
drive click "Set Mirrowick Options" "&Cancel"
drive gone "Set Mirrowick Options"

# Contacts: the registered default names.nsf, which the helper cannot read: the load fails
# with the helper's reason. Then the exported address book loads.
drive click "$title" "$next"
shot step1-contacts
drive click "$title" "$next"
shot step2-access
drive click "$title" "$next"
drive wait "Error"
shot step2-load-failed
drive click "Error" "OK"
drive gone "Error"
drive click "$title" "<  &Prev"
drive expect "$title" "Please specify detail information about the Contacts database."
load 'C:\demo\contacts.vcf' contacts
stop

for kind in Calendar Tasks Notebook; do
  word=$(echo "$kind" | tr 'A-Z' 'a-z')
  start "$bin"
  drive click "$title" "$kind"
  drive click "$title" "$next"
  shot "step1-$word"
  if [ "$kind" = Notebook ]; then
    drive click "$title" "Remote Notebook Database (If you are not sure about this, please check with your Domino Admin)"
    shot step1-notebook-remote
    drive click "$title" "$next"
    drive wait "Error"
    shot step1-notebook-empty-name
    drive click "Error" "OK"
    drive gone "Error"
    drive click "$title" "Local Notebook Database (e.g. notebook.nsf)"
  fi
  case $kind in
    Calendar) load 'C:\demo\calendar.ics' calendar ;;
    Tasks) load 'C:\demo\tasks.ics' tasks ;;
    Notebook) load 'C:\demo\notebook.ics' notebook ;;
  esac
  stop
done

# The wait window, with a stand-in helper that takes four seconds and reports its progress.
start "$slow"
drive click "$title" "$next"
drive click "$title" "$next"
drive expect "$title" "Please specify the user and password options."
printf 'sleep=4000\n' >"$work/probe-Pellora.NotesAddr.txt"
drive click "$title" "$next"
sleep 1.2
printf 'Reading contact 17 of 40 ...\r\n' >"$work/LNAddrStatus.dat"
sleep 1.2
shot step2-wait-window
drive wait "Error"
drive click "Error" "OK"
stop

rm -rf "$slow"
echo "done"
