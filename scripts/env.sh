# Shared settings of the project's scripts; sourced, never run.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# A long probe may run in a prefix of its own while the tests use this one.
export WINEPREFIX="${DRIFTLINE_WINEPREFIX:-$root/build/wine}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DRIFTLINE_DEPS="$root/build/deps"
# The builds go through ccache; paths under the checkout are hashed relative to it, so that
# another clone of the same sources finds what an earlier one compiled.
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=1
# WinInet takes a proxy from the environment; the tests' servers are on loopback.
export no_proxy="127.0.0.1,localhost${no_proxy:+,$no_proxy}"
export NO_PROXY="$no_proxy"

# Process ids of everything running in our private Wine prefix (wineserver, services, programs).
prefix_pids() {
  local pid
  for pid in $(pgrep -u "$(id -u)" 2>/dev/null); do
    [ "$pid" = "$$" ] && continue
    case "$(readlink "/proc/$pid/exe" 2>/dev/null)" in *wine*) ;; *) continue ;; esac
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

wineserver_running() {
  local pid
  for pid in $(pgrep wineserver 2>/dev/null); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# Stops the prefix's wineserver and whatever of the prefix outlives it.
stop_prefix() {
  wineserver -k >/dev/null 2>&1 || true
  local pids
  pids=$(prefix_pids)
  [ -n "$pids" ] && kill -9 $pids 2>/dev/null
  return 0
}

# Starts Xvfb on a free display; sets DISPLAY and XVFB_PID.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "could not start Xvfb on :$n" >&2
  return 1
}

# The density Wine reports to every program of the prefix, in dots per inch (96 is unscaled).
# Wine reads it when the prefix's server starts, so the prefix must be stopped.
set_log_pixels() {
  local reg="$WINEPREFIX/user.reg"
  [ -f "$reg" ] || return 1
  awk -v value="$(printf '"LogPixels"=dword:%08x' "$1")" '
    function put() { if (inside && !done) { print value; done = 1 } }
    /^\[/ { put(); inside = ($0 ~ /^\[Control Panel\\\\Desktop\] /) }
    inside && /^"LogPixels"=/ { next }
    inside && /^$/ { put() }
    { print }
    END { put(); if (!done) printf "\n[Control Panel\\\\Desktop]\n%s\n", value }
  ' "$reg" >"$reg.new" && mv "$reg.new" "$reg"
}
