#!/usr/bin/env bash
# Usage: scripts/demo.sh [configveldar|burnet]
#
# configveldar (the default): builds ConfigVELDAR and starts it the way a first-time user
# meets it: a private registry and data folder under build/demo, with one administrator
# account (login "admin", password "veldar"), and a virtual line with the TVR units 101, 121
# and 130 (tvr-sim) on COM1.
#
# burnet: builds Burnet and starts it with a virtual programmer (isp-sim, an ATmega16 behind
# it) on COM1, a private registry under build/demo and a small firmware file chosen already.
#
# With a display the program simply runs. Without one ($DISPLAY empty) it runs under Xvfb:
# the script waits for the program's window, saves a screenshot of it to
# build/demo/configveldar.png or build/demo/burnet.png (or $DEMO_SCREENSHOT) and ends.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
demo=${DEMO_DIR:-$build/demo}
program=${1:-configveldar}
case "$program" in
    configveldar)
        caption="Настройка и отладка системы VELDAR v4.4"
        targets=(ConfigVELDAR veldar-first-admin tvr-sim)
        ;;
    burnet)
        caption="Burnet 1.35C"
        targets=(Burnet isp-sim)
        ;;
    *)
        echo "usage: $0 [configveldar|burnet]" >&2
        exit 2
        ;;
esac
shot=${DEMO_SCREENSHOT:-$demo/$program.png}

if [ -z "${DISPLAY:-}" ] && [ -z "${DEMO_IN_XVFB:-}" ]; then
    "$top/scripts/deps.sh"
    exec env DEMO_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

if [ -z "${DEMO_IN_XVFB:-}" ]; then "$top/scripts/deps.sh"; fi
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

rm -rf "$demo"
mkdir -p "$demo"
export VELDAR_REGISTRY=$demo/registry
export XDG_DATA_HOME=$demo/share
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$demo/runtime}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

started=()
cleanup() {
    local pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# Makes the simulator's link COM1 for the programs.
map_com1() {
    mkdir -p "$VELDAR_REGISTRY/PortMap"
    cat > "$VELDAR_REGISTRY/PortMap/values.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\PortMap]
"COM1"="$1"
REG
}

# Waits for the program's window, saves the screenshot and lets cleanup end the program.
screenshot() {
    local window=
    for _ in $(seq 1 100); do
        window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" | awk '{print $1; exit}' || true)
        [ -n "$window" ] && break
        kill -0 "${started[-1]}" 2>/dev/null || { echo "$1 ended early" >&2; exit 1; }
        sleep 0.2
    done
    [ -n "$window" ] || { echo "no $1 window appeared" >&2; exit 1; }
    sleep 1  # let it paint
    import -window "$window" "$shot"
    echo "Screenshot of the $1 window: $shot"
}

if [ "$program" = burnet ]; then
    # The virtual programmer on COM1, an ATmega16 behind it.
    line=$demo/ttyISP
    coproc ISPSIM { exec "$build/simulators/isp/isp-sim" --part m16 --link "$line" --log "$demo/isp-sim.log"; }
    started+=($ISPSIM_PID)
    read -r -t 10 pty <&"${ISPSIM[0]}" || { echo "isp-sim did not start" >&2; exit 1; }
    map_com1 "$line"
    # A small program that toggles port B, chosen as Burnet's file, and the ATmega16 chosen.
    cat > "$demo/blink.hex" <<'HEX'
:040000000C942A0032
:0C0054000FEF07BB08B3009508BBFCCF02
:00000001FF
HEX
    mkdir -p "$VELDAR_REGISTRY/Software/Halvard/Burnet/文件" "$VELDAR_REGISTRY/Software/Halvard/Burnet/Device"
    cat > "$VELDAR_REGISTRY/Software/Halvard/Burnet/文件/values.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Halvard\Burnet\文件]
"名称"="$demo/blink.hex"
REG
    cat > "$VELDAR_REGISTRY/Software/Halvard/Burnet/Device/values.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Halvard\Burnet\Device]
"名称"="ATmega16"
REG
    echo "isp-sim: an ATmega16 programmer on $pty (COM1)"
    if [ -z "${DEMO_IN_XVFB:-}" ]; then
        "$build/programmer/Burnet"
        exit 0
    fi
    "$build/programmer/Burnet" &
    started+=($!)
    screenshot Burnet
    exit 0
fi

# A fresh installation: nothing in the registry but the administrator; the program's
# first-run folders land under $XDG_DATA_HOME/VELDAR.
"$build/tools/veldar-first-admin" --login admin --password veldar \
    --surname "Иванов" --name "Иван" --patronymic "Иванович" --position "Инженер"

# The virtual installation, on COM1 for the program, chosen on its "Терминал" page already.
line=$demo/ttyTVR
coproc TVRSIM { exec "$build/simulators/tvr/tvr-sim" --units 101,121,130 --link "$line" --log "$demo/tvr-sim.log"; }
started+=($TVRSIM_PID)
read -r -t 10 pty <&"${TVRSIM[0]}" || { echo "tvr-sim did not start" >&2; exit 1; }
map_com1 "$line"
mkdir -p "$VELDAR_REGISTRY/ConfigVELDAR_v4.1"
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
screenshot ConfigVELDAR
