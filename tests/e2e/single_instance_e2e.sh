#!/usr/bin/env bash
# End-to-end check of files on the command line and of the one running reader, on a virtual
# X server with a window manager: `tavrin FILE` opens that book; a second `tavrin FILE2`
# hands its file to the running reader and exits at once, and the reader shows the new
# book; a book the library holds already opens without a second import; a file that cannot
# be read is named; and the lock and socket left by a killed reader do not stop the next.
#
# Usage: single_instance_e2e.sh TAVRIN SCREENSHOT_DIR
# Exit status 77 (skipped) when the X tools are not installed.
set -euo pipefail

tavrin=$1
shots=$2

readonly width=1280 height=800
# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"
preferences=$XDG_CONFIG_HOME/Tavrin/Tavrin.conf

differs() { # name1, name2: the word's band of two screenshots
  local a b
  a=$(convert "$shots/$1.png" -crop "800x160+$((cx - 400))+$((cy - 80))" +repage rgb:- | md5sum)
  b=$(convert "$shots/$2.png" -crop "800x160+$((cx - 400))+$((cy - 80))" +repage rgb:- | md5sum)
  [ "$a" != "$b" ]
}
word_shown() { gt "$(pixels_like "$1" 'rgb(255,0,0)' 60 160 $((cx - 30)) $((cy - 80)))" 20; }

# The id of the library's book with this title, and how many books have it.
book_id() {
  grep -o "\"id[^}]*\"title[^,]*\"$1[^,]*" "$preferences" | grep -o '[0-9A-F-]\{36\}' | head -1
}
books_titled() { grep -o "title[^,]*\"$1[^,]*" "$preferences" | wc -l; }
last_open() { sed -n 's/^tavrin_last_open=//p' "$preferences"; }
last_open_is() { [ -n "$1" ] && [ "$(last_open)" = "$1" ]; }
wait_for_last_open() { # title
  for _ in $(seq 100); do
    local id
    id=$(book_id "$1" 2>/dev/null || true)
    [ -n "$id" ] && [ "$(last_open 2>/dev/null)" = "$id" ] && break
    sleep 0.1
  done
  sleep 0.5
}
windows() { xdotool search --onlyvisible --name '^Tavrin$' 2>/dev/null | wc -l; }

start_reader() { # arguments...
  "$tavrin" "$@" >"$work/tavrin.log" 2>&1 &
  app_pid=$!
  if ! timeout 20 xdotool search --sync --onlyvisible --name '^Tavrin$' >/dev/null; then
    echo "FAIL: the reader window did not appear"
    cat "$work/tavrin.log"
    exit 1
  fi
  sleep 1.5
}

# A later launch: its exit status and time in milliseconds, its standard error kept.
elapsed=0 status=0
launch() { # arguments...
  local start
  start=$(date +%s%N)
  status=0
  "$tavrin" "$@" 2>"$work/launch.err" >/dev/null || status=$?
  elapsed=$((($(date +%s%N) - start) / 1000000))
}

for i in $(seq 0 299); do printf 'alpha%d ' "$i"; done >"$work/First_Book.txt"
for i in $(seq 0 99); do printf 'be%d ' "$i"; done >"$work/Second_Book.txt"

# 1. `tavrin FILE` imports the file and opens it at its first word.
start_reader "$work/First_Book.txt"
wait_for_last_open 'First Book'
shot 01-first
check "the file is imported once" eq "$(books_titled 'First Book')" 1
check "the imported book is the open one" last_open_is "$(book_id 'First Book')"
check "its word is on the centre line" word_shown 01-first
check "the library records the file it came from" \
  grep -q "sourcePath[^,]*First_Book.txt" "$preferences"
# Forward 25 words, so that the book has a saved position to come back to.
xdotool key d
sleep 0.3

# 2. A second launch hands its file over and is gone within a second; the reader's window
# comes in front of the window that was active.
xlogo -geometry 300x300+100+100 >/dev/null 2>&1 &
logo_pid=$!
logo=$(timeout 10 xdotool search --sync --onlyvisible --class xlogo | head -1) || true
xdotool windowactivate --sync "$logo" 2>/dev/null || true
check "another window is active before the launch" [ "$(xdotool getactivewindow)" = "$logo" ]
launch "$work/Second_Book.txt"
check "the second launch exits 0 (status $status)" eq "$status" 0
check "the second launch returns within a second (${elapsed} ms)" [ "$elapsed" -lt 1000 ]
wait_for_last_open 'Second Book'
shot 02-second
check "one reader window stays" eq "$(windows)" 1
check "the reader's window is in front" \
  [ "$(xdotool getactivewindow)" = "$(xdotool search --onlyvisible --name '^Tavrin$')" ]
kill "$logo_pid" 2>/dev/null || true
check "the first reader still runs" kill -0 "$app_pid"
check "the running reader opened the second file" last_open_is "$(book_id 'Second Book')"
check "it shows the second book's word" word_shown 02-second
check "the word on screen changed" differs 01-first 02-second
check "leaving the first book kept its position" \
  grep -q 'First Book[^}]*currentWordIndex[^0-9]*25,' "$preferences"

# 3. A book the library holds opens at its saved word without a second import: by its path,
# and as a copy of the same file elsewhere (same name and size).
launch "$work/First_Book.txt"
wait_for_last_open 'First Book'
shot 03-first-again
check "the known file opens its book (status $status)" last_open_is "$(book_id 'First Book')"
check "the known file is not imported again" eq "$(books_titled 'First Book')" 1
check "it opens at its saved word" differs 01-first 03-first-again
mkdir -p "$work/elsewhere"
cp "$work/Second_Book.txt" "$work/elsewhere/"
launch "$work/elsewhere/Second_Book.txt"
wait_for_last_open 'Second Book'
check "a copy of a known file opens the same book" last_open_is "$(book_id 'Second Book')"
# Renamed, it still has the book's title.
cp "$work/First_Book.txt" "$work/elsewhere/First Book.txt"
launch "$work/elsewhere/First Book.txt"
wait_for_last_open 'First Book'
check "a renamed copy with the book's title opens the same book" \
  last_open_is "$(book_id 'First Book')"
check "the copies are not imported again" \
  eq "$(books_titled 'Second Book')$(books_titled 'First Book')" 11

# 4. A file that cannot be read: named on standard error and in the window; exit status 0.
launch "$work/missing.txt"
sleep 0.4
shot 04-missing
check "a missing file still exits 0 (status $status)" eq "$status" 0
check "the launch names the missing file on standard error" grep -q 'missing.txt' "$work/launch.err"
check "the reader names it on standard error" grep -q 'could not import .*missing.txt' \
  "$work/tavrin.log"
check "the window shows a message below the word" \
  gt "$(pixels_brighter 04-missing 25 400 40 $((cx - 200)) $((cy + 80)))" 30

# 5. A killed reader leaves its lock and socket behind; the next start takes them over.
kill -KILL "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""
check "the killed reader left its socket" \
  test -n "$(find "$XDG_RUNTIME_DIR" -name 'tavrin-*' -type s)"
start_reader "$work/Second_Book.txt"
check "a new reader starts over a stale socket" kill -0 "$app_pid"
launch
check "it listens: a plain launch reaches it and exits 0 (status $status, ${elapsed} ms)" \
  eq "$status" 0
check "still one reader window" eq "$(windows)" 1

xdotool key ctrl+q
quit_status=0
for _ in $(seq 50); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
wait "$app_pid" || quit_status=$?
app_pid=""
check "the reader exits cleanly (status $quit_status)" eq "$quit_status" 0

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; screenshots in $shots"
  exit 1
fi
echo "all checks passed; screenshots in $shots"
