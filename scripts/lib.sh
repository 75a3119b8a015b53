# Shared by run.sh and test.sh: installs what is missing, builds, and starts a private
# display and Wine environment. Source it; it defines functions only.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

PACKAGES="wine wine32:i386 wine64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 libz-mingw-w64-dev cmake ninja-build googletest xvfb xdotool
  x11-utils imagemagick ffmpeg pulseaudio pulseaudio-utils xserver-xephyr xcompmgr
  fonts-wqy-microhei zlib1g-dev g++ file python3"

log() { echo "[quorlo] $*" >&2; }

install_deps() {
  local missing=""
  for p in $PACKAGES; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  log "installing:$missing"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing </dev/null >/dev/null
}

# The deliverables are 32-bit. Some kernels run no 32-bit code at all; there the same sources
# are built for x86-64 and run under wine64.
can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

select_run_arch() {
  if can_run_32bit; then
    RUN_ARCH=i686; WINE_LOADER=/usr/lib/wine/wine; export WINEARCH=win32
  else
    RUN_ARCH=x86_64; WINE_LOADER=/usr/lib/wine/wine64; export WINEARCH=win64
    log "this kernel cannot run 32-bit code: running the x86-64 build of the same sources under wine64"
  fi
}

# build ARCH DIR [TESTS=ON|OFF]
build() {
  local arch=$1 dir=$2 tests=${3:-OFF}
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$arch.cmake" -DQUORLO_TESTS="$tests" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# The Win32-free codec core with its tests (sanitized), for this machine.
build_native() {
  cmake -S "$ROOT/zmbv/native" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$1" -j "$(nproc)"
}

CLEANUP_PIDS=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  for pid in $CLEANUP_PIDS; do kill "$pid" 2>/dev/null || true; done
}

# Starts a private Xvfb and exports DISPLAY.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${1:-1920x1080x24}" -nolisten tcp >/dev/null 2>&1 &
  CLEANUP_PIDS="$CLEANUP_PIDS $!"
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  log "Xvfb did not start on $DISPLAY"; return 1
}

# 宋体, the face of the dialogs, is not installed under Wine, nor is any Chinese face behind
# Tahoma, which Wine draws its own captions and message boxes with: WenQuanYi Micro Hei stands in.
wine_chinese_fonts() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
  LC_ALL=C.UTF-8 "$WINE_LOADER" reg add "$key\FontSubstitutes" /v 宋体 /t REG_SZ /d 'WenQuanYi Micro Hei' /f \
    >/dev/null 2>&1 </dev/null
  "$WINE_LOADER" reg add "$key\FontLink\SystemLink" /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' \
    /f >/dev/null 2>&1 </dev/null
}

# start_wine PREFIX [MANAGED]: prepares a private Wine prefix (created once) with a persistent
# server and no crash dialog. MANAGED=N tells Wine that no window manager runs on the display
# (a private Xvfb); otherwise Wine waits for one on every window it hides.
start_wine() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local managed=${2:-Y}
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null
  if [ ! -f "$WINEPREFIX/.quorlo-ready" ]; then
    log "preparing the Wine prefix $WINEPREFIX"
    "$WINE_LOADER" wineboot -i >/dev/null 2>&1 </dev/null
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
    touch "$WINEPREFIX/.quorlo-ready"
  fi
  "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1 </dev/null
  wine_chinese_fonts
  # explorer.exe up front, so that the first GUI test does not pay for it.
  "$WINE_LOADER" cmd /c exit >/dev/null 2>&1 </dev/null || true
}
