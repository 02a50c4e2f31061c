#!/usr/bin/env bash
# Sets up a Debian 12 machine and runs every test: unit and end-to-end tests,
# the same again under AddressSanitizer and UndefinedBehaviorSanitizer, the
# integration tests against a throwaway domain controller, and the Windows
# build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-build-deps.sh

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure --timeout 120 -LE integration

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize -j"$jobs" --output-on-failure --timeout 120 -LE integration

# The real program and library against a throwaway domain controller, in both
# builds. Under AddressSanitizer dlopen searches on behalf of the sanitizer's
# runtime, which has no RUNPATH, so the library's place is given explicitly.
bash scripts/lab-domain.sh -- ctest --test-dir build --output-on-failure --timeout 600 -L integration
LD_LIBRARY_PATH="$PWD/build-sanitize/lib" bash scripts/lab-domain.sh -- \
  ctest --test-dir build-sanitize --output-on-failure --timeout 600 -L integration

# The Windows program, cross-compiled and run under Wine.
bash scripts/windows-tests.sh
