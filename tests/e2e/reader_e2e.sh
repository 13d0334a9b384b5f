#!/usr/bin/env bash
# End-to-end check of the real reader on a virtual X server with a window manager: it starts
# on its title in a fresh home, reopens a book added with tavrin-tool, and responds to real
# key presses (X keycodes, as a keyboard sends them) and pointer movement and clicks: the
# cover of the open book, both panels, an import through the open dialog and a removal
# through the library's alert, the text around the word while paused, the contents and the
# end of a book. (File drops are covered by the widget tests: a real X drag from another
# client is out of xdotool's reach.) What it checks is what a reader would see, read from
# screenshots of the whole screen.
#
# Usage: reader_e2e.sh TAVRIN TAVRIN_TOOL SET_LAST_OPEN SCREENSHOT_DIR
# Exit status 77 (skipped) when the X tools are not installed (see x_session.sh).
set -euo pipefail

tavrin=$1
tool=$2
set_last_open=$3
shots=$4

readonly width=1280 height=800
# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"

# Whether two screenshots differ in a rectangle.
differs() { # name1, name2, w, h, x, y
  local a b
  a=$(convert "$shots/$1.png" -crop "$3x$4+$5+$6" +repage rgb:- | md5sum)
  b=$(convert "$shots/$2.png" -crop "$3x$4+$5+$6" +repage rgb:- | md5sum)
  [ "$a" != "$b" ]
}
same() { ! differs "$@"; }

start_reader() {
  "$tavrin" >"$work/tavrin.log" 2>&1 &
  app_pid=$!
  if ! app_window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavrin$' | head -1) ||
    [ -z "$app_window" ]; then
    echo "FAIL: the reader window did not appear"
    cat "$work/tavrin.log"
    exit 1
  fi
  # Full screen comes 0.1 s after the window appears; give the window manager time.
  sleep 1.5
}

quit_reader() {
  xdotool key ctrl+q
  local status=0
  for _ in $(seq 50); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: Ctrl+Q did not quit"
    failures=$((failures + 1))
    kill "$app_pid"
  fi
  wait "$app_pid" || status=$?
  app_pid=""
  check "the reader exits cleanly (status $status)" test "$status" -eq 0
}

# Polls a condition for up to five seconds instead of sleeping a fixed time.
wait_until() { # command...
  for _ in $(seq 50); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

shot_shows() { # check, name
  shot "$2"
  "$1" "$2"
}


# The reader's own window, not the window manager's idea of the active one: under load the
# manager may briefly publish no active window while the reader keeps the keyboard.
window_is_full_screen() {
  local geometry
  geometry=$(xdotool getwindowgeometry "$app_window")
  grep -q "Geometry: ${width}x${height}" <<<"$geometry"
}
not_full_screen() { ! window_is_full_screen; }
not_in_file() { ! grep -q "$1" "$2"; }
not() { ! "$@"; }
context_gone() { eq "$(pixels_brighter "$1" 30 1100 190 90 $((cy + 125)))" 0; }

# 1. A fresh home: the title, white on black, the hint for a first book, the controls up.
start_reader
shot 01-title
check "the window is full screen" window_is_full_screen
check "the title is drawn in the middle" \
  gt "$(pixels_like 01-title 'rgb(255,255,255)' 400 160 $((cx - 200)) $((cy - 80)))" 200
check "no highlight without a book" \
  eq "$(pixels_like 01-title 'rgb(255,0,0)' $width $height 0 0)" 0
check "the buttons are up at start with an empty library" \
  gt "$(pixels_brighter 01-title 25 56 168 $((width - 56)) 40)" 50
check "the hint for a first book stands under the title" \
  gt "$(pixels_brighter 01-title 30 700 36 $((cx - 350)) $((cy + 44)))" 100
quit_reader

# 2. A book added with the command-line tool and marked as read last.
for i in $(seq 0 299); do printf 'reading%d ' "$i"; done >"$work/Book.txt"
record=$("$tool" add "$work/Book.txt")
id=$(grep -o '"id":"[^"]*"' <<<"$record" | head -1 | cut -d'"' -f4)
"$set_last_open" "$id"

start_reader
shot 02-word
check "the book reopens on its word, highlight on the centre line" \
  gt "$(pixels_like 02-word 'rgb(255,0,0)' 60 160 $((cx - 30)) $((cy - 80)))" 20
check "the word's other letters are drawn" \
  gt "$(pixels_like 02-word 'rgb(255,255,255)' 800 160 $((cx - 400)) $((cy - 80)))" 100
check "\"Space to read\" under the word of a book not yet read" \
  gt "$(pixels_brighter 02-word 30 400 36 $((cx - 200)) $((cy + 44)))" 50
# Before the first Space the cover of the open book shows with the controls.
xdotool mousemove 600 300
sleep 0.1
xdotool mousemove 610 305
cover_shown() { gt "$(pixels_brighter "$1" 5 100 160 $((cx - 50)) $((height - 260)))" 12000; }
check "the cover of the open book shows 90 above the bottom" wait_until shot_shows cover_shown 02-cover

# 3. Right arrow: the speed message below the word.
xdotool key Right
sleep 0.4
shot 03-hud
check "the status message shows 100 below the centre" \
  gt "$(pixels_brighter 03-hud 25 400 40 $((cx - 200)) $((cy + 80)))" 30
check "the new speed is stored" grep -q '"wpm":310' "$XDG_DATA_HOME/Tavrin/settings.json"
sleep 2.2
shot 04-hud-gone
check "the message fades after 1.5 s" \
  eq "$(pixels_brighter 04-hud-gone 25 400 40 $((cx - 200)) $((cy + 80)))" 0

# 4. Space plays; the word changes by itself.
xdotool key space
sleep 0.5
shot 05-playing-a
sleep 0.5
shot 05-playing-b
check "playing changes the word" differs 05-playing-a 05-playing-b 800 160 $((cx - 400)) $((cy - 80))

# 5. Moving the pointer pauses and shows the controls.
xdotool mousemove 300 300
sleep 0.1
xdotool mousemove 320 310
sleep 0.6
shot 06-paused
check "the pause sign shows 40 above the bottom" \
  gt "$(pixels_brighter 06-paused 25 60 40 $((cx - 30)) $((height - 75)))" 50
check "the buttons show in the top-right corner" \
  gt "$(pixels_brighter 06-paused 25 56 112 $((width - 56)) 40)" 50
check "the progress bar shows along the bottom" \
  gt "$(pixels_brighter 06-paused 8 1200 6 40 $((height - 33)))" 1000
sleep 0.5
shot 07-still-paused
check "paused, the word stays" same 06-paused 07-still-paused 800 160 $((cx - 400)) $((cy - 80))

# 6. Three seconds without movement: the controls fade, the pause sign stays.
sleep 3.2
shot 08-idle
check "the buttons are gone after 3 s" \
  eq "$(pixels_brighter 08-idle 10 56 112 $((width - 56)) 40)" 0
check "the progress bar is gone after 3 s" \
  eq "$(pixels_brighter 08-idle 8 1200 6 40 $((height - 33)))" 0
check "the pause sign stays" \
  gt "$(pixels_brighter 08-idle 25 60 40 $((cx - 30)) $((height - 75)))" 50

# 7. F11 leaves full screen and enters it again.
xdotool key F11
sleep 1
check "F11 leaves full screen" not_full_screen
xdotool key F11
sleep 1
check "F11 enters full screen again" window_is_full_screen

# 8. Paused, the text around the word stands below the message line, where the cover would
# be; a click on a word of it makes that word the current one, and Space reads on from there.
readonly gear_x=$((width - 28)) gear_y=68 library_x=$((width - 28)) library_y=124
readonly panel_right=$((width - 72))
# The font menu and the size slider in the settings panel, as laid out at this screen size.
readonly font_menu_y=207 size_slider_y=349
xdotool mousemove 600 300
sleep 0.1
xdotool mousemove 610 305
sleep 0.6
shot 09-context
check "the text around the word shows while paused" \
  gt "$(pixels_brighter 09-context 30 1100 190 90 $((cy + 125)))" 2000
check "the cover gives way to it" \
  not gt "$(pixels_brighter 09-context 5 100 160 $((cx - 50)) $((height - 260)))" 12000
preferences=$XDG_CONFIG_HOME/Tavrin/Tavrin.conf
cp "$preferences" "$work/preferences-before-click"
word_moved() { shot 09-clicked && differs 09-context 09-clicked 800 160 $((cx - 400)) $((cy - 80)); }
# A word of the first lines, well before the current one (a click between words does nothing).
for x in 240 290 340 390; do
  xdotool mousemove $x $((cy + 160)) click 1
  sleep 0.2
  word_moved && break
done
check "a click on a word of it shows that word" word_moved
check "the clicked word is stored as the position" \
  not cmp -s "$preferences" "$work/preferences-before-click"
check "the text around the word follows it" differs 09-context 09-clicked 1100 190 90 $((cy + 125))
xdotool key space
sleep 0.6
shot 09-reading-on
check "Space reads on from the clicked word" differs 09-clicked 09-reading-on 800 160 $((cx - 400)) $((cy - 80))
check "the text around the word fades out while reading" \
  wait_until shot_shows context_gone 09-reading-on
xdotool mousemove 600 300
sleep 0.1
xdotool mousemove 610 305
sleep 0.6

# 9. The library panel opens with a real click on its button and closes on a click beside.
xdotool mousemove $library_x $library_y click 1
sleep 0.6
shot 10-library
check "the library panel stands left of the button column" \
  gt "$(pixels_brighter 10-library 8 60 300 $((panel_right - 60)) 220)" 15000
check "the column right of the panel stays clear" \
  eq "$(pixels_brighter 10-library 8 60 300 $((panel_right + 6)) 220)" 0
xdotool mousemove 200 400 click 1
sleep 0.6
shot 11-library-closed
check "a click beside the panel closes it" \
  eq "$(pixels_brighter 11-library-closed 8 60 300 $((panel_right - 60)) 220)" 0

# 10. The settings panel opens from the gear.
xdotool mousemove $gear_x $gear_y click 1
sleep 0.6
shot 12-settings
check "the settings panel stands left of the button column" \
  gt "$(pixels_brighter 12-settings 8 60 300 $((panel_right - 60)) 220)" 15000
# The "Background" row opens a colour column; the panel grows to the left only.
xdotool mousemove 1013 566 click 1
sleep 0.6
shot 12-settings-colour
check "the colour column opens left of the settings panel" \
  gt "$(pixels_brighter 12-settings-colour 8 60 300 $((panel_right - 760 + 20)) 400)" 15000
check "the settings panel keeps its right edge" \
  eq "$(pixels_brighter 12-settings-colour 8 60 300 $((panel_right + 6)) 220)" 0
xdotool mousemove $gear_x $gear_y click 1
sleep 0.6

# 11. "Add Book" closes the library and opens the dialog; the path typed there is imported
# and the library opens again with the new book.
for i in $(seq 0 99); do printf 'second%d ' "$i"; done >"$HOME/Second_Book.txt"
xdotool mousemove $library_x $library_y click 1
sleep 0.6
# "Add Book" in the library's header, as laid out at this screen size.
xdotool mousemove 1073 61 click 1
if dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Add Book$' | head -1); then
  sleep 0.5
  shot 13-open-dialog
  xdotool type --delay 5 "$HOME/Second_Book.txt"
  xdotool key Return
  for _ in $(seq 50); do
    grep -q 'Second Book' "$preferences" 2>/dev/null && break
    sleep 0.1
  done
  sleep 0.6
  shot 14-imported
  check "the file chosen in the dialog is in the library" grep -q 'Second Book' "$preferences"
  check "the library opens again after the import" \
    gt "$(pixels_brighter 14-imported 8 60 300 $((panel_right - 60)) 220)" 15000
else
  echo "FAIL: the open dialog did not appear"
  failures=$((failures + 1))
fi

# 12. Removing the new book through its tile's delete button and the alert.
xdotool mousemove 900 250
sleep 0.3
xdotool mousemove 930 240
sleep 0.5
shot 15-tile-hover
xdotool mousemove 996 141 click 1
if alert=$(timeout 10 xdotool search --sync --onlyvisible --name '^Remove' | head -1); then
  sleep 0.5
  shot 16-remove-alert
  # The alert stands centred over the window; "Remove" is its left button.
  xdotool mousemove 591 393 click 1
  for _ in $(seq 30); do
    grep -q 'Second Book' "$preferences" || break
    sleep 0.1
  done
  sleep 0.4
  shot 17-removed
  check "the book removed through the alert has left the library" \
    not_in_file 'Second Book' "$preferences"
  check "the book being read stays on screen" \
    gt "$(pixels_like 17-removed 'rgb(255,0,0)' 60 160 $((cx - 30)) $((cy - 80)))" 20
else
  echo "FAIL: the removal alert did not appear"
  failures=$((failures + 1))
fi

# 13. The panels' controls leave the keyboard to the reader: after a slider and the font menu
# are used and the panel is closed, letters, Home and Page Up reach no control, and Ctrl+Q quits.
settings_file=$XDG_DATA_HOME/Tavrin/settings.json
panel_shown() { gt "$(pixels_brighter "$1" 8 60 300 $((panel_right - 60)) 220)" 15000; }
panel_gone() { eq "$(pixels_brighter "$1" 8 60 300 $((panel_right - 60)) 220)" 0; }
xdotool mousemove $gear_x $gear_y click 1
check "the settings panel opens again" wait_until shot_shows panel_shown 18-settings
# A click on the size slider's track.
size_before=$(grep -o '"fontSize":[^,]*' "$settings_file")
xdotool mousemove 1150 $size_slider_y click 1
check "the size slider moved" wait_until not_in_file "$size_before," "$settings_file"
# The font menu, then the menu's next entry chosen from the keyboard as it stays open.
menu_open() { shot 18-font-menu && differs 18-settings 18-font-menu 300 200 $((panel_right - 350)) 150; }
xdotool mousemove 1018 $font_menu_y click 1
check "the font menu opens" wait_until menu_open
xdotool key Down Return
check "the font chosen from the menu is stored" \
  wait_until grep -q '"selectedFont":"Times New Roman"' "$settings_file"
cp "$settings_file" "$work/settings-after-panel"
xdotool mousemove $gear_x $gear_y click 1
check "the settings panel closes" wait_until shot_shows panel_gone 19-settings-closed
xdotool key h Home Prior
sleep 0.5
check "keys after the panel closed changed no setting" \
  cmp -s "$settings_file" "$work/settings-after-panel"

quit_reader

# 14. A short book with two headings, at the default settings: T opens the contents, a title
# jumps there and Escape closes them; Escape with nothing open leaves full screen; the book
# read to its end says so, with the progress bar full.
rm -f "$settings_file"
printf 'Opening Words\n\nThe first part has a few words. It ends here.\n\nClosing Words\n\nThe second part is short. Then it ends.\n' \
  >"$work/Short.txt"
record=$("$tool" add "$work/Short.txt")
"$set_last_open" "$(grep -o '"id":"[^"]*"' <<<"$record" | head -1 | cut -d'"' -f4)"
start_reader
shot 20-short
xdotool key t
check "T opens the contents" wait_until shot_shows panel_shown 21-contents
# The second title's row, under the panel's header.
xdotool mousemove $((panel_right - 210)) 165 click 1
check "a title closes the contents" wait_until shot_shows panel_gone 22-jumped
check "and goes to its chapter's first word" \
  differs 20-short 22-jumped 800 160 $((cx - 400)) $((cy - 80))
xdotool key t
check "T opens the contents again" wait_until shot_shows panel_shown 23-contents
xdotool key Escape
check "Escape closes them" wait_until shot_shows panel_gone 24-closed
xdotool key Escape
check "Escape with nothing open leaves full screen" wait_until not_full_screen
xdotool key F11
check "F11 enters full screen again" wait_until window_is_full_screen
sleep 0.5
xdotool key space
end_shown() { gt "$(pixels_brighter "$1" 30 700 36 $((cx - 350)) $((cy + 44)))" 100; }
for _ in $(seq 3); do wait_until shot_shows end_shown 25-end && break; done
check "the end of the book says so under the word" end_shown 25-end
xdotool mousemove 300 300
sleep 0.1
xdotool mousemove 320 310
sleep 0.6
shot 26-end-controls
check "the progress bar is full" \
  gt "$(pixels_brighter 26-end-controls 50 40 4 $((width - 90)) $((height - 32)))" 100
check "the where line stands under the progress bar" \
  gt "$(pixels_brighter 26-end-controls 25 1200 18 40 $((height - 24)))" 30
quit_reader

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; screenshots in $shots"
  exit 1
fi
echo "all checks passed; screenshots in $shots"
