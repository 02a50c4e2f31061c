#!/usr/bin/env bash
# The failure tone is a bell on the controlling terminal: written there when the
# run is the terminal's foreground job, and never into standard output.
# tone_test.sh PROGRAM FAKE_DIR FIXTURE
set -u
export LD_LIBRARY_PATH="$2" QUORVEL_FAKE_FIXTURE="$3"
fail=0
transcript=$(mktemp)
trap 'rm -f "$transcript" "$transcript.out"' EXIT

# On a terminal, as the foreground job: the bell comes before the failure message.
script -qec "'$1' /USERS /COMPUTER:srv > '$transcript.out'" "$transcript" >/dev/null 2>&1 </dev/null
if ! grep -q $'\a' "$transcript"; then
  echo "no bell on the terminal"; fail=1
fi
if grep -q $'\a' "$transcript.out"; then
  echo "a bell went into standard output"; fail=1
fi

# Without a controlling terminal there is nowhere to ring, and the run goes on.
setsid -w "$1" /USERS /COMPUTER:srv > "$transcript.out" </dev/null
if [ $? != 13 ] || ! grep -q "error 13" "$transcript.out"; then
  echo "the run without a terminal did not report its failure"; fail=1
fi
exit $fail
