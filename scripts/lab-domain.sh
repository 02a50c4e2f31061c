#!/bin/bash
# Brings up a throwaway Samba AD domain LAB.TEST (DC1, 127.0.0.11) inside a
# private network and mount namespace, seeds it with accounts of known password
# ages, runs one command inside the namespace with a Kerberos ticket for
# Administrator, then tears everything down and exits with the command's status.
#
#   scripts/lab-domain.sh [options] -- command [args...]
#
# Options:
#   --seed FILE            account table (default tests/integration/seed.tsv)
#   --bulk-users N         number of bulkuser accounts to create (default 2100)
#   --bulk-machines N      number of bulkmachine accounts (default 0)
#   --batch N              entries per ldbadd load for bulk accounts (default 2500)
#
# The command sees:
#   KRB5_CONFIG, KRB5CCNAME   client Kerberos configuration and ticket cache
#   LAB_NO_TICKET_CCACHE      a ticket cache that holds no ticket: run a client
#                             with KRB5CCNAME="$LAB_NO_TICKET_CCACHE" to bind
#                             without credentials
#   LAB_SEED, LAB_SEED_TIME   the account table and the Unix time of seeding
#   LAB_BULK_USERS, LAB_BULK_MACHINES   counts of the bulk accounts
#   LAB_REALM, LAB_DOMAIN, LAB_DC, LAB_DC_ADDRESS, LAB_BASE_DN, LAB_ADMIN_PASSWORD
#
# Runs as root. Touches nothing under /etc: the namespace gets its own
# resolv.conf, hosts and /run/samba by bind mounts that vanish with it.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")

seed=$root/tests/integration/seed.tsv
bulk_users=2100
bulk_machines=0
batch=2500

usage() {
  sed -n '2,24p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

while [ $# -gt 0 ]; do
  case $1 in
    --seed) seed=$(realpath "$2"); shift 2 ;;
    --bulk-users) bulk_users=$2; shift 2 ;;
    --bulk-machines) bulk_machines=$2; shift 2 ;;
    --batch) batch=$2; shift 2 ;;
    --) shift; break ;;
    -h|--help) usage ;;
    *) echo "lab: unknown option $1" >&2; usage ;;
  esac
done
[ $# -gt 0 ] || usage
[ "$(id -u)" = 0 ] || { echo "lab: must run as root" >&2; exit 2; }
[ -r "$seed" ] || { echo "lab: no seed file $seed" >&2; exit 2; }

readonly realm=LAB.TEST domain=LAB dc_host=dc1.lab.test dc_ip=127.0.0.11
readonly base_dn=DC=lab,DC=test
readonly admin_password='Lab-Passw0rd.1'

log() { echo "lab: $*" >&2; }
now_ms() { date +%s%3N; }
elapsed() { local t; t=$(($(now_ms) - $1)); printf '%d.%03d s' $((t / 1000)) $((t % 1000)); }

"$here/lab-install.sh"

lab=$(mktemp -d /tmp/quorvel-lab.XXXXXX)
chmod 755 "$lab"
ns_pid=
samba_pid=

# Processes whose network namespace is the lab's: samba's children and anything
# the command left behind. Used only after samba's root process was stopped.
lab_processes() {
  local ns pid
  ns=$(readlink "/proc/$ns_pid/ns/net" 2>/dev/null) || return 0
  for pid in /proc/[0-9]*; do
    pid=${pid#/proc/}
    [ "$pid" = "$ns_pid" ] && continue
    [ "$(readlink "/proc/$pid/ns/net" 2>/dev/null)" = "$ns" ] && echo "$pid"
  done
  return 0
}

wait_gone() { # pid timeout-seconds
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    kill -0 "$1" 2>/dev/null || return 0
    # A zombie is gone for our purposes.
    [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ] && return 0
    sleep 0.1
  done
  return 1
}

teardown() {
  local status=$? pid
  trap - EXIT INT TERM
  if [ -n "$samba_pid" ]; then
    kill -TERM "$samba_pid" 2>/dev/null || true
    wait_gone "$samba_pid" 10 || kill -KILL "$samba_pid" 2>/dev/null || true
    wait "$samba_pid" 2>/dev/null || true
  fi
  if [ -n "$ns_pid" ]; then
    for pid in $(lab_processes); do kill -TERM "$pid" 2>/dev/null || true; done
    for pid in $(lab_processes); do wait_gone "$pid" 5 || kill -KILL "$pid" 2>/dev/null || true; done
    kill -KILL "$ns_pid" 2>/dev/null || true
    wait "$ns_pid" 2>/dev/null || true
  fi
  rm -rf "$lab"
  exit "$status"
}
trap teardown EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# --- namespace -------------------------------------------------------------
mkdir -p "$lab/etc" "$lab/run-samba" /run/samba
printf 'nameserver %s\nsearch lab.test\n' "$dc_ip" >"$lab/etc/resolv.conf"
printf '127.0.0.1\tlocalhost %s\n%s\t%s dc1\n' "$(hostname)" "$dc_ip" "$dc_host" >"$lab/etc/hosts"

setsid unshare --net --mount --propagation private sleep infinity </dev/null &
ns_pid=$!
for ((i = 0; i < 50; i++)); do
  [ "$(readlink "/proc/$ns_pid/ns/net" 2>/dev/null)" != "$(readlink /proc/self/ns/net)" ] && break
  sleep 0.1
done
[ "$(readlink "/proc/$ns_pid/ns/net")" != "$(readlink /proc/self/ns/net)" ] || { log "namespace did not come up"; exit 1; }

in_ns() { nsenter -t "$ns_pid" -n -m --wd="$PWD" "$@"; }

in_ns sh -e -c '
  ip link set lo up
  ip addr add '"$dc_ip"'/8 dev lo
  mount --bind "$1/etc/resolv.conf" /etc/resolv.conf
  mount --bind "$1/etc/hosts" /etc/hosts
  mount --bind "$1/run-samba" /run/samba
' sh "$lab"

# --- provision -------------------------------------------------------------
t=$(now_ms)
dc=$lab/dc
in_ns timeout 300 samba-tool domain provision --targetdir="$dc" --realm=$realm --domain=$domain \
  --host-name=DC1 --host-ip=$dc_ip --adminpass="$admin_password" \
  --dns-backend=SAMBA_INTERNAL --server-role=dc \
  --option="interfaces=$dc_ip" --option='bind interfaces only=yes' \
  >"$lab/provision.log" 2>&1 || { cat "$lab/provision.log" >&2; exit 1; }

# Keep the DC's files under the lab directory and switch off what a test DC
# does not need (printing, forwarding DNS queries to itself).
mkdir -p "$dc/log" "$dc/run" "$dc/ncalrpc" "$dc/usershares" "$dc/ntp_signd"
chmod 0750 "$dc/ntp_signd"
/usr/bin/python3 - "$dc" <<'PY'
import re, sys
dc = sys.argv[1]
path = dc + "/etc/smb.conf"
out, section = [], None
drop_sections = {"homes", "printers", "print$"}
drop_keys = {"dns forwarder", "log file", "pid directory", "ncalrpc dir",
             "ntp signd socket directory", "usershare path", "load printers",
             "printing", "printcap name", "disable spoolss"}
for line in open(path, encoding="utf-8"):
    m = re.match(r"\s*\[(.*)\]\s*$", line)
    if m:
        section = m.group(1).strip().lower()
        if section in drop_sections:
            continue
        out.append(line)
        if section == "global":
            out.append(f"\tlog file = {dc}/log/%m.log\n")
            out.append(f"\tpid directory = {dc}/run\n")
            out.append(f"\tncalrpc dir = {dc}/ncalrpc\n")
            out.append(f"\tntp signd socket directory = {dc}/ntp_signd\n")
            out.append(f"\tusershare path = {dc}/usershares\n")
            out.append("\tload printers = no\n\tprinting = bsd\n")
            out.append("\tprintcap name = /dev/null\n\tdisable spoolss = yes\n")
        continue
    if section in drop_sections:
        continue
    key = line.split("=", 1)[0].strip().lower() if "=" in line else None
    if key in drop_keys:
        continue
    out.append(line)
open(path, "w", encoding="utf-8").writelines(out)
PY
log "provisioned in $(elapsed "$t")"

# --- seed ------------------------------------------------------------------
# pwdLastSet is in 100 ns units since 1601-01-01; the ldb control lets an
# offline load write any value there.
t=$(now_ms)
seed_time=$(date +%s)
sam=$dc/private/sam.ldb
ldb_control=local_oid:1.3.6.1.4.1.7165.4.3.20:0
mkdir -p "$lab/seed"

LC_ALL=C.UTF-8 awk -F'\t' -v now="$seed_time" -v base="$base_dn" \
  -v nusers="$bulk_users" -v nmachines="$bulk_machines" -v batch="$batch" \
  -v out="$lab/seed" '
function b64(s,   cmd, r) {
  gsub(/\047/, "\047\\\047\047", s)
  cmd = "printf %s \047" s "\047 | base64 -w0"
  cmd | getline r
  close(cmd)
  return r
}
function attr(name, value) {
  if (value ~ /[^ -~]/ || value ~ /^[ :<]/ || value ~ / $/) return name ":: " b64(value) "\n"
  return name ": " value "\n"
}
function pwd(age) {
  if (age == "never") return "0"
  return sprintf("%.0f", now - age + 11644473600) "0000000"
}
function container(kind) {
  if (kind == "dc" || kind == "bulkdc") return "OU=Domain Controllers," base
  if (kind == "user" || kind == "bulkuser") return "CN=Users," base
  return "CN=Computers," base
}
function dn(kind, name,   cn) {
  cn = name
  sub(/\$$/, "", cn)
  return attr("dn", "CN=" cn "," container(kind))
}
function entry(kind, name, age, uac, display, descr,   e) {
  e = dn(kind, name)
  e = e "objectClass: " (kind ~ /user$/ ? "user" : "computer") "\n"
  e = e attr("sAMAccountName", name)
  e = e "userAccountControl: " uac "\n"
  e = e "pwdLastSet: " pwd(age) "\n"
  if (display != "-") e = e attr("displayName", display)
  if (descr != "-") e = e attr("description", descr)
  return e "\n"
}
function change(kind, name, age, display, descr,   e) {
  e = dn(kind, name) "changetype: modify\n"
  e = e "replace: pwdLastSet\npwdLastSet: " pwd(age) "\n-\n"
  e = e "replace: displayName\n" (display != "-" ? attr("displayName", display) : "") "-\n"
  e = e "replace: description\n" (descr != "-" ? attr("description", descr) : "") "-\n"
  return e "\n"
}
function bulk(kind, pattern, age, uac, display, descr, count,   i, n, f) {
  n = 0
  for (i = 1; i <= count; i++) {
    if ((i - 1) % batch == 0) { f = sprintf("%s/bulk-%s-%04d.ldif", out, kind, ++n) }
    printf "%s", entry(kind, sprintf(pattern, i), age, uac,
                       display == "-" ? "-" : sprintf(display, i),
                       descr == "-" ? "-" : sprintf(descr, i)) > f
  }
  close(f)
}
/^#/ || NF == 0 { next }
NF != 6 { printf "lab: seed line %d has %d fields\n", NR, NF > "/dev/stderr"; exit 1 }
$1 == "bulkuser" { bulk($1, $2, $3, $4, $5, $6, nusers); next }
$1 == "bulkmachine" { bulk($1, $2, $3, $4, $5, $6, nmachines); next }
$4 == "-" { printf "%s", change($1, $2, $3, $5, $6) > (out "/modify.ldif"); next }
{ printf "%s", entry($1, $2, $3, $4, $5, $6) > (out "/add.ldif") }
' "$seed"

ldb_load() { # tool file
  timeout 1800 "$1" -H "$sam" --controls=$ldb_control "$2" >"$2.log" 2>&1 || { cat "$2.log" >&2; log "$1 $2 failed"; exit 1; }
}
[ -f "$lab/seed/modify.ldif" ] && ldb_load ldbmodify "$lab/seed/modify.ldif"
[ -f "$lab/seed/add.ldif" ] && ldb_load ldbadd "$lab/seed/add.ldif"
for f in "$lab"/seed/bulk-*.ldif; do
  [ -e "$f" ] || continue
  t2=$(now_ms)
  ldb_load ldbadd "$f"
  log "loaded $(grep -c '^dn' "$f") bulk entries in $(elapsed "$t2")"
done
log "seeded in $(elapsed "$t")"

# --- start -----------------------------------------------------------------
cat >"$lab/krb5.conf" <<EOF
[libdefaults]
	default_realm = $realm
	dns_lookup_kdc = true
	dns_lookup_realm = false
	rdns = false
[realms]
	$realm = {
		kdc = $dc_ip
	}
[domain_realm]
	.lab.test = $realm
	lab.test = $realm
EOF
export KRB5_CONFIG=$lab/krb5.conf
export KRB5CCNAME=FILE:$lab/ccache
export LAB_NO_TICKET_CCACHE=FILE:$lab/no-ticket-ccache

t=$(now_ms)
in_ns samba -s "$dc/etc/smb.conf" -i -M single </dev/null >"$lab/samba.log" 2>&1 &
samba_pid=$!

ready=
deadline=$((SECONDS + 90))
while [ $SECONDS -lt $deadline ]; do
  if ! kill -0 "$samba_pid" 2>/dev/null; then
    tail -n 30 "$lab/samba.log" >&2
    log "samba stopped while starting"
    exit 1
  fi
  if echo "$admin_password" | in_ns timeout 5 kinit "Administrator@$realm" >/dev/null 2>&1 &&
    in_ns timeout 5 ldapsearch -Q -Y GSSAPI -H "ldap://$dc_host" -s base -b '' defaultNamingContext \
      >/dev/null 2>&1; then
    ready=1
    break
  fi
  sleep 0.25
done
[ -n "$ready" ] || { tail -n 30 "$lab/samba.log" >&2; log "samba did not answer within its time"; exit 1; }
log "started in $(elapsed "$t")"

# --- run -------------------------------------------------------------------
export LAB_SEED=$seed LAB_SEED_TIME=$seed_time
export LAB_BULK_USERS=$bulk_users LAB_BULK_MACHINES=$bulk_machines
export LAB_REALM=$realm LAB_DOMAIN=$domain LAB_DC=$dc_host LAB_DC_ADDRESS=$dc_ip
export LAB_BASE_DN=$base_dn LAB_ADMIN_PASSWORD=$admin_password

# In the background, so that a signal to this script tears the lab down at
# once (the command, being inside the namespace, is stopped with it).
in_ns "$@" <&0 &
command_pid=$!
set +e
wait "$command_pid"
status=$?
set -e
exit "$status"
