#!/usr/bin/env bash
# Programs and verifies the same flash images (16 KiB on an ATmega16, 128 KiB on an
# ATmega128) through isp-sim on a pty at 115200 baud, once with Burnet's transfer routines
# (tools/burnet-program) and once with avrdude (-c avr910), and prints both times and their
# ratio. Each run starts a fresh simulator that paces its bytes at the line's baud rate and
# takes the parts' real programming times (--realistic). Run by hand; it asserts nothing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
baud=115200

"$top/scripts/deps.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" -j2 --target isp-sim burnet-program >/dev/null

work=$(mktemp -d)
simulator=
cleanup() {
    if [ -n "$simulator" ]; then kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# An image of random bytes without 0xFF (so nothing is skipped as erased), as Intel HEX.
make_image() {
    head -c "$1" /dev/urandom | tr '\377' '\376' | od -An -v -tu1 -w16 | awk '
    {
        offset = (NR - 1) * 16
        if (offset % 65536 == 0) {
            segment = offset / 16
            sum = 4 + int(segment / 256) + segment % 256
            printf(":02000002%04X%02X\r\n", segment, (256 - sum % 256) % 256)
        }
        address = offset % 65536
        sum = 16 + int(address / 256) + address % 256
        line = sprintf(":10%04X00", address)
        for (i = 1; i <= NF; i++) { line = line sprintf("%02X", $i); sum += $i }
        printf("%s%02X\r\n", line, (256 - sum % 256) % 256)
    }
    END { printf(":00000001FF\r\n") }' > "$2"
}

start_simulator() {
    coproc SIM { exec "$build/simulators/isp/isp-sim" --part "$1" --realistic --link "$work/tty" 2>>"$work/isp-sim.err"; }
    simulator=$SIM_PID
    read -r -t 10 _ <&"${SIM[0]}" || { echo "isp-sim did not start" >&2; exit 1; }
}

stop_simulator() {
    kill "$simulator"
    wait "$simulator" 2>/dev/null || true
    simulator=
}

# Runs a command against a fresh simulator; prints its wall time in seconds.
timed() {
    local part=$1 log=$2
    shift 2
    start_simulator "$part"
    local begin end
    begin=$(date +%s.%N)
    "$@" >"$log" 2>&1 || { echo "failed: $*" >&2; cat "$log" >&2; exit 1; }
    end=$(date +%s.%N)
    stop_simulator
    awk -v b="$begin" -v e="$end" 'BEGIN { printf("%.3f", e - b) }'
}

printf "%-10s %-9s %12s %12s %8s\n" "image" "part" "Burnet, s" "avrdude, s" "ratio"
for job in "16384 m16 ATmega16" "131072 m128 ATmega128"; do
    read -r size part device <<<"$job"
    make_image "$size" "$work/image.hex"
    burnet=$(timed "$part" "$work/burnet.log" \
        "$build/tools/burnet-program/burnet-program" --port "$work/tty" --device "$device" "$work/image.hex")
    avrdude=$(timed "$part" "$work/avrdude.log" \
        avrdude -c avr910 -p "$part" -P "$work/tty" -b "$baud" -U "flash:w:$work/image.hex:i")
    printf "%-10s %-9s %12.2f %12.2f %8.2f\n" "$((size / 1024)) KiB" "$part" "$burnet" "$avrdude" \
        "$(awk -v b="$burnet" -v a="$avrdude" 'BEGIN { printf("%.3f", b / a) }')"
done
echo "(ratio = Burnet / avrdude; each: chip erase, program, verify; isp-sim --realistic at $baud baud)"
