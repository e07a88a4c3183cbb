#!/usr/bin/env bash
# Benchmark, not a test: the time from starting the program to its main window being shown with the
# left pane on a folder of 1,000, 10,000 and 100,000 files (the list filled and drawn), beside
# `ls -l` of the same folder, warm, in the same run. Run under an X server:
#
#     xvfb-run -a -s "-screen 0 1280x1024x24" tests/screen/big_folder_startup_benchmark.sh [build/vexolan] [runs]
set -euo pipefail

runs=${2:-5}
source "$(dirname "$0")/benchmark_common.sh"
mkdir -p "$HOME/empty"
wait_for_display
echo "cores $(nproc), load average $(cut -d' ' -f1-3 /proc/loadavg)"

# The median of the numbers on standard input.
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

for count in 1000 10000 100000; do
    folder=$HOME/big$count
    mkdir -p "$folder"
    (cd "$folder" && seq -f "file%06g.txt" 1 "$count" | xargs touch)
    cat > "$XDG_CONFIG_HOME/Vexo10/settings.ini" <<INI
[Vexo10\\Folders]
Folder1="$folder"
Folder2="$HOME/empty"
[Vexo10\\Options]
Show Tips at Startup="0"
INI
    ls -l "$folder" > /dev/null # warm
    starts=() lists=()
    for run in $(seq 0 "$runs"); do
        start=$(date +%s%N)
        start_program
        shown=$(date +%s%N)
        stop_program
        t0=$(date +%s%N)
        ls -l "$folder" > /dev/null
        t1=$(date +%s%N)
        # The first run prepares the application folder and warms the caches: not counted.
        [ "$run" -eq 0 ] && continue
        starts+=($(((shown - start) / 1000)))
        lists+=($(((t1 - t0) / 1000)))
        sleep 0.2
    done
    s=$(printf '%s\n' "${starts[@]}" | median)
    l=$(printf '%s\n' "${lists[@]}" | median)
    echo "$count files: start to main window shown $((s / 1000)) ms; ls -l $((l / 1000)) ms;" \
        "ratio $(awk "BEGIN {printf \"%.2f\", $s / $l}")x (medians of $runs runs)"
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
