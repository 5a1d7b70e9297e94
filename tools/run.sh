#!/usr/bin/env bash
# Builds what is missing and starts the wizard on the demo databases: a private Wine prefix
# (build/run/prefix) whose settings point at fresh copies of demo/ (the shipped demo files never
# change), then Mirrowick.exe in Wine's virtual desktop.
set -u -o pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="${MW_BUILD:-$root/build}"

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
There is no display. Start a virtual one and run again, for example:
  Xvfb :1 -screen 0 1024x768x24 &
  DISPLAY=:1 tools/run.sh
and look at it with `DISPLAY=:1 import -window root shot.png`, or use tools/screenshots.sh,
which walks the wizard through its steps and saves a picture of each.
MSG
  exit 2
fi

"$root/tools/deps.sh" || exit 1
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null || exit 1
cmake --build "$build/win" --target Mirrowick helper_Addr helper_Date helper_Task helper_Note \
  mw_help || exit 1

export WINEPREFIX="$build/run/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  # The desktop takes effect when Wine starts again.
  wineserver -w
fi

# Fresh copies of the demo databases, and settings that point at them.
demo="$WINEPREFIX/drive_c/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp "$root"/demo/*.vcf "$root"/demo/*.ics "$demo/"
work="$WINEPREFIX/drive_c/ProgramData/pellora/Mirrowick"
mkdir -p "$work"
printf '[Mirrowick]\r\nAddrFile=C:\\demo\\contacts.vcf\r\nMailDBName=C:\\demo\\calendar.ics\r\nNoteFile=C:\\demo\\notebook.ics\r\nAddrLocal=1\r\nNoteLocal=1\r\nEnableDebug=1\r\nLogLevel=3\r\n' \
  >"$work/pellora.ini"

echo "Starting Mirrowick on the demo databases in C:\\demo (the tasks are in C:\\demo\\tasks.ics)."
exec wine "$build/win/bin/Mirrowick.exe"
