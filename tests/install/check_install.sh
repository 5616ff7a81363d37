#!/usr/bin/env bash
# Installs the built program into a staging folder and runs it from there as a director would after installing the
# package: it finds its shipped settings and German, keeps its files under the user's data folder, never beside
# itself, and never overwrites the director's own settings.
#   check_install.sh BUILD_DIR [CMAKE]
set -euo pipefail
build=$(realpath "${1:?usage: check_install.sh BUILD_DIR [CMAKE]}")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"${2:-cmake}" --install "$build" --prefix "$stage/usr" >/dev/null
veltrun=$stage/usr/bin/veltrun
fail() { echo "FAIL: $*" >&2; exit 1; }
unset VELTRUN_HOME XDG_DATA_HOME
export HOME=$stage/home LC_ALL=C.UTF-8

folder=$HOME/.local/share/veltrun
"$veltrun" info | grep -xF "Program folder: $folder" >/dev/null || fail "info does not name $folder"
[ -f "$folder/Veltrun.ini" ] && [ -f "$folder/Language/Deutsch.txt" ] || fail "the shipped files were not copied"
[ "$(ls "$stage/usr/bin")" = veltrun ] || fail "the program wrote beside itself"
if [ -f "$build/veltrun-window.so" ]; then
  "$veltrun" --has-gui || fail "the installed program cannot load its window"
fi
"$veltrun" --lang Deutsch translate 114 | grep -F "ist auf keine zulässige Weise möglich" >/dev/null || fail "no German"

printf '[Options]\r\nLanguage=Deutsch.txt\r\n' >"$folder/Veltrun.ini"
echo "1|mine" >"$folder/Language/Deutsch.txt"
"$veltrun" translate 1 | grep -xF mine >/dev/null || fail "the director's files were overwritten"
[ "$(cat "$folder/Veltrun.ini")" = "$(printf '[Options]\r\nLanguage=Deutsch.txt\r')" ] || fail "Veltrun.ini was changed"

export XDG_DATA_HOME=$stage/data
"$veltrun" --yes demo --players 8 --rounds 3 --seed 1 >"$stage/demo.txt" 2>&1 || fail "the demo failed"
grep -qF "Tournament: $XDG_DATA_HOME/veltrun/Tourn/" "$stage/demo.txt" || fail "the demo is not under \$XDG_DATA_HOME"
echo "installed program works"
