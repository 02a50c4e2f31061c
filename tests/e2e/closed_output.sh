#!/usr/bin/env bash
# A reader that goes away early (as "quorvel ... | head" does) must change
# neither the run nor its exit status.
# closed_output.sh PROGRAM FAKE_DIR FIXTURE
set -u
export LD_LIBRARY_PATH="$2" QUORVEL_FAKE_FIXTURE="$3"
"$1" /USERS /COMPUTER:srv | head -c 1 >/dev/null
statuses=("${PIPESTATUS[@]}")
if [ "${statuses[0]}" != 0 ]; then
  echo "exit status ${statuses[0]} with a closed standard output, expected 0"
  exit 1
fi
