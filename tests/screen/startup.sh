#!/usr/bin/env bash
# The program on a real screen, from the outside, as a user meets it: the first run (welcome,
# advertisement, main window with its caption), a conversion of two sample filters to text, closing
# the program with File > Exit, and a second start that brings the panes back. Needs an X display, xdotool and
# ImageMagick's import:
#
#     xvfb-run -a -s "-screen 0 1280x1024x24" tests/screen/startup.sh [build/vexolan] [sample folder]
#
# The sample folder holds Filter Factory settings files (.afs); the two first are converted (without
# one, the script writes two small settings files of its own). Runs with
# a temporary home folder, so the user's own settings are never touched. Screenshots go to
# $VEXOLAN_SCREENSHOTS when it is set.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../../build/vexolan}")
caption='^Vexolan 1\.52 - Light Edition$'

work=$(mktemp -d)
if [ -n "${2:-}" ]; then
    samples=$(realpath "$2")
else
    samples=$work/samples
    mkdir -p "$samples"
    printf '%%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\r255-r\r\r255-g\r\r255-b\r\ra\r\r' >"$samples/invert.afs"
    printf '%%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\rg\r\rb\r\rr\r\ra\r\r' >"$samples/rotate.afs"
fi
pid=
holder=
cleanup() {
    if [ -n "$holder" ]; then kill "$holder" 2>/dev/null || true; fi
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
settings=$XDG_CONFIG_HOME/Vexo10/settings.ini
mkdir -p "$HOME/filters" "$HOME/out"
mapfile -t afs < <(find "$samples" -maxdepth 1 -iname '*.afs' | sort | head -2)
[ "${#afs[@]}" -eq 2 ] || { echo "need two .afs files in $samples" >&2; exit 1; }
cp "${afs[@]}" "$HOME/filters/"
echo keep > "$HOME/out/keep.txt"

fail() { echo "startup.sh: $*" >&2; exit 1; }
# The X server may still be starting when the script begins; and an X server resets when its last
# client goes, refusing connections for a moment, so a client of the script's own stays connected.
for _ in $(seq 1 200); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
xdotool search --sync --name '^no window has this name$' >/dev/null 2>&1 &
holder=$!
# Waits for a visible window whose caption matches and prints its id.
find_window() {
    for _ in $(seq 1 200); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.05
    done
    fail "no window named $1"
}
gone() {
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    fail "window $1 is still there"
}
shoot() {
    [ -n "${VEXOLAN_SCREENSHOTS:-}" ] || return 0
    mkdir -p "$VEXOLAN_SCREENSHOTS"
    sleep 0.3
    import -window root "$VEXOLAN_SCREENSHOTS/$1.png"
}
key_to() { xdotool windowfocus "$1" 2>/dev/null || true; sleep 0.2; xdotool key "$2"; }
setting() { grep -i "^$1=" "$settings" | tail -1 | sed 's/^[^=]*="\(.*\)"$/\1/'; }
# Waits for a pop-up menu (a window without a name, taller than a menu title) and sets X, Y, WIDTH and
# HEIGHT to its place on the screen.
wait_menu() {
    local menu
    for _ in $(seq 1 200); do
        menu=$(xdotool search --onlyvisible --name '^$' 2>/dev/null | tail -1 || true)
        if [ -n "$menu" ]; then
            eval "$(xdotool getwindowgeometry --shell "$menu")"
            [ "$HEIGHT" -gt 60 ] && [ "$HEIGHT" -lt 600 ] && return 0
        fi
        sleep 0.05
    done
    fail "no menu opened"
}
# Closes the program as a user does, with File > Exit (the last entry of the File menu), and waits
# for it to end.
close_program() {
    xdotool mousemove --window "$1" 18 11 click 1 # "File" on the menu bar
    wait_menu
    xdotool mousemove $((X + 20)) $((Y + HEIGHT - 10)) click 1 # "Exit"
    local ad
    for _ in $(seq 1 200); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid" || fail "the program ended with $?"; pid=; return 0; }
        # About one exit in four shows the advertisement first.
        ad=$(xdotool search --onlyvisible --name '^Vexolan Pro Edition$' 2>/dev/null | head -1 || true)
        if [ -n "$ad" ]; then key_to "$ad" Escape; fi
        sleep 0.05
    done
    fail "the program did not end after File > Exit"
}

# --- first run: both panes start in the folder the program is started in ---
cd "$HOME/filters"
"$program" &
pid=$!
# The splash window and the welcome message both carry the program's name; the message comes second.
welcome=
for _ in $(seq 1 200); do
    mapfile -t named < <(xdotool search --onlyvisible --name '^Vexolan$' 2>/dev/null | sort -n || true)
    if [ "${#named[@]}" -ge 2 ]; then welcome=${named[-1]}; break; fi
    sleep 0.05
done
[ -n "$welcome" ] || fail "no welcome message"
shoot startup-welcome
key_to "$welcome" Return
ad=$(find_window '^Vexolan Pro Edition$')
shoot startup-advertisement
key_to "$ad" Escape
main=$(find_window "$caption")
tip=$(find_window '^Tip of the Day$')
shoot startup-main-window
key_to "$tip" Escape
gone '^Tip of the Day$'
# Escape in the main window is an ordinary key: the program goes on, with or without a selection.
still_there() {
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "the program ended after Escape in the main window"
    xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1 || fail "the main window went after Escape"
    xdotool search --onlyvisible --name '^Vexolan Pro Edition$' >/dev/null 2>&1 && fail "Escape began the exit" || true
}
# The key as a user presses it, to whichever window the desktop gives it (here the one under the pointer).
xdotool mousemove --window "$main" 300 300 key Escape
still_there

# --- Convert: the two filters of the left pane to text, into the right pane's folder ---
# Rows of the left report list under its parent entry "..", in pixels of the window.
xdotool mousemove --window "$main" 40 180 click 1
sleep 0.2
xdotool keydown ctrl mousemove --window "$main" 40 197 click 1 keyup ctrl
sleep 0.2
xdotool key Escape
still_there
xdotool mousemove --window "$main" 44 40 click 1 # "Convert" on the button bar
convert=$(find_window '^Convert$')
xdotool mousemove --window "$convert" 112 34 click 1 # the output format
wait_menu
xdotool mousemove $((X + 20)) $((Y + HEIGHT - 10)) click 1 # its last entry, "Text File"
sleep 0.3
shoot startup-convert-dialog
# The pointer goes to the button first: the tool tip of the box it rested on goes before the click.
xdotool mousemove --window "$convert" 71 161 sleep 0.3 click 1 # "Convert"
folder=$(find_window '^Select Folder$')
shoot startup-select-folder
xdotool mousemove --window "$folder" 258 68 click 1 # "Ok": the proposed folder, the right pane's
gone '^Select Folder$'
for f in "${afs[@]}"; do
    name=$(basename "$f")
    text="$HOME/filters/${name%.*}.txt"
    for _ in $(seq 1 100); do [ -s "$text" ] && break; sleep 0.05; done
    [ -s "$text" ] || fail "no text file for $name in $HOME/filters"
done
shoot startup-converted

close_program "$main"
[ -f "$settings" ] || fail "no settings file after closing"
[ "$(setting Folder1)" = "$HOME/filters" ] || fail "Folder1 is '$(setting Folder1)'"
[ "$(setting Folder2)" = "$HOME/filters" ] || fail "Folder2 is '$(setting Folder2)'"
[ "$(setting Pattern1)" = " 0" ] || fail "Pattern1 is '$(setting Pattern1)'"
[ "$(setting FileViewMode0)" = " 3" ] || fail "FileViewMode0 is '$(setting FileViewMode0)'"
[ "$(setting Maximize)" = "False" ] || fail "Maximize is '$(setting Maximize)'"
[ -n "$(setting Width)" ] && [ -n "$(setting LastX)" ] || fail "no window size or position saved"

# --- second start: no welcome; the saved panes come back and are saved again at the next exit ---
sed -i "s|^Folder2=.*|Folder2=\"$HOME/out\"|; s|^Pattern2=.*|Pattern2=\"-*.txt\"|; s|^FileViewMode1=.*|FileViewMode1=\" 4\"|" \
    "$settings"
cd "$HOME"
"$program" &
pid=$!
main=$(find_window "$caption")
find_window '^Tip of the Day$' >/dev/null
xdotool search --onlyvisible --name '^Vexolan Pro Edition$' >/dev/null 2>&1 && fail "advertisement on a second start"
shoot startup-second-start
close_program "$main"
[ "$(setting Folder1)" = "$HOME/filters" ] || fail "left folder not restored: '$(setting Folder1)'"
[ "$(setting Folder2)" = "$HOME/out" ] || fail "right folder not restored: '$(setting Folder2)'"
[ "$(setting Pattern2)" = "-*.txt" ] || fail "right filter not restored: '$(setting Pattern2)'"
[ "$(setting FileViewMode1)" = " 4" ] || fail "right list mode not restored: '$(setting FileViewMode1)'"
echo "startup.sh: ok"
