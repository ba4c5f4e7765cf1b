#!/usr/bin/env bash
# The Wine harness: a private prefix, an X display, a sound server and a
# wineserver for one run of KORU or of the tests.
#   wine-harness.sh start DIR   sets everything up and writes DIR/env.sh
#   wine-harness.sh stop DIR    stops whatever start started
# The prefix lives in DIR/prefix and is created once; the rest is started
# anew by every start and stopped by stop.
set -euo pipefail
cmd=${1:?start|stop}
dir=${2:?harness folder}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
state=$dir/state
mkdir -p "$state"

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

export WINEPREFIX=$dir/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

stop_pid() {
  local f=$state/$1.pid
  [ -f "$f" ] || return 0
  local pid; pid=$(cat "$f")
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$f"
}

stop_all() {
  if [ -f "$dir/env.sh" ]; then
    # In a subshell: the last run's display must not become this run's.
    (
      # shellcheck disable=SC1091
      . "$dir/env.sh"
      "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
      "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    )
  fi
  stop_pid pulseaudio
  stop_pid xvfb
  rm -f "$dir/env.sh"
}

case "$cmd" in
stop)
  stop_all
  exit 0
  ;;
start)
  stop_all   # a run that died left things behind: start clean
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac

# Display: the caller's, or an Xvfb of our own.
display=${KORU_DISPLAY:-${DISPLAY:-}}
if [ -z "$display" ]; then
  n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  [ -e /tmp/.X11-unix/X$n ] || { echo "wine-harness: Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
  display=:$n
fi
export DISPLAY=$display

# Sound: a PulseAudio daemon of our own with a null sink, which plays in real
# time (ALSA's null device would finish every sound at once).
export XDG_RUNTIME_DIR=$dir/pulse-runtime
export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse
mkdir -p "$PULSE_RUNTIME_PATH"
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=unix:$PULSE_RUNTIME_PATH/native
# It gets the same bare environment whoever starts the harness: no display
# and no session bus to look for (from a desktop terminal it would wait for
# them), so it is up as fast for scripts/run-koru.sh as for the tests.
env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u PULSE_COOKIE DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
  HOME="$dir" setsid pulseaudio --daemonize=no --exit-idle-time=-1 -n --disallow-exit \
  --load="module-null-sink sink_name=nul" \
  --load="module-native-protocol-unix socket=$PULSE_RUNTIME_PATH/native auth-anonymous=1" \
  </dev/null >"$state/pulseaudio.log" 2>&1 &
echo $! >"$state/pulseaudio.pid"
for _ in $(seq 300); do [ -S "$PULSE_RUNTIME_PATH/native" ] && break; sleep 0.1; done
[ -S "$PULSE_RUNTIME_PATH/native" ] ||
  echo "wine-harness: no sound server (tests that play sound will fail; see $state/pulseaudio.log)" >&2

cat >"$dir/env.sh" <<ENV
export WINEPREFIX='$WINEPREFIX'
export WINEDEBUG='$WINEDEBUG'
export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export DISPLAY='$DISPLAY'
export XDG_RUNTIME_DIR='$XDG_RUNTIME_DIR'
export PULSE_RUNTIME_PATH='$PULSE_RUNTIME_PATH'
export PULSE_SERVER='$PULSE_SERVER'
export KORU_WINE='$WINE'
export KORU_WINESERVER='$WINESERVER'
ENV

# The prefix is made once per build tree.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-harness: creating the Wine prefix (once)"
  "$WINE" wineboot -i </dev/null >"$state/wineboot.log" 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1
fi
# The prefix's shell folders (Desktop, Documents, ...) are links into the
# Unix home: point them into the harness folder instead, so that a shortcut
# or file a test makes there never lands in the user's home.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
  [ -L "$link" ] || continue
  case "$(readlink "$link")" in "$dir"/*) continue ;; esac
  folder=$dir/home/$(basename "$link")
  mkdir -p "$folder"
  ln -sfn "$folder" "$link"
done
# Japanese Windows fonts the program asks for, mapped to the IPA fonts:
# Wine would otherwise take the fixed-pitch Gothic for the proportional one.
if [ ! -f "$WINEPREFIX/.koru-fonts" ]; then
  replacements='HKCU\Software\Wine\Fonts\Replacements'
  for pair in "ＭＳ Ｐゴシック=IPAPGothic" "MS UI Gothic=IPAPGothic" "MS PGothic=IPAPGothic" \
              "ＭＳ ゴシック=IPAGothic" "MS Gothic=IPAGothic"; do
    "$WINE" reg add "$replacements" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f </dev/null >/dev/null 2>&1 || true
  done
  "$WINESERVER" -w </dev/null >/dev/null 2>&1
  touch "$WINEPREFIX/.koru-fonts"
fi
# Without a window manager, Wine would wait two seconds for one at every
# hiding of a top-level window (each message dialog, each program exit): let
# Wine manage and frame the windows itself.
if [ ! -f "$WINEPREFIX/.koru-unmanaged" ]; then
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1
  touch "$WINEPREFIX/.koru-unmanaged"
fi
# Keep one wineserver up for the whole run: every Windows process of the run
# shares it (and with it process ids and window handles).
# Its output goes nowhere: whoever started the harness (CTest) waits for the
# end of its output, not for the server.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
# Wine's own services (services.exe, winedevice.exe, ...) start with the first
# Windows process and live as long as the server; start them here, detached
# from any output, or they would hold the first test's output open.
"$WINE" wineboot </dev/null >/dev/null 2>&1 || true
echo "wine-harness: ready (DISPLAY=$DISPLAY)"
