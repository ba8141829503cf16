#!/usr/bin/env bash
# Measures the CPU share ConfigVELDAR takes while it sits idle with its port open: tvr-sim on
# a pty as COM1, the program under Xvfb, logged in as a fresh administrator (typed with
# xdotool), then SECONDS (default 10) of nothing happening, read from /proc.
# Usage: scripts/measure-idle-cpu.sh [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
seconds=${1:-10}
caption="Настройка и отладка системы VELDAR v4.4"

if [ -z "${MEASURE_IN_XVFB:-}" ]; then
    "$top/scripts/deps.sh"
    cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
    cmake --build "$build" -j2 --target ConfigVELDAR veldar-first-admin tvr-sim >/dev/null
    exec env MEASURE_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

work=$(mktemp -d)
started=()
cleanup() {
    local pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

export VELDAR_REGISTRY=$work/registry
export XDG_DATA_HOME=$work/share
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
"$build/tools/veldar-first-admin" --login admin --password veldar \
    --surname "Иванов" --name "Иван" --patronymic "Иванович" --position "Инженер" >/dev/null

line=$work/ttyTVR
coproc TVRSIM { exec "$build/simulators/tvr/tvr-sim" --units 101 --link "$line"; }
started+=($TVRSIM_PID)
read -r -t 10 _ <&"${TVRSIM[0]}" || { echo "tvr-sim did not start" >&2; exit 1; }
mkdir -p "$VELDAR_REGISTRY/PortMap" "$VELDAR_REGISTRY/ConfigVELDAR_v4.1"
cat > "$VELDAR_REGISTRY/PortMap/values.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\PortMap]
"COM1"="$line"
REG
cat > "$VELDAR_REGISTRY/ConfigVELDAR_v4.1/values.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\ConfigVELDAR_v4.1]
"CurrComm"="COM1"
"BaudRate"="3"
"WaitAnsewer"="60"
REG

"$build/configurator/ConfigVELDAR" &
program=$!
started+=($program)
window=
for _ in $(seq 1 100); do
    window=$(xdotool search --name "^$caption\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || { echo "ConfigVELDAR ended early" >&2; exit 1; }
    sleep 0.2
done
[ -n "$window" ] || { echo "no ConfigVELDAR window appeared" >&2; exit 1; }
sleep 1
xdotool windowfocus --sync "$window"
xdotool type --delay 20 admin
xdotool key Tab
xdotool type --delay 20 veldar
xdotool key Return

# The port opens half a second after the login and says so in the event log.
events=$XDG_DATA_HOME/VELDAR/data/Events.log
for _ in $(seq 1 50); do
    if [ -f "$events" ] && iconv -f CP1251 -t UTF-8 "$events" | grep -q "Открыт порт COM1"; then break; fi
    sleep 0.2
done
iconv -f CP1251 -t UTF-8 "$events" 2>/dev/null | grep -q "Открыт порт COM1" ||
    { echo "the port did not open" >&2; exit 1; }
sleep 1
xdotool key Return  # closes "Порт COM1 успешно открыт!"
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$program/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "ConfigVELDAR idle with COM1 open: %.2f %% of one core over %d s (%d ticks of 1/%d s)\n", 100 * t / hz / s, s, t, hz }'
