#!/usr/bin/env bash
# Benchmark, not a test: the time from starting the program to its main window being shown, with
# saved settings (no welcome, no tip of the day), measured from outside by polling the screen for the
# window. Run under an X server:
#
#     xvfb-run -a -s "-screen 0 1280x1024x24" tests/screen/startup_benchmark.sh [build/vexolan] [runs]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../../build/vexolan}")
runs=${2:-10}
caption='^Vexolan 1\.52 - Light Edition$'

work=$(mktemp -d)
pid=
holder=
cleanup() {
    if [ -n "$holder" ]; then kill "$holder" 2>/dev/null || true; fi
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME/files" "$XDG_CONFIG_HOME/Vexo10"
for i in $(seq 1 200); do echo "$i" > "$HOME/files/file$i.txt"; done
cat > "$XDG_CONFIG_HOME/Vexo10/settings.ini" <<INI
[Vexo10\\Folders]
Folder1="$HOME/files"
Folder2="$HOME/files"
[Vexo10\\Options]
Show Tips at Startup="0"
INI

# The X server may still be starting when the script begins; and an X server resets when its last
# client goes, refusing connections for a moment, so a client of the script's own stays connected.
for _ in $(seq 1 200); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
xdotool search --sync --name '^no window has this name$' >/dev/null 2>&1 &
holder=$!
times=()
for run in $(seq 0 "$runs"); do
    start=$(date +%s%N)
    "$program" &
    pid=$!
    until xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended early" >&2; exit 1; }
    done
    shown=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    # The first run prepares the application folder and warms the caches: not counted.
    [ "$run" -eq 0 ] || times+=($(((shown - start) / 1000000)))
    sleep 0.2
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "start to main window shown, ms, $runs runs: min $(echo "$sorted" | head -1)," \
    "median $(echo "$sorted" | sed -n "$(((runs + 1) / 2))p"), max $(echo "$sorted" | tail -1)"
