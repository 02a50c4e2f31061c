#!/bin/bash
# Inside the lab domain (called by bench/run.sh): alternates timed runs of
# quorvel and ldapsearch, then prints medians, their ratio and peak memory.
set -euo pipefail
quorvel=$1 runs=$2
export LC_ALL=C

run_quorvel() { "$quorvel" /USERS /MACHINES /B >/dev/null; }
ldapsearch_command=(ldapsearch -Q -Y GSSAPI -H "ldap://$LAB_DC" -b "$LAB_BASE_DN" -E pr=1000/noprompt
  '(|(sAMAccountType=805306368)(sAMAccountType=805306369))'
  sAMAccountName description displayName userAccountControl objectSid pwdLastSet)
run_ldapsearch() { "${ldapsearch_command[@]}" >/dev/null; }
seconds() { # command: wall time in seconds with millisecond precision
  local t0 t1
  t0=$(date +%s%N)
  "$@"
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000)) | awk '{ printf "%.3f\n", $1 / 1000 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

rows=$("$quorvel" /USERS /MACHINES /B | grep -c '^.')
echo "accounts listed by quorvel /USERS /MACHINES /B: $rows"
echo "ldapsearch: ${ldapsearch_command[*]}"
echo "users seeded: $LAB_BULK_USERS, machines seeded: $LAB_BULK_MACHINES"

# One warm-up run each, then alternating timed runs.
run_quorvel
run_ldapsearch
: >/tmp/bench-q.$$
: >/tmp/bench-l.$$
trap 'rm -f /tmp/bench-q.$$ /tmp/bench-l.$$' EXIT
for ((i = 1; i <= runs; i++)); do
  q=$(seconds run_quorvel)
  l=$(seconds run_ldapsearch)
  echo "run $i: quorvel $q s, ldapsearch $l s"
  echo "$q" >>/tmp/bench-q.$$
  echo "$l" >>/tmp/bench-l.$$
done
mq=$(median </tmp/bench-q.$$)
ml=$(median </tmp/bench-l.$$)
echo "median wall time: quorvel $mq s, ldapsearch $ml s, ratio $(awk -v a="$mq" -v b="$ml" 'BEGIN { printf "%.3f", a / b }')"

# Peak resident memory: the machine pass alone lists the 5,000 machines, the
# whole run all 25,000 accounts.
small=$(peak_kb "$quorvel" /MACHINES /B)
large=$(peak_kb "$quorvel" /USERS /MACHINES /B)
ldap=$(peak_kb "${ldapsearch_command[@]}")
echo "peak RSS quorvel /MACHINES /B ($LAB_BULK_MACHINES machines): $small kB"
echo "peak RSS quorvel /USERS /MACHINES /B (all accounts): $large kB (growth $((large - small)) kB)"
echo "peak RSS ldapsearch (all accounts): $ldap kB"
