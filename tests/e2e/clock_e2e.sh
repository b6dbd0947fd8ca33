#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program under Xvfb: it shows its shaped clock, a second start
# hands over and ends, and SIGTERM saves and ends with status 0.
# Usage: clock_e2e.sh <path to dist/clock>
set -euo pipefail

clock=$1
work=$(mktemp -d)
xvfb_pid=
clock_pid=

cleanup() {
    [ -n "$clock_pid" ] && kill -9 "$clock_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The command line is answered without any display.
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$clock" --help) || fail "--help failed"
case "$help" in *--home*) ;; *) fail "--help does not mention --home: $help" ;; esac
[ "$(env -u DISPLAY "$clock" --version)" = "Tockly 2.8" ] || fail "--version printed something else"
status=0
env -u DISPLAY "$clock" --no-such-option >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"

# A private X server; -displayfd tells which display it took.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# A configuration folder of its own, where the update offer at start-up is
# switched off, as a user would: nothing may wait on it here.
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/tockly"
printf '[Tockly]\r\nupdate=1\r\n' >"$XDG_CONFIG_HOME/tockly/clock.ini"

home=$work/home
mkdir -p "$home"
# The first task falls due a few seconds after the start.
due=$(date -d '+5 seconds' '+%Y-%m-%d %H:%M:%S')
cat >"$home/alarms.lst" <<LST
[Common]
NumofAlarms=2
[Alarm00000]
ReportMode=0
DateTime=$due
Schedule=0
HourlyDateLimit=0
HourlyTimeLimit=0
HourlyEndDate=2031-05-08
HourlyEndTime=23:59:00
HourlyStartDate=2031-05-01
HourlyStartTime=00:00:00
Category=3
Description=第一个提醒
Message=两行##内容
Background Color=16777215
FontColor=0
FontHeight=240
FontFaceName=宋体
FontMask=0
FontEffect=0
SoundFile=
RepeatPlay=0
ActionMode=0
ActionOption=0
Countdownsec=30
FilePath=
[Alarm00001]
ReportMode=0
DateTime=2031-05-02 09:00:00
Schedule=0
HourlyDateLimit=0
HourlyTimeLimit=0
HourlyEndDate=2031-05-08
HourlyEndTime=23:59:00
HourlyStartDate=2031-05-01
HourlyStartTime=00:00:00
Category=0
Description=second
Message=
Background Color=16777215
FontColor=0
FontHeight=12
FontFaceName=宋体
FontMask=0
FontEffect=0
SoundFile=
RepeatPlay=0
ActionMode=0
ActionOption=0
Countdownsec=30
FilePath=
LST

"$clock" --home "$home" >"$work/clock.log" 2>&1 &
clock_pid=$!

window=
for _ in $(seq 100); do
    window=$(xdotool search --name '^Tocklyv2\.8$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled Tocklyv2.8 appeared"
for _ in $(seq 50); do
    xwininfo -id "$window" | grep -q 'IsViewable' && break
    sleep 0.1
done
xwininfo -id "$window" | grep -q 'IsViewable' || fail "the clock window is not shown"
xwininfo -shape -id "$window" | grep -q 'Window shape extents' || fail "the clock window has no shape"

# The face's key-coloured corner is a hole: the root window shows there.
read -r x y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
corner=$(import -window root -crop "1x1+$x+$y" txt:- | tail -n 1)
case "$corner" in
*'#FF00FF'*) fail "the key colour shows in the corner: $corner" ;;
esac

start=$(date +%s%N)
"$clock" --home "$home" >/dev/null 2>&1 || fail "the second start failed"
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ "$elapsed_ms" -lt 2000 ] || fail "the second start took ${elapsed_ms} ms"
kill -0 "$clock_pid" 2>/dev/null || fail "the first instance ended"

# At its second the task fires: its popup shows the message.
popup=
for _ in $(seq 100); do
    popup=$(xdotool search --name "^提醒 - $due\$" 2>/dev/null | head -n 1) && [ -n "$popup" ] && break
    sleep 0.1
done
[ -n "$popup" ] || fail "the task due at $due did not fire"

kill -TERM "$clock_pid"
status=0
wait "$clock_pid" || status=$?
clock_pid=
[ "$status" -eq 0 ] || fail "SIGTERM ended the clock with status $status"

grep -q '^\[Clock Settings\]' "$home/CONFIG.INI" || fail "CONFIG.INI lacks the clock settings"
grep -q '^MainWindow Size=' "$home/CONFIG.INI" || fail "CONFIG.INI lacks the window position"
grep -q '^NumofAlarms=2' "$home/alarms.lst" || fail "alarms.lst lost tasks"
grep -q '^Description=第一个提醒' "$home/alarms.lst" || fail "the first task's description changed"
grep -q '^Message=两行##内容' "$home/alarms.lst" || fail "the first task's message changed"
grep -q '^Description=second' "$home/alarms.lst" || fail "the second task is missing"
echo "PASS"
