#!/usr/bin/env bash
# Screenshots of the running assistant in a notification area: run inside an X server without a
# window manager (tools/screenshots.sh starts it under Xvfb). A tray host (trayer) holds the
# icon; xdotool clicks and types; imagemagick's import takes the pictures.
#   tools/screenshots_assistant.sh <bin folder> <output folder>
# The assistant runs from a throwaway programs' folder with the demo database (user admin).
set -euo pipefail
bin="$(cd "$1" && pwd)"
out="$(mkdir -p "$2" && cd "$2" && pwd)"
for tool in trayer xdotool import xwininfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool (tools/setup-debian.sh installs it)" >&2; exit 1; }
done

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

programs="$work/programs"
mkdir -p "$programs" "$work/runtime"
chmod 700 "$work/runtime"
cp "$bin/kolmasyst" "$bin/kolmrap" "$programs/"
cp -r "$bin/kolmasyst.help" "$programs/"
"$bin/kolmdb" demo "$programs" >/dev/null
# The demo's reports for the report list, and an hour that does not read for the settings.
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" "$programs/kolmrap" 0 admin 'Admin123!' >/dev/null 2>&1
sed -i 's/^ASYST.GodzAsys.Str=.*/ASYST.GodzAsys.Str=25:99/' "$programs/brel.ini"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb

# Waits until a command succeeds (at most five seconds).
wait_for() {
    for _ in $(seq 50); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    echo "timed out: $*" >&2
    return 1
}
# The geometry of a window as X, Y, WIDTH, HEIGHT shell variables.
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
# A screenshot of one window, or of a region of the screen.
shoot_window() { geometry "$1"; shoot_region "$2" "$WIDTH" "$HEIGHT" "$X" "$Y"; }
shoot_region() { import -window root -crop "${2}x${3}+${4}+${5}" +repage "$out/$1"; echo "$out/$1"; }
# The newest visible window whose title matches.
window_named() { xdotool search --onlyvisible --name "$1" | tail -1; }
# The assistant's visible windows larger than its tray icon, newest last.
popup_window() {
    local w
    for w in $(xdotool search --onlyvisible --classname kolmasyst); do
        geometry "$w"
        if [ "$WIDTH" -gt 60 ] && [ "$HEIGHT" -gt 60 ]; then echo "$w"; fi
    done | tail -1
}

# The assistant starts before the tray host, as at a desktop login: it says so on standard
# error, keeps running, and its icon appears once the tray is there.
"$programs/kolmasyst" 2>"$work/kolmasyst.err" &
assistant=$!
pids+=($assistant)
wait_for grep -q "brak obszaru powiadomień" "$work/kolmasyst.err"
kill -0 "$assistant"
trayer --edge top --align right --widthtype request --height 26 --SetDockType true --transparent false &
pids+=($!)
# The icon is the assistant's small window inside the tray.
wait_for xdotool search --onlyvisible --classname kolmasyst
echo "the assistant started before the tray; its icon appeared when the tray came"
icon="$(xdotool search --onlyvisible --classname kolmasyst | head -1)"
geometry "$icon"
icon_x=$((X + WIDTH / 2))
icon_y=$((Y + HEIGHT / 2))
sleep 0.5
shoot_region assistant-tray.png 200 40 $((X + WIDTH - 200 + 2)) 0

# Right click: the owner-drawn popup menu at the cursor.
xdotool mousemove "$icon_x" "$icon_y" click 3
wait_for test -n "$(popup_window)"
sleep 0.3
menu="$(popup_window)"
shoot_window "$menu" assistant-menu.png
# The first item selected, then the module submenu opened.
geometry "$menu"
menu_x=$X menu_y=$Y menu_w=$WIDTH menu_h=$HEIGHT
xdotool mousemove $((menu_x + 60)) $((menu_y + 12))
sleep 0.4
shoot_window "$menu" assistant-menu-selected.png
xdotool mousemove $((menu_x + 60)) $((menu_y + 87))
sleep 0.8
shoot_region assistant-menu-modules.png $((menu_w + 260)) $((menu_h + 20)) $((menu_x - 260)) "$menu_y"
xdotool key Escape
sleep 0.2
# The database submenu: "Konfiguracja bazy danych" and the demo database, checked.
xdotool mousemove $((menu_x + 60)) $((menu_y + 104))
sleep 0.8
shoot_region assistant-menu-databases.png $((menu_w + 260)) $((menu_h + 20)) $((menu_x - 260)) "$menu_y"
xdotool key Escape
sleep 0.2
xdotool key Escape
sleep 0.3

# "Uruchom animacje": the pencil writes; two moments of the moving icon.
xdotool mousemove "$icon_x" "$icon_y" click 3
wait_for test -n "$(popup_window)"
sleep 0.3
geometry "$(popup_window)"
xdotool mousemove $((X + 60)) $((Y + 60)) click 1
sleep 0.45
shoot_region assistant-tray-animated-1.png 60 30 $((icon_x - 40)) 0
sleep 0.3
shoot_region assistant-tray-animated-2.png 60 30 $((icon_x - 40)) 0
xdotool mousemove "$icon_x" "$icon_y" click 3
wait_for test -n "$(popup_window)"
sleep 0.3
geometry "$(popup_window)"
shoot_window "$(popup_window)" assistant-menu-animating.png
xdotool mousemove $((X + 60)) $((Y + 60)) click 1
sleep 0.3

# Left click: the login dialog, then the main window.
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for window_named '^Logowanie$'
login="$(window_named '^Logowanie$')"
geometry "$login"
# Without a window manager the keyboard follows the pointer.
xdotool mousemove $((X + WIDTH / 2)) $((Y + 30))
sleep 0.3
xdotool type --delay 30 'admin'
xdotool key Tab
xdotool type --delay 30 'Admin123!'
xdotool key Return
wait_for window_named ' : admin$'
main="$(window_named ' : admin$')"
sleep 0.5
shoot_window "$main" assistant-main.png

# F1 in the main window: the help window at the window's topic.
geometry "$main"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 10))
xdotool key F1
wait_for window_named 'Pomoc asystenta systemu KOLM$'
sleep 0.5
shoot_window "$(window_named 'Pomoc asystenta systemu KOLM$')" assistant-help-3000.png

# "Pomoc": the general topic in the same help window (the main window brought up first, as
# there is no window manager to do it).
xdotool windowraise "$main"
geometry "$main"
xdotool mousemove $((X + 60)) $((Y + 274)) click 1
sleep 0.8
shoot_window "$(window_named 'Pomoc asystenta systemu KOLM$')" assistant-help-2200.png

# Clicks the main window's button whose middle is y below the window's top.
press_in_main() {
    xdotool windowraise "$main"
    geometry "$main"
    xdotool mousemove $((X + 140)) $((Y + $1)) click 1
}
# Once a window titled as the pattern is shown: its screenshot, and the pointer (and so the
# keyboard) over it. Sets shown to the window.
shoot_when_shown() {
    wait_for window_named "$1"
    sleep 0.8
    shown="$(window_named "$1")"
    shoot_window "$shown" "$2"
    geometry "$shown"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
}

# "Pokaż listę raportów": the demo's report folder, then one section's folder entered with
# the keys.
press_in_main 32
shoot_when_shown '^Lista wygenerowanych raportów$' assistant-report-list.png
xdotool key Home Return
sleep 0.8
shoot_window "$shown" assistant-report-list-folder.png
xdotool key Escape
sleep 0.3

# "Ustawienia" with an hour that does not read: said once, then the dialog with what did read.
press_in_main 177
shoot_when_shown '^Asystent systemu KOLM$' assistant-settings-unread.png
xdotool key Return
shoot_when_shown '^Ustawienia konfiguracyjne asystenta$' assistant-settings-after-unread.png
xdotool key Escape
sleep 0.3

# "Koniec" from the menu: the question, then the end of the program.
xdotool mousemove "$icon_x" "$icon_y" click 3
wait_for test -n "$(popup_window)"
sleep 0.3
menu="$(popup_window)"
# The user item shows who is logged in.
shoot_window "$menu" assistant-menu-logged-in.png
geometry "$menu"
xdotool mousemove $((X + 60)) $((Y + HEIGHT - 12)) click 1
wait_for window_named 'okno \?$'
question="$(window_named 'okno \?$')"
sleep 0.3
shoot_window "$question" assistant-exit-question.png
geometry "$question"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool key Return
for _ in $(seq 50); do kill -0 "$assistant" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$assistant" 2>/dev/null; then
    echo "the assistant did not end after Koniec" >&2
    exit 1
fi
sleep 0.3
if xwininfo -root -tree | grep -q '"kolmasyst"'; then
    echo "a window of the assistant is left after its end" >&2
    exit 1
fi
shoot_region assistant-tray-after-exit.png 200 40 $((icon_x - 190)) 0
echo "the assistant ended; its icon left the tray"

# A fresh installation: no database configured. The first click says what to do, once, and
# leads to the databases dialog.
fresh="$work/fresh"
mkdir -p "$fresh"
cp "$bin/kolmasyst" "$fresh/"
cp -r "$bin/kolmasyst.help" "$fresh/"
printf '[Database]\nAliasName=\n' >"$fresh/brel.ini"
: >"$fresh/aliases.ini"
"$fresh/kolmasyst" 2>"$work/fresh.err" &
assistant=$!
pids+=($assistant)
wait_for xdotool search --onlyvisible --classname kolmasyst
sleep 0.5
icon="$(xdotool search --onlyvisible --classname kolmasyst | head -1)"
geometry "$icon"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
wait_for window_named '^Asystent systemu KOLM$'
sleep 0.5
box="$(window_named '^Asystent systemu KOLM$')"
shoot_window "$box" assistant-first-start.png
geometry "$box"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
# "Tak": the databases dialog.
xdotool key Return
wait_for window_named '^Wykaz baz danych$'
sleep 0.5
shoot_window "$(window_named '^Wykaz baz danych$')" assistant-first-start-databases.png
xdotool key Escape
sleep 0.5
if [ "$(xdotool search --onlyvisible --name '^Asystent systemu KOLM$' | wc -l)" -gt 0 ]; then
    echo "a second box after the first start's question" >&2
    exit 1
fi
kill -0 "$assistant" || { echo "the assistant ended after the first start's question" >&2; exit 1; }
echo "the first start without a database asked once and led to the databases dialog"
