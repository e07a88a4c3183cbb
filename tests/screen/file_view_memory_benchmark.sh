#!/usr/bin/env bash
# Benchmark, not a test: the resident memory of the running program with its left pane on a folder of
# 100,000 files, beside the same program on an empty folder, and what that costs per file. Run under an
# X server:
#
#     xvfb-run -a -s "-screen 0 1280x1024x24" tests/screen/file_view_memory_benchmark.sh [build/vexolan] [files]
set -euo pipefail

count=${2:-100000}
source "$(dirname "$0")/benchmark_common.sh"
mkdir -p "$HOME/empty" "$HOME/big"
(cd "$HOME/big" && seq -f "file%06g.txt" 1 "$count" | xargs touch)
wait_for_display

# The resident memory in KB of the program started with its left pane on folder $1, once its window
# is shown and its memory has stopped growing.
resident() {
    cat > "$XDG_CONFIG_HOME/Vexo10/settings.ini" <<INI
[Vexo10\\Folders]
Folder1="$1"
Folder2="$HOME/empty"
[Vexo10\\Options]
Show Tips at Startup="0"
INI
    start_program 0.1
    local last=0 now
    for _ in $(seq 1 100); do
        sleep 0.5
        now=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
        [ "$now" -eq "$last" ] && break
        last=$now
    done
    stop_program
    echo "$last"
}

resident "$HOME/empty" >/dev/null # prepares the application folder
empty=$(resident "$HOME/empty")
big=$(resident "$HOME/big")
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "resident memory: empty folder ${empty} KB, folder of $count files ${big} KB;" \
    "$(((big - empty) * 1024 / count)) bytes per file (goal: at most 600)"
