#!/usr/bin/env bash
# Drives one frame of a pass through the dialog with the screen reader Orca listening, and
# prints what Orca speaks at each step. Not part of the test command (it needs Orca and
# takes about a minute): run it by hand after `bash scripts/run.sh` has built build/src/veskar.
#   bash scripts/orca_pass.sh [build/src/veskar]
# It starts its own X server (Xvfb), session bus, AT-SPI bus, window manager (openbox) and
# Orca; Orca's speech goes nowhere, its debug log records what it would say (ORCA_LOG=FILE
# keeps that log).
set -euo pipefail
cd "$(dirname "$0")/.."
veskar=$(realpath "${1:-build/src/veskar}")
source scripts/setup.sh
ensure_packages "${orca_packages[@]}"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ -n "${ORCA_LOG:-}" ]; then cp "$work/orca.log" "$ORCA_LOG"; fi
    rm -rf "$work"
}
trap cleanup EXIT

display=:$((80 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x800x24 >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display HOME=$work XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"
sleep 1
eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 2
log=$work/orca.log
orca --replace --debug-file "$log" >"$work/orca.out" 2>&1 &
pids+=($!)
sleep 4
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C "$veskar" >"$work/veskar.log" 2>&1 &
pids+=($!)
sleep 3
window=$(xdotool search --sync --name '^Veskar$' | head -1)
for _ in 1 2 3 4 5; do  # until the window manager has come up
    xdotool windowactivate --sync "$window" 2>/dev/null && break
    sleep 1
done

# Prints what Orca spoke since the last step.
spoken_lines=0
say_step() {
    sleep "${2:-2.5}"
    echo "== $1"
    local all
    all=$(grep -a "SPEECH OUTPUT" "$log" || true)
    echo "$all" | tail -n +"$((spoken_lines + 1))" | sed -E "s/.*SPEECH OUTPUT: //"
    spoken_lines=$(echo "$all" | grep -c . || true)
}

say_step "start" 2
xdotool key alt+h
say_step "H0 (Alt+H)"
xdotool type --delay 150 "86A6007FC012342B75908F8080"
say_step "typing a frame"
xdotool key Return
say_step "Check (Enter)" 2
xdotool key alt+l
say_step "the newest block (Alt+L)"
xdotool key Down Down
say_step "reading on (Down, Down)"
xdotool key alt+p
say_step "the panel (Alt+P)"
xdotool key Down
say_step "the next item (Down)"
xdotool key alt+h
xdotool key --delay 200 8 G
say_step "an amber hint (8G in H0)"
xdotool key ctrl+n
xdotool key --delay 100 yen
say_step "a refusal (a character code page 932 lacks)"
xdotool key ctrl+n alt+h Tab Tab Tab Tab Tab Tab
xdotool type --delay 150 "FFFF"
xdotool key Return
say_step "the decoding-error box" 3
xdotool key Return
say_step "closing the box"
