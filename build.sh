#!/usr/bin/env bash
# Builds, runs and tests Velmondo Setup on Debian; installs what it needs when it is missing.
#   ./build.sh run    build setup.exe and start it under Wine (headless: walk the wizard and report)
#   ./build.sh test   build everything and run every test tier; the last line totals them
# Steps on their own: deps, host, win32, fuzz, prefix.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
BUILD=$ROOT/build
JOBS=$(nproc)

log() { printf '== %s\n' "$*" >&2; }

PACKAGES=(g++ cmake ninja-build googletest libgtest-dev libbenchmark-dev valgrind clang libclang-rt-14-dev
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 wine32:i386 xvfb xauth imagemagick liblnk-utils python3
          fonts-liberation)

deps() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    log "installing ${missing[*]}"
    [ "$(id -u)" = 0 ] || { echo "build.sh: installing packages needs root" >&2; exit 1; }
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure() {  # dir, cmake arguments...
    local dir=$1; shift
    [ -f "$dir/build.ninja" ] || cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

host() {
    log "host build (tools, native tests)"
    configure "$BUILD/host" -DVELMONDO_BUILD=host
    cmake --build "$BUILD/host" -j "$JOBS"
}

windows() {  # arch: i686 (shipped) or x86_64 (tests where Wine runs only 64-bit programs)
    local arch=$1 dir=$BUILD/win32
    [ "$arch" = x86_64 ] && dir=$BUILD/win64
    log "windows build ($arch)"
    configure "$dir" -DVELMONDO_BUILD=win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw.cmake" \
        -DVELMONDO_WIN_ARCH="$arch" -DHOST_TOOLS_DIR="$BUILD/host/bin"
    cmake --build "$dir" -j "$JOBS"
}

fuzz() {
    log "fuzz build (clang, libFuzzer)"
    configure "$BUILD/fuzz" -DVELMONDO_BUILD=fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    cmake --build "$BUILD/fuzz" -j "$JOBS"
}

wine_env() { . "$ROOT/tests/wine-env.sh"; }

prefix() {
    wine_env
    [ -f "$WINEPREFIX/system.reg" ] && return
    log "making the Wine prefix $WINEPREFIX ($WINEARCH)"
    "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # The user's shell folders must be folders of the prefix: links to $HOME would
    # let the shortcuts setup makes land in the Linux home folder.
    local user_dir
    for user_dir in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$user_dir" ]; then rm "$user_dir"; mkdir -p "$user_dir"; fi
    done
    # Wine has no Courier New; the licence and welcome texts are meant to be monospaced.
    "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
        >/dev/null 2>&1 || true
    wineserver -w
}

all_builds() {
    deps
    host
    windows i686
    wine_env
    [ "$VELMONDO_WIN_BUILD" = win64 ] && windows x86_64
    return 0
}

XVFB_PID=
start_display() {
    local n=91
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    export DISPLAY=:$n
}

start_wine() {
    # One server and Wine's own system processes for the whole run, started outside any
    # test, so that each test pays only for its own process.
    wineserver -p 2>/dev/null || true  # one may be running already
    "$WINELOADER" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

stop_services() {
    # Wine first: its processes complain when their display goes away under them.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

run_ctest() {  # dir, label, ctest arguments...
    local dir=$1 label=$2; shift 2
    log "tests: $label"
    local output status=0
    output=$(cd "$dir" && ctest --output-on-failure -j "$JOBS" "$@" 2>&1) || status=$?
    printf '%s\n' "$output"
    local line
    line=$(printf '%s\n' "$output" | grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' | tail -n 1)
    if [ -n "$line" ]; then
        local failed total
        failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$line")
        PASSED=$((PASSED + total - failed))
        FAILED=$((FAILED + failed))
    elif [ $status -ne 0 ]; then
        FAILED=$((FAILED + 1))
    fi
}

test_all() {
    all_builds
    fuzz
    prefix
    trap stop_services EXIT
    start_display
    start_wine
    PASSED=0 FAILED=0
    run_ctest "$BUILD/host" "native (host, ASan/UBSan)"
    run_ctest "$BUILD/fuzz" "fuzzing"
    if [ "$VELMONDO_WIN_BUILD" = win32 ]; then
        run_ctest "$BUILD/win32" "Windows (i686 under 32-bit Wine) and checks of setup.exe"
    else
        run_ctest "$BUILD/win32" "checks of the shipped i686 setup.exe" -LE wine
        log "this kernel runs no 32-bit x86 code: Windows tests use the x86_64 build under 64-bit Wine"
        run_ctest "$BUILD/win64" "Windows (x86_64 under 64-bit Wine)" -L wine
    fi
    echo "$PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
}

run() {
    all_builds
    prefix
    local dir=$BUILD/$VELMONDO_WIN_BUILD
    log "setup.exe is at $BUILD/win32/bin/setup.exe"
    trap stop_services EXIT
    if [ -n "${DISPLAY:-}" ]; then
        log "starting setup.exe on $DISPLAY"
        "$WINELOADER" "$dir/bin/setup.exe" || true
    else
        log "no DISPLAY: starting setup.exe under Xvfb and walking the wizard"
        start_display
        start_wine
        "$WINELOADER" "$dir/bin/ui_driver.exe" tour
    fi
}

case "${1:-}" in
    deps) deps ;;
    host) deps; host ;;
    win32) deps; host; windows i686 ;;
    fuzz) deps; fuzz ;;
    prefix) deps; prefix ;;
    test) test_all ;;
    run) run ;;
    *) sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
esac
