#!/usr/bin/env bash
# Builds ConfigVELDAR and starts it the way a first-time user meets it: a private registry
# and data folder under build/demo, with one administrator account (login "admin",
# password "veldar"). With a display the program simply runs. Without one ($DISPLAY empty)
# it runs under Xvfb: the script waits for the main window, saves a screenshot of the
# main window to build/demo/configveldar.png (or $DEMO_SCREENSHOT) and ends the program.
# A virtual line with the TVR units 101, 121 and 130 (tvr-sim) is on COM1.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
demo=${DEMO_DIR:-$build/demo}
shot=${DEMO_SCREENSHOT:-$demo/configveldar.png}
caption="Настройка и отладка системы VELDAR v4.4"

if [ -z "${DISPLAY:-}" ] && [ -z "${DEMO_IN_XVFB:-}" ]; then
    "$top/scripts/deps.sh"
    exec env DEMO_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

if [ -z "${DEMO_IN_XVFB:-}" ]; then "$top/scripts/deps.sh"; fi
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" -j2 --target ConfigVELDAR veldar-first-admin tvr-sim

# A fresh installation: nothing in the registry but the administrator; the program's
# first-run folders land under $XDG_DATA_HOME/VELDAR.
rm -rf "$demo"
mkdir -p "$demo"
export VELDAR_REGISTRY=$demo/registry
export XDG_DATA_HOME=$demo/share
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$demo/runtime}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
"$build/tools/veldar-first-admin" --login admin --password veldar \
    --surname "Иванов" --name "Иван" --patronymic "Иванович" --position "Инженер"

started=()
cleanup() {
    local pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# The virtual installation, on COM1 for the program, chosen on its "Терминал" page already.
line=$demo/ttyTVR
coproc TVRSIM { exec "$build/simulators/tvr/tvr-sim" --units 101,121,130 --link "$line" --log "$demo/tvr-sim.log"; }
started+=($TVRSIM_PID)
read -r -t 10 pty <&"${TVRSIM[0]}" || { echo "tvr-sim did not start" >&2; exit 1; }
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
echo "tvr-sim: units 101, 121 and 130 on $pty (COM1, 9600 baud)"

if [ -z "${DEMO_IN_XVFB:-}" ]; then
    echo "Log in as admin / veldar."
    "$build/configurator/ConfigVELDAR"
    exit 0
fi

"$build/configurator/ConfigVELDAR" &
started+=($!)
window=
for _ in $(seq 1 100); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" | awk '{print $1; exit}' || true)
    [ -n "$window" ] && break
    kill -0 "${started[0]}" 2>/dev/null || { echo "ConfigVELDAR ended early" >&2; exit 1; }
    sleep 0.2
done
[ -n "$window" ] || { echo "no ConfigVELDAR window appeared" >&2; exit 1; }
sleep 1  # let it paint
import -window "$window" "$shot"
echo "Screenshot of the ConfigVELDAR main window: $shot"
