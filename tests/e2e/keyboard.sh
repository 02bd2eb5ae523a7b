#!/usr/bin/env bash
# The keyboard in a real X server: whenever a side window goes (Escape, its
# close button, "Salvar", "Salvar como", "Criar novo arquivo em branco", a
# text opened from the list, saved settings, the help window that took the
# About window's place), the strip has the keyboard again with the caret
# where it was; collapsed from the keyboard, or shown by a minimized start,
# the collapsed window has it and its button expands the strip again. Each
# digit typed after a window went must land at the caret, which the saved
# files show.
. "$(dirname "$0")/lib.sh" "$1"

start_x
mkdir -p "$DATA/textos"
printf 'xy' >"$DATA/textos/outro.txt"
start_app
main=$(find_window 200) || window_missing "the strip appears"
check "the strip has the keyboard at start" eventually active_is "$main"

# The toolbar from the keyboard: F6, then Tab to the Nth button, then Space.
press_tool() { # press_tool N (1 is btnIdent)
  xdotool key F6
  for _ in $(seq $(($1 - 1))); do xdotool key Tab; done
  xdotool key space
}
opened() { # opened "what": $side is the side window that has just opened
  eventually has_side_window || window_missing "$1"
  side=$(side_window)
}
# After the window went: the strip has the keyboard, and a digit is typed.
typed_after() { # typed_after "what" DIGIT
  check "$1: the strip has the keyboard back" eventually active_is "$main"
  xdotool type "$2"
}

xdotool type ab
xdotool key Left

press_tool 2
opened "btnSave opens the save window"
xdotool key Escape
typed_after "the save window closed by Escape" 1

press_tool 3
opened "btnList opens the list window"
xdotool mousemove --window "$side" 270 20 click 1
typed_after "the list window closed by its close button" 2

press_tool 4
opened "btnConfig opens the settings window"
# "Salvar", the settings unchanged.
xdotool mousemove --window "$side" 249 270 click 1
typed_after "the settings saved" 3

press_tool 5
opened "btnAbout opens the About window"
# The link to the help window: the help window takes the About window's
# place, and has the keyboard itself.
xdotool mousemove --window "$side" 90 168 click 1
help_replaced_about() { local w; w=$(side_window) && [ "$w" != "$side" ]; }
check "the help window takes the About window's place" eventually help_replaced_about
help=$(side_window)
check "the help window has the keyboard" eventually active_is "$help"
xdotool key Escape
typed_after "the help window closed by Escape" 4

xdotool key ctrl+s
opened "Ctrl+S opens the save window"
xdotool type teclas
xdotool mousemove --window "$side" 248 150 click 1
typed_after "\"Salvar\"" 5
xdotool key ctrl+s
check "every digit went in at the caret" eventually file_is "$DATA/textos/teclas.txt" $'a12345b\r\n'

press_tool 2
opened "btnSave opens the save window again"
xdotool type 2
# "Salvar como"
xdotool mousemove --window "$side" 162 150 click 1
typed_after "\"Salvar como\"" 6
xdotool key ctrl+s
check "the renamed text has the digit at the caret" \
  eventually file_is "$DATA/textos/teclas2.txt" $'a123456b\r\n'

press_tool 3
opened "btnList opens the list window again"
# The first row, "outro", opened by a double-click; the list closes.
xdotool mousemove --window "$side" 40 56 click --repeat 2 --delay 60 1
typed_after "a text opened from the list" 7
xdotool key ctrl+s
check "typing goes into the opened text" eventually file_is "$DATA/textos/outro.txt" $'7xy\r\n'

press_tool 2
opened "btnSave opens the save window a third time"
# "Criar novo arquivo em branco"
xdotool mousemove --window "$side" 144 219 click 1
typed_after "\"Criar novo arquivo em branco\"" 8

# The collapse button, Tab past the toolbar's last button.
press_tool 9
check "the collapse button collapses the strip" eventually lacks_window "$main"
ini=$(find_window 50) || window_missing "the collapsed window appears"
check "the collapsed window has the keyboard" eventually active_is "$ini"
xdotool key space
check "the space bar on its button expands the strip" eventually is_viewable "$main"
typed_after "expanded" 9
xdotool key ctrl+s
opened "Ctrl+S on the new text opens the save window"
xdotool type novo
xdotool mousemove --window "$side" 248 150 click 1
check "the new text holds what was typed" eventually file_is "$DATA/textos/novo.txt" $'89\r\n'

# "Iniciar minimizado": the program starts as the collapsed window.
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
sed -i '6s/.*/1\r/' "$DATA/config.txt"
start_app
ini=$(find_window 50) || window_missing "a minimized start shows the collapsed window"
check "a minimized start gives the collapsed window the keyboard" eventually active_is "$ini"
xdotool key space
main=$(find_window 200) || window_missing "the space bar on its button expands the strip"
typed_after "expanded after a minimized start" 0
xdotool key ctrl+s
opened "Ctrl+S after a minimized start opens the save window"
xdotool type zero
xdotool mousemove --window "$side" 248 150 click 1
check "what was typed after a minimized start is saved" \
  eventually file_is "$DATA/textos/zero.txt" $'0\r\n'

finish
