#!/usr/bin/env bash
# Draws the program's icon and logo again (wizard/res/Mirrowick.ico, wizard/res/Logo.bmp) with
# our own generator. Run it after changing tools/artgen/artgen.cpp and commit the results.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
g++ -std=c++17 -O2 -Wall -Wextra -Werror -o "$out/artgen" "$root/tools/artgen/artgen.cpp"
"$out/artgen" "$root/wizard/res/Mirrowick.ico" "$root/wizard/res/Logo.bmp"
