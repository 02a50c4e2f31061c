#!/bin/bash
# Installs the packages that the throwaway lab domain needs (Debian 12, as root).
# Does nothing when everything is already installed.
set -euo pipefail

packages=(
  samba samba-ad-dc samba-ad-provision samba-dsdb-modules winbind
  ldb-tools krb5-user ldap-utils libsasl2-modules-gssapi-mit
  iproute2 util-linux procps
)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "lab: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
timeout 900 apt-get update -qq >&2
timeout 1800 apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
