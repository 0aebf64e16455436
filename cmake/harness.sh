# Functions behind ./qrv: packages, builds, the Wine prefix and the virtual display.

QRV_PACKAGES="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb googletest cmake ninja-build imagemagick ccache fonts-wine zzuf"
# Paths below the folder that holds the work trees are hashed relative, so
# every work tree of the repository hits the same cache entries.
[ -z "${ROOT:-}" ] || export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$ROOT")}"

qrv_setup() {
  local missing=""
  for p in $QRV_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  local sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  if [ -n "$missing" ]; then
    echo "qrv: installing$missing"
    # An index that fails to update (Debian's i386 one has been caught
    # mid-sync) leaves the others updated: the install goes on with them.
    $sudo apt-get update -qq >/dev/null 2>&1 || echo "qrv: some package indexes could not be updated"
    $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
  fi
  qrv_setup_wine32
}

# 32-bit Wine runs the production ABI's tests. Debian's i386 index has been
# unreachable or out of step before: a failed install leaves the 32-bit
# tests out instead of failing the whole setup.
qrv_setup_wine32() {
  [ -n "${QRV_NO_WINE32:-}" ] && return 0
  qrv_wine32_installed && return 0
  local sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "qrv: installing wine32:i386"
  {
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends wine32:i386
  } >/tmp/qrv-wine32-install.log 2>&1 || true
  qrv_wine32_installed || echo "qrv: 32-bit Wine could not be installed (see /tmp/qrv-wine32-install.log)"
  return 0
}

qrv_wine32_installed() {
  [ -x /usr/lib/wine/wine ] && [ -f /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ]
}

# 32-bit Wine runs only where it is installed and the kernel executes 32-bit
# programs: some virtual machines refuse them ("Exec format error") although
# the packages install. QRV_NO_WINE32=1 runs as on a machine without it.
qrv_have_wine32() {
  [ -z "${QRV_NO_WINE32:-}" ] && qrv_wine32_installed && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Why the 32-bit tests cannot run here, for the summary.
qrv_wine32_missing_reason() {
  if qrv_wine32_installed; then
    echo "win32: this machine does not run 32-bit programs, 32-bit tests not run (win32 built only)"
  else
    echo "win32: 32-bit Wine not installable, 32-bit tests not run"
  fi
}

qrv_build() {
  local preset="$1"
  if [ ! -f "build/$preset/build.ninja" ]; then
    cmake --preset "$preset" >/dev/null
  fi
  cmake --build --preset "$preset"
}

# Wine, quiet, in a private prefix inside the build folder that serves both
# targets (or in the prefix given); German locale, so the ANSI code page is
# 1252 and Wine's own buttons read "Ja"/"Nein".
qrv_wine_env() {
  export WINEPREFIX="${1:-$ROOT/build/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  export LANG=de_DE.UTF-8
  # Unix file names in UTF-8 even where no German locale is installed, so
  # that names with umlauts can be created.
  export LC_CTYPE=C.UTF-8
  # A prefix made before 32-bit Wine was installed has an empty syswow64 and
  # cannot start 32-bit programs ("could not load kernel32.dll").
  if [ -f "$WINEPREFIX/system.reg" ] && qrv_have_wine32 \
     && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "qrv: Wine prefix has no 32-bit system folder, making it anew"
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
    # Wine draws the window frames itself; the virtual display has no window manager.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver64 -w 2>/dev/null || wineserver -w 2>/dev/null || true
  fi
  qrv_wine_fonts
}

qrv_wine_stop() {
  /usr/lib/wine/wineserver64 -k 2>/dev/null || wineserver -k 2>/dev/null || true
  if [ -n "${QRV_DISPLAY_1:-}" ]; then
    WINEPREFIX="$(qrv_display_prefix 1)" /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  fi
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
  local pid
  for pid in $QRV_XVFB_PID $QRV_XVFB_PID1; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  QRV_XVFB_PID=""; QRV_XVFB_PID1=""; unset QRV_DISPLAY_1
}

# A second virtual display (QRV_DISPLAY_1) with a Wine prefix of its own
# beside the main one ("-1" appended), so that the programs that take a
# display run two at a time; the prefix starts as a copy of the main one,
# which is quicker than making one.
QRV_XVFB_PID1=""
qrv_second_display() {
  [ -n "${QRV_DISPLAY_1:-}" ] && return 0
  local display="$DISPLAY" pid="$QRV_XVFB_PID"
  qrv_xvfb_start || return 1
  export QRV_DISPLAY_1="$DISPLAY"
  QRV_XVFB_PID1="$QRV_XVFB_PID"; QRV_XVFB_PID="$pid"; export DISPLAY="$display"
  local prefix; prefix=$(qrv_display_prefix 1)
  if [ ! -f "$prefix/system.reg" ]; then
    rm -rf "$prefix"
    cp -a "$WINEPREFIX" "$prefix"
  fi
  ( qrv_wine_env "$prefix" )
}

# The Wine prefix of display N beside the main one (cmake/wine-run.sh runs
# the programs given that display in it).
qrv_display_prefix() {
  echo "${WINEPREFIX:-$ROOT/build/wineprefix}-$1"
}

# Runs one preset's test programs; each GoogleTest program writes its
# results as XML, from which the per-target counts are summed.
qrv_ctest() {
  local preset="$1" xml="$ROOT/build/$1/test-results"
  rm -rf "$xml"; mkdir -p "$xml"
  local rc=0
  # Two at a time: the programs that show windows take one of the displays
  # each, the others (the package's host build, the image core, the driver
  # binding) run where a slot is free. The second display is listed for the
  # run only: a plain ctest afterwards finds the one display it has.
  local displays="$ROOT/build/$preset/displays.json"
  [ -z "${QRV_DISPLAY_1:-}" ] || cp "$ROOT/cmake/two-displays.json" "$displays"
  GTEST_OUTPUT="xml:$(qrv_host_path "$preset" "$xml")/" ctest --preset "$preset" -j 2 || rc=1
  cp "$ROOT/cmake/one-display.json" "$displays"
  # A test program writes its results when it ends normally: one without
  # them ended early (a crash under Wine may still exit with 0).
  local name missing=""
  for name in $(ctest --preset "$preset" -N -L gtest | sed -n 's/^ *Test *#[0-9]*: *//p'); do
    [ -f "$xml/$name.xml" ] || missing="$missing $name"
  done
  if [ -n "$missing" ]; then
    echo "qrv: no results from$missing: ended before its summary"
    QRV_FAILED=$(( QRV_FAILED + $(echo $missing | wc -w) ))
    rc=1
  fi
  local counts; counts=$(qrv_count_results "$xml")
  QRV_SUMMARY="$QRV_SUMMARY
$preset: $counts"
  QRV_PASSED=$(( QRV_PASSED + $(echo "$counts" | cut -d' ' -f1) ))
  QRV_FAILED=$(( QRV_FAILED + $(echo "$counts" | cut -d' ' -f3) ))
  return $rc
}

# The folder as the preset's test programs see it (Wine's Z: drive).
qrv_host_path() {
  case "$1" in
    native*) echo "$2" ;;
    *)       echo "Z:${2//\//\\}" ;;
  esac
}

qrv_count_results() {
  python3 - "$1" <<'PY'
import glob, sys, xml.etree.ElementTree as ET
tests = failures = programs = 0
for f in glob.glob(sys.argv[1] + "/*.xml"):
    try:
        root = ET.parse(f).getroot()
    except ET.ParseError:
        continue
    programs += 1
    tests += int(root.get("tests", 0)) - int(root.get("disabled", 0))
    failures += int(root.get("failures", 0)) + int(root.get("errors", 0))
print(f"{tests - failures} passed, {failures} failed")
PY
}

# Builds in the background while the 64-bit tests run: the win32 build, then
# the native sanitizer build. Its output goes to a log shown on failure.
qrv_build_rest() {
  local log="$ROOT/build/background-build.log"
  mkdir -p "$ROOT/build"
  ( set -e
    qrv_build win32
    [ ! -f imaging/CMakeLists.txt ] || qrv_build native-asan ) >"$log" 2>&1
}

qrv_test() {
  local started; started=$(date +%s)
  QRV_SUMMARY=""; QRV_PASSED=0; QRV_FAILED=0
  qrv_build win64
  qrv_build_rest &
  local rest=$!
  local rc=0
  qrv_xvfb_start
  qrv_wine_env
  qrv_second_display || echo "qrv: no second display: the programs that take one run one at a time"
  trap 'qrv_wine_stop; qrv_xvfb_stop' EXIT
  qrv_ctest win64 || rc=1
  local built=1
  if ! wait $rest; then
    tail -40 "$ROOT/build/background-build.log"
    echo "qrv: the win32 or native-asan build failed"
    rc=1; built=0
  elif qrv_have_wine32; then
    qrv_ctest win32 || rc=1
  else
    QRV_SUMMARY="$QRV_SUMMARY
$(qrv_wine32_missing_reason)"
    qrv_build_win32_hosts || rc=1
  fi
  qrv_wine_stop
  if [ $built = 1 ] && [ -f imaging/CMakeLists.txt ]; then
    qrv_ctest native-asan || rc=1
  fi
  qrv_fuzz_short || rc=1
  qrv_soak_short || rc=1
  qrv_xvfb_stop
  trap - EXIT
  echo "$QRV_SUMMARY" | sed '/^$/d'
  echo "total: $QRV_PASSED passed, $QRV_FAILED failed"
  echo "qrv: tests finished in $(( $(date +%s) - started )) s, result: $([ $rc = 0 ] && echo passed || echo FAILED)"
  return $rc
}

# Where 32-bit programs cannot run, the MFC host programs are still built
# against the 32-bit package, so that a host's source is known to compile and
# link for the production ABI.
qrv_build_win32_hosts() {
  local log="$ROOT/build/win32-hosts.log" rc=0
  ctest --preset win32 -L hostbuild -j 1 >"$log" 2>&1 || rc=1
  local built; built=$(grep -c 'Passed' "$log" || true)
  QRV_SUMMARY="$QRV_SUMMARY
win32: $built MFC host programs built against the package (not run)"
  [ $rc = 0 ] || { tail -40 "$log"; echo "qrv: a 32-bit MFC host did not build"; }
  return $rc
}

# A short run of every fuzz target; the kept crash inputs are replayed first.
qrv_fuzz_short() {
  local log="$ROOT/build/fuzz-short.log" rc=0
  mkdir -p "$ROOT/build"
  bash tests/fuzz/run.sh all "${QRV_FUZZ_SECONDS:-10}" >"$log" 2>&1 || rc=1
  QRV_SUMMARY="$QRV_SUMMARY
$(grep '^fuzz ' "$log")"
  [ $rc = 0 ] || tail -40 "$log"
  return $rc
}

# Line and branch coverage of the libraries: the coverage preset's test
# programs run under Wine as in `test`; each module writes its counters at
# exit beside its object files (Z: is the Unix root, where the build lives),
# and gcovr reads them with the mingw gcov. Only this command needs gcovr.
QRV_COVERAGE_FOLDERS="afx toolkit framework driver catalogue select editors imaging viewer browse"
qrv_coverage() {
  QRV_PACKAGES="$QRV_PACKAGES gcovr" qrv_setup
  qrv_build coverage
  local build="$ROOT/build/coverage" out="$ROOT/out/coverage"
  find "$build" -name '*.gcda' -delete
  local rc=0
  qrv_xvfb_start
  qrv_wine_env
  trap 'qrv_wine_stop; qrv_xvfb_stop' EXIT
  # A program that changes its current drive still writes to the build's folders.
  GCOV_PREFIX=Z: ctest --preset coverage -j 1 || rc=1
  qrv_wine_stop
  qrv_xvfb_stop
  trap - EXIT
  rm -rf "$out"; mkdir -p "$out"
  local filter="" d
  for d in $QRV_COVERAGE_FOLDERS; do filter="$filter --filter $ROOT/$d/"; done
  # The build folder only: the root holds the Wine prefix, whose Z: drive
  # leads to the whole file system.
  gcovr --root "$ROOT" --object-directory "$build" "$build" \
        --gcov-executable x86_64-w64-mingw32-gcov $filter \
        --exclude-throw-branches --exclude-unreachable-branches \
        --json-summary "$out/summary.json" --html-details "$out/index.html" \
        >"$out/gcovr.log" 2>&1 || { tail -20 "$out/gcovr.log"; echo "qrv: gcovr failed" >&2; return 1; }
  qrv_coverage_table "$out/summary.json"
  echo "qrv: HTML report in out/coverage/index.html"
  [ $rc = 0 ] || echo "qrv: some test programs failed, their counters are still counted"
  return $rc
}

# Lines and branches per library folder from gcovr's summary.
qrv_coverage_table() {
  python3 - "$1" $QRV_COVERAGE_FOLDERS <<'PY'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
rows = {d: [0, 0, 0, 0] for d in sys.argv[2:]}
for f in files:
    d = f["filename"].split("/")[0]
    if d in rows:
        r = rows[d]
        r[0] += f["line_covered"]; r[1] += f["line_total"]
        r[2] += f["branch_covered"]; r[3] += f["branch_total"]
pct = lambda a, b: f"{100.0 * a / b:5.1f} %" if b else "    - "
print(f"{'folder':<10} {'lines':>8} {'of':>6} {'line cov':>9} {'branches':>9} {'of':>6} {'branch cov':>10}")
tot = [0, 0, 0, 0]
for d, r in rows.items():
    print(f"{d:<10} {r[0]:>8} {r[1]:>6} {pct(r[0], r[1]):>9} {r[2]:>9} {r[3]:>6} {pct(r[2], r[3]):>10}")
    tot = [a + b for a, b in zip(tot, r)]
print(f"{'total':<10} {tot[0]:>8} {tot[1]:>6} {pct(tot[0], tot[1]):>9} {tot[2]:>9} {tot[3]:>6} {pct(tot[2], tot[3]):>10}")
PY
}

# A short soak: a host's day in a loop for QRV_SOAK_SECONDS (default 45 s),
# the growth measured after QRV_SOAK_WARMUP iterations (default the first
# half of the iterations done: over 45 s the heap still grows early on) and
# against a memory bound of 4 MB per 1,000 iterations (a minute's private
# memory wanders by a megabyte or two; a picture left behind a round adds 32 MB),
# failing when memory, handles or GDI objects grow beyond their bounds.
qrv_soak_short() {
  local log="$ROOT/build/soak-short.log" rc=0
  mkdir -p "$ROOT/build"
  QRV_SOAK_SECONDS="${QRV_SOAK_SECONDS:-45}" QRV_SOAK_WARMUP="${QRV_SOAK_WARMUP:-50%}" \
    QRV_SOAK_MEMORY_BOUND="${QRV_SOAK_MEMORY_BOUND:-4096}" \
    bash tests/soak/run.sh >"$log" 2>&1 || rc=1
  QRV_SUMMARY="$QRV_SUMMARY
$(grep -aE '^soak: ([0-9]+ iterations|growth)' "$log")"
  [ $rc = 0 ] || tail -20 "$log"
  return $rc
}

# The preset whose programs `demo` and `tool` run: win64, or win32 with
# --win32 (demo) or QRV_TARGET=win32 (tool).
qrv_run_preset() {
  local preset="${QRV_TARGET:-win64}"
  if [ "$preset" = win32 ] && ! qrv_have_wine32; then
    echo "qrv: 32-bit Wine is not installed, win32 programs cannot run" >&2
    return 1
  fi
  echo "$preset"
}

# The demo's own prefix, apart from the tests' one: the Unix root is no
# drive and no test leaves folders in it, so its folder trees show C:\ and
# the special folders only. The program and the sample pictures are copied
# to C:\QRV Demo, where a host would be installed.
QRV_DEMO_DIR="QRV Demo"
qrv_demo_wine_env() {
  local prefix="$ROOT/build/demo-wineprefix"
  qrv_wine_env "$prefix"
  # Wine maps "/" as Z: when it makes a prefix and puts it on the desktop
  # as a shell folder of its own; the demo sees neither.
  rm -f "$prefix/dosdevices/z:"
  local unix_root='{9D20AAE8-0625-44B0-9CA7-71889C2254D9}'
  if grep -q "Desktop\\\\\\\\Namespace\\\\\\\\$unix_root" "$prefix/system.reg"; then
    /usr/lib/wine/wine64 reg delete "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\Namespace\\$unix_root" /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver64 -w 2>/dev/null || true
  fi
}

# Copies the preset's program, libraries and sample drivers to the demo's
# folder and the sample pictures to its Bilder folder.
qrv_demo_install() {
  local bin="$ROOT/build/$1/bin" dest="$WINEPREFIX/drive_c/$QRV_DEMO_DIR"
  rm -rf "$dest"
  mkdir -p "$dest/drivers" "$dest/Bilder"
  cp "$bin/QrvDemo.exe" "$bin/QRV.dll" "$bin/afx.dll" "$dest/"
  # The GCC runtime the program and the libraries share, if the build uses it as DLLs.
  cp "$bin"/lib*.dll "$dest/" 2>/dev/null || true
  cp "$bin"/drivers/*.dll "$dest/drivers/"
  local f
  for f in "$ROOT"/samples/images/*; do
    case "$f" in *.bmp|*.png|*.jpg|*.wmf|*.emf) cp "$f" "$dest/Bilder/" ;; esac
  done
}

qrv_demo() {
  if [ "${1:-}" = "--win32" ]; then QRV_TARGET=win32; shift; fi
  local docs=""
  if [ "${1:-}" = "--docs" ]; then docs=1; QRV_TARGET=win64; fi
  local preset; preset=$(qrv_run_preset) || return 1
  qrv_build "$preset"
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--headless" ] && [ "${1:-}" != "--docs" ]; then
    qrv_demo_wine_env
    qrv_demo_install "$preset"
    "$ROOT/cmake/wine-run.sh" "$WINEPREFIX/drive_c/$QRV_DEMO_DIR/QrvDemo.exe"
    return
  fi
  local out="$ROOT/out/demo"
  [ "$preset" = win32 ] && out="$ROOT/out/demo/win32"
  mkdir -p "$out"
  rm -f "$out"/*.png "$out/checks.txt"
  qrv_xvfb_start
  qrv_demo_wine_env
  qrv_demo_install "$preset"
  trap 'qrv_wine_stop; qrv_xvfb_stop' EXIT
  local shots="$WINEPREFIX/drive_c/windows/temp/qrv-demo"
  rm -rf "$shots"; mkdir -p "$shots"
  # Window placements and driver caches of an earlier run would change the pictures.
  /usr/lib/wine/wine64 reg delete 'HKCU\Software\QRV Demo' /f >/dev/null 2>&1 || true
  local rc=0
  "$ROOT/cmake/wine-run.sh" "$WINEPREFIX/drive_c/$QRV_DEMO_DIR/QrvDemo.exe" --screenshots 'C:\windows\temp\qrv-demo' || rc=$?
  qrv_wine_stop
  qrv_xvfb_stop
  trap - EXIT
  cp "$shots"/*.png "$shots"/checks.txt "$out/" 2>/dev/null || true
  ls "$out"/*.png 2>/dev/null || true
  if [ -f "$out/checks.txt" ]; then
    echo "qrv: demo checks: $(grep -c '^ok' "$out/checks.txt") passed, $(grep -c '^FAILED' "$out/checks.txt") failed"
    grep '^FAILED' "$out/checks.txt" || true
  else
    echo "qrv: the demo wrote no checks"; rc=1
  fi
  [ $rc = 0 ] && [ -n "$docs" ] && { qrv_demo_docs "$out" || rc=1; }
  return $rc
}

# Every picture README.md shows from docs/, taken from the demo's run.
qrv_demo_docs() {
  local name rc=0
  for name in $(grep -o 'docs/[A-Za-z0-9_-]*\.png' README.md | sort -u); do
    if [ -f "$1/$(basename "$name")" ]; then
      cp "$1/$(basename "$name")" "$name"
    else
      echo "qrv: the demo wrote no $(basename "$name")" >&2; rc=1
    fi
  done
  [ $rc = 0 ] && echo "qrv: README pictures written to docs/"
  return $rc
}

# Some commands (panel-image) create hidden windows: without a display of
# the user's, the tool gets a private one.
qrv_tool() {
  local preset; preset=$(qrv_run_preset) || return 1
  qrv_build "$preset"
  [ -n "${DISPLAY:-}" ] || qrv_xvfb_start
  qrv_wine_env
  local rc=0
  "$ROOT/cmake/wine-run.sh" "$ROOT/build/$preset/bin/qrvtool.exe" "$@" || rc=$?
  qrv_wine_stop
  qrv_xvfb_stop
  return $rc
}

# The install tree a host project builds against, in out/package/<preset>/.
qrv_package() {
  local preset="$1"
  qrv_build "$preset"
  rm -rf "$ROOT/out/package/$preset"
  cmake --install "build/$preset" --prefix "$ROOT/out/package/$preset" >/dev/null
  echo "qrv: package in out/package/$preset"
}

# Debian's Wine does not look in its own data folder for fonts-wine's faces,
# so without them caption buttons show Marlett's letters ("0 1 r") and dialogs
# fall back to another face. The prefix's font folder is always searched.
qrv_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
  [ -d "$fonts" ] || return 0
  for f in /usr/share/wine/fonts/*.ttf; do
    [ -f "$f" ] && [ ! -e "$fonts/$(basename "$f")" ] && cp "$f" "$fonts/"
  done
  return 0
}
