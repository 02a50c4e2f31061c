#!/bin/bash
# Speed and memory of quorvel against a lab domain of 20,000 users and 5,000
# machines, compared with ldapsearch fetching the same six attributes of the
# same accounts (the wire-and-server floor).
#
#   bench/run.sh [--users N] [--machines N] [--runs N] [--build DIR]
#
# Needs a built tree (default: build/ beside this directory) with
# bin/quorvel and lib/libquorvel-netapi.so. Prints its figures on stdout.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
users=20000 machines=5000 runs=5 build=$root/build batch=2500
while [ $# -gt 0 ]; do
  case $1 in
    --users) users=$2; shift 2 ;;
    --machines) machines=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --build) build=$(realpath "$2"); shift 2 ;;
    --batch) batch=$2; shift 2 ;;
    *) sed -n '2,9p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
  esac
done
[ -x "$build/bin/quorvel" ] || { echo "bench: no $build/bin/quorvel; build first" >&2; exit 2; }
if [ ! -x /usr/bin/time ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >&2
  apt-get install -y -qq --no-install-recommends time >/dev/null
fi
exec "$root/scripts/lab-domain.sh" --seed "$here/seed.tsv" \
  --bulk-users "$users" --bulk-machines "$machines" --batch "$batch" \
  -- bash "$here/measure.sh" "$build/bin/quorvel" "$runs"
