#!/bin/sh
# Starts the real program under openbox, a click-to-focus window manager, on the X display given by
# the caller. With the focus in another client, one click into the entry field must both activate
# the window and reach the field: typing 4 and pressing the generate button then draws the 4-cube,
# not the message asking for a dimension. Then, with the focus elsewhere again, a left drag that
# begins with the activating click must orbit the camera, and afterwards a click on the other client
# must reach it.
set -eu
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=""

fail() {
    echo "FAIL: $*"
    cat "$work/log"
    # shellcheck disable=SC2086 # a list of process ids
    kill $pids 2>/dev/null || true
    exit 1
}

# openbox's own configuration, so that no user setting (focus follows the mouse) can hide the fault.
openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$work/openbox.log" 2>&1 &
pids=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || fail "openbox did not start"

# The first visible window whose name matches, waiting up to 20 s. Not `xdotool search --sync`: a
# window the window manager destroys while xdotool looks at it makes that fail.
find_window() {
    for _ in $(seq 100); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.2
    done
}

SDL_VIDEODRIVER=x11 "$exe" 2>"$work/log" &
pid=$!
pids="$pids $pid"
wid=$(find_window 'Tessary$')
[ -n "$wid" ] || fail "no window"

# Another client beside the program's window, to hold the focus.
xterm -geometry 30x10+1060+40 -T tessary-smoke-other -e sleep 600 &
pids="$pids $!"
other=$(find_window '^tessary-smoke-other$')
[ -n "$other" ] || fail "no xterm window"

# shows <name> <frame-diff.py arguments after the shot>: takes the window into $work/<name>.xwd until
# frame-diff.py accepts it, for up to about 10 s, so that a busy machine has time to draw.
shows() {
    name=$1
    shift
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        xwd -id "$wid" -silent >"$work/$name.xwd"
        python3 "$here/frame-diff.py" "$work/$name.xwd" "$@" && return 0
        sleep 0.5
    done
    return 1
}

# active <window>: whether the window manager names it as the active window within about 2 s.
active() {
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

focus_other() {
    xdotool windowactivate "$other" 2>/dev/null
    active "$other" || fail "the xterm did not get the focus"
    # Time for the program to take its loss of focus and pause.
    sleep 0.5
}

focus_other
xdotool mousemove --window "$wid" 200 25 click 1
# A user types once the window shows it has the focus; a busy machine can take a while to hand the
# focus over, and keys typed before then go to the xterm.
active "$wid" || fail "the click did not activate the window"
sleep 0.5
xdotool type --delay 50 4
xdotool mousemove --window "$wid" 924 35 click 1
shows built cube || fail "the activating click did not reach the entry field"

focus_other
xdotool mousemove --window "$wid" 500 400 mousedown 1
sleep 0.3
xdotool mousemove --window "$wid" 560 440
sleep 0.3
xdotool mouseup 1
shows dragged "$work/built.xwd" changed || fail "a drag that begins with the activating click did not orbit"

# The drag captured the mouse, and the release must have given the capture back to the system: a
# pointer still grabbed would take this click too, and the xterm would never become active.
xdotool mousemove --window "$other" 40 40 click 1
active "$other" || fail "after the drag the pointer stayed grabbed: a click on the xterm did not reach it"

# Escape goes to the focused window.
xdotool windowactivate "$wid" 2>/dev/null
active "$wid" || fail "the window did not get the focus back"

xdotool key Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
# shellcheck disable=SC2086 # a list of process ids
kill $pids 2>/dev/null || true
rm -rf "$work"
echo "PASS: under openbox the activating click reached the entry field, a drag begun with it orbited and released the pointer"
