#!/usr/bin/env bash
# Benchmark, not a test: the time from starting the program to its main window being shown, with
# saved settings (no welcome, no tip of the day), measured from outside by polling the screen for the
# window. Run under an X server:
#
#     xvfb-run -a -s "-screen 0 1280x1024x24" tests/screen/startup_benchmark.sh [build/vexolan] [runs]
set -euo pipefail

runs=${2:-10}
source "$(dirname "$0")/benchmark_common.sh"
mkdir -p "$HOME/files"
for i in $(seq 1 200); do echo "$i" > "$HOME/files/file$i.txt"; done
cat > "$XDG_CONFIG_HOME/Vexo10/settings.ini" <<INI
[Vexo10\\Folders]
Folder1="$HOME/files"
Folder2="$HOME/files"
[Vexo10\\Options]
Show Tips at Startup="0"
INI

wait_for_display
times=()
for run in $(seq 0 "$runs"); do
    start=$(date +%s%N)
    start_program
    shown=$(date +%s%N)
    stop_program
    # The first run prepares the application folder and warms the caches: not counted.
    [ "$run" -eq 0 ] || times+=($(((shown - start) / 1000000)))
    sleep 0.2
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "start to main window shown, ms, $runs runs: min $(echo "$sorted" | head -1)," \
    "median $(echo "$sorted" | sed -n "$(((runs + 1) / 2))p"), max $(echo "$sorted" | tail -1)"
