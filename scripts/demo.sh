#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the program and its directory library,
# and runs real reports against a throwaway Samba AD domain on loopback.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-build-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target quorvel quorvel_netapi

# The report runs inside the domain's private network namespace, with a
# Kerberos ticket for the domain's administrator.
bash scripts/lab-domain.sh --bulk-users 0 -- bash -c '
  set -x
  build/bin/quorvel /USERS /MACHINES /MIN:30
  echo "exit status $?"
  build/bin/quorvel /USERS /MACHINES /TABS /V /MAX:400
  echo "exit status $?"
'
