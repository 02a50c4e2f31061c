#!/bin/bash
# Runs one case of cases.tsv against the lab domain and compares the program's
# output with what seed.tsv says it must be.
#
#   run_case.sh QUORVEL_BINARY CASES_FILE CASE_NAME
#
# Needs the environment of scripts/lab-domain.sh; outside it the case is
# skipped (status 77).
set -uo pipefail
export LC_ALL=C.UTF-8 # ${#s} and ${s:0:n} count UTF-8 characters

binary=$1 cases=$2 name=$3

if [ -z "${LAB_SEED:-}" ]; then
  echo "not inside the lab domain: run scripts/lab-domain.sh -- ctest -L integration"
  exit 77
fi
# Every age in the seed but one stays on its whole day for 22 hours; the
# account seeded 30 days minus 1 hour turns 30 days old one hour after seeding.
if [ $(($(date +%s) - LAB_SEED_TIME)) -gt 3000 ]; then
  echo "the lab domain was seeded too long ago for exact day counts"
  exit 1
fi

line=$(awk -F'\t' -v n="$name" '$1 == n' "$cases")
[ -n "$line" ] || { echo "no case $name in $cases"; exit 1; }
IFS=$'\t' read -r _ ticket want_status check arguments <<<"$line"
read -r -a args <<<"$arguments"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- run -------------------------------------------------------------------
if [ "$ticket" = none ]; then
  KRB5CCNAME=$LAB_NO_TICKET_CCACHE timeout 300 "$binary" "${args[@]}" >"$work/out" 2>"$work/err" </dev/null
else
  timeout 300 "$binary" "${args[@]}" >"$work/out" 2>"$work/err" </dev/null
fi
status=$?

failed=0
fail() { echo "FAIL: $*"; failed=1; }

[ "$status" = "$want_status" ] || fail "exit status $status, expected $want_status"
[ -s "$work/err" ] && fail "wrote to standard error: $(head -c 500 "$work/err")"

# --- expected report -------------------------------------------------------
spaces=$(printf '%80s' '')
pad() { # text width: the text followed by spaces up to width characters
  local n=$(($2 - ${#1}))
  [ $n -lt 0 ] && n=0
  printf '%s%s' "$1" "${spaces:0:n}"
}

# Options, as far as the cases use them.
machines=0 users=0 bare=0 tabs=0 verbose=0 showdc=0 min=0 max=999999999 domain= computer=
for a in "${args[@]}"; do
  case ${a^^} in
    /MACHINES) machines=1 ;;
    /USERS) users=1 ;;
    /B) bare=1 ;;
    /TABS) tabs=1 ;;
    /V) verbose=1 ;;
    /SHOWDC) showdc=1 ;;
    /MIN:*) min=${a:5} ;;
    /MAX:*) max=${a:5} ;;
    /DOMAIN:*) domain=${a:8} ;;
    /COMPUTER:*) computer=${a:10} ;;
  esac
done

# Rows of the accounts in seed.tsv that pass the filter, one per line, without
# the line feed that opens each row.
expected_rows() {
  local kind sname age uac display descr count i n days type row full comment
  while IFS=$'\t' read -r kind sname age uac display descr; do
    case $kind in '#'* | '') continue ;; esac
    count=1
    case $kind in
      bulkuser) count=$LAB_BULK_USERS ;;
      bulkmachine) count=$LAB_BULK_MACHINES ;;
    esac
    case $kind in
      user | bulkuser) [ $users = 1 ] || continue; type='User Account' ;;
      dc) [ $machines = 1 ] && [ $showdc = 1 ] || continue; type='Domain Controller' ;;
      machine | bulkmachine) [ $machines = 1 ] || continue; type='Workstation/Server' ;;
    esac
    if [ "$age" = never ]; then days=49710; else days=$((age / 86400)); fi
    [ "$days" -ge "$min" ] && [ "$days" -le "$max" ] || continue
    [ "$display" = - ] && display=
    [ "$descr" = - ] && descr=
    for ((i = 1; i <= count; i++)); do
      n=$sname
      # shellcheck disable=SC2059 # the seed's bulk names are printf patterns
      full=$display comment=$descr
      case $kind in bulk*) printf -v n "$sname" "$i"; printf -v full "$display" "$i"; printf -v comment "$descr" "$i" ;; esac
      if [ "$type" = 'User Account' ]; then
        n=${n:0:20}
      else
        n=${n%\$}
        n=${n:0:15}
      fi
      if [ $tabs = 1 ]; then
        row="$n"$'\t'"$type"$'\t'"$days"
      else
        printf -v row '%s%s%s%s' "$n" "${spaces:0:21-${#n}}" "$type" "${spaces:0:20-${#type}}"
        row+=$days
      fi
      [ $verbose = 1 ] && [ "$type" = 'User Account' ] && row+=$'\t'"$full"$'\t'"$comment"
      printf '%s\n' "$row"
    done
  done <"$LAB_SEED"
}

report_check() {
  local prefix= suffix= server sep rows_count
  sep=$'\n'$(printf '%.0s-' {1..79})
  if [ -n "$computer" ]; then
    server='\\'${computer^^}
  else
    server='\\'$LAB_DC
    if [ -n "$domain" ]; then
      prefix+=$'\n\nQuerying the '"${domain^^}"$' domain for the PDC...\n'
    else
      prefix+=$'\n\nQuerying the current domain for the PDC...\n'
    fi
  fi
  prefix+=$'\nQuerying '"$server"$' for a list of accounts...\n\n'
  if [ $tabs = 1 ]; then
    prefix+=$'\nName\tAccount Type\tPassword Age(Days)'
  else
    prefix+=$'\n'"$(pad Name 21)$(pad 'Account Type' 20)Password Age(Days)"
  fi
  [ $verbose = 1 ] && prefix+=$'\tFull Name\tDescription'
  if [ "$max" -lt 999999999 ] || [ "$min" != 0 ]; then
    if [ $tabs = 1 ]; then
      prefix+=$'\nMin:\t'"$min"$'\t/\tMax:\t'"$max"
    else
      prefix+=$'\n'"$(pad '' 41)Min: $min / Max: $max"
    fi
  else
    prefix+=$'\n'
  fi
  prefix+=$sep

  expected_rows | sort >"$work/want-rows"
  suffix=$sep
  if [ $machines = 1 ]; then
    local m
    m=$(grep -c -v -F 'User Account' "$work/want-rows")
    if [ $tabs = 1 ]; then suffix+=$'\nTotal machines displayed:\t'$m; else suffix+=$'\nTotal machines displayed: '$m; fi
  fi
  if [ $users = 1 ]; then
    local u
    u=$(grep -c -F 'User Account' "$work/want-rows")
    if [ $tabs = 1 ]; then suffix+=$'\nTotal users displayed:\t'$u; else suffix+=$'\n   Total users displayed: '$u; fi
  fi
  suffix+=$'\n\nThe command completed successfully.\n'
  if [ $bare = 1 ]; then prefix= suffix=; fi

  printf '%s' "$prefix" >"$work/want-prefix"
  printf '%s' "$suffix" >"$work/want-suffix"
  local size plen slen
  size=$(stat -c %s "$work/out")
  plen=$(stat -c %s "$work/want-prefix")
  slen=$(stat -c %s "$work/want-suffix")
  if [ "$size" -lt $((plen + slen)) ]; then
    fail "output of $size bytes is shorter than the header and totals"
    return
  fi
  head -c "$plen" "$work/out" | cmp -s - "$work/want-prefix" || fail "header differs:
--- expected
$(cat -A "$work/want-prefix")
--- got
$(head -c "$plen" "$work/out" | cat -A)"
  tail -c "$slen" "$work/out" | cmp -s - "$work/want-suffix" || fail "totals differ:
--- expected
$(cat -A "$work/want-suffix")
--- got
$(tail -c "$slen" "$work/out" | cat -A)"

  # The rows in between: each opens with a line feed; the listing order is the
  # server's, so they are compared as sets. Machines come before users.
  tail -c +$((plen + 1)) "$work/out" | head -c $((size - plen - slen)) >"$work/middle"
  if [ -s "$work/middle" ] && ! head -c 1 "$work/middle" | cmp -s - <(printf '\n'); then
    fail "rows do not start with a line feed"
  fi
  tail -c +2 "$work/middle" | sort >"$work/got-rows"
  if ! cmp -s "$work/want-rows" "$work/got-rows"; then
    fail "rows differ ($(wc -l <"$work/want-rows") expected, $(wc -l <"$work/got-rows") got; < expected, > got):
$(diff "$work/want-rows" "$work/got-rows" | grep '^[<>]' | head -n 40 | cat -A)"
  fi
  tail -c +2 "$work/middle" | awk '/\tUser Account\t| User Account        [0-9]/ { u = 1; next } u { bad = 1 } END { exit bad }' ||
    fail "a machine row follows a user row"
}

case $check in
  report) report_check ;;
  text:*)
    printf '%b' "${check#text:}" >"$work/want-text"
    /usr/bin/python3 -c 'import sys; w=open(sys.argv[1],"rb").read(); o=open(sys.argv[2],"rb").read(); sys.exit(0 if w in o else 1)' \
      "$work/want-text" "$work/out" || fail "output lacks $(cat -A "$work/want-text")"
    grep -q -F 'The command completed successfully.' "$work/out" && fail "a failed run wrote the completion message"
    ;;
  *) fail "unknown check $check" ;;
esac

if [ $failed = 1 ]; then
  echo "--- command: quorvel ${args[*]} (ticket: $ticket)"
  echo "--- output (first 60 lines):"
  head -n 60 "$work/out" | cat -A
  exit 1
fi
echo "ok: quorvel ${args[*]}"
