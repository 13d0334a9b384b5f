# Shared by the end-to-end scripts, which source it after setting width, height and shots:
# a home and runtime directory of their own, a virtual X server with a window manager, the
# reader's process slot, and the checks read from screenshots. Exit status 77 (skipped)
# when a program it needs is missing.

for program in Xvfb openbox xdotool xlogo import convert; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIP: $program is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

readonly cx=$((width / 2)) cy=$((height / 2))

work=$(mktemp -d)
xvfb_pid="" wm_pid="" app_pid=""
cleanup() {
  for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAIL: $what"
    failures=$((failures + 1))
  fi
}

# The library, preferences, settings, lock and socket of this run only.
export HOME=$work/home
export XDG_DATA_HOME=$HOME/share XDG_CONFIG_HOME=$HOME/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
# Qt's X11 libraries keep allocations for the life of the process.
export ASAN_OPTIONS=detect_leaks=0

# The X server picks a free display itself and reports it. The file exists before the
# server's shell opens it, so that reading it never fails.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 100); do
  display=$(tr -d '[:space:]' <"$work/display")
  [ -n "$display" ] && break
  sleep 0.1
done
if [ -z "$display" ]; then
  echo "FAIL: Xvfb did not start"
  cat "$work/xvfb.log"
  exit 1
fi
export DISPLAY=:$display
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1

mkdir -p "$shots"
rm -f "$shots"/*.png

shot() { # name; a busy X server sometimes refuses one grab
  for _ in 1 2 3; do
    import -window root "$shots/$1.png" 2>"$work/import.log" && return
    sleep 0.2
  done
  cat "$work/import.log"
  return 1
}

# Pixels in a rectangle of a screenshot close to a colour (fuzz in percent).
pixels_like() { # name, colour, w, h, x, y
  convert "$shots/$1.png" -crop "$3x$4+$5+$6" +repage -fuzz 20% \
    -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:
}

# Pixels in a rectangle brighter than a grey level (percent).
pixels_brighter() { # name, percent, w, h, x, y
  convert "$shots/$1.png" -crop "$3x$4+$5+$6" +repage -colorspace Gray \
    -threshold "$2%" -format '%[fx:round(mean*w*h)]' info:
}

gt() { [ "$1" -gt "$2" ]; }
eq() { [ "$1" -eq "$2" ]; }
