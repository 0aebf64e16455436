# Functions behind ./qrv: packages, builds, the Wine prefix and the virtual display.

QRV_PACKAGES="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb googletest cmake ninja-build imagemagick ccache"
# Paths below the folder that holds the work trees are hashed relative, so
# every work tree of the repository hits the same cache entries.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$ROOT")}"

qrv_setup() {
  local missing=""
  for p in $QRV_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "qrv: installing$missing"
  local sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >/dev/null
  $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

qrv_build() {
  local preset="$1"
  if [ ! -f "build/$preset/build.ninja" ]; then
    cmake --preset "$preset" >/dev/null
  fi
  cmake --build --preset "$preset"
}

# Wine, quiet, in a private prefix inside the build folder; German locale,
# so the ANSI code page is 1252 and Wine's own buttons read "Ja"/"Nein".
qrv_wine_env() {
  export WINEPREFIX="$ROOT/build/win64/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  export LANG=de_DE.UTF-8
  # Unix file names in UTF-8 even where no German locale is installed, so
  # that names with umlauts can be created.
  export LC_CTYPE=C.UTF-8
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
    # Wine draws the window frames itself; the virtual display has no window manager.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver64 -w 2>/dev/null || wineserver -w 2>/dev/null || true
  fi
}

qrv_wine_stop() {
  /usr/lib/wine/wineserver64 -k 2>/dev/null || wineserver -k 2>/dev/null || true
}

# A private X display; only the process started here is stopped.
QRV_XVFB_PID=""
qrv_xvfb_start() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QRV_XVFB_PID=$!
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$QRV_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "qrv: no virtual display could be started" >&2
  return 1
}

qrv_xvfb_stop() {
  if [ -n "$QRV_XVFB_PID" ]; then
    kill "$QRV_XVFB_PID" 2>/dev/null || true
    wait "$QRV_XVFB_PID" 2>/dev/null || true
    QRV_XVFB_PID=""
  fi
}

qrv_test() {
  local started; started=$(date +%s)
  qrv_build win64
  qrv_build win32
  local rc=0
  qrv_xvfb_start
  qrv_wine_env
  trap 'qrv_wine_stop; qrv_xvfb_stop' EXIT
  ctest --preset win64 -j 1 || rc=1
  if [ -f imaging/CMakeLists.txt ]; then
    qrv_build native-asan
    ctest --preset native-asan || rc=1
  fi
  qrv_wine_stop
  qrv_xvfb_stop
  trap - EXIT
  echo "qrv: tests finished in $(( $(date +%s) - started )) s, result: $([ $rc = 0 ] && echo passed || echo FAILED)"
  return $rc
}

qrv_demo() {
  qrv_build win64
  local exe="$ROOT/build/win64/bin/QrvDemo.exe"
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--headless" ]; then
    qrv_wine_env
    "$ROOT/cmake/wine-run.sh" "$exe"
    return
  fi
  mkdir -p "$ROOT/out/demo"
  qrv_xvfb_start
  qrv_wine_env
  trap 'qrv_wine_stop; qrv_xvfb_stop' EXIT
  local rc=0
  "$ROOT/cmake/wine-run.sh" "$exe" --screenshots "$(/usr/lib/wine/wine64 winepath -w "$ROOT/out/demo" 2>/dev/null)" || rc=$?
  qrv_wine_stop
  qrv_xvfb_stop
  trap - EXIT
  ls "$ROOT"/out/demo/*.png 2>/dev/null || true
  return $rc
}

qrv_tool() {
  qrv_build win64
  qrv_wine_env
  "$ROOT/cmake/wine-run.sh" "$ROOT/build/win64/bin/qrvtool.exe" "$@"
  qrv_wine_stop
}
