#!/usr/bin/env bash
# The real window on an X server: it appears with its design size, shows a
# picture, and a click on "Quit" ends the program cleanly.
set -euo pipefail
program=$1
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "window smoke test: $*" >&2; exit 1; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

# A browser that runs in the foreground until it is told to stop, as
# xdg-open does on desktops without a desktop-environment helper.
mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$1" >"$work/opened"
while [ -d "$work" ] && [ ! -e "$work/release" ]; do sleep 0.1; done
EOF
chmod +x "$work/bin/xdg-open"

PATH="$work/bin:$PATH" TMPDIR=$work "$program" --data "$work/tv_data" 2>"$work/err.txt" &
program_pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tovalia$' | head -n 1) ||
  fail "no window named Tovalia appeared: $(cat "$work/err.txt")"
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Position: 128,128" || fail "window not centred: $geometry"
echo "$geometry" | grep -q "Geometry: 1024x767" || fail "window not 1024x767: $geometry"
[ -e "$work/Tovalia In Use.dat" ] || fail "no single-instance marker while running"

# A second copy is refused while this one runs, and touches nothing.
second_status=0
TMPDIR=$work "$program" --headless --script /dev/null --data "$work/second" 2>"$work/second.txt" ||
  second_status=$?
[ "$second_status" -eq 1 ] || fail "a second copy was not refused (status $second_status)"
grep -q "Tovalia is already running." "$work/second.txt" || fail "no refusal message: $(cat "$work/second.txt")"
[ ! -e "$work/second" ] || fail "the refused copy created its data folder"

sleep 0.5
import -window "$window" "$work/shot.png"
spread=$(convert "$work/shot.png" -format "%[fx:standard_deviation]" info:)
awk -v s="$spread" 'BEGIN { exit !(s > 0.01) }' || fail "the window shows a blank picture"

# F1 opens the help page in the browser, and the window answers while the
# browser runs: "Quit" (at the right end of the tab row) still ends it.
xdotool windowfocus --sync "$window" key F1
for _ in $(seq 100); do [ -e "$work/opened" ] && break; sleep 0.1; done
[ -e "$work/opened" ] || fail "F1 did not start the browser"
xdotool mousemove --window "$window" 976 34 click 1
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "the window did not answer while the browser ran"
touch "$work/release"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/err.txt")"
[ ! -e "$work/Tovalia In Use.dat" ] || fail "the marker was left behind"
echo "window smoke test passed"
