#!/usr/bin/env bash
# Runs the main window's walk (recorrido_ventana) on an X server of its own
# with a window manager, as a person's desktop would be:
#
#   recorrido.sh PATH/TO/recorrido_ventana
#
# Starts Xvfb on a free display (it writes the display's number once it
# takes connections), then openbox (which runs a command once it manages
# the screen), then the walk, which sends its keys and clicks through
# xdotool. Everything started here is stopped on the way out.
#
# Exit status: the walk's (0 passed, 1 failed); 77, a skip, only when the X
# server cannot be started here, with the reason on standard output.
set -uo pipefail
WALK="${1:?usage: recorrido.sh PATH/TO/recorrido_ventana}"
SKIP=77

if ! command -v Xvfb >/dev/null; then
  echo "SKIPPED: there is no Xvfb here to run the walk on (tools/setup.sh installs it)."
  exit $SKIP
fi
for tool in openbox xdotool xkbcomp; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing (tools/setup.sh installs it)."; exit 1; }
done

WORK="$(mktemp -d)"
XVFB_PID=""
WM_PID=""
stop() {
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "$WM_PID" ] && wait "$WM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap stop EXIT

# Waits up to 30 s (in tenths) for a file to have content, while the
# process lives.
wait_for() {
  local file="$1" pid="$2"
  for _ in $(seq 300); do
    [ -s "$file" ] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# -noreset: the server keeps the keyboard map loaded below when its clients
# come and go. -ardelay: a key held for longer than a loaded machine may
# hold it does not repeat.
Xvfb -displayfd 3 -noreset -ardelay 60000 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
if ! wait_for "$WORK/display" "$XVFB_PID"; then
  echo "SKIPPED: Xvfb could not be started here; its report:"
  sed 's/^/  /' "$WORK/xvfb.log" | tail -20
  exit $SKIP
fi
export DISPLAY=":$(head -1 "$WORK/display")"

# The letters of Spanish names on keys of their own (where F13 to F18
# would be), so xdotool finds each on a key and types it, rather than
# binding a key for a moment, which the program may read after the binding
# is gone.
cat >"$WORK/keymap.xkb" <<'KEYMAP'
xkb_keymap {
  xkb_keycodes { include "evdev+aliases(qwerty)" };
  xkb_types { include "complete" };
  xkb_compat { include "complete" };
  xkb_symbols {
    include "pc+us+inet(evdev)"
    key <FK13> { [ aacute, Aacute ] };
    key <FK14> { [ eacute, Eacute ] };
    key <FK15> { [ iacute, Iacute ] };
    key <FK16> { [ oacute, Oacute ] };
    key <FK17> { [ uacute, Uacute ] };
    key <FK18> { [ ntilde, Ntilde ] };
  };
  xkb_geometry { include "pc(pc105)" };
};
KEYMAP
if ! xkbcomp -w 0 "$WORK/keymap.xkb" "$DISPLAY" >"$WORK/xkbcomp.log" 2>&1 ||
   ! xkbcomp -w 0 "$DISPLAY" - 2>>"$WORK/xkbcomp.log" | grep ntilde >/dev/null; then
  echo "FAILED: the keyboard map could not be loaded on $DISPLAY; xkbcomp's report:"
  sed 's/^/  /' "$WORK/xkbcomp.log" | tail -20
  exit 1
fi

openbox --sm-disable --startup "sh -c 'echo ready >$WORK/wm'" >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
if ! wait_for "$WORK/wm" "$WM_PID"; then
  echo "FAILED: openbox did not start on $DISPLAY; its report:"
  sed 's/^/  /' "$WORK/openbox.log" | tail -20
  exit 1
fi

mkdir -m 700 "$WORK/run"
export XDG_RUNTIME_DIR="$WORK/run"
export QT_QPA_PLATFORM=xcb
# xdotool reads the typed text in the locale's encoding.
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
# No session bus on this display: the toolkit does not try to start one
# (a failed start leaves memory the leak checker of the sanitizer build
# reports).
export DBUS_SESSION_BUS_ADDRESS="disabled:"
timeout -k 5 100 "$WALK"
status=$?
[ $status -eq 124 ] && echo "FAILED: the walk did not end within 100 s."
exit $status
