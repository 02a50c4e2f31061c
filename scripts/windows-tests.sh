#!/usr/bin/env bash
# Builds quorvel.exe and its Windows tests with MinGW-w64 and runs them under
# Wine, headless, in a fresh Wine prefix that is removed afterwards.
#
#   bash scripts/windows-tests.sh          (as root on Debian 12)
#
# QUORVEL_WIN_BUILD_DIR names the build directory (default build-win).
set -euo pipefail

cd "$(dirname "$0")/.."
build_dir=${QUORVEL_WIN_BUILD_DIR:-build-win}

section() { printf '\n== %s (%ds)\n' "$1" "$SECONDS"; }

section "Installing the cross toolchain and Wine"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# Without --no-install-recommends apt adds about 100 packages (fonts, GL,
# gstreamer) that a console program does not need.
apt-get install -y -q --no-install-recommends \
  g++-mingw-w64-x86-64-posix wine wine64 cmake make

section "Building quorvel.exe"
cmake -S . -B "$build_dir" --toolchain cmake/mingw-w64-x86_64.cmake -DQUORVEL_TESTS=ON
cmake --build "$build_dir" -j2

section "Starting Wine"
unset DISPLAY
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=d"
WINEPREFIX=$(mktemp -d /tmp/quorvel-wine.XXXXXX)
export WINEPREFIX
stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT
# Wine's background services inherit the stderr of the first program that
# starts them; started here with every stream closed, they cannot hold a test
# runner's pipes open.
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot -i </dev/null >/dev/null 2>&1

section "Running the tests under Wine"
ctest --test-dir "$build_dir" --output-on-failure --timeout 60 -j2

section "Done"
