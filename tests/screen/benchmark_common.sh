# Shared by the screen benchmark scripts (sourced, not run): the program to measure, a temporary home
# that is removed on exit, and helpers to wait for the X server and for the main window.
#
# Before sourcing, a script may set `program` from its first argument; afterwards $work, $HOME,
# $XDG_CONFIG_HOME and $caption are set, and `start_program` / `stop_program` run one instance.

here=$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)
program=$(realpath "${1:-$here/../../build/vexolan}")
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
mkdir -p "$XDG_CONFIG_HOME/Vexo10"

# The X server may still be starting when the script begins; and an X server resets when its last
# client goes, refusing connections for a moment, so a client of the script's own stays connected.
wait_for_display() {
    for _ in $(seq 1 200); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
    xdotool search --sync --name '^no window has this name$' >/dev/null 2>&1 &
    holder=$!
}

# Starts the program and returns once its main window is shown ($1: seconds between polls).
start_program() {
    "$program" &
    pid=$!
    until xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended early" >&2; exit 1; }
        [ -z "${1:-}" ] || sleep "$1"
    done
}

stop_program() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}
