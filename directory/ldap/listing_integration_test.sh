#!/bin/bash
# Drives the real directory library against the lab domain through
# netapi_probe: resuming a listing at chosen indexes (forward within and past
# the held page, back before it, past the end), lookups that must not match,
# and the total across pages.
#
#   listing_integration_test.sh NETAPI_PROBE LIBRARY
#
# Needs the environment of scripts/lab-domain.sh; outside it the test is
# skipped (status 77).
set -uo pipefail
probe=$1 library=$2

if [ -z "${LAB_SEED:-}" ]; then
  echo "not inside the lab domain: run scripts/lab-domain.sh -- ctest -L integration"
  exit 77
fi
server="\\\\$LAB_DC"
fail=0
check() { # description, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected '$2', got '$3'"
    fail=1
  fi
}

# Users: the seeded ones (Administrator, Guest, krbtgt included) plus the bulk.
users=$(($(awk -F'\t' '$1 == "user"' "$LAB_SEED" | wc -l) + LAB_BULK_USERS))
[ "$users" -gt 2000 ] || { echo "the lab domain needs over 2000 users for several pages"; exit 1; }

listing=$("$probe" "$library" list "$server" 1)
check "listing total" "entries=$users calls=$(((users + 999) / 1000 + 1)) failed_lookups=0" \
  "$(tail -1 <<<"$listing")"
name_at() { sed -n "$(($1 + 1))p" <<<"$listing" | cut -f1; }

# Each call's first entry is the one at its index in the sequential listing.
calls=$("$probe" "$library" at "$server" 1 0 999 1000 1500 500 $((users - 1)) "$users" $((users + 50)) 0)
expect_at() { # index, status, entries
  local line
  line=$(grep "^at=$1 " <<<"$calls" | head -1)
  check "call at $1" "at=$1 status=$2 entries=$3 first=$(name_at "$1") next=$(($1 + 1))" "$line"
}
expect_at 0 234 1000
expect_at 999 234 1
expect_at 1000 234 1000
expect_at 1500 234 500
expect_at 500 234 500
expect_at $((users - 1)) 0 1
check "call at the end" "at=$users status=0 entries=0" "$(grep "^at=$users " <<<"$calls")"
check "call past the end" "at=$((users + 50)) status=0 entries=0" "$(grep "^at=$((users + 50)) " <<<"$calls")"

# Level 3 does not exist; groups and filter characters never match an account.
check "level 3" "at=0 status=124 entries=0" "$("$probe" "$library" at "$server" 3 0)"
for name in 'Domain Admins' '*' 'age3*' 'x)(sAMAccountName=*'; do
  check "lookup of $name" "$name	lookup=2221" "$("$probe" "$library" user "$server" "$name")"
done
lookup=$("$probe" "$library" user "$server" administrator)
case "$lookup" in
  "administrator	age="*) ;;
  *) check "lookup in another letter case" "administrator	age=..." "$lookup" ;;
esac
exit $fail
