#!/usr/bin/env bash
# The installed program finds the installed directory library with no
# environment variable, and LD_LIBRARY_PATH still puts another one first.
# install_test.sh BUILD_DIR FAKE_DIR FAKE_NO_GETINFO_DIR FIXTURE
set -u
build=$1 fake=$2 fake_no_getinfo=$3
export QUORVEL_FAKE_FIXTURE=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
program=$(find "$prefix" -type f -name quorvel -perm -u+x | head -1)
libdir=$(dirname "$(dirname "$program")")/lib
mkdir -p "$libdir"
fail=0

# The installed place holds a library without NetUserGetInfo: found through RUNPATH.
cp "$fake_no_getinfo/libquorvel-netapi.so" "$libdir/"
output=$(env -u LD_LIBRARY_PATH "$program" /USERS /COMPUTER:srv /B)
status=$?
case "$output" in
  *"Failed to find required function NetUserGetInfo() in libquorvel-netapi.so"*) ;;
  *) echo "installed program did not load the installed library (status $status): $output"; fail=1 ;;
esac

# LD_LIBRARY_PATH comes before RUNPATH.
output=$(LD_LIBRARY_PATH=$fake "$program" /USERS /COMPUTER:srv /B)
status=$?
if [ "$status" != 0 ]; then
  echo "LD_LIBRARY_PATH did not take precedence (status $status): $output"
  fail=1
fi
exit $fail
